// CGdiObject: the base of the GDI object wrappers (pens, brushes, fonts,
// bitmaps, palettes, regions). A wrapper owns its handle and deletes it when
// it is destroyed, unless the handle was detached first.
#pragma once
#include "Object.h"

class AFX_CORE_CLASS CGdiObject : public CObject
{
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject() : m_hObject(nullptr) {}
    ~CGdiObject() override;

    HGDIOBJ m_hObject;
    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // The permanent wrapper of hObject, else a temporary one (see DeleteTempMap).
    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
    // Deletes this thread's temporary wrappers; their handles stay alive.
    static void PASCAL DeleteTempMap();

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();
    BOOL operator==(const CGdiObject& obj) const { return m_hObject == obj.m_hObject; }
    BOOL operator!=(const CGdiObject& obj) const { return m_hObject != obj.m_hObject; }

protected:
    // For the derived classes: FromHandle that makes the right wrapper type.
    static CGdiObject* PASCAL FromHandleOf(HGDIOBJ hObject, CGdiObject* (*pfnNew)());

private:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
};
