// CBitmapButton: an owner-drawn push button that shows one of up to four
// bitmaps for its state: up (required), down (pressed), focused and disabled.
// A state without a bitmap of its own shows the up bitmap. AutoLoad takes
// the bitmaps by name from the button's caption: "<caption>U", "D", "F", "X".
#pragma once
#include "Button.h"
#include "Bitmap.h"

class AFX_CORE_CLASS CBitmapButton : public CButton
{
    DECLARE_DYNAMIC(CBitmapButton)
public:
    CBitmapButton() = default;
    ~CBitmapButton() override;

    // Loads the bitmaps through the resource chain; FALSE when the up
    // bitmap or a named further one cannot be loaded.
    BOOL LoadBitmaps(LPCSTR lpszBitmapResource, LPCSTR lpszBitmapResourceSel = nullptr,
                     LPCSTR lpszBitmapResourceFocus = nullptr, LPCSTR lpszBitmapResourceDisabled = nullptr);
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0, UINT nIDBitmapResourceFocus = 0,
                     UINT nIDBitmapResourceDisabled = 0);
    // Takes over dialog control nID of pParent (which must be owner-drawn)
    // and loads the bitmaps named after its caption; the down and up ones are required.
    BOOL AutoLoad(UINT nID, CWnd* pParent);
    // Makes the button as large as its up bitmap.
    void SizeToContent();

    // Paints the bitmap of the state the item is in.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;

protected:
    // WM_DRAWITEM comes back from the parent to DrawItem.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
