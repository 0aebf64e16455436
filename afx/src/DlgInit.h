// Dialog-initialisation resources: the list and combo box entries that the
// resource compiler stores beside a dialog template (RT_DLGINIT, same name).
#pragma once
#include "AfxDefs.h"

// Fills the controls of hWnd from the resource of that name; TRUE when there
// is none or every entry was added.
AFX_CORE_API BOOL AFXAPI AfxExecuteDlgInit(HWND hWnd, LPCSTR lpszResourceName);
AFX_CORE_API BOOL AFXAPI AfxExecuteDlgInit(HWND hWnd, LPVOID lpResource);
