// A window listing the driver catalogue of the sample drivers beside the
// demo (bin\drivers), read through CPlcInfoList as a host reads it.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>

class CCatalogueWindow : public CWnd
{
public:
    // Opens a new, self-deleting window owned by pParent; null if it cannot.
    static CWnd* Show(CWnd* pParent);

protected:
    CCatalogueWindow() = default;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    CListCtrl m_list;
};
