// SdiView.h : interface of the CSdiView class
#pragma once

class CSdiView : public CView {
    DECLARE_DYNCREATE(CSdiView)
public:
    CSdiDoc *GetDocument();
    virtual void OnDraw(CDC *pDC); // overridden to draw this view

protected:
    afx_msg void OnEditValues();
    DECLARE_MESSAGE_MAP()
};

#ifndef _DEBUG // debug version in SdiView.cpp
inline CSdiDoc *CSdiView::GetDocument()
{
    return (CSdiDoc *)m_pDocument;
}
#endif
