// CAnimateCtrl: the common animation control, which plays an AVI clip
// (uncompressed or RLE, without sound) from a file or an "AVI" resource.
#pragma once
#include "Wnd.h"
#include <commctrl.h>

class AFX_CORE_CLASS CAnimateCtrl : public CWnd
{
    DECLARE_DYNAMIC(CAnimateCtrl)
public:
    CAnimateCtrl() = default;
    ~CAnimateCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The clip of a file, or of the "AVI" resource nID (found through the
    // resource chain). FALSE when it cannot be read.
    BOOL Open(LPCSTR lpszFileName);
    BOOL Open(UINT nID);
    // Frames nFrom..nTo (0xFFFF: the last), nRep times (-1: until Stop).
    BOOL Play(UINT nFrom, UINT nTo, UINT nRep)
    { return (BOOL)SendMessage(ACM_PLAY, nRep, MAKELPARAM(nFrom, nTo)); }
    BOOL Stop() { return (BOOL)SendMessage(ACM_STOP); }
    BOOL Close() { return (BOOL)SendMessage(ACM_OPENA, 0, 0); }
    // Shows frame nTo.
    BOOL Seek(UINT nTo) { return (BOOL)SendMessage(ACM_PLAY, 1, MAKELPARAM(nTo, nTo)); }
};
