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

// The token of GetFirst (or GetNext), "-" when there is none: a call that
// answers 0 leaves the token alone, one that answers 1 sets it.
std::string First(CParseStrPart &parser, LPCSTR delimiters, bool next = false)
{
    CString token("-");
    const int ok = next ? parser.GetNext(delimiters, &token) : parser.GetFirst(delimiters, &token);
    EXPECT_EQ(ok == 1, token != "-") << ok;
    return (LPCSTR)token;
}
const auto Next = [](CParseStrPart &parser, LPCSTR delimiters) { return First(parser, delimiters, true); };
// Every token of a parser, or of a string with its own parser.
template <class Parser> V Split(Parser &&parser, LPCSTR delimiters)
{
    V tokens;
    for (std::string token = First(parser, delimiters); token != "-"; token = Next(parser, delimiters))
        tokens.push_back(token);
    return tokens;
}
using Text = TStringEx<CParseStrPart>;

// Switches the multibyte code page for one scope and back.
struct CodePage {
    explicit CodePage(int cp) : old(_getmbcp()) { EXPECT_EQ(_setmbcp(cp), 0) << cp; }
    ~CodePage() { _setmbcp(old); }
    int old;
};

TEST(ParseStrPart, SplitsAtDelimiterRunsWithoutEmptyTokens)
{
    std::string big(1000, 'x');
    EXPECT_EQ(Split(Text(";*.bmp; *.dib;;"), ";"), (V{"*.bmp", " *.dib"}));
    EXPECT_EQ(Split(Text("a b\tc"), " \t"), (V{"a", "b", "c"}));
    EXPECT_EQ(Split(Text(";;;"), ";"), V{});
    EXPECT_EQ(Split(Text((big + ";y").c_str()), ";"), (V{big, "y"}));
    // Nothing attached, empty text, no delimiters: no token.
    CString empty;
    CParseStrPart parser;
    EXPECT_EQ(First(parser, ";"), "-");
    parser.Attach(&empty);
    EXPECT_EQ((V{First(parser, ";"), First(parser, nullptr), Next(parser, nullptr)}), (V{"-", "-", "-"}));
    // The attached text is copied at GetFirst; delimiters may change on the way; the end stays.
    CString s("key=value;next=2");
    parser.Attach(&s);
    EXPECT_EQ(First(parser, "="), "key");
    s = "x;y;z;w";
    EXPECT_EQ(Next(parser, ";"), "value");
    EXPECT_EQ((V{First(parser, "="), Next(parser, "="), Next(parser, "=")}), (V{"x;y;z;w", "-", "-"}));
    CodePage japanese(932);
    // 0x81 0x5C (\201\134) is one character whose trail byte is the backslash; a
    // double-byte delimiter splits only at the whole character.
    EXPECT_EQ(Split(Text("a\201\134b\\c"), "\\"), (V{"a\201\134b", "c"}));
    EXPECT_EQ(Split(Text("ab\201\100cd"), "\201\100"), (V{"ab", "cd"}));
    EXPECT_EQ(Split(Text("a@b"), "\201\100"), (V{"a@b"}));
}

TEST(ParseStrPart, OneSplitPerThreadAndCopies)
{
    CString first("a;b;c"), second("x;y");
    CParseStrPart p1, p2;
    p1.Attach(&first);
    p2.Attach(&second);
    // The second split ends the first: the first parser's GetNext goes on in the second's text.
    EXPECT_EQ((V{First(p1, ";"), First(p2, ";"), Next(p1, ";"), Next(p1, ";")}), (V{"a", "x", "y", "-"}));
    // Splits on other threads do not interfere.
    EXPECT_EQ(First(p1, ";"), "a");
    V other;
    std::thread([&] { other = Split(Text("1;2;3;4"), ";"); }).join();
    EXPECT_EQ(other, (V{"1", "2", "3", "4"}));
    EXPECT_EQ(Next(p1, ";"), "b");
    // Copies share the attached string.
    CParseStrPart copy(p1), assigned;
    assigned = p1;
    first = "c";
    EXPECT_EQ((std::vector<V>{Split(copy, ";"), Split(assigned, ";")}), (std::vector<V>{{"c"}, {"c"}}));
    Text text(CString("BMP;DIB;;PNG")), textCopy(text);
    text = "changed";
    EXPECT_EQ((V{First(textCopy, ";"), First(text, ";")}), (V{"BMP", "changed"}));
    // A parser that goes ends the split running in its text.
    {
        CParseStrPart gone;
        gone.Attach(&second);
        EXPECT_EQ(First(gone, ";"), "x");
    }
    EXPECT_EQ(Next(p1, ";"), "-");
}

// Drive, folder without and with its backslash, title, extension and name of the attached
// path, each split afresh by the toolkit's path splitter (tested with it).
V Parts(CPathStrPart &p)
{
    return {(LPCSTR)p.GetDrive(), (LPCSTR)p.GetDirectory(), (LPCSTR)p.GetPath(),
            (LPCSTR)p.GetTitle(), (LPCSTR)p.GetExt(),       (LPCSTR)p.GetName()};
}

TEST(PathStrPart, SplitsTheAttachedPathIntoParts)
{
    CPathStrPart parts, copy;
    EXPECT_EQ(Parts(parts), V(6, "")); // nothing attached
    CString path("C:\\Plexa\\Drivers\\Z32TPLC020.dll");
    parts.Attach(&path);
    copy = parts; // the copy follows the same string
    EXPECT_EQ(Parts(copy), (V{"C:\\", "C:\\Plexa\\Drivers", "C:\\Plexa\\Drivers\\", "Z32TPLC020", "dll",
                              "Z32TPLC020.dll"}));
    path = "C:\\Plexa\\Drivers\\"; // a driver folder
    EXPECT_EQ(Parts(copy), (V{"C:\\", "C:\\Plexa\\Drivers", "C:\\Plexa\\Drivers\\", "", "", ""}));
    path = "C:";
    for (int i = 0; i < 200; ++i)
        path += "\\folder";
    path += "\\last.ext";
    EXPECT_STREQ(copy.GetName(), "last.ext"); // of any length
    EXPECT_EQ(copy.GetPath().GetLength(), path.GetLength() - 8);
    CodePage japanese(932);
    path = "C:\\dir\\a\201\134b.txt"; // the trail byte 0x5C is no separator
    EXPECT_STREQ(copy.GetName(), "a\201\134b.txt");
    EXPECT_STREQ(copy.GetPath(), "C:\\dir\\");
}

} // namespace
