// QRVBmpTreeCtrl: a tree control that draws its items over a picture from
// the library's resources. The picture is tiled behind the tree and scrolls
// with the items; whatever the tree paints in the window colour lets the
// picture through. Without a picture it is a plain tree control.
#pragma once
#include <afxcmn.h>

class AFX_EXT_CLASS QRVBmpTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(QRVBmpTreeCtrl)
public:
    QRVBmpTreeCtrl();
    ~QRVBmpTreeCtrl() override;

    // Loads the bitmap resource (low 16 bits of the id) and builds its
    // palette; an id that cannot be loaded leaves the tree without picture.
    void SetBitmap(UINT nIDResource);

    // The picture's palette; null while there is no picture.
    CPalette* GetPalette() { return m_pal.GetSafeHandle() ? &m_pal : nullptr; }

protected:
    afx_msg BOOL OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CPalette m_pal;
    CBitmap m_bitmap;
    int m_cxBitmap;
    int m_cyBitmap;

private:
    BOOL HasBitmap() const { return m_bitmap.GetSafeHandle() != nullptr; }
    void CreatePicturePalette(BITMAPINFOHEADER bih);
    void TilePicture(CDC* pDC, CDC* pPictureDC, const CRect& rcClient);
};
