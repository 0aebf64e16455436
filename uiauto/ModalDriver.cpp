#include "ModalDriver.h"
#include "MessagePump.h"
#include <algorithm>
#include <string.h>

namespace qrvtest {

namespace {
struct EnumState
{
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam)
{
    char cls[16] = "";
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0)
        reinterpret_cast<EnumState*>(lParam)->found.push_back(hWnd);
    return TRUE;
}
}

std::vector<HWND> ThreadDialogs(DWORD threadId)
{
    EnumState state;
    ::EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND FindDialog(DWORD threadId, const std::string& captionPrefix, const std::vector<HWND>& exclude)
{
    for (HWND hWnd : ThreadDialogs(threadId)) {
        if (std::find(exclude.begin(), exclude.end(), hWnd) != exclude.end())
            continue;
        if (!::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd))
            continue;
        char caption[256] = "";
        ::GetWindowTextA(hWnd, caption, sizeof caption);
        if (strncmp(caption, captionPrefix.c_str(), captionPrefix.size()) == 0)
            return hWnd;
    }
    return nullptr;
}

ModalDriver::ModalDriver(Script script, std::string captionPrefix, DWORD timeoutMs)
    : m_script(std::move(script)), m_captionPrefix(std::move(captionPrefix)), m_timeoutMs(timeoutMs),
      m_uiThreadId(::GetCurrentThreadId()), m_existing(ThreadDialogs(m_uiThreadId))
{
    m_thread = std::thread([this] { Run(); });
}

ModalDriver::~ModalDriver()
{
    if (m_thread.joinable())
        m_thread.join();
}

void ModalDriver::Run()
{
    WaitUntil([this] { return (m_hDlg = FindDialog(m_uiThreadId, m_captionPrefix, m_existing)) != nullptr; },
              m_timeoutMs);
    if (!m_hDlg) {
        Fail("no dialog \"" + m_captionPrefix + "\" appeared");
        // Whatever did open must not keep the test waiting for ever.
        for (HWND hWnd : ThreadDialogs(m_uiThreadId))
            if (std::find(m_existing.begin(), m_existing.end(), hWnd) == m_existing.end())
                ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // Let the dialog finish its initialisation before the script acts.
    ::Sleep(50);
    m_script(m_hDlg, *this);
}

bool ModalDriver::Join()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_hDlg && m_failures.empty();
}

bool ModalDriver::WaitClosed(DWORD timeoutMs) const
{
    return WaitUntil([this] { return !::IsWindow(m_hDlg) || !::IsWindowVisible(m_hDlg); }, timeoutMs);
}

}
