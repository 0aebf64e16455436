// CResize: keeps the controls of a dialog-like window laid out while the user
// drags its frame. Every registered control carries four fractions saying how
// far each of its edges follows the change of the window's width or height;
// positions are kept in single precision, so halves of pixels add up over
// several size changes instead of being lost. It also supplies the tracking
// limits, a size grip and the saving of the window placement.
#pragma once
#include <afxwin.h>
#include "framework/RealRect.h"

class AFX_EXT_CLASS CResize
{
public:
    enum EFlags
    {
        SZ_NOSIZEICON = 1,         // no size grip
        SZ_NOHORISONTAL = 2,       // fixed width
        SZ_NOVERTICAL = 4,         // fixed height
        SZ_NOMINSIZE = 8,          // the initial size is not the minimum size
        SZ_NOCLIPCHILDREN = 16,    // the parent keeps its clip-children style as it is
        SZ_NOTRANSPARENTGROUP = 32 // group boxes and the like keep their extended style
    };

    // One registered control.
    class CItem
    {
    public:
        CItem(CWnd* pWnd, const REALRECT& rrcSizing, const REALRECT& rrcWindow, BOOL bDeleteWnd);
        ~CItem();

        CWnd* m_pWnd;
        CRealRect m_rrcSizing;
        CRealRect m_rrcWindow;
        int m_bDeleteWnd;
    };

    CResize(CWnd* pWnd, UINT nFlags = 0);
    virtual ~CResize();

    void SetResize(UINT nID, const REALRECT& rrcSizing);
    void SetResize(UINT nID, float left, float top, float right, float bottom);
    // Applies exactly the first four entries; the array must hold at least four.
    void SetResize(const SIZING* arrSizing);

    void SetMinSize(CSize sz) { m_szMin = sz; }
    void SetMaxSize(CSize sz) { m_szMax = sz; }

    BOOL LoadPlacement(LPCSTR pszSection);
    BOOL SavePlacement(LPCSTR pszSection);

    int HasFlag(EFlags flag) const { return (m_nFlags & flag) != 0; }

protected:
    // An item for a window object with a given starting rectangle; no
    // duplicate check, no button treatment, the object stays the caller's.
    void SetResize(CWnd* pWnd, const CRealRect& rrcSizing, CRect rcWindow);

    void Init();
    void Size();
    void GetMinMaxInfo(MINMAXINFO* pMMI);

    CWnd* m_pWnd;
    UINT m_nFlags;
    CPtrArray m_arrItems;
    CRect m_rcWindow;
    CSize m_szMin;
    CSize m_szMax;
    CStatic* m_pSizeIcon;
    CBitmap m_bmSizeIcon;

private:
    CItem* GetItem(int nIndex) const { return static_cast<CItem*>(m_arrItems[nIndex]); }
    CItem* FindItem(UINT nID) const;
    void AddItem(CItem* pItem);
    void MakeTransparent(CWnd* pWnd) const;
    void CreateSizeIcon();
    BOOL Defer(HDWP& hdwp, CItem* pItem, int dx, int dy);

    CResize(const CResize&) = delete;
    CResize& operator=(const CResize&) = delete;
};
