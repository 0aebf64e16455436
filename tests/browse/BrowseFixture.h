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

using Names = std::vector<std::string>;
void WriteText(const std::string& path, const std::string& text = "x");
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
void RemoveFolder(const std::string& path);   // with everything in it, through the shell, without asking
std::string Upper(std::string s);             // as the shell compares paths
Names FolderEntries(const std::string& folder);   // without "." and "..", sorted
// A file list of the given paths, built as the library builds them; the entries a walk of a list yields.
CString MakeList(const Names& paths);
Names Entries(const CString& list);
HGLOBAL MakeDib(int w, int h);   // 24 bits, in movable global memory
// The info header of a bitmap file (all zero when there is none).
BITMAPINFOHEADER BitmapHeader(const std::string& path);
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
    int Filter(std::string name) { return FilterFileType(&name[0], 0); }
    Names m_selected;
};

// Makes the test's folder and the host window with the tree in it.
class TreeTestBase : public ::testing::Test
{
protected:
    explicit TreeTestBase(CShellTree& tree) : m_treeBase(tree) {}
    void SetUp() override;
    void TearDown() override;
    virtual BOOL CreateTree() = 0;

    // Makes the folder or the file below the test's folder; its path.
    std::string Folder(const std::string& relative);
    std::string File(const std::string& relative, const std::string& text = "x");
    // LoadTree(root): the (newest) top-level item for the test's folder.
    HTREEITEM LoadRoot();
    HTREEITEM Child(HTREEITEM hParent, const std::string& label);
    Names Labels(HTREEITEM hParent);
    std::string Path(HTREEITEM hItem);
    bool State(HTREEITEM hItem, UINT state) { return (m_treeBase.GetItemState(hItem, state) & state) != 0; }
    bool Expanded(HTREEITEM hItem) { return State(hItem, TVIS_EXPANDED); }
    bool ExpandedOnce(HTREEITEM hItem) { return State(hItem, TVIS_EXPANDEDONCE); }
    CPoint Center(HTREEITEM hItem);   // client point in the middle of the item's label

    std::string m_root;   // without trailing backslash
    CNotifyRecorder m_host;
    CShellTree& m_treeBase;
};

class ShellTreeTest : public TreeTestBase
{
protected:
    ShellTreeTest() : TreeTestBase(m_tree) {}
    BOOL CreateTree() override;
    // root\Bilder\{x.bmp, y.txt}, root\Übung\Straße.PNG, root\leer\ and the
    // files a.bmp, B.BMP, c.Png, d.txt, noext, Ärger.bmp in root.
    void MakeSampleTree();

    RecordingShellTree m_tree;
};

// The file list tree takes dropped files and edits labels; its filter is "*.txt;*.bmp".
class FileListTreeTest : public TreeTestBase
{
protected:
    FileListTreeTest() : TreeTestBase(m_tree) {}
    BOOL CreateTree() override;
    // Sends a dropped-files message for the files at the client point (the list at pFiles).
    void Drop(const Names& files, CPoint pt, DWORD pFiles = 20);
    // Starts a drag on the item as the tree control announces it.
    void BeginDrag(HTREEITEM hItem);

    CFileListTree m_tree;
};

}

namespace qrvtest {
using namespace filetest;
}
