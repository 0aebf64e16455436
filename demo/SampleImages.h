// The sample pictures of samples/images/ as the demo offers them.
#pragma once
#include <afxwin.h>

class CSampleImages
{
public:
    // Full paths of the pictures the image viewer shows, sorted by name.
    static void List(CStringArray& paths);
    // The full path of one sample picture by its file name.
    static CString PathOf(LPCSTR pszName);
    // A bitmap file's DIB (header, colour table, bits) in movable global
    // memory that the caller frees; null if the file is no readable bitmap.
    static HGLOBAL LoadDib(LPCSTR pszPath);
};
