// The demo host: an application like the HMI configuration program, with a
// registry key of its own, that loads QRV.dll and shows what it offers.
#pragma once
#include <afxwin.h>

class CDemoApp : public CWinApp
{
public:
    CDemoApp();
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // Without a display the demo writes screenshots and ends.
    int TakeScreenshots(const CString& folder);
    int ShootControllerSelection(const CString& folder);
    int ShootResizing(const CString& folder);
    HMODULE m_hQrv = nullptr;
    int m_nScreenshotFailures = -1;
};
