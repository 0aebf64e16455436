// CFileList: walks a file list, the form in which sets of files pass between
// the file operations, the shell's file operation and dropped-files blocks:
// full paths, each followed by one zero character, the whole ended by one
// more zero character. Lists are built in a CString whose length counts the
// embedded zeros.
//
// The walk never reads beyond the length it is given: an entry ends at a zero
// found within kMaxEntry characters of its start; the walk stops when there
// is none, or at the first entry shorter than 2 characters (which includes
// the final empty entry).
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CFileList
{
public:
    enum { kMaxEntry = MAX_PATH };

    CFileList(LPCSTR pchList, int nLength);
    explicit CFileList(const CString& strList);

    // The next entry; FALSE (entry untouched) when the walk has ended.
    BOOL GetNext(CString& strEntry);

    // Appends the path and one zero character.
    static void Append(CString& strList, LPCSTR pszPath);
    // Ends a list with its extra zero character.
    static void Terminate(CString& strList);
    // The number of entries the walk yields.
    static int Count(const CString& strList);

private:
    LPCSTR m_pch;
    int m_nLength;
    int m_nPos;
    bool m_bEnded;
};
