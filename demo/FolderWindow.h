// A window with the library's file list tree and its filter combo box,
// showing bitmaps and PNG files, opened at the sample images (or another
// folder of images beside the demo's sources). Files can be copied, moved,
// renamed, deleted and dropped in it.
#pragma once
#include <afxwin.h>
#include "browse/FileFilterCombo.h"
#include "browse/FileListTree.h"

class CFolderWindow : public CWnd
{
public:
    // Opens a new, self-deleting window owned by pParent, at pszFolder or
    // else at the sample images; null if it cannot.
    static CWnd* Show(CWnd* pParent, LPCSTR pszFolder = nullptr);
    // The folder window opened last and still open, or null.
    static CFolderWindow* Current() { return s_pCurrent; }
    // Bearbeiten -> Einfügen: the clipboard's files or viewer bitmap into
    // the selected folder (or the selected file's folder). 1 if pasted.
    int Paste();
    // The folder the tree is opened at, ending with a backslash.
    static CString ImageFolder();

protected:
    CFolderWindow() = default;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnFilterChange(NMHDR* pNMHDR, LRESULT* pResult);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    bool CreateFilterCombo(const CRect& rc);

    CFileFilterCombo m_filter;
    CFileListTree m_tree;
    CString m_strFolder;
    static CFolderWindow* s_pCurrent;
};
