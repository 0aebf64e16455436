// FrameHost.h : main header file for the FRAMEHOST application
#pragma once

#include "resource.h" // main symbols

class CFrameHostApp : public CWinApp {
public:
    virtual BOOL InitInstance();
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};
