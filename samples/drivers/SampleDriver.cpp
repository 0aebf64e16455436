// A sample PLC driver module. Each sample is this source with a string table
// of its own (identity, name, versions, compatibility) and a few switches:
// SAMPLE_CAPABILITY   the capability word of "ExpGetDriverCapability"
// SAMPLE_DPROTO       a binary resource that announces DProto support
// SAMPLE_SETUP_DIALOG a real controller setup dialog behind "ExecPlcSetupDlg"
// SAMPLE_INTERNAL     the internal-controller entry points ("ProxyToDll", "ExpGetDriverName")
#include "SampleDriver.h"
#include "driver/PlcDriverRecords.h"
#include <string.h>

#define SAMPLE_EXPORT extern "C" __declspec(dllexport)

namespace {
HINSTANCE g_hInstance = nullptr;
int g_nInitCount = 0;
}

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        g_hInstance = hInstance;
    return TRUE;
}

SAMPLE_EXPORT int WINAPI ExpDoSpecialInit()
{
    return ++g_nInitCount;
}

SAMPLE_EXPORT int WINAPI InitPlcDefaults(sTARGSETUP*, uPLCSETUP* pSetup, uPLCSETUP* pSetup2, tagFIELDREC*, unsigned short)
{
    // The sample keeps its baud-rate index in the first byte: 9600 by default.
    if (pSetup)
        pSetup->abyData[0] = 6;
    if (pSetup2 && pSetup2 != pSetup)
        pSetup2->abyData[0] = 6;
    return 1;
}

#ifdef SAMPLE_CAPABILITY
SAMPLE_EXPORT int WINAPI ExpGetDriverCapability(unsigned long* pBlock)
{
    if (pBlock)
        pBlock[0] = SAMPLE_CAPABILITY;
    return 1;
}
#endif

#ifdef SAMPLE_DPROTO
namespace { unsigned char g_abyResource[32]; }

SAMPLE_EXPORT long WINAPI GetVarnBinaryResource(char** ppBlock, sSPROTINFO*)
{
    memset(g_abyResource, 0, sizeof(g_abyResource));
    g_abyResource[15] = 0x80;
    if (ppBlock)
        *ppBlock = reinterpret_cast<char*>(g_abyResource);
    return sizeof(g_abyResource);
}

SAMPLE_EXPORT int WINAPI FreeVarnBinaryResource()
{
    return 1;
}
#endif

#ifdef SAMPLE_INTERNAL
SAMPLE_EXPORT int WINAPI ProxyToDll(int nValue)
{
    return nValue == -1 ? 175 : 0;
}

SAMPLE_EXPORT int WINAPI ExpGetDriverName(char* pszName, int nSize)
{
    const char szName[] = "IsaGRAF Runtime";
    if (!pszName || nSize < static_cast<int>(sizeof(szName)))
        return 0;
    memcpy(pszName, szName, sizeof(szName));
    return 1;
}
#endif

#ifdef SAMPLE_SETUP_DIALOG
namespace {
const int kBaudCount = PLC_BAUDRATE_COUNT;

INT_PTR CALLBACK SetupDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG: {
        ::SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        sSETUPDLGPARAM* pParam = reinterpret_cast<sSETUPDLGPARAM*>(lParam);
        HWND hCombo = ::GetDlgItem(hDlg, IDC_SAMPLE_BAUD);
        for (int i = 0; i < kBaudCount; ++i)
            ::SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pParam->ppszBaudRates[i]));
        int index = pParam->plcSetup.abyData[0];
        ::SendMessageA(hCombo, CB_SETCURSEL, index < kBaudCount ? index : 6, 0);
        char szName[256] = "";
        ::LoadStringA(g_hInstance, 2, szName, sizeof(szName));
        ::SetDlgItemTextA(hDlg, IDC_SAMPLE_NAME, szName);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            sSETUPDLGPARAM* pParam = reinterpret_cast<sSETUPDLGPARAM*>(::GetWindowLongPtrA(hDlg, DWLP_USER));
            LRESULT sel = ::SendDlgItemMessageA(hDlg, IDC_SAMPLE_BAUD, CB_GETCURSEL, 0, 0);
            if (sel >= 0 && sel < kBaudCount)
                pParam->plcSetup.abyData[0] = static_cast<unsigned char>(sel);
            ::EndDialog(hDlg, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(hDlg, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}

// Shows the controller setup; 0 when the user chose Abbrechen.
SAMPLE_EXPORT int WINAPI ExecPlcSetupDlg(HWND hParent, sSETUPDLGPARAM* pParam)
{
    if (!pParam || pParam->dwSize != sizeof(sSETUPDLGPARAM) || !pParam->ppszBaudRates)
        return 0;
    INT_PTR rc = ::DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_SAMPLE_SETUP), hParent, SetupDialogProc,
                                   reinterpret_cast<LPARAM>(pParam));
    return rc == 1 ? 1 : 0;
}
#endif
