// Copies a rectangle of a device context into 0x00RRGGBB pixels, top row
// first. Header-only and plain Win32, so that code loaded into another
// program (the MFC host probe) can use it without the UI-automation library.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace qrvtest {

// Empty when the size is empty or the copy fails.
inline std::vector<uint32_t> CapturePixels(HDC hdcSource, int x, int y, int cx, int cy)
{
    std::vector<uint32_t> pixels;
    if (cx <= 0 || cy <= 0)
        return pixels;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(hdcSource, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hbm)
        return pixels;
    HDC hdcMem = ::CreateCompatibleDC(hdcSource);
    HGDIOBJ old = ::SelectObject(hdcMem, hbm);
    if (::BitBlt(hdcMem, 0, 0, cx, cy, hdcSource, x, y, SRCCOPY) && bits) {
        ::GdiFlush();
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        pixels.assign(p, p + size_t(cx) * size_t(cy));
        for (uint32_t& px : pixels)
            px &= 0xFFFFFF;
    }
    ::SelectObject(hdcMem, old);
    ::DeleteObject(hbm);
    ::DeleteDC(hdcMem);
    return pixels;
}

}  // namespace qrvtest
