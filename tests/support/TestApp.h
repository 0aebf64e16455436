// The host of the test programs: a framework application object that is not
// run, only initialised, so that AfxGetApp, the profile and message boxes
// behave as inside the real host. Each test program links this and GoogleTest's
// main runs inside it.
#pragma once
#include <afxwin.h>
#include <string>

namespace qrvtest {

class TestApp : public CWinApp {
public:
    TestApp();
    // A registry key of the test's own under HKCU\Software ("QRV Tests\<name>").
    void UseRegistryKey(const std::string &name);

    // As a host, the application maps F1 (ID_HELP) to CWinApp::OnHelp; the
    // help it would open is recorded instead (the last context and command).
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    DWORD_PTR m_dwLastHelpData = 0;
    UINT m_nLastHelpCmd = 0;
    int m_nHelpCalls = 0;

    DECLARE_MESSAGE_MAP()
};

TestApp &App();
// A visible, undecorated top-level window whose client area is cx x cy (destroyed with the object).
class HostWindow : public CWnd {
public:
    HostWindow(int cx, int cy);
};
// Whether a file or folder is there.
bool Exists(const std::string &path);
// Removes a folder with everything in it, through the shell, without asking.
void RemoveTree(const std::string &folder);
// A fresh folder under the temporary folder, removed by the next call with the same name.
std::string FreshTempFolder(const std::string &name);
// The folder of the running test program (where fixtures are built).
std::string ProgramFolder();

} // namespace qrvtest
