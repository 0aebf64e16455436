// The tokenizer and the path splitter as the browsing, viewer and catalogue code use them.
#include "framework/ParseStrPart.h"
#include "framework/PathStrPart.h"
#include "framework/StringEx.h"
#include <gtest/gtest.h>
#include <mbctype.h>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> Split(CParseStrPart& parser, LPCSTR delimiters)
{
    std::vector<std::string> tokens;
    CString token;
    for (int ok = parser.GetFirst(delimiters, &token); ok; ok = parser.GetNext(delimiters, &token))
        tokens.push_back((LPCSTR)token);
    return tokens;
}

std::vector<std::string> Split(const char* text, LPCSTR delimiters)
{
    CString s(text);
    CParseStrPart parser;
    parser.Attach(&s);
    return Split(parser, delimiters);
}

// Switches the multibyte code page for one test and back.
class CodePage
{
public:
    explicit CodePage(int cp) : m_old(_getmbcp()) { m_ok = _setmbcp(cp) == 0; }
    ~CodePage() { _setmbcp(m_old); }
    bool ok() const { return m_ok; }
private:
    int m_old;
    bool m_ok;
};

using V = std::vector<std::string>;

TEST(ParseStrPart, DelimiterRunsNeverGiveEmptyTokens)
{
    EXPECT_EQ(Split(";*.bmp; *.dib;;", ";"), (V{"*.bmp", " *.dib"}));
    EXPECT_EQ(Split(",,a,,,b,", ","), (V{"a", "b"}));
    EXPECT_EQ(Split("a b\tc", " \t"), (V{"a", "b", "c"}));
    EXPECT_EQ(Split(";;;", ";"), V{});
}

TEST(ParseStrPart, EmptyOrUnattachedTextLeavesTheTokenAlone)
{
    CString empty, token("unchanged");
    CParseStrPart parser;
    EXPECT_EQ(parser.GetFirst(";", &token), 0);   // nothing attached yet
    parser.Attach(&empty);
    EXPECT_EQ(parser.GetFirst(";", &token), 0);
    EXPECT_STREQ(token, "unchanged");
    CString delimitersOnly(";;");
    parser.Attach(&delimitersOnly);
    EXPECT_EQ(parser.GetFirst(";", &token), 0);
    EXPECT_STREQ(token, "unchanged");
}

TEST(ParseStrPart, NextAfterTheLastTokenKeepsReturningZero)
{
    CString s("one;two"), token;
    CParseStrPart parser;
    parser.Attach(&s);
    ASSERT_EQ(parser.GetFirst(";", &token), 1);
    ASSERT_EQ(parser.GetNext(";", &token), 1);
    EXPECT_STREQ(token, "two");
    EXPECT_EQ(parser.GetNext(";", &token), 0);
    EXPECT_EQ(parser.GetNext(";", &token), 0);
    EXPECT_STREQ(token, "two");
}

TEST(ParseStrPart, DelimiterSetMayChangeBetweenCalls)
{
    CString s("key=value;next=2"), token;
    CParseStrPart parser;
    parser.Attach(&s);
    ASSERT_EQ(parser.GetFirst("=", &token), 1);
    EXPECT_STREQ(token, "key");
    ASSERT_EQ(parser.GetNext(";", &token), 1);
    EXPECT_STREQ(token, "value");
    ASSERT_EQ(parser.GetNext("=", &token), 1);
    EXPECT_STREQ(token, "next");
    ASSERT_EQ(parser.GetNext("=", &token), 1);
    EXPECT_STREQ(token, "2");
}

TEST(ParseStrPart, AttachedStringIsNeitherChangedNorFollowed)
{
    CString s("a;b;c"), token;
    CParseStrPart parser;
    parser.Attach(&s);
    ASSERT_EQ(parser.GetFirst(";", &token), 1);
    s = "x;y;z;w";
    EXPECT_STREQ(s, "x;y;z;w");
    EXPECT_EQ(parser.GetNext(";", &token), 1);
    EXPECT_STREQ(token, "b");
    CString kept("a;b");
    parser.Attach(&kept);
    Split(parser, ";");
    EXPECT_STREQ(kept, "a;b");
}

TEST(ParseStrPart, OneSplitPerThread)
{
    CString first("a;b;c"), second("x;y"), token;
    CParseStrPart p1, p2;
    p1.Attach(&first);
    p2.Attach(&second);
    ASSERT_EQ(p1.GetFirst(";", &token), 1);
    ASSERT_EQ(p2.GetFirst(";", &token), 1);
    EXPECT_STREQ(token, "x");
    // The first parser's split has ended: its GetNext continues in the second's text.
    ASSERT_EQ(p1.GetNext(";", &token), 1);
    EXPECT_STREQ(token, "y");
    EXPECT_EQ(p1.GetNext(";", &token), 0);
}

TEST(ParseStrPart, SplitsOnOtherThreadsDoNotInterfere)
{
    CString s("a;b;c"), token;
    CParseStrPart parser;
    parser.Attach(&s);
    ASSERT_EQ(parser.GetFirst(";", &token), 1);
    std::vector<std::string> other;
    std::thread worker([&] { other = Split("1;2;3;4", ";"); });
    worker.join();
    EXPECT_EQ(other, (V{"1", "2", "3", "4"}));
    ASSERT_EQ(parser.GetNext(";", &token), 1);
    EXPECT_STREQ(token, "b");
}

TEST(ParseStrPart, DoubleByteCharactersCountAsOne)
{
    CodePage japanese(932);
    ASSERT_TRUE(japanese.ok());
    // 0x81 0x5C is one character whose trail byte is the backslash.
    EXPECT_EQ(Split("a\x81\x5c" "b\\c", "\\"), (V{"a\x81\x5c" "b", "c"}));
    // A double-byte delimiter splits only at the whole character, not at its trail byte '@'.
    EXPECT_EQ(Split("ab\x81\x40" "cd", "\x81\x40"), (V{"ab", "cd"}));
    EXPECT_EQ(Split("a@b", "\x81\x40"), (V{"a@b"}));
}

TEST(ParseStrPart, CopiesShareTheAttachedStringButNotTheWork)
{
    CString s("a;b"), token;
    CParseStrPart parser;
    parser.Attach(&s);
    CParseStrPart copy(parser);
    EXPECT_EQ(Split(copy, ";"), (V{"a", "b"}));
    CParseStrPart assigned;
    assigned = parser;
    s = "c";
    EXPECT_EQ(Split(assigned, ";"), (V{"c"}));
}

TEST(ParseStrPart, StringExSplitsItsOwnText)
{
    TStringEx<CParseStrPart> text(CString("BMP;DIB;;PNG"));
    CString token;
    std::vector<std::string> tokens;
    for (int ok = text.GetFirst(";", &token); ok; ok = text.GetNext(";", &token))
        tokens.push_back((LPCSTR)token);
    EXPECT_EQ(tokens, (V{"BMP", "DIB", "PNG"}));
    TStringEx<CParseStrPart> copy(text);
    text = "changed";
    ASSERT_EQ(copy.GetFirst(";", &token), 1);
    EXPECT_STREQ(token, "BMP");
    ASSERT_EQ(text.GetFirst(";", &token), 1);
    EXPECT_STREQ(token, "changed");
}

TEST(ParseStrPart, LongTokensAreKeptWhole)
{
    std::string big(1000, 'x');
    EXPECT_EQ(Split((big + ";y").c_str(), ";"), (V{big, "y"}));
}

struct PathCase
{
    const char* path;
    const char* drive;
    const char* directory;
    const char* folder;
    const char* title;
    const char* ext;
    const char* name;
};

TEST(PathStrPart, SplitsPathsIntoParts)
{
    const PathCase cases[] = {
        {"C:\\Plexa\\Drivers\\Z32TPLC020.dll", "C:\\", "C:\\Plexa\\Drivers", "C:\\Plexa\\Drivers\\", "Z32TPLC020", "dll", "Z32TPLC020.dll"},
        {"C:\\boot.ini", "C:\\", "C:\\", "C:\\", "boot", "ini", "boot.ini"},
        {"C:\\Plexa\\Drivers\\", "C:\\", "C:\\Plexa\\Drivers", "C:\\Plexa\\Drivers\\", "", "", ""},
        {"C:\\Plexa\\Drivers", "C:\\", "C:\\Plexa", "C:\\Plexa\\", "Drivers", "", "Drivers"},
        {"\\\\server\\share\\dir\\a.b.bmp", "\\\\server\\share\\", "\\\\server\\share\\dir", "\\\\server\\share\\dir\\", "a.b", "bmp", "a.b.bmp"},
        {"name.txt", "", "", "", "name", "txt", "name.txt"},
        {"D:/images/logo.PNG", "D:\\", "D:/images", "D:/images/", "logo", "PNG", "logo.PNG"},
        {"", "", "", "", "", "", ""},
    };
    for (const PathCase& c : cases) {
        CString path(c.path);
        CPathStrPart parts;
        parts.Attach(&path);
        EXPECT_STREQ(parts.GetDrive(), c.drive) << c.path;
        EXPECT_STREQ(parts.GetDirectory(), c.directory) << c.path;
        EXPECT_STREQ(parts.GetPath(), c.folder) << c.path;
        EXPECT_STREQ(parts.GetTitle(), c.title) << c.path;
        EXPECT_STREQ(parts.GetExt(), c.ext) << c.path;
        EXPECT_STREQ(parts.GetName(), c.name) << c.path;
        EXPECT_STREQ(path, c.path);
    }
}

TEST(PathStrPart, FolderPlusNameStaysInTheFolder)
{
    CString path("C:\\a\\b\\file.bmp");
    CPathStrPart parts;
    parts.Attach(&path);
    EXPECT_STREQ(parts.GetPath() + parts.GetName(), path);
    CPathStrPart copy;
    copy = parts;
    path = "E:\\x.dib";
    EXPECT_STREQ(copy.GetName(), "x.dib");   // the copy follows the same string
}

TEST(PathStrPart, UnattachedOrOverlongPathsAreHarmless)
{
    CPathStrPart parts;
    EXPECT_STREQ(parts.GetName(), "");
    CString deep("C:");
    for (int i = 0; i < 200; ++i)
        deep += "\\folder";
    deep += "\\last.ext";
    parts.Attach(&deep);
    EXPECT_STREQ(parts.GetName(), "last.ext");
    EXPECT_EQ(parts.GetPath().GetLength(), deep.GetLength() - 8);
}

TEST(PathStrPart, DoubleByteNamesAreNotCutAtTrailBytes)
{
    CodePage japanese(932);
    ASSERT_TRUE(japanese.ok());
    CString path("C:\\dir\\a\x81\x5c" "b.txt");   // the trail byte 0x5C is no separator
    CPathStrPart parts;
    parts.Attach(&path);
    EXPECT_STREQ(parts.GetName(), "a\x81\x5c" "b.txt");
    EXPECT_STREQ(parts.GetPath(), "C:\\dir\\");
}

}
