// The shell tree in a visible host window, over folders made by the test
// under C:\qrv-browse\<test name> (the build's private Wine prefix).
#pragma once
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "browse/ShellTree.h"
#include "tests/browse/FileTestSupport.h"

namespace qrvtest {

// A shell tree that records the files it reports as selected.
class RecordingShellTree : public CShellTree
{
public:
    void OnFileSelected(const char* pszPath) override { m_selected.push_back(pszPath); }
    int Filter(const char* pszName)
    {
        std::string s = pszName;
        return FilterFileType(&s[0], 0);
    }
    std::vector<std::string> m_selected;
};

void WriteFile(const std::string& path, const std::string& text = "x");
using filetest::RemoveFolder;
using filetest::Upper;

class ShellTreeTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // root\Bilder\{x.bmp, y.txt}, root\Übung\Straße.PNG, root\leer\ and the
    // files a.bmp, B.BMP, c.Png, d.txt, noext, Ärger.bmp in root.
    void MakeSampleTree();
    // LoadTree(root): the top-level item for the test's folder.
    HTREEITEM LoadRoot();
    HTREEITEM Child(HTREEITEM hParent, const std::string& label);
    std::vector<std::string> Labels(HTREEITEM hParent);
    std::string Path(HTREEITEM hItem);
    bool Expanded(HTREEITEM hItem);
    bool ExpandedOnce(HTREEITEM hItem);
    // Collapses and expands the item again, as a user would reopen it.
    void Reopen(HTREEITEM hItem);
    // Records of the item and all its descendants.
    std::vector<tagID*> Records(HTREEITEM hParent);

    std::string m_root;   // without trailing backslash
    CWnd m_host;
    RecordingShellTree m_tree;
};

}
