// Loaded into a host program through the driver's message hook; answers two
// messages posted to a window of the host by setting the answer as the text
// of the driver's window the message names (wParam).
// "QrvMfcHostProbe.Menu": the window's menu, read inside the host (menus
// cannot be read from another process under Wine). First line "classicon=1"
// when the window's class has an icon, "bigicon=1" when the window has its own
// large icon (both only readable inside the host), then one line per item:
// depth spaces, id, 'G' when grayed, 'C' when checked, '|', text; a separator
// is "-". With lParam 1 each popup of the menu bar is first announced to the
// window with WM_INITMENUPOPUP, as the platform does before it shows a popup.
// "QrvMfcHostProbe.Pixels": what the window's client area shows, "WxH ink=N
// hash=H", N the pixels that differ from the top left one, H a hash of all of
// them (after the window painted itself).
#include <windows.h>
#include <stdio.h>
#include <string>

#include "uiauto/CapturePixels.h"

namespace {

std::string DescribePixels(HWND hWnd)
{
    ::UpdateWindow(hWnd);
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    int cx = rc.right, cy = rc.bottom;
    if (cx <= 0 || cy <= 0)
        return "empty";
    HDC hdcWnd = ::GetDC(hWnd);
    const std::vector<uint32_t> pixels = qrvtest::CapturePixels(hdcWnd, 0, 0, cx, cy);
    ::ReleaseDC(hWnd, hdcWnd);
    if (pixels.empty())
        return "empty";
    unsigned long long hash = 1469598103934665603ull;
    size_t ink = 0;
    for (uint32_t px : pixels) {
        ink += px != pixels[0];
        hash = (hash ^ px) * 1099511628211ull;
    }
    char text[96];
    snprintf(text, sizeof text, "%dx%d ink=%zu hash=%016llx", cx, cy, ink, hash);
    return text;
}

void Describe(HMENU hMenu, int depth, std::string &out)
{
    int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; i++) {
        char text[128] = "";
        ::GetMenuStringA(hMenu, i, text, sizeof text, MF_BYPOSITION);
        UINT state = ::GetMenuState(hMenu, i, MF_BYPOSITION);
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (!hSub && (state & MF_SEPARATOR)) {
            out += std::string(depth, ' ') + "-\n";
            continue;
        }
        out += std::string(depth, ' ') + std::to_string(hSub ? 0 : ::GetMenuItemID(hMenu, i));
        out += (state & MF_GRAYED) ? "G" : "";
        out += (state & MF_CHECKED) ? "C" : "";
        out += std::string("|") + text + "\n";
        if (hSub)
            Describe(hSub, depth + 1, out);
    }
}

std::string DescribeMenu(HWND hWnd, bool bOpened)
{
    HMENU hBar = ::GetMenu(hWnd);
    if (bOpened)
        for (int i = 0, n = ::GetMenuItemCount(hBar); i < n; i++)
            if (HMENU hPopup = ::GetSubMenu(hBar, i))
                ::SendMessageA(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup),
                               MAKELPARAM(i, FALSE));
    std::string text = ::GetClassLongPtrA(hWnd, GCLP_HICON) ? "classicon=1\n" : "classicon=0\n";
    text += ::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0) ? "bigicon=1\n" : "bigicon=0\n";
    Describe(hBar, 0, text);
    return text;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT kMenu = ::RegisterWindowMessageA("QrvMfcHostProbe.Menu");
    static const UINT kPixels = ::RegisterWindowMessageA("QrvMfcHostProbe.Pixels");
    MSG *pMsg = reinterpret_cast<MSG *>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && (pMsg->message == kMenu || pMsg->message == kPixels)) {
        const std::string text =
            pMsg->message == kMenu ? DescribeMenu(pMsg->hwnd, pMsg->lParam == 1) : DescribePixels(pMsg->hwnd);
        ::SendMessageA(reinterpret_cast<HWND>(pMsg->wParam), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(text.c_str()));
        pMsg->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
