// COleDataObject: the consumer's side of a data transfer, around another
// program's IDataObject (the clipboard's or a drag's). Data handed out by the
// Get functions belongs to the caller.
#pragma once
#include "AfxDefs.h"
#include <ole2.h>

// The effect of a drop: DROPEFFECT_COPY, _MOVE, _LINK, _SCROLL or _NONE.
typedef DWORD DROPEFFECT;

class AFX_CORE_CLASS COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject();

    // bAutoRelease: the object releases lpDataObject when it is detached or destroyed.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // Attaches to the clipboard's data; FALSE when it cannot be read.
    BOOL AttachClipboard();
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // The caller releases the medium with ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // A global memory copy of the data that the caller frees; null when absent.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

private:
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Data put with SetClipboardData is not always reachable through OLE's
    // clipboard object (a DIB, for one): for the clipboard, ask the clipboard itself.
    HGLOBAL GetClipboardGlobal(CLIPFORMAT cfFormat) const;

    LPDATAOBJECT m_lpDataObject;
    LPENUMFORMATETC m_lpEnumerator;
    BOOL m_bAutoRelease;
    BOOL m_bClipboard;
};
