// qrvtool panel-image: pictures converted for a panel without any window,
// through the viewer's own panel image function (CPanelImage) and its way of
// loading files, so that the files equal what the image viewer shows and copies.
#include "tools/qrvtool/PanelImage.h"
#include "imaging/BmpFile.h"
#include "tools/qrvtool/PaletteFile.h"
#include "viewer/Lead.h"
#include "viewer/PanelImage.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

// The dither names of the viewer's image page, in the order of its list.
const char* const kDitherNames[CPanelSettings::ditherCount] = {"kein", "Bayer", "Floyd-Steinberg", "Stucki", "Burke", "Sierra",
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
    for (int i = 0; i < CPanelSettings::ditherCount; ++i)
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

const unsigned long* Ptr(const std::vector<unsigned long>& v) { return v.empty() ? nullptr : v.data(); }

// The settings of the options, as the viewer's setters would leave them.
CPanelSettings SettingsOf(const Options& o, const Palettes& palettes)
{
    CPanelSettings s;
    s.nColorBits = o.bits;
    s.pPal16 = Ptr(palettes.colors16);
    s.pPal256 = Ptr(palettes.colors256);
    s.pPalPlx508 = Ptr(palettes.plx508);
    s.pPal8 = Ptr(palettes.colors8);
    s.nContrast = o.contrast;
    s.nBrightness = o.brightness;
    s.bSmooth = o.smooth;
    s.bInvert = o.invert;
    s.bBlur = o.blur;
    s.bSharpen = o.sharpen;
    s.bFlip = o.flip;
    s.bMirror = o.mirror;
    s.bPlx508Mode = !palettes.plx508.empty();
    return s;
}

// The panel image of one file at the requested size (the picture's own
// without one); false when the file cannot be read.
bool Convert(const std::string& input, const Options& o, CPanelSettings settings, qrv::img::Image& out)
{
    CLead source;
    if (CPanelImage::LoadSource(source, input.c_str()) != CLead::errNone)
        return false;
    settings.nDither = o.dither >= 0 ? o.dither : CPanelImage::GetInitialDither(source.GetColorCount(), o.bits);
    const qrv::img::Image& image = source.GetImage();
    const CSize size = o.width > 0 ? CSize(o.width, o.height) : CSize(image.Width(), image.Height());
    return CPanelImage::Build(image, settings, size, out) == qrv::img::kOk;
}

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

    const CPanelSettings settings = SettingsOf(o, palettes);
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
        qrv::img::Image panel;
        if (!Convert(input, o, settings, panel)) {
            Fail("\"%s\" kann nicht gelesen werden", input.c_str());
            ++failures;
            continue;
        }
        if (qrv::img::BmpFile::Save(output, panel) != qrv::img::kOk) {
            ::DeleteFileA(output.c_str());
            Fail("\"%s\" kann nicht geschrieben werden", output.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
