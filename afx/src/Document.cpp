#include "Document.h"

#include "Archive.h"
#include "DocTemplate.h"
#include "FrameWnd.h"
#include "MsgMacros.h"
#include "View.h"
#include "WaitCursor.h"
#include "WinApp.h"

#include <commdlg.h>

// Standard ids, for the build without the resource header of the standard ids.
#ifndef ID_FILE_CLOSE
#define ID_FILE_CLOSE 0xE102
#endif
#ifndef ID_FILE_SAVE
#define ID_FILE_SAVE 0xE103
#endif
#ifndef AFX_IDS_SAVEFILE
#define AFX_IDS_SAVEFILE 0xF001
#endif
#ifndef AFX_IDS_SAVEFILECOPY
#define AFX_IDS_SAVEFILECOPY 0xF004
#endif
#ifndef ID_FILE_SAVE_AS
#define ID_FILE_SAVE_AS 0xE104
#endif
#ifndef AFX_IDS_UNTITLED
#define AFX_IDS_UNTITLED 0xF003
#endif
#ifndef AFX_IDP_FAILED_TO_OPEN_DOC
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF101
#endif
#ifndef AFX_IDP_FAILED_TO_SAVE_DOC
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF102
#endif
#ifndef AFX_IDP_ASK_TO_SAVE
#define AFX_IDP_ASK_TO_SAVE 0xF103
#endif

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

// The host's text for a standard prompt (its resources include the standard
// strings), else the framework's own; %1 stands for the argument.
CString Prompt(UINT nIDPrompt, LPCSTR lpszDefault, LPCSTR lpszArg = "")
{
    CString text;
    if (!text.LoadString(nIDPrompt))
        text = lpszDefault;
    text.Replace("%1", lpszArg);
    return text;
}

}  // namespace

CDocument::CDocument()
    : m_pDocTemplate(nullptr), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE)
{
}

CDocument::~CDocument()
{
    // Views that outlive their document forget it rather than point at freed memory.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    char szFull[MAX_PATH];
    AfxFullPath(szFull, lpszPathName ? lpszPathName : "");
    m_strPathName = szFull;
    char szTitle[MAX_PATH] = "";
    AfxGetFileTitle(m_strPathName, szTitle, MAX_PATH);
    SetTitle(szTitle);
    if (bAddToMRU && !m_strPathName.IsEmpty())
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return rPosition ? static_cast<CView*>(m_viewList.GetNext(rPosition)) : nullptr;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    if (pView->m_pDocument && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = pView ? m_viewList.Find(pView) : nullptr;
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_bAutoDelete && m_viewList.IsEmpty()) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->m_hWnd ? pView->GetParentFrame() : nullptr;
        if (pFrame)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (!pFile) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    // Modified while half loaded: whoever looks during a failure sees a document that is not the file.
    SetModifiedFlag();
    CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
    loadArchive.m_pDocument = this;
    TRY
    {
        CWaitCursor wait;
        if (pFile->GetLength() != 0)
            Serialize(loadArchive);
        loadArchive.Close();
        ReleaseFile(pFile, FALSE);
    }
    CATCH_ALL(e)
    {
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    END_CATCH_ALL
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (!pFile) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
    saveArchive.m_pDocument = this;
    TRY
    {
        CWaitCursor wait;
        Serialize(saveArchive);
        saveArchive.Close();
        ReleaseFile(pFile, FALSE);
    }
    CATCH_ALL(e)
    {
        ReleaseFile(pFile, TRUE);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    END_CATCH_ALL
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // The document stays alive while its frames go; it is deleted once at the end.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->m_hWnd ? pView->GetParentFrame() : nullptr;
        if (pFrame) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else if (pView->m_hWnd) {
            pView->DestroyWindow();
        }
        // A view without a window (or one its frame kept) leaves the list here.
        RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (name.IsEmpty())
        name = Prompt(AFX_IDS_UNTITLED, "Unbenannt");
    CString prompt = Prompt(AFX_IDP_ASK_TO_SAVE, "Änderungen in %1 speichern?", name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName ? lpszPathName : "";
    if (newName.IsEmpty()) {
        // Save As: the title (up to a character that does not belong in a file name)
        // and the template's extension are offered.
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            int iBad = newName.FindOneOf(" #%;/\\");
            if (iBad != -1)
                newName = newName.Left(iBad);
            CString strExt;
            if (m_pDocTemplate && m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt))
                newName += strExt;
        }
        CWinApp* pApp = AfxGetApp();
        if (!pApp || !pApp->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                             OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }
    CWaitCursor wait;
    if (!OnSaveDocument(newName)) {
        // A file the Save As made is not left behind half written.
        if (!lpszPathName)
            ::DeleteFileA(newName);
        return FALSE;
    }
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    // Untitled or read-only: the user picks a name.
    if (dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    // The user was told already.
    if (e && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;
    char szMessage[512] = "";
    CString prompt;
    if (e && e->GetErrorMessage(szMessage, sizeof szMessage))
        prompt = szMessage;
    else
        prompt = Prompt(nIDPDefault, bSaving ? "Das Dokument %1 konnte nicht gespeichert werden."
                                             : "Das Dokument %1 konnte nicht geöffnet werden.",
                        lpszPathName ? lpszPathName : "");
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPDefault);
}

CFile* CDocument::GetFile(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
        delete pFile;
        return nullptr;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (bAbort) {
        pFile->Abort();
    } else {
        TRY
        {
            pFile->Close();
        }
        CATCH_ALL(e)
        {
            delete pFile;
            THROW_LAST();
        }
        END_CATCH_ALL
    }
    delete pFile;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}
