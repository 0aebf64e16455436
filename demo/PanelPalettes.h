// The operator panels' palettes the demo hands to the viewer, as a host
// would: 16, 256 and 8 colours, and the 256 colours of the Plx508 mode, all
// 0x00BBGGRR; and the names of the selectable colour depths.
#pragma once
#include <afxwin.h>

class CPanelPalettes
{
public:
    static const unsigned long* Pal16();
    static const unsigned long* Pal256();
    static const unsigned long* PalPlx508();
    static const unsigned long* Pal8();
    // "16 Farben", "256 Farben", "65536 Farben": 4, 8 and 16 bits.
    static CStringArray* ColorNames();
};
