// CLeadViewerWnd: the image viewer (viewer type 1). It previews a bitmap the
// way an operator panel of a given colour depth and palette shows it. Three
// imaging controls do the work: a hidden source control holding the image as
// loaded, the panel control showing the source after the effects, resizing
// and colour reduction, and the original control showing the source resized
// only. With VWS_PANELTABS the panel and original frames are two pages of a
// tab window; without it only the panel frame shows.
#pragma once
#include "viewer/ViewerWnd.h"
#include "viewer/LeadViewerPages.h"
#include "viewer/PanelPipeline.h"
#include "viewer/PanelSettings.h"
#include "viewer/PlxDibInfo.h"

class CLead;
class CLeadFrame;
class CTabWnd;

// Control ids of the viewer's children.
#define IDC_LEADVIEWER_SOURCE   7000
#define IDC_LEADVIEWER_PANEL    7001
#define IDC_LEADVIEWER_ORIGINAL 7002
#define IDC_LEADVIEWER_TABS     7003

class AFX_EXT_CLASS CLeadViewerWnd : public CViewerWnd
{
    DECLARE_DYNAMIC(CLeadViewerWnd)
public:
    explicit CLeadViewerWnd(DWORD dwStyle = 0);
    ~CLeadViewerWnd() override;

    // CViewerWnd
    void SetColorInfo(int nBits, const unsigned long* pPal16, const unsigned long* pPal256,
                      const unsigned long* pPalPlx508, const unsigned long* pPal8) override;
    CSize& GetImageSize() override;
    void* GetPanelImage() override;
    void* GetOriginalImage() override;
    int SetImage(void* hDib) override;
    int LoadFile(LPCSTR pszPath) override;
    int CacheData(COleDataSource* pDataSource) override;
    void Refresh() override;
    int HasPropertyPages() override;
    void AddPropertyPages(CPropertySheet* pSheet) override;
    void RemovePropertyPages(CPropertySheet* pSheet) override;
    int Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
               CCreateContext* pContext = nullptr) override;

    virtual void SetImageColorBits(int nBits, int bUpdate);
protected:
    // The panel image from the source; pSize, when given, is the size it gets.
    virtual void UpdatePanelImage(int bRepaint, CSize* pSize);
    virtual void UpdateOriginalImage(int bRepaint);
public:
    virtual void UpdatePropertyPages();
    // Effects, dither, contrast, brightness and Plx508 mode back to their defaults.
    virtual void ResetPropertySettings();
    // Takes an existing dialog control over as the viewer window, then Init.
    virtual int SubclassDlgItem(UINT nID, CWnd* pParent);
    // Builds the controls and frames; 0 (after a message) without the imaging control.
    virtual int Init();

    int LoadLeadTool() { return 0; }
    void* GetSourceImage();
    int GetImageColorBits() const { return m_settings.nColorBits; }
    // Everything that decides the panel image besides the source and its
    // size: the viewer's effects, dither, contrast, brightness, Plx508 mode,
    // image colour bits and palettes.
    CPanelSettings GetPanelSettings() const;
    // Takes the effects, dither, contrast, brightness and Plx508 mode of the
    // value (not the colour bits or palettes); marks the viewer modified and,
    // with bUpdate, recomputes the panel image.
    void SetPanelSettings(const CPanelSettings& settings, int bUpdate);
    // Loads 2^nBits colours of pPalette into the panel control's user palette.
    void SetUserPalette(int nBits, const unsigned long* pPalette);

    void EnableSmooth(int bEnable, int bUpdate);
    void EnableInvert(int bEnable, int bUpdate);
    void EnableBlur(int bEnable, int bUpdate);
    void EnableSharpen(int bEnable, int bUpdate);
    void EnableFlip(int bEnable, int bUpdate);
    void EnableMirror(int bEnable, int bUpdate);
    void SetDither(int nDither, int bUpdate);
    void SetContrast(int nContrast, int bUpdate);
    void SetBrightness(int nBrightness, int bUpdate);
    void EnablePlx508Mode(int bEnable, int bUpdate);
    int GetSmooth() const { return m_settings.bSmooth; }
    int GetInvert() const { return m_settings.bInvert; }
    int GetBlur() const { return m_settings.bBlur; }
    int GetSharpen() const { return m_settings.bSharpen; }
    int GetFlip() const { return m_settings.bFlip; }
    int GetMirror() const { return m_settings.bMirror; }
    int GetDither() const { return m_settings.nDither; }
    int GetContrast() const { return m_settings.nContrast; }
    int GetBrightness() const { return m_settings.nBrightness; }
    int GetPlx508Mode() const { return m_settings.bPlx508Mode; }

    // Changing the flag refreshes both displays.
    void EnableSizeToFit(int bEnable);
    int IsSizeToFitEnabled() const { return m_bSizeToFit; }
    void ShowSizeToPage(int bShow);
    void ShowPlx508CompatibilityCtrl(int bShow);

    CLead* GetSourceCtrl() const { return m_pSourceCtrl; }
    CLead* GetPanelCtrl() const { return m_pPanelCtrl; }
    CLead* GetOriginalCtrl() const { return m_pOriginalCtrl; }
    CLeadFrame* GetPanelFrame() const { return m_pPanelFrame; }
    CLeadFrame* GetOriginalFrame() const { return m_pOriginalFrame; }
    CTabWnd* GetTabWnd() const { return m_pTabWnd; }
    const CSize& GetFitSize() const { return m_sizeFit; }
    CLeadViewerPpg* GetImagePage() const { return m_pages.GetImagePage(); }
    CViewerPanelPpg* GetPanelPage() const { return m_pages.GetPanelPage(); }
    CViewerGeneralPpg* GetGeneralPage() const { return m_pages.GetGeneralPage(); }

    // The registered clipboard format "PlxDibInfo".
    static UINT GetPlxDibInfoFormat() { return CPlxDibInfo::GetFormat(); }

protected:
    static short GetLeadDitherType(int nDither);
    CLeadFrame* CreateDisplayImage(const CRect& rect, UINT nID);
    void GetSizeToFitImageSize(CSize* pSize);
    void GetPlxDibInfo(sPLXDIBINFO* pInfo);
    // Object factories, so that tests can put doubles in the controls' place.
    virtual CLead* CreateLeadCtrl();
    virtual CLeadFrame* CreateLeadFrame();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CLeadFrame* m_pPanelFrame;
    CLeadFrame* m_pOriginalFrame;
    CLead* m_pSourceCtrl;
    // The panel image's stages kept between two settings changes.
    CPanelPipeline m_pipeline;
    CLead* m_pPanelCtrl;
    CLead* m_pOriginalCtrl;
    CTabWnd* m_pTabWnd;
    CLeadViewerPages m_pages;
    CSize m_sizeImage;
    // The effects, dither, contrast, brightness, Plx508 mode and image colour
    // bits; the palettes are the base's.
    CPanelSettings m_settings;
    int m_bSizeToFit;
    CSize m_sizeFit;

private:
    int InitControls(CRect rect);
    void AddTabPages();
    void LoadPaletteFor(int nBits);
    // The size the panel image is computed at: pSize, the fit size or the
    // requested size; 0 x 0 keeps the source's.
    CSize GetPanelSize(const CSize* pSize) const;
    void SetEffect(int& rFlag, int nValue, int bUpdate);
    void DestroyControls();
};
