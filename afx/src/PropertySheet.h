// CPropertySheet: a tabbed dialog of property pages on the platform's
// property-sheet control. The sheet window is bound to this object while the
// control creates it, so the sheet's message map (and OnInitDialog) sees the
// window's messages before the control's own dialog procedure does. DoModal
// runs the sheet modeless inside the framework's modal loop, so that
// PreTranslateMessage and idle processing work as for any dialog.
#pragma once
#include "PropertyPage.h"
#include "PtrArray.h"

class AFX_CORE_CLASS CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;
    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // The header handed to PropertySheetA; the pages are filled in at creation.
    PROPSHEETHEADERA m_psh;

    // Pages: the sheet does not own them.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);

    // The sheet's tab control (the platform's, id AFX_IDC_TAB_CONTROL).
    CWnd* GetTabControl() const;
    void SetTitle(LPCSTR lpszText, UINT nStyle = 0);
    void PressButton(int nButton);
    void SetWizardMode();
    void SetFinishText(LPCSTR lpszText);
    void SetWizardButtons(DWORD dwFlags);
    // FALSE: one row of scrolling tabs instead of stacked rows.
    void EnableStackedTabs(BOOL bStacked) { m_bStacked = bStacked; }

    // IDOK, IDCANCEL or ID_WIZFINISH; -1 when the sheet cannot be created.
    virtual INT_PTR DoModal();
    // Modeless: the sheet stays until DestroyWindow. dwStyle -1 takes the
    // platform's popup style.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    void EndDialog(int nEndID);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

    CWnd* m_pParentWnd;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnPressButton(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CPtrArray m_pages;
    CString m_strCaption;
    CString m_strFinishText;
    BOOL m_bStacked;
    BOOL m_bModeless;

private:
    friend int CALLBACK AfxPropSheetCallback(HWND, UINT, LPARAM);
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Fills m_psh with copies of the pages' descriptions; FALSE when a page's
    // template cannot be found.
    BOOL BuildPropPageArray();
    // Creates the control's window bound to this object.
    HWND CreateSheetWindow(DWORD dwStyle, DWORD dwExStyle);
    // Hides the standard buttons of a modeless sheet and shortens it to end above them.
    void RemoveStandardButtons();

    PROPSHEETPAGEA* m_pPageArray;
    DWORD m_dwCreateStyle;
    DWORD m_dwCreateExStyle;
};

// Control ids of the platform's sheet template.
#ifndef AFX_IDC_TAB_CONTROL
#define AFX_IDC_TAB_CONTROL 0x3020
#endif
#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#endif
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#endif
#ifndef ID_WIZNEXT
#define ID_WIZNEXT 0x3024
#endif
#ifndef ID_WIZFINISH
#define ID_WIZFINISH 0x3025
#endif
