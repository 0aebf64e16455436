// CTime and CTimeSpan as hosts use them: local dates broken down and built
// again, differences as spans, formatting, file and DOS times.
#include <afx.h>
#include <gtest/gtest.h>
#include <tuple>

namespace {

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

TEST(Time, DosFileAndCurrentTimesGiveTheSameMoment)
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
}

TEST(Time, ATimeOutsideTheRangeFormatsAsNothing)
{
    EXPECT_EQ((time_t)-1, CTime(1800, 1, 1, 0, 0, 0).GetTime());
    SYSTEMTIME st = {};
    st.wYear = 1601;
    EXPECT_EQ((time_t)-1, CTime(st).GetTime());
    EXPECT_EQ(CString(), CTime((time_t)-1).FormatGmt("%Y"));
}

} // namespace
