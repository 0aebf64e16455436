// DialogHost.h : main header file for the DIALOGHOST application
#pragma once

#include "resource.h" // main symbols

class CDialogHostApp : public CWinApp {
public:
    virtual BOOL InitInstance();
    DECLARE_MESSAGE_MAP()
};
