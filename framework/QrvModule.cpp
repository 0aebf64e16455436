// QRV.dll's entry point: the library registers itself as an extension module
// of the host's framework, so its dialogs, strings and creatable classes are
// found from the host.
#include <afxwin.h>
#include <afxdllx.h>

static AFX_EXTENSION_MODULE QrvDLL = { FALSE, nullptr, nullptr, nullptr, nullptr };

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(QrvDLL, hInstance))
            return FALSE;
        new CDynLinkLibrary(QrvDLL);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(QrvDLL);
    }
    return TRUE;
}
