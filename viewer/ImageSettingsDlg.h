// CImageSettingsDlg: the modal dialog "Grafik Einstellungen" in which the
// user prepares a bitmap for an operator panel. It shows the image as the
// panel will (a second tab shows the original) with the viewer's pages
// beside it; after OK the host takes the processed bitmap with GetDIB.
#pragma once
#include <afxwin.h>
#include "viewer/PanelSettings.h"

class CLeadViewerWnd;
class CViewerPps;

class AFX_EXT_CLASS CImageSettingsDlg : public CDialog
{
    DECLARE_DYNAMIC(CImageSettingsDlg)
public:
    CImageSettingsDlg(void* hDib, int nColorBits, const unsigned long* pPal16, const unsigned long* pPal256,
                      CStringArray* pColorNames, const unsigned long* pPalPlx508, const unsigned long* pPal8,
                      CWnd* pParent = nullptr);
    ~CImageSettingsDlg() override;

    // The processed DIB after OK, which the caller then owns; null otherwise.
    void* GetDIB();

    CLeadViewerWnd* GetViewer() const { return m_pViewer; }
    CViewerPps* GetSheet() const { return m_pSheet; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    // Object factory, so that tests can put a double in the viewer's place.
    virtual CLeadViewerWnd* CreateViewer();
    void DeleteParts();

    CLeadViewerWnd* m_pViewer;
    CViewerPps* m_pSheet;
    void* m_hSourceDib;
    void* m_hResultDib;
    int m_bResultOwned;
    // The panel's colour bits and palettes the host gave.
    CPanelSettings m_settings;
    CStringArray* m_pColorNames;
};
