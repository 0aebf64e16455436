#include "FormView.h"
#include "Dialog.h"
#include "Document.h"
#include "FrameWnd.h"
#include "ModuleChain.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate))
{
}

CFormView::CFormView(LPCSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName)
{
}

CFormView::~CFormView() = default;

BOOL CFormView::Create(LPCSTR, LPCSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    if (!m_lpszTemplateName || m_hWnd)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    LPCDLGTEMPLATEA lpTemplate = hTemplate ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)) : nullptr;
    if (!lpTemplate)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, AfxHwndOf(pParentWnd), AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (!hWnd) {
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    // The dialog manager does not pass the creation context on: the view joins its document here.
    CCreateContext* pContext = static_cast<CCreateContext*>(lpParam);
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    // The template's size is the content's size.
    CRect rcTemplate;
    GetWindowRect(&rcTemplate);
    SetScrollSizes(MM_TEXT, rcTemplate.Size());
    SetDlgCtrlID((int)nID);
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

// The dialog manager moves the focus between the form's controls.
BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsDialogMessageA(m_hWnd, pMsg))
        return TRUE;
    return CScrollView::PreTranslateMessage(pMsg);
}
