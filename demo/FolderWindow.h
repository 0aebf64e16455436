// A window with the library's shell folder tree, showing bitmaps and PNG
// files, opened at the sample images (or another folder of images beside the
// demo's sources).
#pragma once
#include <afxwin.h>
#include "browse/ShellTree.h"

class CFolderWindow : public CWnd
{
public:
    // Opens a new, self-deleting window owned by pParent; null if it cannot.
    static CWnd* Show(CWnd* pParent);
    // The folder the tree is opened at, ending with a backslash.
    static CString ImageFolder();

protected:
    CFolderWindow() = default;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    CShellTree m_tree;
};
