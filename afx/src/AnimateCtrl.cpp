#include "AnimateCtrl.h"

#include "ModuleChain.h"

IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)

CAnimateCtrl::~CAnimateCtrl()
{
    DestroyWindow();
}

BOOL CAnimateCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(ANIMATE_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CAnimateCtrl::Open(LPCSTR lpszFileName)
{
    if (!lpszFileName || !*lpszFileName)
        return FALSE;
    return (BOOL)SendMessage(ACM_OPENA, 0, reinterpret_cast<LPARAM>(lpszFileName));
}

BOOL CAnimateCtrl::Open(UINT nID)
{
    LPCSTR lpszName = MAKEINTRESOURCEA(nID);
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, "AVI");
    return (BOOL)SendMessage(ACM_OPENA, reinterpret_cast<WPARAM>(hInst), reinterpret_cast<LPARAM>(lpszName));
}
