#include "ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {
// The tool structure as every version of the control knows it (without lpReserved).
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;
}

CToolTipCtrl::~CToolTipCtrl()
{
    DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    // A tooltip is a popup owned by the window it explains.
    HWND hParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, hParent, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT nIDTool) const
{
    memset(&ti, 0, sizeof ti);
    ti.cbSize = kToolInfoSize;
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    if (nIDTool == 0) {
        // The window is the tool: it is named by its handle, its parent gets the notifications.
        ti.hwnd = ::GetParent(hWnd) ? ::GetParent(hWnd) : hWnd;
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    } else {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT nIDTool) const
{
    char text[1024] = "";
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = text;
    SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    str = text;
}

BOOL CToolTipCtrl::GetToolInfo(LPTOOLINFOA lpToolInfo, CWnd* pWnd, UINT nIDTool) const
{
    if (!lpToolInfo)
        return FALSE;
    FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
    return (BOOL)SendMessage(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(lpToolInfo));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT nIDTool, LPCRECT lpRect)
{
    if (!lpRect)
        return;
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT nIDTool)
{
    CString text;
    if (!text.LoadString(nIDText))
        return FALSE;
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT nIDTool)
{
    if (!pWnd || !pWnd->GetSafeHwnd() || !lpszText)
        return FALSE;
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        pWnd->GetClientRect(&ti.rect);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFOA lpToolInfo) const
{
    if (!pWnd || !lpToolInfo)
        return FALSE;
    TTHITTESTINFOA hti = {};
    hti.hwnd = pWnd->GetSafeHwnd();
    hti.pt = pt;
    hti.ti.cbSize = kToolInfoSize;
    if (!SendMessage(TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hti)))
        return FALSE;
    *lpToolInfo = hti.ti;
    return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT nIDTool)
{
    CString text;
    if (text.LoadString(nIDText))
        UpdateTipText(text, pWnd, nIDTool);
}
