// qrvtool panel-image writes the viewer's panel image DIB; bad input ends with a message, writing nothing.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "imaging/BmpFile.h"
#include "tests/support/TestApp.h"
#include "tests/viewer/ViewerTestSupport.h"
#include "viewer/LeadViewerWnd.h"

using namespace viewertest;

namespace {

// The exit code, and standard output and standard error together.
struct ToolResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

// A palette of the test palettes as the tool reads it (the viewer gets the same colours).
template <size_t N> void WriteJasc(const std::string &path, const unsigned long (&colors)[N])
{
    FILE *f = fopen(path.c_str(), "w");
    ASSERT_NE(nullptr, f);
    fprintf(f, "JASC-PAL\n0100\n%u\n", static_cast<unsigned>(N));
    for (unsigned long c : colors)
        fprintf(f, "%lu %lu %lu\n", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    fclose(f);
}

// A conversion for the tool and the viewer: dither -1 is the viewer's, effects bit i is kEffects[i].
struct Settings {
    const char *name;
    int bits;
    bool palette, plx508;
    int dither, contrast, brightness;
    unsigned effects;
    int width, height;
};

// The on/off effects: the tool's option and the viewer's setting.
const struct {
    const char *option;
    void (CLeadViewerWnd::*enable)(int, int);
} kEffects[] = {
    {"smooth", &CLeadViewerWnd::EnableSmooth}, {"invert", &CLeadViewerWnd::EnableInvert},
    {"blur", &CLeadViewerWnd::EnableBlur},     {"sharpen", &CLeadViewerWnd::EnableSharpen},
    {"flip", &CLeadViewerWnd::EnableFlip},     {"mirror", &CLeadViewerWnd::EnableMirror},
};

const char *const kDitherNames[] = {"kein",  "Bayer",  "Floyd-Steinberg",    "Stucki",
                                    "Burke", "Sierra", "\"Stevenson Arce\"", "Jarvis"};

class PanelImageTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = qrvtest::FreshTempFolder("qrv-panel-image");
        m_in = m_dir + "\\bild.bmp";
        ASSERT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(m_in, GradientImage(160, 120)));
        WriteJasc(m_dir + "\\p16.pal", m_pal.pal16);
        WriteJasc(m_dir + "\\p256.pal", m_pal.pal256);
        WriteJasc(m_dir + "\\plx508.pal", m_pal.plx508);
    }
    // qrvtool panel-image run with the arguments, its output caught in a file of the test's own.
    ToolResult RunTool(const std::string &args)
    {
        static int nRuns = 0; // a file per run: the one before may still be open in the ending process
        const std::string log = m_dir + "\\tool" + std::to_string(++nRuns) + ".log";
        SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
        HANDLE hLog =
            ::CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = hLog;
        si.hStdError = hLog;
        PROCESS_INFORMATION pi = {};
        std::string line = "\"" + qrvtest::ProgramFolder() + "\\qrvtool.exe\" panel-image " + args;
        ToolResult result;
        if (::CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                             &si, &pi)) {
            ::WaitForSingleObject(pi.hProcess, 60000);
            ::GetExitCodeProcess(pi.hProcess, &result.exitCode);
            ::CloseHandle(pi.hThread);
            ::CloseHandle(pi.hProcess);
        }
        ::CloseHandle(hLog);
        const std::vector<uint8_t> output = ReadBytes(log);
        result.output.assign(output.begin(), output.end());
        return result;
    }
    std::string Args(const Settings &s, const std::string &out) const
    {
        std::string a = "\"" + m_in + "\" --out \"" + out + "\" --bits " + std::to_string(s.bits);
        if (s.palette)
            a += " --palette \"" + m_dir + (s.bits == 4 ? "\\p16.pal\"" : "\\p256.pal\"");
        if (s.plx508)
            a += " --plx508 \"" + m_dir + "\\plx508.pal\"";
        if (s.dither >= 0)
            a += std::string(" --dither ") + kDitherNames[s.dither];
        if (s.contrast)
            a += " --contrast " + std::to_string(s.contrast);
        if (s.brightness)
            a += " --brightness " + std::to_string(s.brightness);
        for (int i = 0; i < 6; ++i)
            if (s.effects >> i & 1)
                a += std::string(" --") + kEffects[i].option;
        if (s.width)
            a += " --size " + std::to_string(s.width) + "x" + std::to_string(s.height);
        return a;
    }
    // The viewer's panel image for the settings, as a host would ask for it.
    std::vector<uint8_t> ViewerPanelImage(CLeadViewerWnd &viewer, const Settings &s)
    {
        viewer.EnableSizeToFit(0);
        const bool pal16 = s.palette && s.bits == 4, pal256 = s.palette && s.bits == 8;
        viewer.SetColorInfo(s.bits, pal16 ? m_pal.pal16 : nullptr, pal256 ? m_pal.pal256 : nullptr,
                            s.plx508 ? m_pal.plx508 : nullptr, nullptr);
        viewer.SetImageSize(CSize(s.width, s.height));
        EXPECT_TRUE(viewer.LoadFile(m_in.c_str()));
        if (s.dither >= 0)
            viewer.SetDither(s.dither, 0);
        viewer.SetContrast(s.contrast, 0);
        viewer.SetBrightness(s.brightness, 0);
        for (int i = 0; i < 6; ++i)
            (viewer.*kEffects[i].enable)(int(s.effects >> i & 1), 0);
        viewer.EnablePlx508Mode(s.plx508, 0);
        HGLOBAL hDib = viewer.GetPanelImage();
        std::vector<uint8_t> bytes;
        if (hDib) {
            const uint8_t *p = static_cast<const uint8_t *>(::GlobalLock(hDib));
            bytes.assign(p, p + ::GlobalSize(hDib));
            ::GlobalUnlock(hDib);
            ::GlobalFree(hDib);
        }
        return bytes;
    }
    std::string m_dir, m_in;
    const TestPalettes m_pal;
};

} // namespace

// Each run's file equals the viewer's panel image; the first run takes two files and shows progress, the later
// ones overwrite with --force, and a run without it keeps the file and names every input it cannot read.
TEST_F(PanelImageTool, FilesEqualTheViewersPanelImage)
{
    const Settings cases[] = {
        {"vier-bit", 4, true, false, 2, 0, 0, 0, 0, 0},
        {"acht-bit", 8, true, false, 3, 200, -100, 0x03, 0, 0}, // smooth, invert
        {"plx508", 8, true, true, 2, 0, 0, 0, 0, 0},
        {"echtfarben", 16, false, false, -1, 0, 300, 0x3C, 100, 50}, // blur, sharpen, flip, mirror
        {"zwei-bit", 2, false, false, 1, -300, 0, 0x20, 64, 64},
        {"acht-farben-ohne-palette", 3, false, false, 7, 0, 0, 0x12, 0, 0}, // invert, flip
    };
    const std::string second = m_dir + "\\zweites.bmp";
    ASSERT_EQ(qrv::img::kOk, qrv::img::BmpFile::Save(second, GradientImage(40, 30)));
    const std::string out = m_dir + "\\ausgabe";
    // One viewer takes every case's settings in turn, as a host would.
    HostWindow host(320, 240);
    CLeadViewerWnd viewer;
    ASSERT_TRUE(viewer.Create(WS_CHILD, CRect(0, 0, 320, 240), &host, 1));
    std::vector<uint8_t> file;
    for (const Settings &s : cases) {
        const bool first = &s == cases;
        ToolResult r = RunTool(first ? "\"" + second + "\" " + Args(s, out) : Args(s, out) + " --force");
        ASSERT_EQ(0u, r.exitCode) << s.name << ": " << r.output;
        file = ReadBytes(out + "\\bild.bmp");
        std::vector<uint8_t> dib = ViewerPanelImage(viewer, s);
        ASSERT_GT(dib.size(), 40u) << s.name;
        ASSERT_EQ(file.size(), dib.size() + sizeof(BITMAPFILEHEADER)) << s.name;
        EXPECT_EQ("BM", std::string(file.begin(), file.begin() + 2));
        EXPECT_TRUE(std::equal(dib.begin(), dib.end(), file.begin() + sizeof(BITMAPFILEHEADER))) << s.name;
        if (first) {
            EXPECT_NE(std::string::npos, r.output.find("[1/2]")) << r.output;
            EXPECT_NE(std::string::npos, r.output.find("[2/2]")) << r.output;
            EXPECT_GT(ReadBytes(out + "\\zweites.bmp").size(), 40u);
        }
    }
    ASSERT_TRUE(WriteBytes(m_dir + "\\kaputt.bmp", {'B', 'M', ' ', 'k', 'e', 'i', 'n'}));
    ToolResult r = RunTool("\"" + m_in + "\" \"" + m_dir + "\\kaputt.bmp\" \"" + m_dir +
                           "\\gibtsnicht.png\" --out \"" + out + "\" --bits 1");
    EXPECT_EQ(1u, r.exitCode) << r.output;
    for (const char *message : {"bild.bmp\" existiert schon", "kaputt.bmp\" kann nicht gelesen",
                                "gibtsnicht.png\" kann nicht gelesen"})
        EXPECT_NE(std::string::npos, r.output.find(message)) << r.output;
    EXPECT_EQ(file, ReadBytes(out + "\\bild.bmp")) << "the existing file is kept";
    EXPECT_TRUE(ReadBytes(out + "\\kaputt.bmp").empty());
    EXPECT_TRUE(ReadBytes(out + "\\gibtsnicht.bmp").empty());
}

TEST_F(PanelImageTool, BadOptionsOrPalettesEndWithAMessageAndWriteNothing)
{
    const std::string out = m_dir + "\\fehler", in = "\"" + m_in + "\" --out \"" + out + "\" --bits ";
    WriteJasc(m_dir + "\\p8.pal", m_pal.pal8);
    struct Case {
        std::string args;
        DWORD exitCode;
        const char *message;
    };
    const Case cases[] = {
        {in + "8 --farbe rot", 2, "unbekannte Option --farbe"},
        {in + "5", 2, "ungueltige Farbtiefe"},
        {in + "8 --dither Zufall", 2, "unbekanntes Dithering"},
        {in + "8 --palette \"" + m_dir + "\\p8.pal\"", 1, "hat 8 Farben, erwartet 256"},
        {in + "8 --palette \"" + m_dir + "\\fehlt.pal\"", 1, "kann nicht gelesen werden"},
    };
    for (const Case &c : cases) {
        ToolResult r = RunTool(c.args);
        EXPECT_EQ(c.exitCode, r.exitCode) << c.args << "\n" << r.output;
        EXPECT_NE(std::string::npos, r.output.find(c.message)) << c.args << "\n" << r.output;
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(out.c_str())) << "no output for bad input";
}
