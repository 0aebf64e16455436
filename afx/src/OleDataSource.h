// COleDataSource: data offered to other programs, through the clipboard or a
// drag. Cached formats live in global memory (or any storage medium) owned by
// the source until it is emptied or destroyed; a consumer always gets its own
// copy. The source is reference counted as an OLE object: the creator holds
// the first reference, and SetClipboard hands that reference to the clipboard,
// which deletes the source when another program takes the clipboard over.
// So a source given to SetClipboard must come from new and is not deleted by
// its creator.
#pragma once
#include "CmdTarget.h"
#include "Point.h"
#include "OleDataObject.h"

class COleDropSource;

class CWnd;

class AFX_CORE_CLASS COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // The source takes hGlobal over; a second offer of the same format replaces the first.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // The source takes the medium over (it is released with ReleaseStgMedium).
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // Frees every cached format.
    void Empty();
    int GetFormatCount() const { return m_nSize; }

    // Puts the source on the clipboard, which owns it from then on. FALSE
    // when the clipboard refuses it; the creator then still owns the source.
    BOOL SetClipboard();
    // Renders every format into the clipboard, so it survives this source.
    static void PASCAL FlushClipboard();
    // The source that owns the clipboard now, if it is one of ours.
    static COleDataSource* PASCAL GetClipboardOwner();

    // Runs a modal drag of the cached formats; the effect the target chose,
    // DROPEFFECT_NONE when cancelled.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // The IDataObject interface (not AddRef'ed), as GetInterface(&IID_IDataObject) gives it.
    LPDATAOBJECT GetDataObject();

protected:
    LPUNKNOWN GetInterfaceHook(const void* iid) override;

private:
    struct Entry
    {
        FORMATETC formatEtc;
        STGMEDIUM stgMedium;
    };
    class XDataObject;
    friend class XDataObject;

    Entry* Lookup(const FORMATETC* pFormatEtc, BOOL bForGet) const;
    Entry* GetCacheEntry(const FORMATETC& formatEtc);

    Entry* m_pEntries;
    int m_nSize;
    int m_nMaxSize;
    XDataObject* m_pDataObject;
};
