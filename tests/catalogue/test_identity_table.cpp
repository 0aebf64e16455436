// The 256-row identity table against an independent listing of its rows.
#include "catalogue/PlcInfo.h"
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

// Typed from the driver listing, not taken from the library's table: every
// code below 34 that has a driver, and the names the library itself asks for.
const struct {
    int code;
    const char *tag;
    const char *name;
} kListing[] = {
    {2, "TPLC0", "Network"},          {11, "TPLC1", "Simatic S5"},       {20, "TPLC2", "Simatic S5"},
    {21, "TPLC3", "Simatic TI 3/4"},  {22, "TPLC5", "Modicon Modbus"},   {23, "TPLC4", "Matsushita FP"},
    {24, "TPLC8", "Simatic TI 500"},  {25, "TPLC6", "GE Fanuc 90"},      {26, "TPLC7", "Omron C-Series"},
    {27, "TPLC9", "Mitsubishi FX"},   {28, "TPLC15", "A-B DH485"},       {29, "TPLC10", "A-B DF1"},
    {30, "TPLC14", "Siemens 3964R"},  {31, "TPLC11", "Square D SY/MAX"}, {32, "TPLC12", "GE Fanuc CCM"},
    {33, "TPLC13", "Westinghouse 1"}, {78, "TPLC60", "QEM QMOVE"},       {107, "TPLC89", "IsaGRAF"},
    {126, "TPLC108", "Forth"},        {147, "TPLC129", "NMEA 0183"},     {150, "TPLC132", "ACS"},
    {188, "TPLC170", "ACS"},          {193, "TPLC175", "CoDeSys"},       {214, "TPLC196", "IPLC CoDeSys"},
    {228, "TPLC210", "EIB TP  EIBT"} // two blanks
};

const std::set<int> kTagWithoutName = {122, 164, 182, 185, 200, 201, 202, 203, 204, 205, 206, 207, 222,
                                       231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241, 242, 243,
                                       244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255};

TEST(IdentityTable, ListedRowsTheTagRuleAndUnusedCodes)
{
    // Tag and name of a code, asked with the texts "old tag" and "old name".
    using V = std::vector<std::string>;
    auto details = [](int code) {
        CString tag = "old tag", name = "old name";
        CPlcInfo::GetDriverDetails(tag, name, static_cast<unsigned short>(code));
        return V{(LPCSTR)tag, (LPCSTR)name};
    };
    for (const auto &r : kListing)
        EXPECT_EQ(details(r.code), (V{r.tag, r.name})) << r.code;
    // From 34 on, every code has the tag TPLC<code - 18>; names of 15 characters at most.
    for (int code = 34; code <= 255; ++code) {
        const V d = details(code);
        EXPECT_EQ(d[0], "TPLC" + std::to_string(code - 18)) << code;
        EXPECT_EQ(d[1].empty(), kTagWithoutName.count(code) == 1) << code;
        EXPECT_LE(d[1].size(), 15u) << code;
    }
    for (int code = 0; code < 20; ++code) // the rest unused
        EXPECT_EQ(code == 2 || code == 11, details(code) != (V{"", ""})) << code;
    for (int code : {256, 300}) // beyond the table: no tag, the name stays
        EXPECT_EQ(details(code), (V{"", "old name"})) << code;
}

} // namespace
