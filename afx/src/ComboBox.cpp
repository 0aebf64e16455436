#include "ComboBox.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::~CComboBox()
{
    DestroyWindow();
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLen = GetLBTextLen(nIndex);
    if (nLen == CB_ERR) {
        rString.Empty();
        return;
    }
    nLen = GetLBText(nIndex, rString.GetBuffer(nLen + 1));
    rString.ReleaseBuffer(nLen == CB_ERR ? 0 : nLen);
}
