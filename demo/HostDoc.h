// CHostDoc: the demo host's document, one project (CHostProject) and its
// active controller, saved and loaded through Serialize. Changes go through
// the document, which tells its view what changed (the Hint* values).
#pragma once
#include <afxext.h>
#include "HostController.h"
#include "HostProject.h"

class CHostView;

class CHostDoc : public CDocument
{
    DECLARE_DYNCREATE(CHostDoc)
public:
    enum Hint { HintAll = 0, HintDepth = 1, HintController = 2, HintPicture = 3, HintPath = 4 };

    CHostDoc();

    // A new project: 8 bits, the sample driver with a setup dialog of its
    // own, the sample pictures with the landscape shown.
    BOOL OnNewDocument() override;
    // A project that cannot be read or whose controller cannot be bound
    // leaves the open one as it was.
    BOOL OnOpenDocument(LPCSTR pszPath) override;
    BOOL OnSaveDocument(LPCSTR pszPath) override;
    void Serialize(CArchive& ar) override;
    // The frame tells the user itself; no message box from the document.
    void ReportSaveLoadException(LPCSTR, CException*, BOOL, UINT) override {}

    const CHostProject& Project() const { return m_project; }
    CHostController& Controller() { return m_controller; }

    void SetColorDepth(int nBits, bool bPlx508);
    // Runs the selection dialog; true when a controller was taken over.
    bool ChooseController(CWnd* pParent);
    // After the selection dialog (modal or not) was left with a choice.
    bool TakeControllerChoice(CPlcSelectDlg& dlg);
    void SetPicture(const CString& strName);
    // The full path of the picture shown, or empty.
    CString PicturePath() const;

    // The host's one view joins the document (null: leaves it).
    void AttachView(CHostView* pView);

private:
    // The project as read: the controller follows it, and the view.
    BOOL Apply(const CHostProject& project);

    CHostProject m_project;
    CHostProject m_loaded;   // what Serialize read
    CHostController m_controller;
    CHostView* m_pView = nullptr;
};
