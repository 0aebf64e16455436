// REALRECT, SIZING and CRealRect: four single-precision fractions (left, top,
// right, bottom) by which a control's edges follow a window's size change,
// or a rectangle kept in single precision so that fractions of a pixel carry
// over from one size change to the next.
#pragma once
#include <afxwin.h>

struct REALRECT
{
    float left;
    float top;
    float right;
    float bottom;
};

// One control id with its fractions, for the array form of CResize::SetResize.
struct SIZING
{
    UINT id;
    REALRECT rect;
};

class CRealRect : public REALRECT
{
public:
    CRealRect() { left = top = right = bottom = 0.0f; }
    CRealRect(float l, float t, float r, float b) { left = l; top = t; right = r; bottom = b; }
    CRealRect(const REALRECT& rr) : REALRECT(rr) {}
    explicit CRealRect(const RECT& rc)
    {
        left = (float)rc.left;
        top = (float)rc.top;
        right = (float)rc.right;
        bottom = (float)rc.bottom;
    }

    CRealRect& operator+=(const REALRECT& rr)
    {
        left += rr.left;
        top += rr.top;
        right += rr.right;
        bottom += rr.bottom;
        return *this;
    }
    bool operator==(const REALRECT& rr) const
    {
        return left == rr.left && top == rr.top && right == rr.right && bottom == rr.bottom;
    }
    bool operator!=(const REALRECT& rr) const { return !(*this == rr); }
};
