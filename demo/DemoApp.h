// The demo host: an application like the HMI configuration program, with a
// registry key of its own, that loads QRV.dll and configures one project in
// a frame with one view.
#pragma once
#include <afxwin.h>

class CHostDoc;

class CDemoApp : public CWinApp
{
public:
    CDemoApp();
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    HMODULE m_hQrv = nullptr;
    CHostDoc* m_pDoc = nullptr;
    int m_nCheckFailures = -1;
};
