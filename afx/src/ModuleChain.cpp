#include "ModuleChain.h"
#include "CmdTarget.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

namespace {
CDynLinkLibrary* g_pFirstDLL = nullptr;
HINSTANCE g_hInstance = nullptr;
HINSTANCE g_hResource = nullptr;

HINSTANCE AppInstance()
{
    return g_hInstance ? g_hInstance : ::GetModuleHandleA(nullptr);
}

bool HasResource(HMODULE hModule, LPCSTR lpszName, LPCSTR lpszType)
{
    return hModule && ::FindResourceA(hModule, lpszName, lpszType) != nullptr;
}

// Whether the module's string table really holds string nID (a block can
// exist while the single string is empty, which counts as absent).
bool HasString(HMODULE hModule, UINT nID)
{
    char ch[2];
    return hModule && ::LoadStringA(hModule, nID, ch, sizeof ch) > 0;
}
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pNextDLL(nullptr)
{
    Link();
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(nullptr)
{
    Link();
}

void CDynLinkLibrary::Link()
{
    CDynLinkLibrary** pp = &g_pFirstDLL;
    while (*pp)
        pp = &(*pp)->m_pNextDLL;
    *pp = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** pp = &g_pFirstDLL; *pp; pp = &(*pp)->m_pNextDLL)
        if (*pp == this) {
            *pp = m_pNextDLL;
            break;
        }
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return TRUE;
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = nullptr;
    state.pFirstSharedFactory = nullptr;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL /*bAll*/)
{
    if (!state.bInitialized)
        return;
    for (CDynLinkLibrary* p = g_pFirstDLL; p;) {
        CDynLinkLibrary* pNext = p->m_pNextDLL;
        if (p->m_hModule == state.hModule)
            delete p;
        p = pNext;
    }
    AfxUnregisterModuleClasses(state.hModule);
    state.bInitialized = FALSE;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() { return AppInstance(); }
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance) { g_hInstance = hInstance; }
HINSTANCE AFXAPI AfxGetResourceHandle() { return g_hResource ? g_hResource : AppInstance(); }
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResource = hInstResource; }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE hFirst = AfxGetResourceHandle();
    if (HasResource(hFirst, lpszName, lpszType))
        return hFirst;
    for (CDynLinkLibrary* p = g_pFirstDLL; p; p = p->m_pNextDLL)
        if (HasResource(p->m_hResource, lpszName, lpszType))
            return p->m_hResource;
    return hFirst;
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    HINSTANCE hFirst = AfxGetResourceHandle();
    if (HasString(hFirst, nID))
        return hFirst;
    for (CDynLinkLibrary* p = g_pFirstDLL; p; p = p->m_pNextDLL)
        if (HasString(p->m_hResource, nID))
            return p->m_hResource;
    return hFirst;
}

int AFXAPI AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nMaxBuf)
{
    if (!lpszBuf || nMaxBuf == 0)
        return 0;
    int n = ::LoadStringA(AfxFindStringResourceHandle(nID), nID, lpszBuf, (int)nMaxBuf);
    if (n <= 0)
        lpszBuf[0] = '\0';
    return n > 0 ? n : 0;
}
