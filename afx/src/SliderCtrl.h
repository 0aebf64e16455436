// CSliderCtrl: the trackbar control.
#pragma once
#include "Wnd.h"
#include <commctrl.h>

class AFX_CORE_CLASS CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() = default;
    ~CSliderCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }
    int SetLineSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, nSize)); }
    int GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
    int SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, bRedraw, nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) { SetRangeMin(nMin, FALSE); SetRangeMax(nMax, bRedraw); }
    void GetSelection(int& nMin, int& nMax) const;
    void SetSelection(int nMin, int nMax) { SendMessage(TBM_SETSELSTART, FALSE, nMin); SendMessage(TBM_SETSELEND, TRUE, nMax); }
    void ClearSel(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARSEL, bRedraw); }
    void GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(lprc)); }
    void GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(lprc)); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    UINT GetNumTics() const { return static_cast<UINT>(SendMessage(TBM_GETNUMTICS)); }
    int GetTic(int nTic) const { return static_cast<int>(SendMessage(TBM_GETTIC, static_cast<WPARAM>(nTic))); }
    int GetTicPos(int nTic) const { return static_cast<int>(SendMessage(TBM_GETTICPOS, static_cast<WPARAM>(nTic))); }
    BOOL SetTic(int nTic) { return static_cast<BOOL>(SendMessage(TBM_SETTIC, 0, nTic)); }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(nFreq)); }
    void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw); }
    CWnd* SetBuddy(CWnd* pWndBuddy, BOOL fLocation = TRUE)
    { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TBM_SETBUDDY, fLocation, reinterpret_cast<LPARAM>(AfxHwndOf(pWndBuddy))))); }
    CWnd* GetBuddy(BOOL fLocation = TRUE) const { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TBM_GETBUDDY, fLocation))); }
};
