#include "Static.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::~CStatic()
{
    DestroyWindow();
}

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}
