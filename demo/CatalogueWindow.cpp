#include "CatalogueWindow.h"
#include "catalogue/PlcInfoList.h"
#include "DemoPaths.h"

namespace {
const UINT kListId = 1100;

const char* YesNo(bool b) { return b ? "ja" : "nein"; }
}

BEGIN_MESSAGE_MAP(CCatalogueWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CWnd* CCatalogueWindow::Show(CWnd* pParent)
{
    CCatalogueWindow* pWnd = new CCatalogueWindow;
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!pWnd->CreateEx(0, cls, "Treiberkatalog", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40, 80, 960,
                        420, pParent ? pParent->m_hWnd : nullptr, nullptr)) {
        delete pWnd;
        return nullptr;
    }
    return pWnd;
}

int CCatalogueWindow::OnCreate(LPCREATESTRUCT)
{
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                       CRect(0, 0, 10, 10), this, kListId))
        return -1;
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    Fill();
    return 0;
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

void CCatalogueWindow::OnSize(UINT, int cx, int cy)
{
    if (m_list.m_hWnd)
        m_list.MoveWindow(0, 0, cx, cy);
}

void CCatalogueWindow::PostNcDestroy()
{
    delete this;
}
