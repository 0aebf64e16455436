// SdiView.h : interface of the CSdiView class
#pragma once

class CSdiView : public CView {
    DECLARE_DYNCREATE(CSdiView)
public:
    CSdiDoc *GetDocument() { return (CSdiDoc *)m_pDocument; }
    virtual void OnDraw(CDC *pDC); // overridden to draw this view

protected:
    afx_msg void OnEditValues();
    DECLARE_MESSAGE_MAP()
};
