#include "TestApp.h"
#include <gtest/gtest.h>
#include <shellapi.h>
#include <string.h>
#include "uiauto/MessagePump.h"

namespace qrvtest {

namespace {
TestApp theApp;
} // namespace

HostWindow::HostWindow(int cx, int cy)
{
    RECT rc = {0, 0, cx, cy};
    ::AdjustWindowRectEx(&rc, WS_POPUP, FALSE, 0);
    CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)::GetStockObject(BLACK_BRUSH)), "host",
             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, rc.right - rc.left, rc.bottom - rc.top, nullptr,
             nullptr);
    PumpFor(20);
}

bool Exists(const std::string &path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string &folder)
{
    std::string from = folder + '\0'; // double zero terminated
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
}

TestApp::TestApp() : CWinApp("QRV Tests") {}

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

void TestApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    m_dwLastHelpData = dwData;
    m_nLastHelpCmd = nCmd;
    m_nHelpCalls++;
}

void TestApp::UseRegistryKey(const std::string &name)
{
    static CString key;
    key = ("QRV Tests\\" + name).c_str();
    SetRegistryKey(key);
}

TestApp &App()
{
    return theApp;
}

std::string FreshTempFolder(const std::string &name)
{
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "qrvtest-" + name;
    RemoveTree(folder);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char *slash = strrchr(path, '\\');
    if (slash)
        *slash = '\0';
    return path;
}

} // namespace qrvtest

// GoogleTest runs inside the initialised (but not running) application.
int main(int argc, char **argv)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_SHOWNORMAL);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    AfxDeleteTempMaps();
    return rc;
}
