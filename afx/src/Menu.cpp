#include "Menu.h"
#include "CmdTarget.h"
#include "HandleMap.h"
#include "ModuleChain.h"
#include "Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
void SetHandle(CMenu* p, HMENU h) { p->m_hMenu = h; }
CMenu* NewMenu() { return new CMenu; }

CHandleMapT<CMenu, HMENU>& MenuMap()
{
    static thread_local CHandleMapT<CMenu, HMENU> map(&SetHandle);
    return map;
}
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return MenuMap().FromHandle(hMenu, &NewMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
    MenuMap().DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    MenuMap().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr && MenuMap().LookupPermanent(hMenu) == this)
        MenuMap().RemoveHandle(hMenu);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenuA(hInst, lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return Attach(::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    nLen = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(nLen + 1), nLen + 1, nFlags);
    rString.ReleaseBuffer(nLen > 0 ? nLen : 0);
    return nLen;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, AfxHwndOf(pWnd), lpRect);
}
