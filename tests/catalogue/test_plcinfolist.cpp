// The catalogue: registry cache layouts, the disk scan and when it runs,
// lookups and removal.
#include "catalogue/PlcInfoList.h"
#include "CatalogueFixtures.h"
#include "tests/support/TestApp.h"
#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include <vector>

using namespace cattest;

namespace {

// Opens the protected layer for the older layout.
class CTestList : public CPlcInfoList
{
public:
    CTestList() : CPlcInfoList("VARN\\") {}
    using CPlcInfoList::IsRegInfoValid16;
    using CPlcInfoList::SaveToRegistry16;
};

std::vector<std::string> Names(CPlcInfoList& list)
{
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        names.push_back((LPCSTR)list.GetNext(pos)->m_strDllName);
    return names;
}

TEST(PlcInfoList, KeyIsBuiltFromTheHostsRegistryKey)
{
    FreshHostKey("keyname");
    CPlcInfoList list("ignored\\");
    EXPECT_STREQ(list.m_strRegKey, "Software\\QRV Tests\\catalogue\\keyname\\PLC Drivers");
    EXPECT_TRUE(list.m_bNoClient);
    EXPECT_TRUE(list.m_strDllPath.IsEmpty());
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(PlcInfoList, NoCacheAndNoFilesCreatesNoKey)
{
    Scene s("empty");
    CPlcInfoList list("VARN\\");
    list.SetDLLPath(s.DllPath());
    EXPECT_EQ(list.Load(0), 0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, s.key));
}

TEST(PlcInfoList, ScanSkipsModulesThatCannotLoadAndWritesTheCache)
{
    Scene s("three");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    s.Add("ident_longname", "Z32TPLC022.dll");
    s.AddGarbage("Z32TPLC099.dll");
    s.Add("ident_20_18", "Other020.dll");   // not a driver name
    CPlcInfoList list("VARN\\");
    list.SetDLLPath(s.DllPath());
    EXPECT_EQ(list.Load(0), 1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 2);
    EXPECT_NE(list.FindVersion(20), nullptr);
    EXPECT_NE(list.FindVersion(22), nullptr);
    EXPECT_EQ(list.FindVersion(99), nullptr);
    EXPECT_FALSE(IsLoaded("Z32TPLC020.dll"));   // the scan unloads what it loaded
}

TEST(PlcInfoList, RegistryLayoutValueByValue)
{
    Scene s("layout");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    CPlcInfoList list("VARN\\");
    list.SetDLLPath(s.DllPath());
    ASSERT_EQ(list.Load(1), 1);
    const std::string item = s.Item("Z32TPLC020.dll");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Driver_Name", "Simatic S5"}, {"Firmware_Ver", "1.02"}, {"Project_Code", "20"}, {"DLL_Ver", "2.40"},
        {"FullPath", s.folder + "\\"}, {"Compatibility", "AS511"}, {"DProto", "0"}, {"TagSupport", "1"},
        {"OldTagSupport", "0"}, {"SpecialImport", "0"}};
    for (const auto& e : expected)
        EXPECT_EQ(ReadText(HKEY_CURRENT_USER, item, e.first.c_str()), e.second) << e.first;
    HKEY h = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, item.c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
    DWORD values = 0;
    ::RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(h);
    EXPECT_EQ(values, 10u);   // exactly the ten values, all texts

    // Read back, the descriptor is the one the scan made.
    CPlcInfoList again("VARN\\");
    again.SetDLLPath("Q:\\nowhere\\");   // a rescan would find nothing
    ASSERT_EQ(again.Load(0), 1);
    ASSERT_EQ(again.GetCount(), 1);
    CPlcInfo* p = again.GetHead();
    EXPECT_STREQ(p->m_strDllName, "Z32TPLC020.dll");
    EXPECT_STREQ(p->m_strDriverName, "Simatic S5");
    EXPECT_STREQ(p->m_strDllVersion, "2.40");
    EXPECT_STREQ(p->m_strFolder, (s.folder + "\\").c_str());
    EXPECT_STREQ(p->m_strCompatibility, "AS511");
    EXPECT_EQ(p->m_byCode, 20);
    EXPECT_TRUE(p->m_bTagSupport);
    EXPECT_FALSE(p->m_bDProto || p->m_bOldTagSupport || p->m_bSpecialImport);
}

TEST(PlcInfoList, VersionWordsFromModuleAndFromRegistry)
{
    Scene s("versions");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    s.Add("ident_code1", "Z32TPLC001.dll");
    CPlcInfoList disk("VARN\\");
    disk.SetDLLPath(s.DllPath());
    ASSERT_EQ(disk.Load(1), 1);
    CPlcInfoList cache("VARN\\");
    ASSERT_EQ(cache.Load(0), 1);
    struct Case { unsigned char code; unsigned short fromModule, fromRegistry; const char* text; };
    for (const Case& c : {Case{20, 0x1412, 0x0012, "1.02"}, Case{1, 0x0112, 0x0102, "1.02"}}) {
        CPlcInfo* m = disk.FindVersion(c.code);
        CPlcInfo* r = cache.FindVersion(c.code);
        ASSERT_TRUE(m && r);
        EXPECT_EQ(m->m_wVersion, c.fromModule);
        EXPECT_EQ(r->m_wVersion, c.fromRegistry);
        CString a, b;
        m->GetVersionStr(&a);
        r->GetVersionStr(&b);
        EXPECT_STREQ(a, c.text);
        EXPECT_STREQ(b, c.text);
    }
    CPlcInfo* r = cache.FindVersion(20);
    EXPECT_EQ(r->m_nMajor, 1);
    EXPECT_EQ(r->m_nMinor, 2);

    // A minor above 7 keeps its whole low nibble in the word.
    cattest::WriteText(HKEY_CURRENT_USER, s.Item("Z32TPLC020.dll"), "Firmware_Ver", "3.12");
    CPlcInfoList reread("VARN\\");
    reread.SetDLLPath("Q:\\nowhere\\");
    ASSERT_EQ(reread.Load(0), 1);
    CPlcInfo* p = reread.FindVersion(20);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_wVersion, 0x3C);
    EXPECT_EQ(p->m_nMinor, 12);
}

TEST(PlcInfoList, CacheIsUsedWithoutLoadingModules)
{
    Scene s("cacheonly");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    CPlcInfoList first("VARN\\");
    first.SetDLLPath(s.DllPath());
    ASSERT_EQ(first.Load(0), 1);
    // A module added now is not seen by Load(0), but by a rescan.
    s.Add("ident_longname", "Z32TPLC022.dll");
    CPlcInfoList second("VARN\\");
    second.SetDLLPath(s.DllPath());
    EXPECT_EQ(second.Load(0), 1);
    EXPECT_EQ(Names(second), (std::vector<std::string>{"Z32TPLC020.dll"}));
    EXPECT_EQ(second.Load(1), 1);
    EXPECT_EQ(second.GetCount(), 2);
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 2);
}

TEST(PlcInfoList, ClientOnlyCacheRescansOnEveryLoad)
{
    Scene s("clientonly");
    s.Add("ident_client", "Z32TPLC002.dll");
    CPlcInfoList list("VARN\\");
    list.SetDLLPath(s.DllPath());
    EXPECT_EQ(list.Load(0), 1);
    EXPECT_EQ(list.GetCount(), 0);   // the client is left out of the list...
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 1);   // ...but cached
    s.Add("ident_20_18", "Z32TPLC020.dll");
    EXPECT_EQ(list.Load(0), 1);   // the cache gave nothing, so the folder was scanned again
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Z32TPLC020.dll"}));
    EXPECT_EQ(SubkeyCount(HKEY_CURRENT_USER, s.key), 2);
}

TEST(PlcInfoList, InsertClientInfoKeepsTheClient)
{
    Scene s("client");
    s.Add("ident_client", "Z32TPLC002.dll");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    CPlcInfoList list("VARN\\");
    list.SetDLLPath(s.DllPath());
    ASSERT_EQ(list.Load(0), 1);
    EXPECT_EQ(list.FindVersion(2), nullptr);
    list.InsertClientInfo(1);
    EXPECT_FALSE(list.m_bNoClient);
    EXPECT_EQ(list.FindVersion(2), nullptr);   // only the next load sees it
    ASSERT_EQ(list.Load(0), 1);                // from the cache
    ASSERT_NE(list.FindVersion(2), nullptr);
    EXPECT_STREQ(list.FindVersion(2)->m_strDriverName, "Network");
    list.InsertClientInfo(0);
    ASSERT_EQ(list.Load(1), 1);
    EXPECT_EQ(list.FindVersion(2), nullptr);
}

TEST(PlcInfoList, FindDllIgnoresCaseDeleteItemDoesNot)
{
    Scene s("case");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    CPlcInfoList list("VARN\\");
    list.SetDLLPath(s.DllPath());
    ASSERT_EQ(list.Load(0), 1);
    CString lower("z32tplc020.DLL"), other("Z32TPLC021.dll");
    CPlcInfo* found = list.FindDLL(lower);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->m_strDllName, "Z32TPLC020.dll");
    EXPECT_EQ(list.FindDLL(other), nullptr);

    CPlcInfo differentCase(*found);
    differentCase.m_strDllName = lower;
    list.DeleteItem(&differentCase, 0);
    EXPECT_EQ(list.GetCount(), 1);   // the list entry differs in case and stays
    EXPECT_TRUE(::GetFileAttributesA((s.folder + "\\Z32TPLC020.dll").c_str()) != INVALID_FILE_ATTRIBUTES);
}

TEST(PlcInfoList, DeleteItemWithAndWithoutTheFile)
{
    Scene s("delete");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    s.Add("ident_longname", "Z32TPLC022.dll");
    CPlcInfoList list("VARN\\");
    list.SetDLLPath(s.DllPath());
    ASSERT_EQ(list.Load(0), 1);
    ASSERT_EQ(list.GetCount(), 2);

    EXPECT_EQ(list.DeleteItem(list.FindVersion(20), 0), 1);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, s.Item("Z32TPLC020.dll")));
    EXPECT_TRUE(::GetFileAttributesA((s.folder + "\\Z32TPLC020.dll").c_str()) != INVALID_FILE_ATTRIBUTES);

    list.DeleteItem(list.FindVersion(22), 1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, s.Item("Z32TPLC022.dll")));
    EXPECT_EQ(::GetFileAttributesA((s.folder + "\\Z32TPLC022.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, s.key));

    EXPECT_EQ(list.DeleteItem(nullptr, 1), 0);
    CPlcInfo stranger;
    stranger.m_strDllName = "Z32TPLC077.dll";
    EXPECT_EQ(list.DeleteItem(&stranger, 1), 0);   // no subkey, no folder: nothing happens
}

TEST(PlcInfoList, OlderLayout)
{
    Scene s("old");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    CTestList list;
    list.SetDLLPath(s.DllPath());
    ASSERT_EQ(list.Load(1), 1);
    ASSERT_EQ(list.SaveToRegistry16(), 1);
    EXPECT_EQ(list.IsRegInfoValid16(), 1);
    const std::string item = "VarnPlexa\\PLCDrivers\\Z32TPLC020.dll";
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, item, nullptr), "Simatic S5");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Firmware_Ver", "1.02"}, {"Project_Code", "20"}, {"DLL_Ver", "2.40"}, {"FullPath", s.folder + "\\"},
        {"Compatibility", "AS511"}, {"DProto", "0"}, {"TagSupport", "1"}};
    for (const auto& e : expected)
        EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, item + "\\" + e.first, nullptr), e.second) << e.first;
    EXPECT_EQ(SubkeyCount(HKEY_CLASSES_ROOT, item), 7);   // OldTagSupport and SpecialImport have no place
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, item + "\\OldTagSupport"));
    // Load never reads the older layout.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, s.key.c_str());
    CTestList other;
    other.SetDLLPath("Q:\\nowhere\\");
    EXPECT_EQ(other.Load(0), 0);
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "VarnPlexa");
    EXPECT_EQ(other.IsRegInfoValid16(), 0);
}

TEST(PlcInfoList, FolderWithoutFinalBackslashScansItsParent)
{
    Scene s("parent");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    ::CreateDirectoryA((s.folder + "\\sub").c_str(), nullptr);
    CPlcInfoList list("VARN\\");
    list.SetDLLPath(CString((s.folder + "\\sub").c_str()));
    EXPECT_EQ(list.Load(1), 1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Z32TPLC020.dll"}));
    CPlcInfoList inner("VARN\\");
    inner.SetDLLPath(CString((s.folder + "\\sub\\").c_str()));
    EXPECT_EQ(inner.Load(1), 0);
}

TEST(PlcInfoList, UnreadableFolderGivesNothing)
{
    Scene s("unreadable");
    CPlcInfoList list("VARN\\");
    list.SetDLLPath("Q:\\no\\such\\folder\\");
    EXPECT_EQ(list.Load(1), 0);
    // An over-long path beyond what the platform can search.
    list.SetDLLPath("Q:\\" + CString('x', 600) + "\\");
    EXPECT_EQ(list.Load(0), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, s.key));
}

TEST(PlcInfoList, GarbageInTheCacheReadsAsZeros)
{
    Scene s("garbage");
    const std::string item = s.Item("Z32TPLC020.dll");
    WriteDword(HKEY_CURRENT_USER, item, "Project_Code", 20);            // wrong type
    WriteText(HKEY_CURRENT_USER, item, "Driver_Name", std::string(200000, 'A'));   // absurd length
    WriteBytes(HKEY_CURRENT_USER, item, "DLL_Ver", REG_BINARY, "\x01\x02", 2);
    WriteText(HKEY_CURRENT_USER, item, "Firmware_Ver", "garbage");
    WriteText(HKEY_CURRENT_USER, item, "TagSupport", "yes");
    WriteText(HKEY_CURRENT_USER, item, "DProto", "7");
    WriteBytes(HKEY_CURRENT_USER, s.Item("Z32TPLC022.dll"), nullptr, REG_SZ, nullptr, 0);   // subkey without values
    CPlcInfoList list("VARN\\");
    list.SetDLLPath("Q:\\nowhere\\");
    ASSERT_EQ(list.Load(0), 1);
    ASSERT_EQ(list.GetCount(), 2);
    CString name("Z32TPLC020.dll");
    CPlcInfo* p = list.FindDLL(name);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_byCode, 0);
    EXPECT_TRUE(p->m_strDriverName.IsEmpty());
    EXPECT_TRUE(p->m_strDllVersion.IsEmpty());
    EXPECT_EQ(p->m_wVersion, 0);
    EXPECT_FALSE(p->m_bTagSupport);
    EXPECT_TRUE(p->m_bDProto);
    CString empty("Z32TPLC022.dll");
    CPlcInfo* q = list.FindDLL(empty);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->m_byCode, 0);
    EXPECT_FALSE(q->m_bTagSupport);   // a missing value reads as 0
    EXPECT_TRUE(q->m_strFolder.IsEmpty());
}

TEST(PlcInfoList, SaveToRegistryRewritesTheWholeCache)
{
    Scene s("rewrite");
    WriteText(HKEY_CURRENT_USER, s.Item("Stale.dll"), "Project_Code", "5");
    CPlcInfoList list("VARN\\");
    EXPECT_EQ(list.SaveToRegistry(), 0);   // nothing to write
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, s.Item("Stale.dll")));
    CPlcInfo* a = new CPlcInfo;
    a->m_strDllName = "Z32TPLC184.dll";
    a->m_byCode = 184;
    a->SetVersion("2.1", 0);
    list.AddTail(a);
    EXPECT_EQ(list.SaveToRegistry(), 1);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, s.Item("Z32TPLC184.dll"), "Firmware_Ver"), "2.01");
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, s.Item("Z32TPLC184.dll"), "Project_Code"), "184");
    list.DeleteAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(PlcInfoList, SampleDriversScanAsExpected)
{
    Scene s("samples");
    for (const char* f : {"Z32TPLC001.dll", "Z32TPLC002.dll", "Z32TPLC022.dll", "Z32TPLC068.dll", "Z32TPLC250.dll"})
        s.AddSample(f);
    CPlcInfoList list("VARN\\");
    list.InsertClientInfo(1);
    list.SetDLLPath(s.DllPath());
    ASSERT_EQ(list.Load(1), 1);
    EXPECT_EQ(list.GetCount(), 5);
    CString text;
    ASSERT_NE(list.FindVersion(22), nullptr);
    list.FindVersion(22)->GetVersionStr(&text);
    EXPECT_STREQ(text, "1.03");
    list.FindVersion(68)->GetVersionStr(&text);
    EXPECT_STREQ(text, "3.14");
    CString bare("Z32TPLC250.dll");
    ASSERT_NE(list.FindDLL(bare), nullptr);
    EXPECT_STREQ(list.FindDLL(bare)->m_strDllVersion, "1.00");
}

}
