#include "HostProject.h"

CString CHostProject::DepthText() const
{
    CString text;
    if (bPlx508)
        return "Plx508 (256 Farben)";
    text.Format("%d Bit (%ld Farben)", nColorBits, 1L << nColorBits);
    return text;
}

bool CHostProject::operator==(const CHostProject& other) const
{
    return nColorBits == other.nColorBits && bPlx508 == other.bPlx508 &&
           strDriverDll.CompareNoCase(other.strDriverDll) == 0 && nControllerMode == other.nControllerMode &&
           strPictureFolder.CompareNoCase(other.strPictureFolder) == 0 && strPicture.CompareNoCase(other.strPicture) == 0;
}
