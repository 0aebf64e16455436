#include "BitmapButton.h"

#include "Dc.h"
#include "String.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

CBitmapButton::~CBitmapButton() = default;

namespace {

// Replaces rBitmap by the resource; a null name empties it and counts as loaded.
BOOL LoadInto(CBitmap& rBitmap, LPCSTR lpszName)
{
    rBitmap.DeleteObject();
    if (!lpszName)
        return TRUE;
    return rBitmap.LoadBitmap(lpszName);
}

LPCSTR IdOrNull(UINT nID)
{
    return nID ? MAKEINTRESOURCEA(nID) : nullptr;
}

}  // namespace

BOOL CBitmapButton::LoadBitmaps(LPCSTR lpszBitmapResource, LPCSTR lpszBitmapResourceSel,
                                LPCSTR lpszBitmapResourceFocus, LPCSTR lpszBitmapResourceDisabled)
{
    if (!lpszBitmapResource) {
        LoadInto(m_bitmap, nullptr);
        return FALSE;
    }
    BOOL bOk = LoadInto(m_bitmap, lpszBitmapResource);
    bOk = LoadInto(m_bitmapSel, lpszBitmapResourceSel) && bOk;
    bOk = LoadInto(m_bitmapFocus, lpszBitmapResourceFocus) && bOk;
    bOk = LoadInto(m_bitmapDisabled, lpszBitmapResourceDisabled) && bOk;
    if (m_hWnd)
        Invalidate();
    return bOk;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel, UINT nIDBitmapResourceFocus,
                                UINT nIDBitmapResourceDisabled)
{
    return LoadBitmaps(IdOrNull(nIDBitmapResource), IdOrNull(nIDBitmapResourceSel), IdOrNull(nIDBitmapResourceFocus),
                       IdOrNull(nIDBitmapResourceDisabled));
}

BOOL CBitmapButton::AutoLoad(UINT nID, CWnd* pParent)
{
    if (!pParent || !SubclassDlgItem(nID, pParent))
        return FALSE;
    CString name;
    GetWindowText(name);
    if (name.IsEmpty())
        return FALSE;
    // Up and down are required; focus and disabled are taken when they exist.
    if (!LoadBitmaps(name + "U", name + "D"))
        return FALSE;
    m_bitmapFocus.LoadBitmap(name + "F");
    m_bitmapDisabled.LoadBitmap(name + "X");
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    BITMAP bm = {};
    if (!m_bitmap.m_hObject || !m_bitmap.GetBitmap(&bm) || !m_hWnd)
        return;
    SetWindowPos(nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS)
        return;
    CBitmap* pBitmap = &m_bitmap;
    UINT state = lpDIS->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.m_hObject)
        pBitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.m_hObject)
        pBitmap = &m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.m_hObject)
        pBitmap = &m_bitmapDisabled;
    if (!pBitmap->m_hObject)
        return;
    HDC hdcMem = ::CreateCompatibleDC(lpDIS->hDC);
    HGDIOBJ hOld = ::SelectObject(hdcMem, pBitmap->m_hObject);
    const RECT& rc = lpDIS->rcItem;
    ::BitBlt(lpDIS->hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
}

BOOL CBitmapButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}
