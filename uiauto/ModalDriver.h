// Drives a modal dialog from a thread of its own: the test starts the driver,
// then calls DoModal (or whatever opens the dialog) on its own thread; the
// driver waits for the new dialog window, runs its script against it with
// real messages and returns. Join() waits for the script; failures of the
// script are collected as text for the test to check.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace qrvtest {

class ModalDriver
{
public:
    using Script = std::function<void(HWND hDlg, ModalDriver& driver)>;

    // captionPrefix empty: any new visible dialog of the calling thread.
    explicit ModalDriver(Script script, std::string captionPrefix = "", DWORD timeoutMs = 10000);
    ~ModalDriver();

    // Waits for the script to end; true when the dialog appeared and the
    // script ran to its end without recorded failures.
    bool Join();
    const std::vector<std::string>& Failures() const { return m_failures; }
    void Fail(const std::string& what) { m_failures.push_back(what); }
    bool DialogFound() const { return m_hDlg != nullptr; }

    // Waits (from the script) until the dialog window is gone.
    bool WaitClosed(DWORD timeoutMs = 5000) const;

private:
    void Run();

    Script m_script;
    std::string m_captionPrefix;
    DWORD m_timeoutMs;
    DWORD m_uiThreadId;
    std::vector<HWND> m_existing;
    HWND m_hDlg = nullptr;
    std::vector<std::string> m_failures;
    std::thread m_thread;
};

// A visible, enabled top-level dialog ("#32770") of thread threadId whose
// caption starts with captionPrefix and that is not in `exclude`; null if none.
HWND FindDialog(DWORD threadId, const std::string& captionPrefix, const std::vector<HWND>& exclude = {});
std::vector<HWND> ThreadDialogs(DWORD threadId);

}
