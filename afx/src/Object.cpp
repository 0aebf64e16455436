#include "Object.h"
#include <string.h>

namespace {
// One chain for the whole process; every entry knows its module. The
// framework runs on one user-interface thread, registrations happen while a
// module is being loaded, which the loader serialises.
CRuntimeClass* g_pFirstClass = nullptr;

HMODULE ModuleOf(const void* p)
{
    HMODULE h = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCSTR>(p), &h);
    return h;
}

CRuntimeClass* FindIn(LPCSTR name, bool wantApp)
{
    HMODULE hApp = ::GetModuleHandleA(nullptr);
    for (CRuntimeClass* p = g_pFirstClass; p; p = p->m_pNextClass)
        if ((p->m_hModule == hApp) == wantApp && strcmp(p->m_lpszClassName, name) == 0)
            return p;
    return nullptr;
}
}

CRuntimeClass CObject::classCObject = { "CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr, nullptr };
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    pNewClass->m_hModule = ModuleOf(pNewClass);
    pNewClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pNewClass;
}

void AFXAPI AfxUnregisterModuleClasses(HMODULE hModule)
{
    for (CRuntimeClass** pp = &g_pFirstClass; *pp;) {
        if ((*pp)->m_hModule == hModule)
            *pp = (*pp)->m_pNextClass;
        else
            pp = &(*pp)->m_pNextClass;
    }
}

CObject* CRuntimeClass::CreateObject()
{
    return m_pfnCreateObject ? (*m_pfnCreateObject)() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    CRuntimeClass* p = FindIn(lpszClassName, true);
    return p ? p : FindIn(lpszClassName, false);
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* p = FromName(lpszClassName);
    return p ? p->CreateObject() : nullptr;
}

void CObject::Serialize(CArchive&)
{
}
