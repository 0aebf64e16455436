#include "Button.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

CButton::~CButton()
{
    DestroyWindow();
}

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}
