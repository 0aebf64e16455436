// CCmdUI: the user interface of one command (a menu item, or a control such
// as a status bar pane) handed to the ON_UPDATE_COMMAND_UI handlers along the
// command route, which enable, check or rename it.
#pragma once
#include "AfxDefs.h"

class CCmdTarget;
class CMenu;
class CWnd;

class AFX_CORE_CLASS CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    UINT m_nIndex;          // the menu item's position
    CMenu* m_pMenu;         // the menu of the item, or null
    CMenu* m_pSubMenu;      // the popup the item opens, or null
    CMenu* m_pParentMenu;   // the menu bar holding m_pMenu, or null
    CWnd* m_pOther;         // the control, when it is not a menu item
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (buttons only).
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    // The handler lets the command go on to the next target of the route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's route for the command's update handler. Without one, and
    // with bDisableIfNoHndler, the item is enabled exactly when the route has
    // a command handler for it. TRUE when an update handler took it.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
