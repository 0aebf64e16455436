#include "FileListDropTarget.h"
#include "FileListTree.h"

namespace {

CFileListTree* FileListTreeOf(CWnd* pWnd)
{
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CFileListTree)) ? static_cast<CFileListTree*>(pWnd) : nullptr;
}

}  // namespace

DROPEFFECT CFileListDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CFileListTree* pTree = FileListTreeOf(pWnd);
    return pTree ? pTree->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CFileListDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CFileListTree* pTree = FileListTreeOf(pWnd);
    return pTree ? pTree->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void CFileListDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CFileListTree* pTree = FileListTreeOf(pWnd))
        pTree->OnDragLeave();
}
