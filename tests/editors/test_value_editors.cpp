// The value editors driven through their real controls: the baud rate in
// both modes, the memory sizes with their grid and the trend memory's default
// size, and the timer with its units, modes and panel encodings.
#include "EditorDialogTest.h"
#include <algorithm>

namespace {

// The protected rounding, for the checks at the ends of the 32-bit range.
class BaudRateProbe : public QRVBaudRateMgr
{
public:
    using QRVBaudRateMgr::AdjustValue;
};

TEST_F(Editors, BaudRateValueModeRoundsToTheSeriesClampsAndWrapsRound)
{
    EXPECT_EQ(150, baud.GetBaudRate());
    EXPECT_EQ("", Text(IDC_BAUD_EDIT)) << "subclassing alone writes no text";
    BaudMode(BAUDRATE_VALUE, 150, 1000000, 9600);
    Play(BAUD, {{'T', "10000", 9600, "9600"},   // 10000 - 9600 < 19200 - 10000
          {'T', "14400", 19200, "19200"}, // exactly midway goes up
          {'T', "13000", 9600, "9600"}, {'T', "225", 300, "300"}, {'T', "224", 150, "150"},
          {'T', "  4800 Bd", 4800, "4800"}, {'T', "+600", 600, "600"}, {'T', "-5", 150, "150"},
          {'T', "schnell", 150, "150"},   // no digits: the lower bound
          {'T', "", 150, "150"}, {'T', "500000", 614400, "614400"}});
    // 1000 rounds to 1200; 50000 is nearer 38400 than 76800.
    BaudMode(BAUDRATE_VALUE, 1000, 50000, 2400);
    Play(BAUD, {{'S', "100", 1200, "1200"}, {'S', "1000000", 38400, "38400"}, {'T', "600", 1200, "1200"},
          {'T', "57600", 38400, "38400"}, {'T', "kein Wert", 1200, "1200"}, {'S', "38400", 38400, nullptr},
          {'+', nullptr, 1200, "1200"},   // 76800 is above the range: wraps to the lower bound
          {'-', nullptr, 38400, "38400"},   // 600 is below the range: wraps to the upper bound
          {'-', nullptr, 19200, "19200"}, {'+', nullptr, 38400, nullptr}, {'S', "4800", 4800, nullptr},
          {'^', nullptr, 9600, "9600"},   // real clicks step the value, not the control's position
          {'v', nullptr, 4800, "4800"}, {'v', nullptr, 2400, "2400"}, {'v', nullptr, 1200, "1200"},
          {'v', nullptr, 38400, "38400"}});
}

TEST_F(Editors, BaudRateIndexModeShowsTheTableAndAcceptsOnlyItsTextsInRange)
{
    BaudMode(BAUDRATE_INDEX, 3, 9, 6);
    Play(BAUD, {{'T', "", 6, "9600"},   // nothing typed: the value's text comes back
          {'T', "57600", 9, "57600"},
          {'T', "56000", 9, "57600"},   // an unknown rate keeps the value
          {'T', "1200", 3, "1200"},
          {'T', "600", 3, "1200"},   // index 2 lies below the range
          {'T', " 4800", 3, "1200"},   // the text must match exactly
          {'-', nullptr, 9, "57600"}, {'+', nullptr, 3, "1200"}, {'-', nullptr, 9, nullptr},
          {'-', nullptr, 8, "38400"},
          {'+', "5", 9, "57600"},   // an accelerated step is still one entry
          {'v', nullptr, 8, "38400"}});
}

TEST_F(Editors, BaudRateClickAfterTypingOnlyCommitsTheText)
{
    BaudMode(BAUDRATE_VALUE, 150, 57600, 1200);
    Play(BAUD, {{'t', "10000", NA, "10000"}, {'+', nullptr, 9600, "9600"},   // taken, not stepped
          {'+', nullptr, 19200, "19200"},   // the next click steps
          {'t', "300", NA, nullptr}, {'^', nullptr, 300, "300"}});
    BaudMode(BAUDRATE_INDEX, 0, 9, 4);
    Play(BAUD, {{'t', "unbekannt", NA, nullptr}, {'-', nullptr, 4, "2400"}});
}

TEST_F(Editors, BaudRateModeChangeRecomputesNothingAndOtherModesShowNoText)
{
    BaudMode(BAUDRATE_INDEX, 0, 9, 7);
    baud.SetBaudRateMode(BAUDRATE_VALUE);
    EXPECT_EQ(7, baud.GetBaudRate());
    EXPECT_EQ("19200", Text(IDC_BAUD_EDIT)) << "the text stays until the next refresh";
    baud.SetBaudRateMode(static_cast<BAUDRATE_MODE>(5));
    // In an unknown mode nothing is shown and neither steps nor texts change the value.
    Play(BAUD, {{'S', "4", 9, ""}, {'+', nullptr, 9, nullptr}, {'-', nullptr, 9, nullptr}, {'T', "4800", 9, ""}});
}

TEST(BaudRateRounding, EveryRateStaysNeighboursRoundToItAndTheTopEndsInRange)
{
    BaudRateProbe probe;
    for (int k = 0; k <= 23; ++k) {   // the 24 rates 150 x 2^k that fit into a signed 32-bit number
        const long p = 150L << k;
        EXPECT_EQ(p, probe.AdjustValue(p));
        EXPECT_EQ(p, probe.AdjustValue(p + 1)) << p + 1;
        if (p > 150) {
            EXPECT_EQ(p, probe.AdjustValue(p - p / 4)) << "three quarters of a rate is midway: up";
            EXPECT_EQ(p / 2, probe.AdjustValue(p - p / 4 - 1));
        }
    }
    const struct { long in, out; } tops[] = {
        {LONG_MAX, 1258291200L}, {LONG_MAX - 1, 1258291200L}, {2000000000L, 1258291200L}, {1258291201L, 1258291200L},
        {1073741824L, 1258291200L}, {943718401L, 1258291200L}, {943718400L, 1258291200L}, {943718399L, 629145600L},
        {629145601L, 629145600L}, {0, 150}, {-1, 150}, {LONG_MIN, 150}, {151, 150}};
    for (const auto& t : tops)
        EXPECT_EQ(t.out, probe.AdjustValue(t.in)) << t.in;

    // The same through the public surface: the widest range, the largest
    // value, and a step up that must wrap instead of overflowing.
    QRVBaudRateMgr mgr;
    mgr.SetBaudRateRange(LONG_MIN, LONG_MAX);
    mgr.SetBaudRate(LONG_MAX);
    EXPECT_EQ(1258291200L, mgr.GetBaudRate());
    mgr.IncDecPos(1);
    EXPECT_EQ(150, mgr.GetBaudRate());
    mgr.IncDecPos(-1);
    EXPECT_EQ(1258291200L, mgr.GetBaudRate());
    mgr.ParseUserData("99999999999999");
    EXPECT_EQ(1258291200L, mgr.GetBaudRate());
}

TEST_F(Editors, MemorySizesSnapToAGridFromTheLowerBoundAndAreClamped)
{
    memory.SetRangeStep(128, 512, 32);
    EXPECT_EQ(128, memory.GetMemValue()) << "a range starts at its lower bound";
    EXPECT_EQ("128 K", Text(IDC_MEMORY_EDIT));
    memory.SetRangeStep(64, 1024, 64);
    Play(MEMORY, {{'T', "100", 128, "128 K"}, {'T', "96", 64, "64 K"},   // exactly half a step rounds down
          {'T', "97", 128, "128 K"}, {'T', "2M", 1024, "1024 K"},   // 2048 clamped
          {'T', "2m", 64, "64 K"},   // a lower-case m is no megabyte: 2 snaps up to the grid
          {'T', "0.5M", 512, "512 K"}, {'T', "320 K", 320, "320 K"}, {'T', "  448", 448, "448 K"},
          {'T', "-300", 64, "64 K"}, {'T', "viel", 64, "64 K"}, {'T', "5000", 1024, "1024 K"},
          {'T', "1e9", 1024, "1024 K"}, {'T', "1e300M", 1024, "1024 K"},
          {'S', "100", 128, "128 K"}, {'S', "5000", 1024, "1024 K"}, {'S', "-7", 64, "64 K"}});
    memory.SetRangeStep(512, 4096, 512);
    Play(MEMORY, {{'T', "1.5M", 1536, "1536 K"}});
    memory.SetRangeStep(10, 100, 20);
    Play(MEMORY, {{'T', "35", 30, "30 K"},   // the grid is 10, 30, 50, ...
          {'T', "41", 50, nullptr}, {'T', "100", 90, nullptr},   // half a step rounds down at the top as well
          {'T', "101", 100, "100 K"}});   // the upper bound need not lie on the grid
}

TEST_F(Editors, MemoryArrowsStepAndStopAtTheEndsWithABeepAndAClickAfterTypingOnlyCommits)
{
    memory.SetRangeStep(64, 1024, 64);
    Play(MEMORY, {{'+', nullptr, 128, "128 K"}, {'-', nullptr, 64, "64 K"}, {'b', nullptr, 0, nullptr},
          {'-', nullptr, 64, "64 K"}, {'b', nullptr, 1, nullptr},   // stops instead of wrapping round
          {'S', "1024", 1024, nullptr}, {'+', nullptr, 1024, "1024 K"}, {'b', nullptr, 2, nullptr},
          {'-', nullptr, 960, "960 K"}, {'^', nullptr, 1024, "1024 K"}, {'^', nullptr, 1024, "1024 K"},
          {'b', nullptr, 3, nullptr}, {'v', nullptr, 960, "960 K"},
          {'t', "512", NA, "512"}, {'+', nullptr, 512, "512 K"}, {'+', nullptr, 576, "576 K"},
          {'t', "1M", NA, nullptr}, {'v', nullptr, 1024, "1024 K"}, {'b', nullptr, 3, nullptr}});
}

TEST_F(Editors, MemoryDisabledEditorShowsZeroUntilTheCallerSetsAValue)
{
    memory.SetRangeStep(64, 1024, 64);
    memory.SetMemPos(256);
    memory.Enable(0);
    ExpectEnabled(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, false, "0K");
    EXPECT_EQ(256, memory.GetMemValue()) << "disabling keeps the value";
    memory.Enable(1);
    ExpectEnabled(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, true, "0K");   // enabling does not restore the text
    memory.SetMemPos(memory.GetMemValue());
    EXPECT_EQ("256 K", Text(IDC_MEMORY_EDIT));
}

TEST_F(Editors, MemoryStepsOutsideTheModelDoNotDivideByZeroNorOverflow)
{
    memory.SetRangeStep(0, 100, 0);
    Play(MEMORY, {{'T', "37", 37, "37 K"}, {'+', nullptr, 37, "37 K"}});
    memory.SetRangeStep(0, 100, -10);
    Play(MEMORY, {{'T', "55", 55, "55 K"}, {'+', nullptr, 45, "45 K"}, {'b', nullptr, 0, nullptr}});
    memory.SetRangeStep(INT_MIN, INT_MAX, 1);
    memory.SetMemPos(INT_MAX);
    Step(IDC_MEMORY_SPIN, 1);
    EXPECT_EQ(INT_MAX, memory.GetMemValue()) << "no overflow past the top";
    memory.SetMemPos(INT_MIN);
    Step(IDC_MEMORY_SPIN, -1);
    EXPECT_EQ(INT_MIN, memory.GetMemValue()) << "nor past the bottom";
    EXPECT_EQ(2, m_nBeeps);
}


// Zero and the default size (16 K) select the default size, which lies off the grid.
TEST_F(Editors, TrendMemoryTypedAndSetSizesAndTheDefaultSize)
{
    trend.SetRangeStep(0, 1024, 32);
    Play(TREND, {{'S', "0", 16, "16 K"}, {'S', "40", 32, "32 K"}, {'S', "16", 16, "16 K"}, {'S', "2000", 1024, nullptr},
          {'T', "16", 16, "16 K"}, {'T', "0", 16, "16 K"},
          {'T', "10", 16, "16 K"},   // snaps to 0, which stands for the default
          {'T', "20", 32, "32 K"}, {'T', "100", 96, "96 K"}, {'T', "1M", 1024, "1024 K"}, {'T', "16.0", 16, "16 K"},
          {'T', "16.5", 16, "16 K"},   // not the default size itself: 16 snaps to 0
          {'T', "nichts", 16, "16 K"}});
}

TEST_F(Editors, TrendMemoryArrowsLeaveAndReachTheDefaultSize)
{
    trend.SetRangeStep(0, 1024, 32);
    Play(TREND, {{'S', "0", 16, "16 K"}, {'+', nullptr, 32, "32 K"},   // the first step up lands on 0 + step
          {'+', nullptr, 64, "64 K"}, {'-', nullptr, 32, "32 K"},
          {'-', nullptr, 16, "16 K"},   // a step down from 32 K lands on the default
          {'b', nullptr, 0, nullptr},
          {'-', nullptr, 16, "16 K"},   // -16 is clamped to 0, then raised to the default
          {'b', nullptr, 1, nullptr}, {'S', "1024", 1024, nullptr}, {'+', nullptr, 1024, nullptr},
          {'b', nullptr, 2, nullptr}, {'S', "16", 16, nullptr}, {'^', nullptr, 32, "32 K"}, {'v', nullptr, 16, "16 K"},
          {'t', "200", NA, nullptr}, {'+', nullptr, 192, "192 K"},   // a click after typing only commits
          {'t', "0", NA, nullptr}, {'-', nullptr, 16, "16 K"}, {'-', nullptr, 16, "16 K"}});
    // Steps are not snapped to the grid.
    trend.InitDefaultDatFileValue(48);
    Play(TREND, {{'S', "64", 64, nullptr}, {'-', nullptr, 48, "48 K"}});   // 32 lies below the default size: raised
    trend.InitDefaultDatFileValue(20);
    Play(TREND, {{'S', "20", 20, nullptr}, {'+', nullptr, 32, "32 K"}});
    trend.SetRangeStep(0, 1000, 100);
    trend.InitDefaultDatFileValue(50);
    Play(TREND, {{'S', "250", 200, nullptr}, {'T', "50", 50, "50 K"}, {'+', nullptr, 100, nullptr},
          {'-', nullptr, 50, "50 K"}});   // 0 is raised to the default size

    trend.Enable(0);
    ExpectEnabled(IDC_TREND_SPIN, IDC_TREND_EDIT, false, "0 K");
    trend.Enable(1);
    ExpectEnabled(IDC_TREND_SPIN, IDC_TREND_EDIT, true, "0 K");
}

TEST(TrendMemoryDefault, CreatedWithoutADefaultSizeItIsZero)
{
    QRVTrendMemoryMgr mgr;
    EXPECT_EQ(0, mgr.GetDefaultDatFileValue());
    mgr.SetRangeStep(64, 256, 64);
    mgr.SetMemPos(0);
    EXPECT_EQ(0, mgr.GetMemValue()) << "0 selects the default size, even below the range";
    mgr.InitDefaultDatFileValue(8);
    mgr.ParseUserData("8");
    EXPECT_EQ(8, mgr.GetMemValue());
}

TEST_F(Editors, TimerDefaultRangesAndThePanelEncodings)
{
    auto expectPanel = [&](TIMER_UNIT unit, int flagged, int word, int byte) {
        EXPECT_EQ(unit, timer.GetTimerUnit());
        EXPECT_EQ(flagged, timer.GetTavoFlaggedByte());
        EXPECT_EQ(word, timer.GetTavoWord());
        EXPECT_EQ(byte, timer.GetTavoByte()) << "tenths of a second for milliseconds";
    };
    EXPECT_EQ(TIMER_MODE_BOTH, timer.GetTimerMode());
    EXPECT_EQ(TIMER_UNIT_SEC, timer.GetTimerUnit());
    // The default ranges: 1..127 s by 1, 10..990 ms by 10.
    Play(TIMER, {{'S', "500s", 127, "127 Sek"}, {'S', "0s", 1, "1 Sek"}, {'S', "5000m", 990, "990 msek"},
          {'S', "4m", 10, "10 msek"}, {'S', "5s", 5, "5 Sek"}});
    expectPanel(TIMER_UNIT_SEC, 0x85, 5, 0);
    timer.SetTavoByte(0x32);
    EXPECT_EQ("500 msek", Text(IDC_TIMER_EDIT));
    expectPanel(TIMER_UNIT_MSEC, 0x32, 500, 5);
    timer.SetTavoByte(0xFF);
    EXPECT_EQ("127 Sek", Text(IDC_TIMER_EDIT));
    expectPanel(TIMER_UNIT_SEC, 0xFF, 127, 1);
    timer.Enable(0);
    ExpectEnabled(IDC_TIMER_SPIN, IDC_TIMER_EDIT, false, "127 Sek");   // disabling leaves the text
    timer.Enable(1);
    ExpectEnabled(IDC_TIMER_SPIN, IDC_TIMER_EDIT, true, "127 Sek");
}

TEST(TimerEncoding, EveryPanelByteRoundTripsOrIsClamped)
{
    QRVTimerMgr wide, fixed;
    wide.SetRangeStepSec(0, 127, 1);
    wide.SetRangeStepMiliSec(0, 1270, 10);
    for (int b = 0; b <= 255; ++b) {
        wide.SetTavoByte(static_cast<BYTE>(b));
        EXPECT_EQ(b, wide.GetTavoFlaggedByte()) << b;
        EXPECT_EQ(b < 0x80 ? TIMER_UNIT_MSEC : TIMER_UNIT_SEC, wide.GetTimerUnit()) << b;
        EXPECT_EQ(b < 0x80 ? b * 10 : b - 0x80, wide.GetTimerValue()) << b;
        EXPECT_EQ(wide.GetTimerValue() / 100, wide.GetTavoByte()) << b;
        fixed.SetTavoByte(static_cast<BYTE>(b));   // the default ranges clamp
        int expected = b < 0x80 ? std::min(std::max(b * 10, 10), 990) : std::max(b - 0x80, 1);
        EXPECT_EQ(expected, fixed.GetTimerValue()) << b;
        EXPECT_EQ(b < 0x80 ? expected / 10 : (expected | 0x80), fixed.GetTavoFlaggedByte()) << b;
    }
    // Values beyond what the panel bytes can hold keep their low bits.
    fixed.SetRangeStepSec(1, 1000, 1);
    fixed.SetTimerPos(300, TIMER_UNIT_SEC);
    EXPECT_EQ((300 & 0xFF) | 0x80, fixed.GetTavoFlaggedByte());
    EXPECT_EQ(3, fixed.GetTavoByte());
    fixed.SetRangeStepMiliSec(10, 100000, 10);
    fixed.SetTimerPos(70000, TIMER_UNIT_MSEC);
    EXPECT_EQ(70000 & 0xFFFF, fixed.GetTavoWord());
    EXPECT_EQ((7000 & 0x7F), fixed.GetTavoFlaggedByte());
    EXPECT_EQ(700 & 0xFF, fixed.GetTavoByte());
}

TEST_F(Editors, TimerMode0TypedLettersChooseTheUnitAndStepsRunRoundBothUnits)
{
    Play(TIMER, {{'S', "5s", 5, nullptr}, {'T', "250m", 250, "250 msek"},
          {'T', "255", 250, nullptr},   // half a step rounds down; no letter keeps the unit
          {'T', "256", 260, nullptr}, {'T', "3s", 3, "3 Sek"},
          {'T', "70 msek", 70, "70 msek"}, {'T', "12 Sek", 12, "12 Sek"},   // the editor's own texts parse back
          {'T', "4 M", 10, "10 msek"},   // M is milliseconds too, clamped to the lower bound
          {'T', "1.9 S", 1, "1 Sek"},   // truncated toward zero
          {'T', "Ms", 10, "10 msek"},   // milliseconds win when both letters appear; no number is 0
          {'S', "990m", 990, nullptr}, {'+', nullptr, 1, "1 Sek"}, {'S', "127s", 127, nullptr},
          {'+', nullptr, 10, "10 msek"}, {'-', nullptr, 127, "127 Sek"}, {'S', "1s", 1, nullptr},
          {'-', nullptr, 990, "990 msek"}, {'-', nullptr, 980, "980 msek"}, {'^', nullptr, 990, "990 msek"},
          {'^', nullptr, 1, "1 Sek"}, {'^', nullptr, 2, "2 Sek"},   // real clicks cross into seconds
          {'S', "5s", 5, nullptr}, {'t', "20m", NA, nullptr}, {'+', nullptr, 20, "20 msek"},   // only commits
          {'+', nullptr, 30, "30 msek"}, {'t', "9 s", NA, nullptr}, {'v', nullptr, 9, "9 Sek"}});
}

TEST_F(Editors, TimerMode1WrapsWithinSecondsAndReadsEveryNumberAsSeconds)
{
    timer.SetTimerMode(TIMER_MODE_SEC);
    Play(TIMER, {{'S', "127s", 127, nullptr}, {'+', nullptr, 1, "1 Sek"}, {'-', nullptr, 127, "127 Sek"},
          {'^', nullptr, 1, "1 Sek"}, {'T', "500m", 127, "127 Sek"},   // 500 seconds, clamped
          {'S', "300m", 127, "127 Sek"}});   // the unit argument is overruled
    EXPECT_EQ(TIMER_UNIT_SEC, timer.GetTimerUnit());
    timer.SetRangeStepMiliSec(10, 990, 10);
    EXPECT_EQ(TIMER_UNIT_SEC, timer.GetTimerUnit());
    EXPECT_EQ("10 Sek", Text(IDC_TIMER_EDIT)) << "the value is set, in the only unit";
}

TEST_F(Editors, TimerMode2ShowsWholeSecondsAsSeconds)
{
    timer.SetTimerMode(TIMER_MODE_MSEC);
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
    timer.SetRangeStepMiliSec(1000, 5000, 500);
    EXPECT_EQ("1 Sek", Text(IDC_TIMER_EDIT));
    Play(TIMER, {{'S', "2000m", 2000, "2 Sek"}, {'S', "2500s", 2500, "2500 msek"},
          {'T', "3 Sek", 3000, "3 Sek"},   // seconds typed into a milliseconds-only editor
          {'T', "1.5s", 1500, "1500 msek"}, {'T', "3750", 3500, "3500 msek"}, {'T', "2500 msek", 2500, "2500 msek"},
          {'S', "5000m", 5000, nullptr}, {'+', nullptr, 1000, "1 Sek"},   // wraps within milliseconds
          {'-', nullptr, 5000, "5 Sek"}, {'-', nullptr, 4500, "4500 msek"}, {'v', nullptr, 4000, "4 Sek"}});
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
}

TEST_F(Editors, TimerRangesSetTheValueAndTheUnitAndSnapToAGridFromZero)
{
    timer.SetRangeStepSec(3, 60, 5);
    EXPECT_EQ(TIMER_UNIT_SEC, timer.GetTimerUnit());
    Play(TIMER, {{'S', "1000s", 60, "60 Sek"}, {'S', "12s", 10, nullptr},   // the grid is 0, 5, 10, ... whatever the lower bound
          {'S', "13s", 15, nullptr}, {'S', "1s", 3, "3 Sek"}, {'+', nullptr, 10, "10 Sek"}});   // 3 + 5 snaps
    timer.SetRangeStepMiliSec(100, 900, 100);
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
    EXPECT_EQ("100 msek", Text(IDC_TIMER_EDIT)) << "the value becomes the lower bound";
    // Into the seconds range: its lower bound 3 snaps to the grid.
    Play(TIMER, {{'S', "900m", 900, nullptr}, {'+', nullptr, 5, "5 Sek"}});
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
