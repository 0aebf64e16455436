// CBitmapPaste: turns a DIB from the clipboard, with the image viewer's
// "PlxDibInfo" record beside it, into a bitmap file in the temporary folder,
// named after the record's base name. The record comes from the clipboard,
// so its name is made harmless first: it can only ever name a file directly
// in the temporary folder.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CBitmapPaste
{
public:
    // The base name and colour bits of a "PlxDibInfo" block (viewer/PlxDibInfo.h);
    // FALSE when the block is too small or its name is unusable.
    static BOOL ReadRecord(HGLOBAL hRecord, CString& strBaseName, int& nBits);
    // The name as a single file name: separators, drive colons and other
    // characters a file name cannot hold, a leading dot and runs of dots
    // become '_', device names get a leading '_'; empty when the name is
    // nothing but dots and blanks.
    static CString SafeBaseName(const CString& strName);
    // The temporary folder + the name + the extension of string 22311.
    static CString TempFileName(const CString& strBaseName);
    // Saves the DIB as a bitmap file of nBits bits per pixel through a hidden
    // imaging control on pParent; FALSE when the control fails.
    static BOOL SaveDib(CWnd* pParent, HGLOBAL hDib, LPCSTR pszPath, int nBits);

private:
    static BOOL IsDeviceName(const CString& strName);
};
