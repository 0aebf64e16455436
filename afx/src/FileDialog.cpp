#include "FileDialog.h"

#include "ModalOwner.h"
#include <shlwapi.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog)
{
    m_pParentWnd = pParentWnd;
    memset(&m_ofn, 0, sizeof m_ofn);
    memset(m_szFileTitle, 0, sizeof m_szFileTitle);
    memset(m_szFileName, 0, sizeof m_szFileName);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    if (lpszDefExt) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName)
        lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);
    if (lpszFilter && *lpszFilter) {
        // "Text (*.txt)|*.txt|Alle (*.*)|*.*||" becomes the pairs of zero-ended
        // strings the dialog reads; the last one ends in a second zero.
        m_strFilter = lpszFilter;
        if (m_strFilter[m_strFilter.GetLength() - 1] != '|')
            m_strFilter += '|';
        LPSTR p = m_strFilter.GetBuffer(0);
        for (int i = 0, n = m_strFilter.GetLength(); i < n; i++)
            if (p[i] == '|')
                p[i] = '\0';
        m_strFilter.ReleaseBuffer(m_strFilter.GetLength());
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = AfxFindModalOwner(m_pParentWnd);
    // A new choice starts without the files of the last one.
    if (m_ofn.Flags & OFN_ALLOWMULTISELECT) {
        size_t len = strlen(m_ofn.lpstrFile);
        if (len + 1 < m_ofn.nMaxFile)
            m_ofn.lpstrFile[len + 1] = '\0';
    }
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return m_ofn.lpstrFile ? CString(m_ofn.lpstrFile) : CString();
}

// The parts of the chosen path as the shell splits them (character sets of
// two bytes included).
CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    return CString(::PathFindFileNameA(path));
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    LPCSTR ext = ::PathFindExtensionA(name);
    return CString(*ext == '.' ? ext + 1 : ext);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    return name.Left(int(::PathFindExtensionA(name) - (LPCSTR)name));
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile && *m_ofn.lpstrFile ? reinterpret_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCSTR file = m_ofn.lpstrFile;
    LPCSTR p = reinterpret_cast<LPCSTR>(pos);
    if (!file || !p) {
        pos = nullptr;
        return CString();
    }
    // Explorer-style answers separate the folder and the names with '\0',
    // the old style with spaces; a single file is one full path.
    const bool explorer = (m_ofn.Flags & OFN_EXPLORER) != 0;
    const bool multi = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    size_t dirLen = explorer ? strlen(file) : strcspn(file, " ");
    LPCSTR firstName = file + dirLen + 1;
    bool several = multi && (explorer ? file[dirLen + 1] != '\0' : file[dirLen] == ' ');
    if (!several) {
        pos = nullptr;
        return CString(file);
    }
    if (p == file)
        p = firstName;
    size_t len = explorer ? strlen(p) : strcspn(p, " ");
    CString name(p, (int)len);
    LPCSTR next = p + len;
    if (explorer)
        pos = next[1] != '\0' ? reinterpret_cast<POSITION>(const_cast<char*>(next + 1)) : nullptr;
    else
        pos = *next == ' ' && next[1] ? reinterpret_cast<POSITION>(const_cast<char*>(next + 1)) : nullptr;
    CString dir(file, (int)dirLen);
    if (!dir.IsEmpty() && dir[dir.GetLength() - 1] != '\\')
        dir += '\\';
    return dir + name;
}
