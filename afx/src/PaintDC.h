// CPaintDC: the device context of a WM_PAINT handler, from BeginPaint to
// EndPaint for the lifetime of the object.
#pragma once
#include "Dc.h"

class AFX_CORE_CLASS CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
