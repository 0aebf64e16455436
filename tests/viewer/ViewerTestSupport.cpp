#include "tests/viewer/ViewerTestSupport.h"

#include <cstdio>

namespace viewertest {

namespace {
std::string Fmt(const char* pszFormat, ...)
{
    char sz[256];
    va_list args;
    va_start(args, pszFormat);
    vsnprintf(sz, sizeof(sz), pszFormat, args);
    va_end(args);
    return sz;
}
}  // namespace

short RecordingLead::Load(LPCSTR pszFileName, short nBits, long nPage, long nPages)
{
    Log(Fmt("Load(%d,%ld,%ld)", nBits, nPage, nPages));
    return CLead::Load(pszFileName, nBits, nPage, nPages);
}

short RecordingLead::GetFileInfo(LPCSTR pszFileName, long nPage, long nFlags)
{
    Log(Fmt("GetFileInfo(%ld,%ld)", nPage, nFlags));
    return m_bFakeInfo ? 0 : CLead::GetFileInfo(pszFileName, nPage, nFlags);
}

short RecordingLead::GetInfoFormat() { return m_bFakeInfo ? m_fake.nFormat : CLead::GetInfoFormat(); }
float RecordingLead::GetInfoWidth() { return m_bFakeInfo ? m_fake.fWidth : CLead::GetInfoWidth(); }
float RecordingLead::GetInfoHeight() { return m_bFakeInfo ? m_fake.fHeight : CLead::GetInfoHeight(); }
long RecordingLead::GetInfoXRes() { return m_bFakeInfo ? m_fake.nXRes : CLead::GetInfoXRes(); }
long RecordingLead::GetInfoYRes() { return m_bFakeInfo ? m_fake.nYRes : CLead::GetInfoYRes(); }

void RecordingLead::SetWMFResolution(long nDpi)
{
    Log(Fmt("SetWMFResolution(%ld)", nDpi));
    CLead::SetWMFResolution(nDpi);
}

void RecordingLead::SetBitmap(HBITMAP hBitmap)
{
    Log(hBitmap ? "SetBitmap" : "SetBitmap(null)");
    CLead::SetBitmap(hBitmap);
}

HGLOBAL RecordingLead::GetDIB()
{
    Log("GetDIB");
    return CLead::GetDIB();
}

short RecordingLead::SetDIB(HGLOBAL hDib)
{
    Log("SetDIB");
    return CLead::SetDIB(hDib);
}

short RecordingLead::Median(short n) { Log(Fmt("Median(%d)", n)); return CLead::Median(n); }
short RecordingLead::Average(short n) { Log(Fmt("Average(%d)", n)); return CLead::Average(n); }
short RecordingLead::Sharpen(short n) { Log(Fmt("Sharpen(%d)", n)); return CLead::Sharpen(n); }
short RecordingLead::Intensity(short n) { Log(Fmt("Intensity(%d)", n)); return CLead::Intensity(n); }
short RecordingLead::Contrast(short n) { Log(Fmt("Contrast(%d)", n)); return CLead::Contrast(n); }
short RecordingLead::Invert() { Log("Invert"); return CLead::Invert(); }
short RecordingLead::Flip() { Log("Flip"); return CLead::Flip(); }
short RecordingLead::Reverse() { Log("Reverse"); return CLead::Reverse(); }

short RecordingLead::Size(float w, float h, short nFlags)
{
    Log(Fmt("Size(%d,%d,%d)", int(w), int(h), nFlags));
    return CLead::Size(w, h, nFlags);
}

short RecordingLead::ColorRes(short nBits, short nPalette, short nDither, short nColors)
{
    Log(Fmt("ColorRes(%d,%d,%d,%d)", nBits, nPalette, nDither, nColors));
    return CLead::ColorRes(nBits, nPalette, nDither, nColors);
}

void RecordingLead::SetForePalette(BOOL bFore) { Log(Fmt("SetForePalette(%d)", bFore)); CLead::SetForePalette(bFore); }
void RecordingLead::SetPaintPalette(short n) { Log(Fmt("SetPaintPalette(%d)", n)); CLead::SetPaintPalette(n); }
void RecordingLead::SetPaintDither(short n) { Log(Fmt("SetPaintDither(%d)", n)); CLead::SetPaintDither(n); }
void RecordingLead::SetPaintSizeMode(short n) { Log(Fmt("SetPaintSizeMode(%d)", n)); CLead::SetPaintSizeMode(n); }
void RecordingLead::SetAutoRepaint(BOOL b) { Log(Fmt("SetAutoRepaint(%d)", b)); CLead::SetAutoRepaint(b); }
void RecordingLead::SetAutoSetRects(BOOL b) { Log(Fmt("SetAutoSetRects(%d)", b)); CLead::SetAutoSetRects(b); }
void RecordingLead::SetAutoSize(BOOL b) { Log(Fmt("SetAutoSize(%d)", b)); CLead::SetAutoSize(b); }
void RecordingLead::SetBackErase(BOOL b) { Log(Fmt("SetBackErase(%d)", b)); CLead::SetBackErase(b); }
void RecordingLead::SetBackColor(COLORREF cr) { Log(Fmt("SetBackColor(0x%06lX)", (unsigned long)cr)); CLead::SetBackColor(cr); }
short RecordingLead::ForceRepaint() { Log("ForceRepaint"); return CLead::ForceRepaint(); }

Journal Only(const Journal& journal, const std::vector<std::string>& prefixes)
{
    Journal out;
    for (const std::string& s : journal)
        for (const std::string& p : prefixes)
            if (s.compare(0, p.size(), p) == 0) {
                out.push_back(s);
                break;
            }
    return out;
}

std::string Last(const Journal& journal, const std::string& prefix)
{
    for (auto it = journal.rbegin(); it != journal.rend(); ++it)
        if (it->compare(0, prefix.size(), prefix) == 0)
            return *it;
    return "";
}

qrv::img::Image ColorfulImage(int w, int h, int n)
{
    qrv::img::Image img;
    img.Create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int k = (y * w + x) % n;
            uint8_t* p = img.Row(y) + 3 * x;
            p[0] = uint8_t(k * 37);
            p[1] = uint8_t(k * 91);
            p[2] = uint8_t(255 - k * 13);
        }
    return img;
}

qrv::img::Image IndexedImage(int w, int h, int bits)
{
    qrv::img::Image img;
    img.Create(w, h, bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.SetIndex(x, y, (x + y) % (1 << bits));
    return img;
}

std::string TempFolder()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    std::string folder = std::string(szTemp) + "qrv_viewer_tests\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace viewertest
