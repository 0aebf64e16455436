// CWinThread: the user-interface thread's message loop with idle processing
// and the PreTranslateMessage chain.
#pragma once
#include "CmdTarget.h"

class CWnd;

class AFX_CORE_CLASS CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();

    CWnd* m_pMainWnd;
    DWORD m_nThreadID;
    MSG m_msgCur;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    // Reads and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Offers the message to the window chain under the main window; TRUE when
    // somebody translated it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called when the queue is empty; lCount counts the idle calls since the
    // last message. Deletes the temporary handle maps.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();
};

AFX_CORE_API CWinThread* AFXAPI AfxGetThread();
AFX_CORE_API CWnd* AFXAPI AfxGetMainWnd();
