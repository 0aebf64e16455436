#include "HostDoc.h"
#include "DemoPaths.h"
#include "HostView.h"
#include "select/PlcSelectDlg.h"

namespace {
// The sample driver with a setup dialog of its own starts as the project's.
const char kStartDriver[] = "Z32TPLC072.dll";
const char kStartPicture[] = "landscape.png";
// Project files are small; anything larger is no project.
const DWORD kMaxProjectBytes = 64 * 1024;
}

CHostDoc::CHostDoc() = default;

BOOL CHostDoc::OnNewDocument()
{
    CHostProject project;
    project.strDriverDll = kStartDriver;
    project.strPictureFolder = DemoPictureFolder();
    project.strPicture = kStartPicture;
    m_strPathName.Empty();
    return Apply(project);
}

BOOL CHostDoc::Apply(const CHostProject& project)
{
    if (!m_controller.Activate(project.strDriverDll, project.nControllerMode))
        return FALSE;
    m_project = project;
    UpdateAllViews(nullptr, HintAll);
    return TRUE;
}

BOOL CHostDoc::OnOpenDocument(LPCSTR pszPath)
{
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD size = ::GetFileSize(hFile, nullptr), got = 0;
    CString text;
    BOOL ok = size < kMaxProjectBytes;
    if (ok) {
        char* buffer = text.GetBuffer((int)size + 1);
        ok = ::ReadFile(hFile, buffer, size, &got, nullptr) && got == size;
        buffer[ok ? size : 0] = '\0';
        text.ReleaseBuffer();
    }
    ::CloseHandle(hFile);
    CHostProject project;
    if (!ok || !project.Parse(text))
        return FALSE;
    CString previous = m_strPathName;
    m_strPathName = pszPath;
    if (Apply(project))
        return TRUE;
    m_strPathName = previous;
    return FALSE;
}

BOOL CHostDoc::OnSaveDocument(LPCSTR pszPath)
{
    CHostProject project = m_project;
    project.strDriverDll = m_controller.ActiveDll();
    project.nControllerMode = m_controller.Mode();
    CString text = project.Format();
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL ok = ::WriteFile(hFile, (LPCSTR)text, text.GetLength(), &written, nullptr) &&
              written == (DWORD)text.GetLength();
    ::CloseHandle(hFile);
    if (ok) {
        m_strPathName = pszPath;
        UpdateAllViews(nullptr, HintPath);
    }
    return ok;
}

CString CHostDoc::GetTitle() const
{
    return m_strPathName.IsEmpty() ? CString("Unbenannt") : m_strPathName.Mid(m_strPathName.ReverseFind('\\') + 1);
}

void CHostDoc::SetColorDepth(int nBits, bool bPlx508)
{
    if (bPlx508)
        nBits = 8;
    if (!CHostProject::IsValidDepth(nBits))
        return;
    m_project.nColorBits = nBits;
    m_project.bPlx508 = bPlx508;
    UpdateAllViews(nullptr, HintDepth);
}

bool CHostDoc::ChooseController(CWnd* pParent)
{
    CPlcSelectDlg* pDlg = m_controller.NewDialog(pParent);
    bool bChosen = pDlg->DoModal() == IDOK && TakeControllerChoice(*pDlg);
    delete pDlg;
    return bChosen;
}

bool CHostDoc::TakeControllerChoice(CPlcSelectDlg& dlg)
{
    if (!m_controller.TakeChoice(dlg))
        return false;
    m_project.strDriverDll = m_controller.ActiveDll();
    m_project.nControllerMode = m_controller.Mode();
    UpdateAllViews(nullptr, HintController);
    return true;
}

void CHostDoc::SetPicture(const CString& strName)
{
    if (strName.CompareNoCase(m_project.strPicture) == 0)
        return;
    m_project.strPicture = strName;
    UpdateAllViews(nullptr, HintPicture);
}

CString CHostDoc::PicturePath() const
{
    return m_project.strPicture.IsEmpty() ? CString() : m_project.strPictureFolder + m_project.strPicture;
}

void CHostDoc::UpdateAllViews(CView* pSender, LPARAM lHint)
{
    if (m_pView && m_pView != pSender)
        m_pView->OnUpdate(pSender, lHint, nullptr);
}
