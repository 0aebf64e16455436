// CException and its kinds: the framework's exceptions are thrown as pointers
// to heap objects, caught with TRY/CATCH (or C++ catch of the pointer) and
// deleted by the catcher with Delete(). All modules share one C++ runtime, so
// an exception thrown inside afx.dll or QRV.dll is caught by the host.
#pragma once
#include "Object.h"

class AFX_CORE_CLASS CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Deletes the exception when it was made on the heap (the usual case).
    void Delete();
    // The message describing the error; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr);
    // Shows the message in a message box (nMessageID's string when there is none).
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

class AFX_CORE_CLASS CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

class AFX_CORE_CLASS CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

class AFX_CORE_CLASS CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

class AFX_CORE_CLASS CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;
};

// Thrown where the user has already been told (a failed dialog data check).
class AFX_CORE_CLASS CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
};

[[noreturn]] AFX_CORE_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] AFX_CORE_API void AFXAPI AfxThrowResourceException();
[[noreturn]] AFX_CORE_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] AFX_CORE_API void AFXAPI AfxThrowUserException();
[[noreturn]] AFX_CORE_API void AFXAPI AfxThrowInvalidArgException();

// The exception a TRY block's handler holds; deleted when the handler ends
// unless it was thrown on with THROW_LAST.
struct AFX_EXCEPTION_LINK
{
    CException* m_pException = nullptr;
    ~AFX_EXCEPTION_LINK()
    {
        if (m_pException)
            m_pException->Delete();
    }
};

// MFC's exception macros over C++ exceptions of CException pointers:
//   TRY { ... } CATCH(CMemoryException, e) { ... } AND_CATCH_ALL(e) { ... } END_CATCH_ALL
#define TRY { AFX_EXCEPTION_LINK _afxExceptionLink; try {
#define CATCH(class_name, e) } catch (class_name* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) } catch (class_name* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH } }
#define CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH_ALL } }
#define THROW(e) throw e
#define THROW_LAST() do { _afxExceptionLink.m_pException = nullptr; throw; } while (0)
