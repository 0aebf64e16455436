// A self-deleting top-level window that is one report list filling its
// client area; derived windows fill the list.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>

class CListWindow : public CWnd
{
protected:
    CListWindow() = default;
    // Creates pWnd as a window owned by pParent; deletes it and answers null
    // if it cannot.
    static CWnd* Open(CListWindow* pWnd, CWnd* pParent, LPCSTR pszTitle, const CRect& rc);
    // Adds the columns and rows.
    virtual void Fill() = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

    CListCtrl m_list;
};
