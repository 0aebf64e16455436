#include "PropertySheet.h"
#include "ModalOwner.h"
#include "MsgMacros.h"
#include "WinApp.h"
#include "ModuleChain.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(PSM_PRESSBUTTON, OnPressButton)
END_MESSAGE_MAP()

namespace {
// The sheet whose window PropertySheetA is creating on this thread.
thread_local CPropertySheet* t_pSheetInit = nullptr;

// The style of a sheet inside another window (Create with WS_CHILD) is given
// by its owner, not by the control's template.
struct DlgTemplateHead { DWORD style; DWORD dwExtendedStyle; };
struct DlgTemplateExHead { WORD dlgVer; WORD signature; DWORD helpID; DWORD exStyle; DWORD style; };
}

// Before the window exists: adapt the control's template to the style the
// caller asked for. The window itself is bound by the creation hook.
int CALLBACK AfxPropSheetCallback(HWND, UINT message, LPARAM lParam)
{
    CPropertySheet* pSheet = t_pSheetInit;
    if (message != PSCB_PRECREATE || !pSheet || !lParam)
        return 0;
    DWORD* pStyle;
    DWORD* pExStyle;
    DlgTemplateExHead* pEx = reinterpret_cast<DlgTemplateExHead*>(lParam);
    if (pEx->signature == 0xFFFF) {
        pStyle = &pEx->style;
        pExStyle = &pEx->exStyle;
    } else {
        DlgTemplateHead* p = reinterpret_cast<DlgTemplateHead*>(lParam);
        pStyle = &p->style;
        pExStyle = &p->dwExtendedStyle;
    }
    // The framework has no context help button.
    *pStyle &= ~DS_CONTEXTHELP;
    *pExStyle &= ~WS_EX_CONTEXTHELP;
    if (pSheet->m_dwCreateStyle != (DWORD)-1) {
        *pStyle = pSheet->m_dwCreateStyle;
        if (*pStyle & WS_CHILD)
            *pStyle |= DS_CONTROL;
    }
    *pExStyle |= pSheet->m_dwCreateExStyle;
    return 0;
}

CPropertySheet::CPropertySheet() { CommonConstruct(nullptr, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption ? pszCaption : "";
}

CPropertySheet::~CPropertySheet()
{
    delete[] m_pPageArray;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::Construct(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption ? pszCaption : "";
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = PROPSHEETHEADERA();
    m_psh.dwSize = sizeof(PROPSHEETHEADERA);
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.pfnCallback = AfxPropSheetCallback;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bStacked = TRUE;
    m_bModeless = FALSE;
    m_pPageArray = nullptr;
    m_dwCreateStyle = (DWORD)-1;
    m_dwCreateExStyle = 0;
}

// ---- pages ---------------------------------------------------------------

int CPropertySheet::GetPageCount() const
{
    if (!m_hWnd)
        return (int)m_pages.GetSize();
    HWND hTab = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
    return hTab ? (int)::SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0) : (int)m_pages.GetSize();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        return nullptr;
    return static_cast<CPropertyPage*>(m_pages[nPage]);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < (int)m_pages.GetSize(); ++i)
        if (m_pages[i] == pPage)
            return i;
    return -1;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    if (m_hWnd) {
        // The sheet is up: the control takes a page it can create later.
        if (!pPage->PreparePage())
            return;
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&pPage->m_psp);
        if (!hPage)
            return;
        if (!::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage))) {
            ::DestroyPropertySheetPage(hPage);
            return;
        }
    }
    m_pages.Add(pPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        return;
    // The control destroys the page's window; the page object stays the caller's.
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.RemoveAt(nPage);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (!m_hWnd)
        return GetPage((int)m_psh.nStartPage);
    HWND hPage = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    return hPage ? DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hPage)) : nullptr;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return (int)m_psh.nStartPage;
    HWND hTab = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
    return hTab ? (int)::SendMessageA(hTab, TCM_GETCURSEL, 0, 0) : GetPageIndex(GetActivePage());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

// ---- sheet operations ----------------------------------------------------

CWnd* CPropertySheet::GetTabControl() const
{
    return m_hWnd ? CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)))
                  : nullptr;
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText ? lpszText : "";
    if (m_hWnd) {
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, reinterpret_cast<LPARAM>((LPCSTR)m_strCaption));
        return;
    }
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
}

void CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, nButton, 0);
}

void CPropertySheet::SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }

void CPropertySheet::SetFinishText(LPCSTR lpszText)
{
    m_strFinishText = lpszText ? lpszText : "";
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>((LPCSTR)m_strFinishText));
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd)
        ::PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags);
}

// ---- creation ------------------------------------------------------------

BOOL CPropertySheet::BuildPropPageArray()
{
    delete[] m_pPageArray;
    m_pPageArray = nullptr;
    int nPages = (int)m_pages.GetSize();
    if (nPages == 0)
        return FALSE;
    m_pPageArray = new PROPSHEETPAGEA[nPages];
    for (int i = 0; i < nPages; ++i) {
        CPropertyPage* pPage = GetPage(i);
        if (!pPage->PreparePage())
            return FALSE;
        m_pPageArray[i] = pPage->m_psp;
    }
    m_psh.nPages = nPages;
    m_psh.ppsp = m_pPageArray;
    if (m_psh.nStartPage >= (UINT)nPages)
        m_psh.nStartPage = 0;
    m_psh.pszCaption = m_strCaption;
    m_psh.hInstance = AfxGetInstanceHandle();
    return TRUE;
}

HWND CPropertySheet::CreateSheetWindow(DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd || !BuildPropPageArray())
        return nullptr;
    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;
    // The dialog always runs modeless: a modal one would run the control's own
    // message loop and bypass the framework's translation and idle chain.
    m_psh.dwFlags |= PSH_MODELESS;
    CPropertySheet* pOuter = t_pSheetInit;
    t_pSheetInit = this;
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();
    t_pSheetInit = pOuter;
    m_psh.dwFlags &= ~PSH_MODELESS;
    HWND hWnd = (nResult == 0 || nResult == -1) ? nullptr : reinterpret_cast<HWND>(nResult);
    if (!hWnd && m_hWnd)
        Detach();
    return hWnd;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_psh.hwndParent = AfxHwndOf(m_pParentWnd);
    m_bModeless = TRUE;
    HWND hWnd = CreateSheetWindow(dwStyle, dwExStyle);
    if (!hWnd) {
        m_bModeless = FALSE;
        return FALSE;
    }
    if (dwStyle == (DWORD)-1 || (dwStyle & WS_VISIBLE))
        ::ShowWindow(hWnd, SW_SHOW);
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    HWND hWndParent = AfxFindModalOwner(m_pParentWnd);
    m_psh.hwndParent = hWndParent;
    bool bEnableParent = hWndParent && ::IsWindowEnabled(hWndParent);
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);

    m_bModeless = FALSE;
    // Closing through the system menu is a cancel.
    m_nModalResult = IDCANCEL;
    m_nFlags |= WF_CONTINUEMODAL;
    HWND hWnd = CreateSheetWindow((DWORD)-1, 0);
    INT_PTR nResult = -1;
    if (hWnd) {
        if (ContinueModal()) {
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
            RunModalLoop();
        }
        nResult = m_nModalResult;
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    AfxEndModalWindow(*this, hWndParent, bEnableParent);
    return nResult;
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResult = nEndID;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nEndID);
    else
        DestroyWindow();
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // The control ends a modeless sheet by dropping its current page.
    return m_hWnd && ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

// ---- messages ------------------------------------------------------------

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CPropertySheet::OnInitDialog()
{
    if (!m_bStacked) {
        HWND hTab = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
        if (hTab)
            ::SetWindowLongA(hTab, GWL_STYLE, (::GetWindowLongA(hTab, GWL_STYLE) & ~TCS_MULTILINE) | TCS_SINGLELINE);
    }
    BOOL bResult = (BOOL)Default();
    if (m_bModeless && !(m_psh.dwFlags & PSH_WIZARD))
        RemoveStandardButtons();
    if (!m_strFinishText.IsEmpty())
        ::SendMessageA(m_hWnd, PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>((LPCSTR)m_strFinishText));
    if (!(GetStyle() & WS_CHILD))
        CenterWindow();
    return bResult;
}

// A modeless sheet has no OK, Cancel, Apply or Help: the buttons are hidden
// and disabled, and the sheet ends above them.
void CPropertySheet::RemoveStandardButtons()
{
    HWND hOk = ::GetDlgItem(m_hWnd, IDOK);
    if (hOk) {
        CRect rcWnd, rcButton;
        GetWindowRect(&rcWnd);
        ::GetWindowRect(hOk, &rcButton);
        SetWindowPos(nullptr, 0, 0, rcWnd.Width(), rcButton.top - rcWnd.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (int nID : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
        if (HWND hButton = ::GetDlgItem(m_hWnd, nID)) {
            ::ShowWindow(hButton, SW_HIDE);
            ::EnableWindow(hButton, FALSE);
        }
    }
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Remember which button ends the sheet; the control decides whether it does.
    UINT nID = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (nID == IDOK || nID == IDCANCEL || nID == ID_WIZFINISH))
        m_nModalResult = (int)nID;
    return FALSE;
}

// A pressed button does not come back as WM_COMMAND: note its result here.
LRESULT CPropertySheet::OnPressButton(WPARAM wParam, LPARAM)
{
    switch ((int)wParam) {
    case PSBTN_OK: m_nModalResult = IDOK; break;
    case PSBTN_CANCEL: m_nModalResult = IDCANCEL; break;
    case PSBTN_FINISH: m_nModalResult = ID_WIZFINISH; break;
    default: break;
    }
    return Default();
}

void CPropertySheet::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == SC_CLOSE)
        m_nModalResult = IDCANCEL;
    Default();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_hWnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    // Tab order across the pages, Ctrl+Tab and the default button.
    return (BOOL)::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg));
}
