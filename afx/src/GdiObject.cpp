#include "GdiObject.h"
#include "HandleMap.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {
void SetHandle(CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; }
CGdiObject* NewGdiObject() { return new CGdiObject; }

CHandleMapT<CGdiObject, HGDIOBJ>& GdiMap()
{
    static thread_local CHandleMapT<CGdiObject, HGDIOBJ> map(&SetHandle);
    return map;
}
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return FromHandleOf(hObject, &NewGdiObject);
}

CGdiObject* PASCAL CGdiObject::FromHandleOf(HGDIOBJ hObject, CGdiObject* (*pfnNew)())
{
    return GdiMap().FromHandle(hObject, pfnNew);
}

void PASCAL CGdiObject::DeleteTempMap()
{
    GdiMap().DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr || m_hObject != nullptr)
        return FALSE;
    m_hObject = hObject;
    GdiMap().SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != nullptr) {
        // Only the owner's entry goes; a temporary wrapper is not in the permanent map.
        if (GdiMap().LookupPermanent(hObject) == this)
            GdiMap().RemoveHandle(hObject);
    }
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return m_hObject ? ::GetObjectA(m_hObject, nCount, lpObject) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // As in MFC the wrapper attaches the stock object; GDI ignores the
    // DeleteObject its destructor sends.
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE;
}
