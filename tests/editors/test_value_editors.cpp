// The value editors driven through their real controls: the baud rate in
// both modes, the memory sizes with their grid and the trend memory's default
// size, and the timer with its units, modes and panel encodings.
#include "EditorDialogTest.h"
#include <algorithm>

namespace {

TEST_F(Editors, BaudRateValueModeRoundsToTheSeriesClampsAndWrapsRound)
{
    EXPECT_EQ(150, baud.GetBaudRate());
    EXPECT_EQ("", Text(IDC_BAUD_EDIT)) << "subclassing alone writes no text";
    BaudMode(BAUDRATE_VALUE, 150, 1000000, 9600);
    Play(BAUD, {{'T', "10000", 9600, "9600"}, {'T', "14400", 19200, "19200"},   // exactly midway goes up
                {'T', "13000", 9600, "9600"}, {'T', "225", 300, "300"}, {'T', "224", 150, "150"},
                {'T', "  4800 Bd", 4800, "4800"}, {'T', "+600", 600, "600"}, {'T', "-5", 150, "150"},
                {'T', "schnell", 150, "150"}, {'T', "", 150, "150"}, {'T', "500000", 614400, "614400"}});
    // 1000 rounds to 1200; 50000 is nearer 38400 than 76800.
    BaudMode(BAUDRATE_VALUE, 1000, 50000, 2400);
    Play(BAUD, {{'S', "100", 1200, "1200"}, {'S', "1000000", 38400, "38400"}, {'T', "600", 1200, "1200"},
                {'T', "57600", 38400, "38400"}, {'T', "kein Wert", 1200, "1200"}, {'S', "38400", 38400, nullptr},
                {'+', nullptr, 1200, "1200"},   // 76800 is above the range: wraps to the lower bound
                {'-', nullptr, 38400, "38400"},   // 600 is below the range: wraps to the upper bound
                {'-', nullptr, 19200, "19200"}, {'+', nullptr, 38400, nullptr}, {'S', "4800", 4800, nullptr},
                {'^', nullptr, 9600, "9600"},   // real clicks step the value, not the control's position
                {'v', nullptr, 4800, "4800"}, {'v', nullptr, 2400, "2400"}, {'v', nullptr, 1200, "1200"},
                {'v', nullptr, 38400, "38400"}, {'t', "10000", NA, "10000"},
                {'+', nullptr, 9600, "9600"},   // a click after typing only commits the text
                {'+', nullptr, 19200, "19200"}, {'t', "300", NA, nullptr}, {'^', nullptr, 1200, "1200"}});
}

TEST_F(Editors, BaudRateIndexModeShowsTheTableAndAcceptsOnlyItsTextsInRange)
{
    BaudMode(BAUDRATE_INDEX, 3, 9, 6);
    Play(BAUD, {{'T', "", 6, "9600"},   // nothing typed: the value's text comes back
                {'T', "57600", 9, "57600"}, {'T', "56000", 9, "57600"},   // an unknown rate keeps the value
                {'T', "1200", 3, "1200"}, {'T', "600", 3, "1200"},   // index 2 lies below the range
                {'T', " 4800", 3, "1200"},   // the text must match exactly
                {'-', nullptr, 9, "57600"}, {'+', nullptr, 3, "1200"}, {'-', nullptr, 9, nullptr},
                {'-', nullptr, 8, "38400"}, {'+', "5", 9, "57600"},   // an accelerated step is still one entry
                {'v', nullptr, 8, "38400"}, {'t', "unbekannt", NA, nullptr}, {'-', nullptr, 8, "38400"}});
    baud.SetBaudRateMode(BAUDRATE_VALUE);
    EXPECT_EQ(8, baud.GetBaudRate()) << "a mode change recomputes nothing";
    EXPECT_EQ("38400", Text(IDC_BAUD_EDIT)) << "the text stays until the next refresh";
    baud.SetBaudRateMode(static_cast<BAUDRATE_MODE>(5));
    // In an unknown mode nothing is shown and neither steps nor texts change the value (4 is clamped).
    Play(BAUD, {{'S', "4", 9, ""}, {'+', nullptr, 9, nullptr}, {'-', nullptr, 9, nullptr}, {'T', "4800", 9, ""}});
}

// The widest range holds every rate of the series, 150 to 1 258 291 200.
TEST(BaudRateRounding, EveryRateStaysNeighboursRoundToItAndStepsAtTheEndsWrapWithoutOverflow)
{
    QRVBaudRateMgr mgr;
    mgr.SetBaudRateRange(LONG_MIN, LONG_MAX);
    auto round = [&](long v) { return mgr.SetBaudRate(v), mgr.GetBaudRate(); };
    for (int k = 0; k <= 23; ++k) {   // the 24 rates 150 x 2^k that fit into a signed 32-bit number
        const long p = 150L << k;
        EXPECT_TRUE(round(p) == p && round(p + 1) == p) << p;
        // Three quarters of a rate lie midway: up.
        EXPECT_TRUE(p == 150 || (round(p - p / 4) == p && round(p - p / 4 - 1) == p / 2)) << p;
    }
    for (long in : {LONG_MAX, LONG_MAX - 1, 2000000000L, 1258291201L, 1073741824L, 0L, -1L, LONG_MIN})
        EXPECT_EQ(in > 0 ? 1258291200L : 150L, round(in)) << in;
    mgr.SetBaudRate(LONG_MAX);
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
    EXPECT_EQ("128 K", Text(IDC_MEMORY_EDIT)) << "a range starts at its lower bound";
    memory.SetRangeStep(64, 1024, 64);
    Play(MEMORY, {{'T', "100", 128, "128 K"}, {'T', "96", 64, "64 K"},   // exactly half a step rounds down
                  {'T', "97", 128, "128 K"}, {'T', "2M", 1024, "1024 K"},   // 2048 clamped
                  {'T', "2m", 64, "64 K"},   // a lower-case m is no megabyte: 2 snaps up to the grid
                  {'T', "0.5M", 512, "512 K"}, {'T', "320 K", 320, "320 K"}, {'T', "  448", 448, "448 K"},
                  {'T', "-300", 64, "64 K"}, {'T', "viel", 64, "64 K"}, {'T', "nan", 64, "64 K"},
                  {'T', "5000", 1024, "1024 K"}, {'T', "1e9", 1024, "1024 K"}, {'T', "1e300M", 1024, "1024 K"},
                  {'T', "-1e300", 64, "64 K"}, {'S', "100", 128, "128 K"}, {'S', "5000", 1024, "1024 K"},
                  {'S', "-7", 64, "64 K"}});
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
    // Steps outside the model neither divide by zero nor overflow.
    memory.SetRangeStep(0, 100, 0);
    Play(MEMORY, {{'T', "37", 37, "37 K"}, {'+', nullptr, 37, "37 K"}});
    memory.SetRangeStep(0, 100, -10);
    Play(MEMORY, {{'T', "55", 55, "55 K"}, {'+', nullptr, 45, "45 K"}, {'b', nullptr, 3, nullptr}});
    memory.SetRangeStep(INT_MIN, INT_MAX, 1);
    Play(MEMORY, {{'S', "2147483647", INT_MAX, nullptr}, {'+', nullptr, INT_MAX, nullptr},
                  {'S', "-2147483648", INT_MIN, nullptr}, {'-', nullptr, INT_MIN, nullptr}, {'b', nullptr, 5, nullptr}});
}

TEST_F(Editors, DisablingTurnsBothControlsOffKeepsTheValueAndMemoryShowsZeroUntilSetAgain)
{
    memory.SetRangeStep(64, 1024, 64), memory.SetMemPos(256);
    trend.SetRangeStep(0, 1024, 32), trend.SetMemPos(256);
    timer.SetTimerPos(127, TIMER_UNIT_SEC);
    for (bool on : {false, true}) {   // enabling restores no text
        memory.Enable(on), trend.Enable(on), timer.Enable(on);
        for (Which w : {MEMORY, TREND, TIMER})
            EXPECT_TRUE(Enabled(kEdit[w]) == on && Enabled(kSpin[w]) == on) << w;
        EXPECT_EQ("0K|0 K|127 Sek", Text(IDC_MEMORY_EDIT) + "|" + Text(IDC_TREND_EDIT) + "|" + Text(IDC_TIMER_EDIT));
    }
    EXPECT_TRUE(memory.GetMemValue() == 256 && trend.GetMemValue() == 256);
    memory.SetMemPos(memory.GetMemValue());
    EXPECT_EQ("256 K", Text(IDC_MEMORY_EDIT));
}

// Zero and the default size (16 K) select the default size, which lies off the grid.
TEST_F(Editors, TrendMemoryTypedSetAndSteppedSizesLeaveAndReachTheDefaultSize)
{
    trend.SetRangeStep(0, 1024, 32);
    Play(TREND, {{'S', "0", 16, "16 K"}, {'S', "40", 32, "32 K"}, {'S', "16", 16, "16 K"}, {'S', "2000", 1024, nullptr},
                 {'T', "16", 16, "16 K"}, {'T', "0", 16, "16 K"}, {'T', "10", 16, "16 K"},   // 10 snaps to 0
                 {'T', "20", 32, "32 K"}, {'T', "100", 96, "96 K"}, {'T', "1M", 1024, "1024 K"},
                 {'T', "16.0", 16, "16 K"}, {'T', "16.5", 16, "16 K"},   // not the default size itself: 16 snaps to 0
                 {'T', "nichts", 16, "16 K"}, {'+', nullptr, 32, "32 K"},   // the first step up lands on 0 + step
                 {'+', nullptr, 64, "64 K"}, {'-', nullptr, 32, "32 K"},
                 {'-', nullptr, 16, "16 K"}, {'b', nullptr, 0, nullptr},   // a step down from 32 K lands on the default
                 {'-', nullptr, 16, "16 K"}, {'b', nullptr, 1, nullptr},   // -16 clamped to 0, raised to the default
                 {'S', "1024", 1024, nullptr}, {'+', nullptr, 1024, nullptr}, {'b', nullptr, 2, nullptr},
                 {'S', "16", 16, nullptr}, {'^', nullptr, 32, "32 K"}, {'v', nullptr, 16, "16 K"},
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
}

TEST(TimerEncoding, EveryPanelByteRoundTripsOrIsClamped)
{
    QRVTimerMgr wide, fixed;
    wide.SetRangeStepSec(0, 127, 1);
    wide.SetRangeStepMiliSec(0, 1270, 10);
    for (int b = 0; b <= 255; ++b) {
        SCOPED_TRACE(b);
        wide.SetTavoByte(static_cast<BYTE>(b));
        EXPECT_EQ(b, wide.GetTavoFlaggedByte());
        EXPECT_EQ(b < 0x80 ? TIMER_UNIT_MSEC : TIMER_UNIT_SEC, wide.GetTimerUnit());
        EXPECT_EQ(b < 0x80 ? b * 10 : b - 0x80, wide.GetTimerValue());
        EXPECT_TRUE(wide.GetTavoWord() == wide.GetTimerValue() && wide.GetTavoByte() == wide.GetTimerValue() / 100);
        fixed.SetTavoByte(static_cast<BYTE>(b));   // the default ranges clamp
        int expected = b < 0x80 ? std::min(std::max(b * 10, 10), 990) : std::max(b - 0x80, 1);
        EXPECT_EQ(expected, fixed.GetTimerValue());
        EXPECT_EQ(b < 0x80 ? expected / 10 : (expected | 0x80), fixed.GetTavoFlaggedByte());
    }
    // Values beyond what the panel bytes can hold keep their low bits.
    fixed.SetRangeStepSec(1, 1000, 1);
    fixed.SetTimerPos(300, TIMER_UNIT_SEC);
    EXPECT_TRUE(fixed.GetTavoFlaggedByte() == ((300 & 0xFF) | 0x80) && fixed.GetTavoByte() == 3);
    fixed.SetRangeStepMiliSec(10, 100000, 10);
    fixed.SetTimerPos(70000, TIMER_UNIT_MSEC);
    EXPECT_EQ(70000 & 0xFFFF, fixed.GetTavoWord());
    EXPECT_TRUE(fixed.GetTavoFlaggedByte() == (7000 & 0x7F) && fixed.GetTavoByte() == (700 & 0xFF));
}

TEST_F(Editors, TimerMode0TypedLettersChooseTheUnitStepsRunRoundBothUnitsAndRangesSnapFromZero)
{
    EXPECT_TRUE(timer.GetTimerMode() == TIMER_MODE_BOTH && timer.GetTimerUnit() == TIMER_UNIT_SEC);
    // The default ranges: 1..127 s by 1, 10..990 ms by 10.
    Play(TIMER, {{'S', "500s", 127, "127 Sek"}, {'S', "0s", 1, "1 Sek"}, {'S', "5000m", 990, "990 msek"},
                 {'S', "4m", 10, "10 msek"}, {'S', "5s", 5, "5 Sek"}});
    EXPECT_EQ(0x85, timer.GetTavoFlaggedByte());
    timer.SetTavoByte(0x32);
    EXPECT_EQ("500 msek", Text(IDC_TIMER_EDIT)) << "a panel byte shows at once";
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
    // A range sets the value to its lower bound, in its unit; the grid is 0, 5, 10, ... whatever the lower bound.
    timer.SetRangeStepSec(3, 60, 5);
    EXPECT_EQ(TIMER_UNIT_SEC, timer.GetTimerUnit());
    Play(TIMER, {{'S', "1000s", 60, "60 Sek"}, {'S', "12s", 10, nullptr}, {'S', "13s", 15, nullptr},
                 {'S', "1s", 3, "3 Sek"}, {'+', nullptr, 10, "10 Sek"}});   // 3 + 5 snaps to 10
    timer.SetRangeStepMiliSec(100, 900, 100);
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
    EXPECT_EQ("100 msek", Text(IDC_TIMER_EDIT));
    Play(TIMER, {{'S', "900m", 900, nullptr}, {'+', nullptr, 5, "5 Sek"}});   // into seconds: 3 snaps to 5
}

// Mode 1 knows seconds only, mode 2 milliseconds only.
TEST_F(Editors, TimerModes1And2KeepToTheirUnit)
{
    timer.SetTimerMode(TIMER_MODE_SEC);
    Play(TIMER, {{'S', "127s", 127, nullptr}, {'+', nullptr, 1, "1 Sek"}, {'-', nullptr, 127, "127 Sek"},
                 {'^', nullptr, 1, "1 Sek"}, {'T', "500m", 127, "127 Sek"},   // 500 seconds, clamped
                 {'S', "300m", 127, "127 Sek"}});   // the unit argument is overruled
    timer.SetRangeStepMiliSec(10, 990, 10);
    EXPECT_EQ(TIMER_UNIT_SEC, timer.GetTimerUnit());
    EXPECT_EQ("10 Sek", Text(IDC_TIMER_EDIT)) << "the value is set, in the only unit";
    // Steps outside the model neither divide by zero nor overflow.
    timer.SetRangeStepSec(1, 100, 0);
    Play(TIMER, {{'S', "37s", 37, nullptr}, {'+', nullptr, 37, nullptr}, {'T', "42 s", 42, "42 Sek"}});
    timer.SetRangeStepSec(INT_MIN, INT_MAX, 1);
    Play(TIMER, {{'S', "2147483647s", INT_MAX, nullptr}, {'+', nullptr, INT_MIN, nullptr}});   // wraps round
    // Whole seconds are shown as seconds.
    timer.SetTimerMode(TIMER_MODE_MSEC);
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
    timer.SetRangeStepMiliSec(1000, 5000, 500);
    EXPECT_EQ("1 Sek", Text(IDC_TIMER_EDIT));
    Play(TIMER, {{'S', "2000m", 2000, "2 Sek"}, {'S', "2500s", 2500, "2500 msek"},
                 {'T', "3 Sek", 3000, "3 Sek"},   // seconds typed into a milliseconds-only editor
                 {'T', "1.5s", 1500, "1500 msek"}, {'T', "3750", 3500, "3500 msek"},
                 {'T', "2500 msek", 2500, "2500 msek"}, {'S', "5000m", 5000, nullptr},
                 {'+', nullptr, 1000, "1 Sek"},   // wraps within milliseconds
                 {'-', nullptr, 5000, "5 Sek"}, {'-', nullptr, 4500, "4500 msek"}, {'v', nullptr, 4000, "4 Sek"}});
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
}

}
