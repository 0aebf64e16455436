#include "Dialog.h"
#include "DlgInit.h"
#include "ModalOwner.h"
#include "MsgMacros.h"
#include "ModuleChain.h"
#include "WinThread.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_pParentWnd(nullptr) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd)
{
}

// The dialog manager calls this for every message the window procedure
// passes on; only WM_INITDIALOG is answered here.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    return pDlg ? pDlg->OnInitDialog() : TRUE;
}

LPCDLGTEMPLATEA CDialog::LoadTemplate(HINSTANCE* phInst) const
{
    if (!m_lpszTemplateName)
        return nullptr;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    *phInst = hInst;
    return hTemplate ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)) : nullptr;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HINSTANCE hInst, HWND hWndParent)
{
    if (!lpTemplate || m_hWnd)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, hWndParent, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (!hWnd && m_hWnd)
        Detach();
    return hWnd != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATEA lpTemplate = LoadTemplate(&hInst);
    return CreateFromTemplate(lpTemplate, hInst, AfxHwndOf(m_pParentWnd));
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, AfxGetInstanceHandle(), AfxHwndOf(m_pParentWnd));
}

HWND CDialog::PreModal()
{
    return AfxFindModalOwner(m_pParentWnd);
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATEA lpTemplate = LoadTemplate(&hInst);
    if (!lpTemplate)
        return -1;
    HWND hWndParent = PreModal();
    bool bEnableParent = hWndParent && ::IsWindowEnabled(hWndParent);
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateFromTemplate(lpTemplate, hInst, hWndParent) && (m_nFlags & WF_CONTINUEMODAL)) {
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    AfxEndModalWindow(*this, hWndParent, bEnableParent);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
    m_nModalResult = nResult;
}

BOOL CDialog::OnInitDialog()
{
    // A combo box left unfilled is no reason to refuse the dialog.
    AfxExecuteDlgInit(m_hWnd, m_lpszTemplateName);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}
