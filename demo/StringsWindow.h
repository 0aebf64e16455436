// Ansicht -> Zeichenketten: a window listing the string table of QRV.dll,
// number and text, as the host's resource chain finds it.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>

class CStringsWindow : public CWnd
{
public:
    // Opens a new, self-deleting window owned by pParent; null if it cannot.
    static CWnd* Show(CWnd* pParent);

protected:
    CStringsWindow() = default;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    CListCtrl m_list;
};
