// A file list tree in a visible host window that records the socket's
// notifications, over folders made by the test under C:\qrv-filelist\<test>.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "browse/FileListTree.h"
#include "tests/browse/NotifyRecorder.h"

namespace filetest {

class FileListTreeTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the folder (and its parents below the root) and returns its path.
    std::string Folder(const std::string& relative);
    std::string File(const std::string& relative, const std::string& text = "x");
    // LoadTree(root) with the filter "*.txt;*.bmp": the root's item, expanded.
    HTREEITEM LoadRoot();
    // The child whose path ends in name (case-insensitive); null if none.
    HTREEITEM Child(HTREEITEM hParent, const std::string& name);
    int CountChildren(HTREEITEM hParent, const std::string& name);
    std::string Path(HTREEITEM hItem);
    bool Expanded(HTREEITEM hItem);
    // Client point in the middle of the item's label.
    CPoint Center(HTREEITEM hItem);
    // Posts a dropped-files message for the files at the client point and pumps until it is handled.
    void Drop(const std::vector<std::string>& files, CPoint pt);
    void SetCtrl(bool down);

    std::string m_root;   // without trailing backslash
    CNotifyRecorder m_host;
    CFileListTree m_tree;
};

}
