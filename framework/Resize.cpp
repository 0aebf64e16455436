#include "Resize.h"

namespace {
const UINT kSizeIconID = 32767;   // the grip's control id
const UINT kSizeIconBitmap = 32766; // the system's size-grip bitmap (OBM_SIZE)
const char kPlacementEntry[] = "WindowPlacement";
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the profile entry holds the platform's 44-byte record");

// pos + delta * fraction, formed in extended precision and stored in single
// precision: the fractional part of a pixel survives into the next change.
float Move(float pos, int delta, float fraction)
{
    return (float)((long double)pos + (long double)delta * (long double)fraction);
}

// The window's rectangle in its parent's client coordinates.
CRect ChildRect(HWND hWnd, HWND hParent)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}
}

CResize::CItem::CItem(CWnd* pWnd, const REALRECT& rrcSizing, const REALRECT& rrcWindow, BOOL bDeleteWnd)
    : m_pWnd(pWnd), m_rrcSizing(rrcSizing), m_rrcWindow(rrcWindow), m_bDeleteWnd(bDeleteWnd)
{
}

CResize::CItem::~CItem()
{
    if (m_bDeleteWnd && m_pWnd) {
        m_pWnd->Detach();
        delete m_pWnd;
    }
}

CResize::CResize(CWnd* pWnd, UINT nFlags)
    : m_pWnd(pWnd), m_nFlags(nFlags), m_rcWindow(0, 0, 0, 0), m_szMin(0, 0), m_szMax(0, 0),
      m_pSizeIcon(nullptr)
{
}

CResize::~CResize()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        delete GetItem((int)i);
    m_arrItems.RemoveAll();
    delete m_pSizeIcon;
}

CResize::CItem* CResize::FindItem(UINT nID) const
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        CItem* pItem = GetItem((int)i);
        if (pItem->m_pWnd && pItem->m_pWnd->m_hWnd && (UINT)::GetDlgCtrlID(pItem->m_pWnd->m_hWnd) == nID)
            return pItem;
    }
    return nullptr;
}

void CResize::AddItem(CItem* pItem)
{
    m_arrItems.Add(pItem);
}

void CResize::SetResize(UINT nID, const REALRECT& rrcSizing)
{
    if (CItem* pItem = FindItem(nID)) {
        pItem->m_rrcSizing += rrcSizing;
        return;
    }
    HWND hCtrl = ::GetDlgItem(m_pWnd->GetSafeHwnd(), (int)nID);
    CWnd* pCtrl = hCtrl ? CWnd::FromHandlePermanent(hCtrl) : nullptr;
    BOOL bOwned = FALSE;
    if (!pCtrl && hCtrl) {
        // Controls the framework does not know get a window object of our own.
        pCtrl = new CWnd;
        pCtrl->Attach(hCtrl);
        bOwned = TRUE;
    }
    CRealRect rrcWindow;
    if (hCtrl)
        rrcWindow = CRealRect(ChildRect(hCtrl, m_pWnd->m_hWnd));
    AddItem(new CItem(pCtrl, rrcSizing, rrcWindow, bOwned));
    if (hCtrl && !HasFlag(SZ_NOTRANSPARENTGROUP))
        MakeTransparent(pCtrl);
}

void CResize::SetResize(UINT nID, float left, float top, float right, float bottom)
{
    SetResize(nID, CRealRect(left, top, right, bottom));
}

void CResize::SetResize(const SIZING* arrSizing)
{
    for (int i = 0; i < 4; ++i)
        SetResize(arrSizing[i].id, arrSizing[i].rect);
}

void CResize::SetResize(CWnd* pWnd, const CRealRect& rrcSizing, CRect rcWindow)
{
    AddItem(new CItem(pWnd, rrcSizing, CRealRect(rcWindow), FALSE));
}

// Group boxes and other buttons that are neither push buttons nor tab stops
// would otherwise paint over the controls they frame while the dialog grows.
void CResize::MakeTransparent(CWnd* pWnd) const
{
    char szClass[16] = "";
    ::GetClassNameA(pWnd->m_hWnd, szClass, sizeof szClass);
    DWORD dwStyle = pWnd->GetStyle();
    if (lstrcmpiA(szClass, "Button") != 0 || (dwStyle & 7) == 0 || (dwStyle & WS_TABSTOP))
        return;
    // Neither moved, sized, reordered nor activated: only the style is applied.
    pWnd->ModifyStyleEx(0, WS_EX_TRANSPARENT, SWP_NOACTIVATE);
}

void CResize::Init()
{
    m_pWnd->GetWindowRect(&m_rcWindow);
    // Controls registered before Init start from where the window's own
    // initialisation has left them, as if they had been registered now: the
    // order a host chooses gives the same layout.
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        CItem* pItem = GetItem((int)i);
        if (pItem->m_pWnd && ::IsWindow(pItem->m_pWnd->m_hWnd))
            pItem->m_rrcWindow = CRealRect(ChildRect(pItem->m_pWnd->m_hWnd, m_pWnd->m_hWnd));
    }
    if (!HasFlag(SZ_NOMINSIZE))
        m_szMin = m_rcWindow.Size();
    if (!HasFlag(SZ_NOCLIPCHILDREN))
        m_pWnd->ModifyStyle(0, WS_CLIPCHILDREN);
    if (!HasFlag(SZ_NOSIZEICON))
        CreateSizeIcon();
}

void CResize::CreateSizeIcon()
{
    m_bmSizeIcon.DeleteObject();
    m_bmSizeIcon.LoadOEMBitmap(kSizeIconBitmap);
    delete m_pSizeIcon;
    m_pSizeIcon = new CStatic;
    if (!m_pSizeIcon->Create(nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, CRect(0, 0, 16, 16), m_pWnd, kSizeIconID))
        return;
    m_pSizeIcon->SetBitmap(m_bmSizeIcon);
    // The static takes the bitmap's size; its corner goes to the client's corner.
    CRect rcClient, rcIcon;
    m_pWnd->GetClientRect(&rcClient);
    m_pSizeIcon->GetWindowRect(&rcIcon);
    ::SetWindowPos(m_pSizeIcon->m_hWnd, HWND_TOP, rcClient.right - rcIcon.Width(),
                   rcClient.bottom - rcIcon.Height(), 0, 0, SWP_NOSIZE);
    SetResize(kSizeIconID, 1.0f, 1.0f, 1.0f, 1.0f);
}

void CResize::Size()
{
    // Before Init there is no rectangle to measure a change against: a size
    // message sent while the window is still being set up (the frame change
    // that adds the sizable border) moves nothing.
    if (m_arrItems.GetSize() == 0 || m_rcWindow.IsRectNull())
        return;
    CRect rcWindow;
    m_pWnd->GetWindowRect(&rcWindow);
    int dx = rcWindow.Width() - m_rcWindow.Width();
    int dy = rcWindow.Height() - m_rcWindow.Height();
    HDWP hdwp = ::BeginDeferWindowPos((int)m_arrItems.GetSize());
    for (INT_PTR i = 0; hdwp && i < m_arrItems.GetSize(); ++i) {
        // A failed move has already released the batch; nothing of it is carried out.
        if (!Defer(hdwp, GetItem((int)i), dx, dy))
            hdwp = nullptr;
    }
    if (hdwp)
        ::EndDeferWindowPos(hdwp);
    m_rcWindow = rcWindow;
}

BOOL CResize::Defer(HDWP& hdwp, CItem* pItem, int dx, int dy)
{
    CRealRect rrc(Move(pItem->m_rrcWindow.left, dx, pItem->m_rrcSizing.left),
                  Move(pItem->m_rrcWindow.top, dy, pItem->m_rrcSizing.top),
                  Move(pItem->m_rrcWindow.right, dx, pItem->m_rrcSizing.right),
                  Move(pItem->m_rrcWindow.bottom, dy, pItem->m_rrcSizing.bottom));
    if (rrc == pItem->m_rrcWindow)
        return TRUE;
    pItem->m_rrcWindow = rrc;
    if (!pItem->m_pWnd || !::IsWindow(pItem->m_pWnd->m_hWnd))
        return TRUE;
    hdwp = ::DeferWindowPos(hdwp, pItem->m_pWnd->m_hWnd, nullptr, (int)rrc.left, (int)rrc.top,
                            (int)(rrc.right - rrc.left), (int)(rrc.bottom - rrc.top), SWP_NOZORDER);
    return hdwp != nullptr;
}

void CResize::GetMinMaxInfo(MINMAXINFO* pMMI)
{
    if (!m_rcWindow.IsRectNull()) {
        if (HasFlag(SZ_NOHORISONTAL)) {
            pMMI->ptMaxSize.x = m_rcWindow.Width();
            pMMI->ptMaxTrackSize.x = m_rcWindow.Width();
        }
        if (HasFlag(SZ_NOVERTICAL)) {
            pMMI->ptMaxSize.y = m_rcWindow.Height();
            pMMI->ptMaxTrackSize.y = m_rcWindow.Height();
        }
    }
    if (m_szMin.cx)
        pMMI->ptMinTrackSize.x = m_szMin.cx;
    if (m_szMin.cy)
        pMMI->ptMinTrackSize.y = m_szMin.cy;
    if (m_szMax.cx)
        pMMI->ptMaxTrackSize.x = m_szMax.cx;
    if (m_szMax.cy)
        pMMI->ptMaxTrackSize.y = m_szMax.cy;
}

BOOL CResize::LoadPlacement(LPCSTR pszSection)
{
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    BOOL bApplied = FALSE;
    if (AfxGetApp()->GetProfileBinary(pszSection, kPlacementEntry, &pData, &nBytes) &&
        nBytes == sizeof(WINDOWPLACEMENT))
        bApplied = m_pWnd->SetWindowPlacement(reinterpret_cast<WINDOWPLACEMENT*>(pData));
    delete[] pData;
    return bApplied;
}

BOOL CResize::SavePlacement(LPCSTR pszSection)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (!m_pWnd->GetWindowPlacement(&wp))
        return FALSE;
    return AfxGetApp()->WriteProfileBinary(pszSection, kPlacementEntry, reinterpret_cast<LPBYTE>(&wp), sizeof wp);
}
