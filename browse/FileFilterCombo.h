// CFileFilterCombo: the combo box beside a file list tree from which the user
// picks a file filter. The host fills the entries and their item data; a
// change of the selection is reported to the socket's target (or the parent)
// as FFN_SELCHANGE with the item data of the current entry.
#pragma once
#include <afxwin.h>
#include "framework/WndSocket.h"

#define FFN_SELCHANGE 1001

// FFN_SELCHANGE: the item data of the current entry; CB_ERR (-1) without one.
struct NMFILEFILTER
{
    NMHDR hdr;
    DWORD_PTR dwItemData;
};

class AFX_EXT_CLASS CFileFilterCombo : public CComboBox, public CWndSocket
{
    DECLARE_DYNAMIC(CFileFilterCombo)
public:
    CFileFilterCombo();
    ~CFileFilterCombo() override;

protected:
    afx_msg void OnSelChange();
    DECLARE_MESSAGE_MAP()
};
