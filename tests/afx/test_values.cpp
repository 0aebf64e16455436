// The framework's value types: CString with explicit length, buffers,
// formatting and multibyte rules; CTime and CTimeSpan as hosts use them: local
// dates broken down and built again, differences as spans, formatting, file
// and DOS times.
#include <afxwin.h>
#include <mbctype.h>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

std::string Bytes(const CString &s)
{
    return std::string((LPCSTR)s, s.GetLength());
}

TEST(CStringLength, EmbeddedZerosSurviveAndBuffersTakeTheirLength)
{
    CString s("ab\0cd", 5);
    CString copy = s;
    copy += CString("\0x", 2);
    EXPECT_EQ(std::string("ab\0cd\0x", 7), Bytes(copy));
    EXPECT_EQ(std::string("\0cd", 3), Bytes(copy.Mid(2, 3)));
    // Comparison stops at the first zero, as the runtime's does.
    EXPECT_EQ(0, s.Compare("ab"));
    // ReleaseBuffer takes the length from the terminator or its argument.
    strcpy(s.GetBuffer(10), "Hallo");
    s.ReleaseBuffer();
    EXPECT_EQ("Hallo", Bytes(s));
    memcpy(s.GetBuffer(20), "x\0yz", 4);
    s.ReleaseBuffer(4);
    EXPECT_EQ(std::string("x\0yz", 4), Bytes(s));
    s.GetBufferSetLength(2);
    EXPECT_EQ(2, s.GetLength());
}

TEST(CStringEditing, LeftMidRightAndFindClampLikeMfc)
{
    const CString s("Treiber");
    struct Case {
        CString got;
        const char *expected;
    };
    const Case cases[] = {
        {s.Left(3), "Tre"},  {s.Left(-2), ""},         {s.Left(99), "Treiber"},
        {s.Right(3), "ber"}, {s.Right(99), "Treiber"}, {s.Mid(3), "iber"},
        {s.Mid(99), ""},     {s.Mid(2, 2), "ei"},      {s.Mid(4, 99), "ber"},
    };
    for (const Case &c : cases)
        EXPECT_STREQ(c.expected, c.got);
    EXPECT_EQ(2, s.Find("ei"));
    EXPECT_EQ(-1, s.Find("xy"));
    EXPECT_EQ(5, s.Find('e', 3));
    EXPECT_EQ(-1, s.Find('e', 99));
    EXPECT_EQ(5, s.ReverseFind('e'));
    EXPECT_EQ(3, s.Mid(4, 4).GetLength()); // one past the end: cut at the end
    // Replacing goes on after each replaced text, never inside it.
    CString replaced("aaaaxab");
    EXPECT_EQ(2, replaced.Replace("aa", "b"));
    EXPECT_STREQ("bbxab", replaced);
}

TEST(CStringFormat, FormatsLongTextsAndNumbers)
{
    CString s;
    s.Format("%d Sek", 42);
    EXPECT_STREQ("42 Sek", s);
    s.Format("[%s]", (LPCSTR)CString(' ', 3000));
    EXPECT_EQ(3002, s.GetLength());
    s.Format("%s-%05.1f-%X", "a", 2.5, 255);
    EXPECT_STREQ("a-002.5-FF", s);
}

// Code page 932 puts 0x5C ('\\') and 0x61 ('a') in trail bytes: a
// byte-by-byte routine would find, change or fold them.
TEST(CStringMultibyte, TrailBytesAreNeitherFoundNorChanged)
{
    ASSERT_EQ(0, _setmbcp(932));
    const CString s = CString("\x95\x5C") + "a\\b";
    EXPECT_EQ(3, s.Find('\\'));
    EXPECT_EQ(3, s.Find("\\b"));
    EXPECT_EQ(3, s.ReverseFind('\\'));

    const CString lead("\x83\x61"); // a character whose trail byte is 'a'
    CString upper = lead + "a";
    upper.MakeUpper();
    EXPECT_EQ(Bytes(lead + "A"), Bytes(upper));

    const CString folded = lead + "x";
    EXPECT_EQ(0, folded.CompareNoCase(lead + "X"));
    EXPECT_NE(0, folded.CompareNoCase(CString("\x83\x41") + "x"));
    EXPECT_LT(CString("a").Compare("b"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);
    _setmbcp(_MB_CP_ANSI);
}

auto Parts(const CTime &t)
{
    return std::make_tuple(t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond());
}

TEST(Time, ALocalDateIsBrokenDownAsItWasGivenAndSpansMoveIt)
{
    CTime t(2024, 2, 29, 13, 45, 30);
    EXPECT_EQ(std::make_tuple(2024, 2, 29, 13, 45, 30), Parts(t));
    EXPECT_EQ(5, t.GetDayOfWeek()) << "a Thursday";
    EXPECT_EQ(CString("29.02.2024 13:45:30"), t.Format("%d.%m.%Y %H:%M:%S"));
    SYSTEMTIME st;
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(t, CTime(st));

    CTime start(2023, 12, 31, 22, 0, 0);
    CTime end = start + CTimeSpan(1, 3, 15, 20);
    EXPECT_EQ(std::make_tuple(2024, 1, 2, 1, 15, 20), Parts(end));
    CTimeSpan span = end - start;
    EXPECT_EQ(std::make_tuple(1, 3, 15, 20, 27),
              std::make_tuple(span.GetDays(), span.GetHours(), span.GetMinutes(), span.GetSeconds(),
                              span.GetTotalHours()));
    EXPECT_EQ(CString("1 Tage 03:15:20 (100%)"), span.Format("%D Tage %H:%M:%S (100%%)"));
    EXPECT_TRUE(start < end);
    EXPECT_EQ(start, end - span);
}

TEST(Time, DosFileAndCurrentTimesGiveTheSameMomentAndOthersNone)
{
    // 5 March 2021, 08:30:16 as a DOS date and time.
    CTime dos((WORD)(((2021 - 1980) << 9) | (3 << 5) | 5), (WORD)((8 << 11) | (30 << 5) | (16 / 2)));
    EXPECT_EQ(CTime(2021, 3, 5, 8, 30, 16), dos);
    FILETIME local, utc;
    SYSTEMTIME st = {};
    ASSERT_TRUE(dos.GetAsSystemTime(st));
    ASSERT_TRUE(::SystemTimeToFileTime(&st, &local));
    ASSERT_TRUE(::LocalFileTimeToFileTime(&local, &utc));
    EXPECT_EQ(dos, CTime(utc));

    const time_t before = ::time(nullptr);
    const CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), ::time(nullptr));
    // A time outside the range formats as nothing.
    EXPECT_EQ((time_t)-1, CTime(1800, 1, 1, 0, 0, 0).GetTime());
    st = {};
    st.wYear = 1601;
    EXPECT_EQ((time_t)-1, CTime(st).GetTime());
    EXPECT_EQ(CString(), CTime((time_t)-1).FormatGmt("%Y"));
}

} // namespace
