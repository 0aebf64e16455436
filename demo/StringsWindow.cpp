#include "StringsWindow.h"
#include "resources/resource.h"

namespace {
const UINT kListId = 1500;
}

BEGIN_MESSAGE_MAP(CStringsWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CWnd* CStringsWindow::Show(CWnd* pParent)
{
    CStringsWindow* pWnd = new CStringsWindow;
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!pWnd->CreateEx(0, cls, "Zeichenketten der Bibliothek", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                        60, 60, 860, 480, pParent ? pParent->m_hWnd : nullptr, nullptr)) {
        delete pWnd;
        return nullptr;
    }
    return pWnd;
}

int CStringsWindow::OnCreate(LPCREATESTRUCT)
{
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                       CRect(0, 0, 10, 10), this, kListId))
        return -1;
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    Fill();
    return 0;
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

void CStringsWindow::OnSize(UINT, int cx, int cy)
{
    if (m_list.m_hWnd)
        m_list.MoveWindow(0, 0, cx, cy);
}

void CStringsWindow::PostNcDestroy() { delete this; }
