#include "OleDataSource.h"
#include "OleDropSource.h"
#include "Wnd.h"
#include <shlobj.h>
#include <string.h>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

namespace
{
COleDataSource* g_pClipboardSource = nullptr;

// Copies a cached medium for a consumer, who then owns the copy.
HRESULT CopyMedium(const STGMEDIUM& src, CLIPFORMAT cf, STGMEDIUM* pDest)
{
    *pDest = src;
    pDest->pUnkForRelease = nullptr;
    switch (src.tymed)
    {
    case TYMED_HGLOBAL:
        // Plain bytes (format 0): the format's own meaning is the consumer's.
        pDest->hGlobal = (HGLOBAL)::OleDuplicateData(src.hGlobal, 0, GMEM_MOVEABLE | GMEM_SHARE);
        return pDest->hGlobal ? S_OK : E_OUTOFMEMORY;
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
        if (src.pstm)
            src.pstm->AddRef();
        return S_OK;
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
        pDest->hGlobal = (HGLOBAL)::OleDuplicateData(src.hGlobal, cf, 0);
        return pDest->hGlobal ? S_OK : E_OUTOFMEMORY;
    default:
        return DV_E_TYMED;
    }
}
} // namespace

// The IDataObject OLE sees; its references are the source's.
class COleDataSource::XDataObject : public IDataObject
{
public:
    virtual ~XDataObject() = default;
    explicit XDataObject(COleDataSource* pOwner) : m_pOwner(pOwner) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
        {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pOwner->ExternalAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pOwner->ExternalRelease(); }

    STDMETHODIMP GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override
    {
        if (!pFormatEtc || !pMedium)
            return E_INVALIDARG;
        Entry* pEntry = m_pOwner->Lookup(pFormatEtc, TRUE);
        if (!pEntry)
            return DV_E_FORMATETC;
        return CopyMedium(pEntry->stgMedium, pEntry->formatEtc.cfFormat, pMedium);
    }
    STDMETHODIMP GetDataHere(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override
    {
        if (!pFormatEtc || !pMedium)
            return E_INVALIDARG;
        Entry* pEntry = m_pOwner->Lookup(pFormatEtc, TRUE);
        if (!pEntry)
            return DV_E_FORMATETC;
        if (pEntry->stgMedium.tymed != TYMED_HGLOBAL || pMedium->tymed != TYMED_HGLOBAL)
            return DV_E_TYMED;
        SIZE_T nSize = ::GlobalSize(pEntry->stgMedium.hGlobal);
        if (::GlobalSize(pMedium->hGlobal) < nSize)
            return STG_E_MEDIUMFULL;
        void* pDest = ::GlobalLock(pMedium->hGlobal);
        const void* pSrc = ::GlobalLock(pEntry->stgMedium.hGlobal);
        if (pDest && pSrc)
            memcpy(pDest, pSrc, nSize);
        ::GlobalUnlock(pEntry->stgMedium.hGlobal);
        ::GlobalUnlock(pMedium->hGlobal);
        return S_OK;
    }
    STDMETHODIMP QueryGetData(FORMATETC* pFormatEtc) override
    {
        if (!pFormatEtc)
            return E_INVALIDARG;
        return m_pOwner->Lookup(pFormatEtc, TRUE) ? S_OK : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        if (pOut)
            pOut->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        *ppEnum = nullptr;
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        FORMATETC* pFormats = new FORMATETC[m_pOwner->m_nSize ? m_pOwner->m_nSize : 1];
        for (int i = 0; i < m_pOwner->m_nSize; i++)
            pFormats[i] = m_pOwner->m_pEntries[i].formatEtc;
        HRESULT hr = ::SHCreateStdEnumFmtEtc(m_pOwner->m_nSize, pFormats, ppEnum);
        delete[] pFormats;
        return hr;
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    COleDataSource* m_pOwner;
};

COleDataSource::COleDataSource()
    : m_pEntries(nullptr), m_nSize(0), m_nMaxSize(0), m_pDataObject(new XDataObject(this))
{
}

COleDataSource::~COleDataSource()
{
    if (g_pClipboardSource == this)
        g_pClipboardSource = nullptr;
    Empty();
    delete[] m_pEntries;
    delete m_pDataObject;
}

LPDATAOBJECT COleDataSource::GetDataObject()
{
    return m_pDataObject;
}

LPUNKNOWN COleDataSource::GetInterfaceHook(const void* iid)
{
    const IID& riid = *static_cast<const IID*>(iid);
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
        return m_pDataObject;
    return nullptr;
}

void COleDataSource::Empty()
{
    for (int i = 0; i < m_nSize; i++)
    {
        CoTaskMemFree(m_pEntries[i].formatEtc.ptd);
        ::ReleaseStgMedium(&m_pEntries[i].stgMedium);
    }
    m_nSize = 0;
}

COleDataSource::Entry* COleDataSource::Lookup(const FORMATETC* pFormatEtc, BOOL bForGet) const
{
    for (int i = 0; i < m_nSize; i++)
    {
        const FORMATETC& fe = m_pEntries[i].formatEtc;
        if (fe.cfFormat != pFormatEtc->cfFormat || fe.dwAspect != pFormatEtc->dwAspect
            || fe.lindex != pFormatEtc->lindex)
            continue;
        // A consumer may ask for several media at once; a cache slot matches the exact one.
        if (bForGet ? !(fe.tymed & pFormatEtc->tymed) : fe.tymed != pFormatEtc->tymed)
            continue;
        return &m_pEntries[i];
    }
    return nullptr;
}

COleDataSource::Entry* COleDataSource::GetCacheEntry(const FORMATETC& formatEtc)
{
    if (Entry* pEntry = Lookup(&formatEtc, FALSE))
    {
        CoTaskMemFree(pEntry->formatEtc.ptd);
        ::ReleaseStgMedium(&pEntry->stgMedium);
        return pEntry;
    }
    if (m_nSize == m_nMaxSize)
    {
        int nNewMax = m_nMaxSize ? m_nMaxSize * 2 : 4;
        Entry* pNew = new Entry[nNewMax];
        if (m_nSize)
            memcpy(pNew, m_pEntries, sizeof(Entry) * m_nSize);
        delete[] m_pEntries;
        m_pEntries = pNew;
        m_nMaxSize = nNewMax;
    }
    return &m_pEntries[m_nSize++];
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    FORMATETC fe = { cfFormat, nullptr, DVASPECT_CONTENT, -1, lpStgMedium->tymed };
    if (lpFormatEtc)
    {
        fe = *lpFormatEtc;
        fe.cfFormat = cfFormat;
        fe.tymed = lpStgMedium->tymed;
        fe.ptd = nullptr;   // target devices are not cached
    }
    Entry* pEntry = GetCacheEntry(fe);
    pEntry->formatEtc = fe;
    pEntry->stgMedium = *lpStgMedium;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM medium;
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    medium.pUnkForRelease = nullptr;
    CacheData(cfFormat, &medium, lpFormatEtc);
}

BOOL COleDataSource::SetClipboard()
{
    if (FAILED(::OleSetClipboard(GetDataObject())))
        return FALSE;
    // OLE holds its own reference now; the creator's passes to the clipboard.
    g_pClipboardSource = this;
    InternalRelease();
    return TRUE;
}

void PASCAL COleDataSource::FlushClipboard()
{
    if (g_pClipboardSource)
        ::OleFlushClipboard();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner()
{
    if (g_pClipboardSource && ::OleIsCurrentClipboard(g_pClipboardSource->GetDataObject()) == S_OK)
        return g_pClipboardSource;
    return nullptr;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    if (!pDropSource)
        pDropSource = &defaultSource;
    if (lpRectStartDrag)
        pDropSource->m_rectStartDrag = *lpRectStartDrag;
    if (!pDropSource->OnBeginDrag(CWnd::GetCapture()))
        return DROPEFFECT_NONE;
    DWORD dwResult = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(GetDataObject(), pDropSource->GetDropSource(), dwEffects, &dwResult);
    return hr == DRAGDROP_S_DROP ? dwResult : DROPEFFECT_NONE;
}
