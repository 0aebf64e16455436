// NMVIEWER: what the main viewer window reports to its owner through WM_NOTIFY.
#pragma once
#include <afxwin.h>

class CViewerWnd;

#define VWN_ACTIVATE    1001   // a viewer became current: pViewer
#define VWN_DEACTIVATE  1002   // the current viewer is about to be replaced: pViewer
#define VWN_CONTEXTMENU 1003   // context menu asked for over the pane: x, y (screen)

struct NMVIEWER
{
    NMHDR hdr;
    union
    {
        CViewerWnd* pViewer;
        struct
        {
            int x;
            int y;
        } pt;
    };
};
typedef NMVIEWER* LPNMVIEWER;
