// SdiHost.h : main header file for the SDIHOST application
#pragma once

#include "resource.h" // main symbols

class CSdiHostApp : public CWinApp {
public:
    virtual BOOL InitInstance();
    DECLARE_MESSAGE_MAP()
};
