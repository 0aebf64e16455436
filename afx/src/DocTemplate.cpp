#include "DocTemplate.h"

#include "Document.h"
#include "File.h"
#include "FrameWnd.h"
#include "ModuleChain.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep)
{
    rString.Empty();
    if (!lpszFullString || iSubString < 0)
        return FALSE;
    while (iSubString--) {
        lpszFullString = strchr(lpszFullString, chSep);
        if (!lpszFullString)
            return FALSE;
        ++lpszFullString;
    }
    LPCSTR lpchEnd = strchr(lpszFullString, chSep);
    int nLen = lpchEnd ? (int)(lpchEnd - lpszFullString) : (int)strlen(lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass),
      m_bAutoDelete(TRUE)
{
    LoadTemplate();
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && AfxComparePath(pDoc->GetPathName(), lpszPathName)) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
        LPCSTR lpszDot = strrchr(lpszPathName, '.');
        if (lpszDot && lstrcmpiA(lpszDot, strFilterExt) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* pObject = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    CDocument* pDocument = DYNAMIC_DOWNCAST(CDocument, pObject);
    if (!pDocument) {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (!pFrame) {
        delete pObject;
        return nullptr;
    }
    // As with MFC, a frame that failed in its window (its view, say) has deleted itself then.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos;)
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    for (POSITION pos = GetFirstDocPosition(); pos;)
        GetNextDoc(pos)->OnCloseDocument();
}
