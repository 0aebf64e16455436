// Helpers of the browsing tests: real files and folders, file lists, a host
// window that records notifications, and a tree control in a visible host
// over folders made by the test under C:\qrv-browse\<test name>.
#pragma once
#include <afxwin.h>
#include <ole2.h>
#include <shellapi.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "browse/DropFiles.h"
#include "browse/FileList.h"
#include "browse/FileListTree.h"
#include "browse/ShellTree.h"
#include "tests/support/TestApp.h"

namespace filetest {

using qrvtest::Exists;
using qrvtest::RemoveTree;
using Names = std::vector<std::string>;

// COM for the shell and OLE for the clipboard and drag and drop, once for the whole program.
struct OleEnvironment : ::testing::Environment {
    void SetUp() override { ::OleInitialize(nullptr); }
};
inline const ::testing::Environment *const g_ole = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

inline void WriteText(const std::string &path, const std::string &text = "x")
{
    EXPECT_TRUE((std::ofstream(path, std::ios::binary) << text).good()) << path;
}

inline std::string ReadText(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// The text in upper case, as the shell compares paths.
inline std::string Upper(std::string s)
{
    ::CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

// Names of the entries of a folder (without "." and ".."), sorted.
inline Names FolderEntries(const std::string &folder)
{
    Names names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(h, &fd))
        if (strcmp(fd.cFileName, ".") && strcmp(fd.cFileName, ".."))
            names.push_back(fd.cFileName);
    if (h != INVALID_HANDLE_VALUE)
        ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

// A file list of the given paths, built as the library builds them; the entries a walk of a list yields.
inline CString MakeList(const Names &paths)
{
    CString list;
    for (const std::string &path : paths)
        CFileList::Append(list, path.c_str());
    return list;
}

inline Names Entries(const CString &list)
{
    Names entries;
    CFileList walk(list);
    for (CString entry; walk.GetNext(entry);)
        entries.push_back(entry.GetString());
    return entries;
}

// The entries read from a dropped-files block (which is freed), or "refused".
inline Names ReadFiles(HGLOBAL h)
{
    CString files("unchanged");
    BOOL ok = CDropFiles::ReadBlock(h, files);
    ::GlobalFree(h);
    return ok ? Entries(files) : Names{"refused"};
}

// A w x h 24-bit DIB of black pixels in movable global memory.
inline HGLOBAL MakeDib(int w, int h)
{
    const BITMAPINFOHEADER bih = {sizeof(bih), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(bih) + ((w * 3 + 3) & ~3) * h);
    memcpy(::GlobalLock(hDib), &bih, sizeof(bih));
    ::GlobalUnlock(hDib);
    return hDib;
}

inline void SetCtrl(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// A top-level window that hands the notifications reaching it to m_onNotify
// (payloads live only during the call), which chooses the answer for the
// socket's own (positive) codes.
class CNotifyRecorder : public CWnd {
public:
    std::function<LRESULT(NMHDR *)> m_onNotify;
    BOOL CreateTop(int cx = 400, int cy = 400)
    {
        return CreateEx(0, nullptr, "Dateien", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, cx, cy, nullptr,
                        nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // A control's own notifications (negative codes) are reflected back to it
        // by the framework and answered there; the socket's codes are answered here.
        LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (message != WM_NOTIFY)
            return lResult;
        NMHDR *pHdr = reinterpret_cast<NMHDR *>(lParam);
        return static_cast<int>(pHdr->code) > 0 && m_onNotify ? m_onNotify(pHdr) : lResult;
    }
};

// A shell tree that records the files it reports as selected.
class RecordingShellTree : public CShellTree {
public:
    void OnFileSelected(const char *pszPath) override { m_selected.push_back(pszPath); }
    int Filter(std::string name) { return FilterFileType(&name[0], 0); }
    Names m_selected;
};

// Makes the test's folder with the sample tree in it and the host window with
// the tree. The sample tree: root\Bilder\{x.bmp, y.txt}, root\Übung\Straße.PNG,
// root\leer\ and the files a.bmp, B.BMP, c.Png, d.txt, noext, Ärger.bmp in root.
template <class Tree> class TreeTestBase : public ::testing::Test {
protected:
    static const DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                                TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    virtual BOOL CreateTree() = 0;
    void SetUp() override
    {
        ASSERT_NE(g_ole, nullptr);
        ::CreateDirectoryA("C:\\qrv-browse", nullptr);
        m_root =
            std::string("C:\\qrv-browse\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveTree(m_root);
        ASSERT_TRUE(::CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;
        for (const char *folder : {"Bilder", "Übung", "leer"})
            Folder(folder);
        for (const char *name : {"Bilder\\x.bmp", "Bilder\\y.txt", "Übung\\Straße.PNG", "a.bmp", "B.BMP",
                                 "c.Png", "d.txt", "noext", "Ärger.bmp"})
            File(name);
        SetCtrl(false);
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(m_host.CreateTop(420, 640));
        ASSERT_TRUE(CreateTree());
    }
    void TearDown() override
    {
        SetCtrl(false);
        m_host.DestroyWindow();
        RemoveTree(m_root);
        ::RemoveDirectoryA("C:\\qrv-browse"); // once no other test's folder is left in it
    }
    // Makes the folder or the file below the test's folder; its path.
    std::string Folder(const std::string &relative)
    {
        ::CreateDirectoryA((m_root + "\\" + relative).c_str(), nullptr);
        return m_root + "\\" + relative;
    }
    std::string File(const std::string &relative, const std::string &text = "x")
    {
        WriteText(m_root + "\\" + relative, text);
        return m_root + "\\" + relative;
    }
    // LoadTree(root): the (newest) top-level item for the test's folder.
    HTREEITEM LoadRoot()
    {
        CString root = m_root.c_str();
        m_tree.LoadTree(root);
        HTREEITEM hRoot = nullptr; // the last one: loading again adds another top-level item
        for (HTREEITEM h = m_tree.GetRootItem(); h; h = m_tree.GetNextSiblingItem(h))
            hRoot = Upper(Path(h)) == Upper(m_root) ? h : hRoot;
        return hRoot;
    }
    std::vector<HTREEITEM> Items(HTREEITEM hParent)
    {
        std::vector<HTREEITEM> items;
        HTREEITEM h = hParent == TVI_ROOT ? m_tree.GetRootItem() : m_tree.GetChildItem(hParent);
        for (; h; h = m_tree.GetNextSiblingItem(h))
            items.push_back(h);
        return items;
    }
    Names Labels(HTREEITEM hParent)
    {
        Names labels;
        for (HTREEITEM h : Items(hParent))
            labels.push_back(std::string(m_tree.GetItemText(h)));
        return labels;
    }
    HTREEITEM Child(HTREEITEM hParent, const std::string &label)
    {
        for (HTREEITEM h : Items(hParent))
            if (std::string(m_tree.GetItemText(h)) == label)
                return h;
        return nullptr;
    }
    std::string Path(HTREEITEM hItem)
    {
        CString path;
        return m_tree.GetItemPath(hItem, &path) ? std::string(path) : std::string();
    }
    bool Expanded(HTREEITEM h) { return (m_tree.GetItemState(h, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }
    bool ExpandedOnce(HTREEITEM h)
    {
        return (m_tree.GetItemState(h, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) != 0;
    }
    // Client point in the middle of the item's label.
    CPoint Center(HTREEITEM hItem)
    {
        CRect rc;
        m_tree.EnsureVisible(hItem);
        m_tree.GetItemRect(hItem, &rc, TRUE);
        return rc.CenterPoint();
    }
    std::string m_root; // without trailing backslash
    CNotifyRecorder m_host;
    Tree m_tree;
};

class ShellTreeTest : public TreeTestBase<RecordingShellTree> {
protected:
    BOOL CreateTree() override { return m_tree.Create(kStyle, CRect(0, 0, 400, 600), &m_host, 100); }
};

// The file list tree takes dropped files and edits labels; its filter is "*.txt;*.bmp".
class FileListTreeTest : public TreeTestBase<CFileListTree> {
protected:
    BOOL CreateTree() override
    {
        BOOL ok =
            m_tree.CreateEx(WS_EX_ACCEPTFILES, kStyle | TVS_EDITLABELS, CRect(0, 0, 400, 600), &m_host, 100);
        m_tree.SetFilterExt("*.txt;*.bmp");
        return ok;
    }
    // Sends a dropped-files message for the files at the client point (the list at pFiles).
    void Drop(const Names &files, CPoint pt, DWORD pFiles = sizeof(DROPFILES))
    {
        HGLOBAL hDrop = CDropFiles::CreateBlock(MakeList(files));
        DROPFILES *pHdr = static_cast<DROPFILES *>(::GlobalLock(hDrop));
        pHdr->pt = pt;
        pHdr->pFiles = pFiles;
        ::GlobalUnlock(hDrop);
        ::SendMessageA(m_tree.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    }
    // Starts a drag on the item as the tree control announces it.
    void BeginDrag(HTREEITEM hItem)
    {
        NMTREEVIEWA drag = {};
        drag.hdr = {m_tree.m_hWnd, 100, static_cast<UINT>(TVN_BEGINDRAGA)};
        drag.itemNew.hItem = hItem;
        ::SendMessageA(m_host.m_hWnd, WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&drag));
    }
};

} // namespace filetest
