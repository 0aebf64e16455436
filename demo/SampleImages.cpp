#include "SampleImages.h"
#include "DemoPaths.h"
#include <string.h>
#include <vector>

namespace {
bool IsPicture(const CString& name)
{
    CString ext = name.Mid(name.ReverseFind('.') + 1);
    ext.MakeLower();
    for (LPCSTR known : {"bmp", "png", "jpg", "jpeg", "wmf", "emf"})
        if (ext == known)
            return true;
    return false;
}
}

void CSampleImages::List(CStringArray& paths)
{
    paths.RemoveAll();
    CString folder = DemoPictureFolder();
    if (folder.IsEmpty())
        return;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(folder + "*.*", &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsPicture(fd.cFileName))
            paths.Add(folder + fd.cFileName);
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    // FindNextFile promises no order.
    for (INT_PTR i = 1; i < paths.GetSize(); ++i)
        for (INT_PTR j = i; j > 0 && paths[j].CompareNoCase(paths[j - 1]) < 0; --j) {
            CString t = paths[j];
            paths[j] = paths[j - 1];
            paths[j - 1] = t;
        }
}

CString CSampleImages::PathOf(LPCSTR pszName) { return DemoPictureFolder() + pszName; }

HGLOBAL CSampleImages::LoadDib(LPCSTR pszPath)
{
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    DWORD size = ::GetFileSize(hFile, nullptr), got = 0;
    std::vector<char> data(size < (64u << 20) ? size : 0);
    bool ok = !data.empty() && ::ReadFile(hFile, data.data(), size, &got, nullptr) && got == size;
    ::CloseHandle(hFile);
    const size_t kFileHeader = sizeof(BITMAPFILEHEADER);
    if (!ok || size <= kFileHeader + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M')
        return nullptr;
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE, size - kFileHeader);
    if (!hDib)
        return nullptr;
    memcpy(::GlobalLock(hDib), data.data() + kFileHeader, size - kFileHeader);
    ::GlobalUnlock(hDib);
    return hDib;
}
