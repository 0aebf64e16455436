#include "NotifyRecorder.h"

namespace filetest {

BOOL CNotifyRecorder::CreateTop(int cx, int cy)
{
    return CreateEx(0, nullptr, "Dateien", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, cx, cy, nullptr, nullptr);
}

int CNotifyRecorder::Count(UINT code) const
{
    int n = 0;
    for (const Record& r : m_records)
        n += r.code == code;
    return n;
}

LRESULT CNotifyRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        // A control's own notifications (negative codes) are reflected back
        // to it by the framework and answered there; the socket's codes are
        // positive and answered here.
        LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        m_records.push_back({pHdr->hwndFrom, pHdr->idFrom, pHdr->code});
        if (static_cast<int>(pHdr->code) > 0 && m_onNotify)
            return m_onNotify(pHdr);
        return lResult;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

}
