#include "select/QRVFixedHeaderList.h"

QRVFixedHeaderList::QRVFixedHeaderList() {}

QRVFixedHeaderList::~QRVFixedHeaderList() {}

bool QRVFixedHeaderList::Init()
{
    // The list view's header is its child with control id 0.
    m_wndHeader.SubclassDlgItem(0, this);
    return true;
}

BOOL QRVFixedHeaderList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader != nullptr && (pHeader->code == HDN_BEGINTRACKA || pHeader->code == HDN_BEGINTRACKW))
    {
        *pResult = 1; // refuse the drag
        return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}
