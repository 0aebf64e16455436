// Binary records exchanged between the host, this library and the PLC driver
// modules. The host and the drivers own the contents; the library passes the
// records on and touches only the fields named here, so everything else is an
// opaque byte block of the agreed size, or an incomplete type where no size is
// agreed. Byte-packed and little-endian, because separately built drivers read
// the same bytes.
//
// The header is plain C++ over <windows.h> so that driver modules built
// without the framework can share it.
#pragma once
#include <windows.h>
#include <stddef.h>

#pragma pack(push, 1)

// Controller setup of one project.
union uPLCSETUP
{
    unsigned char abyData[64];
    struct
    {
        unsigned char abyReserved0[38];
        unsigned short wCleared38;      // cleared when another driver is chosen
        unsigned long dwCleared40;      // cleared when another driver is chosen
        unsigned char byFlags;          // bit 0 cleared when another driver is chosen
        unsigned char abyReserved45[5];
        unsigned short wProjectCode;    // project code, zero-extended
        unsigned char byProjectCode;    // the same project code
        unsigned char abyReserved53[11];
    } fields;
};

// Target (panel) setup; a project record begins with it.
struct sTARGSETUP;

// Project record, holding the project's controller setup.
struct sPROJECT
{
    unsigned char abyReserved0[17];
    uPLCSETUP plcSetup;
    unsigned char abyReserved81[330];
    unsigned char byFlag411;
    unsigned char abyReserved412[15];
};

// Field record of the field being edited.
struct tagFIELDREC
{
    unsigned char abyData[111];
};

// MPI feature set, passed by value (two 32-bit slots).
struct sMPIFEATURESET
{
    unsigned char abyData[8];
};

// Records that only pass through, in the driver's own layout.
union uPLCADR;
struct sDISPFORMAT;
struct _tagDEFIELD;
struct sSETUPNETINFO;
struct sADDFILE;
struct sZ32TAG;
struct sSPROTINFO;

// Enumerations whose values belong to the drivers; passed as 32-bit values.
enum eSCALETYPE : int {};
enum eCONSTRACTION : int {};
enum IPLCMODE : int {};

// Capability record that "ExpGetDriverCapability" fills; the first word holds
// the capability bits.
struct sDRIVERCAPABILITY
{
    unsigned long dwCaps;
    unsigned char abyReserved[16];
};

enum
{
    PLCCAP_OLDTAG = 0x20,
    PLCCAP_NOTAG = 0x40,            // negative flag: tags switched off
    PLCCAP_SPLTAGIMPORT = 0x100,
    PLCCAP_64LED = 0x400,
    PLCCAP_TAGARRAY = 0x800,
    PLCCAP_NOCONTINUOUSRDA = 0x1000 // negative flag: continuous RDA switched off
};

// Room the library provides for a driver's protocol information block.
enum { SPROTINFO_SCRATCH_SIZE = 40 };

// Byte 15, bit 7 of a driver's binary resource: DProto supported.
enum { VARNRES_DPROTO_BYTE = 15, VARNRES_DPROTO_MASK = 0x80 };

// Parameter block of the driver's setup dialog ("ExecPlcSetupDlg"). On the
// 32-bit ABI every slot is 32 bits wide and the block is 632 bytes; on 64-bit
// Windows the slots that carry addresses are pointer-sized.
struct sSETUPDLGPARAM
{
    unsigned long dwSize;           // size of this block
    void* pDriver;                  // the calling QRVPlcDriver
    UINT_PTR dwUser;                // the caller's value, unchanged
    unsigned long dwReserved1;      // 0
    tagFIELDREC fieldRec;           // copy of the field record, or zeros
    sPROJECT project;               // copy of the project record
    uPLCSETUP plcSetup;             // working copy of the controller setup
    unsigned short wFlags;          // SETUPDLG_FLAG_...
    const char* const* ppszBaudRates; // the ten baud-rate texts
    unsigned long dwMode;           // the caller's value, unchanged
    unsigned long dwReserved2;      // 0
};

enum { SETUPDLG_FLAG_BIT2 = 0x0004 };

#pragma pack(pop)

// Baud rates offered to the setup dialog, slowest first; no end marker.
enum { PLC_BAUDRATE_COUNT = 10 };
inline const char* const g_apszPlcBaudRates[PLC_BAUDRATE_COUNT] = {
    "150", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600"};

static_assert(sizeof(uPLCSETUP) == 64, "uPLCSETUP");
static_assert(offsetof(uPLCSETUP, fields.wCleared38) == 38, "uPLCSETUP 38");
static_assert(offsetof(uPLCSETUP, fields.dwCleared40) == 40, "uPLCSETUP 40");
static_assert(offsetof(uPLCSETUP, fields.byFlags) == 44, "uPLCSETUP 44");
static_assert(offsetof(uPLCSETUP, fields.wProjectCode) == 50, "uPLCSETUP 50");
static_assert(offsetof(uPLCSETUP, fields.byProjectCode) == 52, "uPLCSETUP 52");
static_assert(sizeof(sPROJECT) == 427, "sPROJECT");
static_assert(offsetof(sPROJECT, plcSetup) == 17, "sPROJECT 17");
static_assert(offsetof(sPROJECT, byFlag411) == 411, "sPROJECT 411");
static_assert(sizeof(tagFIELDREC) == 111, "tagFIELDREC");
static_assert(sizeof(sMPIFEATURESET) == 8, "sMPIFEATURESET");
static_assert(sizeof(sDRIVERCAPABILITY) == 20, "sDRIVERCAPABILITY");
static_assert(sizeof(eSCALETYPE) == 4 && sizeof(eCONSTRACTION) == 4 && sizeof(IPLCMODE) == 4,
              "enumerations are 32-bit values");

#if defined(_WIN64)
static_assert(offsetof(sSETUPDLGPARAM, dwSize) == 0, "param 0");
static_assert(offsetof(sSETUPDLGPARAM, pDriver) == 4, "param 4");
static_assert(offsetof(sSETUPDLGPARAM, dwUser) == 12, "param 12");
static_assert(offsetof(sSETUPDLGPARAM, dwReserved1) == 20, "param 20");
static_assert(offsetof(sSETUPDLGPARAM, fieldRec) == 24, "param 24");
static_assert(offsetof(sSETUPDLGPARAM, project) == 135, "param 135");
static_assert(offsetof(sSETUPDLGPARAM, plcSetup) == 562, "param 562");
static_assert(offsetof(sSETUPDLGPARAM, wFlags) == 626, "param 626");
static_assert(offsetof(sSETUPDLGPARAM, ppszBaudRates) == 628, "param 628");
static_assert(offsetof(sSETUPDLGPARAM, dwMode) == 636, "param 636");
static_assert(offsetof(sSETUPDLGPARAM, dwReserved2) == 640, "param 640");
static_assert(sizeof(sSETUPDLGPARAM) == 644, "sSETUPDLGPARAM");
#else
static_assert(offsetof(sSETUPDLGPARAM, dwSize) == 0, "param 0");
static_assert(offsetof(sSETUPDLGPARAM, pDriver) == 4, "param 4");
static_assert(offsetof(sSETUPDLGPARAM, dwUser) == 8, "param 8");
static_assert(offsetof(sSETUPDLGPARAM, dwReserved1) == 12, "param 12");
static_assert(offsetof(sSETUPDLGPARAM, fieldRec) == 16, "param 16");
static_assert(offsetof(sSETUPDLGPARAM, project) == 127, "param 127");
static_assert(offsetof(sSETUPDLGPARAM, plcSetup) == 554, "param 554");
static_assert(offsetof(sSETUPDLGPARAM, wFlags) == 618, "param 618");
static_assert(offsetof(sSETUPDLGPARAM, ppszBaudRates) == 620, "param 620");
static_assert(offsetof(sSETUPDLGPARAM, dwMode) == 624, "param 624");
static_assert(offsetof(sSETUPDLGPARAM, dwReserved2) == 628, "param 628");
static_assert(sizeof(sSETUPDLGPARAM) == 632, "sSETUPDLGPARAM");
#endif
