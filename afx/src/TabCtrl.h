// CTabCtrl: the tab control.
#pragma once
#include "Wnd.h"
#include <commctrl.h>

class CImageList;

class AFX_CORE_CLASS CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;
    ~CTabCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    LONG InsertItem(int nItem, TCITEMA* pTabCtrlItem)
    { return static_cast<LONG>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))); }
    LONG InsertItem(int nItem, LPCSTR lpszItem);
    LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    LONG InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(nItem))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const
    { return static_cast<BOOL>(SendMessage(TCM_GETITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))); }
    BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem)
    { return static_cast<BOOL>(SendMessage(TCM_SETITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem))); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem))); }
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(nItem)); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const
    { return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect))); }
    // bLarger TRUE: the window rectangle for this display area; FALSE: the reverse.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(lpRect)); }
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const
    { return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo))); }
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
};
