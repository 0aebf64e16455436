// The catalogue: registry cache layouts, the disk scan and when it runs,
// lookups and removal.
#include "catalogue/PlcInfoList.h"
#include "driver/QRVPlcDriver.h"
#include "CatalogueFixtures.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <functional>

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
    const V expected({"Z32TPLC020.dll", "Simatic S5", "1.02", "20", "2.40", s.folder + "\\",
                      "AS511, S5-115U bis S5-155U", "0", "1", "1", "0"});
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

// The cache's key comes from the host's. Load(0) reads the cache without a scan unless
// the cache gives nothing (only the network client, cached but listed only on request);
// Load(1) rescans. Removal takes the cache's item, the list's entry (in its exact case
// only) and, if asked, the file. Each step's answer, then the drivers listed | cached | on disk.
TEST(PlcInfoList, LoadsAndRemovalsAsListCacheAndDisk)
{
    Scene s("steps");
    CTestList list(s.DllPath());
    CPlcInfoList fresh("ignored\\");
    EXPECT_STREQ(fresh.m_strRegKey, "Software\\QRV Tests\\catalogue\\steps\\PLC Drivers");
    EXPECT_TRUE(fresh.m_bNoClient && fresh.m_strDllPath.IsEmpty());
    // No files, a missing folder, an over-long path: nothing, and no cache key.
    for (const CString &path :
         {s.DllPath(), CString("Q:\\no\\such\\folder\\"), "Q:\\" + CString('x', 600) + "\\"}) {
        CTestList empty(path);
        EXPECT_EQ(empty.Load(0) + empty.Load(1) + empty.GetCount(), 0);
    }
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), -1);
    auto state = [&] {
        std::string listed, cached, files;
        for (const std::string &dll : list.Names())
            listed += dll.substr(7, 3) + " ";
        for (const std::string code : {"002", "020", "022"}) {
            const std::string dll = "Z32TPLC" + code + ".dll";
            cached += SubkeyCount(HKEY_CURRENT_USER, s.Item(dll)) >= 0 ? code + " " : "";
            const bool onDisk =
                ::GetFileAttributesA((s.folder + "\\" + dll).c_str()) != INVALID_FILE_ATTRIBUTES;
            files += onDisk ? code + " " : "";
        }
        return listed + "| " + cached + "| " + files;
    };
    // A module copied into the folder, then a load from the cache; the client setting alone.
    auto addAndLoad = [&](const char *fixture, const std::string &code) {
        s.Add(Fixture(fixture), "Z32TPLC" + code + ".dll");
        return list.Load(0);
    };
    auto client = [&](int insert) {
        list.InsertClientInfo(insert);
        return list.m_bNoClient ? 0 : 1;
    };
    CPlcInfo nameless, differentCase, stranger;
    differentCase.m_strDllName = "z32tplc022.DLL";
    stranger.m_strDllName = "Z32TPLC077.dll";
    const struct {
        std::function<int()> step;
        int answer;
        const char *after;
    } steps[] = {
        {[&] { return addAndLoad("ident_client", "002"); }, 1, "| 002 | 002 "},
        {[&] { return addAndLoad("ident_20_18", "020"); }, 1, "020 | 002 020 | 002 020 "}, // a scan
        {[&] { return addAndLoad("ident_longname", "022"); }, 1, "020 | 002 020 | 002 020 022 "},
        {[&] { return list.Load(1); }, 1, "020 022 | 002 020 022 | 002 020 022 "},
        {[&] { return client(1); }, 1, "020 022 | 002 020 022 | 002 020 022 "}, // seen at the next load
        {[&] { return list.Load(0); }, 1, "002 020 022 | 002 020 022 | 002 020 022 "},
        {[&] { return client(0); }, 0, "002 020 022 | 002 020 022 | 002 020 022 "},
        {[&] { return list.Load(1); }, 1, "020 022 | 002 020 022 | 002 020 022 "},
        // Lookups by name in any case; a descriptor without a name takes nothing with it.
        {[&] { return list.Find("z32tplc020.DLL") == list.FindVersion(20) && !list.Find("Z32TPLC021.dll"); },
         1, "020 022 | 002 020 022 | 002 020 022 "},
        {[&] { return list.DeleteItem(&nameless, 1); }, 0, "020 022 | 002 020 022 | 002 020 022 "},
        {[&] { return list.DeleteItem(list.FindVersion(20), 0); }, 1, "022 | 002 022 | 002 020 022 "},
        {[&] { return list.DeleteItem(&differentCase, 0); }, 1, "022 | 002 | 002 020 022 "},
        {[&] { return list.DeleteItem(list.FindVersion(22), 1); }, 0, "| 002 | 002 020 "},
        {[&] { return list.DeleteItem(nullptr, 1) + list.DeleteItem(&stranger, 1); }, 0, "| 002 | 002 020 "}};
    for (const auto &step : steps) {
        SCOPED_TRACE(&step - steps);
        EXPECT_EQ(step.step(), step.answer);
        EXPECT_EQ(state(), step.after);
    }
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 1); // the catalogue key stays, with the client
    // The driver object finds its module by project code (the low byte only) through this
    // cache, the client included, by its bare name along the search path: the folder the
    // descriptor names is not searched. A code found answers 1 even when nothing loaded.
    QRVPlcDriver driver;
    EXPECT_EQ(driver.LoadDriver(&nameless) + driver.LoadDriver(static_cast<CPlcInfo *>(nullptr)), 0);
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(2)), 1);
    EXPECT_FALSE(driver.IsValid());
    driver.FreeDrivers(); // the failed binding is kept until then
    ::SetDllDirectoryA(s.folder.c_str());
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(0x100 + 2)), 1);
    EXPECT_TRUE(driver.GetHandle() &&
                driver.GetHandle() == ::GetModuleHandleA((s.folder + "\\Z32TPLC002.dll").c_str()));
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(20)), 0); // on disk, but no longer cached
    driver.FreeDrivers();
    ::SetDllDirectoryA(nullptr);
    // A folder without the final backslash stands for its parent.
    ::CreateDirectoryA((s.folder + "\\sub").c_str(), nullptr);
    CTestList inner(CString((s.folder + "\\sub\\").c_str())), parent(CString((s.folder + "\\sub").c_str()));
    EXPECT_EQ(inner.Load(1), 0);
    EXPECT_EQ(parent.Load(1), 1);
    EXPECT_EQ(parent.Names(), V{"Z32TPLC020.dll"});
}

TEST(PlcInfoList, GarbageInTheCacheReadsAsZeros)
{
    Scene s("garbage");
    const std::string item = s.Item("Z32TPLC020.dll");
    const DWORD twenty = 20;
    ::RegSetKeyValueA(HKEY_CURRENT_USER, item.c_str(), "Project_Code", REG_DWORD, &twenty, 4); // wrong type
    WriteText(item, "Firmware_Ver", "garbage");
    WriteText(item, "TagSupport", "yes");
    WriteText(item, "DProto", "7");
    WriteText(s.Item("Z32TPLC022.dll"), "Other", "1"); // none of the catalogue's values
    CTestList list;
    ASSERT_EQ(list.Load(0), 1);
    ASSERT_EQ(list.GetCount(), 2);
    CPlcInfo *p = list.Find("Z32TPLC020.dll"), *q = list.Find("Z32TPLC022.dll");
    ASSERT_TRUE(p && q);
    const V read = {"Z32TPLC020.dll", "", "0.00", "0", "", "", "", "1", "0", "0", "0"};
    EXPECT_EQ(Fields(*p), read);
    EXPECT_EQ(p->m_wVersion, 0);
    EXPECT_EQ(Fields(*q), (V{"Z32TPLC022.dll", "", "0.00", "0", "", "", "", "0", "0", "0", "0"}));
    // Saving writes what was read and rewrites the whole cache: an entry gone from the list
    // leaves no item; with no entry, nothing is written.
    CPlcInfo *kept = new CPlcInfo(*p);
    list.DeleteAll();
    list.AddTail(kept);
    EXPECT_EQ(list.SaveToRegistry(), 1);
    EXPECT_EQ(Cached(s.key, "Z32TPLC020.dll"), read);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 1);
    list.DeleteAll();
    EXPECT_EQ(list.SaveToRegistry(), 0);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 0);
}

} // namespace
