// Opens a modal dialog on the calling thread and, once it shows, lets an
// action work its controls and then cancels it, as a user who looks, tries
// and closes. A thread timer does the work inside the dialog's own modal
// loop, so no second thread is started per dialog.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>

class CModalCloser {
public:
    using Open = std::function<INT_PTR()>;
    using Action = std::function<void(HWND hDlg)>;

    // Calls open (which runs DoModal); true when a dialog appeared and the
    // cancel closed it with IDCANCEL.
    static bool Run(const Open &open, const Action &action);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nId, DWORD);

    static const Action *s_pAction;
    static std::vector<HWND> s_existing;
    static bool s_bFound;
};
