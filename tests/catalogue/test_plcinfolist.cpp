// The catalogue: registry cache layouts, the disk scan and when it runs,
// lookups and removal.
#include "catalogue/PlcInfoList.h"
#include "driver/QRVPlcDriver.h"
#include "CatalogueFixtures.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using namespace cattest;

namespace {

// A catalogue over one folder; the protected layer opened for the older layout.
class CTestList : public CPlcInfoList {
public:
    explicit CTestList(const CString &path = "Q:\\nowhere\\") : CPlcInfoList("VARN\\") { SetDLLPath(path); }
    using CPlcInfoList::IsRegInfoValid16;
    using CPlcInfoList::SaveToRegistry16;
    // The file names listed, in order of names.
    V Names()
    {
        V names;
        for (POSITION pos = GetHeadPosition(); pos;)
            names.push_back((LPCSTR)GetNext(pos)->m_strDllName);
        std::sort(names.begin(), names.end());
        return names;
    }
    CPlcInfo *Find(const char *dll)
    {
        CString name(dll);
        return FindDLL(name);
    }
};

const auto OnDisk = [](const std::string &path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
};

TEST(PlcInfoList, KeyFromTheHostAndNothingToFind)
{
    Scene s("empty");
    CPlcInfoList fresh("ignored\\");
    EXPECT_STREQ(fresh.m_strRegKey, "Software\\QRV Tests\\catalogue\\empty\\PLC Drivers");
    EXPECT_TRUE(fresh.m_bNoClient && fresh.m_strDllPath.IsEmpty());
    // No cache and no files, a missing folder, an over-long path: nothing, and no key.
    for (const CString &path :
         {s.DllPath(), CString("Q:\\no\\such\\folder\\"), "Q:\\" + CString('x', 600) + "\\"}) {
        CTestList list(path);
        EXPECT_EQ(list.Load(0) + list.Load(1) + list.GetCount(), 0);
    }
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), -1);
    // A folder without the final backslash stands for its parent.
    s.Add(Fixture("ident_20_18"), "Z32TPLC020.dll");
    ::CreateDirectoryA((s.folder + "\\sub").c_str(), nullptr);
    CTestList inner(CString((s.folder + "\\sub\\").c_str())), parent(CString((s.folder + "\\sub").c_str()));
    EXPECT_EQ(inner.Load(1), 0);
    EXPECT_EQ(parent.Load(1), 1);
    EXPECT_EQ(parent.Names(), V{"Z32TPLC020.dll"});
}

// The sample drivers as the scan reads them and the cache keeps them: the cache's
// values, and every descriptor read back from the cache as the scan made it.
TEST(PlcInfoList, ScanWritesTheCacheValueByValue)
{
    // Version, DLL version, then the flags DProto, tags, old tags and special import: capability
    // words 0x20 (old tags), 0x40 (tags off), 0x100 (special import), the DProto bit of a binary resource.
    const struct {
        const char *dll, *summary;
    } rows[] = {{"Z32TPLC001.dll", "1.02 2.10 0110"}, // the legacy form
                {"Z32TPLC002.dll", "2.01 3.01 0100"}, {"Z32TPLC020.dll", "1.02 2.40 0110"},
                {"Z32TPLC022.dll", "1.03 1.20 0100"}, // three numbers
                {"Z32TPLC068.dll", "3.14 1.05 0100"}, // version 0: strings 6 and 7
                {"Z32TPLC147.dll", "1.00 1.00 0000"}, {"Z32TPLC184.dll", "2.01 1.00 0101"},
                {"Z32TPLC196.dll", "2.05 3.00 1100"}, {"Z32TPLC250.dll", "0.00 1.00 0100"}}; // no strings
    Scene s("layout");
    for (const auto &row : rows)
        s.Add(SampleDriver(row.dll), row.dll);
    std::ofstream(s.folder + "\\Z32TPLC099.dll", std::ios::binary) << "MZ this is no module";
    s.Add(SampleDriver("Z32TPLC020.dll"), "Other020.dll"); // not a driver name
    CTestList list(s.DllPath()), cache;
    list.InsertClientInfo(1);
    cache.InsertClientInfo(1);
    ASSERT_EQ(list.Load(0), 1);
    EXPECT_EQ(::GetModuleHandleA("Z32TPLC020.dll"), nullptr); // the scan unloads what it loaded
    const V expected = {"Z32TPLC020.dll",
                        "Simatic S5",
                        "1.02",
                        "20",
                        "2.40",
                        s.folder + "\\",
                        "AS511, S5-115U bis S5-155U",
                        "0",
                        "1",
                        "1",
                        "0"};
    EXPECT_EQ(Cached(s.key, "Z32TPLC020.dll"), expected);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.Item("Z32TPLC020.dll"), true), 10); // only these, all texts
    ASSERT_EQ(cache.Load(0), 1); // a rescan would find nothing
    EXPECT_EQ(list.GetCount() + cache.GetCount(), 18);
    for (const auto &row : rows) {
        CPlcInfo *scanned = list.Find(row.dll), *cached = cache.Find(row.dll);
        ASSERT_TRUE(scanned && cached) << row.dll;
        const V f = Fields(*scanned);
        EXPECT_EQ(f[2] + " " + f[4] + " " + f[7] + f[8] + f[9] + f[10], row.summary) << row.dll;
        EXPECT_EQ(Fields(*cached), f) << row.dll;
    }
    // The cache's version word packs the nibbles of major and minor, or both bytes for
    // the legacy project code; a minor above 7 keeps its whole low nibble.
    EXPECT_EQ(cache.FindVersion(20)->m_wVersion, 0x0012);
    EXPECT_EQ(cache.FindVersion(1)->m_wVersion, 0x0102);
    WriteText(s.Item("Z32TPLC020.dll"), "Firmware_Ver", "3.12");
    ASSERT_EQ(cache.Load(0), 1);
    CPlcInfo *p = cache.FindVersion(20);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->m_wVersion == 0x3C && p->m_nMinor == 12) << p->m_wVersion;
    // The older layout, written over any earlier one: the name as the item's default
    // value, the next seven values as subkeys with default values, no place for the last two.
    ASSERT_EQ(list.SaveToRegistry16(), 1);
    ASSERT_EQ(list.SaveToRegistry16(), 1);
    EXPECT_EQ(list.IsRegInfoValid16(), 1);
    const std::string old = "VarnPlexa\\PLCDrivers\\Z32TPLC020.dll";
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, i ? old + "\\" + kCacheValues[i] : old, nullptr),
                  i < 8 ? expected[i + 1] : "<none>")
            << kCacheValues[i];
    EXPECT_EQ(SubkeyCount(HKEY_CLASSES_ROOT, old), 7);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, s.key.c_str());
    EXPECT_EQ(cache.Load(0), 0) << "Load never reads the older layout";
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "VarnPlexa");
    EXPECT_EQ(list.IsRegInfoValid16(), 0);
}

// Load(0) reads the cache without a scan, unless the cache gives nothing (only
// the network client, which is cached but listed only on request); Load(1) rescans.
TEST(PlcInfoList, CacheOrScanAndTheNetworkClient)
{
    Scene s("client");
    CTestList list(s.DllPath());
    const struct {
        const char *fixture, *dll; // a module copied into the folder first
        int client, fromDisk;
        V listed;
        int cached;
    } steps[] = {
        {"ident_client", "Z32TPLC002.dll", 0, 0, {}, 1},
        {"ident_20_18", "Z32TPLC020.dll", 0, 0, {"Z32TPLC020.dll"}, 2},    // the cache gave nothing: a scan
        {"ident_longname", "Z32TPLC022.dll", 0, 0, {"Z32TPLC020.dll"}, 2}, // from the cache
        {nullptr, nullptr, 0, 1, {"Z32TPLC020.dll", "Z32TPLC022.dll"}, 3},
        {nullptr, nullptr, 1, 0, {"Z32TPLC002.dll", "Z32TPLC020.dll", "Z32TPLC022.dll"}, 3},
        {nullptr, nullptr, 0, 1, {"Z32TPLC020.dll", "Z32TPLC022.dll"}, 3}};
    for (const auto &step : steps) {
        SCOPED_TRACE(&step - steps);
        if (step.fixture)
            s.Add(Fixture(step.fixture), step.dll);
        const V before = list.Names();
        list.InsertClientInfo(step.client);
        EXPECT_EQ(list.m_bNoClient, !step.client);
        EXPECT_EQ(list.Names(), before); // only the next load sees the change
        EXPECT_EQ(list.Load(step.fromDisk), 1);
        EXPECT_EQ(list.Names(), step.listed);
        EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), step.cached);
    }
    // The driver object finds its module by project code (the low byte only) through this
    // cache, the client included, by its bare name along the search path: the folder the
    // descriptor names is not searched. A code found answers 1 even when nothing loaded.
    QRVPlcDriver driver;
    CPlcInfo nameless;
    EXPECT_EQ(driver.LoadDriver(&nameless) + driver.LoadDriver(static_cast<CPlcInfo *>(nullptr)), 0);
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(20)), 1);
    EXPECT_FALSE(driver.IsValid());
    driver.FreeDrivers(); // the failed binding is kept until then
    auto boundTo = [&](const char *dll) {
        return driver.GetHandle() &&
               driver.GetHandle() == ::GetModuleHandleA((s.folder + "\\" + dll).c_str());
    };
    ::SetDllDirectoryA(s.folder.c_str());
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(2)), 1);
    EXPECT_TRUE(boundTo("Z32TPLC002.dll"));
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(0x100 + 20)), 1);
    EXPECT_TRUE(boundTo("Z32TPLC020.dll"));
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(99)), 0);
    driver.FreeDrivers();
    ::SetDllDirectoryA(nullptr);
}

// Each removal as the list, the cache's items and the files on disk afterwards.
TEST(PlcInfoList, FindAndDelete)
{
    Scene s("delete");
    s.Add(Fixture("ident_20_18"), "Z32TPLC020.dll");
    s.Add(Fixture("ident_longname"), "Z32TPLC022.dll");
    CTestList list(s.DllPath());
    ASSERT_EQ(list.Load(0), 1);
    ASSERT_NE(list.Find("z32tplc020.DLL"), nullptr); // any case
    EXPECT_STREQ(list.Find("z32tplc020.DLL")->m_strDllName, "Z32TPLC020.dll");
    EXPECT_EQ(list.Find("Z32TPLC021.dll"), nullptr);
    CPlcInfo nameless, differentCase(*list.FindVersion(22)), stranger;
    differentCase.m_strDllName = "z32tplc022.DLL";
    stranger.m_strDllName = "Z32TPLC077.dll";
    auto state = [&] {
        V left = list.Names();
        for (const char *dll : {"Z32TPLC020.dll", "Z32TPLC022.dll"})
            left.push_back(std::string(SubkeyCount(HKEY_CURRENT_USER, s.Item(dll)) >= 0 ? "key " : "") +
                           (OnDisk(s.folder + "\\" + dll) ? "file" : ""));
        return left;
    };
    const struct {
        CPlcInfo *item;
        int fromDisk, result;
        V after; // the list, then key and file of 020 and of 022
    } steps[] = {// A descriptor without a name takes nothing with it.
                 {&nameless, 1, 0, {"Z32TPLC020.dll", "Z32TPLC022.dll", "key file", "key file"}},
                 {list.FindVersion(20), 0, 1, {"Z32TPLC022.dll", "file", "key file"}},
                 // The cache's key is found in any case, the list's entry in its exact case only.
                 {&differentCase, 0, 1, {"Z32TPLC022.dll", "file", "file"}},
                 {list.FindVersion(22), 1, 0, {"file", ""}},
                 {nullptr, 1, 0, {"file", ""}},
                 {&stranger, 1, 0, {"file", ""}}}; // no subkey, no folder: nothing happens
    for (const auto &step : steps) {
        EXPECT_EQ(list.DeleteItem(step.item, step.fromDisk), step.result);
        EXPECT_EQ(state(), step.after);
    }
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 0); // the catalogue key stays
}

TEST(PlcInfoList, GarbageInTheCacheReadsAsZeros)
{
    Scene s("garbage");
    const std::string item = s.Item("Z32TPLC020.dll");
    const DWORD twenty = 20;
    WriteBytes(item, "Project_Code", REG_DWORD, &twenty, 4);  // wrong type
    WriteText(item, "Driver_Name", std::string(200000, 'A')); // absurd length
    WriteBytes(item, "DLL_Ver", REG_BINARY, "\x01\x02", 2);
    WriteText(item, "Firmware_Ver", "garbage");
    WriteText(item, "TagSupport", "yes");
    WriteText(item, "DProto", "7");
    WriteText(s.Item("Z32TPLC022.dll"), "Other", "1"); // none of the catalogue's values
    CTestList list;
    ASSERT_EQ(list.Load(0), 1);
    ASSERT_EQ(list.GetCount(), 2);
    CPlcInfo *p = list.Find("Z32TPLC020.dll"), *q = list.Find("Z32TPLC022.dll");
    ASSERT_TRUE(p && q);
    EXPECT_EQ(Fields(*p), (V{"Z32TPLC020.dll", "", "0.00", "0", "", "", "", "1", "0", "0", "0"}));
    EXPECT_EQ(p->m_wVersion, 0);
    EXPECT_EQ(Fields(*q), (V{"Z32TPLC022.dll", "", "0.00", "0", "", "", "", "0", "0", "0", "0"}));
    // Saving rewrites the whole cache, and leaves it empty when there is nothing to write.
    list.DeleteAll();
    list.AddTail(new CPlcInfo);
    list.GetHead()->m_strDllName = "Z32TPLC184.dll";
    list.GetHead()->m_byCode = 184;
    list.GetHead()->SetVersion("2.1", 0);
    EXPECT_EQ(list.SaveToRegistry(), 1);
    EXPECT_EQ(Cached(s.key, "Z32TPLC184.dll"),
              (V{"Z32TPLC184.dll", "", "2.01", "184", "", "", "", "0", "1", "0", "0"}));
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 1);
    list.DeleteAll();
    EXPECT_EQ(list.SaveToRegistry(), 0);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 0);
}

} // namespace
