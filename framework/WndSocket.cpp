#include "WndSocket.h"

CWndSocket::CWndSocket() : m_pTarget(nullptr), m_pAttached(nullptr) {}

CWndSocket::CWndSocket(const CWndSocket& src) : m_pTarget(src.m_pTarget), m_pAttached(src.m_pAttached) {}

CWndSocket& CWndSocket::operator=(const CWndSocket& src)
{
    m_pTarget = src.m_pTarget;
    m_pAttached = src.m_pAttached;
    return *this;
}

CWndSocket::~CWndSocket() = default;

void CWndSocket::Attach(CWnd* pWnd) { m_pAttached = pWnd; }

void CWndSocket::PlugInTo(CWnd* pTarget)
{
    m_pTarget = pTarget;
    if (m_pTarget && ::IsWindow(m_pTarget->m_hWnd))
        SendMsg(WM_WNDSOCKET_PLUGIN, reinterpret_cast<WPARAM>(m_pAttached), 0);
}

HWND CWndSocket::Receiver() const
{
    HWND hWnd = nullptr;
    if (m_pTarget)
        hWnd = m_pTarget->m_hWnd;
    else if (m_pAttached && m_pAttached->m_hWnd)
        hWnd = ::GetParent(m_pAttached->m_hWnd);
    return (hWnd && ::IsWindow(hWnd)) ? hWnd : nullptr;
}

int CWndSocket::Notify(NMHDR* pNMHDR)
{
    HWND hReceiver = Receiver();
    if (!hReceiver || !pNMHDR)
        return 0;
    return (int)::SendMessageA(hReceiver, WM_NOTIFY, pNMHDR->idFrom, reinterpret_cast<LPARAM>(pNMHDR));
}

int CWndSocket::SendMsg(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hReceiver = Receiver();
    return hReceiver ? (int)::SendMessageA(hReceiver, message, wParam, lParam) : -1;
}
