// Drives an MFC host program the way a user does and checks what it shows:
//   MfcHostDriver frame  HOST.EXE   the frame host: title, menu, viewer pane, about box, exit
//   MfcHostDriver dialog HOST.EXE   the dialog host: its dialog, the controller selection dialog
// Prints one line per check; exit code 0 when all passed.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

const UINT kAppAbout = 0xE140;     // ID_APP_ABOUT
const UINT kAppExit = 0xE141;      // ID_APP_EXIT
const int kPaneId = 0xE900;        // AFX_IDW_PANE_FIRST
const int kStatusBarId = 0xE801;   // AFX_IDW_STATUS_BAR
const int kSelectButton = 1000;    // the dialog host's "Controller wählen..."

int g_failures = 0;
std::string g_reply;
bool g_replied = false;

LRESULT CALLBACK ReplyProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COPYDATA) {
        const COPYDATASTRUCT* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        g_reply.assign(static_cast<const char*>(cds->lpData), cds->cbData ? cds->cbData - 1 : 0);
        g_replied = true;
        return TRUE;
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

void Check(bool ok, const std::string& what)
{
    printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    fflush(stdout);
    if (!ok)
        g_failures++;
}

std::string Text(HWND hWnd)
{
    char text[256] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

struct Search
{
    DWORD pid;
    std::string title;   // empty: any visible window
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND hWnd, LPARAM lParam)
{
    Search* s = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != s->pid || !::IsWindowVisible(hWnd))
        return TRUE;
    if (!s->title.empty() && Text(hWnd) != s->title)
        return TRUE;
    s->found = hWnd;
    return FALSE;
}

// The visible top-level window of the process (with that title), waiting up to ms.
HWND WaitForWindow(DWORD pid, const std::string& title, DWORD ms = 20000)
{
    DWORD start = ::GetTickCount();
    do {
        Search s = {pid, title, nullptr};
        ::EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&s));
        if (s.found)
            return s.found;
        ::Sleep(50);
    } while (::GetTickCount() - start < ms);
    return nullptr;
}

bool WaitGone(HWND hWnd, DWORD ms = 10000)
{
    DWORD start = ::GetTickCount();
    while (::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && ::GetTickCount() - start < ms)
        ::Sleep(50);
    return !::IsWindow(hWnd) || !::IsWindowVisible(hWnd);
}

// The host ends by itself; its exit code.
DWORD WaitForExit(HANDLE hProcess)
{
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(hProcess, 20000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(hProcess, &code);
    return code;
}

// The host's menu as MfcHostProbe describes it from inside the host; with
// bOpened, after each popup was announced as about to open.
std::string ReadMenu(HWND hFrame, DWORD threadId, bool bOpened)
{
    static HWND hReply = nullptr;
    static HHOOK hHook = nullptr;
    if (!hReply) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ReplyProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "MfcHostDriverReply";
        ::RegisterClassA(&wc);
        hReply = ::CreateWindowA("MfcHostDriverReply", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    }
    if (!hHook) {
        HMODULE hProbe = ::LoadLibraryA("MfcHostProbe.dll");
        FARPROC proc = hProbe ? ::GetProcAddress(hProbe, "ProbeHook") : nullptr;
        if (!proc && hProbe)
            proc = ::GetProcAddress(hProbe, "ProbeHook@12");
        if (proc)
            hHook = ::SetWindowsHookExA(WH_GETMESSAGE, reinterpret_cast<HOOKPROC>(proc), hProbe, threadId);
        if (!hHook)
            return "(no probe)";
    }
    g_replied = false;
    ::PostMessageA(hFrame, ::RegisterWindowMessageA("QrvMfcHostProbe.Menu"), reinterpret_cast<WPARAM>(hReply),
                   bOpened ? 1 : 0);
    DWORD start = ::GetTickCount();
    while (!g_replied && ::GetTickCount() - start < 10000) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return g_replied ? g_reply : "(no reply)";
}

void DriveFrame(const PROCESS_INFORMATION& pi)
{
    HWND hFrame = WaitForWindow(pi.dwProcessId, "");
    Check(hFrame != nullptr, "the frame window appears");
    if (!hFrame)
        return;
    Check(Text(hFrame) == "QRV Rahmenhost", "title \"" + Text(hFrame) + "\" from the frame's string");

    // The menu bar of the frame's resource id, as the user sees it before and
    // after the popups open: the command route disables what nobody handles.
    std::string menu = ReadMenu(hFrame, pi.dwThreadId, false);
    const std::string expected =
        "classicon=1\nbigicon=1\n"
        "0|&Datei\n 57600|&Neu\tStrg+N\n -\n 57665|&Beenden\n"
        "0|&Bearbeiten\n 57634|&Kopieren\tStrg+C\n"
        "0|&Hilfe\n 57670|&Hilfethemen\tF1\n -\n 57664|&Info über QRV Rahmenhost...\n";
    Check(menu == expected, "the icons and the menu of IDR_MAINFRAME:\n" + menu);
    std::string opened = ReadMenu(hFrame, pi.dwThreadId, true);
    const std::string expectedOpened =
        "classicon=1\nbigicon=1\n"
        "0|&Datei\n 57600G|&Neu\tStrg+N\n -\n 57665|&Beenden\n"
        "0|&Bearbeiten\n 57634G|&Kopieren\tStrg+C\n"
        "0|&Hilfe\n 57670|&Hilfethemen\tF1\n -\n 57664|&Info über QRV Rahmenhost...\n";
    Check(opened == expectedOpened,
          "opened: \"Neu\" (no handler) and \"Kopieren\" (its update handler) disabled, the rest enabled:\n" + opened);

    HWND hPane = ::GetDlgItem(hFrame, kPaneId);
    RECT rcPane = {}, rcClient = {};
    if (hPane)
        ::GetWindowRect(hPane, &rcPane);
    ::GetClientRect(hFrame, &rcClient);
    Check(hPane && ::IsWindowVisible(hPane) && rcPane.right - rcPane.left == rcClient.right,
          "the viewer pane fills the frame's width");
    Check(::GetDlgItem(hFrame, kStatusBarId) != nullptr, "the status bar is there");
    char cls[64] = "";
    HWND hBar = ::GetDlgItem(hFrame, kStatusBarId);
    if (hBar)
        ::GetClassNameA(hBar, cls, sizeof cls);
    Check(_stricmp(cls, "msctls_statusbar32") == 0, std::string("status bar class ") + cls);

    ::PostMessageA(hFrame, WM_COMMAND, kAppAbout, 0);
    HWND hAbout = WaitForWindow(pi.dwProcessId, "Info über QRV Rahmenhost");
    Check(hAbout != nullptr, "Info... opens the about box");
    if (hAbout) {
        Check(::GetWindow(hAbout, GW_OWNER) == hFrame, "the about box is owned by the frame");
        Check(!::IsWindowEnabled(hFrame), "the frame waits while the about box is open");
        ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
        Check(WaitGone(hAbout), "OK closes the about box");
    }

    ::PostMessageA(hFrame, WM_COMMAND, kAppExit, 0);
    DWORD code = WaitForExit(pi.hProcess);
    Check(code == 0, "Beenden ends the program with exit code " + std::to_string(code));
}

void DriveDialog(const PROCESS_INFORMATION& pi)
{
    HWND hDlg = WaitForWindow(pi.dwProcessId, "");
    Check(hDlg != nullptr, "the host's dialog appears");
    if (!hDlg)
        return;
    Check(Text(hDlg) == "QRV Dialoghost", "title \"" + Text(hDlg) + "\"");
    HWND hButton = ::GetDlgItem(hDlg, kSelectButton);
    Check(hButton && Text(hButton) == "&Controller wählen...", "button \"" + Text(hButton) + "\"");

    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(kSelectButton, BN_CLICKED), (LPARAM)hButton);
    HWND hSelect = WaitForWindow(pi.dwProcessId, "Controller auswählen");
    Check(hSelect != nullptr, "the controller selection dialog opens with its German title");
    if (hSelect) {
        Check(::GetWindow(hSelect, GW_OWNER) == hDlg, "it is owned by the host's dialog");
        ::PostMessageA(hSelect, WM_COMMAND, IDCANCEL, 0);
        Check(WaitGone(hSelect), "Abbrechen closes it");
        // The host writes what came of the choice once its DoModal has returned.
        HWND hStatus = ::GetDlgItem(hDlg, 1001);
        DWORD start = ::GetTickCount();
        while (hStatus && Text(hStatus) != "Auswahl abgebrochen" && ::GetTickCount() - start < 5000)
            ::Sleep(50);
        Check(hStatus && Text(hStatus) == "Auswahl abgebrochen", "the host saw the cancel: \"" + Text(hStatus) + "\"");
    }

    ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    DWORD code = WaitForExit(pi.hProcess);
    Check(code == 0, "closing the dialog ends the program with exit code " + std::to_string(code));
}

}

int main(int argc, char** argv)
{
    if (argc != 3 || (strcmp(argv[1], "frame") != 0 && strcmp(argv[1], "dialog") != 0)) {
        fprintf(stderr, "usage: MfcHostDriver frame|dialog HOST.EXE\n");
        return 2;
    }
    std::string cmd = std::string("\"") + argv[2] + "\"";
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(argv[2], line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        fprintf(stderr, "cannot start %s (%lu)\n", argv[2], ::GetLastError());
        return 2;
    }
    if (strcmp(argv[1], "frame") == 0)
        DriveFrame(pi);
    else
        DriveDialog(pi);
    if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(pi.hProcess, 99);
        Check(false, "the host was still running and was ended");
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    printf("failures=%d\n", g_failures);
    return g_failures ? 1 : 0;
}
