#include "PropertyPage.h"
#include "MsgMacros.h"
#include "ModuleChain.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

// Binds the page window to its object at its WM_INITDIALOG when the creation
// hook did not (a page created by a sheet outside the framework's control),
// then lets the page initialise itself.
INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // Whatever the hook was waiting for has been created by now.
    AfxUnhookWindowCreate();
    CPropertyPage* pPage = DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hWnd));
    if (!pPage) {
        const PROPSHEETPAGEA* pPsp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        pPage = pPsp ? reinterpret_cast<CPropertyPage*>(pPsp->lParam) : nullptr;
        if (!pPage || !pPage->SubclassWindow(hWnd))
            return TRUE;
    }
    return pPage->OnInitDialog();
}

// The common control announces the creation of the page's dialog: the next
// window created on this thread is that dialog, and it belongs to the page.
UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGEA pPsp)
{
    if (message == PSPCB_CREATE) {
        CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(pPsp->lParam);
        if (!pPage || pPage->m_hWnd)
            return FALSE;
        AfxHookWindowCreate(pPage);
        return TRUE;
    }
    return 0;
}

}

CPropertyPage::CPropertyPage() { CommonConstruct(nullptr, 0); }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    m_bFirstSetActive = TRUE;
    m_psp = PROPSHEETPAGEA();
    m_psp.dwSize = sizeof(PROPSHEETPAGEA);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxPropPageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_psp.pfnCallback = AfxPropPageCallback;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

BOOL CPropertyPage::PreparePage()
{
    if (!m_lpszTemplateName)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    const void* pTemplate = hTemplate ? ::LockResource(hTemplate) : nullptr;
    if (!pTemplate)
        return FALSE;
    // The template travels by address, so the page's own module need not be
    // the one the common control would search.
    m_psp.dwFlags |= PSP_DLGINDIRECT;
    m_psp.hInstance = hInst;
    m_psp.pResource = static_cast<LPCDLGTEMPLATEA>(pTemplate);
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (m_psp.dwFlags & PSP_USETITLE)
        m_psp.pszTitle = m_strCaption;
    return TRUE;
}

HWND CPropertyPage::SheetWindow() const
{
    return m_hWnd ? ::GetParent(m_hWnd) : nullptr;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hSheet = SheetWindow();
    if (hSheet)
        ::SendMessageA(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    HWND hSheet = SheetWindow();
    if (hSheet)
        ::SendMessageA(hSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    HWND hSheet = SheetWindow();
    return hSheet ? ::SendMessageA(hSheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive()
{
    // OnInitDialog has just filled the controls on the first activation.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

BOOL CPropertyPage::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    // Only the sheet's own notifications are the page's business here.
    if (pNMHDR->hwndFrom != m_hWnd && pNMHDR->hwndFrom != SheetWindow())
        return FALSE;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE: *pResult = OnSetActive() ? 0 : -1; break;
    case PSN_KILLACTIVE: *pResult = !OnKillActive(); break;
    case PSN_APPLY: *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; break;
    case PSN_RESET: OnReset(); break;
    case PSN_QUERYCANCEL: *pResult = !OnQueryCancel(); break;
    case PSN_WIZNEXT: *pResult = OnWizardNext(); break;
    case PSN_WIZBACK: *pResult = OnWizardBack(); break;
    case PSN_WIZFINISH: *pResult = !OnWizardFinish(); break;
    case PSN_HELP: ::SendMessageA(m_hWnd, WM_COMMAND, IDHELP, 0); break;
    default: return FALSE;
    }
    return TRUE;
}
