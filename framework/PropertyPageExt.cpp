#include "PropertyPageExt.h"

IMPLEMENT_DYNAMIC(CPropertyPageExt, CPropertyPage)

CPropertyPageExt::CPropertyPageExt() { CDlgCtrlUtils::Attach(this); }

CPropertyPageExt::CPropertyPageExt(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption)
{
    CDlgCtrlUtils::Attach(this);
}

unsigned long CPropertyPageExt::GetPageType() { return 0xFFFFFFFFUL; }

LRESULT CPropertyPageExt::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
    HWND hParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (hParent)
        ::SendMessageA(hParent, WM_COMMANDHELP, wParam, lParam);
    return 1;
}
