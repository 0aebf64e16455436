// CPathStrPart: takes an attached file-system path apart. It keeps only the
// pointer; every call splits the path afresh with the toolkit's file-system
// object and leaves the path unchanged.
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CPathStrPart
{
public:
    CPathStrPart();
    CPathStrPart& operator=(const CPathStrPart& src);

    void Attach(CString* pPath);

    CString GetDrive();       // the drive root, e.g. "C:\"
    CString GetDirectory();   // the folder, without its final backslash
    CString GetPath();        // the folder, ending with a backslash
    CString GetTitle();       // last component without its extension
    CString GetExt();         // extension of the last component, without the dot
    CString GetName();        // last component with its extension

private:
    CString GetFolder(int bWithBackslash);
    LPCSTR Path() const;

    CString* m_pPath;   // not owned
};
