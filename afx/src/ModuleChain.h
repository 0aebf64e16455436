// The resource chain: the application module first, then every extension
// module in the order it registered. Strings, dialogs, bitmaps and creatable
// classes of QRV.dll are found from the host through this chain.
#pragma once
#include "CmdTarget.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;
    void* pFirstSharedFactory;
};

// Registers an extension module's instance in the resource chain for as long
// as it lives. Created by the extension DLL's DllMain; deleted by
// AfxTermExtensionModule.
class AFX_CORE_CLASS CDynLinkLibrary : public CCmdTarget
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;

private:
    void Link();
};

AFX_CORE_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
AFX_CORE_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// The module whose resources are searched first (the application's unless
// changed), and the application's instance handle.
AFX_CORE_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_CORE_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
AFX_CORE_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_CORE_API void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);

// The first module of the chain that holds the resource; the resource handle
// when nobody does (so that the caller's load fails cleanly).
AFX_CORE_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
// The same for a string id: string tables are stored in blocks of sixteen.
AFX_CORE_API HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);
// Loads string nID from the chain into lpszBuf; returns its length, 0 if absent.
AFX_CORE_API int AFXAPI AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nMaxBuf);
