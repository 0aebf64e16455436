#include "ArchiveException.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// One text per cause, in the order of the causes; %s is the archive's file.
const char* const kArchiveMessages[] = {
    "Bei %s ist kein Fehler aufgetreten.",
    "Beim Zugriff auf %s ist ein unbekannter Fehler aufgetreten.",
    "Es wurde versucht, in %s zu schreiben, während es gelesen wurde.",
    "Beim Lesen von %s wurde unerwartet das Dateiende erreicht.",
    "Es wurde versucht, aus %s zu lesen, während es geschrieben wurde.",
    "%s hat ein ungültiges Format.",
    "%s enthält ein unerwartetes Objekt.",
    "%s enthält ein Objekt in einer nicht unterstützten Version.",
};

}  // namespace

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    int cause = (m_cause >= none && m_cause <= badSchema) ? m_cause : generic;
    CString text;
    text.Format(kArchiveMessages[cause], m_strFileName.IsEmpty() ? "eine unbenannte Datei" : (LPCSTR)m_strFileName);
    lstrcpynA(lpszError, text, (int)nMaxError);
    return TRUE;
}

void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
