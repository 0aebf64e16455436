#include "OleDataObject.h"

COleDataObject::COleDataObject()
    : m_lpDataObject(nullptr), m_lpEnumerator(nullptr), m_bAutoRelease(TRUE), m_bClipboard(FALSE)
{
}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    if (m_lpEnumerator)
    {
        m_lpEnumerator->Release();
        m_lpEnumerator = nullptr;
    }
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    m_bClipboard = FALSE;
    return lpDataObject;
}

void COleDataObject::Release()
{
    BOOL bAutoRelease = m_bAutoRelease;
    LPDATAOBJECT lpDataObject = Detach();
    if (lpDataObject && bAutoRelease)
        lpDataObject->Release();
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = nullptr;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || !lpDataObject)
        return FALSE;
    Attach(lpDataObject, TRUE);
    m_bClipboard = TRUE;
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (m_lpDataObject && bAddRef)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

void COleDataObject::BeginEnumFormats()
{
    if (m_lpEnumerator)
    {
        m_lpEnumerator->Release();
        m_lpEnumerator = nullptr;
    }
    if (m_lpDataObject)
        m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator);
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (!m_lpEnumerator)
        return FALSE;
    ULONG nFetched = 0;
    if (m_lpEnumerator->Next(1, lpFormatEtc, &nFetched) != S_OK || nFetched != 1)
        return FALSE;
    // The caller gets no target device to free.
    if (lpFormatEtc->ptd)
    {
        CoTaskMemFree(lpFormatEtc->ptd);
        lpFormatEtc->ptd = nullptr;
    }
    return TRUE;
}

static FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    FORMATETC fe = { cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed };
    if (lpFormatEtc)
    {
        fe = *lpFormatEtc;
        fe.cfFormat = cfFormat;
    }
    return fe;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (!m_lpDataObject)
        return FALSE;
    FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE
                                                         | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF | TYMED_FILE);
    if (m_lpDataObject->QueryGetData(&fe) == S_OK)
        return TRUE;
    return m_bClipboard && ::IsClipboardFormatAvailable(cfFormat);
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (!m_lpDataObject || !lpStgMedium)
        return FALSE;
    FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE
                                                         | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF | TYMED_FILE);
    if (SUCCEEDED(m_lpDataObject->GetData(&fe, lpStgMedium)))
        return TRUE;
    if (!m_bClipboard || (fe.tymed & TYMED_HGLOBAL) == 0)
        return FALSE;
    HGLOBAL hGlobal = GetClipboardGlobal(cfFormat);
    if (!hGlobal)
        return FALSE;
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = hGlobal;
    lpStgMedium->pUnkForRelease = nullptr;
    return TRUE;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (!m_lpDataObject)
        return nullptr;
    FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    fe.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium = {};
    if (SUCCEEDED(m_lpDataObject->GetData(&fe, &medium)))
    {
        if (medium.tymed == TYMED_HGLOBAL && !medium.pUnkForRelease)
            return medium.hGlobal;
        // The medium is lent: hand out a copy the caller may free.
        HGLOBAL hCopy = nullptr;
        if (medium.tymed == TYMED_HGLOBAL)
            hCopy = (HGLOBAL)::OleDuplicateData(medium.hGlobal, 0, GMEM_MOVEABLE | GMEM_SHARE);
        ::ReleaseStgMedium(&medium);
        return hCopy;
    }
    return m_bClipboard ? GetClipboardGlobal(cfFormat) : nullptr;
}

HGLOBAL COleDataObject::GetClipboardGlobal(CLIPFORMAT cfFormat) const
{
    if (!::OpenClipboard(nullptr))
        return nullptr;
    // A handle that is not global memory (a bitmap's) has no size and gives no copy.
    HGLOBAL hCopy = (HGLOBAL)::OleDuplicateData(::GetClipboardData(cfFormat), 0, GMEM_MOVEABLE | GMEM_SHARE);
    ::CloseClipboard();
    return hCopy;
}
