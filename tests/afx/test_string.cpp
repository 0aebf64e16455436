// CString: explicit length, buffers, formatting and multibyte rules.
#include <afxwin.h>
#include <mbctype.h>
#include <gtest/gtest.h>

namespace {

TEST(CStringLength, EmbeddedZerosSurviveCopyConcatenationAndAssignment)
{
    CString s("ab\0cd", 5);
    EXPECT_EQ(5, s.GetLength());
    CString copy = s;
    copy += CString("\0x", 2);
    ASSERT_EQ(7, copy.GetLength());
    EXPECT_EQ('\0', copy[2]);
    EXPECT_EQ('d', copy[4]);
    EXPECT_EQ('\0', copy[5]);
    EXPECT_EQ('x', copy[6]);
    EXPECT_EQ(3, copy.Mid(2, 3).GetLength());
    EXPECT_EQ('c', copy.Mid(2, 3)[1]);
    // Comparison stops at the first zero, as the runtime's does.
    EXPECT_EQ(0, s.Compare("ab"));
}

TEST(CStringBuffer, ReleaseBufferTakesLengthFromTerminatorOrArgument)
{
    CString s;
    char* p = s.GetBuffer(10);
    strcpy(p, "Hallo");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    EXPECT_STREQ("Hallo", s);
    p = s.GetBuffer(20);
    memcpy(p, "x\0yz", 4);
    s.ReleaseBuffer(4);
    EXPECT_EQ(4, s.GetLength());
    EXPECT_EQ('z', s[3]);
    s.GetBufferSetLength(2);
    EXPECT_EQ(2, s.GetLength());
}

TEST(CStringEditing, LeftMidRightClampLikeMfc)
{
    CString s("Treiber");
    EXPECT_STREQ("Tre", s.Left(3));
    EXPECT_STREQ("", s.Left(-2));
    EXPECT_STREQ("Treiber", s.Left(99));
    EXPECT_STREQ("ber", s.Right(3));
    EXPECT_STREQ("Treiber", s.Right(99));
    EXPECT_STREQ("iber", s.Mid(3));
    EXPECT_STREQ("", s.Mid(99));
    EXPECT_STREQ("ei", s.Mid(2, 2));
    EXPECT_EQ(2, s.Find("ei"));
    EXPECT_EQ(-1, s.Find("xy"));
    EXPECT_EQ(5, s.Find('e', 3));
    EXPECT_EQ(-1, s.Find('e', 99));
    EXPECT_EQ(5, s.ReverseFind('e'));
}

TEST(CStringFormat, FormatsLongTextsAndNumbers)
{
    CString s;
    s.Format("%d Sek", 42);
    EXPECT_STREQ("42 Sek", s);
    CString long_(' ', 3000);
    s.Format("[%s]", (LPCSTR)long_);
    EXPECT_EQ(3002, s.GetLength());
    s.Format("%s-%05.1f-%X", "a", 2.5, 255);
    EXPECT_STREQ("a-002.5-FF", s);
}

// Code page 932 puts 0x5C ('\\') and 0x61 ('a') in trail bytes: a
// byte-by-byte routine would find or change them.
class CStringMultibyte : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, _setmbcp(932)); }
    void TearDown() override { _setmbcp(_MB_CP_ANSI); }
};

TEST_F(CStringMultibyte, FindSkipsTrailBytes)
{
    CString s("\x95\x5C" "a\\b");
    EXPECT_EQ(3, s.Find('\\'));
    EXPECT_EQ(3, s.Find("\\b"));
    EXPECT_EQ(3, s.ReverseFind('\\'));
}

TEST_F(CStringMultibyte, MakeUpperLeavesTrailBytesAlone)
{
    CString s("\x83\x61" "a");
    s.MakeUpper();
    EXPECT_EQ('\x83', s[0]);
    EXPECT_EQ('\x61', s[1]);
    EXPECT_EQ('A', s[2]);
}

TEST_F(CStringMultibyte, CompareNoCaseFoldsOnlyWholeCharacters)
{
    CString s("\x83\x61" "x");
    EXPECT_EQ(0, s.CompareNoCase("\x83\x61" "X"));
    EXPECT_NE(0, s.CompareNoCase("\x83\x41" "x"));
    EXPECT_LT(CString("a").Compare("b"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);
}

}
