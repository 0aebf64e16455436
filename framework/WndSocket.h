// CWndSocket: lets a control report to a window the host chooses (the
// target) instead of its parent. Plugging into a target announces the control
// to it with WM_WNDSOCKET_PLUGIN, so the target can keep track of who reports
// to it. Without a target, everything goes to the control's parent.
#pragma once
#include <afxwin.h>

// wParam: the control's window object (CWnd*); lParam: 0.
#define WM_WNDSOCKET_PLUGIN 0xA331

class AFX_EXT_CLASS CWndSocket
{
public:
    CWndSocket();
    CWndSocket(const CWndSocket& src);
    CWndSocket& operator=(const CWndSocket& src);
    virtual ~CWndSocket();

    // The control that carries the socket (not owned).
    void Attach(CWnd* pWnd);
    // Makes pTarget the receiver and, when it is a window, announces the control to it.
    void PlugInTo(CWnd* pTarget);

    // WM_NOTIFY to the receiver with the header's control id; its answer, or 0 without a receiver.
    virtual int Notify(NMHDR* pNMHDR);
    // Any message to the receiver; its answer, or -1 without a receiver.
    virtual int SendMsg(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    CWnd* m_pTarget;
    CWnd* m_pAttached;

private:
    // The target's window, else the attached control's parent; null if neither exists.
    HWND Receiver() const;
};
