// The bound driver's identity: its project code read from the identity string,
// the display name, and the entry points that only one driver family is asked.
#include <gtest/gtest.h>
#include <functional>
#include "driver/QRVPlcDriver.h"
#include "tests/driver/DriverFixture.h"

namespace {
using F = DriverFixture;

// Code, then S5-old, QMove, Sais, internal, Forth, CoDeSys.
std::vector<int> Ask(QRVPlcDriver &d)
{
    return {d.GetPlcType(),       d.IsSimaticS5OldDriver(), d.IsQEMQMOVEDriver(), d.IsSaisABusDriver(),
            d.IsInternalDriver(), d.IsForthDriver(),        d.IsCodeSysDriver()};
}
} // namespace

// The project code comes from the identity string (string 1), the display name
// is string 2; "NMEA 0183 " with its blank is the one driver without RDA, and an
// internal driver that answers 175 names itself.
TEST(DriverIdentity, ProjectCodeDisplayNameAndTheRdaRule)
{
    struct Row {
        const char *fixture, *name;
        std::vector<int> expected;
        int proxy, rda, asked;
    } rows[] = {
        {"Z32TPLC501.dll", "Simatic S5", {1, 1, 0, 0, 0, 0, 0}, 0, 1, 0},
        {"Z32TPLC578.dll", "QMove", {78, 0, 1, 0, 0, 0, 0}, 0, 1, 0},
        {"Z32TPLC593.dll", "CoDeSys", {193, 0, 0, 0, 0, 0, 1}, 0, 1, 0},
        {"Z32TPLC514.dll", "Intern Speicher", {214, 0, 0, 0, 1, 0, 0}, 0, 1, 0},
        {"Z32TPLC507.dll", "Intern", {107, 0, 0, 0, 1, 0, 0}, 174, 1, 0},
        {"Z32TPLC507.dll", "Recorded internal driver", {107, 0, 0, 0, 1, 0, 0}, 175, 1, 2},
        {"Z32TPLC547.dll", "NMEA 0183 ", {147, 0, 0, 0, 0, 0, 0}, 175, 0, 0},
        {"Z32TPLC548.dll", "NMEA 0183", {147, 0, 0, 0, 0, 0, 0}, 175, 1, 0},
        {"Z32TPLC500.dll", "", {0, 0, 0, 0, 0, 0, 0}, 175, 1, 0} // no string table at all
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Bound b(row.fixture, nullptr);
        F::SetResult(b.h, "ProxyToDll", row.proxy);
        CString name = "old";
        ASSERT_TRUE(b.driver.GetDriverName(name));
        EXPECT_STREQ(row.name, name);
        EXPECT_EQ(row.rda, b.driver.IsRDAPermitted());
        auto asked = F::Calls(b.h, "ExpGetDriverName");
        ASSERT_EQ(size_t(row.asked), asked.size());
        if (row.asked) {
            EXPECT_EQ(255u, asked[0].aArgs[1]);
            EXPECT_EQ(0xFFFFFFFFu, static_cast<unsigned int>(F::Calls(b.h, "ProxyToDll")[0].aArgs[0]));
        }
        // Each ask binds the module once more by its file name (and runs its special
        // initialisation once more); FreeDrivers still unloads it.
        F::Reset(b.h);
        EXPECT_EQ(row.expected, Ask(b.driver));
        EXPECT_EQ(7u, b.Count("ExpDoSpecialInit"));
        EXPECT_EQ(b.h, b.driver.GetHandle());
        b.driver.FreeDrivers();
        EXPECT_EQ(nullptr, GetModuleHandleA(b.path)) << "the temporary bindings left the module loaded";
    }
    QRVPlcDriver unbound;
    EXPECT_EQ(std::vector<int>(7, 0), Ask(unbound));
    CString name = "unchanged";
    EXPECT_FALSE(unbound.GetDriverName(name));
    EXPECT_STREQ("unchanged", name);
    EXPECT_TRUE(unbound.IsRDAPermitted());
}

// The QMove checksum members only reach QMove drivers, the CoDeSys tag
// members only CoDeSys drivers; the others answer 0 without a call.
TEST(DriverIdentity, GatedEntryPointsOnlyForTheirFamily)
{
    uPLCSETUP setup = {};
    unsigned long checksum = 0;
    short value = 0;
    void *list = reinterpret_cast<void *>(0x1234);
    long count = 0;
    char tag[32] = "";
    Bound qem("Z32TPLC578.dll", nullptr), cds("Z32TPLC593.dll", nullptr);
    struct Row {
        Bound &family, &other;
        MemberCall call;
    } rows[] = {// The checksum entry points answer nothing: 1 whatever the driver returns.
                {qem, cds,
                 MEMBER_CALL("ExpSetSymbolChecksum", 1, SetQEMCheckSum(&setup, 0xCAFE, -2), Slot(&setup),
                             0xCAFE, 0xFFFE)},
                {qem, cds,
                 MEMBER_CALL("ExpGetSymbolChecksum", 1, GetQEMCheckSum(&setup, &checksum, &value),
                             Slot(&setup), Slot(&checksum), Slot(&value))},
                // The list's value goes in, the result replaces it.
                {cds, qem,
                 MEMBER_CALL("ExpParseTagsFromAdditionalFile", 1,
                             ParseTagsFromAdditionalFile(nullptr, &setup, &list, &count), 0, Slot(&setup),
                             0x1234, Slot(&count))},
                {cds, qem,
                 MEMBER_CALL("ExpGetTagnameFromGA", 7, GetTagnameFromGA(nullptr, nullptr, tag, 32, &setup), 0,
                             0, Slot(tag), 32, Slot(&setup))},
                {cds, qem,
                 MEMBER_CALL("ExpMakeGACompatiable", 7, UpdateGAforCodesys(nullptr, nullptr, &setup), 0, 0,
                             Slot(&setup))}};
    for (const Row &row : rows) {
        const char *entry = row.call.entry;
        SCOPED_TRACE(entry);
        F::SetResult(row.family.h, entry, 7);
        F::SetResult(row.other.h, entry, 7);
        EXPECT_EQ(0, row.call.run(row.other.driver));
        EXPECT_EQ(0u, row.other.Count(entry));
        EXPECT_EQ(row.call.answer, row.call.run(row.family.driver));
        EXPECT_EQ(row.call.args, row.family.Args(entry));
    }
    EXPECT_EQ(reinterpret_cast<void *>(7), list);
}
