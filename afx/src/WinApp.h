// CWinApp: the application object. Its profile lives under
// HKEY_CURRENT_USER\Software\<registry key>\<profile name> once SetRegistryKey
// was called, otherwise in <profile name>.ini as the platform's profile API keeps it.
#pragma once
#include "WinThread.h"
#include "String.h"
#include "PtrList.h"

class CCmdUI;
class CCommandLineInfo;
class CDocTemplate;
class CDocument;

class CRecentFileList;

class AFX_CORE_CLASS CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCSTR m_pszAppName;
    LPCSTR m_pszRegistryKey;
    LPCSTR m_pszProfileName;
    LPCSTR m_pszExeName;
    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    // The program's path with the extension .HLP.
    LPCSTR m_pszHelpFilePath;
    // Set by LoadStdProfileSettings.
    CRecentFileList* m_pRecentFileList;

    virtual BOOL InitApplication();
    int ExitInstance() override;

    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Open keys the caller closes; null when there is no registry key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCSTR lpszSection);

    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    // *ppData is allocated with new BYTE[] for the caller to delete[].
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    // A null entry deletes the section, a null value deletes the entry.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // nCode 1 shows the wait cursor, -1 takes one level back, 0 restores it.
    virtual void DoWaitCursor(int nCode);
    int GetWaitCursorCount() const { return m_nWaitCursorCount; }

    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;

    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Reads the most recently used files (nMaxMRU of them, section "Recent
    // File List") from the profile; ExitInstance writes them back.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCSTR lpszPathName);

    // Opens the help file at a context (HID_BASE_* + id); a message box when
    // the help cannot be started.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // Command handlers a host maps (ON_COMMAND(ID_HELP, CWinApp::OnHelp), ...).
    // ID_APP_EXIT is mapped here already: it closes the main window.
    afx_msg void OnAppExit();
    // F1: the help of what has the focus, through the main window.
    afx_msg void OnHelp();
    afx_msg void OnHelpIndex();
    afx_msg void OnHelpFinder();
    afx_msg void OnHelpUsing();

    // Called by AfxWinInit: the names from the program's instance, the title
    // from its string AFX_IDS_APP_TITLE unless the constructor was given one.
    void SetCurrentHandles();


    // Document templates, owned by the application from here on.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    // Opens the file with the template that fits it best (or shows it if it is open); null on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // Asks for a file name with the open or save dialog, filtered by the templates' extensions.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    // Hands each parameter of the program's command line to rCmdInfo.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Does what the command line asked: a new document or the named file. FALSE if that failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // The three-dimensional look of dialogs and controls is the platform's own
    // since Windows 95; both calls only report that it is there.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    // Lets the shell hand documents to the program. Documents come in as file
    // names on the command line; opening through DDE is not offered.
    void EnableShellOpen() {}
    // Registers the file type of every template that names one (its regFileTypeId
    // and regFileTypeName fields): the type with its name, icon and open command
    // (with bCompat also print and print-to), and the template's extension for it
    // unless the extension already belongs to another type.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);

    // Standard commands a program maps to ID_FILE_NEW and ID_FILE_OPEN.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();

protected:
    // The recent files in the File menu, in place of its ID_FILE_MRU_FILE1 item.
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg void OnOpenRecentFile(UINT nID);
public:

    DECLARE_MESSAGE_MAP()

private:
    void SetDefaultNames();
    BOOL GetIniBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteIniBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

    CPtrList m_templateList;
    CString m_strAppName, m_strRegistryKey, m_strProfileName, m_strExeName, m_strHelpFilePath;
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;
    BOOL m_bAppNameGiven;
};

AFX_CORE_API CWinApp* AFXAPI AfxGetApp();
AFX_CORE_API LPCSTR AFXAPI AfxGetAppName();
AFX_CORE_API int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_CORE_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
AFX_CORE_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
AFX_CORE_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
