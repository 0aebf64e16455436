// Drives an MFC host program the way a user does and checks what it shows:
//   MfcHostDriver frame  HOST.EXE   the frame host: title, menu, viewer pane, about box, exit
//   MfcHostDriver dialog HOST.EXE   the dialog host: its dialog, the controller selection dialog
//   MfcHostDriver sdi HOST.EXE DIR  the single-document host: values set, saved to DIR,
//                                   the file's bytes, reopened from the command line and the menu
// Prints one line per check; exit code 0 when all passed.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <fstream>
#include <string>
#include <vector>

#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

namespace {

using namespace qrvtest; // Text and ItemText of the host's windows

const UINT kFileNew = 0xE100, kFileOpen = 0xE101, kFileSave = 0xE103; // ID_FILE_NEW, _OPEN, _SAVE
const UINT kAppAbout = 0xE140, kAppExit = 0xE141;                     // ID_APP_ABOUT, ID_APP_EXIT
const int kPaneId = 0xE900;                                           // AFX_IDW_PANE_FIRST
const int kStatusBarId = 0xE801;                                      // AFX_IDW_STATUS_BAR
const int kSelectButton = 1000;              // the dialog host's "Controller wählen..."
const UINT kEditValues = 32771;              // the SDI host's Bearbeiten > Werte...
const int kValueIds[3] = {1000, 1001, 1002}; // its Prüfstand, Zyklen, Füllstand fields

int g_failures = 0;

bool Check(bool ok, const std::string &what)
{
    printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    fflush(stdout);
    g_failures += ok ? 0 : 1;
    return ok;
}

// The visible top-level window of the process (with that title; empty: any), waiting up to 20 s.
HWND WaitForWindow(DWORD pid, const std::string &title)
{
    HWND found = nullptr;
    qrvtest::WaitUntil(
        [&] {
            while ((found = ::FindWindowExA(nullptr, found, nullptr, nullptr)) != nullptr) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(found, &owner);
                if (owner == pid && ::IsWindowVisible(found) && (title.empty() || Text(found) == title))
                    return true;
            }
            return false;
        },
        20000);
    return found;
}

bool WaitGone(HWND hWnd)
{
    return qrvtest::WaitUntil([hWnd] { return !::IsWindow(hWnd) || !::IsWindowVisible(hWnd); }, 10000);
}

// A running host with MfcHostProbe hooked into its thread; one that did not
// end by itself is ended and counted as a failure.
struct Host {
    PROCESS_INFORMATION pi = {};
    HWND hMain = nullptr; // its first visible window
    HHOOK hHook = nullptr;

    Host(const std::string &exe, const std::string &args)
    {
        std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        if (!::CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            fprintf(stderr, "cannot start %s (%lu)\n", exe.c_str(), ::GetLastError());
            return;
        }
        hMain = WaitForWindow(pi.dwProcessId, "");
        Check(hMain != nullptr, "the host's window appears");
        HMODULE hProbe = ::LoadLibraryA("MfcHostProbe.dll");
        FARPROC proc = hProbe ? ::GetProcAddress(hProbe, "ProbeHook") : nullptr;
        if (!proc && hProbe)
            proc = ::GetProcAddress(hProbe, "ProbeHook@12");
        if (proc && hMain)
            hHook =
                ::SetWindowsHookExA(WH_GETMESSAGE, reinterpret_cast<HOOKPROC>(proc), hProbe, pi.dwThreadId);
    }
    ~Host()
    {
        if (hHook)
            ::UnhookWindowsHookEx(hHook);
        if (!pi.hProcess)
            return;
        if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(pi.hProcess, 99);
            Check(false, "the host was still running and was ended");
        }
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }

    // Posts MfcHostProbe's message to a window of the host and waits for the
    // text the probe sets into a window of the driver.
    std::string Ask(HWND hWnd, const char *message, LPARAM lParam)
    {
        static HWND hReply =
            ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        if (!hHook)
            return "(no probe)";
        ::SetWindowTextA(hReply, "");
        ::PostMessageA(hWnd, ::RegisterWindowMessageA(message), reinterpret_cast<WPARAM>(hReply), lParam);
        const bool replied = qrvtest::PumpUntil([] { return !Text(hReply).empty(); }, 10000);
        return replied ? Text(hReply) : "(no reply)";
    }
    // The menu as MfcHostProbe describes it from inside the host; with
    // bOpened, after each popup was announced as about to open.
    std::string Menu(bool bOpened) { return Ask(hMain, "QrvMfcHostProbe.Menu", bOpened ? 1 : 0); }
    // What a window of the host shows: "WxH ink=N hash=H".
    std::string Pixels(HWND hWnd) { return Ask(hWnd, "QrvMfcHostProbe.Pixels", 0); }

    // The host ends by itself with exit code 0.
    void CheckExit(const std::string &what)
    {
        DWORD code = STILL_ACTIVE;
        if (::WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(pi.hProcess, &code);
        Check(code == 0, what + " ends the program with exit code " + std::to_string(code));
    }

    // Posts the command to hOwner and waits for the dialog with that caption, which it must own.
    HWND OpenDialog(HWND hOwner, WPARAM command, const std::string &caption)
    {
        ::PostMessageA(hOwner, WM_COMMAND, command, 0);
        HWND hDlg = WaitForWindow(pi.dwProcessId, caption);
        if (Check(hDlg != nullptr, "the dialog \"" + caption + "\" opens"))
            Check(::GetWindow(hDlg, GW_OWNER) == hOwner, "it is owned by \"" + Text(hOwner) + "\"");
        return hDlg;
    }
};

void DriveFrame(Host &host)
{
    HWND hFrame = host.hMain;
    Check(Text(hFrame) == "QRV Rahmenhost", "title \"" + Text(hFrame) + "\" from the frame's string");

    // The menu bar of the frame's resource id, as the user sees it before and
    // after the popups open: the command route disables "Neu" (no handler)
    // and "Kopieren" (its update handler), the rest stays enabled.
    for (bool opened : {false, true}) {
        const std::string g = opened ? "G" : "", menu = host.Menu(opened);
        Check(menu == "classicon=1\nbigicon=1\n0|&Datei\n 57600" + g +
                          "|&Neu\tStrg+N\n -\n 57665|&Beenden\n"
                          "0|&Bearbeiten\n 57634" +
                          g +
                          "|&Kopieren\tStrg+C\n"
                          "0|&Hilfe\n 57670|&Hilfethemen\tF1\n -\n 57664|&Info über QRV Rahmenhost...\n",
              std::string(opened ? "opened: " : "") + "the icons and the menu of IDR_MAINFRAME:\n" + menu);
    }

    HWND hPane = ::GetDlgItem(hFrame, kPaneId), hBar = ::GetDlgItem(hFrame, kStatusBarId);
    RECT rcPane = {}, rcClient = {};
    ::GetWindowRect(hPane, &rcPane);
    ::GetClientRect(hFrame, &rcClient);
    Check(hPane && ::IsWindowVisible(hPane) && rcPane.right - rcPane.left == rcClient.right,
          "the viewer pane fills the frame's width");
    char cls[64] = "";
    ::GetClassNameA(hBar, cls, sizeof cls);
    Check(hBar && _stricmp(cls, "msctls_statusbar32") == 0, std::string("the status bar is there: ") + cls);

    if (HWND hAbout = host.OpenDialog(hFrame, kAppAbout, "Info über QRV Rahmenhost")) {
        Check(!::IsWindowEnabled(hFrame), "the frame waits while the about box is open");
        ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
        Check(WaitGone(hAbout), "OK closes the about box");
    }
    ::PostMessageA(hFrame, WM_COMMAND, kAppExit, 0);
    host.CheckExit("Beenden");
}

void DriveDialog(Host &host)
{
    HWND hDlg = host.hMain;
    Check(Text(hDlg) == "QRV Dialoghost", "title \"" + Text(hDlg) + "\"");
    HWND hButton = ::GetDlgItem(hDlg, kSelectButton);
    Check(hButton && Text(hButton) == "&Controller wählen...", "button \"" + Text(hButton) + "\"");

    if (HWND hSelect = host.OpenDialog(hDlg, MAKEWPARAM(kSelectButton, BN_CLICKED), "Controller auswählen")) {
        ::PostMessageA(hSelect, WM_COMMAND, IDCANCEL, 0);
        Check(WaitGone(hSelect), "Abbrechen closes it");
        // The host writes what came of the choice once its DoModal has returned.
        const bool seen =
            qrvtest::WaitUntil([&] { return ItemText(hDlg, 1001) == "Auswahl abgebrochen"; }, 5000);
        Check(seen, "the host saw the cancel: \"" + ItemText(hDlg, 1001) + "\"");
    }
    ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    host.CheckExit("closing the dialog");
}

// Answers the file dialog that `command` opens with `path`: the name field is
// the combo box of the Explorer-style dialog, else the old edit.
bool ChooseFile(Host &host, UINT command, const std::string &caption, const std::string &path)
{
    HWND hDlg = host.OpenDialog(host.hMain, command, caption);
    if (!hDlg)
        return false;
    HWND hName =
        ::GetDlgItem(hDlg, 0x47c) ? ::GetDlgItem(hDlg, 0x47c) : ::GetDlgItem(hDlg, 0x480); // cmb13, edt1
    ::SendMessageA(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    return Check(WaitGone(hDlg), "the file dialog takes the name and closes");
}

// The three fields of the values dialog, joined by '|'; with `values` typed in and OK, else read and cancelled.
std::string ValuesDialog(Host &host, const std::vector<std::string> &values)
{
    std::string shown;
    HWND hDlg = host.OpenDialog(host.hMain, kEditValues, "Werte");
    for (int i = 0; hDlg && i < 3; i++) {
        // An edit's text of another process is asked for; GetWindowText would not ask.
        char text[256] = "";
        ::SendMessageA(::GetDlgItem(hDlg, kValueIds[i]), WM_GETTEXT, sizeof text,
                       reinterpret_cast<LPARAM>(text));
        shown += (i ? "|" : "") + std::string(text);
        if (!values.empty())
            ::SendMessageA(::GetDlgItem(hDlg, kValueIds[i]), WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(values[i].c_str()));
    }
    ::PostMessageA(hDlg, WM_COMMAND, values.empty() ? IDCANCEL : IDOK, 0);
    Check(hDlg && WaitGone(hDlg), "the values dialog closes");
    return shown;
}

bool EndsWith(const std::string &s, const std::string &end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string RegValue(const std::string &key)
{
    char value[512] = "";
    LONG size = sizeof value;
    return ::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) == ERROR_SUCCESS ? value : "(none)";
}

// The file's bytes as hex, "(missing)" without it.
std::string FileHex(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::string hex = in ? "" : "(missing)";
    for (int c; (c = in.get()) != EOF;) {
        char two[4];
        snprintf(two, sizeof two, "%02x ", c);
        hex += two;
    }
    return hex;
}

// Waits until the frame's title is `title` (the document's name and the program's).
void WaitTitle(HWND hFrame, const std::string &title)
{
    const bool shown = qrvtest::WaitUntil([&] { return Text(hFrame) == title; }, 5000);
    Check(shown, "title \"" + Text(hFrame) + "\", expected \"" + title + "\"");
}

void DriveSdi(const std::string &exe, const std::string &dir)
{
    const std::string path = dir + "\\Stand 1.qsd", saved = "Stand 1.qsd - QRV SDI-Host",
                      untitled = "Unbenannt - QRV SDI-Host";
    // Version 1, the name with its length, 42 cycles, 87.5 percent.
    const std::string expected = "01 00 07 50 75 6d 70 65 20 37 2a 00 00 00 00 00 00 00 00 e0 55 40 ";
    ::DeleteFileA(path.c_str());
    // A fresh start: no recent files and no file type of an earlier run.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QRV MFC Hosts\\QRV SDI-Host");
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "QrvSdiHost.Document");
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ".qsd");

    // First run: a new document gets values and is saved under a name the user gives.
    std::string empty, filled;
    {
        Host host(exe, "");
        HWND hFrame = host.hMain;
        if (!hFrame)
            return;
        WaitTitle(hFrame, untitled);
        Check(RegValue(".qsd") == "QrvSdiHost.Document", "the extension is registered for the type");
        Check(RegValue("QrvSdiHost.Document") == "QRV Prüfstandsdokument",
              "the type's name: " + RegValue("QrvSdiHost.Document"));
        std::string open = RegValue("QrvSdiHost.Document\\shell\\open\\command");
        Check(open[0] == '"' && EndsWith(open, "SdiHost.exe\" \"%1\""), "the open command: " + open);
        std::string print = RegValue("QrvSdiHost.Document\\shell\\print\\command");
        Check(EndsWith(print, "SdiHost.exe\" /p \"%1\""), "the print command: " + print);
        std::string menu = host.Menu(true);
        Check(menu.find(" 57616G|Letzte Datei\n") != std::string::npos, "no recent files yet:\n" + menu);

        HWND hView = ::GetDlgItem(hFrame, kPaneId);
        Check(hView != nullptr, "the view is the frame's pane");
        empty = host.Pixels(hView);
        Check(ValuesDialog(host, {"Pumpe 7", "42", "87.5"}) == "|0|0", "a new document's values are empty");
        filled = host.Pixels(hView);
        Check(filled != empty && filled.find("ink=0 ") == std::string::npos,
              "the view shows the new values: " + empty + " -> " + filled);

        // Save: the untitled document asks for a name first.
        if (ChooseFile(host, kFileSave, "Speichern unter", path))
            WaitTitle(hFrame, saved);
        Check(FileHex(path) == expected,
              "the file holds version, name, cycles and level as CArchive writes them: " + FileHex(path));
        ::PostMessageA(hFrame, WM_COMMAND, kAppExit, 0);
        host.CheckExit("Beenden (nothing unsaved)");
    }

    // Second run: the file named on the command line is opened through Serialize.
    Host host(exe, "\"" + path + "\"");
    HWND hFrame = host.hMain;
    if (!hFrame)
        return;
    WaitTitle(hFrame, saved);
    HWND hView = ::GetDlgItem(hFrame, kPaneId);
    Check(host.Pixels(hView) == filled, "the view shows what was saved");
    std::string values = ValuesDialog(host, {});
    Check(values == "Pumpe 7|42|87.5", "the document holds the saved values: " + values);
    std::string menu = host.Menu(true);
    size_t mru = menu.find(" 57616|&1 ");
    Check(mru != std::string::npos && menu.find("\\Stand 1.qsd\n", mru) != std::string::npos,
          "the saved file is the first recent file:\n" + menu);

    // File New empties the one document in its view; File Open brings the file back.
    ::PostMessageA(hFrame, WM_COMMAND, kFileNew, 0);
    WaitTitle(hFrame, untitled);
    Check(host.Pixels(hView) == empty, "File New shows an empty document in the same view");
    if (ChooseFile(host, kFileOpen, "Öffnen", path))
        WaitTitle(hFrame, saved);
    Check(::GetDlgItem(hFrame, kPaneId) == hView && host.Pixels(hView) == filled,
          "File Open shows the file's values again");

    // Changed values are not lost unasked: Abbrechen stays, Nein leaves the file as it was.
    ValuesDialog(host, {"Pumpe 8", "43", "10"});
    for (int answer : {IDCANCEL, IDNO}) {
        ::PostMessageA(hFrame, WM_COMMAND, kAppExit, 0);
        HWND hAsk = WaitForWindow(host.pi.dwProcessId, "QRV SDI-Host");
        std::string text = hAsk ? ItemText(hAsk, 0xFFFF) : "";
        Check(text.find("Stand 1") != std::string::npos && text.find("speichern?") != std::string::npos,
              "Beenden asks to save the changes: \"" + text + "\"");
        if (hAsk)
            ::PostMessageA(hAsk, WM_COMMAND, answer, 0);
        if (answer == IDCANCEL)
            Check(WaitGone(hAsk) && ::WaitForSingleObject(host.pi.hProcess, 500) == WAIT_TIMEOUT &&
                      ::IsWindow(hFrame),
                  "Abbrechen keeps the program running");
    }
    host.CheckExit("Nein");
    Check(FileHex(path) == expected, "and leaves the file as it was saved");
}

} // namespace

int main(int argc, char **argv)
{
    const std::string kind = argc > 1 ? argv[1] : "";
    if (kind == "sdi" && argc == 4) {
        DriveSdi(argv[2], argv[3]);
    } else if ((kind == "frame" || kind == "dialog") && argc == 3) {
        Host host(argv[2], "");
        if (!host.pi.hProcess)
            return 2;
        if (host.hMain)
            (kind == "frame" ? DriveFrame : DriveDialog)(host);
    } else {
        fprintf(stderr, "usage: MfcHostDriver frame|dialog HOST.EXE | sdi HOST.EXE DIR\n");
        return 2;
    }
    printf("failures=%d\n", g_failures);
    return g_failures ? 1 : 0;
}
