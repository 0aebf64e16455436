// CFixedHeaderCtrl: a column header that never shows the resize cursor and
// ignores double-clicks, so its columns keep the widths the program gave them.
#pragma once
#include <afxcmn.h>

class AFX_EXT_CLASS CFixedHeaderCtrl : public CHeaderCtrl
{
public:
    CFixedHeaderCtrl();
    ~CFixedHeaderCtrl() override;

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
