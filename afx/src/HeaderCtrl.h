// CHeaderCtrl: the header control (also the column header of a list view).
#pragma once
#include "Wnd.h"
#include <commctrl.h>

class CImageList;

class AFX_CORE_CLASS CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() = default;
    ~CHeaderCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const { return static_cast<BOOL>(SendMessage(HDM_GETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem))); }
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem) { return static_cast<BOOL>(SendMessage(HDM_SETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem))); }
    int InsertItem(int nPos, HDITEMA* phdi) { return static_cast<int>(SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi))); }
    BOOL DeleteItem(int nPos) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(nPos))); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect))); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout))); }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo))); }
    int OrderToIndex(int nOrder) const { return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(nOrder))); }
    BOOL GetOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetOrderArray(int iCount, LPINT piArray) { return static_cast<BOOL>(SendMessage(HDM_SETORDERARRAY, static_cast<WPARAM>(iCount), reinterpret_cast<LPARAM>(piArray))); }
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
};
