// CScrollView: a view whose content has a total size; the window shows
// scroll bars when it is smaller than that. Only the text mapping mode
// (one logical unit per pixel) is supported.
#pragma once
#include "View.h"

class AFX_CORE_CLASS CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView();
    ~CScrollView() override;

    static const SIZE sizeDefault;

    // sizePage and sizeLine left at sizeDefault: a tenth of the total, and a
    // tenth of that.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalLog; }
    int GetMapMode() const { return m_nMapMode; }
    // Sizes the parent frame so that the view's client area is the total size.
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

protected:
    void UpdateBars();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    int m_nMapMode;
    CSize m_totalLog;
    CSize m_pageDev;
    CSize m_lineDev;
};
