// CWindowDC: the device context of a whole window, frame included (the screen if the window is
// null), from GetWindowDC to ReleaseDC for the lifetime of the object.
#pragma once
#include "Dc.h"

class AFX_CORE_CLASS CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
