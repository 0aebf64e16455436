// Panel -> Grafik Einstellungen: the library's image settings dialog on the
// 16-bit sample bitmap for the project's panel.
#pragma once
#include <afxwin.h>

class CImageSettingsDemo
{
public:
    // Modal; after OK tells what the panel gets.
    static void Run(CWnd* pParent, int nColorBits);
    // The dialog created modeless and shown, for a picture of it; null if
    // the sample is missing. DestroyWindow, then delete, after use.
    static CDialog* Open(CWnd* pParent, int nColorBits);
};
