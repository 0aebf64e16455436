// The headless demo: every flow the host offers, driven through its menu
// commands and its windows as a user would, each checked, with the
// screenshots the README and out/demo/ show. A broken flow is a failure.
#pragma once
#include <afxwin.h>

class CMainFrame;

class CHostChecks
{
public:
    CHostChecks(CMainFrame* pFrame, const CString& folder);
    // Runs every flow; answers the number of failed checks, each written
    // with its reason to checks.txt in the folder.
    int Run();

private:
    void Check(bool bOk, LPCSTR pszWhat);
    void Shoot(CWnd* pWnd, LPCSTR pszName);
    void Command(UINT nID);

    void HostWindow();
    void ColourDepth();
    void ControllerChoice();
    void SaveAndReopen();
    void Placement();
    void CopyAndPaste();
    void OtherWindows();
    void Resizing();

    CMainFrame* m_pFrame;
    CString m_folder;
    CString m_log;
    int m_nFailures = 0;
};
