#include "WinThread.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
thread_local CWinThread* t_pThread = nullptr;
}

CWinThread::CWinThread() : m_pMainWnd(nullptr), m_nThreadID(::GetCurrentThreadId()), m_msgCur()
{
    t_pThread = this;
}

CWinThread* AFXAPI AfxGetThread() { return t_pThread; }

CWnd* AFXAPI AfxGetMainWnd()
{
    return t_pThread ? t_pThread->GetMainWnd() : nullptr;
}

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }
BOOL CWinThread::InitInstance() { return FALSE; }
int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    HWND hStop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    return CWnd::WalkPreTranslateTree(hStop, pMsg);
}

BOOL CWinThread::PumpMessage()
{
    if (::GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0)
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        return TRUE;
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Mouse moves and timer ticks of the caret do not restart idle processing.
    return pMsg->message != WM_MOUSEMOVE && pMsg->message != WM_NCMOUSEMOVE &&
           pMsg->message != 0x0118 /* WM_SYSTIMER */ && pMsg->message != WM_PAINT;
}

int CWinThread::Run()
{
    LONG lIdleCount = 0;
    for (;;) {
        MSG msg;
        while (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                break;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
                lIdleCount = 0;
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}
