#include "MainViewerWnd.h"
#include "toolkit/FileSystemObject.h"

IMPLEMENT_DYNAMIC(CMainViewerWnd, CWnd)

int CMainViewerWnd::m_nChildId = 1000;

BEGIN_MESSAGE_MAP(CMainViewerWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CMainViewerWnd::CMainViewerWnd()
    : m_pCurViewer(nullptr), m_nPanelColorBits(0), m_pPal256(nullptr), m_pPal16(nullptr),
      m_pPalPlx508(nullptr), m_pPal8(nullptr), m_cxImage(0), m_cyImage(0)
{
    CWndSocket::Attach(this);
}

CMainViewerWnd::~CMainViewerWnd()
{
    m_viewers.RemoveAll();
}

BOOL CMainViewerWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CWnd::Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID, pContext);
}

int CMainViewerWnd::InsertViewer(CViewerWnd* pViewer)
{
    m_viewers.AddTail(pViewer);
    return 1;
}

int CMainViewerWnd::AddViewerList(CViewerList* pList)
{
    if (pList)
    {
        POSITION pos = pList->GetHeadPosition();
        while (pos)
            m_viewers.AddTail(pList->GetNext(pos));
    }
    return 1;
}

void CMainViewerWnd::Reset()
{
    m_viewers.RemoveAll();
}

BOOL CMainViewerWnd::CreateViewerWindow(CViewerWnd* pViewer)
{
    CRect rect;
    GetClientRect(&rect);
    // The id is taken even when creation fails, as every pane shares the counter.
    UINT nID = (UINT)m_nChildId++;
    return pViewer->Create(WS_CHILD | WS_VISIBLE, rect, this, nID, nullptr);
}

CViewerWnd* CMainViewerWnd::GetViewer(DWORD dwType)
{
    POSITION pos = m_viewers.GetHeadPosition();
    while (pos)
    {
        CViewerWnd* pViewer = m_viewers.GetNext(pos);
        if (pViewer->GetType() != dwType)
            continue;
        if (::IsWindow(pViewer->GetSafeHwnd()))
            return pViewer;
        return CreateViewerWindow(pViewer) ? pViewer : nullptr;
    }
    return nullptr;
}

CViewerWnd* CMainViewerWnd::FindViewer(LPCSTR pszPath)
{
    if (!pszPath)
        return nullptr;
    CString strExt;
    {
        CFileSystemObject fso;
        strExt = fso.GetExtension(pszPath);
    }
    strExt.MakeUpper();
    POSITION pos = m_viewers.GetHeadPosition();
    while (pos)
    {
        CViewerWnd* pViewer = m_viewers.GetNext(pos);
        CString strList = pViewer->GetExt();
        strList.MakeUpper();
        if (strList.Find(strExt) >= 0)
            return pViewer;
    }
    return nullptr;
}

int CMainViewerWnd::LoadFile(LPCSTR pszPath)
{
    CViewerWnd* pViewer = FindViewer(pszPath);
    if (!pViewer)
        return 0;
    if (!::IsWindow(pViewer->GetSafeHwnd()) && !CreateViewerWindow(pViewer))
        return 0;
    pViewer->LoadFile(pszPath);
    SetViewer(pViewer);
    return 1;
}

int CMainViewerWnd::SendViewerNotify(UINT nCode, CViewerWnd* pViewer, CPoint point)
{
    NMVIEWER nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.hdr.code = nCode;
    if (nCode == VWN_CONTEXTMENU)
    {
        nm.pt.x = point.x;
        nm.pt.y = point.y;
    }
    else
        nm.pViewer = pViewer;
    return Notify(&nm.hdr);
}

int CMainViewerWnd::SetViewer(CViewerWnd* pViewer)
{
    int bChanged = 0;
    if (pViewer != m_pCurViewer)
    {
        CViewerWnd* pOld = m_pCurViewer;
        if (pOld)
            pOld->ShowWindow(SW_HIDE);
        if (pViewer)
        {
            CRect rect;
            GetClientRect(&rect);
            pViewer->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_SHOWWINDOW);
        }
        if (pOld)
            SendViewerNotify(VWN_DEACTIVATE, pOld);
        m_pCurViewer = pViewer;
        if (pViewer)
        {
            pViewer->SetColorInfo(m_nPanelColorBits, m_pPal16, m_pPal256, m_pPalPlx508, m_pPal8);
            if (m_cxImage != 0 && m_cyImage != 0)
                pViewer->SetImageSize(CSize(m_cxImage, m_cyImage));
            SendViewerNotify(VWN_ACTIVATE, pViewer);
        }
        bChanged = 1;
    }
    if (m_pCurViewer)
        m_pCurViewer->Refresh();
    return bChanged;
}

int CMainViewerWnd::GetCurFileName(CString* pFileName)
{
    if (!m_pCurViewer || !pFileName)
        return 0;
    *pFileName = m_pCurViewer->GetFileName();
    return 1;
}

void CMainViewerWnd::SetColorInfo(int nBits, const unsigned long* pPal16, const unsigned long* pPal256,
                                  const unsigned long* pPalPlx508, const unsigned long* pPal8)
{
    m_nPanelColorBits = nBits;
    m_pPal16 = pPal16;
    m_pPal256 = pPal256;
    m_pPalPlx508 = pPalPlx508;
    m_pPal8 = pPal8;
    if (m_pCurViewer)
        m_pCurViewer->SetColorInfo(nBits, pPal16, pPal256, pPalPlx508, pPal8);
}

void CMainViewerWnd::SetImageSize(CSize size)
{
    m_cxImage = size.cx;
    m_cyImage = size.cy;
    if (m_pCurViewer)
        m_pCurViewer->SetImageSize(size);
}

int CMainViewerWnd::GetImageSize(CSize* pSize)
{
    if (!m_pCurViewer || !pSize)
        return 0;
    *pSize = m_pCurViewer->GetImageSize();
    return 1;
}

void CMainViewerWnd::SetImage(void* hDib)
{
    if (!m_pCurViewer)
        return;
    m_pCurViewer->SetImage(hDib);
    m_pCurViewer->Refresh();
}

void* CMainViewerWnd::GetPanelImage()
{
    return m_pCurViewer ? m_pCurViewer->GetPanelImage() : nullptr;
}

void* CMainViewerWnd::GetOriginalImage()
{
    return m_pCurViewer ? m_pCurViewer->GetOriginalImage() : nullptr;
}

int CMainViewerWnd::IsModified()
{
    return m_pCurViewer ? m_pCurViewer->IsModified() : 0;
}

void CMainViewerWnd::Refresh()
{
    if (m_pCurViewer)
        m_pCurViewer->Refresh();
}

int CMainViewerWnd::CacheData(COleDataSource* pDataSource, const CString& strFile)
{
    if (!m_pCurViewer)
        return 0;
    // Exact comparison: another spelling of the same path loads the file again.
    if (m_pCurViewer->GetFileName() == strFile)
        return m_pCurViewer->CacheData(pDataSource);
    CViewerWnd* pViewer = FindViewer(strFile);
    if (!pViewer || !pViewer->LoadFile(strFile))
        return 0;
    return pViewer->CacheData(pDataSource);
}

int CMainViewerWnd::FindFocusIn(HWND hStart, HWND hFocus)
{
    for (HWND hWnd = hStart; hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (hWnd == hFocus)
            return 1;
        HWND hChild = ::GetWindow(hWnd, GW_CHILD);
        if (hChild && FindFocusIn(hChild, hFocus))
            return 1;
    }
    return 0;
}

int CMainViewerWnd::HasFocus(CWnd* pWnd)
{
    HWND hFocus = ::GetFocus();
    if (!hFocus)
        return 0;
    HWND hStart;
    if (pWnd)
        hStart = pWnd->GetSafeHwnd();
    else
    {
        if (hFocus == m_hWnd)
            return 1;
        hStart = m_hWnd ? ::GetWindow(m_hWnd, GW_CHILD) : nullptr;
    }
    return hStart ? FindFocusIn(hStart, hFocus) : 0;
}

void CMainViewerWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_hWnd && m_pCurViewer && ::IsWindow(m_pCurViewer->GetSafeHwnd()))
        m_pCurViewer->SetWindowPos(nullptr, 0, 0, cx - 1, cy - 1, SWP_NOMOVE | SWP_NOZORDER);
}

void CMainViewerWnd::OnContextMenu(CWnd*, CPoint point)
{
    if (m_pCurViewer)
        SendViewerNotify(VWN_CONTEXTMENU, m_pCurViewer, point);
}
