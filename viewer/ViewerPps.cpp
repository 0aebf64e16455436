#include "ViewerPps.h"
#include <vector>
#include "resources/resource.h"
#include "viewer/ViewerWnd.h"

IMPLEMENT_DYNAMIC(CViewerPps, CPropertySheet)

BEGIN_MESSAGE_MAP(CViewerPps, CPropertySheet)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenuMsg)
END_MESSAGE_MAP()

CViewerPps::CViewerPps(CStringArray* pColorNames, UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_pBlankPage(nullptr), m_sizePage(0, 0),
      m_bSizeToPage(0), m_pColorNames(pColorNames)
{
    CWndSocket::Attach(this);
    Init();
}

CViewerPps::CViewerPps(CStringArray* pColorNames, LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_pBlankPage(nullptr), m_sizePage(0, 0),
      m_bSizeToPage(0), m_pColorNames(pColorNames)
{
    CWndSocket::Attach(this);
    Init();
}

CViewerPps::~CViewerPps()
{
    if (m_pBlankPage && GetPageIndex(m_pBlankPage) >= 0 && !m_hWnd)
        RemovePage(m_pBlankPage);
    delete m_pBlankPage;
}

namespace
{
INT_PTR CALLBACK MeasureDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
}

CSize CViewerPps::MeasureTemplate(UINT nIDTemplate)
{
    LPCSTR pszName = MAKEINTRESOURCEA(nIDTemplate);
    HINSTANCE hInst = AfxFindResourceHandle(pszName, (LPCSTR)RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, pszName, (LPCSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    const BYTE* pTemplate = hTemplate ? static_cast<const BYTE*>(::LockResource(hTemplate)) : nullptr;
    DWORD nSize = hResource ? ::SizeofResource(hInst, hResource) : 0;
    if (!pTemplate || nSize < sizeof(DLGTEMPLATE))
        return CSize(0, 0);
    // A hidden top-level copy of the page gives the template's size in its font.
    std::vector<BYTE> copy(pTemplate, pTemplate + nSize);
    bool bEx = *reinterpret_cast<const WORD*>(&copy[2]) == 0xFFFF;
    size_t nStyleAt = bEx ? 12 : 0;
    DWORD dwStyle;
    memcpy(&dwStyle, &copy[nStyleAt], sizeof(dwStyle));
    dwStyle = (dwStyle & ~(WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_CAPTION)) | WS_POPUP;
    memcpy(&copy[nStyleAt], &dwStyle, sizeof(dwStyle));
    HWND hDlg = ::CreateDialogIndirectParamA(hInst, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), nullptr,
                                             MeasureDlgProc, 0);
    if (!hDlg)
        return CSize(0, 0);
    RECT rc;
    ::GetClientRect(hDlg, &rc);
    ::DestroyWindow(hDlg);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

void CViewerPps::Init()
{
    CSize size = MeasureTemplate(IDD_VIEWER_BLANK);
    m_sizePage = CSize(size.cx + 2, size.cy + 2);
    m_bSizeToPage = 0;
    AddBlankPage();
}

void CViewerPps::AddBlankPage()
{
    if (!m_pBlankPage)
        m_pBlankPage = new CPropertyPage;
    if (!m_pBlankPage->GetSafeHwnd())
        m_pBlankPage->Construct(IDD_VIEWER_BLANK, 0);
    AddPage(m_pBlankPage);
}

void CViewerPps::RemoveBlankPage()
{
    if (GetPageCount() > 0 && GetPage(0) == m_pBlankPage)
        RemovePage(0);
}

void CViewerPps::RemoveAllPages()
{
    for (int i = GetPageCount() - 1; i >= 0; i--)
        RemovePage(i);
}

void CViewerPps::SetCurViewer(CViewerWnd* pViewer)
{
    if (pViewer && pViewer->HasPropertyPages())
    {
        RemoveAllPages();
        pViewer->AddPropertyPages(this);
        SizePages(m_sizePage.cx, m_sizePage.cy);
    }
    else if (GetPageCount() == 0)
        AddBlankPage();
}

void CViewerPps::OnOpenViewer(CViewerWnd* pViewer)
{
    RemoveAllPages();
    if (pViewer && pViewer->HasPropertyPages())
    {
        pViewer->AddPropertyPages(this);
        SetActivePage(0);
    }
    else
        AddBlankPage();
    if (m_bSizeToPage)
        SizePages(m_sizePage.cx, m_sizePage.cy);
}

void CViewerPps::OnCloseViewer(CViewerWnd*)
{
    RemoveAllPages();
    AddBlankPage();
    if (m_bSizeToPage)
        SizePages(m_sizePage.cx, m_sizePage.cy);
}

CSize CViewerPps::GetDefaultSize()
{
    BOOL bPopup = m_hWnd && (GetStyle() & WS_POPUP);
    return CSize(m_sizePage.cx + 28, m_sizePage.cy + (bPopup ? 66 : 48));
}

void CViewerPps::SizePages(int cx, int cy)
{
    if (!m_hWnd)
        return;
    CWnd* pTab = GetTabControl();
    if (!pTab || !pTab->GetSafeHwnd())
        return;
    pTab->SetWindowPos(nullptr, 0, 0, cx + 8, cy + 26, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < GetPageCount(); i++)
    {
        CPropertyPage* pPage = GetPage(i);
        if (pPage && pPage->GetSafeHwnd())
            pPage->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

BOOL CViewerPps::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();
    if (m_bSizeToPage)
    {
        CSize size = GetDefaultSize();
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SizePages(m_sizePage.cx, m_sizePage.cy);
    }
    return bResult;
}

void CViewerPps::OnSize(UINT nType, int cx, int cy)
{
    CPropertySheet::OnSize(nType, cx, cy);
    if (m_hWnd && m_bSizeToPage && cx > 0 && cy > 0)
        SizePages(cx < m_sizePage.cx ? cx : m_sizePage.cx, cy < m_sizePage.cy ? cy : m_sizePage.cy);
}

void CViewerPps::OnClose()
{
    ShowWindow(SW_HIDE);
}

LRESULT CViewerPps::OnContextMenuMsg(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_CONTEXTMENU, wParam, lParam);
    return 0;
}
