#include "StringsWindow.h"
#include "resources/resource.h"

CWnd* CStringsWindow::Show(CWnd* pParent)
{
    return Open(new CStringsWindow, pParent, "Zeichenketten der Bibliothek", CRect(60, 60, 920, 540));
}

void CStringsWindow::Fill()
{
    m_list.InsertColumn(0, "Nummer", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "Text", LVCFMT_LEFT, 740);
    for (UINT id = IDS_PLC_LIST_COLUMNS; id <= IDS_SHEET_HELP; ++id) {
        CString number, text;
        number.Format("%u", id);
        if (!text.LoadString(id))
            text = "(fehlt)";
        text.Replace('\t', ' ');
        text.Replace('\n', ' ');
        int row = m_list.InsertItem(m_list.GetItemCount(), number);
        m_list.SetItemText(row, 1, text);
    }
}
