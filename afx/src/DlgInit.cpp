// Dialog-initialisation resources (RT_DLGINIT): records of control id,
// message, length and data, ended by a zero id; the resource compiler writes
// the add-string messages with their 16-bit values.
#include "DlgInit.h"
#include "ModuleChain.h"
#include <string.h>

#ifndef RT_DLGINIT
#define RT_DLGINIT MAKEINTRESOURCEA(240)
#endif

namespace
{
const WORD kWin16LbAddString = 0x0401;
const WORD kWin16CbAddString = 0x0403;
}

BOOL AFXAPI AfxExecuteDlgInit(HWND hWnd, LPCSTR lpszResourceName)
{
    if (!lpszResourceName)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, RT_DLGINIT);
    if (!hResource)
        return TRUE;   // most dialogs have none
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    LPVOID lpResource = hData ? ::LockResource(hData) : nullptr;
    if (!lpResource)
        return FALSE;
    return AfxExecuteDlgInit(hWnd, lpResource);
}

BOOL AFXAPI AfxExecuteDlgInit(HWND hWnd, LPVOID lpResource)
{
    if (!lpResource)
        return TRUE;
    const BYTE* p = static_cast<const BYTE*>(lpResource);
    BOOL bSuccess = TRUE;
    for (;;)
    {
        WORD nIDC, nMsg;
        DWORD dwLen;
        memcpy(&nIDC, p, sizeof(WORD));
        if (nIDC == 0)
            break;
        memcpy(&nMsg, p + 2, sizeof(WORD));
        memcpy(&dwLen, p + 4, sizeof(DWORD));
        p += 8;
        UINT nMessage = nMsg == kWin16LbAddString ? LB_ADDSTRING : nMsg == kWin16CbAddString ? CB_ADDSTRING : nMsg;
        if (nMessage == LB_ADDSTRING || nMessage == CB_ADDSTRING)
        {
            if (::SendDlgItemMessageA(hWnd, nIDC, nMessage, 0, reinterpret_cast<LPARAM>(p)) < 0)
                bSuccess = FALSE;
        }
        p += dwLen;
    }
    return bSuccess;
}
