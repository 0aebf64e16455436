// The driver identity table: one 32-byte record per project code 0..255, in
// code order, giving the driver tag and a short display name.
#pragma once
#include <windows.h>

#pragma pack(push, 1)
struct sPLCIDENTITY
{
    WORD wCode;        // equal to the row index
    char szTag[10];    // "TPLC" and a number, empty for unused codes
    char szName[20];   // at most 15 characters used; may be empty
};
#pragma pack(pop)

static_assert(sizeof(sPLCIDENTITY) == 32, "identity record is 32 bytes");

enum { PLC_IDENTITY_ROWS = 256 };
extern const sPLCIDENTITY g_PlcIdentityTable[PLC_IDENTITY_ROWS];
