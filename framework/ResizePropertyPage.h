// CResizePropertyPage: a property page whose controls follow the page's size
// (the sheet sizes its pages). Pages never show a size grip.
#pragma once
#include <afxdlgs.h>
#include "framework/Resize.h"

class AFX_EXT_CLASS CResizePropertyPage : public CPropertyPage, public CResize
{
    DECLARE_DYNCREATE(CResizePropertyPage)
public:
    CResizePropertyPage();
    explicit CResizePropertyPage(UINT nIDTemplate, UINT nIDCaption = 0, UINT nFlags = 0);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    DECLARE_MESSAGE_MAP()
};
