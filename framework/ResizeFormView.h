// CResizeFormView: a form view whose controls follow the view's size, and
// which sizes its frame to fit the form once and then never scrolls. Form
// views never show a size grip (the frame has its own border).
#pragma once
#include <afxext.h>
#include "framework/Resize.h"

class AFX_EXT_CLASS CResizeFormView : public CFormView, public CResize
{
    DECLARE_DYNCREATE(CResizeFormView)
public:
    explicit CResizeFormView(UINT nIDTemplate = 0, UINT nFlags = 0);

    void OnInitialUpdate() override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    DECLARE_MESSAGE_MAP()
};
