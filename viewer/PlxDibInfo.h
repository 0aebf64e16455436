// sPLXDIBINFO: the record offered on the clipboard under "PlxDibInfo" beside
// the viewer's panel image, so that a paste can save the bitmap under the
// image's name and depth. Byte-packed, little-endian, 300 bytes on every target.
// CPlxDibInfo is its one home: the registered format and the record's way into
// and out of clipboard memory, for the viewer that offers it and the file list
// that pastes it.
#pragma once
#include <afxwin.h>
#include <stddef.h>

#pragma pack(push, 1)
struct sPLXDIBINFO
{
    char szFileName[260];      // the viewer's file, NUL-terminated
    char szBaseName[32];       // its title, NUL-terminated
    unsigned char byDither;    // dither index 0-7
    unsigned char byColorBits; // image colour bits
    unsigned char byContrast;  // low 8 bits of the contrast
    unsigned char byBrightness;// low 8 bits of the brightness
    unsigned long dwFlags;     // PLXDIB_* effect bits
};
#pragma pack(pop)

#define PLXDIB_SMOOTH  0x01
#define PLXDIB_INVERT  0x02
#define PLXDIB_BLUR    0x04
#define PLXDIB_SHARPEN 0x08
#define PLXDIB_FLIP    0x10
#define PLXDIB_MIRROR  0x20

static_assert(sizeof(sPLXDIBINFO) == 300, "sPLXDIBINFO is 300 bytes");
static_assert(offsetof(sPLXDIBINFO, szBaseName) == 260, "base name at 260");
static_assert(offsetof(sPLXDIBINFO, byDither) == 292, "dither at 292");
static_assert(offsetof(sPLXDIBINFO, byColorBits) == 293, "colour bits at 293");
static_assert(offsetof(sPLXDIBINFO, byContrast) == 294, "contrast at 294");
static_assert(offsetof(sPLXDIBINFO, byBrightness) == 295, "brightness at 295");
static_assert(offsetof(sPLXDIBINFO, dwFlags) == 296 && sizeof(unsigned long) == 4, "flags: 4 bytes at 296");

class AFX_EXT_CLASS CPlxDibInfo
{
public:
    // The clipboard format "PlxDibInfo", registered on the first call of the process.
    static CLIPFORMAT GetFormat();
    // Sets both names, each cut to fit its field with its NUL.
    static void SetNames(sPLXDIBINFO& info, LPCSTR pszFileName, LPCSTR pszBaseName);
    // A new shareable, movable global block holding the record (one growth
    // step of a shared memory file, the rest zero); null without memory.
    static HGLOBAL Write(const sPLXDIBINFO& info);
    // The record of a clipboard block as it is; FALSE when there is no block
    // or it is smaller than the record.
    static BOOL Read(HGLOBAL hBlock, sPLXDIBINFO& info);
    // A name field as text. The record may come from another process and a
    // name may fill its field without a NUL: the text never reaches past it.
    static CString GetFileName(const sPLXDIBINFO& info);
    static CString GetBaseName(const sPLXDIBINFO& info);
};
