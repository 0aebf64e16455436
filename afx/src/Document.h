// CDocument: the data a program works on, shown by one or more views. It
// knows its title, its file and whether it changed since it was saved; it
// reads and writes itself through Serialize over a CArchive on its file.
#pragma once
#include "CmdTarget.h"
#include "PtrList.h"
#include "String.h"

class CArchive;
class CDocTemplate;
class CException;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

class AFX_CORE_CLASS CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and shows it in the captions of the frames of the views.
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Takes the full path of the file and its title (as the shell shows it);
    // with bAddToMRU the file becomes the first of the recent files.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    virtual CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view but the sender's.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Without views an auto-deleting document closes itself.
    virtual void OnChangedViewList();
    // Shows the title in the caption of every frame that holds a view of the document.
    virtual void UpdateFrameCounts();

    // Empties the document's data; called before new data is loaded or made.
    virtual void DeleteContents();
    // A fresh, untitled and unmodified document.
    virtual BOOL OnNewDocument();
    // Loads the file through Serialize; on failure the user is told and FALSE returned.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Writes the file through Serialize and clears the modified flag.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Destroys the frames of the views, empties and (when auto-deleting) deletes the document.
    virtual void OnCloseDocument();

    // Asks whether a modified document is to be saved first: FALSE when the user cancels.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Saves to lpszPathName; a null name asks for one with the save dialog
    // (Save As). With bReplace the document takes the new path.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    // Saves to the document's path, asking for one when it has none or it is read-only.
    virtual BOOL DoFileSave();

    virtual void ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    virtual CFile* GetFile(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;
    BOOL m_bAutoDelete;   // deleted when its last view goes
    BOOL m_bEmbedded;

protected:
    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()
};
