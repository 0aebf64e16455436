// The bound driver's identity: its project code read from the identity string,
// the display name, and the entry points that only one driver family is asked.
#include <gtest/gtest.h>
#include "catalogue/PlcInfo.h"
#include "driver/QRVPlcDriver.h"
#include "tests/driver/DriverFixture.h"

namespace
{
using F = DriverFixture;

// A private copy of a fixture, bound; the recorder's log is cleared.
struct Bound
{
    Bound(const char* source, const char* name = nullptr)
    {
        CString path = fx.Copy(source, name ? name : source).c_str();
        EXPECT_EQ(1, driver.LoadDriver(path));
        h = driver.GetHandle();
        EXPECT_NE(nullptr, h);
        F::Reset(h);
    }
    ~Bound() { driver.FreeDrivers(); }
    int Count(const char* entry) const { return static_cast<int>(F::Calls(h, entry).size()); }

    DriverFixture fx;
    QRVPlcDriver driver;
    HMODULE h = nullptr;
};

struct Predicates
{
    int s5, qem, sais, internal, forth, codesys;
};

Predicates Ask(QRVPlcDriver& d)
{
    return {d.IsSimaticS5OldDriver(), d.IsQEMQMOVEDriver(), d.IsSaisABusDriver(),
            d.IsInternalDriver(),     d.IsForthDriver(),    d.IsCodeSysDriver()};
}
} // namespace

TEST(DriverIdentity, ProjectCodeComesFromTheIdentityString)
{
    struct Row
    {
        const char* fixture;
        unsigned char code;
        Predicates expected;
    } rows[] = {
        {"Z32TPLC501.dll", 1, {1, 0, 0, 0, 0, 0}},   {"Z32TPLC578.dll", 78, {0, 1, 0, 0, 0, 0}},
        {"Z32TPLC593.dll", 193, {0, 0, 0, 0, 0, 1}}, {"Z32TPLC507.dll", 107, {0, 0, 0, 1, 0, 0}},
        {"Z32TPLC514.dll", 214, {0, 0, 0, 1, 0, 0}}, {"Z32TPLC547.dll", 147, {0, 0, 0, 0, 0, 0}},
        {"Z32TPLC500.dll", 0, {0, 0, 0, 0, 0, 0}}, // no string table at all
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.fixture);
        Bound b(row.fixture);
        EXPECT_EQ(row.code, b.driver.GetPlcType());
        Predicates p = Ask(b.driver);
        EXPECT_EQ(row.expected.s5, p.s5);
        EXPECT_EQ(row.expected.qem, p.qem);
        EXPECT_EQ(row.expected.sais, p.sais);
        EXPECT_EQ(row.expected.internal, p.internal);
        EXPECT_EQ(row.expected.forth, p.forth);
        EXPECT_EQ(row.expected.codesys, p.codesys);
    }
}

TEST(DriverIdentity, EveryAskReadsTheModuleAgainAndKeepsItsLoadCount)
{
    Bound b("Z32TPLC578.dll");
    EXPECT_EQ(1, b.driver.IsQEMQMOVEDriver());
    EXPECT_EQ(1, b.driver.IsQEMQMOVEDriver());
    EXPECT_EQ(78, b.driver.GetPlcType());
    // Each ask binds the module once more by its file name, so it runs the
    // special initialisation once more; nothing is cached.
    EXPECT_EQ(3, b.Count("ExpDoSpecialInit"));
    EXPECT_EQ(b.h, b.driver.GetHandle());
    b.driver.FreeDrivers();
    char path[MAX_PATH] = "";
    EXPECT_EQ(0u, GetModuleFileNameA(b.h, path, MAX_PATH)) << "the temporary bindings left the module loaded";
}

TEST(DriverIdentity, UnboundObjectHasNoIdentity)
{
    QRVPlcDriver driver;
    EXPECT_EQ(0, driver.GetPlcType());
    Predicates p = Ask(driver);
    EXPECT_EQ(0, p.s5 + p.qem + p.sais + p.internal + p.forth + p.codesys);
    CString name = "unchanged";
    EXPECT_FALSE(driver.GetDriverName(name));
    EXPECT_STREQ("unchanged", name);
    EXPECT_TRUE(driver.IsRDAPermitted());
}

TEST(DriverIdentity, DisplayNameAndTheRdaRule)
{
    CString name;
    {
        Bound b("Z32TPLC547.dll");
        ASSERT_TRUE(b.driver.GetDriverName(name));
        EXPECT_STREQ("NMEA 0183 ", name);
        EXPECT_FALSE(b.driver.IsRDAPermitted());
        EXPECT_EQ(0, b.Count("ExpGetDriverName")); // not an internal driver
    }
    {
        Bound b("Z32TPLC548.dll");
        ASSERT_TRUE(b.driver.GetDriverName(name));
        EXPECT_STREQ("NMEA 0183", name);
        EXPECT_TRUE(b.driver.IsRDAPermitted());
    }
    {
        Bound b("Z32TPLC500.dll"); // no string resources
        name = "old";
        ASSERT_TRUE(b.driver.GetDriverName(name));
        EXPECT_STREQ("", name);
        EXPECT_TRUE(b.driver.IsRDAPermitted());
    }
}

TEST(DriverIdentity, InternalDriverNameFromTheDriverWhenItAnswers175)
{
    CString name;
    Bound b("Z32TPLC507.dll");
    F::SetResult(b.h, "ProxyToDll", 174);
    ASSERT_TRUE(b.driver.GetDriverName(name));
    EXPECT_STREQ("Intern", name);
    EXPECT_EQ(0, b.Count("ExpGetDriverName"));

    F::SetResult(b.h, "ProxyToDll", 175);
    ASSERT_TRUE(b.driver.GetDriverName(name));
    EXPECT_STREQ("Recorded internal driver", name);
    auto calls = F::Calls(b.h, "ExpGetDriverName");
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(255u, calls[0].aArgs[1]);
    auto proxy = F::Calls(b.h, "ProxyToDll");
    ASSERT_FALSE(proxy.empty());
    EXPECT_EQ(static_cast<UINT_PTR>(static_cast<unsigned int>(-1)),
              static_cast<UINT_PTR>(static_cast<unsigned int>(proxy.back().aArgs[0])));
}

TEST(DriverIdentity, LoadingThroughADescriptor)
{
    DriverFixture fx;
    std::string path = fx.Copy("Z32TPLC578.dll", "Z32TPLC579.dll");
    QRVPlcDriver driver;
    EXPECT_EQ(0, driver.LoadDriver(static_cast<CPlcInfo*>(nullptr)));

    CPlcInfo info;
    EXPECT_EQ(0, driver.LoadDriver(&info)); // no file name
    EXPECT_FALSE(driver.IsValid());

    // Only the bare name counts: the descriptor's folder is not searched, so
    // the private copy is found only once its folder is on the search path.
    info.m_strDllName = "Z32TPLC579.dll";
    info.m_strFolder = CString(path.substr(0, path.find_last_of('\\') + 1).c_str());
    EXPECT_EQ(1, driver.LoadDriver(&info)); // 1 although nothing loaded
    EXPECT_FALSE(driver.IsValid());
    driver.FreeDrivers();

    SetDllDirectoryA(info.m_strFolder);
    EXPECT_EQ(1, driver.LoadDriver(&info));
    SetDllDirectoryA(nullptr);
    ASSERT_TRUE(driver.IsValid());
    EXPECT_EQ(driver.GetHandle(), GetModuleHandleA(path.c_str()));
    EXPECT_EQ(78, driver.GetPlcType());
    driver.FreeDrivers();
}

TEST(DriverIdentity, GatedEntryPointsOnlyForTheirFamily)
{
    uPLCSETUP setup = {};
    unsigned long checksum = 0;
    short value = 0;
    void* list = reinterpret_cast<void*>(0x1234);
    long count = 0;
    char tag[32] = "";
    {
        Bound other("Z32TPLC593.dll"); // CoDeSys, not QMove
        F::SetResult(other.h, "ExpSetSymbolChecksum", 7);
        EXPECT_EQ(0, other.driver.SetQEMCheckSum(&setup, 5, 6));
        EXPECT_EQ(0, other.driver.GetQEMCheckSum(&setup, &checksum, &value));
        EXPECT_EQ(0, other.Count("ExpSetSymbolChecksum") + other.Count("ExpGetSymbolChecksum"));
    }
    {
        Bound qem("Z32TPLC578.dll");
        F::SetResult(qem.h, "ExpSetSymbolChecksum", 7);
        EXPECT_EQ(1, qem.driver.SetQEMCheckSum(&setup, 0xCAFE, -2));
        auto set = F::Calls(qem.h, "ExpSetSymbolChecksum");
        ASSERT_EQ(1u, set.size());
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(&setup), set[0].aArgs[0]);
        EXPECT_EQ(0xCAFEu, set[0].aArgs[1]);
        EXPECT_EQ(0xFFFEu, set[0].aArgs[2]);
        EXPECT_EQ(1, qem.driver.GetQEMCheckSum(&setup, &checksum, &value));
        auto get = F::Calls(qem.h, "ExpGetSymbolChecksum");
        ASSERT_EQ(1u, get.size());
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(&checksum), get[0].aArgs[1]);
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(&value), get[0].aArgs[2]);
        // The CoDeSys members are not for QMove drivers.
        EXPECT_EQ(0, qem.driver.ParseTagsFromAdditionalFile(nullptr, &setup, &list, &count));
        EXPECT_EQ(reinterpret_cast<void*>(0x1234), list);
        EXPECT_EQ(0, qem.driver.GetTagnameFromGA(nullptr, nullptr, tag, 32, &setup));
        EXPECT_EQ(0, qem.driver.UpdateGAforCodesys(nullptr, nullptr, &setup));
        EXPECT_EQ(0, qem.Count("ExpParseTagsFromAdditionalFile") + qem.Count("ExpGetTagnameFromGA") +
                         qem.Count("ExpMakeGACompatiable"));
    }
    {
        Bound cds("Z32TPLC593.dll");
        F::SetResult(cds.h, "ExpParseTagsFromAdditionalFile", 0x5678);
        F::SetResult(cds.h, "ExpGetTagnameFromGA", 9);
        F::SetResult(cds.h, "ExpMakeGACompatiable", 4);
        EXPECT_EQ(1, cds.driver.ParseTagsFromAdditionalFile(nullptr, &setup, &list, &count));
        EXPECT_EQ(reinterpret_cast<void*>(0x5678), list); // the result replaces the list
        auto parse = F::Calls(cds.h, "ExpParseTagsFromAdditionalFile");
        ASSERT_EQ(1u, parse.size());
        EXPECT_EQ(0x1234u, parse[0].aArgs[2]); // the list's value went in, not its address
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(&count), parse[0].aArgs[3]);
        EXPECT_EQ(9, cds.driver.GetTagnameFromGA(nullptr, nullptr, tag, 32, &setup));
        auto ga = F::Calls(cds.h, "ExpGetTagnameFromGA");
        ASSERT_EQ(1u, ga.size());
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(tag), ga[0].aArgs[2]);
        EXPECT_EQ(32u, ga[0].aArgs[3]);
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(&setup), ga[0].aArgs[4]);
        EXPECT_EQ(4, cds.driver.UpdateGAforCodesys(nullptr, nullptr, &setup));
        EXPECT_EQ(0, cds.driver.SetQEMCheckSum(&setup, 1, 1));
    }
}
