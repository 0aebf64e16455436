// CResizeDialog: a dialog with a sizable border whose controls follow its
// size through the embedded CResize. Derived dialogs register their controls
// with SetResize after calling OnInitDialog.
#pragma once
#include <afxwin.h>
#include "framework/Resize.h"

class AFX_EXT_CLASS CResizeDialog : public CDialog, public CResize
{
    DECLARE_DYNAMIC(CResizeDialog)
public:
    explicit CResizeDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr, UINT nFlags = 0);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    DECLARE_MESSAGE_MAP()
};
