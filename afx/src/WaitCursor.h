// Shows the wait cursor for the lifetime of the object.
#pragma once
#include "WinApp.h"

class CWaitCursor
{
public:
    CWaitCursor() { if (CWinApp* p = AfxGetApp()) p->DoWaitCursor(1); }
    ~CWaitCursor() { if (CWinApp* p = AfxGetApp()) p->DoWaitCursor(-1); }
    void Restore() { if (CWinApp* p = AfxGetApp()) p->DoWaitCursor(0); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
