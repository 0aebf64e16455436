// CFormView: a view made from a dialog template (with the WS_CHILD style);
// the dialog manager runs its controls, and the template's size is the
// view's total size.
#pragma once
#include "ScrollView.h"

class AFX_CORE_CLASS CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCSTR lpszTemplateName);
    ~CFormView() override;

    // lpParam is the frame's CCreateContext, as for every view.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCSTR m_lpszTemplateName;
};
