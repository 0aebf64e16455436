// The driver descriptor: identity strings, version forms, copies and the identity table.
#include "catalogue/PlcInfo.h"
#include "CatalogueFixtures.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// A fixture module, loaded for the scope.
using Module = std::unique_ptr<HINSTANCE__, decltype(&::FreeLibrary)>;
Module Load(const std::string &fixture)
{
    return Module(::LoadLibraryA(cattest::Fixture(fixture).c_str()), ::FreeLibrary);
}

CPlcInfo FromModule(const std::string &fixture)
{
    Module m = Load(fixture);
    CPlcInfo info;
    EXPECT_EQ(m ? info.CreateIndirect(m.get()) : -1, 1) << fixture;
    return info;
}

CString VersionStr(CPlcInfo &info)
{
    CString s;
    info.GetVersionStr(&s);
    return s;
}

TEST(PlcInfo, IdentityStringForms)
{
    // text: the version as shown, major.minor but for the legacy form; result:
    // GetVersionInfo's answer, -1 where not asked.
    struct Case {
        const char *fixture;
        int code, word;
        const char *text;
        int result;
    };
    const Case cases[] = {
        {"ident_20_18", 20, 0x1412, "1.02", 1},
        {"ident_three", 20, 0x1412, "1.02", 1}, // the first of three numbers is dropped
        {"ident_nopoint", 0, 0, "4.07", 0},     // no point: zeros, firmware from strings 6 and 7
        {"ident_zero", 20, 0x1400, "3.09", -1}, // version byte 0: strings 6 and 7
        {"ident_zero_no67", 20, 0x1400, "0.00", -1},
        {"ident_code1", 1, 0x0112, "1.02", -1}, // the legacy form
        {"ident_dot", 0, 0, "0.00", 1},
        {"ident_ab", 0, 0, "0.00", 1},
        {"ident_big", 999999 & 0xFF, ((999999 & 0xFF) << 8) | (99999 & 0xFF), "6249.15", -1},
        {"ident_v256", 20, 0x1400, "16.00", -1}, // low byte 0, but the number is not: no strings 6 and 7
        {"ident_v300", 20, 0x142C, "18.12", -1},
        {"ident_none", 0, 0, "0.00", 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        CPlcInfo info = FromModule(c.fixture);
        EXPECT_EQ(info.m_byCode, c.code);
        EXPECT_EQ(info.m_wVersion, c.word);
        EXPECT_STREQ(VersionStr(info), c.text);
        if (c.result < 0)
            continue;
        Module m = Load(c.fixture);
        unsigned short word = 0xBEEF;
        unsigned char code = 0xAA;
        EXPECT_EQ(info.GetVersionInfo(m.get(), &word, &code), c.result);
        EXPECT_TRUE(std::string(c.fixture) != "ident_none" || (word == 0xBEEF && code == 0xAA))
            << "nothing to parse changes nothing";
    }
}

TEST(PlcInfo, CreateIndirectReadsNamesFolderAndDefaults)
{
    CPlcInfo fresh;
    EXPECT_TRUE(fresh.m_byCode == 0 && fresh.m_wVersion == 0 && fresh.m_nMajor == 0 && fresh.m_nMinor == 0 &&
                fresh.m_strDllName.IsEmpty() && fresh.m_strDriverName.IsEmpty() &&
                fresh.m_strDllVersion.IsEmpty() && fresh.m_strFolder.IsEmpty() &&
                fresh.m_strCompatibility.IsEmpty() && fresh.m_bTagSupport && !fresh.m_bDProto &&
                !fresh.m_bOldTagSupport && !fresh.m_bSpecialImport);
    CPlcInfo info = FromModule("ident_20_18");
    EXPECT_STREQ(info.m_strFolder + info.m_strDllName, cattest::Fixture("ident_20_18").c_str());
    EXPECT_EQ((std::vector<std::string>{"ident_20_18.dll", "Simatic S5", "2.40", "AS511"}),
              (std::vector<std::string>{(LPCSTR)info.m_strDllName, (LPCSTR)info.m_strDriverName,
                                        (LPCSTR)info.m_strDllVersion, (LPCSTR)info.GetCompatibility()}));
    EXPECT_TRUE(info.m_bTagSupport); // no capability entry point: tags on, the rest off
    EXPECT_FALSE(info.m_bDProto || info.m_bOldTagSupport || info.m_bSpecialImport);
    CPlcInfo bare = FromModule("ident_none"), longName = FromModule("ident_longname");
    EXPECT_EQ((std::vector<std::string>{"", "", "1.00"}),
              (std::vector<std::string>{(LPCSTR)bare.m_strDriverName, (LPCSTR)bare.m_strCompatibility,
                                        (LPCSTR)bare.m_strDllVersion}));
    EXPECT_EQ(longName.m_strDriverName.GetLength(), 255);
    EXPECT_EQ(longName.m_byCode, 22);
    // Copies are independent and take every field.
    info.m_byReserved = 7;
    info.m_bDProto = true;
    CPlcInfo copy(info), assigned;
    EXPECT_TRUE(copy.m_byReserved == 7 && copy.m_wVersion == info.m_wVersion && copy.m_bDProto);
    copy.m_strDriverName = "changed";
    copy.GetCompatibility() = "other";
    EXPECT_STREQ(info.m_strDriverName + info.m_strCompatibility, "Simatic S5AS511");
    assigned = info;
    info.m_strDllName = "gone";
    EXPECT_STREQ(assigned.m_strDllName, "ident_20_18.dll");
    EXPECT_TRUE(assigned.m_nMajor == 1 && assigned.m_byReserved == 7 && assigned.m_bDProto);
}

// The packed form keeps major and minor and their low nibbles in the word;
// the legacy form keeps both bytes and leaves major and minor alone.
TEST(PlcInfo, SetVersionForms)
{
    struct Case {
        const char *text;
        int form;
        unsigned short word;
        int major;
        const char *shown;
    } cases[] = {{"2.5", 0, 0x0025, 2, "2.05"},
                 {"1.7", 1, 0x0107, 9, "1.07"},
                 {"", 0, 0, 0, "0.00"},
                 {nullptr, 0, 0, 0, "0.00"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        CPlcInfo info;
        info.m_nMajor = 9;
        info.SetVersion(c.text, static_cast<unsigned char>(c.form));
        EXPECT_EQ(info.m_wVersion, c.word);
        EXPECT_EQ(info.m_nMajor, c.major);
        EXPECT_STREQ(VersionStr(info), c.shown);
        info.GetVersionStr(nullptr); // no text to write: nothing happens
    }
}

} // namespace
