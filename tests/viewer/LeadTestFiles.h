// Pictures, palettes and image files (written through WIC and GDI) of the viewer tests, fuzz and soak.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "imaging/Image.h"

namespace leadtest {

// Writes the 24-bit or 8-bit indexed image with the container's WIC encoder at dpi dots per inch.
bool WriteWicFile(const std::string &path, const GUID &container, const qrv::img::Image &image, double dpi);

// An enhanced metafile 1 x 0.5 inch whose left half is a red rectangle.
bool WriteEmfFile(const std::string &path);
// A placeable metafile of the same picture (1440 units per inch).
bool WritePlaceableWmfFile(const std::string &path);

// The files of every format the imaging control reads: PNG, JPEG, GIF, TIFF and BMP files of the
// true-colour picture ("a.") or the indexed one ("p."), and the two metafiles above.
inline const char *const kPictureFiles[] = {"a.png", "p.png", "a.jpg", "p.gif", "a.tif",
                                            "p.tif", "a.bmp", "p.bmp", "a.emf", "a.wmf"};
// Writes them into dir (ending in a backslash), the raster files at dpi dots per inch.
bool WritePictureFiles(const std::string &dir, const qrv::img::Image &rgb, const qrv::img::Image &indexed,
                       double dpi);

std::vector<uint8_t> ReadBytes(const std::string &path);
bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes);

// A w x h image of 24 or 32 bits whose pixel (x, y) is f(x, y) as 0x00RRGGBB.
template <class F> qrv::img::Image TrueColor(int w, int h, F f, int bits = 24)
{
    qrv::img::Image img;
    img.Create(w, h, bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t rgb = f(x, y);
            uint8_t *p = img.Row(y) + bits / 8 * x;
            p[0] = uint8_t(rgb), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb >> 16);
        }
    return img;
}

// A 24-bit test picture with distinct colours along both axes.
qrv::img::Image GradientImage(int w, int h);
// An indexed picture whose palette holds `colors` entries (0: 2^bits), pixel (3x + y) mod that count.
qrv::img::Image IndexedImage(int w, int h, int bits = 8, int colors = 0);

// Panel palettes of 16, 256 and 8 colours and a Plx508 palette, all distinct.
struct TestPalettes {
    TestPalettes();
    unsigned long pal16[16];
    unsigned long pal256[256];
    unsigned long plx508[256];
    unsigned long pal8[8];
};

} // namespace leadtest
