// Helpers of the browsing tests: real files and folders, file lists, a host
// window that records notifications, and a tree control in a visible host
// over folders made by the test under C:\qrv-browse\<test name>.
#pragma once
#include <afxwin.h>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "browse/FileListTree.h"
#include "browse/ShellTree.h"

namespace filetest {

// COM for the shell and OLE for the clipboard and drag and drop, set up once
// for the whole test program.
extern const ::testing::Environment* const g_oleEnvironment;

void WriteText(const std::string& path, const std::string& text = "x");
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
// Removes a folder with everything in it, through the shell, without asking.
void RemoveFolder(const std::string& path);
// The text in upper case, as the shell compares paths.
std::string Upper(std::string s);
// Names of the entries of a folder (without "." and ".."), sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
// A file list of the given paths, built as the library builds them; the entries a walk of a list yields.
CString MakeList(const std::vector<std::string>& paths);
std::vector<std::string> Entries(const CString& list);
// A w x h 24-bit DIB in movable global memory.
HGLOBAL MakeDib(int w, int h);
void SetCtrl(bool down);

// A top-level window that records the notifications reaching it; a test
// reads each record's payload in m_onNotify (payloads live only during the
// call) and chooses the answer for the socket's own (positive) codes.
class CNotifyRecorder : public CWnd
{
public:
    struct Record { HWND hwndFrom; UINT_PTR idFrom; UINT code; };
    std::vector<Record> m_records;
    std::function<LRESULT(NMHDR*)> m_onNotify;

    BOOL CreateTop(int cx = 400, int cy = 400);
    int Count(UINT code) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

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

class TreeTestBase : public ::testing::Test
{
protected:
    TreeTestBase(CShellTree& tree) : m_treeBase(tree) {}
    // Makes the test's folder and the host window; the tree is created by the fixture.
    void SetUp() override;
    void TearDown() override;

    // Makes the folder (and its parents below the root) or the file; its path.
    std::string Folder(const std::string& relative);
    std::string File(const std::string& relative, const std::string& text = "x");
    // LoadTree(root): the (newest) top-level item for the test's folder.
    HTREEITEM LoadRoot();
    HTREEITEM Child(HTREEITEM hParent, const std::string& label);
    std::vector<std::string> Labels(HTREEITEM hParent);
    int CountChildren(HTREEITEM hParent, const std::string& label);
    std::string Path(HTREEITEM hItem);
    bool Expanded(HTREEITEM hItem) { return (m_treeBase.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }
    bool ExpandedOnce(HTREEITEM hItem) { return (m_treeBase.GetItemState(hItem, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) != 0; }
    // Collapses and expands the item again, as a user would reopen it.
    void Reopen(HTREEITEM hItem);
    // Client point in the middle of the item's label.
    CPoint Center(HTREEITEM hItem);

    std::string m_root;   // without trailing backslash
    CNotifyRecorder m_host;
    CShellTree& m_treeBase;
};

class ShellTreeTest : public TreeTestBase
{
protected:
    ShellTreeTest() : TreeTestBase(m_tree) {}
    void SetUp() override;
    // root\Bilder\{x.bmp, y.txt}, root\Übung\Straße.PNG, root\leer\ and the
    // files a.bmp, B.BMP, c.Png, d.txt, noext, Ärger.bmp in root.
    void MakeSampleTree();
    // Records of the item and all its descendants.
    std::vector<tagID*> Records(HTREEITEM hParent);

    RecordingShellTree m_tree;
};

// The file list tree takes dropped files and edits labels; its filter is "*.txt;*.bmp".
class FileListTreeTest : public TreeTestBase
{
protected:
    FileListTreeTest() : TreeTestBase(m_tree) {}
    void SetUp() override;
    // Posts a dropped-files message for the files at the client point and pumps until it is handled.
    void Drop(const std::vector<std::string>& files, CPoint pt);

    CFileListTree m_tree;
};

}

namespace qrvtest {
using namespace filetest;
}
