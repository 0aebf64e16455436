// The 256-row identity table against an independent listing of its rows.
#include "catalogue/PlcInfo.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

struct Row { int code; const char* tag; const char* name; };

// Typed from the driver listing, not taken from the library's table.
const Row kListing[] = {
    {2, "TPLC0", "Network"}, {11, "TPLC1", "Simatic S5"}, {20, "TPLC2", "Simatic S5"},
    {21, "TPLC3", "Simatic TI 3/4"}, {22, "TPLC5", "Modicon Modbus"}, {23, "TPLC4", "Matsushita FP"},
    {24, "TPLC8", "Simatic TI 500"}, {25, "TPLC6", "GE Fanuc 90"}, {26, "TPLC7", "Omron C-Series"},
    {27, "TPLC9", "Mitsubishi FX"}, {28, "TPLC15", "A-B DH485"}, {29, "TPLC10", "A-B DF1"},
    {30, "TPLC14", "Siemens 3964R"}, {31, "TPLC11", "Square D SY/MAX"}, {32, "TPLC12", "GE Fanuc CCM"},
    {33, "TPLC13", "Westinghouse 1"}, {34, "TPLC16", "SAIA PCD"}, {45, "TPLC27", "VT100"},
    {48, "TPLC30", "DEMO Controller"}, {68, "TPLC50", "Generic Modbus"}, {72, "TPLC54", "Simatic S7 PPI"},
    {73, "TPLC55", "Simatic S7 MPI"}, {78, "TPLC60", "QEM QMOVE"}, {90, "TPLC72", "C. Solutions"},
    {101, "TPLC83", "SAIA S-BUS"}, {107, "TPLC89", "IsaGRAF"}, {121, "TPLC103", "K-M Demo"},
    {123, "TPLC105", "AEG KS"}, {126, "TPLC108", "Forth"}, {147, "TPLC129", "NMEA 0183"},
    {150, "TPLC132", "ACS"}, {163, "TPLC145", "KEBCO"}, {165, "TPLC147", "Hitachi L/SJ100"},
    {177, "TPLC159", "EtherNet/IP CIP"}, {181, "TPLC163", "Parker CompaxSM"}, {183, "TPLC165", "GE Fanuc SRTP"},
    {184, "TPLC166", "Modbus RTU"}, {186, "TPLC168", "A-B ENET"}, {188, "TPLC170", "ACS"},
    {193, "TPLC175", "CoDeSys"}, {196, "TPLC178", "Simatic S7 ETH"}, {197, "TPLC179", "GENIbus"},
    {199, "TPLC181", "JCI N2"}, {208, "TPLC190", "Omron FINS/SER"}, {209, "TPLC191", "SMS GSM SMSG"},
    {213, "TPLC195", "Tiny Browser"}, {214, "TPLC196", "IPLC CoDeSys"}, {217, "TPLC199", "Lenze Lecom A/B"},
    {221, "TPLC203", "Modbus/TCP SRV"}, {223, "TPLC205", "Mitsubishi Q ET"}, {227, "TPLC209", "Facon PLC"},
    {228, "TPLC210", "EIB TP  EIBT"}, {229, "TPLC211", "CT Modbus CMP"}, {230, "TPLC212", "CoDeSys ETH"},
};

const std::set<int> kTagWithoutName = {122, 164, 182, 185, 200, 201, 202, 203, 204, 205, 206, 207, 222,
    231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250,
    251, 252, 253, 254, 255};

void Details(int code, CString& tag, CString& name)
{
    tag = "old tag";
    name = "old name";
    CPlcInfo::GetDriverDetails(tag, name, static_cast<unsigned short>(code));
}

TEST(IdentityTable, ListedRowsAndTheTagRule)
{
    CString tag, name;
    for (const Row& r : kListing) {
        Details(r.code, tag, name);
        EXPECT_STREQ(tag, r.tag) << r.code;
        EXPECT_STREQ(name, r.name) << r.code;
    }
    // From 34 on, every code has the tag TPLC<code - 18>; names of 15 characters at most.
    for (int code = 34; code <= 255; ++code) {
        Details(code, tag, name);
        EXPECT_EQ(std::string(tag), "TPLC" + std::to_string(code - 18)) << code;
        EXPECT_EQ(name.IsEmpty() != 0, kTagWithoutName.count(code) == 1) << code;
        EXPECT_LE(name.GetLength(), 15) << code;
    }
    Details(198, tag, name);
    EXPECT_FALSE(name.IsEmpty());   // the own product
    Details(228, tag, name);
    EXPECT_EQ(name.Find("  "), 6);   // two blanks between "TP" and "EIBT"
}

TEST(IdentityTable, UnusedCodesAreEmptyAndCodesBeyondTheTableKeepTheName)
{
    CString tag, name;
    for (int code : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19}) {
        Details(code, tag, name);
        EXPECT_STREQ(tag, "") << code;
        EXPECT_STREQ(name, "") << code;
    }
    for (int code : {256, 300}) {
        Details(code, tag, name);
        EXPECT_STREQ(tag, "") << code;
        EXPECT_STREQ(name, "old name") << code;
    }
}

}
