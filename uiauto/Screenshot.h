// Saves what a window shows on the (virtual) screen as a PNG file.
#pragma once
#include <windows.h>
#include <string>

namespace qrvtest {

// Brings the window to the top, lets it paint, copies its screen rectangle
// and writes a PNG through the Windows Imaging Component.
bool SaveWindowPng(HWND hWnd, const std::string& path);

}
