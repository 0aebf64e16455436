// qrvtool panel-image: pictures converted for a panel without a window on
// screen, through the viewer's own panel image (CLeadViewerWnd::GetPanelImage),
// so that the files equal what the image viewer shows and copies.
#include "tools/qrvtool/PanelImage.h"
#include "tools/qrvtool/PaletteFile.h"
#include "viewer/LeadViewerWnd.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

// The dither names of the viewer's image page, in the order of its list.
const char* const kDitherNames[] = {"kein", "Bayer", "Floyd-Steinberg", "Stucki", "Burke", "Sierra",
                                    "Stevenson Arce", "Jarvis"};

struct Options
{
    std::vector<std::string> inputs;
    std::string outDir;
    int bits = 0;
    std::string palette, plx508;
    int dither = -1;             // -1: the viewer's choice by colour count
    int contrast = 0, brightness = 0;
    bool smooth = false, invert = false, blur = false, sharpen = false, flip = false, mirror = false;
    int width = 0, height = 0;   // 0 x 0: the source size
    bool force = false;
};

int Fail(const char* format, const char* arg = "")
{
    fprintf(stderr, "qrvtool panel-image: ");
    fprintf(stderr, format, arg);
    fprintf(stderr, "\n");
    return 1;
}

bool ParseInt(const char* text, int& value)
{
    char* end = nullptr;
    long v = strtol(text, &end, 10);
    if (!text[0] || *end || v < -100000 || v > 100000)
        return false;
    value = static_cast<int>(v);
    return true;
}

int DitherIndex(const char* name)
{
    for (int i = 0; i < 8; ++i)
        if (_stricmp(name, kDitherNames[i]) == 0)
            return i;
    return -1;
}

// Reads the command line; an empty result means success, else the message.
std::string ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        auto flag = [&](const char* name, bool& target) { if (a == name) { target = true; return true; } return false; };
        if (flag("--smooth", o.smooth) || flag("--invert", o.invert) || flag("--blur", o.blur)
            || flag("--sharpen", o.sharpen) || flag("--flip", o.flip) || flag("--mirror", o.mirror)
            || flag("--force", o.force))
            continue;
        if (a.compare(0, 2, "--") != 0) {
            o.inputs.push_back(a);
            continue;
        }
        if (!hasValue)
            return "Option " + a + " braucht einen Wert";
        const char* v = argv[++i];
        if (a == "--out") o.outDir = v;
        else if (a == "--palette") o.palette = v;
        else if (a == "--plx508") o.plx508 = v;
        else if (a == "--bits") {
            if (!ParseInt(v, o.bits) || (o.bits != 1 && o.bits != 2 && o.bits != 3 && o.bits != 4 && o.bits != 8 && o.bits != 16))
                return std::string("ungueltige Farbtiefe \"") + v + "\" (1, 2, 3, 4, 8 oder 16)";
        } else if (a == "--dither") {
            if ((o.dither = DitherIndex(v)) < 0)
                return std::string("unbekanntes Dithering \"") + v + "\"";
        } else if (a == "--contrast") {
            if (!ParseInt(v, o.contrast)) return std::string("ungueltiger Kontrast \"") + v + "\"";
        } else if (a == "--brightness") {
            if (!ParseInt(v, o.brightness)) return std::string("ungueltige Helligkeit \"") + v + "\"";
        } else if (a == "--size") {
            if (sscanf(v, "%dx%d", &o.width, &o.height) != 2 || o.width <= 0 || o.height <= 0 || o.width > 16384 || o.height > 16384)
                return std::string("ungueltige Groesse \"") + v + "\" (BREITExHOEHE)";
        } else
            return "unbekannte Option " + a;
    }
    if (o.inputs.empty()) return "keine Eingabedatei";
    if (o.outDir.empty()) return "--out fehlt";
    if (o.bits == 0) return "--bits fehlt";
    return std::string();
}

// The file name of the output: the input's name without folder and
// extension, with ".bmp", in the output folder.
std::string OutputPath(const std::string& outDir, const std::string& input)
{
    size_t slash = input.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? input : input.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    std::string dir = outDir;
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    return dir + name + ".bmp";
}

// A DIB as a BMP file: the 14-byte file header, then the DIB's bytes.
bool WriteDibFile(const std::string& path, HGLOBAL hDib)
{
    const SIZE_T size = ::GlobalSize(hDib);
    const BYTE* dib = static_cast<const BYTE*>(::GlobalLock(hDib));
    if (!dib || size < sizeof(BITMAPINFOHEADER)) {
        if (dib) ::GlobalUnlock(hDib);
        return false;
    }
    const BITMAPINFOHEADER* bih = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    DWORD colours = bih->biClrUsed ? bih->biClrUsed : (bih->biBitCount <= 8 ? 1u << bih->biBitCount : 0);
    DWORD masks = bih->biCompression == BI_BITFIELDS ? 12 : 0;
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfSize = static_cast<DWORD>(sizeof(bfh) + size);
    bfh.bfOffBits = static_cast<DWORD>(sizeof(bfh) + bih->biSize + masks + colours * 4);
    FILE* f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(&bfh, sizeof(bfh), 1, f) == 1 && fwrite(dib, size, 1, f) == 1;
    if (f && fclose(f) != 0) ok = false;
    ::GlobalUnlock(hDib);
    if (!ok) ::DeleteFileA(path.c_str());
    return ok;
}

// The viewer configured as the options say, in a hidden window of its own.
class CPanelConverter
{
public:
    explicit CPanelConverter(const Options& o) : m_o(o), m_viewer(0) {}
    ~CPanelConverter()
    {
        if (m_viewer.m_hWnd) m_viewer.DestroyWindow();
        if (m_hParent) ::DestroyWindow(m_hParent);
    }

    bool Create(const Palettes& palettes)
    {
        m_hParent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        CRect rc(0, 0, 640, 480);
        if (!m_hParent || !m_viewer.Create(WS_CHILD, rc, CWnd::FromHandle(m_hParent), 1, nullptr))
            return false;
        m_palettes = palettes;
        m_viewer.EnableSizeToFit(0);
        m_viewer.SetColorInfo(m_o.bits, Ptr(m_palettes.colors16), Ptr(m_palettes.colors256), Ptr(m_palettes.plx508),
                              Ptr(m_palettes.colors8));
        if (m_o.width > 0)
            m_viewer.SetImageSize(CSize(m_o.width, m_o.height));
        return true;
    }

    // The panel image of one file, or null when the file cannot be read.
    HGLOBAL Convert(const std::string& input)
    {
        if (!m_viewer.LoadFile(input.c_str()))
            return nullptr;
        if (m_o.dither >= 0) m_viewer.SetDither(m_o.dither, 0);
        m_viewer.SetContrast(m_o.contrast, 0);
        m_viewer.SetBrightness(m_o.brightness, 0);
        m_viewer.EnableSmooth(m_o.smooth, 0);
        m_viewer.EnableInvert(m_o.invert, 0);
        m_viewer.EnableBlur(m_o.blur, 0);
        m_viewer.EnableSharpen(m_o.sharpen, 0);
        m_viewer.EnableFlip(m_o.flip, 0);
        m_viewer.EnableMirror(m_o.mirror, 0);
        m_viewer.EnablePlx508Mode(!m_palettes.plx508.empty(), 0);
        return m_viewer.GetPanelImage();
    }

private:
    static unsigned long* Ptr(std::vector<unsigned long>& v) { return v.empty() ? nullptr : v.data(); }

    const Options& m_o;
    Palettes m_palettes;
    HWND m_hParent = nullptr;
    CLeadViewerWnd m_viewer;
};

} // namespace

int PanelImage(int argc, char** argv)
{
    Options o;
    std::string error = ParseOptions(argc, argv, o);
    if (!error.empty()) {
        Fail("%s", error.c_str());
        fprintf(stderr, "usage: qrvtool panel-image IN... --out DIR --bits 1|2|3|4|8|16 [--palette DATEI] [--plx508 DATEI]\n"
                        "         [--dither kein|Bayer|Floyd-Steinberg|Stucki|Burke|Sierra|\"Stevenson Arce\"|Jarvis]\n"
                        "         [--contrast N] [--brightness N] [--smooth] [--invert] [--blur] [--sharpen] [--flip]\n"
                        "         [--mirror] [--size BxH] [--force]\n");
        return 2;
    }
    Palettes palettes;
    if (!LoadPalettes(o.bits, o.palette, o.plx508, palettes, error))
        return Fail("%s", error.c_str());
    if (::GetFileAttributesA(o.outDir.c_str()) == INVALID_FILE_ATTRIBUTES && !::CreateDirectoryA(o.outDir.c_str(), nullptr))
        return Fail("Ausgabeordner \"%s\" kann nicht angelegt werden", o.outDir.c_str());

    CPanelConverter converter(o);
    if (!converter.Create(palettes))
        return Fail("der Bildbetrachter kann nicht erzeugt werden");
    int failures = 0;
    const size_t count = o.inputs.size();
    for (size_t i = 0; i < count; ++i) {
        const std::string& input = o.inputs[i];
        const std::string output = OutputPath(o.outDir, input);
        if (count > 1)
            printf("[%u/%u] %s\n", static_cast<unsigned>(i + 1), static_cast<unsigned>(count), input.c_str());
        if (!o.force && ::GetFileAttributesA(output.c_str()) != INVALID_FILE_ATTRIBUTES) {
            Fail("\"%s\" existiert schon (--force ueberschreibt)", output.c_str());
            ++failures;
            continue;
        }
        HGLOBAL hDib = converter.Convert(input);
        if (!hDib) {
            Fail("\"%s\" kann nicht gelesen werden", input.c_str());
            ++failures;
            continue;
        }
        if (!WriteDibFile(output, hDib)) {
            Fail("\"%s\" kann nicht geschrieben werden", output.c_str());
            ++failures;
        }
        ::GlobalFree(hDib);
    }
    return failures ? 1 : 0;
}
