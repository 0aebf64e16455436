#include "FileFilterCombo.h"

IMPLEMENT_DYNAMIC(CFileFilterCombo, CComboBox)

BEGIN_MESSAGE_MAP(CFileFilterCombo, CComboBox)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

CFileFilterCombo::CFileFilterCombo()
{
    // The socket reports for this control; until a target is plugged in,
    // its notifications go to the combo box's parent.
    CWndSocket::Attach(this);
}

CFileFilterCombo::~CFileFilterCombo() = default;

void CFileFilterCombo::OnSelChange()
{
    // CB_GETITEMDATA answers CB_ERR for index CB_ERR, which the target gets as is.
    NMFILEFILTER nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    nm.hdr.code = FFN_SELCHANGE;
    nm.dwItemData = GetItemData(GetCurSel());
    Notify(&nm.hdr);
}
