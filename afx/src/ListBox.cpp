#include "ListBox.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::~CListBox()
{
    DestroyWindow();
}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int nLen = GetTextLen(nIndex);
    if (nLen == LB_ERR) {
        rString.Empty();
        return;
    }
    nLen = GetText(nIndex, rString.GetBuffer(nLen + 1));
    rString.ReleaseBuffer(nLen == LB_ERR ? 0 : nLen);
}

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    return static_cast<int>(bSelect ? SendMessage(LB_SELITEMRANGEEX, static_cast<WPARAM>(nFirstItem), nLastItem)
                                    : SendMessage(LB_SELITEMRANGEEX, static_cast<WPARAM>(nLastItem), nFirstItem));
}
