// The tokenizer and the path splitter (framework/) as the browsing, viewer and catalogue code use them.
#include "framework/ParseStrPart.h"
#include "framework/PathStrPart.h"
#include "framework/StringEx.h"
#include <gtest/gtest.h>
#include <mbctype.h>
#include <thread>
#include <vector>

namespace {

using V = std::vector<std::string>;

V Split(CParseStrPart &parser, LPCSTR delimiters)
{
    V tokens;
    CString token;
    for (int ok = parser.GetFirst(delimiters, &token); ok; ok = parser.GetNext(delimiters, &token))
        tokens.push_back((LPCSTR)token);
    return tokens;
}
V Split(const char *text, LPCSTR delimiters)
{
    CString s(text);
    CParseStrPart parser;
    parser.Attach(&s);
    return Split(parser, delimiters);
}

// Switches the multibyte code page for one test and back.
struct CodePage {
    explicit CodePage(int cp) : old(_getmbcp()), ok(_setmbcp(cp) == 0) {}
    ~CodePage() { _setmbcp(old); }
    int old;
    bool ok;
};

TEST(ParseStrPart, SplitsAtDelimiterRunsWithoutEmptyTokens)
{
    std::string big(1000, 'x');
    EXPECT_EQ(Split(";*.bmp; *.dib;;", ";"), (V{"*.bmp", " *.dib"}));
    EXPECT_EQ(Split("a b\tc", " \t"), (V{"a", "b", "c"}));
    EXPECT_EQ(Split(";;;", ";"), V{});
    EXPECT_EQ(Split((big + ";y").c_str(), ";"), (V{big, "y"}));
    {
        CodePage japanese(932);
        ASSERT_TRUE(japanese.ok);
        // 0x81 0x5C (\201\134) is one character whose trail byte is the backslash; a
        // double-byte delimiter splits only at the whole character.
        EXPECT_EQ(Split("a\201\134b\\c", "\\"), (V{"a\201\134b", "c"}));
        EXPECT_EQ(Split("ab\201\100cd", "\201\100"), (V{"ab", "cd"}));
        EXPECT_EQ(Split("a@b", "\201\100"), (V{"a@b"}));
    }
    // Nothing attached, empty text, no delimiters: 0 and the token stays.
    CString empty, token("unchanged");
    CParseStrPart parser;
    EXPECT_EQ(parser.GetFirst(";", &token), 0);
    parser.Attach(&empty);
    EXPECT_EQ(
        parser.GetFirst(";", &token) + parser.GetFirst(nullptr, &token) + parser.GetNext(nullptr, &token), 0);
    EXPECT_STREQ(token, "unchanged");
    // The attached text is copied at GetFirst; delimiters may change on the way; the end stays.
    CString s("key=value;next=2");
    parser.Attach(&s);
    ASSERT_EQ(parser.GetFirst("=", &token), 1);
    EXPECT_STREQ(token, "key");
    s = "x;y;z;w";
    ASSERT_EQ(parser.GetNext(";", &token), 1);
    EXPECT_STREQ(token, "value");
    ASSERT_EQ(parser.GetFirst("=", &token), 1); // the new text, whole
    EXPECT_EQ(parser.GetNext("=", &token), 0);
    EXPECT_EQ(parser.GetNext("=", &token), 0);
    EXPECT_STREQ(token, "x;y;z;w");
}

TEST(ParseStrPart, OneSplitPerThreadAndCopies)
{
    CString first("a;b;c"), second("x;y"), token;
    CParseStrPart p1, p2;
    p1.Attach(&first);
    p2.Attach(&second);
    ASSERT_EQ(p1.GetFirst(";", &token), 1);
    ASSERT_EQ(p2.GetFirst(";", &token), 1);
    // The first parser's split has ended: its GetNext continues in the second's text.
    ASSERT_EQ(p1.GetNext(";", &token), 1);
    EXPECT_STREQ(token, "y");
    EXPECT_EQ(p1.GetNext(";", &token), 0);
    // Splits on other threads do not interfere.
    ASSERT_EQ(p1.GetFirst(";", &token), 1);
    V other;
    std::thread([&] { other = Split("1;2;3;4", ";"); }).join();
    EXPECT_EQ(other, (V{"1", "2", "3", "4"}));
    ASSERT_EQ(p1.GetNext(";", &token), 1);
    EXPECT_STREQ(token, "b");
    // Copies share the attached string.
    CParseStrPart copy(p1), assigned;
    assigned = p1;
    first = "c";
    EXPECT_EQ(Split(copy, ";"), (V{"c"}));
    EXPECT_EQ(Split(assigned, ";"), (V{"c"}));
    TStringEx<CParseStrPart> text(CString("BMP;DIB;;PNG")), textCopy(text);
    text = "changed";
    ASSERT_EQ(textCopy.GetFirst(";", &token), 1);
    EXPECT_STREQ(token, "BMP");
    ASSERT_EQ(text.GetFirst(";", &token), 1);
    EXPECT_STREQ(token, "changed");
    // A parser that goes ends the split running in its text.
    {
        CParseStrPart gone;
        gone.Attach(&second);
        ASSERT_EQ(gone.GetFirst(";", &token), 1);
    }
    EXPECT_EQ(p1.GetNext(";", &token), 0);
}

TEST(PathStrPart, SplitsPathsIntoParts)
{
    struct Case {
        const char *path, *drive, *directory, *folder, *title, *ext, *name;
    } cases[] = {{"C:\\Plexa\\Drivers\\Z32TPLC020.dll", "C:\\", "C:\\Plexa\\Drivers", "C:\\Plexa\\Drivers\\",
                  "Z32TPLC020", "dll", "Z32TPLC020.dll"},
                 {"C:\\boot.ini", "C:\\", "C:\\", "C:\\", "boot", "ini", "boot.ini"},
                 {"C:\\Plexa\\Drivers\\", "C:\\", "C:\\Plexa\\Drivers", "C:\\Plexa\\Drivers\\", "", "", ""},
                 {"C:\\Plexa\\Drivers", "C:\\", "C:\\Plexa", "C:\\Plexa\\", "Drivers", "", "Drivers"},
                 {"\\\\server\\share\\dir\\a.b.bmp", "\\\\server\\share\\", "\\\\server\\share\\dir",
                  "\\\\server\\share\\dir\\", "a.b", "bmp", "a.b.bmp"},
                 {"name.txt", "", "", "", "name", "txt", "name.txt"},
                 {"D:/images/logo.PNG", "D:\\", "D:/images", "D:/images/", "logo", "PNG", "logo.PNG"},
                 {"", "", "", "", "", "", ""}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        CString path(c.path);
        CPathStrPart parts;
        parts.Attach(&path);
        EXPECT_EQ((V{c.drive, c.directory, c.folder, c.title, c.ext, c.name}),
                  (V{(LPCSTR)parts.GetDrive(), (LPCSTR)parts.GetDirectory(), (LPCSTR)parts.GetPath(),
                     (LPCSTR)parts.GetTitle(), (LPCSTR)parts.GetExt(), (LPCSTR)parts.GetName()}));
    }
    CPathStrPart unattached, copy;
    EXPECT_STREQ(unattached.GetName(), "");
    CString path("C:\\a\\b\\file.bmp");
    unattached.Attach(&path);
    copy = unattached;
    path = "C:";
    for (int i = 0; i < 200; ++i)
        path += "\\folder";
    path += "\\last.ext";
    EXPECT_STREQ(copy.GetName(), "last.ext"); // the copy follows the same string, of any length
    EXPECT_EQ(copy.GetPath().GetLength(), path.GetLength() - 8);
    CodePage japanese(932);
    ASSERT_TRUE(japanese.ok);
    path = "C:\\dir\\a\201\134b.txt"; // the trail byte 0x5C is no separator
    EXPECT_STREQ(copy.GetName(), "a\201\134b.txt");
    EXPECT_STREQ(copy.GetPath(), "C:\\dir\\");
}

} // namespace
