#include "ToolBarCtrl.h"

#include "Bitmap.h"
#include "ModuleChain.h"
#include "ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

CToolBarCtrl::~CToolBarCtrl()
{
    DestroyWindow();
}

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}

CToolTipCtrl* CToolBarCtrl::GetToolTips() const
{
    HWND hTip = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS));
    return hTip ? static_cast<CToolTipCtrl*>(CWnd::FromHandle(hTip)) : nullptr;
}

void CToolBarCtrl::SetToolTips(CToolTipCtrl* pTip)
{
    SendMessage(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(pTip ? pTip->m_hWnd : nullptr));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP tbab = {};
    tbab.hInst = AfxFindResourceHandle(MAKEINTRESOURCEA(nBitmapID), reinterpret_cast<LPCSTR>(RT_BITMAP));
    tbab.nID = nBitmapID;
    return (int)SendMessage(TB_ADDBITMAP, nNumButtons, reinterpret_cast<LPARAM>(&tbab));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap)
{
    if (!pBitmap || !pBitmap->m_hObject)
        return -1;
    TBADDBITMAP tbab = {};
    tbab.hInst = nullptr;
    tbab.nID = reinterpret_cast<UINT_PTR>(pBitmap->m_hObject);
    return (int)SendMessage(TB_ADDBITMAP, nNumButtons, reinterpret_cast<LPARAM>(&tbab));
}

int CToolBarCtrl::AddString(UINT nStringID)
{
    // The control reads the string resource of the module that holds it.
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEA((nStringID >> 4) + 1), reinterpret_cast<LPCSTR>(RT_STRING));
    return (int)SendMessage(TB_ADDSTRINGA, reinterpret_cast<WPARAM>(hInst), nStringID);
}

void CToolBarCtrl::SaveState(HKEY hKeyRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName)
{
    TBSAVEPARAMSA tbs = {hKeyRoot, lpszSubKey, lpszValueName};
    SendMessage(TB_SAVERESTOREA, TRUE, reinterpret_cast<LPARAM>(&tbs));
}

void CToolBarCtrl::RestoreState(HKEY hKeyRoot, LPCSTR lpszSubKey, LPCSTR lpszValueName)
{
    TBSAVEPARAMSA tbs = {hKeyRoot, lpszSubKey, lpszValueName};
    SendMessage(TB_SAVERESTOREA, FALSE, reinterpret_cast<LPARAM>(&tbs));
}
