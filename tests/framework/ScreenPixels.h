// The screen's pixels of a window's client area, read back after the window
// has painted itself completely.
#pragma once
#include <windows.h>
#include "tests/support/MessagePump.h"

class CScreenPixels
{
public:
    explicit CScreenPixels(HWND hWnd)
    {
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        qrvtest::PumpFor(50);
        ::GetClientRect(hWnd, &m_rc);
        HDC hdc = ::GetDC(hWnd);
        m_hMem = ::CreateCompatibleDC(hdc);
        m_hBmp = ::CreateCompatibleBitmap(hdc, m_rc.right, m_rc.bottom);
        m_hOld = ::SelectObject(m_hMem, m_hBmp);
        ::BitBlt(m_hMem, 0, 0, m_rc.right, m_rc.bottom, hdc, 0, 0, SRCCOPY);
        ::ReleaseDC(hWnd, hdc);
    }
    ~CScreenPixels()
    {
        ::SelectObject(m_hMem, m_hOld);
        ::DeleteObject(m_hBmp);
        ::DeleteDC(m_hMem);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(m_hMem, x, y); }
    int Width() const { return m_rc.right; }
    int Height() const { return m_rc.bottom; }

private:
    RECT m_rc;
    HDC m_hMem;
    HBITMAP m_hBmp;
    HGDIOBJ m_hOld;
};
