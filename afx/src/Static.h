// CStatic: the STATIC control (labels, frames, pictures).
#pragma once
#include "Wnd.h"

class AFX_CORE_CLASS CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;
    ~CStatic() override;

    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);

    // The previous picture is returned; the caller still owns it.
    HBITMAP SetBitmap(HBITMAP hBitmap) { return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap))); }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)); }
    HICON SetIcon(HICON hIcon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0)); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON, 0, 0)); }
    HCURSOR SetCursor(HCURSOR hCursor) { return reinterpret_cast<HCURSOR>(SendMessage(STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(hCursor))); }
    HCURSOR GetCursor() { return reinterpret_cast<HCURSOR>(SendMessage(STM_GETIMAGE, IMAGE_CURSOR, 0)); }
    HENHMETAFILE SetEnhMetaFile(HENHMETAFILE hMetaFile) { return reinterpret_cast<HENHMETAFILE>(SendMessage(STM_SETIMAGE, IMAGE_ENHMETAFILE, reinterpret_cast<LPARAM>(hMetaFile))); }
    HENHMETAFILE GetEnhMetaFile() const { return reinterpret_cast<HENHMETAFILE>(SendMessage(STM_GETIMAGE, IMAGE_ENHMETAFILE, 0)); }
};
