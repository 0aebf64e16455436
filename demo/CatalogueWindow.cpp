#include "CatalogueWindow.h"
#include "catalogue/PlcInfoList.h"
#include "DemoPaths.h"

namespace {
const char* YesNo(bool b) { return b ? "ja" : "nein"; }
}

CWnd* CCatalogueWindow::Show(CWnd* pParent)
{
    return Open(new CCatalogueWindow, pParent, "Treiberkatalog", CRect(40, 80, 1000, 500));
}

void CCatalogueWindow::Fill()
{
    const char* const columns[] = {"Name", "DLL", "Code", "Tag", "Firmware", "DLL-Version", "Kompatibilität",
                                   "DProto", "Tags", "Alte Tags", "Spezialimport"};
    const int widths[] = {130, 110, 45, 70, 65, 80, 190, 50, 45, 65, 85};
    for (int i = 0; i < (int)(sizeof(columns) / sizeof(columns[0])); ++i)
        m_list.InsertColumn(i, columns[i], LVCFMT_LEFT, widths[i]);

    CPlcInfoList catalogue("VARN\\");
    catalogue.InsertClientInfo(1);
    catalogue.SetDLLPath(DemoDriverFolder());
    // The demo always shows what lies in its folder, so it rescans.
    catalogue.Load(1);
    for (POSITION pos = catalogue.GetHeadPosition(); pos;) {
        CPlcInfo* p = catalogue.GetNext(pos);
        CString code, tag, tableName, firmware;
        code.Format("%d", p->m_byCode);
        CPlcInfo::GetDriverDetails(tag, tableName, p->m_byCode);
        p->GetVersionStr(&firmware);
        int row = m_list.InsertItem(m_list.GetItemCount(), p->m_strDriverName.IsEmpty() ? "(ohne Namen)" : (LPCSTR)p->m_strDriverName);
        const CString cells[] = {p->m_strDllName, code, tag, firmware, p->m_strDllVersion, p->m_strCompatibility,
                                 YesNo(p->m_bDProto), YesNo(p->m_bTagSupport), YesNo(p->m_bOldTagSupport),
                                 YesNo(p->m_bSpecialImport)};
        for (int i = 0; i < (int)(sizeof(cells) / sizeof(cells[0])); ++i)
            m_list.SetItemText(row, i + 1, cells[i]);
    }
    if (catalogue.IsEmpty())
        m_list.InsertItem(0, "Keine Treiber in " + DemoDriverFolder());
}
