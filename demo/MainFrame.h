// The demo's main window: a menu and a list that shows what the library
// offers (its string table for now).
#pragma once
#include <afxwin.h>
#include <afxcmn.h>
#include <memory>
#include "DemoProject.h"

class CMainFrame : public CWnd
{
public:
    CMainFrame() = default;
    BOOL CreateFrame();
    void ShowStringTable();
    CListCtrl& List() { return m_list; }
    CDemoProject& Project() { return *m_pProject; }
    // The project's driver and controller mode in the list.
    void ShowProject();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnFileExit();
    afx_msg void OnFileFolder();
    afx_msg void OnViewStrings();
    afx_msg void OnEditValues();
    afx_msg void OnEditPaste();
    afx_msg void OnDriverCatalogue();
    afx_msg void OnDriverSelect();
    afx_msg void OnImagePreview();
    afx_msg void OnImageSettings();
    afx_msg void OnImageCopy();
public:
    // Bild -> Kopieren without a message: the open image viewer's panel
    // image onto the clipboard. FALSE without a shown picture.
    static BOOL CopyViewerImage();
protected:
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    CListCtrl m_list;
    CMenu m_menu;
    std::unique_ptr<CDemoProject> m_pProject;
};
