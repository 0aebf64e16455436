// CLeadFrame: the child window in which the image viewer shows one image. It
// owns one imaging control (CLead) and keeps the control's window placed so
// that the image shows centred, or fitted when the control's paint size mode
// fits, painting everything around it white. Its fit computation (aspect kept,
// centred, never enlarged) also gives the viewer its size-to-fit size.
#pragma once
#include <afxwin.h>

class CLead;

class AFX_EXT_CLASS CLeadFrame : public CWnd
{
    DECLARE_DYNAMIC(CLeadFrame)
public:
    CLeadFrame();
    ~CLeadFrame() override;

    // Creates the frame and, inside it, the imaging control with the same
    // name, the style plus WS_VISIBLE, the same rectangle and id. 0 when
    // either window cannot be created.
    virtual int Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID);

    // The imaging control; null until Create.
    CLead* GetLeadCtrl() const { return m_pLead; }

    // Places the control's window: fitted in paint size modes 1 and 3,
    // otherwise at the centring offset reaching to the bottom right corner.
    virtual void CenterImage();
    // Fits rcSource into the client rectangle.
    virtual void CenterInFrame(CRect rcSource, CRect* pResult);
    // The rectangle the last CenterImage gave the control (empty before).
    virtual void GetImageRect(CRect* pRect);

protected:
    // Fits rcSource into rcFrame: aspect ratio kept, centred, never larger
    // than the source.
    virtual void CenterRects(CRect rcSource, CRect rcFrame, CRect* pResult);
    // Makes the control object; tests put a double in its place.
    virtual CLead* CreateLeadCtrl();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CLead* m_pLead;
    CRect m_rcImage;
};
