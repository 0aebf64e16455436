// SdiHost.h : main header file for the SDIHOST application
#pragma once

#ifndef __AFXWIN_H__
#error include 'stdafx.h' before including this file for PCH
#endif

#include "resource.h" // main symbols

class CSdiHostApp : public CWinApp {
public:
    virtual BOOL InitInstance();
    DECLARE_MESSAGE_MAP()
};
