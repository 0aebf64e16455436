// CPropertyPage: one page of a property sheet. The page is a dialog whose
// window the sheet's common control creates from the page's template when the
// page is first shown; the framework binds that window to this object as it
// is created, so the page's message map sees its messages from the start.
// The sheet's notifications (PSN_SETACTIVE, PSN_APPLY, ...) arrive as the
// virtual functions below.
#pragma once
#include "Dialog.h"
#include <prsht.h>

class CPropertySheet;

class AFX_CORE_CLASS CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page's description as the common control gets it; lParam is this object.
    PROPSHEETPAGEA m_psp;

    // Marks the page changed (enables the sheet's Apply button) or unchanged.
    void SetModified(BOOL bChanged = TRUE);
    // After an irreversible change: OK reads "Close" and Cancel is disabled.
    void CancelToClose();
    // Sends PSM_QUERYSIBLINGS through the sheet; the first non-zero answer.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // The page becomes the active one; FALSE keeps it from being shown.
    virtual BOOL OnSetActive();
    // The page is left (or the sheet is about to apply); FALSE keeps it active.
    virtual BOOL OnKillActive();
    // OK or Apply: the default calls OnOK and accepts.
    virtual BOOL OnApply();
    // Cancel: the default calls OnCancel.
    virtual void OnReset();
    // Pages do not end the sheet: these only give derived pages a place to act.
    void OnOK() override;
    void OnCancel() override;
    // Cancel was pressed; FALSE keeps the sheet open.
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    // The sheet translates the keys of its pages (tab order across the sheet).
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CString m_strCaption;
    BOOL m_bFirstSetActive;

private:
    friend class CPropertySheet;
    void CommonConstruct(LPCSTR lpszTemplateName, UINT nIDCaption);
    // Completes m_psp before the sheet hands it to the common control: the
    // template is found through the resource chain; FALSE when it is missing.
    BOOL PreparePage();
    HWND SheetWindow() const;
};
