// The driver descriptor: identity strings, version forms, defaults and copies.
#include "catalogue/PlcInfo.h"
#include "CatalogueFixtures.h"
#include <gtest/gtest.h>
#include <string>

using namespace cattest;

namespace {

// A descriptor made from a fixture module; then the module's identity read
// again by GetVersionInfo into *answer, *word and *code.
CPlcInfo FromModule(const std::string &fixture, int *answer = nullptr, unsigned short *word = nullptr,
                    unsigned char *code = nullptr)
{
    HINSTANCE h = ::LoadLibraryA(Fixture(fixture).c_str());
    CPlcInfo info;
    EXPECT_EQ(h ? info.CreateIndirect(h) : -1, 1) << fixture;
    if (answer)
        *answer = info.GetVersionInfo(h, word, code);
    ::FreeLibrary(h);
    return info;
}

TEST(PlcInfo, IdentityStringForms)
{
    // text: the version as shown, major.minor but for the legacy form; answer: GetVersionInfo's.
    struct Case {
        const char *fixture, *text;
        int code, word, answer;
    };
    const Case cases[] = {
        {"ident_20_18", "1.02", 20, 0x1412, 1},
        {"ident_three", "1.02", 20, 0x1412, 1}, // the first of three numbers is dropped
        {"ident_nopoint", "4.07", 0, 0, 0},     // no point: zeros, firmware from strings 6 and 7
        {"ident_zero", "3.09", 20, 0x1400, 1},  // version byte 0: strings 6 and 7
        {"ident_zero_no67", "0.00", 20, 0x1400, 1},
        {"ident_code1", "1.02", 1, 0x0112, 1}, // the legacy form
        {"ident_dot", "0.00", 0, 0, 1},
        {"ident_ab", "0.00", 0, 0, 1},
        {"ident_big", "6249.15", 999999 & 0xFF, ((999999 & 0xFF) << 8) | (99999 & 0xFF), 1},
        {"ident_v256", "16.00", 20, 0x1400, 1}, // low byte 0, but the number is not: no strings 6 and 7
        {"ident_v300", "18.12", 20, 0x142C, 1},
        {"ident_none", "0.00", 0, 0, 0}}; // nothing to parse changes nothing
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        int answer = -1;
        unsigned short word = 0xBEEF;
        unsigned char code = 0xAA;
        CPlcInfo info = FromModule(c.fixture, &answer, &word, &code);
        EXPECT_EQ(info.m_byCode, c.code);
        EXPECT_EQ(info.m_wVersion, c.word);
        EXPECT_EQ(Version(info), c.text);
        EXPECT_EQ(answer, c.answer);
        const bool none = std::string(c.fixture) == "ident_none";
        EXPECT_TRUE(word == (none ? 0xBEEF : c.word) && code == (none ? 0xAA : c.code));
    }
}

TEST(PlcInfo, DefaultsNamesAndCopies)
{
    CPlcInfo fresh;
    EXPECT_EQ(Fields(fresh), (V{"", "", "0.00", "0", "", "", "", "0", "1", "0", "0"}));
    EXPECT_EQ(fresh.m_wVersion + fresh.m_byReserved, 0);
    // A module without strings and without a capability entry point: the DLL
    // version 1.00, tags on, the rest off; a name keeps 255 characters.
    CPlcInfo bare = FromModule("ident_none");
    EXPECT_EQ(Fields(bare), (V{"ident_none.dll", "", "0.00", "0", "1.00",
                               qrvtest::ProgramFolder() + "\\catalogue_fixtures\\", "", "0", "1", "0", "0"}));
    EXPECT_EQ(FromModule("ident_longname").m_strDriverName.GetLength(), 255);
    // Copies take every field and are independent of their source.
    CPlcInfo info = FromModule("ident_20_18");
    info.m_byReserved = 7;
    info.m_bDProto = info.m_bOldTagSupport = info.m_bSpecialImport = true;
    info.m_bTagSupport = false;
    const V before = Fields(info);
    CPlcInfo copy(info), assigned;
    assigned = info;
    info.m_strDriverName = "changed";
    info.GetCompatibility() = "other";
    for (CPlcInfo *p : {&copy, &assigned}) {
        EXPECT_EQ(Fields(*p), before);
        EXPECT_TRUE(p->m_byReserved == 7 && p->m_wVersion == 0x1412);
    }
    EXPECT_EQ(Fields(info)[1] + Fields(info)[6], "changedother");
}

// The packed form keeps major and minor and their low nibbles in the word;
// the legacy form keeps both bytes and leaves major and minor alone.
TEST(PlcInfo, SetVersionForms)
{
    struct Case {
        const char *text, *shown;
        int form, word, major;
    } cases[] = {{"2.5", "2.05", 0, 0x0025, 2},
                 {"1.7", "1.07", 1, 0x0107, 9},
                 {"", "0.00", 0, 0, 0},
                 {nullptr, "0.00", 0, 0, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        CPlcInfo info;
        info.m_nMajor = 9;
        info.SetVersion(c.text, static_cast<unsigned char>(c.form));
        EXPECT_EQ(info.m_wVersion, c.word);
        EXPECT_EQ(info.m_nMajor, c.major);
        EXPECT_EQ(Version(info), c.shown);
        info.GetVersionStr(nullptr); // no text to write: nothing happens
    }
}

} // namespace
