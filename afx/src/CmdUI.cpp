#include "CmdUI.h"
#include "CmdTarget.h"
#include "Menu.h"
#include "Wnd.h"

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(nullptr), m_pSubMenu(nullptr), m_pParentMenu(nullptr),
      m_pOther(nullptr), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_pMenu) {
        // A popup's state follows its items; it is not changed through them.
        if (!m_pSubMenu)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
        return;
    }
    if (!m_pOther)
        return;
    // A control that loses its input must not keep the focus.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
        HWND hParent = ::GetParent(m_pOther->m_hWnd);
        if (hParent)
            ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (!m_pSubMenu)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
        m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        if (bOn)
            m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        else
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (!lpszText)
        return;
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STRING;
        mii.dwTypeData = const_cast<LPSTR>(lpszText);
        m_pMenu->SetMenuItemInfo(m_nIndex, &mii, TRUE);
        return;
    }
    if (m_pOther)
        m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    // Separators and popups without a command are nobody's to update.
    if (!pTarget || m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged)
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, nullptr));
    return bResult;
}
