// Drives an MFC host program the way a user does and checks what it shows:
//   MfcHostDriver frame  HOST.EXE   the frame host: title, menu, viewer pane, about box, exit
//   MfcHostDriver dialog HOST.EXE   the dialog host: its dialog, the controller selection dialog
//   MfcHostDriver sdi HOST.EXE DIR  the single-document host: values set, saved to DIR,
//                                   the file's bytes, reopened from the command line and the menu
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

// Posts MfcHostProbe's message to a window of the host and waits for its answer.
std::string AskProbe(HWND hWnd, DWORD threadId, const char* message, LPARAM lParam)
{
    static HWND hReply = nullptr;
    static HHOOK hHook = nullptr;
    static DWORD hookedThread = 0;
    if (hHook && hookedThread != threadId) {
        ::UnhookWindowsHookEx(hHook);
        hHook = nullptr;
    }
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
        hookedThread = threadId;
    }
    g_replied = false;
    ::PostMessageA(hWnd, ::RegisterWindowMessageA(message), reinterpret_cast<WPARAM>(hReply), lParam);
    DWORD start = ::GetTickCount();
    while (!g_replied && ::GetTickCount() - start < 10000) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return g_replied ? g_reply : "(no reply)";
}

// The host's menu as MfcHostProbe describes it from inside the host; with
// bOpened, after each popup was announced as about to open.
std::string ReadMenu(HWND hFrame, DWORD threadId, bool bOpened)
{
    return AskProbe(hFrame, threadId, "QrvMfcHostProbe.Menu", bOpened ? 1 : 0);
}

// What a window of the host shows: "WxH ink=N hash=H".
std::string ReadPixels(HWND hWnd, DWORD threadId)
{
    return AskProbe(hWnd, threadId, "QrvMfcHostProbe.Pixels", 0);
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

bool Start(const std::string& exe, const std::string& args, PROCESS_INFORMATION& pi)
{
    std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        fprintf(stderr, "cannot start %s (%lu)\n", exe.c_str(), ::GetLastError());
        return false;
    }
    return true;
}

// A host that did not end by itself is ended and counted as a failure.
void Finish(PROCESS_INFORMATION& pi)
{
    if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(pi.hProcess, 99);
        Check(false, "the host was still running and was ended");
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

const UINT kFileNew = 0xE100;      // ID_FILE_NEW
const UINT kFileOpen = 0xE101;     // ID_FILE_OPEN
const UINT kFileSave = 0xE103;     // ID_FILE_SAVE
const UINT kEditValues = 32771;    // the SDI host's Bearbeiten > Werte...
const int kValueIds[3] = {1000, 1001, 1002};   // its Prüfstand, Zyklen, Füllstand fields

// The file dialog's name field: the combo box of the Explorer-style dialog, else the edit.
void TypeFileName(HWND hDlg, const std::string& path)
{
    HWND hName = ::GetDlgItem(hDlg, 0x47c);   // cmb13
    if (!hName)
        hName = ::GetDlgItem(hDlg, 0x480);    // edt1
    ::SendMessageA(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
}

// Answers the file dialog that `command` opens with `path`.
bool ChooseFile(const PROCESS_INFORMATION& pi, HWND hFrame, UINT command, const std::string& caption,
                const std::string& path)
{
    ::PostMessageA(hFrame, WM_COMMAND, command, 0);
    HWND hDlg = WaitForWindow(pi.dwProcessId, caption);
    Check(hDlg != nullptr, "the file dialog \"" + caption + "\" opens");
    if (!hDlg)
        return false;
    Check(::GetWindow(hDlg, GW_OWNER) == hFrame, "it is owned by the frame");
    TypeFileName(hDlg, path);
    bool gone = WaitGone(hDlg);
    Check(gone, "the file dialog takes the name and closes");
    return gone;
}

// The three fields of the values dialog; with `values` typed in and OK, else read and cancelled.
std::vector<std::string> ValuesDialog(const PROCESS_INFORMATION& pi, HWND hFrame, const std::vector<std::string>& values)
{
    std::vector<std::string> shown;
    ::PostMessageA(hFrame, WM_COMMAND, kEditValues, 0);
    HWND hDlg = WaitForWindow(pi.dwProcessId, "Werte");
    Check(hDlg != nullptr, "Werte... opens the values dialog");
    if (!hDlg)
        return shown;
    for (int i = 0; i < 3; i++) {
        // An edit's text of another process is asked for; GetWindowText would not ask.
        char text[256] = "";
        ::SendMessageA(::GetDlgItem(hDlg, kValueIds[i]), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        shown.push_back(text);
        if (!values.empty())
            ::SendMessageA(::GetDlgItem(hDlg, kValueIds[i]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(values[i].c_str()));
    }
    ::PostMessageA(hDlg, WM_COMMAND, values.empty() ? IDCANCEL : IDOK, 0);
    Check(WaitGone(hDlg), "the values dialog closes");
    return shown;
}

bool EndsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string RegValue(HKEY hRoot, const std::string& key)
{
    char value[512] = "";
    LONG size = sizeof value;
    return ::RegQueryValueA(hRoot, key.c_str(), value, &size) == ERROR_SUCCESS ? value : "(none)";
}

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "(missing)";
    char buf[512];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got)
        bytes.append(buf, got);
    ::CloseHandle(h);
    return bytes;
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char two[4];
    for (unsigned char c : bytes) {
        snprintf(two, sizeof two, "%02x ", c);
        out += two;
    }
    return out;
}

// Waits until the frame's title is `title` (the document's name and the program's).
bool WaitTitle(HWND hFrame, const std::string& title)
{
    DWORD start = ::GetTickCount();
    while (Text(hFrame) != title && ::GetTickCount() - start < 5000)
        ::Sleep(50);
    Check(Text(hFrame) == title, "title \"" + Text(hFrame) + "\", expected \"" + title + "\"");
    return Text(hFrame) == title;
}

bool DriveSdi(const std::string& exe, const std::string& dir)
{
    const std::string path = dir + "\\Stand 1.qsd";
    // Version 1, the name with its length, 42 cycles, 87.5 percent.
    const std::string expected = std::string("\x01\x00", 2) + "\x07Pumpe 7" + std::string("\x2a\x00\x00\x00", 4) +
                                 std::string("\x00\x00\x00\x00\x00\xe0\x55\x40", 8);
    ::DeleteFileA(path.c_str());
    // A fresh start: no recent files and no file type of an earlier run.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QRV MFC Hosts\\QRV SDI-Host");
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "QrvSdiHost.Document");
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".qsd");

    // First run: a new document gets values and is saved under a name the user gives.
    PROCESS_INFORMATION pi = {};
    if (!Start(exe, "", pi))
        return false;
    HWND hFrame = WaitForWindow(pi.dwProcessId, "");
    Check(hFrame != nullptr, "the frame window appears");
    std::string empty, filled;
    if (hFrame) {
        WaitTitle(hFrame, "Unbenannt - QRV SDI-Host");
        Check(RegValue(HKEY_CLASSES_ROOT, ".qsd") == "QrvSdiHost.Document", "the extension is registered for the type");
        Check(RegValue(HKEY_CLASSES_ROOT, "QrvSdiHost.Document") == "QRV Prüfstandsdokument",
              "the type's name: " + RegValue(HKEY_CLASSES_ROOT, "QrvSdiHost.Document"));
        std::string open = RegValue(HKEY_CLASSES_ROOT, "QrvSdiHost.Document\\shell\\open\\command");
        Check(open[0] == '"' && EndsWith(open, "SdiHost.exe\" \"%1\""), "the open command: " + open);
        std::string print = RegValue(HKEY_CLASSES_ROOT, "QrvSdiHost.Document\\shell\\print\\command");
        Check(EndsWith(print, "SdiHost.exe\" /p \"%1\""), "the print command: " + print);
        std::string menu = ReadMenu(hFrame, pi.dwThreadId, true);
        Check(menu.find(" 57616G|Letzte Datei\n") != std::string::npos, "no recent files yet:\n" + menu);

        HWND hView = ::GetDlgItem(hFrame, kPaneId);
        Check(hView != nullptr, "the view is the frame's pane");
        empty = ReadPixels(hView, pi.dwThreadId);
        std::vector<std::string> before = ValuesDialog(pi, hFrame, {"Pumpe 7", "42", "87.5"});
        Check(before == std::vector<std::string>({"", "0", "0"}), "a new document's values are empty");
        filled = ReadPixels(hView, pi.dwThreadId);
        Check(filled != empty && filled.find("ink=0 ") == std::string::npos,
              "the view shows the new values: " + empty + " -> " + filled);

        // Save: the untitled document asks for a name first.
        if (ChooseFile(pi, hFrame, kFileSave, "Speichern unter", path))
            WaitTitle(hFrame, "Stand 1.qsd - QRV SDI-Host");
        std::string bytes = FileBytes(path);
        Check(bytes == expected, "the file holds version, name, cycles and level as CArchive writes them: " + Hex(bytes));
        ::PostMessageA(hFrame, WM_COMMAND, kAppExit, 0);
        DWORD code = WaitForExit(pi.hProcess);
        Check(code == 0, "Beenden (nothing unsaved) ends the program with exit code " + std::to_string(code));
    }
    Finish(pi);

    // Second run: the file named on the command line is opened through Serialize.
    if (!Start(exe, "\"" + path + "\"", pi))
        return false;
    hFrame = WaitForWindow(pi.dwProcessId, "");
    Check(hFrame != nullptr, "the frame window appears for the file");
    if (hFrame) {
        WaitTitle(hFrame, "Stand 1.qsd - QRV SDI-Host");
        HWND hView = ::GetDlgItem(hFrame, kPaneId);
        std::string shown = ReadPixels(hView, pi.dwThreadId);
        Check(shown == filled, "the view shows what was saved: " + shown);
        std::vector<std::string> values = ValuesDialog(pi, hFrame, {});
        Check(values == std::vector<std::string>({"Pumpe 7", "42", "87.5"}),
              "the document holds the saved values: " + (values.size() == 3 ? values[0] + "|" + values[1] + "|" + values[2] : ""));
        std::string menu = ReadMenu(hFrame, pi.dwThreadId, true);
        size_t mru = menu.find(" 57616|&1 ");
        Check(mru != std::string::npos && menu.find("\\Stand 1.qsd\n", mru) != std::string::npos,
              "the saved file is the first recent file:\n" + menu);

        // File New empties the one document in its view; File Open brings the file back.
        ::PostMessageA(hFrame, WM_COMMAND, kFileNew, 0);
        WaitTitle(hFrame, "Unbenannt - QRV SDI-Host");
        Check(ReadPixels(hView, pi.dwThreadId) == empty, "File New shows an empty document in the same view");
        if (ChooseFile(pi, hFrame, kFileOpen, "Öffnen", path))
            WaitTitle(hFrame, "Stand 1.qsd - QRV SDI-Host");
        Check(::GetDlgItem(hFrame, kPaneId) == hView && ReadPixels(hView, pi.dwThreadId) == filled,
              "File Open shows the file's values again");

        // Changed values are not lost unasked: Abbrechen stays, Nein leaves the file as it was.
        ValuesDialog(pi, hFrame, {"Pumpe 8", "43", "10"});
        for (int answer : {IDCANCEL, IDNO}) {
            ::PostMessageA(hFrame, WM_COMMAND, kAppExit, 0);
            HWND hAsk = WaitForWindow(pi.dwProcessId, "QRV SDI-Host");
            std::string text = hAsk ? Text(::GetDlgItem(hAsk, 0xFFFF)) : "";
            Check(text.find("Stand 1") != std::string::npos && text.find("speichern?") != std::string::npos,
                  "Beenden asks to save the changes: \"" + text + "\"");
            if (hAsk)
                ::PostMessageA(hAsk, WM_COMMAND, answer, 0);
            if (answer == IDCANCEL)
                Check(WaitGone(hAsk) && ::WaitForSingleObject(pi.hProcess, 500) == WAIT_TIMEOUT && ::IsWindow(hFrame),
                      "Abbrechen keeps the program running");
        }
        DWORD code = WaitForExit(pi.hProcess);
        Check(code == 0, "Nein ends the program with exit code " + std::to_string(code));
        Check(FileBytes(path) == expected, "and leaves the file as it was saved");
    }
    Finish(pi);
    return true;
}

}

int main(int argc, char** argv)
{
    bool sdi = argc == 4 && strcmp(argv[1], "sdi") == 0;
    if (!sdi && (argc != 3 || (strcmp(argv[1], "frame") != 0 && strcmp(argv[1], "dialog") != 0))) {
        fprintf(stderr, "usage: MfcHostDriver frame|dialog HOST.EXE | sdi HOST.EXE DIR\n");
        return 2;
    }
    if (sdi) {
        if (!DriveSdi(argv[2], argv[3]))
            return 2;
    } else {
        PROCESS_INFORMATION pi = {};
        if (!Start(argv[2], "", pi))
            return 2;
        if (strcmp(argv[1], "frame") == 0)
            DriveFrame(pi);
        else
            DriveDialog(pi);
        Finish(pi);
    }
    printf("failures=%d\n", g_failures);
    return g_failures ? 1 : 0;
}
