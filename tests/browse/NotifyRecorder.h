// A top-level window that records the notifications reaching it; a test
// reads each record's payload in OnNotify (payloads live only during the
// call) and chooses the answer.
#pragma once
#include <afxwin.h>
#include <functional>
#include <vector>

namespace filetest {

class CNotifyRecorder : public CWnd
{
public:
    struct Record {
        HWND hwndFrom;
        UINT_PTR idFrom;
        UINT code;
    };
    std::vector<Record> m_records;
    // Called with each socket notification (positive code) while it is
    // being sent; answers the result.
    std::function<LRESULT(NMHDR*)> m_onNotify;

    BOOL CreateTop(int cx = 400, int cy = 400);
    int Count(UINT code) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}
