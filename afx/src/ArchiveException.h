// CArchiveException: an archive could not be read or written as asked, most
// often because a file ended before the data its reader expected.
#pragma once
#include "Exception.h"
#include "String.h"

class AFX_CORE_CLASS CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    explicit CArchiveException(int cause = CArchiveException::none, LPCSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] AFX_CORE_API void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = nullptr);
