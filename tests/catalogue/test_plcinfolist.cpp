// The catalogue: registry cache layouts, the disk scan and when it runs,
// lookups and removal.
#include "catalogue/PlcInfoList.h"
#include "driver/QRVPlcDriver.h"
#include "CatalogueFixtures.h"
#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include <vector>

using namespace cattest;

namespace {

using V = std::vector<std::string>;
using Values = std::vector<std::pair<std::string, std::string>>;

// A catalogue over one folder; the protected layer opened for the older layout.
class CTestList : public CPlcInfoList {
public:
    explicit CTestList(const CString &path = "Q:\\nowhere\\") : CPlcInfoList("VARN\\") { SetDLLPath(path); }
    using CPlcInfoList::IsRegInfoValid16;
    using CPlcInfoList::SaveToRegistry16;
    V Names()
    {
        V names;
        for (POSITION pos = GetHeadPosition(); pos;)
            names.push_back((LPCSTR)GetNext(pos)->m_strDllName);
        return names;
    }
};

const auto Version = [](CPlcInfo *p) {
    CString s;
    if (p)
        p->GetVersionStr(&s);
    return s;
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

TEST(PlcInfoList, ScanWritesTheCacheValueByValue)
{
    Scene s("layout");
    s.Add(Fixture("ident_20_18"), "Z32TPLC020.dll");
    s.Add(Fixture("ident_longname"), "Z32TPLC022.dll");
    std::ofstream(s.folder + "\\Z32TPLC099.dll", std::ios::binary) << "MZ this is no module";
    s.Add(Fixture("ident_20_18"), "Other020.dll"); // not a driver name
    s.Add(Fixture("ident_code1"), "Z32TPLC001.dll");
    CTestList list(s.DllPath());
    ASSERT_EQ(list.Load(0), 1);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_TRUE(list.FindVersion(20) && list.FindVersion(22));
    EXPECT_EQ(list.FindVersion(99), nullptr);
    EXPECT_EQ(::GetModuleHandleA("Z32TPLC020.dll"), nullptr); // the scan unloads what it loaded
    const std::string item = s.Item("Z32TPLC020.dll");
    const Values expected = {{"Driver_Name", "Simatic S5"},
                             {"Firmware_Ver", "1.02"},
                             {"Project_Code", "20"},
                             {"DLL_Ver", "2.40"},
                             {"FullPath", s.folder + "\\"},
                             {"Compatibility", "AS511"},
                             {"DProto", "0"},
                             {"TagSupport", "1"},
                             {"OldTagSupport", "0"},
                             {"SpecialImport", "0"}};
    for (const auto &e : expected)
        EXPECT_EQ(ReadText(HKEY_CURRENT_USER, item, e.first.c_str()), e.second) << e.first;
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, item, true), 10); // exactly the ten values, all texts
    // Read back (all three cached), the descriptor is the one the scan made.
    CTestList again; // a rescan would find nothing
    ASSERT_EQ(again.Load(0), 1);
    ASSERT_EQ(again.GetCount(), 3);
    CPlcInfo *p = again.FindVersion(20);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ((V{"Z32TPLC020.dll", "Simatic S5", "2.40", s.folder + "\\", "AS511"}),
              (V{(LPCSTR)p->m_strDllName, (LPCSTR)p->m_strDriverName, (LPCSTR)p->m_strDllVersion,
                 (LPCSTR)p->m_strFolder, (LPCSTR)p->m_strCompatibility}));
    EXPECT_TRUE(p->m_bTagSupport && !p->m_bDProto && !p->m_bOldTagSupport && !p->m_bSpecialImport);
    // The module's version word packs code and version byte; the cache's packs the
    // nibbles of major and minor, or both bytes for the legacy project code.
    struct Case {
        unsigned char code;
        unsigned short fromModule, fromRegistry;
    };
    for (const Case &c : {Case{20, 0x1412, 0x0012}, Case{1, 0x0112, 0x0102}}) {
        CPlcInfo *m = list.FindVersion(c.code), *r = again.FindVersion(c.code);
        ASSERT_TRUE(m && r);
        EXPECT_EQ(m->m_wVersion, c.fromModule);
        EXPECT_EQ(r->m_wVersion, c.fromRegistry);
        EXPECT_STREQ(Version(m) + Version(r), "1.021.02"); // major and minor of code 20 read back
    }
    // A minor above 7 keeps its whole low nibble in the word.
    WriteText(HKEY_CURRENT_USER, s.Item("Z32TPLC020.dll"), "Firmware_Ver", "3.12");
    ASSERT_EQ(again.Load(0), 1);
    p = again.FindVersion(20);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->m_wVersion == 0x3C && p->m_nMinor == 12) << p->m_wVersion;
    // The older layout, written over any earlier one: the name as the item's default
    // value, the next seven values as subkeys with default values, no place for the last two.
    ASSERT_EQ(list.SaveToRegistry16(), 1);
    ASSERT_EQ(list.SaveToRegistry16(), 1);
    EXPECT_EQ(list.IsRegInfoValid16(), 1);
    const std::string old = "VarnPlexa\\PLCDrivers\\Z32TPLC020.dll";
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, i ? old + "\\" + expected[i].first : old, nullptr),
                  i < 8 ? expected[i].second : "<none>")
            << expected[i].first;
    EXPECT_EQ(SubkeyCount(HKEY_CLASSES_ROOT, old), 7);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, s.key.c_str());
    EXPECT_EQ(again.Load(0), 0) << "Load never reads the older layout";
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "VarnPlexa");
    EXPECT_EQ(list.IsRegInfoValid16(), 0);
}

// Load(0) reads the cache without a scan, unless the cache gives nothing
// (only the hidden network client); Load(1) rescans.
TEST(PlcInfoList, CacheOrScanAndTheNetworkClient)
{
    Scene s("client");
    s.Add(Fixture("ident_client"), "Z32TPLC002.dll");
    CTestList list(s.DllPath());
    EXPECT_EQ(list.Load(0), 1);
    EXPECT_EQ(list.GetCount(), 0);                       // the client is left out of the list...
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 1); // ...but cached
    s.Add(Fixture("ident_20_18"), "Z32TPLC020.dll");
    EXPECT_EQ(list.Load(0), 1); // the cache gave nothing, so the folder was scanned again
    EXPECT_EQ(list.Names(), V{"Z32TPLC020.dll"});
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 2);
    s.Add(Fixture("ident_longname"), "Z32TPLC022.dll");
    CTestList second(s.DllPath());
    EXPECT_EQ(second.Load(0), 1);
    EXPECT_EQ(second.Names(), V{"Z32TPLC020.dll"}); // from the cache
    EXPECT_EQ(second.Load(1), 1);
    EXPECT_EQ(second.GetCount(), 2);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 3);
    list.InsertClientInfo(1);
    EXPECT_FALSE(list.m_bNoClient);
    EXPECT_EQ(list.FindVersion(2), nullptr); // only the next load sees it
    ASSERT_EQ(list.Load(0), 1);              // from the cache
    ASSERT_NE(list.FindVersion(2), nullptr);
    EXPECT_STREQ(list.FindVersion(2)->m_strDriverName, "Network");
    list.InsertClientInfo(0);
    ASSERT_EQ(list.Load(1), 1);
    EXPECT_EQ(list.FindVersion(2), nullptr);
    // The driver object finds its module by project code (the low byte only) through this
    // cache, the client included; a code found there answers 1 even when its module is gone.
    auto modulePath = [](HINSTANCE h) {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(h, path, MAX_PATH);
        return std::string(path);
    };
    ::SetDllDirectoryA(s.folder.c_str());
    QRVPlcDriver driver;
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(2)), 1);
    EXPECT_EQ(modulePath(driver.GetHandle()), s.folder + "\\Z32TPLC002.dll");
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(0x100 + 20)), 1);
    EXPECT_EQ(modulePath(driver.GetHandle()), s.folder + "\\Z32TPLC020.dll");
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(99)), 0);
    driver.FreeDrivers();
    ::SetDllDirectoryA(nullptr);
    ASSERT_TRUE(::DeleteFileA((s.folder + "\\Z32TPLC022.dll").c_str()));
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(22)), 1);
    EXPECT_FALSE(driver.IsValid());
    driver.FreeDrivers();
}

TEST(PlcInfoList, FindAndDelete)
{
    Scene s("delete");
    s.Add(Fixture("ident_20_18"), "Z32TPLC020.dll");
    s.Add(Fixture("ident_longname"), "Z32TPLC022.dll");
    CTestList list(s.DllPath());
    ASSERT_EQ(list.Load(0), 1);
    CString lower("z32tplc020.DLL"), other("Z32TPLC021.dll");
    ASSERT_NE(list.FindDLL(lower), nullptr);
    EXPECT_STREQ(list.FindDLL(lower)->m_strDllName, "Z32TPLC020.dll"); // any case
    EXPECT_EQ(list.FindDLL(other), nullptr);
    CPlcInfo nameless;
    EXPECT_EQ(list.DeleteItem(&nameless, 1), 0);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 2)
        << "a descriptor without a name takes nothing with it";
    EXPECT_EQ(list.DeleteItem(list.FindVersion(20), 0), 1);
    EXPECT_EQ(list.Names(), V{"Z32TPLC022.dll"});
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.Item("Z32TPLC020.dll")), -1);
    EXPECT_TRUE(OnDisk(s.folder + "\\Z32TPLC020.dll"));
    // DeleteItem matches the list entry's exact case only.
    CPlcInfo differentCase(*list.FindVersion(22));
    differentCase.m_strDllName = "z32tplc022.DLL";
    list.DeleteItem(&differentCase, 0);
    EXPECT_EQ(list.GetCount(), 1);
    list.DeleteItem(list.FindVersion(22), 1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.Item("Z32TPLC022.dll")), -1);
    EXPECT_FALSE(OnDisk(s.folder + "\\Z32TPLC022.dll"));
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 0); // the catalogue key stays
    EXPECT_EQ(list.DeleteItem(nullptr, 1), 0);
    CPlcInfo stranger;
    stranger.m_strDllName = "Z32TPLC077.dll";
    EXPECT_EQ(list.DeleteItem(&stranger, 1), 0); // no subkey, no folder: nothing happens
}

TEST(PlcInfoList, GarbageInTheCacheReadsAsZeros)
{
    Scene s("garbage");
    const std::string item = s.Item("Z32TPLC020.dll");
    const DWORD twenty = 20;
    WriteBytes(HKEY_CURRENT_USER, item, "Project_Code", REG_DWORD, &twenty, 4);  // wrong type
    WriteText(HKEY_CURRENT_USER, item, "Driver_Name", std::string(200000, 'A')); // absurd length
    WriteBytes(HKEY_CURRENT_USER, item, "DLL_Ver", REG_BINARY, "\x01\x02", 2);
    WriteText(HKEY_CURRENT_USER, item, "Firmware_Ver", "garbage");
    WriteText(HKEY_CURRENT_USER, item, "TagSupport", "yes");
    WriteText(HKEY_CURRENT_USER, item, "DProto", "7");
    WriteBytes(HKEY_CURRENT_USER, s.Item("Z32TPLC022.dll"), nullptr, REG_SZ, nullptr,
               0); // subkey without values
    CTestList list;
    ASSERT_EQ(list.Load(0), 1);
    ASSERT_EQ(list.GetCount(), 2);
    CString name("Z32TPLC020.dll"), empty("Z32TPLC022.dll");
    CPlcInfo *p = list.FindDLL(name), *q = list.FindDLL(empty);
    ASSERT_TRUE(p && q);
    EXPECT_TRUE(p->m_byCode == 0 && p->m_wVersion == 0 && !p->m_bTagSupport && p->m_bDProto);
    EXPECT_TRUE(p->m_strDriverName.IsEmpty() && p->m_strDllVersion.IsEmpty());
    EXPECT_TRUE(q->m_byCode == 0 && !q->m_bTagSupport &&
                q->m_strFolder.IsEmpty()); // a missing value reads as 0
    // Saving rewrites the whole cache, and removes it when there is nothing to write.
    EXPECT_EQ(list.SaveToRegistry(), 1);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, item, "Project_Code"), "0");
    list.DeleteAll();
    EXPECT_EQ(list.SaveToRegistry(), 0);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, item), -1);
    list.AddTail(new CPlcInfo);
    list.GetHead()->m_strDllName = "Z32TPLC184.dll";
    list.GetHead()->m_byCode = 184;
    list.GetHead()->SetVersion("2.1", 0);
    EXPECT_EQ(list.SaveToRegistry(), 1);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, s.Item("Z32TPLC184.dll"), "Firmware_Ver") +
                  ReadText(HKEY_CURRENT_USER, s.Item("Z32TPLC184.dll"), "Project_Code"),
              "2.01184");
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 1);
}

// The sample drivers as the scan reads them and the cache keeps them: versions,
// DLL versions and the capability flags the drivers report.
TEST(PlcInfoList, SampleDriversScanAsExpected)
{
    Scene s("samples");
    const char *files[] = {"Z32TPLC001.dll", "Z32TPLC002.dll", "Z32TPLC022.dll",
                           "Z32TPLC068.dll", "Z32TPLC250.dll", "Z32TPLC020.dll",
                           "Z32TPLC147.dll", "Z32TPLC184.dll", "Z32TPLC196.dll"};
    for (const char *f : files)
        s.Add(SampleDriver(f), f);
    CTestList list(s.DllPath()), cache;
    list.InsertClientInfo(1);
    cache.InsertClientInfo(1);
    ASSERT_EQ(list.Load(1), 1);
    ASSERT_EQ(cache.Load(0), 1);
    // DProto, tags, old tags, special import of the last four: capability words 0x20
    // (old tags), 0x40 (tags off), 0x100 (special import), and the DProto bit of a binary resource.
    const std::vector<bool> flags[] = {{0, 1, 1, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {1, 1, 0, 0}};
    for (CPlcInfoList *l : {static_cast<CPlcInfoList *>(&list), static_cast<CPlcInfoList *>(&cache)}) {
        EXPECT_EQ(l->GetCount(), 9);
        std::vector<CPlcInfo *> p;
        for (const char *f : files) {
            CString name(f);
            p.push_back(l->FindDLL(name));
            ASSERT_NE(p.back(), nullptr) << f;
        }
        EXPECT_STREQ(Version(p[2]) + " " + Version(p[3]) + " " + p[4]->m_strDllVersion, "1.03 3.14 1.00");
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(flags[i], (std::vector<bool>{p[5 + i]->m_bDProto, p[5 + i]->m_bTagSupport,
                                                   p[5 + i]->m_bOldTagSupport, p[5 + i]->m_bSpecialImport}))
                << files[5 + i];
    }
}

} // namespace
