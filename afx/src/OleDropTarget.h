// COleDropTarget: makes a window a target of OLE drags. Register binds it to
// the window; the virtual functions see every step of a drag over it with the
// point in the window's client coordinates and the dragged data wrapped in a
// COleDataObject. The defaults accept nothing.
#pragma once
#include "CmdTarget.h"
#include "Point.h"
#include "OleDataObject.h"

class CWnd;
class COleDataObject;

class AFX_CORE_CLASS COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    // FALSE when the window is already a target or OLE refuses it.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // dropEffect is what the last OnDragOver answered; TRUE when the data was taken.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // (DROPEFFECT)-1 (the default) lets OnDrop handle the drop.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    HWND GetWindowHandle() const { return m_hWnd; }
    LPDROPTARGET GetDropTarget();

private:
    class XDropTarget;
    friend class XDropTarget;

    HWND m_hWnd;
    LPDATAOBJECT m_lpDataObject;   // the data of the drag in progress
    XDropTarget* m_pDropTarget;
};
