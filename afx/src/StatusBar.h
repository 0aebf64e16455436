// CStatusBar: the line of panes at the bottom of a frame window, on the
// common status bar control. Each pane has a command id; the first pane
// stretches over the width the others leave. The frame keeps it along its
// bottom edge and lays its view out above it.
#pragma once
#include "Wnd.h"
#include "../include/afxres.h"
#include "StringArray.h"
#include "UIntArray.h"
#include <commctrl.h>

#ifndef SBPS_NORMAL
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_STRETCH 0x0800
#endif

class AFX_CORE_CLASS CStatusBar : public CWnd
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar() = default;
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; a pane's text starts as the string of its id (none
    // for ID_SEPARATOR), and its width fits that text. Null ids: empty panes.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_ids.GetSize()); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    // Places the bar along the bottom of rcClient (the parent's client area)
    // and takes its height off the rectangle.
    void RecalcLayout(CRect& rcClient);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    int TextWidth(const CString& text) const;
    void UpdateParts();
    void ShowPane(int nIndex);

    // Per pane: id, style (SBPS_*), width in pixels and text.
    CUIntArray m_ids;
    CUIntArray m_styles;
    CUIntArray m_widths;
    CStringArray m_texts;
};
