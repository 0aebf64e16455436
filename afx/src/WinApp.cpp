#include "WinApp.h"
#include "../include/afxres.h"
#include "ModuleChain.h"
#include "MsgMacros.h"
#include "RecentFileList.h"
#include "CmdUI.h"
#include "CommandLineInfo.h"
#include "DocTemplate.h"
#include "Document.h"
#include "File.h"
#include "FileDialog.h"
#include "FrameWnd.h"
#include "ModuleChain.h"
#include "View.h"
#include "Wnd.h"
#include <commdlg.h>
#include <stdlib.h>
#include <string.h>
#include <new>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {
// The one application object of the process, shared by every module that
// links the framework DLL (the host and its extension modules alike).
CWinApp* g_pApp = nullptr;

CString ModuleBaseName(HINSTANCE hInstance)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(hInstance, path, MAX_PATH);
    const char* name = strrchr(path, '\\');
    CString base(name ? name + 1 : path);
    int dot = base.ReverseFind('.');
    return dot > 0 ? base.Left(dot) : base;
}

HKEY CreateSubKey(HKEY hParent, LPCSTR lpszName)
{
    HKEY hKey = nullptr;
    DWORD dw;
    if (!hParent || ::RegCreateKeyExA(hParent, lpszName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, &hKey, &dw) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}
}

CWinApp* AFXAPI AfxGetApp() { return g_pApp; }
LPCSTR AFXAPI AfxGetAppName() { return g_pApp ? g_pApp->m_pszAppName : ""; }

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(nullptr), m_pszRegistryKey(nullptr), m_pszProfileName(nullptr), m_pszExeName(nullptr),
      m_hInstance(nullptr), m_lpCmdLine(nullptr), m_nCmdShow(SW_SHOWNORMAL), m_pszHelpFilePath(nullptr),
      m_pRecentFileList(nullptr),
      m_nWaitCursorCount(0), m_hcurWaitCursorRestore(nullptr), m_bAppNameGiven(lpszAppName != nullptr)
{
    if (lpszAppName)
        m_strAppName = lpszAppName;
    g_pApp = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    SetDefaultNames();
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    while (!m_templateList.IsEmpty()) {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.RemoveHead());
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::SetDefaultNames()
{
    m_strExeName = ModuleBaseName(m_hInstance);
    if (m_strAppName.IsEmpty())
        m_strAppName = m_strExeName;
    if (m_strProfileName.IsEmpty())
        m_strProfileName = m_strRegistryKey.IsEmpty() ? m_strExeName + ".ini" : m_strAppName;
    m_pszAppName = m_strAppName;
    m_pszExeName = m_strExeName;
    m_pszProfileName = m_strProfileName;
    m_pszRegistryKey = m_strRegistryKey.IsEmpty() ? nullptr : (LPCSTR)m_strRegistryKey;
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    m_strHelpFilePath = path;
    int dot = m_strHelpFilePath.ReverseFind('.');
    if (dot > m_strHelpFilePath.ReverseFind('\\'))
        m_strHelpFilePath = m_strHelpFilePath.Left(dot);
    m_strHelpFilePath += ".HLP";
    m_pszHelpFilePath = m_strHelpFilePath;
}

void CWinApp::SetCurrentHandles()
{
    CString title;
    if (!m_bAppNameGiven && title.LoadString(AFX_IDS_APP_TITLE) && !title.IsEmpty())
        m_strAppName = title;
    SetDefaultNames();
}

BOOL CWinApp::InitApplication() { return TRUE; }

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1)
        nMaxMRU = ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWnd = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    if (!::WinHelpA(hWnd, m_pszHelpFilePath, nCmd, dwData))
        AfxMessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelp()
{
    if (m_pMainWnd)
        m_pMainWnd->OnHelp();
}

void CWinApp::OnHelpIndex() { WinHelp(0, HELP_INDEX); }
void CWinApp::OnHelpFinder() { WinHelp(0, HELP_FINDER); }
void CWinApp::OnHelpUsing() { WinHelp(0, HELP_HELPONHELP); }

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : "";
    m_strProfileName = m_strAppName;
    SetDefaultNames();
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey)
        return nullptr;
    HKEY hSoftware = CreateSubKey(HKEY_CURRENT_USER, "Software");
    HKEY hCompany = CreateSubKey(hSoftware, m_pszRegistryKey);
    HKEY hApp = CreateSubKey(hCompany, m_pszProfileName);
    if (hSoftware)
        ::RegCloseKey(hSoftware);
    if (hCompany)
        ::RegCloseKey(hCompany);
    return hApp;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection)
{
    HKEY hApp = GetAppRegistryKey();
    HKEY hSection = CreateSubKey(hApp, lpszSection);
    if (hApp)
        ::RegCloseKey(hApp);
    return hSection;
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (!m_pszRegistryKey)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return nDefault;
    DWORD dwValue = 0, dwType = 0, dwCount = sizeof dwValue;
    LONG lResult = ::RegQueryValueExA(hSection, lpszEntry, nullptr, &dwType, (LPBYTE)&dwValue, &dwCount);
    ::RegCloseKey(hSection);
    return (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof dwValue) ? (UINT)dwValue
                                                                                       : (UINT)nDefault;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    if (!m_pszRegistryKey) {
        char buf[4096];
        ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "", buf,
                                   sizeof buf, m_pszProfileName);
        return buf;
    }
    CString result(lpszDefault ? lpszDefault : "");
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return result;
    DWORD dwType = 0, dwCount = 0;
    if (::RegQueryValueExA(hSection, lpszEntry, nullptr, &dwType, nullptr, &dwCount) == ERROR_SUCCESS &&
        dwType == REG_SZ && dwCount < 0x100000) {
        CString value;
        LPSTR p = value.GetBuffer((int)dwCount + 1);
        if (::RegQueryValueExA(hSection, lpszEntry, nullptr, &dwType, (LPBYTE)p, &dwCount) == ERROR_SUCCESS) {
            p[dwCount] = '\0';
            value.ReleaseBuffer();
            result = value;
        }
    }
    ::RegCloseKey(hSection);
    return result;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    if (!m_pszRegistryKey)
        return GetIniBinary(lpszSection, lpszEntry, ppData, pBytes);
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return FALSE;
    DWORD dwType = 0, dwCount = 0;
    LONG lResult = ::RegQueryValueExA(hSection, lpszEntry, nullptr, &dwType, nullptr, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY && dwCount < 0x1000000) {
        *ppData = new (std::nothrow) BYTE[dwCount ? dwCount : 1];
        lResult = *ppData ? ::RegQueryValueExA(hSection, lpszEntry, nullptr, &dwType, *ppData, &dwCount)
                          : ERROR_OUTOFMEMORY;
    } else if (lResult == ERROR_SUCCESS) {
        lResult = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(hSection);
    if (lResult != ERROR_SUCCESS) {
        delete[] *ppData;
        *ppData = nullptr;
        return FALSE;
    }
    *pBytes = dwCount;
    return TRUE;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (!m_pszRegistryKey) {
        char buf[16];
        wsprintfA(buf, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, buf, m_pszProfileName);
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return FALSE;
    DWORD dw = (DWORD)nValue;
    LONG lResult = ::RegSetValueExA(hSection, lpszEntry, 0, REG_DWORD, (const BYTE*)&dw, sizeof dw);
    ::RegCloseKey(hSection);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (!m_pszRegistryKey)
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    LONG lResult;
    if (!lpszEntry) {
        HKEY hApp = GetAppRegistryKey();
        if (!hApp)
            return FALSE;
        lResult = ::RegDeleteKeyA(hApp, lpszSection);
        ::RegCloseKey(hApp);
        return lResult == ERROR_SUCCESS;
    }
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return FALSE;
    if (!lpszValue)
        lResult = ::RegDeleteValueA(hSection, lpszEntry);
    else
        lResult = ::RegSetValueExA(hSection, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                   (DWORD)strlen(lpszValue) + 1);
    ::RegCloseKey(hSection);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!m_pszRegistryKey)
        return WriteIniBinary(lpszSection, lpszEntry, pData, nBytes);
    HKEY hSection = GetSectionKey(lpszSection);
    if (!hSection)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hSection, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSection);
    return lResult == ERROR_SUCCESS;
}

// Profile files hold binary entries as two letters per byte, low nibble
// first, 'A' standing for 0.
BOOL CWinApp::GetIniBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    CString text = GetProfileString(lpszSection, lpszEntry, "");
    int nLen = text.GetLength();
    if (nLen == 0 || nLen % 2)
        return FALSE;
    *pBytes = (UINT)nLen / 2;
    *ppData = new (std::nothrow) BYTE[*pBytes];
    if (!*ppData)
        return FALSE;
    for (UINT i = 0; i < *pBytes; ++i)
        (*ppData)[i] = (BYTE)(((text[2 * i + 1] - 'A') << 4) | (text[2 * i] - 'A'));
    return TRUE;
}

BOOL CWinApp::WriteIniBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    CString text;
    LPSTR p = text.GetBuffer((int)nBytes * 2 + 1);
    for (UINT i = 0; i < nBytes; ++i) {
        p[2 * i] = (char)((pData[i] & 0x0F) + 'A');
        p[2 * i + 1] = (char)(((pData[i] >> 4) & 0x0F) + 'A');
    }
    text.ReleaseBuffer((int)nBytes * 2);
    return WriteProfileString(lpszSection, lpszEntry, text);
}

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode == 0) {
        if (m_nWaitCursorCount > 0)
            ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_WAIT));
        return;
    }
    m_nWaitCursorCount += nCode > 0 ? 1 : -1;
    if (m_nWaitCursorCount < 0)
        m_nWaitCursorCount = 0;
    if (nCode > 0 && m_nWaitCursorCount == 1)
        m_hcurWaitCursorRestore = ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_WAIT));
    else if (nCode < 0 && m_nWaitCursorCount == 0)
        ::SetCursor(m_hcurWaitCursorRestore);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    LPCSTR name = MAKEINTRESOURCEA(nIDResource);
    return ::LoadCursorA(AfxFindResourceHandle(name, (LPCSTR)RT_GROUP_CURSOR), name);
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    LPCSTR name = MAKEINTRESOURCEA(nIDResource);
    return ::LoadIconA(AfxFindResourceHandle(name, (LPCSTR)RT_GROUP_ICON), name);
}

HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT /*nIDPrompt*/)
{
    HWND hOwner = ::GetActiveWindow();
    if (!hOwner && m_pMainWnd)
        hOwner = m_pMainWnd->m_hWnd;
    if (!(nType & MB_ICONMASK)) {
        UINT nButtons = nType & MB_TYPEMASK;
        if (nButtons == MB_OK || nButtons == MB_OKCANCEL)
            nType |= MB_ICONEXCLAMATION;
        else if (nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL)
            nType |= MB_ICONQUESTION;
    }
    return ::MessageBoxA(hOwner, lpszPrompt, m_pszAppName, nType);
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(::GetActiveWindow(), lpszText, "", nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    AfxSetInstanceHandle(hInstance);
    CWinApp* pApp = AfxGetApp();
    if (pApp) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES };
    ::InitCommonControlsEx(&icc);
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || !pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

// ---- documents ----------------------------------------------------------

#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100
#endif
#ifndef AFX_IDS_OPENFILE
#define AFX_IDS_OPENFILE 0xF000
#endif
#ifndef AFX_IDS_ALLFILTER
#define AFX_IDS_ALLFILTER 0xF002
#endif
#ifndef AFX_IDP_FAILED_TO_OPEN_DOC
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF101
#endif
#ifndef AFX_IDP_FAILED_TO_CREATE_DOC
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF104
#endif

namespace {

CString StandardText(UINT nID, LPCSTR lpszDefault)
{
    CString text;
    if (!text.LoadString(nID))
        text = lpszDefault;
    return text;
}

// "Name (*.ext)\0*.ext\0" for the filter of a file dialog; nothing when the template names no extension.
void AppendFilter(CString& filter, CDocTemplate* pTemplate)
{
    CString name, ext;
    if (pTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty() &&
        pTemplate->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty()) {
        filter += name;
        filter += '\0';
        filter += '*';
        filter += ext;
        filter += '\0';
    }
}

}  // namespace

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate && !m_templateList.Find(pTemplate))
        m_templateList.AddTail(pTemplate);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const
{
    return rPosition ? static_cast<CDocTemplate*>(m_templateList.GetNext(rPosition)) : nullptr;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (!lpszFileName || !*lpszFileName)
        return nullptr;
    // A name the shell put in quotes is taken without them.
    CString name(lpszFileName);
    if (name.GetLength() >= 2 && name[0] == '"' && name[name.GetLength() - 1] == '"')
        name = name.Mid(1, name.GetLength() - 2);
    char szPath[MAX_PATH];
    AfxFullPath(szPath, name);

    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatch;
            break;
        }
    }
    if (pOpenDocument) {
        POSITION pos = pOpenDocument->GetFirstViewPosition();
        if (CView* pView = pOpenDocument->GetNextView(pos))
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->SetForegroundWindow();
        return pOpenDocument;
    }
    if (!pBestTemplate) {
        AfxMessageBox(StandardText(AFX_IDP_FAILED_TO_OPEN_DOC, "Das Dokument konnte nicht geöffnet werden."),
                      MB_ICONEXCLAMATION, AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    return pBestTemplate->OpenDocumentFile(szPath);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    CString filter, defExt;
    if (pTemplate) {
        AppendFilter(filter, pTemplate);
        if (pTemplate->GetDocString(defExt, CDocTemplate::filterExt) && defExt[0] == '.')
            defExt = defExt.Mid(1);
    } else {
        for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
            AppendFilter(filter, GetNextDocTemplate(pos));
    }
    filter += StandardText(AFX_IDS_ALLFILTER, "Alle Dateien (*.*)");
    filter += '\0';
    filter += "*.*";
    filter += '\0';
    CString title;
    title.LoadString(nIDSTitle);

    CFileDialog dlgFile(bOpenFileDialog, nullptr, fileName, lFlags | OFN_ENABLESIZING);
    dlgFile.m_ofn.lpstrFilter = filter;   // the CString keeps the embedded zeros and ends with one more
    dlgFile.m_ofn.lpstrTitle = title.IsEmpty() ? nullptr : (LPCSTR)title;
    dlgFile.m_ofn.lpstrDefExt = defExt.IsEmpty() ? nullptr : (LPCSTR)defExt;
    if (dlgFile.DoModal() != IDOK)
        return FALSE;
    fileName = dlgFile.GetPathName();
    return TRUE;
}

void CWinApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    if (!pTemplate) {
        AfxMessageBox(StandardText(AFX_IDP_FAILED_TO_CREATE_DOC, "Ein leeres Dokument konnte nicht erstellt werden."),
                      MB_ICONEXCLAMATION, AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    // With several templates MFC asks which kind of document; single-document programs have one.
    pTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString newName;
    if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(newName);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i) {
        LPCSTR pszParam = __argv[i];
        BOOL bFlag = FALSE;
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, i + 1 == __argc);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // The program's own handler of ID_FILE_NEW comes first, as for the menu command.
        if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        // Printing, DDE and unregistering are not supported: the program ends.
        return FALSE;
    }
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return;
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return;
    // A file that no longer opens leaves the list.
    if (!OpenDocumentFile((*m_pRecentFileList)[nIndex]))
        m_pRecentFileList->Remove(nIndex);
}

namespace {

BOOL SetClassesValue(LPCSTR lpszKey, LPCSTR lpszValue)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, lpszKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return FALSE;
    LONG result = ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                                   (DWORD)strlen(lpszValue) + 1);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

CString ClassesValue(LPCSTR lpszKey)
{
    char value[MAX_PATH * 2] = "";
    LONG size = sizeof value;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, lpszKey, value, &size) != ERROR_SUCCESS)
        return CString();
    return value;
}

}  // namespace

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    char szModule[MAX_PATH] = "";
    ::GetModuleFileNameA(m_hInstance, szModule, MAX_PATH);
    CString quoted = CString("\"") + szModule + "\"";
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString typeId, typeName, ext;
        if (!pTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId) || typeId.IsEmpty())
            continue;
        // A type without a name of its own is called by its id.
        if (!pTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName) || typeName.IsEmpty())
            typeName = typeId;
        if (!SetClassesValue(typeId, typeName))
            continue;
        // The icon of the template's own resource id.
        CString icon;
        icon.Format("%s,-%u", szModule, pTemplate->m_nIDResource);
        SetClassesValue(typeId + "\\DefaultIcon", icon);
        SetClassesValue(typeId + "\\shell\\open\\command", quoted + " \"%1\"");
        if (bCompat) {
            SetClassesValue(typeId + "\\shell\\print\\command", quoted + " /p \"%1\"");
            SetClassesValue(typeId + "\\shell\\printto\\command", quoted + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        if (pTemplate->GetDocString(ext, CDocTemplate::filterExt) && ext.GetLength() > 1 && ext[0] == '.') {
            CString owner = ClassesValue(ext);
            if (owner.IsEmpty() || owner == typeId)
                SetClassesValue(ext, typeId);
        }
    }
}
