// CClientDC: the device context of the client area of a window (the screen if the window is
// null), from GetDC to ReleaseDC for the lifetime of the object.
#pragma once
#include "Dc.h"

class AFX_CORE_CLASS CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
