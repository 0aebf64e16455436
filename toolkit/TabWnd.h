// CTabWnd: the toolkit's tab window. A child window with a tab strip along
// its top and one page window per tab below it; the selected tab's page is
// shown, filling the area under the strip and following the window's size.
// Page windows stay their creators'; the tab window only places, shows and
// hides them (and makes them its children when they are not yet).
//
// Three fonts can be set: the tab titles', the selected tab title's and the
// pages' (sent to every page with WM_SETFONT). The tab window keeps copies,
// so callers may delete their font objects afterwards.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

class AFX_EXT_CLASS CTabWnd : public CWnd
{
    DECLARE_DYNAMIC(CTabWnd)
public:
    CTabWnd();
    ~CTabWnd() override;

    // Creates the tab window as a child of pParentWnd, at first empty-sized.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Adds pWnd as the last page, titled pszTitle; the first page added is
    // shown. Answers the page's index, -1 on failure.
    virtual int AddPage(CWnd* pWnd, LPCSTR pszTitle);
    // Selects the tab of pWnd and shows its page; FALSE for a window that is
    // no page.
    virtual BOOL ShowPage(CWnd* pWnd);
    // Non-zero and the selected page's window when a page is selected.
    virtual BOOL GetSelectedPage(CWnd*& rpWnd) const;
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }

    // The font of the tab titles (the system's dialog font until set).
    virtual CFont* GetTabFont();
    virtual void SetTabFont(CFont* pFont, BOOL bRedraw);
    virtual void SetSelTabFont(CFont* pFont, BOOL bRedraw);
    virtual void SetPageFont(CFont* pFont, BOOL bRedraw);

    // The tab strip window; its client height is the strip's height.
    CTabCtrl* GetTabCtrl() { return &m_strip; }
    // The area the pages fill, in client coordinates.
    CRect GetPageRect() const;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

    enum { IDC_STRIP = 1 };
    void Layout();
    int StripHeight() const;
    void ShowSelected();
    static void CopyFont(CFont& dest, CFont* pSource);

    CTabCtrl m_strip;
    std::vector<CWnd*> m_pages;
    CFont m_fontTab;
    CFont m_fontSelTab;
    CFont m_fontPage;
};
