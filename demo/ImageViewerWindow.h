// "Bildvorschau": the sample pictures in a list, the library's main viewer
// window showing the chosen one as a panel would, and the viewer property
// sheet beside it. The viewers come from the demo's own registry key, as
// the host configures them.
#pragma once
#include <afxwin.h>
#include "viewer/MainViewerWnd.h"
#include "viewer/ViewerList.h"

class CViewerPps;
class CLeadViewerWnd;

class CImageViewerWindow : public CWnd
{
public:
    // Opens a new, self-deleting window owned by pParent for a panel of
    // nColorBits; null if it cannot.
    static CImageViewerWindow* Show(CWnd* pParent, int nColorBits = 8);

    // Shows the sample picture of that file name; FALSE if there is none.
    BOOL ShowSample(LPCSTR pszName);
    // A panel of another colour depth; the sheet gets the viewer's pages anew.
    void SetPanelColorBits(int nBits);
    // The image viewer once a picture is shown, else null.
    CLeadViewerWnd* ImageViewer();
    // Brings the "Original" tab to the front.
    void ShowOriginalTab();

    // Where the demo registers its viewers below HKEY_CURRENT_USER.
    static LPCSTR RegistryKey() { return "Software\\QRV Demo\\Viewer"; }

protected:
    CImageViewerWindow();
    ~CImageViewerWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSelchangeFiles();
    afx_msg void OnViewerActivate(NMHDR* pNmhdr, LRESULT* pResult);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    static void RegisterViewers();
    BOOL CreateSheet();
    void OpenPages(CViewerWnd* pViewer);
    void LoadSelected();
    void Layout(int cx, int cy);

    CListBox m_files;
    CMainViewerWnd m_pane;
    CViewerList m_viewers;
    CViewerPps* m_pSheet = nullptr;
    CStringArray m_paths;
    int m_nColorBits = 8;
};
