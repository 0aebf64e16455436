#include "FileException.h"

#include <errno.h>

IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

// One text per cause, in the order of the causes; %s is the file.
const char* const kFileMessages[] = {
    "Bei %s ist kein Fehler aufgetreten.",
    "Beim Zugriff auf %s ist ein unbekannter Fehler aufgetreten.",
    "%s wurde nicht gefunden.",
    "%s enthält einen ungültigen Pfad.",
    "%s konnte nicht geöffnet werden, weil zu viele Dateien geöffnet sind.",
    "Der Zugriff auf %s wurde verweigert.",
    "%s ist mit einem ungültigen Dateihandle verbunden.",
    "%s konnte nicht entfernt werden, weil es das aktuelle Verzeichnis ist.",
    "%s konnte nicht erstellt werden, weil das Verzeichnis voll ist.",
    "Die Positionierung in %s ist fehlgeschlagen.",
    "Beim Zugriff auf %s ist ein Hardware-Ein-/Ausgabefehler aufgetreten.",
    "Beim Zugriff auf %s ist eine Freigabeverletzung aufgetreten.",
    "Beim Zugriff auf %s ist eine Sperrverletzung aufgetreten.",
    "Der Datenträger ist beim Schreiben von %s voll.",
    "Es wurde versucht, über das Ende von %s hinaus zuzugreifen.",
};

}  // namespace

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch ((DWORD)lOsError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: case ERROR_BAD_NETPATH: case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS: case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK: case ERROR_NEGATIVE_SEEK: case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_NOT_READY: case ERROR_CRC: case ERROR_SECTOR_NOT_FOUND: case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT: case ERROR_GEN_FAILURE: case ERROR_BAD_UNIT:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return lockViolation;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return generic;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case EPERM: case EACCES: return accessDenied;
    case EBADF: return invalidFile;
    case EDEADLOCK: return sharingViolation;
    case EMFILE: return tooManyOpenFiles;
    case ENOENT: case ENFILE: return fileNotFound;
    case ENOSPC: return diskFull;
    case EINVAL: case EIO: return hardIO;
    default: return generic;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName)
{
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    int cause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : generic;
    CString text;
    text.Format(kFileMessages[cause], m_strFileName.IsEmpty() ? "eine unbenannte Datei" : (LPCSTR)m_strFileName);
    lstrcpynA(lpszError, text, (int)nMaxError);
    return TRUE;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
