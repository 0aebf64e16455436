// COleDropSource: the source side of a drag. The defaults end the drag when
// the left mouse button is released, cancel it on Escape, and leave the
// cursor to the platform.
#pragma once
#include "CmdTarget.h"
#include "Point.h"
#include "OleDataObject.h"

class CWnd;

class AFX_CORE_CLASS COleDropSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    ~COleDropSource() override;

    // FALSE cancels the drag before it starts; the default starts at once.
    virtual BOOL OnBeginDrag(CWnd* pWnd);
    // S_OK goes on, DRAGDROP_S_DROP drops, DRAGDROP_S_CANCEL cancels.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // DRAGDROP_S_USEDEFAULTCURSORS, or S_OK after setting a cursor of its own.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);

    // The IDropSource interface (not AddRef'ed) that DoDragDrop hands to OLE.
    LPDROPSOURCE GetDropSource();

    // The rectangle (screen) the mouse must leave before the drag starts.
    CRect m_rectStartDrag;

private:
    class XDropSource;
    XDropSource* m_pDropSource;
};
