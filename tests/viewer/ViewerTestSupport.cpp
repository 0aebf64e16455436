#include "tests/viewer/ViewerTestSupport.h"

#include <cstdio>

#include "viewer/PanelImage.h"

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

TestPalettes::TestPalettes()
{
    for (int i = 0; i < 16; ++i)
        pal16[i] = RGB(i * 17, 255 - i * 17, (i * 50) & 255);
    for (int i = 0; i < 256; ++i) {
        pal256[i] = RGB(i, i, i);
        plx508[i] = RGB(i, 255 - i, (i * 7) & 255);
    }
    for (int i = 0; i < 8; ++i)
        pal8[i] = RGB((i & 1) * 255, ((i >> 1) & 1) * 255, ((i >> 2) & 1) * 255);
}

bool PanelShowsItsSettings(CLeadViewerWnd& viewer)
{
    const qrv::img::Image& shown = viewer.GetPanelCtrl()->GetImage();
    qrv::img::Image expected;
    CPanelImage::Build(viewer.GetSourceCtrl()->GetImage(), viewer.GetPanelSettings(),
                       CSize(shown.Width(), shown.Height()), expected);
    return !shown.Empty() && expected == shown;
}

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
