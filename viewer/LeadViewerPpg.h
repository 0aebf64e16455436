// CLeadViewerPpg: the image viewer's page "Bild": dither method, contrast,
// brightness, the six effects, size to fit, the Plx5-compatible dithering
// switch and reset. Every change goes to the viewer at once and recomputes
// its panel image; the page reads the viewer back only in OnUpdate.
#pragma once
#include "framework/PropertyPageExt.h"

class CLeadViewerWnd;

class AFX_EXT_CLASS CLeadViewerPpg : public CPropertyPageExt
{
    DECLARE_DYNCREATE(CLeadViewerPpg)
public:
    // A page made through its run-time class has no viewer and must not be shown.
    explicit CLeadViewerPpg(CLeadViewerWnd* pViewer = nullptr);
    ~CLeadViewerPpg() override;

    // Both take effect when the page window is created.
    void SetPlx5CompMode(int bShow) { m_bPlx5CompMode = bShow; }
    void ShowSizeToPage(int bShow) { m_bShowSizeToPage = bShow; }

    virtual void OnUpdate();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    // Also run by the sheet when its changes are cancelled.
    void OnReset() override;

protected:
    void EnableAll(BOOL bEnable);
    // Viewer -> controls.
    void UpdateData();

    afx_msg void OnSelchangeDither();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSmooth();
    afx_msg void OnInvert();
    afx_msg void OnBlur();
    afx_msg void OnSharpen();
    afx_msg void OnFlip();
    afx_msg void OnMirror();
    afx_msg void OnPlx5();
    afx_msg void OnSizeToFit();
    afx_msg void OnResetClicked();
    DECLARE_MESSAGE_MAP()

    CLeadViewerWnd* m_pViewer;
    int m_bPlx5CompMode;
    int m_bShowSizeToPage;

private:
    int IsChecked(UINT nID) const { return IsDlgButtonChecked((int)nID) == BST_CHECKED ? 1 : 0; }
};
