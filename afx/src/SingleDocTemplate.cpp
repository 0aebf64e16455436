#include "SingleDocTemplate.h"

#include "Document.h"
#include "FrameWnd.h"
#include "View.h"
#include "WaitCursor.h"
#include "WinApp.h"

#ifndef AFX_IDS_UNTITLED
#define AFX_IDS_UNTITLED 0xF003
#endif
#ifndef AFX_IDP_FAILED_TO_CREATE_DOC
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF104
#endif

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

namespace {

void ReportCreateFailure()
{
    CString text;
    if (!text.LoadString(AFX_IDP_FAILED_TO_CREATE_DOC))
        text = "Ein leeres Dokument konnte nicht erstellt werden.";
    AfxMessageBox(text, MB_ICONEXCLAMATION, AFX_IDP_FAILED_TO_CREATE_DOC);
}

// The frame that shows the document: that of its first view, else the main window.
CFrameWnd* FrameOf(CDocument* pDocument)
{
    POSITION pos = pDocument->GetFirstViewPosition();
    if (CView* pView = pDocument->GetNextView(pos))
        if (CFrameWnd* pFrame = pView->m_hWnd ? pView->GetParentFrame() : nullptr)
            return pFrame;
    return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
}

}  // namespace

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(nullptr)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    // A document that outlives its template forgets it.
    if (m_pOnlyDoc)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? BEFORE_START_POSITION : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == BEFORE_START_POSITION ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;
    if (pDocument) {
        // The document is reused: the user may keep its changes first.
        if (!pDocument->SaveModified())
            return nullptr;
        pFrame = FrameOf(pDocument);
    } else {
        pDocument = CreateNewDocument();
        bCreated = TRUE;
    }
    if (!pDocument) {
        ReportCreateFailure();
        return nullptr;
    }
    if (!pFrame) {
        // The frame's views may not close the document while it is being made.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (!pFrame) {
            ReportCreateFailure();
            if (bCreated)
                delete pDocument;
            return nullptr;
        }
    }

    if (!lpszPathName) {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument()) {
            if (bCreated)
                pFrame->DestroyWindow();
            return nullptr;
        }
    } else {
        CWaitCursor wait;
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            if (bCreated) {
                pFrame->DestroyWindow();
            } else if (!pDocument->IsModified()) {
                // The file did not open: the old contents are untouched.
                pDocument->SetModifiedFlag(bWasModified);
            } else {
                // Loading had begun and emptied the document: it becomes a new one.
                SetDefaultTitle(pDocument);
                if (!pDocument->OnNewDocument())
                    pFrame->DestroyWindow();
            }
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread && !pThread->m_pMainWnd)
        pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if ((!GetDocString(strDocName, docName) || strDocName.IsEmpty()) && !strDocName.LoadString(AFX_IDS_UNTITLED))
        strDocName = "Unbenannt";
    pDocument->SetTitle(strDocName);
}
