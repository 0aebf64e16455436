// The timer editor: units, modes, typed unit letters and the panel encodings.
#include "EditorDialogTest.h"
#include "editors/QRVTimerMgr.h"
#include <limits.h>
#include <algorithm>

namespace {

class Timer : public EditorDialogTest
{
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        ASSERT_TRUE(mgr.SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()));
    }
    std::string Shown() { return Text(IDC_TIMER_EDIT); }
    void Up() { Step(IDC_TIMER_SPIN, 1); }
    void Down() { Step(IDC_TIMER_SPIN, -1); }

    QRVTimerMgr mgr;
};

TEST_F(Timer, ConstructionDefaultsAndTheirEncodings)
{
    EXPECT_EQ(TIMER_MODE_BOTH, mgr.GetTimerMode());
    EXPECT_EQ(TIMER_UNIT_SEC, mgr.GetTimerUnit());
    mgr.SetTimerPos(5, TIMER_UNIT_SEC);
    EXPECT_EQ("5 Sek", Shown());
    EXPECT_EQ(0x85, mgr.GetTavoFlaggedByte());
    EXPECT_EQ(5, mgr.GetTavoWord());
    EXPECT_EQ(0, mgr.GetTavoByte());
    // The default ranges: 1..127 s by 1, 10..990 ms by 10.
    mgr.SetTimerPos(500, TIMER_UNIT_SEC);
    EXPECT_EQ("127 Sek", Shown());
    mgr.SetTimerPos(0, TIMER_UNIT_SEC);
    EXPECT_EQ("1 Sek", Shown());
    mgr.SetTimerPos(5000, TIMER_UNIT_MSEC);
    EXPECT_EQ("990 msek", Shown());
    mgr.SetTimerPos(4, TIMER_UNIT_MSEC);
    EXPECT_EQ("10 msek", Shown());
}

TEST_F(Timer, PanelBytesOfMilliseconds)
{
    mgr.SetTavoByte(0x32);
    EXPECT_EQ(TIMER_UNIT_MSEC, mgr.GetTimerUnit());
    EXPECT_EQ(500, mgr.GetTimerValue());
    EXPECT_EQ("500 msek", Shown());
    EXPECT_EQ(0x32, mgr.GetTavoFlaggedByte());
    EXPECT_EQ(5, mgr.GetTavoByte()) << "tenths of a second";
    EXPECT_EQ(500, mgr.GetTavoWord());
    mgr.SetTavoByte(0xFF);
    EXPECT_EQ(TIMER_UNIT_SEC, mgr.GetTimerUnit());
    EXPECT_EQ("127 Sek", Shown());
    EXPECT_EQ(0xFF, mgr.GetTavoFlaggedByte());
    EXPECT_EQ(1, mgr.GetTavoByte());
    EXPECT_EQ(127, mgr.GetTavoWord());
}

TEST(TimerEncoding, EveryPanelByteRoundTrips)
{
    QRVTimerMgr mgr;
    mgr.SetRangeStepSec(0, 127, 1);
    mgr.SetRangeStepMiliSec(0, 1270, 10);
    for (int b = 0; b <= 255; ++b) {
        mgr.SetTavoByte(static_cast<BYTE>(b));
        EXPECT_EQ(b, mgr.GetTavoFlaggedByte()) << b;
        EXPECT_EQ(b < 0x80 ? TIMER_UNIT_MSEC : TIMER_UNIT_SEC, mgr.GetTimerUnit()) << b;
        EXPECT_EQ(b < 0x80 ? b * 10 : b - 0x80, mgr.GetTimerValue()) << b;
        EXPECT_EQ(mgr.GetTimerValue() / 100, mgr.GetTavoByte()) << b;
    }
}

TEST(TimerEncoding, PanelBytesOutsideTheRangesAreClamped)
{
    QRVTimerMgr mgr;
    for (int b = 0; b <= 255; ++b) {
        mgr.SetTavoByte(static_cast<BYTE>(b));
        int expected = b < 0x80 ? std::min(std::max(b * 10, 10), 990) : std::max(b - 0x80, 1);
        EXPECT_EQ(expected, mgr.GetTimerValue()) << b;
        int flagged = b < 0x80 ? expected / 10 : (expected | 0x80);
        EXPECT_EQ(flagged, mgr.GetTavoFlaggedByte()) << b;
    }
    // Values beyond what the panel bytes can hold keep their low bits.
    mgr.SetRangeStepSec(1, 1000, 1);
    mgr.SetTimerPos(300, TIMER_UNIT_SEC);
    EXPECT_EQ((300 & 0xFF) | 0x80, mgr.GetTavoFlaggedByte());
    EXPECT_EQ(3, mgr.GetTavoByte());
    mgr.SetRangeStepMiliSec(10, 100000, 10);
    mgr.SetTimerPos(70000, TIMER_UNIT_MSEC);
    EXPECT_EQ(70000 & 0xFFFF, mgr.GetTavoWord());
    EXPECT_EQ((7000 & 0x7F), mgr.GetTavoFlaggedByte());
    EXPECT_EQ(700 & 0xFF, mgr.GetTavoByte());
}

TEST_F(Timer, TypedUnitLettersChooseTheUnitInMode0)
{
    mgr.SetTimerPos(5, TIMER_UNIT_SEC);
    TypeAndLeave(IDC_TIMER_EDIT, "250m");
    EXPECT_EQ(TIMER_UNIT_MSEC, mgr.GetTimerUnit());
    EXPECT_EQ("250 msek", Shown());
    TypeAndLeave(IDC_TIMER_EDIT, "255");
    EXPECT_EQ(250, mgr.GetTimerValue()) << "half a step rounds down; no letter keeps the unit";
    TypeAndLeave(IDC_TIMER_EDIT, "256");
    EXPECT_EQ(260, mgr.GetTimerValue());
    TypeAndLeave(IDC_TIMER_EDIT, "3s");
    EXPECT_EQ(TIMER_UNIT_SEC, mgr.GetTimerUnit());
    EXPECT_EQ("3 Sek", Shown());
    TypeAndLeave(IDC_TIMER_EDIT, "70 msek");
    EXPECT_EQ("70 msek", Shown()) << "the editor's own texts parse back";
    TypeAndLeave(IDC_TIMER_EDIT, "12 Sek");
    EXPECT_EQ("12 Sek", Shown());
    TypeAndLeave(IDC_TIMER_EDIT, "4 M");
    EXPECT_EQ("10 msek", Shown()) << "M is milliseconds too, clamped to the lower bound";
    TypeAndLeave(IDC_TIMER_EDIT, "1.9 S");
    EXPECT_EQ("1 Sek", Shown()) << "truncated toward zero";
    TypeAndLeave(IDC_TIMER_EDIT, "Ms");
    EXPECT_EQ("10 msek", Shown()) << "milliseconds win when both letters appear; no number is 0";
}

TEST_F(Timer, Mode0StepsRunRoundBothUnits)
{
    mgr.SetTimerPos(990, TIMER_UNIT_MSEC);
    Up();
    EXPECT_EQ("1 Sek", Shown());
    EXPECT_EQ(TIMER_UNIT_SEC, mgr.GetTimerUnit());
    mgr.SetTimerPos(127, TIMER_UNIT_SEC);
    Up();
    EXPECT_EQ("10 msek", Shown());
    EXPECT_EQ(TIMER_UNIT_MSEC, mgr.GetTimerUnit());
    Down();
    EXPECT_EQ("127 Sek", Shown());
    mgr.SetTimerPos(1, TIMER_UNIT_SEC);
    Down();
    EXPECT_EQ("990 msek", Shown());
    Down();
    EXPECT_EQ("980 msek", Shown());
    ClickArrow(IDC_TIMER_SPIN, IDC_TIMER_EDIT, true);
    ClickArrow(IDC_TIMER_SPIN, IDC_TIMER_EDIT, true);
    EXPECT_EQ("1 Sek", Shown()) << "real clicks cross into seconds";
    ClickArrow(IDC_TIMER_SPIN, IDC_TIMER_EDIT, true);
    EXPECT_EQ("2 Sek", Shown());
}

TEST_F(Timer, Mode1WrapsWithinSecondsAndReadsEveryNumberAsSeconds)
{
    mgr.SetTimerMode(TIMER_MODE_SEC);
    mgr.SetTimerPos(127, TIMER_UNIT_SEC);
    Up();
    EXPECT_EQ("1 Sek", Shown());
    Down();
    EXPECT_EQ("127 Sek", Shown());
    ClickArrow(IDC_TIMER_SPIN, IDC_TIMER_EDIT, true);
    EXPECT_EQ("1 Sek", Shown());
    TypeAndLeave(IDC_TIMER_EDIT, "500m");
    EXPECT_EQ(TIMER_UNIT_SEC, mgr.GetTimerUnit());
    EXPECT_EQ(127, mgr.GetTimerValue()) << "500 seconds, clamped";
    mgr.SetTimerPos(300, TIMER_UNIT_MSEC);
    EXPECT_EQ(TIMER_UNIT_SEC, mgr.GetTimerUnit()) << "the unit argument is overruled";
    EXPECT_EQ("127 Sek", Shown());
    mgr.SetRangeStepMiliSec(10, 990, 10);
    EXPECT_EQ(TIMER_UNIT_SEC, mgr.GetTimerUnit());
    EXPECT_EQ("10 Sek", Shown()) << "the value is set, in the only unit";
}

TEST_F(Timer, Mode2ShowsWholeSecondsAsSeconds)
{
    mgr.SetTimerMode(TIMER_MODE_MSEC);
    EXPECT_EQ(TIMER_UNIT_MSEC, mgr.GetTimerUnit());
    mgr.SetRangeStepMiliSec(1000, 5000, 500);
    EXPECT_EQ("1 Sek", Shown());
    mgr.SetTimerPos(2000, TIMER_UNIT_MSEC);
    EXPECT_EQ("2 Sek", Shown());
    mgr.SetTimerPos(2500, TIMER_UNIT_SEC);
    EXPECT_EQ(TIMER_UNIT_MSEC, mgr.GetTimerUnit());
    EXPECT_EQ("2500 msek", Shown());
    TypeAndLeave(IDC_TIMER_EDIT, "3 Sek");
    EXPECT_EQ(3000, mgr.GetTimerValue()) << "seconds typed into a milliseconds-only editor";
    EXPECT_EQ("3 Sek", Shown());
    TypeAndLeave(IDC_TIMER_EDIT, "1.5s");
    EXPECT_EQ("1500 msek", Shown());
    TypeAndLeave(IDC_TIMER_EDIT, "3750");
    EXPECT_EQ("3500 msek", Shown());
    TypeAndLeave(IDC_TIMER_EDIT, "2500 msek");
    EXPECT_EQ("2500 msek", Shown());
    mgr.SetTimerPos(5000, TIMER_UNIT_MSEC);
    Up();
    EXPECT_EQ("1 Sek", Shown()) << "wraps within milliseconds";
    Down();
    EXPECT_EQ("5 Sek", Shown());
    Down();
    EXPECT_EQ("4500 msek", Shown());
    ClickArrow(IDC_TIMER_SPIN, IDC_TIMER_EDIT, false);
    EXPECT_EQ("4 Sek", Shown());
}

TEST_F(Timer, RangesSetTheValueAndTheUnitAndSnapToAGridFromZero)
{
    mgr.SetRangeStepSec(3, 60, 5);
    EXPECT_EQ(TIMER_UNIT_SEC, mgr.GetTimerUnit());
    EXPECT_EQ("3 Sek", Shown()) << "the value becomes the lower bound";
    mgr.SetTimerPos(12, TIMER_UNIT_SEC);
    EXPECT_EQ(10, mgr.GetTimerValue()) << "the grid is 0, 5, 10, ... whatever the lower bound";
    mgr.SetTimerPos(13, TIMER_UNIT_SEC);
    EXPECT_EQ(15, mgr.GetTimerValue());
    mgr.SetTimerPos(1, TIMER_UNIT_SEC);
    EXPECT_EQ(3, mgr.GetTimerValue());
    Up();
    EXPECT_EQ(10, mgr.GetTimerValue()) << "3 + 5 snaps to the grid";
    mgr.SetRangeStepMiliSec(100, 900, 100);
    EXPECT_EQ(TIMER_UNIT_MSEC, mgr.GetTimerUnit());
    EXPECT_EQ("100 msek", Shown());
    mgr.SetTimerPos(900, TIMER_UNIT_MSEC);
    Up();
    EXPECT_EQ("5 Sek", Shown()) << "into the seconds range: its lower bound 3 snaps to the grid";
}

TEST_F(Timer, ClickAfterTypingOnlyCommitsTheText)
{
    mgr.SetTimerPos(5, TIMER_UNIT_SEC);
    TypeOnly(IDC_TIMER_EDIT, "20m");
    Up();
    EXPECT_EQ("20 msek", Shown());
    Up();
    EXPECT_EQ("30 msek", Shown());
    TypeOnly(IDC_TIMER_EDIT, "9 s");
    ClickArrow(IDC_TIMER_SPIN, IDC_TIMER_EDIT, false);
    EXPECT_EQ("9 Sek", Shown());
}

TEST_F(Timer, EnableLeavesTheText)
{
    mgr.SetTimerPos(7, TIMER_UNIT_SEC);
    mgr.Enable(0);
    EXPECT_FALSE(Enabled(IDC_TIMER_EDIT));
    EXPECT_FALSE(Enabled(IDC_TIMER_SPIN));
    EXPECT_EQ("7 Sek", Shown());
    mgr.Enable(1);
    EXPECT_TRUE(Enabled(IDC_TIMER_EDIT));
    EXPECT_TRUE(Enabled(IDC_TIMER_SPIN));
}

TEST(TimerSteps, StepsOutsideTheModelDoNotDivideByZero)
{
    QRVTimerMgr mgr;
    mgr.SetRangeStepSec(1, 100, 0);
    mgr.SetTimerPos(37, TIMER_UNIT_SEC);
    EXPECT_EQ(37, mgr.GetTimerValue());
    mgr.IncDecPos(1);
    EXPECT_EQ(37, mgr.GetTimerValue());
    mgr.ParseUserData("42 s");
    EXPECT_EQ(42, mgr.GetTimerValue());
    mgr.SetRangeStepSec(INT_MIN, INT_MAX, 1);
    mgr.SetTimerPos(INT_MAX, TIMER_UNIT_SEC);
    mgr.SetTimerMode(TIMER_MODE_SEC);
    mgr.IncDecPos(1);
    EXPECT_EQ(INT_MIN, mgr.GetTimerValue()) << "wraps without overflow";
}

}
