#include "PasteDemo.h"
#include "FolderWindow.h"
#include "ImageViewerWindow.h"
#include "MainFrame.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"

namespace {

// A folder of its own at the top of drive C:, emptied of bitmaps; the
// temporary folder is crowded with the tests' folders.
CString ScratchFolder()
{
    ::CreateDirectoryA("C:\\QRV Demo", nullptr);
    CString folder = "C:\\QRV Demo\\Einfügen\\";
    ::CreateDirectoryA(folder, nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(folder + "*.bmp", &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            ::DeleteFileA(folder + fd.cFileName);
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    return folder;
}

// The colour bits of the first bitmap file in the folder, 0 if there is none.
int PastedBits(const CString& folder, CString* pName)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(folder + "*.bmp", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    ::FindClose(hFind);
    *pName = fd.cFileName;
    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih;
    HANDLE h = ::CreateFileA(folder + fd.cFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    DWORD n1 = 0, n2 = 0;
    BOOL ok = ::ReadFile(h, &bfh, sizeof(bfh), &n1, nullptr) && ::ReadFile(h, &bih, sizeof(bih), &n2, nullptr);
    ::CloseHandle(h);
    return ok && n1 == sizeof(bfh) && n2 == sizeof(bih) && bfh.bfType == 0x4D42 ? bih.biBitCount : 0;
}

}  // namespace

int CPasteDemo::Run(CWnd* pMain, const CString& shots)
{
    int failures = 0;
    CImageViewerWindow* pViewer = CImageViewerWindow::Show(pMain, 4);
    if (!pViewer || !pViewer->ShowSample("landscape.jpg"))
        return 1;
    qrvtest::PumpFor(300);
    failures += !CMainFrame::CopyViewerImage();
    pViewer->DestroyWindow();

    const CString folder = ScratchFolder();
    CWnd* pFolders = CFolderWindow::Show(pMain, folder);
    if (!pFolders)
        return failures + 1;
    qrvtest::PumpFor(300);
    CString name;
    failures += !CFolderWindow::Current() || !CFolderWindow::Current()->Paste();
    failures += PastedBits(folder, &name) != 4;
    qrvtest::PumpFor(300);
    failures += !qrvtest::SaveWindowPng(pFolders->m_hWnd, std::string((LPCSTR)shots) + "\\file-list-paste.png");
    pFolders->DestroyWindow();
    return failures;
}
