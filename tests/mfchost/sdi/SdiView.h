// SdiView.h : interface of the CSdiView class
#if !defined(AFX_SDIVIEW_H__SDIHOST__INCLUDED_)
#define AFX_SDIVIEW_H__SDIHOST__INCLUDED_

class CSdiView : public CView
{
protected: // create from serialization only
    CSdiView();
    DECLARE_DYNCREATE(CSdiView)

public:
    CSdiDoc* GetDocument();

    //{{AFX_VIRTUAL(CSdiView)
public:
    virtual void OnDraw(CDC* pDC);  // overridden to draw this view
    //}}AFX_VIRTUAL

public:
    virtual ~CSdiView();

protected:
    //{{AFX_MSG(CSdiView)
    afx_msg void OnEditValues();
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#ifndef _DEBUG  // debug version in SdiView.cpp
inline CSdiDoc* CSdiView::GetDocument()
   { return (CSdiDoc*)m_pDocument; }
#endif

#endif // !defined(AFX_SDIVIEW_H__SDIHOST__INCLUDED_)
