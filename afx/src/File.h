// CFile: an unbuffered binary file on the platform's file handle. Open reports
// failure through its result (and an optional CFileException record); every
// other operation throws a CFileException when the system refuses it.
#pragma once
#include "FileException.h"

struct CFileStatus
{
    DWORD m_size;
    BYTE m_attribute;
    char m_szFullName[MAX_PATH];
};

class AFX_CORE_CLASS CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = (int)0x8000
    };
    enum Attribute { normal = 0x00, readOnly = 0x01, hidden = 0x02, system = 0x04, volume = 0x08,
                     directory = 0x10, archive = 0x20 };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    static const HANDLE hFileNull;

    CFile();
    // Takes over an open handle; it is not closed by the destructor.
    explicit CFile(HANDLE hFile);
    // Opens the file or throws the CFileException that says why not.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual void Close();
    // Closes without reporting errors (after a failure, when the file is of no use any more).
    virtual void Abort();
    virtual void Flush();

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return (DWORD)Seek(0, end); }
    virtual DWORD GetPosition() const;
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);

    // The full path given to Open, its last component, and that without the
    // parts the shell hides (GetFileTitle's rules).
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual void SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }
    BOOL GetStatus(CFileStatus& rStatus) const;

    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void PASCAL Remove(LPCSTR lpszFileName);
    static BOOL PASCAL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);

    HANDLE m_hFile;
    BOOL m_bCloseOnDelete;
    CString m_strFileName;

private:
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
};

// The full path of a file name relative to the current folder; FALSE (with the name copied) if it has none.
AFX_CORE_API BOOL AFXAPI AfxFullPath(LPSTR lpszPathOut, LPCSTR lpszFileIn);
// The title the shell shows for a path (GetFileTitle), or its last component.
AFX_CORE_API UINT AFXAPI AfxGetFileTitle(LPCSTR lpszPathName, LPSTR lpszTitle, UINT nMax);
// Paths compare equal regardless of case and of relative parts.
AFX_CORE_API BOOL AFXAPI AfxComparePath(LPCSTR lpszPath1, LPCSTR lpszPath2);
