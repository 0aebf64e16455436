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
#include "viewer/PanelImage.h"

IMPLEMENT_DYNAMIC(CLeadViewerWnd, CViewerWnd)

BEGIN_MESSAGE_MAP(CLeadViewerWnd, CViewerWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{

// Turns a control's drawing off while the image is rebuilt, and back on afterwards.
class CRedrawOff
{
public:
    // pWnd: the control, or nullptr to leave drawing as it is.
    explicit CRedrawOff(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
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

} // namespace

CLeadViewerWnd::CLeadViewerWnd(DWORD dwStyle)
    : CViewerWnd(1, dwStyle), m_pPanelFrame(nullptr), m_pOriginalFrame(nullptr), m_pSourceCtrl(nullptr),
      m_pPanelCtrl(nullptr), m_pOriginalCtrl(nullptr), m_pTabWnd(nullptr), m_pages(this), m_sizeImage(0, 0),
      m_bSizeToFit(1), m_sizeFit(-1, -1)
{
}

CLeadViewerWnd::~CLeadViewerWnd()
{
    DestroyControls();
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
        LoadPaletteFor(m_settings.nColorBits);
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
    m_settings.nColorBits = nBits;
    m_pPal16 = pPal16;
    m_pPal256 = pPal256;
    m_pPalPlx508 = pPalPlx508;
    m_pPal8 = pPal8;
    LoadPaletteFor(nBits);
}

void CLeadViewerWnd::SetImageColorBits(int nBits, int bUpdate)
{
    m_settings.nColorBits = nBits;
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

CPanelSettings CLeadViewerWnd::GetPanelSettings() const
{
    CPanelSettings settings = m_settings;
    settings.pPal16 = m_pPal16;
    settings.pPal256 = m_pPal256;
    settings.pPalPlx508 = m_pPalPlx508;
    settings.pPal8 = m_pPal8;
    return settings;
}

void CLeadViewerWnd::SetPanelSettings(const CPanelSettings& settings, int bUpdate)
{
    const int nColorBits = m_settings.nColorBits;
    m_settings = settings;
    m_settings.nColorBits = nColorBits;
    SetModified(1);
    if (bUpdate)
        UpdatePanelImage(1, nullptr);
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
    return CPanelSettings::GetLeadDitherCode(nDither);
}

// ---------------------------------------------------------------- effects

void CLeadViewerWnd::SetEffect(int& rValue, int nValue, int bUpdate)
{
    rValue = nValue;
    SetModified(1);
    if (bUpdate)
        UpdatePanelImage(1, nullptr);
}

void CLeadViewerWnd::EnableSmooth(int bEnable, int bUpdate) { SetEffect(m_settings.bSmooth, bEnable, bUpdate); }
void CLeadViewerWnd::EnableInvert(int bEnable, int bUpdate) { SetEffect(m_settings.bInvert, bEnable, bUpdate); }
void CLeadViewerWnd::EnableBlur(int bEnable, int bUpdate) { SetEffect(m_settings.bBlur, bEnable, bUpdate); }
void CLeadViewerWnd::EnableSharpen(int bEnable, int bUpdate) { SetEffect(m_settings.bSharpen, bEnable, bUpdate); }
void CLeadViewerWnd::EnableFlip(int bEnable, int bUpdate) { SetEffect(m_settings.bFlip, bEnable, bUpdate); }
void CLeadViewerWnd::EnableMirror(int bEnable, int bUpdate) { SetEffect(m_settings.bMirror, bEnable, bUpdate); }
void CLeadViewerWnd::SetDither(int nDither, int bUpdate) { SetEffect(m_settings.nDither, nDither, bUpdate); }
void CLeadViewerWnd::SetContrast(int nContrast, int bUpdate) { SetEffect(m_settings.nContrast, nContrast, bUpdate); }
void CLeadViewerWnd::SetBrightness(int nBrightness, int bUpdate) { SetEffect(m_settings.nBrightness, nBrightness, bUpdate); }
void CLeadViewerWnd::EnablePlx508Mode(int bEnable, int bUpdate) { SetEffect(m_settings.bPlx508Mode, bEnable, bUpdate); }

void CLeadViewerWnd::ResetPropertySettings()
{
    m_settings.ResetEffects();
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
    if (CPanelImage::LoadSource(*m_pSourceCtrl, pszPath) != CLead::errNone)
        return 0;

    SetFileName(pszPath);
    m_sizeImage = CSize((int)m_pSourceCtrl->GetSrcWidth(), (int)m_pSourceCtrl->GetSrcHeight());
    m_settings.nDither = CPanelImage::GetInitialDither(m_pSourceCtrl->GetColorCount(), m_settings.nColorBits);
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

CSize CLeadViewerWnd::GetPanelSize(const CSize* pSize) const
{
    if (pSize)
        return *pSize;
    if (m_bSizeToFit && m_sizeFit.cx > 0 && m_sizeFit.cy > 0)
        return m_sizeFit;
    if (m_sizeRequested.cx != 0 && m_sizeRequested.cy != 0)
        return m_sizeRequested;
    return CSize(0, 0);
}

void CLeadViewerWnd::UpdatePanelImage(int bRepaint, CSize* pSize)
{
    const CPanelSettings settings = GetPanelSettings();
    if (settings.nColorBits == 8 && m_pSourceCtrl)
    {
        // The panel control paints with the palette the reduction uses; a
        // 16-colour picture keeps the 16-colour palette.
        const int nBits = m_pSourceCtrl->GetBitmapBits() == 4 ? 4 : 8;
        SetUserPalette(nBits, settings.GetPaletteFor(nBits));
    }
    if (!m_pSourceCtrl || !m_pPanelCtrl)
        return;

    CWaitCursor wait;
    try
    {
        // Nothing is drawn while the image is built. Only an image of
        // another size moves the control, so only then is its drawing held
        // back while it takes the image: turning drawing back on costs a
        // round trip through the window system, at every step of a slider.
        qrv::img::Image image;
        m_pipeline.Build(m_pSourceCtrl->GetImage(), m_pSourceCtrl->GetImageVersion(), settings,
                         GetPanelSize(pSize), image);
        const bool bNewSize = image.Width() != int(m_pPanelCtrl->GetSrcWidth()) ||
                              image.Height() != int(m_pPanelCtrl->GetSrcHeight());
        CRedrawOff redrawOff(bNewSize ? m_pPanelCtrl : nullptr);
        m_pPanelCtrl->TakeImage(image);
        m_pPanelCtrl->SetPaintPalette(0);
        m_pPanelFrame->CenterImage();
    }
    catch (...)
    {
    }
    m_pPanelFrame->Invalidate(TRUE);
    if (bRepaint)
        m_pPanelCtrl->ForceRepaint();
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
    if (!m_pPanelCtrl || !m_pSourceCtrl)
        return nullptr;
    // Computed apart from the display, which keeps showing what it showed.
    const CSize sizeOut = (m_sizeRequested.cx != 0 && m_sizeRequested.cy != 0) ? m_sizeRequested : m_sizeImage;
    qrv::img::Image image;
    if (CPanelImage::Build(m_pSourceCtrl->GetImage(), GetPanelSettings(), sizeOut, image) != qrv::img::kOk)
        return nullptr;
    return CLead::CreateDIB(image);
}

void CLeadViewerWnd::GetPlxDibInfo(sPLXDIBINFO* pInfo)
{
    memset(pInfo, 0, sizeof(*pInfo));
    const CString& strFile = GetFileName();
    CFileSystemObject fso;
    CPlxDibInfo::SetNames(*pInfo, strFile, fso.GetTitle(strFile));
    m_settings.FillRecord(*pInfo);
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
    m_pages.Add(pSheet);
}

void CLeadViewerWnd::RemovePropertyPages(CPropertySheet* pSheet)
{
    m_pages.Remove(pSheet);
}

void CLeadViewerWnd::UpdatePropertyPages()
{
    m_pages.Update();
}

void CLeadViewerWnd::ShowSizeToPage(int bShow)
{
    if (CLeadViewerPpg* pPage = m_pages.GetImagePage())
        pPage->ShowSizeToPage(bShow);
}

void CLeadViewerWnd::ShowPlx508CompatibilityCtrl(int bShow)
{
    if (CLeadViewerPpg* pPage = m_pages.GetImagePage())
        pPage->SetPlx5CompMode(bShow);
}
