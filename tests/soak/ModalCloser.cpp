#include "ModalCloser.h"

#include "uiauto/ModalDriver.h"

const CModalCloser::Action *CModalCloser::s_pAction = nullptr;
std::vector<HWND> CModalCloser::s_existing;
bool CModalCloser::s_bFound = false;

void CALLBACK CModalCloser::OnTimer(HWND, UINT, UINT_PTR nId, DWORD)
{
    HWND hDlg = qrvtest::FindDialog(::GetCurrentThreadId(), "", s_existing);
    if (!hDlg || s_bFound)
        return;
    s_bFound = true;
    ::KillTimer(nullptr, nId);
    (*s_pAction)(hDlg);
    // Posted behind whatever the action posted, so its clicks come first.
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

bool CModalCloser::Run(const Open &open, const Action &action)
{
    s_pAction = &action;
    s_existing = qrvtest::ThreadDialogs(::GetCurrentThreadId());
    s_bFound = false;
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 10, OnTimer);
    const INT_PTR result = open();
    if (!s_bFound)
        ::KillTimer(nullptr, nTimer);
    s_pAction = nullptr;
    return s_bFound && result == IDCANCEL;
}
