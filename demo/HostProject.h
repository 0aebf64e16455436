// The demo host's project, as the document keeps and stores it: the panel's
// colour depth (1, 2, 3, 4, 8 or 16 bits, or 8 bits in the Plx508 wiring),
// the controller's driver module and mode, and the folder of pictures with
// the picture shown.
#pragma once
#include <afxwin.h>

struct CHostProject
{
    int nColorBits = 8;
    bool bPlx508 = false;
    CString strDriverDll;
    int nControllerMode = 0;
    CString strPictureFolder;   // with the final backslash
    CString strPicture;         // a file name in the folder, or empty

    static bool IsValidDepth(int nBits) { return nBits == 1 || nBits == 2 || nBits == 3 || nBits == 4 || nBits == 8 || nBits == 16; }
    // "8 Bit (256 Farben)" or "Plx508 (256 Farben)".
    CString DepthText() const;
    bool operator==(const CHostProject& other) const;
    bool operator!=(const CHostProject& other) const { return !(*this == other); }
};
