#include "ResizePropertySheet.h"

IMPLEMENT_DYNAMIC(CResizePropertySheet, CPropertySheetExt)

BEGIN_MESSAGE_MAP(CResizePropertySheet, CPropertySheetExt)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

namespace {
// A command's text in the menu, or the fallback when the menu lacks it.
CString CommandText(HMENU hMenu, UINT nCommand, LPCSTR pszFallback)
{
    char szText[128] = "";
    if (!hMenu || ::GetMenuStringA(hMenu, nCommand, szText, sizeof szText, MF_BYCOMMAND) <= 0)
        return pszFallback;
    return szText;
}
}

CResizePropertySheet::CResizePropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, UINT nFlags)
    : CPropertySheetExt(nIDCaption, pParentWnd, iSelectPage), CResize(this, nFlags), m_dwAddStyle(0),
      m_dwRemoveStyle(0)
{
}

CResizePropertySheet::CResizePropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, UINT nFlags)
    : CPropertySheetExt(pszCaption, pParentWnd, iSelectPage), CResize(this, nFlags), m_dwAddStyle(0),
      m_dwRemoveStyle(0)
{
}

BOOL CResizePropertySheet::OnInitDialog()
{
    ModifyStyle(m_dwRemoveStyle, m_dwAddStyle | WS_THICKFRAME);
    CPropertySheetExt::OnInitDialog();
    if (!HasFlag(SZ_NOSIZEICON))
        GrowByOnePixel();
    if (GetStyle() & WS_SYSMENU)
        AddSizeCommands();
    Init();
    RegisterControls();
    return TRUE;
}

// The sizable border takes its room from the client area; one pixel more on
// every side keeps the sheet's controls clear of it.
void CResizePropertySheet::GrowByOnePixel()
{
    CRect rc;
    GetWindowRect(&rc);
    rc.InflateRect(1, 1);
    if (HWND hParent = ::GetParent(m_hWnd); hParent && (GetStyle() & WS_CHILD))
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rc), 2);
    MoveWindow(&rc, TRUE);
}

// The platform's sheet has only Move and Close; the size commands are added
// in the language of the application the sheet belongs to.
void CResizePropertySheet::AddSizeCommands()
{
    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (!hSysMenu)
        return;
    HWND hTop = m_hWnd;
    while (HWND hParent = ::GetParent(hTop))
        hTop = hParent;
    HMENU hTopMenu = ::GetSystemMenu(hTop, FALSE);
    CString strMaximize = CommandText(hTopMenu, SC_MAXIMIZE, "Ma&ximize");
    CString strMinimize = CommandText(hTopMenu, SC_MINIMIZE, "Mi&nimize");
    CString strSize = CommandText(hTopMenu, SC_SIZE, "&Size");
    CString strRestore = CommandText(hTopMenu, SC_RESTORE, "&Restore");
    ::InsertMenuA(hSysMenu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    ::InsertMenuA(hSysMenu, 1, MF_BYPOSITION | MF_STRING, SC_MAXIMIZE, strMaximize);
    ::InsertMenuA(hSysMenu, 1, MF_BYPOSITION | MF_STRING, SC_MINIMIZE, strMinimize);
    ::InsertMenuA(hSysMenu, 1, MF_BYPOSITION | MF_STRING, SC_SIZE, strSize);
    ::InsertMenuA(hSysMenu, 0, MF_BYPOSITION | MF_STRING, SC_RESTORE, strRestore);
}

void CResizePropertySheet::RegisterControls()
{
    SetResize(IDOK, 1.0f, 1.0f, 1.0f, 1.0f);
    SetResize(IDCANCEL, 1.0f, 1.0f, 1.0f, 1.0f);
    SetResize(IDHELP, 1.0f, 1.0f, 1.0f, 1.0f);
    SetResize(ID_APPLY_NOW, 1.0f, 1.0f, 1.0f, 1.0f);
    SetResize(AFX_IDC_TAB_CONTROL, 0.0f, 0.0f, 1.0f, 1.0f);
    if (GetPageCount() == 0)
        return;
    CRect rcPage(0, 0, 0, 0);
    if (CPropertyPage* pActive = GetActivePage(); pActive && pActive->m_hWnd) {
        pActive->GetWindowRect(&rcPage);
        ScreenToClient(&rcPage);
    }
    // Pages not created yet start from this rectangle once they exist.
    for (int i = 0; i < GetPageCount(); ++i)
        SetResize(GetPage(i), CRealRect(0.0f, 0.0f, 1.0f, 1.0f), rcPage);
}

void CResizePropertySheet::OnSize(UINT nType, int cx, int cy)
{
    CPropertySheetExt::OnSize(nType, cx, cy);
    Size();
}

void CResizePropertySheet::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    GetMinMaxInfo(pMMI);
}
