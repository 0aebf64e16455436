// The demo's image menu: the picture preview, the image settings dialog on a
// sample bitmap, and, without a display, their screenshots.
#pragma once
#include <afxwin.h>

class CViewerDemo
{
public:
    // "Grafik Einstellungen" on the 16-bit sample bitmap for a 256-colour
    // panel; after OK tells what the panel gets.
    static void RunImageSettings(CWnd* pParent);
    // Writes the viewer-*.png and image-settings.png screenshots into the
    // folder; answers the number that failed.
    static int TakeScreenshots(CWnd* pParent, const CString& folder);

private:
    static int ShootViewer(CWnd* pParent, const CString& folder);
    static int ShootImageSettings(CWnd* pParent, const CString& folder);
};
