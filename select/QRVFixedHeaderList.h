// QRVFixedHeaderList: a list control whose column headers the user cannot
// resize. Init subclasses the list's own header; the divider drag is refused
// at its begin-track notification.
#pragma once
#include <afxcmn.h>
#include "select/FixedHeaderCtrl.h"

class AFX_EXT_CLASS QRVFixedHeaderList : public CListCtrl
{
public:
    QRVFixedHeaderList();
    ~QRVFixedHeaderList() override;

    virtual bool Init();

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CFixedHeaderCtrl m_wndHeader;
};
