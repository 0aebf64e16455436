// The demo host's frame: the project's menus, the view with the picture
// folder, the viewer pane and its sheet, and a status line with the active
// controller and the panel's colour depth. Its placement is saved as the
// library's resize framework saves a window's placement.
#pragma once
#include <afxext.h>
#include "framework/Resize.h"

class CHostDoc;
class CHostView;

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();

    CHostView* View() const;
    CHostDoc* Document() const;
    CStatusBar& StatusBar() { return m_statusBar; }
    // The status line as the document stands.
    void UpdateStatus();
    // The colour depth command of the project's depth is checked.
    void UpdateDepthMenu();
    // Where the frame's placement is kept in the application's profile.
    static LPCSTR PlacementSection() { return "Hauptfenster"; }
    BOOL LoadPlacement() { return m_placement.LoadPlacement(PlacementSection()); }
    BOOL SavePlacement() { return m_placement.SavePlacement(PlacementSection()); }

    // Panel -> Farbtiefe: the command of a depth (Plx508 for bits 0).
    static UINT DepthCommand(int nBits, bool bPlx508);

    afx_msg void OnProjectNew();
    afx_msg void OnProjectOpen();
    afx_msg void OnProjectSave();
    afx_msg void OnDriverSelect();
    afx_msg void OnPanelDepth(UINT nID);
    afx_msg void OnPanelSettings();
    afx_msg void OnEditValues();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnViewStrings();
    afx_msg void OnViewCatalogue();
    afx_msg void OnExit();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CStatusBar m_statusBar;
    CResize m_placement;
};
