// CFileDialog: the common Open and Save As dialogs. The filter is given as
// MFC takes it, pairs of "name|pattern" ending in "||"; the chosen file comes
// back whole (GetPathName) and in parts. With OFN_ALLOWMULTISELECT the files
// are walked with GetStartPosition and GetNextPathName.
#pragma once
#include "Dialog.h"
#include "String.h"
#include <commdlg.h>

class AFX_CORE_CLASS CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszDefExt: the extension (without the dot) added to a name typed
    // without one; lpszFileName: the name the dialog starts with.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // IDOK when the user chose a file, else IDCANCEL.
    INT_PTR DoModal() override;

    // "C:\daten\messung.csv": the whole path; "messung.csv", "csv", "messung" its parts.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // The files of a multiple choice, each with its full path; also a single file.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAMEA m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;    // the filter with '\0' for '|'
    CString m_strDefExt;
    char m_szFileTitle[64];
    char m_szFileName[MAX_PATH];
};
