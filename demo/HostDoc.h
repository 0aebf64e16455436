// CHostDoc: the demo host's document, one project (CHostProject) and its
// active controller. Changes go through the document, which tells its view
// what changed (the Hint* values).
#pragma once
#include <afxext.h>
#include "HostController.h"
#include "HostProject.h"

class CHostView;

class CHostDoc : public CObject
{
public:
    enum Hint { HintAll = 0, HintDepth = 1, HintController = 2, HintPicture = 3, HintPath = 4 };

    CHostDoc();

    // A new project: 8 bits, the sample driver with a setup dialog of its
    // own, the sample pictures with the landscape shown.
    BOOL OnNewDocument();
    BOOL OnOpenDocument(LPCSTR pszPath);
    BOOL OnSaveDocument(LPCSTR pszPath);

    const CHostProject& Project() const { return m_project; }
    // The project file last opened or saved; empty for a new project.
    const CString& GetPathName() const { return m_strPathName; }
    // "Projekt.qrvdemo", or "Unbenannt" for a new project.
    CString GetTitle() const;
    CHostController& Controller() { return m_controller; }

    void SetColorDepth(int nBits, bool bPlx508);
    // Runs the selection dialog; true when a controller was taken over.
    bool ChooseController(CWnd* pParent);
    // After the selection dialog (modal or not) was left with a choice.
    bool TakeControllerChoice(CPlcSelectDlg& dlg);
    void SetPicture(const CString& strName);
    // The full path of the picture shown, or empty.
    CString PicturePath() const;

    void AttachView(CHostView* pView) { m_pView = pView; }
    void UpdateAllViews(CView* pSender, LPARAM lHint);

private:
    // The project as read: the controller follows it, and the view.
    BOOL Apply(const CHostProject& project);

    CHostProject m_project;
    CHostController m_controller;
    CHostView* m_pView = nullptr;
    CString m_strPathName;
};
