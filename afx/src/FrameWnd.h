// CFrameWnd: a top-level window that holds one view filling its client area.
// The view is made from the runtime class in the creation context; as in
// MFC, a frame lives on the heap and deletes itself when its window is gone.
#pragma once
#include "Wnd.h"

class CView;
class CFrameWnd;

#ifndef AFX_IDW_PANE_FIRST
#define AFX_IDW_PANE_FIRST 0xE900
#endif

// What a frame needs to make its view.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class AFX_CORE_CLASS CFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew);
    // Sends WM_INITIALUPDATE to every view below the frame, then shows it.
    void InitialUpdateFrame(void* pDoc, BOOL bMakeVisible);
    // The view fills the client area.
    virtual void RecalcLayout();

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    void PostNcDestroy() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CView* m_pViewActive;
};
