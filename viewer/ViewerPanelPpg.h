// CViewerPanelPpg: the page "Panel", choosing the colour depth of the panel
// image from the names the host supplies (4, 8 and 16 bits, in that order).
// The list never shows a depth above the panel's own.
#pragma once
#include <afxdlgs.h>

class CLeadViewerWnd;

class AFX_EXT_CLASS CViewerPanelPpg : public CPropertyPage
{
    DECLARE_DYNAMIC(CViewerPanelPpg)
public:
    CViewerPanelPpg(CStringArray* pColorNames, CLeadViewerWnd* pViewer);
    ~CViewerPanelPpg() override;

    virtual void OnUpdate();
    BOOL OnInitDialog() override;

    // Depth of a list position (-1 outside the table), and the position of a
    // depth (0 for a depth not in the table).
    static int DepthAt(int nPos);
    static int PositionOf(int nBits);

protected:
    afx_msg void OnSelchangeColors();
    DECLARE_MESSAGE_MAP()

    CLeadViewerWnd* m_pViewer;
    CStringArray* m_pColorNames;
};
