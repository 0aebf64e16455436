// A framework application with no WinMain of its own: the package's WinMain
// runs it. It reports what the framework gave it and ends with exit code 42
// when everything was as a host expects it.
#include <afxwin.h>
#include <stdio.h>
#include <string.h>

class CAppHost : public CWinApp {
public:
    BOOL InitInstance() override
    {
        m_bInit = TRUE;
        CString untitled;
        untitled.LoadString(AFX_IDS_UNTITLED);
        printf("instance=%d cmdline=\"%s\" title=\"%s\" untitled=\"%s\"\n",
               m_hInstance == ::GetModuleHandleA(nullptr), m_lpCmdLine, m_pszAppName, (LPCSTR)untitled);
        m_bOk = m_hInstance == ::GetModuleHandleA(nullptr) && strcmp(m_lpCmdLine, "alpha beta") == 0 &&
                strcmp(m_pszAppName, "Anwendung ohne WinMain") == 0 && untitled == "Unbenannt";
        // The message loop runs until this quit message.
        ::PostQuitMessage(7);
        return TRUE;
    }
    int ExitInstance() override
    {
        int code = CWinApp::ExitInstance();
        printf("init=%d quit=%d\n", m_bInit, code);
        fflush(stdout);
        return m_bInit && m_bOk && code == 7 ? 42 : 1;
    }

private:
    BOOL m_bInit = FALSE;
    BOOL m_bOk = FALSE;
};

CAppHost theApp;
