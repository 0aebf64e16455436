#include "LeadViewerWnd.h"
#include <afxole.h>
#include <string.h>
#include "resources/resource.h"
#include "toolkit/FileSystemObject.h"
#include "toolkit/PlxUtil.h"
#include "toolkit/TabWnd.h"
#include "viewer/Lead.h"
#include "viewer/LeadFrame.h"
#include "viewer/LeadViewerPpg.h"
#include "viewer/ViewerGeneralPpg.h"
#include "viewer/ViewerPanelPpg.h"
#include "viewer/ViewerPps.h"

IMPLEMENT_DYNAMIC(CLeadViewerWnd, CViewerWnd)

BEGIN_MESSAGE_MAP(CLeadViewerWnd, CViewerWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
const int kDitherFloydSteinberg = 2;

// Turns a control's drawing off while the image is rebuilt, and back on afterwards.
class CRedrawOff
{
public:
    explicit CRedrawOff(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
    {
        if (m_hWnd)
            ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    }
    ~CRedrawOff()
    {
        if (m_hWnd)
            ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    }

private:
    HWND m_hWnd;
};

long long ColorLimit(int nBits)
{
    if (nBits < 0)
        return 0;
    return nBits >= 62 ? (1LL << 62) : (1LL << nBits);
}
} // namespace

CLeadViewerWnd::CLeadViewerWnd(DWORD dwStyle)
    : CViewerWnd(1, dwStyle), m_pPanelFrame(nullptr), m_pOriginalFrame(nullptr), m_pSourceCtrl(nullptr),
      m_pPanelCtrl(nullptr), m_pOriginalCtrl(nullptr), m_pTabWnd(nullptr), m_pImagePage(nullptr),
      m_pPanelPage(nullptr), m_pGeneralPage(nullptr), m_sizeImage(0, 0), m_bSmooth(0), m_bInvert(0), m_bBlur(0),
      m_bSharpen(0), m_bFlip(0), m_bMirror(0), m_nDither(kDitherFloydSteinberg), m_nContrast(0), m_nBrightness(0),
      m_nImageColorBits(2), m_bSizeToFit(1), m_sizeFit(-1, -1), m_bPlx508Mode(0)
{
}

CLeadViewerWnd::~CLeadViewerWnd()
{
    DestroyControls();
    delete m_pImagePage;
    delete m_pPanelPage;
    delete m_pGeneralPage;
}

void CLeadViewerWnd::DestroyControls()
{
    if (m_pTabWnd)
    {
        if (m_pTabWnd->GetSafeHwnd())
            m_pTabWnd->DestroyWindow();
        delete m_pTabWnd;
        m_pTabWnd = nullptr;
    }
    delete m_pPanelFrame;
    delete m_pOriginalFrame;
    delete m_pSourceCtrl;
    m_pPanelFrame = m_pOriginalFrame = nullptr;
    m_pSourceCtrl = m_pPanelCtrl = m_pOriginalCtrl = nullptr;
}

CLead* CLeadViewerWnd::CreateLeadCtrl()
{
    return new CLead;
}

CLeadFrame* CLeadViewerWnd::CreateLeadFrame()
{
    return new CLeadFrame;
}

// ---------------------------------------------------------------- window

int CLeadViewerWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CViewerWnd::Create(dwStyle, rect, pParentWnd, nID, pContext))
        return 0;
    return Init();
}

int CLeadViewerWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!CWnd::SubclassDlgItem(nID, pParent))
        return 0;
    return Init();
}

int CLeadViewerWnd::Init()
{
    CRect rect;
    GetClientRect(&rect);
    try
    {
        CPlxDibInfo::GetFormat();
        if (!InitControls(rect))
        {
            DestroyControls();
            AfxMessageBox(IDS_IMAGING_MISSING, MB_OK);
            return 0;
        }
        if (m_pTabWnd)
            AddTabPages();
        LoadPaletteFor(m_nImageColorBits);
        return 1;
    }
    catch (...)
    {
        return 0;
    }
}

int CLeadViewerWnd::InitControls(CRect rect)
{
    if (m_dwViewerStyle & VWS_PANELTABS)
    {
        m_pTabWnd = new CTabWnd;
        if (m_pTabWnd->Create(this, WS_CHILD | WS_VISIBLE, IDC_LEADVIEWER_TABS))
        {
            m_pTabWnd->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
            m_pTabWnd->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
            CRect rcStrip;
            m_pTabWnd->GetTabCtrl()->GetClientRect(&rcStrip);
            rect.bottom -= rcStrip.Height();
        }
        else
        {
            delete m_pTabWnd;
            m_pTabWnd = nullptr;
        }
    }

    m_pSourceCtrl = CreateLeadCtrl();
    if (!m_pSourceCtrl || !m_pSourceCtrl->Create("", WS_CHILD, CRect(0, 0, 0, 0), this, IDC_LEADVIEWER_SOURCE))
        return 0;
    m_pPanelFrame = CreateDisplayImage(rect, IDC_LEADVIEWER_PANEL);
    if (!m_pPanelFrame)
        return 0;
    m_pPanelCtrl = m_pPanelFrame->GetLeadCtrl();
    m_pOriginalFrame = CreateDisplayImage(rect, IDC_LEADVIEWER_ORIGINAL);
    if (!m_pOriginalFrame)
        return 0;
    m_pOriginalCtrl = m_pOriginalFrame->GetLeadCtrl();
    return m_pPanelCtrl && m_pOriginalCtrl;
}

void CLeadViewerWnd::AddTabPages()
{
    CString strPanel, strOriginal;
    strPanel.LoadString(IDS_VIEWER_TAB_PANEL);
    strOriginal.LoadString(IDS_VIEWER_TAB_ORIGINAL);
    m_pTabWnd->AddPage(m_pPanelFrame, strPanel);
    m_pTabWnd->AddPage(m_pOriginalFrame, strOriginal);

    // The tab titles take the tab window's font with 2 added to its height
    // value as it stands: a character height (negative) of -11 becomes -9.
    CFont* pTabFont = m_pTabWnd->GetTabFont();
    LOGFONTA lf;
    if (!pTabFont || !pTabFont->GetLogFont(&lf))
        return;
    lf.lfHeight += 2;
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return;
    m_pTabWnd->SetSelTabFont(&font, FALSE);
    m_pTabWnd->SetTabFont(&font, FALSE);
    m_pTabWnd->SetPageFont(&font, FALSE);
}

CLeadFrame* CLeadViewerWnd::CreateDisplayImage(const CRect& rect, UINT nID)
{
    CWnd* pParent = m_pTabWnd ? static_cast<CWnd*>(m_pTabWnd) : this;
    CLeadFrame* pFrame = CreateLeadFrame();
    if (!pFrame)
        return nullptr;
    if (!pFrame->Create("", WS_CHILD, rect, pParent, nID) || !pFrame->GetLeadCtrl())
    {
        delete pFrame;
        return nullptr;
    }
    CLead* pLead = pFrame->GetLeadCtrl();
    pLead->SetAutoRepaint(FALSE);
    pLead->SetAutoSetRects(TRUE);
    pLead->SetAutoSize(TRUE);
    pLead->SetBackErase(FALSE);
    pLead->SetBackColor(RGB(255, 255, 255));
    pLead->SetPaintDither(1);
    pLead->SetPaintPalette(1);
    pLead->SetPaintSizeMode(0);
    return pFrame;
}

void CLeadViewerWnd::OnSize(UINT nType, int cx, int cy)
{
    CViewerWnd::OnSize(nType, cx, cy);
    if (!m_hWnd)
        return;
    if (m_pTabWnd)
        m_pTabWnd->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
    else if (m_pPanelCtrl)
        m_pPanelFrame->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
    GetSizeToFitImageSize(&m_sizeFit);
    if (m_bSizeToFit)
    {
        UpdatePanelImage(1, nullptr);
        UpdateOriginalImage(1);
    }
}

// ---------------------------------------------------------------- colour

void CLeadViewerWnd::SetColorInfo(int nBits, const unsigned long* pPal16, const unsigned long* pPal256,
                                  const unsigned long* pPalPlx508, const unsigned long* pPal8)
{
    m_nPanelColorBits = nBits;
    m_nImageColorBits = nBits;
    m_pPal16 = pPal16;
    m_pPal256 = pPal256;
    m_pPalPlx508 = pPalPlx508;
    m_pPal8 = pPal8;
    LoadPaletteFor(nBits);
}

void CLeadViewerWnd::SetImageColorBits(int nBits, int bUpdate)
{
    m_nImageColorBits = nBits;
    SetModified(1);
    LoadPaletteFor(nBits);
    if (bUpdate)
        UpdatePanelImage(1, nullptr);
}

void CLeadViewerWnd::LoadPaletteFor(int nBits)
{
    if (!m_pPanelCtrl)
        return;
    if (nBits == 8)
        SetUserPalette(8, m_pPal256);
    else if (nBits == 4)
        SetUserPalette(4, m_pPal16);
    else if (nBits == 3)
        SetUserPalette(3, m_pPal8);
}

void CLeadViewerWnd::SetUserPalette(int nBits, const unsigned long* pPalette)
{
    if (!pPalette || !m_pPanelCtrl || nBits < 1 || nBits > 8)
        return;
    for (int i = 0; i < (1 << nBits); i++)
        m_pPanelCtrl->SetUserPalette((short)i, pPalette[i]);
    m_pPanelCtrl->SetForePalette(TRUE);
}

short CLeadViewerWnd::GetLeadDitherType(int nDither)
{
    // Index of the image page's list -> the control's dither code.
    static const short kCodes[] = { 0, 7, 1, 2, 3, 4, 5, 6 };
    return (nDither >= 0 && nDither < 8) ? kCodes[nDither] : 0;
}

// ---------------------------------------------------------------- effects

void CLeadViewerWnd::SetEffect(int& rValue, int nValue, int bUpdate)
{
    rValue = nValue;
    SetModified(1);
    if (bUpdate)
        UpdatePanelImage(1, nullptr);
}

void CLeadViewerWnd::EnableSmooth(int bEnable, int bUpdate) { SetEffect(m_bSmooth, bEnable, bUpdate); }
void CLeadViewerWnd::EnableInvert(int bEnable, int bUpdate) { SetEffect(m_bInvert, bEnable, bUpdate); }
void CLeadViewerWnd::EnableBlur(int bEnable, int bUpdate) { SetEffect(m_bBlur, bEnable, bUpdate); }
void CLeadViewerWnd::EnableSharpen(int bEnable, int bUpdate) { SetEffect(m_bSharpen, bEnable, bUpdate); }
void CLeadViewerWnd::EnableFlip(int bEnable, int bUpdate) { SetEffect(m_bFlip, bEnable, bUpdate); }
void CLeadViewerWnd::EnableMirror(int bEnable, int bUpdate) { SetEffect(m_bMirror, bEnable, bUpdate); }
void CLeadViewerWnd::SetDither(int nDither, int bUpdate) { SetEffect(m_nDither, nDither, bUpdate); }
void CLeadViewerWnd::SetContrast(int nContrast, int bUpdate) { SetEffect(m_nContrast, nContrast, bUpdate); }
void CLeadViewerWnd::SetBrightness(int nBrightness, int bUpdate) { SetEffect(m_nBrightness, nBrightness, bUpdate); }
void CLeadViewerWnd::EnablePlx508Mode(int bEnable, int bUpdate) { SetEffect(m_bPlx508Mode, bEnable, bUpdate); }

void CLeadViewerWnd::ResetPropertySettings()
{
    m_bSmooth = m_bInvert = m_bBlur = m_bSharpen = m_bFlip = m_bMirror = 0;
    m_nDither = kDitherFloydSteinberg;
    m_nContrast = 0;
    m_nBrightness = 0;
    m_bPlx508Mode = 0;
}

void CLeadViewerWnd::EnableSizeToFit(int bEnable)
{
    if (bEnable == m_bSizeToFit)
        return;
    m_bSizeToFit = bEnable;
    Refresh();
}

// ---------------------------------------------------------------- images in

int CLeadViewerWnd::LoadFile(LPCSTR pszPath)
{
    if (!m_pPanelCtrl || !m_pSourceCtrl || !pszPath)
        return 0;
    m_pSourceCtrl->SetWMFResolution(0);
    if (m_pSourceCtrl->GetFileInfo(pszPath, 1, 0) != 0)
        return 0;
    m_pSourceCtrl->GetFileInfo(pszPath, 0, 1);
    short nFormat = m_pSourceCtrl->GetInfoFormat();
    if (nFormat == 15 || nFormat == 116)
    {
        // Metafiles are rasterised to fit 640 x 480 pixels.
        long nWidth = (long)m_pSourceCtrl->GetInfoWidth();
        long nHeight = (long)m_pSourceCtrl->GetInfoHeight();
        if (nWidth != 0 && nHeight != 0)
        {
            long nX = m_pSourceCtrl->GetInfoXRes() * 640 / nWidth;
            long nY = m_pSourceCtrl->GetInfoYRes() * 480 / nHeight;
            m_pSourceCtrl->SetWMFResolution(nX < nY ? nX : nY);
        }
    }
    if (m_pSourceCtrl->Load(pszPath, 0, 1, 1) != 0)
        return 0;

    SetFileName(pszPath);
    m_sizeImage = CSize((int)m_pSourceCtrl->GetSrcWidth(), (int)m_pSourceCtrl->GetSrcHeight());
    // Pictures that fit the panel's colours need no dithering.
    m_nDither = m_pSourceCtrl->GetColorCount() <= ColorLimit(m_nImageColorBits) ? 0 : kDitherFloydSteinberg;
    SetModified(0);
    UpdatePropertyPages();
    return 1;
}

int CLeadViewerWnd::SetImage(void* hDib)
{
    if (!m_pPanelCtrl || !m_pSourceCtrl || !hDib)
        return 0;
    HGLOBAL hSource = static_cast<HGLOBAL>(hDib);
    HGLOBAL hConverted = nullptr;
    if (::GlobalSize(hSource) >= sizeof(BITMAPINFOHEADER))
    {
        BITMAPINFOHEADER bih = {};
        if (const void* p = ::GlobalLock(hSource))
        {
            memcpy(&bih, p, sizeof(bih));
            ::GlobalUnlock(hSource);
        }
        if (bih.biBitCount == 16 && bih.biCompression == BI_BITFIELDS)
            hConverted = CPlxUtil::ConvertDib(hSource, 24, 0);
    }
    short nResult = m_pSourceCtrl->SetDIB(hConverted ? hConverted : hSource);
    if (hConverted)
        ::GlobalFree(hConverted);
    if (nResult != 0)
        return 0;
    UpdateOriginalImage(1);
    m_sizeImage = CSize((int)m_pSourceCtrl->GetSrcWidth(), (int)m_pSourceCtrl->GetSrcHeight());
    SetModified(0);
    UpdatePropertyPages();
    return 1;
}

// ---------------------------------------------------------------- pipeline

void CLeadViewerWnd::UpdatePanelImage(int bRepaint, CSize* pSize)
{
    int nBits = m_nImageColorBits;
    if (nBits == 8)
    {
        // A 16-colour picture stays within the panel's 16-colour palette.
        if (m_pSourceCtrl && m_pSourceCtrl->GetBitmapBits() == 4)
        {
            nBits = 4;
            SetUserPalette(4, m_pPal16);
        }
        else if (m_bPlx508Mode && m_pPalPlx508)
            SetUserPalette(8, m_pPalPlx508);
        else
            SetUserPalette(8, m_pPal256);
    }
    if (!m_pSourceCtrl || !m_pPanelCtrl)
        return;

    CWaitCursor wait;
    {
        CRedrawOff redrawOff(m_pPanelCtrl);
        try
        {
            m_pPanelCtrl->SetBitmap(m_pSourceCtrl->GetBitmap());
            m_pPanelCtrl->SetPaintPalette(0);
            if (m_bSmooth)
                m_pPanelCtrl->Median(4);
            if (m_bBlur)
                m_pPanelCtrl->Average(4);
            if (m_bSharpen)
                m_pPanelCtrl->Sharpen(800);
            m_pPanelCtrl->Intensity((short)m_nBrightness);
            m_pPanelCtrl->Contrast((short)m_nContrast);
            if (m_bInvert)
                m_pPanelCtrl->Invert();
            if (m_bFlip)
                m_pPanelCtrl->Flip();
            if (m_bMirror)
                m_pPanelCtrl->Reverse();

            CSize size(0, 0);
            if (pSize)
                size = *pSize;
            else if (m_bSizeToFit && m_sizeFit.cx > 0 && m_sizeFit.cy > 0)
                size = m_sizeFit;
            else if (m_sizeRequested.cx != 0 && m_sizeRequested.cy != 0)
                size = m_sizeRequested;
            if (pSize || size.cx != 0 || size.cy != 0)
                m_pPanelCtrl->Size((float)size.cx, (float)size.cy, 2);

            ReduceColors(nBits);
            m_pPanelFrame->CenterImage();
        }
        catch (...)
        {
        }
    }
    m_pPanelFrame->Invalidate(TRUE);
    if (bRepaint)
        m_pPanelCtrl->ForceRepaint();
}

void CLeadViewerWnd::ReduceColors(int nBits)
{
    short nDither = GetLeadDitherType(m_nDither);
    if (nBits == 8 && m_pPal256)
    {
        if (m_bPlx508Mode && m_pPalPlx508)
        {
            m_pPanelCtrl->ColorRes(8, 0x10, 0, 256);
            ApplyPlx508Palette();
        }
        else
            m_pPanelCtrl->ColorRes(8, 0x10, nDither, 256);
    }
    else if (nBits == 4 && m_pPal16)
        m_pPanelCtrl->ColorRes(4, 0x10, nDither, 16);
    else if (nBits == 16)
        m_pPanelCtrl->ColorRes(24, 4, 0, 0);
    else if (nBits == 3 && m_pPal8)
        m_pPanelCtrl->ColorRes(3, 0x10, nDither, 8);
    else
        m_pPanelCtrl->ColorRes((short)nBits, 1, nDither, (short)((nBits >= 0 && nBits < 16) ? (1 << nBits) : 0));
}

void CLeadViewerWnd::ApplyPlx508Palette()
{
    // The panel shows the Plx508 palette entry for entry, whatever colours
    // the reduction put into the table.
    HGLOBAL hDib = m_pPanelCtrl->GetDIB();
    if (!hDib)
        return;
    SIZE_T nSize = ::GlobalSize(hDib);
    if (BYTE* p = static_cast<BYTE*>(::GlobalLock(hDib)))
    {
        BITMAPINFOHEADER bih;
        memcpy(&bih, p, sizeof(bih));
        SIZE_T nEntries = 256;
        if (bih.biSize == sizeof(bih) && bih.biClrUsed != 0 && bih.biClrUsed < nEntries)
            nEntries = bih.biClrUsed;
        if (bih.biSize == sizeof(bih) && bih.biBitCount == 8 && nSize >= sizeof(bih) + nEntries * 4)
        {
            BYTE* pTable = p + sizeof(bih);
            for (SIZE_T i = 0; i < nEntries; i++)
            {
                unsigned long cr = m_pPalPlx508[i];
                pTable[4 * i] = (BYTE)(cr >> 16);
                pTable[4 * i + 1] = (BYTE)(cr >> 8);
                pTable[4 * i + 2] = (BYTE)cr;
            }
        }
        ::GlobalUnlock(hDib);
        m_pPanelCtrl->SetDIB(hDib);
    }
    ::GlobalFree(hDib);
}

void CLeadViewerWnd::UpdateOriginalImage(int bRepaint)
{
    if (!m_pSourceCtrl || !m_pOriginalCtrl)
        return;
    CWaitCursor wait;
    {
        CRedrawOff redrawOff(m_pOriginalCtrl);
        try
        {
            m_pOriginalCtrl->SetBitmap(m_pSourceCtrl->GetBitmap());
            if (m_bSizeToFit && m_sizeFit.cx > 0 && m_sizeFit.cy > 0)
                m_pOriginalCtrl->Size((float)m_sizeFit.cx, (float)m_sizeFit.cy, 2);
            m_pOriginalFrame->CenterImage();
        }
        catch (...)
        {
        }
    }
    m_pOriginalFrame->Invalidate(TRUE);
    if (bRepaint)
        m_pOriginalCtrl->ForceRepaint();
}

void CLeadViewerWnd::GetSizeToFitImageSize(CSize* pSize)
{
    *pSize = CSize(0, 0);
    if (!m_pSourceCtrl || !m_pPanelFrame)
        return;
    CRect rcSource(0, 0, (int)m_pSourceCtrl->GetSrcWidth(), (int)m_pSourceCtrl->GetSrcHeight());
    CRect rcFit;
    CWnd* pPage = nullptr;
    if (m_pTabWnd && m_pTabWnd->GetSelectedPage(pPage) && pPage)
        static_cast<CLeadFrame*>(pPage)->CenterInFrame(rcSource, &rcFit);
    else
        m_pPanelFrame->CenterInFrame(rcSource, &rcFit);
    *pSize = CSize(rcFit.Width(), rcFit.Height());
}

void CLeadViewerWnd::Refresh()
{
    if (m_bSizeToFit)
        GetSizeToFitImageSize(&m_sizeFit);
    UpdatePanelImage(0, nullptr);
    UpdateOriginalImage(0);
    if (m_pTabWnd)
    {
        CWnd* pPage = nullptr;
        if (m_pTabWnd->GetSelectedPage(pPage) && pPage)
        {
            if (CLead* pLead = static_cast<CLeadFrame*>(pPage)->GetLeadCtrl())
            {
                pLead->ForceRepaint();
                pLead->Invalidate();
            }
        }
        else
            m_pTabWnd->ShowPage(m_pPanelFrame);
    }
    else if (m_pPanelFrame)
        m_pPanelFrame->ShowWindow(SW_SHOW);
    UpdatePropertyPages();
    if (m_hWnd)
        Invalidate(TRUE);
}

// ---------------------------------------------------------------- images out

CSize& CLeadViewerWnd::GetImageSize()
{
    return m_sizeImage;
}

void* CLeadViewerWnd::GetSourceImage()
{
    return m_pSourceCtrl ? m_pSourceCtrl->GetDIB() : nullptr;
}

void* CLeadViewerWnd::GetOriginalImage()
{
    return m_pOriginalCtrl ? m_pOriginalCtrl->GetDIB() : nullptr;
}

void* CLeadViewerWnd::GetPanelImage()
{
    if (!m_pPanelCtrl)
        return nullptr;
    CSize sizeOut = (m_sizeRequested.cx != 0 && m_sizeRequested.cy != 0) ? m_sizeRequested : m_sizeImage;
    CSize sizeShown((int)m_pPanelCtrl->GetSrcWidth(), (int)m_pPanelCtrl->GetSrcHeight());
    UpdatePanelImage(0, &sizeOut);
    HGLOBAL hDib = m_pPanelCtrl->GetDIB();
    UpdatePanelImage(0, &sizeShown);
    return hDib;
}

void CLeadViewerWnd::GetPlxDibInfo(sPLXDIBINFO* pInfo)
{
    memset(pInfo, 0, sizeof(*pInfo));
    const CString& strFile = GetFileName();
    CFileSystemObject fso;
    CPlxDibInfo::SetNames(*pInfo, strFile, fso.GetTitle(strFile));
    pInfo->byDither = (unsigned char)m_nDither;
    pInfo->byColorBits = (unsigned char)m_nImageColorBits;
    pInfo->byContrast = (unsigned char)(m_nContrast & 0xFF);
    pInfo->byBrightness = (unsigned char)(m_nBrightness & 0xFF);
    pInfo->dwFlags = (m_bSmooth ? PLXDIB_SMOOTH : 0) | (m_bInvert ? PLXDIB_INVERT : 0) | (m_bBlur ? PLXDIB_BLUR : 0)
                     | (m_bSharpen ? PLXDIB_SHARPEN : 0) | (m_bFlip ? PLXDIB_FLIP : 0)
                     | (m_bMirror ? PLXDIB_MIRROR : 0);
}

int CLeadViewerWnd::CacheData(COleDataSource* pDataSource)
{
    if (!m_pPanelCtrl || !pDataSource)
        return 0;
    HGLOBAL hDib = m_pPanelCtrl->GetDIB();
    if (!hDib)
        return 0;
    pDataSource->CacheGlobalData(CF_DIB, hDib);

    sPLXDIBINFO info;
    GetPlxDibInfo(&info);
    if (HGLOBAL hInfo = CPlxDibInfo::Write(info))
        pDataSource->CacheGlobalData(CPlxDibInfo::GetFormat(), hInfo);
    return 1;
}

// ---------------------------------------------------------------- pages

int CLeadViewerWnd::HasPropertyPages()
{
    return 1;
}

void CLeadViewerWnd::AddPropertyPages(CPropertySheet* pSheet)
{
    if (!pSheet)
        return;
    if (m_dwViewerStyle & VWS_GENERALPAGE)
    {
        // A fresh page each time; the previous one leaves the sheet first.
        if (m_pGeneralPage)
        {
            int nIndex = pSheet->GetPageIndex(m_pGeneralPage);
            if (nIndex >= 0)
                pSheet->RemovePage(nIndex);
            delete m_pGeneralPage;
        }
        m_pGeneralPage = new CViewerGeneralPpg(this);
        pSheet->AddPage(m_pGeneralPage);
    }
    if (!m_pImagePage)
    {
        m_pImagePage = new CLeadViewerPpg(this);
        if (m_pPalPlx508)
            m_pImagePage->SetPlx5CompMode(1);
    }
    pSheet->AddPage(m_pImagePage);
    if (m_nImageColorBits >= 8)
    {
        if (!m_pPanelPage)
        {
            CViewerPps* pPps = DYNAMIC_DOWNCAST(CViewerPps, pSheet);
            m_pPanelPage = new CViewerPanelPpg(pPps ? pPps->GetColorNames() : nullptr, this);
        }
        pSheet->AddPage(m_pPanelPage);
    }
}

void CLeadViewerWnd::RemovePropertyPages(CPropertySheet* pSheet)
{
    auto removePage = [pSheet](CPropertyPage* pPage) {
        if (pSheet)
        {
            int nIndex = pSheet->GetPageIndex(pPage);
            if (nIndex >= 0)
                pSheet->RemovePage(nIndex);
        }
        delete pPage;
    };
    if ((m_dwViewerStyle & VWS_GENERALPAGE) && m_pGeneralPage)
    {
        removePage(m_pGeneralPage);
        m_pGeneralPage = nullptr;
    }
    if (m_pImagePage)
    {
        removePage(m_pImagePage);
        m_pImagePage = nullptr;
    }
    if (m_pPanelPage)
    {
        removePage(m_pPanelPage);
        m_pPanelPage = nullptr;
    }
}

void CLeadViewerWnd::UpdatePropertyPages()
{
    if (m_pGeneralPage && m_pGeneralPage->GetSafeHwnd())
        m_pGeneralPage->OnUpdate();
    if (m_pImagePage && m_pImagePage->GetSafeHwnd())
        m_pImagePage->OnUpdate();
    if (m_pPanelPage && m_pPanelPage->GetSafeHwnd())
        m_pPanelPage->OnUpdate();
}

void CLeadViewerWnd::ShowSizeToPage(int bShow)
{
    if (m_pImagePage)
        m_pImagePage->ShowSizeToPage(bShow);
}

void CLeadViewerWnd::ShowPlx508CompatibilityCtrl(int bShow)
{
    if (m_pImagePage)
        m_pImagePage->SetPlx5CompMode(bShow);
}
