// Loaded into a host program through the driver's message hook: describes a
// window's menu from inside the host (menus cannot be read from another
// process under Wine) and sends the description back with WM_COPYDATA.
// First line "classicon=1" when the window's class has an icon, "bigicon=1" when
// the window has its own large icon (both only readable inside the host), then one line
// per item: depth spaces, id, 'G' when grayed, 'C' when checked, '|', text;
// a separator is "-".
// With lParam 1 each popup of the menu bar is first announced to the window
// with WM_INITMENUPOPUP, as the platform does before it shows a popup.
// The message "QrvMfcHostProbe.Pixels" posted to a window describes what its
// client area shows: "WxH ink=N hash=H", N the pixels that differ from the
// top left one, H a hash of all of them (after the window painted itself).
#include <windows.h>
#include <stdio.h>
#include <string>

#include "uiauto/CapturePixels.h"

namespace {

UINT ProbeMessage()
{
    static UINT msg = ::RegisterWindowMessageA("QrvMfcHostProbe.Menu");
    return msg;
}

UINT PixelsMessage()
{
    static UINT msg = ::RegisterWindowMessageA("QrvMfcHostProbe.Pixels");
    return msg;
}

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

void Reply(HWND hTo, HWND hFrom, const std::string &text)
{
    COPYDATASTRUCT cds = {};
    cds.dwData = 1;
    cds.cbData = (DWORD)text.size() + 1;
    cds.lpData = const_cast<char *>(text.c_str());
    ::SendMessageA(hTo, WM_COPYDATA, reinterpret_cast<WPARAM>(hFrom), reinterpret_cast<LPARAM>(&cds));
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

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    MSG *pMsg = reinterpret_cast<MSG *>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && pMsg->message == ProbeMessage()) {
        HMENU hBar = ::GetMenu(pMsg->hwnd);
        if (pMsg->lParam == 1)
            for (int i = 0, n = ::GetMenuItemCount(hBar); i < n; i++)
                if (HMENU hPopup = ::GetSubMenu(hBar, i))
                    ::SendMessageA(pMsg->hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup),
                                   MAKELPARAM(i, FALSE));
        std::string text = ::GetClassLongPtrA(pMsg->hwnd, GCLP_HICON) ? "classicon=1\n" : "classicon=0\n";
        text += ::SendMessageA(pMsg->hwnd, WM_GETICON, ICON_BIG, 0) ? "bigicon=1\n" : "bigicon=0\n";
        Describe(hBar, 0, text);
        Reply(reinterpret_cast<HWND>(pMsg->wParam), pMsg->hwnd, text);
        pMsg->message = WM_NULL;
    } else if (code == HC_ACTION && wParam == PM_REMOVE && pMsg->message == PixelsMessage()) {
        Reply(reinterpret_cast<HWND>(pMsg->wParam), pMsg->hwnd, DescribePixels(pMsg->hwnd));
        pMsg->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
