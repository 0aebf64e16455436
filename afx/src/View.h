// CView: a child window that presents something inside a frame window. As in
// MFC, a view lives on the heap and deletes itself when its window is gone,
// and the frame tells it when to fill itself (WM_INITIALUPDATE).
#pragma once
#include "Wnd.h"

#ifndef WM_INITIALUPDATE
#define WM_INITIALUPDATE 0x0364
#endif

class CFrameWnd;
class CDocument;

class AFX_CORE_CLASS CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    // Leaves its document's list of views.
    ~CView() override;

    // The document the view shows (given by the creation context); null if none.
    CDocument* GetDocument() const { return m_pDocument; }
    // The nearest frame window among the view's parents; null if none.
    CFrameWnd* GetParentFrame() const;

    // Called once, after the view and its frame exist; the default updates the view.
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC);
    // Commands go to the view, then to its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult) override;

protected:
    // The document changed (UpdateAllViews from pSender); the default repaints the view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    // A view without a class name of its own gets the framework's.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    afx_msg void OnPaint();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument = nullptr;
    friend class CDocument;
};
