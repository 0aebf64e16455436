// CCommandLineInfo: what the program's command line asks for, parameter by
// parameter as CWinApp::ParseCommandLine hands them over. A file name alone
// opens that file; /p and /pt print it; no file makes a new document.
#pragma once
#include "Object.h"
#include "String.h"

class AFX_CORE_CLASS CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // One parameter, without its leading '-' or '/' when bFlag; bLast for the final one.
    virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 } m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(LPCSTR pszParam);
    void ParseParamNotFlag(LPCSTR pszParam);
    void ParseLast(BOOL bLast);
};
