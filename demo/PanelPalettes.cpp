#include "PanelPalettes.h"

namespace {
constexpr unsigned long Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

// The 16 colours of a VGA-style panel, in the usual order.
const unsigned long kPal16[16] = {
    Rgb(0, 0, 0),     Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
    Rgb(0, 0, 128),   Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(255, 0, 0), Rgb(0, 255, 0),   Rgb(255, 255, 0),
    Rgb(0, 0, 255),   Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};

const unsigned long kPal8[8] = {Rgb(0, 0, 0),   Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
                                Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};

struct Tables {
    unsigned long pal256[256];
    unsigned long plx508[256];
    Tables()
    {
        // A colour panel's 256 colours: the 16 standard colours, a 6 x 6 x 6
        // cube and 24 greys between them.
        int n = 0;
        for (unsigned long c : kPal16)
            pal256[n++] = c;
        for (unsigned r = 0; r < 6; ++r)
            for (unsigned g = 0; g < 6; ++g)
                for (unsigned b = 0; b < 6; ++b)
                    pal256[n++] = Rgb(r * 51, g * 51, b * 51);
        for (unsigned k = 0; n < 256; ++k, ++n) {
            unsigned v = 8 + k * 10;
            pal256[n] = Rgb(v, v, v);
        }
        // The Plx508 display wires its 8 bits as 3 red, 3 green and 2 blue.
        for (unsigned i = 0; i < 256; ++i)
            plx508[i] = Rgb((i >> 5) * 255 / 7, ((i >> 2) & 7) * 255 / 7, (i & 3) * 255 / 3);
    }
};

const Tables& TheTables()
{
    static const Tables tables;
    return tables;
}
}

const unsigned long* CPanelPalettes::Pal16() { return kPal16; }
const unsigned long* CPanelPalettes::Pal256() { return TheTables().pal256; }
const unsigned long* CPanelPalettes::PalPlx508() { return TheTables().plx508; }
const unsigned long* CPanelPalettes::Pal8() { return kPal8; }

CStringArray* CPanelPalettes::ColorNames()
{
    static CStringArray names;
    if (names.GetSize() == 0) {
        names.Add("16 Farben");
        names.Add("256 Farben");
        names.Add("65536 Farben");
    }
    return &names;
}
