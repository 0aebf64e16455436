// CFileListDropTarget: the OLE drop target of a file list tree. It passes
// each step of a drag over the tree to the tree's own drag feedback; the drop
// itself reaches the tree as the shell's dropped-files message.
#pragma once
#include <afxole.h>

class AFX_EXT_CLASS CFileListDropTarget : public COleDropTarget
{
public:
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
};
