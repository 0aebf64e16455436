// CFileException: a file operation failed. m_cause says what kind of failure
// independently of the platform, m_lOsError keeps the system's error code.
#pragma once
#include "Exception.h"
#include "String.h"

class AFX_CORE_CLASS CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none, generic, fileNotFound, badPath, tooManyOpenFiles, accessDenied, invalidFile,
        removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation, lockViolation,
        diskFull, endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1, LPCSTR lpszArchiveName = nullptr);

    // Clears the exception for another use (an error record passed to CFile::Open).
    void Clear() { m_cause = none; m_lOsError = -1; m_strFileName.Empty(); }

    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = nullptr);
    [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCSTR lpszFileName = nullptr);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] AFX_CORE_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);
