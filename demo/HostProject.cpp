#include "HostProject.h"
#include <stdlib.h>

namespace {
const char kHeading[] = "QRV-Demo-Projekt 1";

// The next line of text from pos on, without its line end; false at the end.
bool NextLine(const CString& text, int& pos, CString& line)
{
    if (pos >= text.GetLength())
        return false;
    int end = text.Find('\n', pos);
    if (end < 0)
        end = text.GetLength();
    line = text.Mid(pos, end - pos);
    line.TrimRight("\r");
    pos = end + 1;
    return true;
}

bool ParseInt(const CString& value, int nMin, int nMax, int& result)
{
    if (value.IsEmpty() || value.GetLength() > 6)
        return false;
    char* end = nullptr;
    long n = strtol(value, &end, 10);
    if (*end || n < nMin || n > nMax)
        return false;
    result = (int)n;
    return true;
}
}

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

CString CHostProject::Format() const
{
    CString text;
    text.Format("%s\r\nFarbtiefe=%d\r\nPlx508=%d\r\nTreiber=%s\r\nModus=%d\r\nBilder=%s\r\nBild=%s\r\n", kHeading,
                nColorBits, bPlx508 ? 1 : 0, (LPCSTR)strDriverDll, nControllerMode, (LPCSTR)strPictureFolder,
                (LPCSTR)strPicture);
    return text;
}

bool CHostProject::Parse(const CString& text)
{
    int pos = 0;
    CString line;
    if (!NextLine(text, pos, line) || line != kHeading)
        return false;
    CHostProject read;
    int plx = 0;
    while (NextLine(text, pos, line)) {
        if (line.IsEmpty())
            continue;
        int eq = line.Find('=');
        if (eq <= 0)
            return false;
        CString key = line.Left(eq), value = line.Mid(eq + 1);
        bool ok = true;
        if (key == "Farbtiefe")
            ok = ParseInt(value, 1, 16, read.nColorBits) && IsValidDepth(read.nColorBits);
        else if (key == "Plx508")
            ok = ParseInt(value, 0, 1, plx);
        else if (key == "Treiber")
            read.strDriverDll = value;
        else if (key == "Modus")
            ok = ParseInt(value, 0, 2, read.nControllerMode);
        else if (key == "Bilder")
            read.strPictureFolder = value;
        else if (key == "Bild")
            read.strPicture = value;
        else
            ok = false;
        if (!ok)
            return false;
    }
    read.bPlx508 = plx != 0;
    if (read.bPlx508 && read.nColorBits != 8)
        return false;
    *this = read;
    return true;
}
