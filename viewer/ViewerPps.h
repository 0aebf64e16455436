// CViewerPps: the viewer property sheet. It shows the pages of whichever
// viewer the host names, or a blank page when that viewer has none. With
// size-to-page on, the pages keep the size of the blank page's template and
// shrink with the sheet. Closing only hides the sheet; context-menu requests
// go to its parent.
#pragma once
#include <afxdlgs.h>
#include "framework/WndSocket.h"

class CViewerWnd;

class AFX_EXT_CLASS CViewerPps : public CPropertySheet, public CWndSocket
{
    DECLARE_DYNAMIC(CViewerPps)
public:
    CViewerPps(CStringArray* pColorNames, UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    CViewerPps(CStringArray* pColorNames, LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CViewerPps() override;

    void Init();
    void EnableSizeToPage(int bEnable) { m_bSizeToPage = bEnable; }
    CStringArray* GetColorNames() const { return m_pColorNames; }
    CSize GetPageSize() const { return m_sizePage; }
    CPropertyPage* GetBlankPage() const { return m_pBlankPage; }

    void SetCurViewer(CViewerWnd* pViewer);
    void OnOpenViewer(CViewerWnd* pViewer);
    void OnCloseViewer(CViewerWnd* pViewer);

    void AddBlankPage();
    void RemoveBlankPage();
    // Takes every page out of the sheet; the page objects stay their owners'.
    void RemoveAllPages();
    CSize GetDefaultSize();
    void SizePages(int cx, int cy);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg LRESULT OnContextMenuMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CPropertyPage* m_pBlankPage;
    CSize m_sizePage;
    int m_bSizeToPage;
    CStringArray* m_pColorNames;

private:
    // Client size in pixels of a dialog template, in its own font.
    static CSize MeasureTemplate(UINT nIDTemplate);
};
