// The driver descriptor: identity strings, version forms, copies and the identity table.
#include "catalogue/PlcInfo.h"
#include "CatalogueFixtures.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct Module
{
    explicit Module(const std::string& path) : h(::LoadLibraryA(path.c_str())) {}
    ~Module() { if (h) ::FreeLibrary(h); }
    HINSTANCE h;
};

CPlcInfo FromModule(const std::string& fixture)
{
    Module m(cattest::Fixture(fixture));
    CPlcInfo info;
    EXPECT_NE(m.h, nullptr) << fixture;
    if (m.h) {
        EXPECT_EQ(info.CreateIndirect(m.h), 1);
    }
    return info;
}

CString VersionStr(CPlcInfo& info)
{
    CString s;
    info.GetVersionStr(&s);
    return s;
}

TEST(PlcInfo, IdentityStringForms)
{
    // result: GetVersionInfo's answer, -1 where not asked.
    struct Case { const char* fixture; int code, word, major, minor; const char* text; int result; };
    const Case cases[] = {
        {"ident_20_18", 20, 0x1412, 1, 2, "1.02", 1},
        {"ident_three", 20, 0x1412, 1, 2, "1.02", 1},      // the first of three numbers is dropped
        {"ident_nopoint", 0, 0, 4, 7, "4.07", 0},          // no point: zeros, firmware from strings 6 and 7
        {"ident_zero", 20, 0x1400, 3, 9, "3.09", -1},      // version byte 0: strings 6 and 7
        {"ident_zero_no67", 20, 0x1400, 0, 0, "0.00", -1},
        {"ident_code1", 1, 0x0112, -1, -1, "1.02", -1},    // the legacy form
        {"ident_dot", 0, 0, 0, 0, "0.00", 1},
        {"ident_ab", 0, 0, 0, 0, "0.00", 1},
        {"ident_big", 999999 & 0xFF, ((999999 & 0xFF) << 8) | (99999 & 0xFF), 99999 >> 4, 99999 & 15, nullptr, -1},
        {"ident_v256", 20, 0x1400, 16, 0, "16.00", -1},    // low byte 0, but the number is not: no strings 6 and 7
        {"ident_v300", 20, 0x142C, 18, 12, "18.12", -1},
        {"ident_none", 0, 0, 0, 0, "0.00", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        CPlcInfo info = FromModule(c.fixture);
        EXPECT_EQ(info.m_byCode, c.code);
        EXPECT_EQ(info.m_wVersion, c.word);
        if (c.major >= 0) {
            EXPECT_EQ(info.m_nMajor, c.major);
            EXPECT_EQ(info.m_nMinor, c.minor);
        }
        if (c.text) {
            EXPECT_STREQ(VersionStr(info), c.text);
        }
        if (c.result < 0)
            continue;
        Module m(cattest::Fixture(c.fixture));
        unsigned short word = 0xBEEF;
        unsigned char code = 0xAA;
        EXPECT_EQ(info.GetVersionInfo(m.h, &word, &code), c.result);
        if (std::string(c.fixture) == "ident_none") {   // nothing to parse changes nothing
            EXPECT_TRUE(word == 0xBEEF && code == 0xAA);
        }
    }
}

TEST(PlcInfo, CreateIndirectReadsNamesFolderAndDefaults)
{
    CPlcInfo fresh;
    EXPECT_TRUE(fresh.m_byCode == 0 && fresh.m_wVersion == 0 && fresh.m_nMajor == 0 && fresh.m_nMinor == 0);
    EXPECT_TRUE(fresh.m_strDllName.IsEmpty() && fresh.m_strDriverName.IsEmpty() && fresh.m_strDllVersion.IsEmpty()
                && fresh.m_strFolder.IsEmpty() && fresh.m_strCompatibility.IsEmpty());
    EXPECT_TRUE(fresh.m_bTagSupport && !fresh.m_bDProto && !fresh.m_bOldTagSupport && !fresh.m_bSpecialImport);

    CPlcInfo info = FromModule("ident_20_18");
    EXPECT_STREQ(info.m_strDllName, "ident_20_18.dll");
    EXPECT_STREQ(info.m_strFolder + info.m_strDllName, cattest::Fixture("ident_20_18").c_str());
    EXPECT_EQ(info.m_strFolder.Right(1), CString("\\"));
    EXPECT_STREQ(info.m_strDriverName, "Simatic S5");
    EXPECT_STREQ(info.m_strDllVersion, "2.40");
    EXPECT_STREQ(info.GetCompatibility(), "AS511");
    EXPECT_TRUE(info.m_bTagSupport);   // no capability entry point: tags on, the rest off
    EXPECT_FALSE(info.m_bDProto || info.m_bOldTagSupport || info.m_bSpecialImport);

    CPlcInfo bare = FromModule("ident_none");
    EXPECT_STREQ(bare.m_strDriverName, "");
    EXPECT_STREQ(bare.m_strCompatibility, "");
    EXPECT_STREQ(bare.m_strDllVersion, "1.00");
    CPlcInfo longName = FromModule("ident_longname");
    EXPECT_EQ(longName.m_strDriverName.GetLength(), 255);
    EXPECT_EQ(longName.m_byCode, 22);

    // Copies are independent.
    info.m_byReserved = 7;
    info.m_bDProto = true;
    CPlcInfo copy(info), assigned;
    EXPECT_EQ(copy.m_byReserved, 7);
    EXPECT_EQ(copy.m_wVersion, info.m_wVersion);
    EXPECT_TRUE(copy.m_bDProto);
    copy.m_strDriverName = "changed";
    copy.GetCompatibility() = "other";
    EXPECT_STREQ(info.m_strDriverName, "Simatic S5");
    EXPECT_STREQ(info.m_strCompatibility, "AS511");
    assigned = info;
    info.m_strDllName = "gone";
    EXPECT_STREQ(assigned.m_strDllName, "ident_20_18.dll");
    EXPECT_EQ(assigned.m_nMajor, 1);
}

TEST(PlcInfo, CapabilityFlagsComeFromTheDriver)
{
    struct Case { const char* file; bool dproto, tags, oldTags, special; };
    const Case cases[] = {
        {"Z32TPLC020.dll", false, true, true, false},    // capability word 0x20
        {"Z32TPLC147.dll", false, false, false, false},  // 0x40 switches tags off
        {"Z32TPLC184.dll", false, true, false, true},    // 0x100
        {"Z32TPLC196.dll", true, true, false, false},    // DProto through its binary resource
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Module m(cattest::SampleDriver(c.file));
        ASSERT_NE(m.h, nullptr);
        CPlcInfo info;
        info.CreateIndirect(m.h);
        EXPECT_EQ((std::vector<bool>{c.dproto, c.tags, c.oldTags, c.special}),
                  (std::vector<bool>{info.m_bDProto != 0, info.m_bTagSupport != 0, info.m_bOldTagSupport != 0,
                                     info.m_bSpecialImport != 0}));
    }
}

TEST(PlcInfo, SetVersionForms)
{
    CPlcInfo packed;
    packed.SetVersion("2.5", 0);
    EXPECT_EQ(packed.m_wVersion, 0x0025);
    EXPECT_EQ(packed.m_nMajor, 2);
    EXPECT_EQ(packed.m_nMinor, 5);
    EXPECT_STREQ(VersionStr(packed), "2.05");

    CPlcInfo legacy;
    legacy.m_nMajor = 9;
    legacy.SetVersion("1.7", 1);
    EXPECT_EQ(legacy.m_wVersion, 0x0107);
    EXPECT_EQ(legacy.m_nMajor, 9);   // the legacy form leaves major and minor alone
    EXPECT_STREQ(VersionStr(legacy), "1.07");

    packed.SetVersion("", 0);
    EXPECT_EQ(packed.m_wVersion, 0);
    packed.SetVersion(nullptr, 0);
    EXPECT_STREQ(VersionStr(packed), "0.00");
}

}
