// The value editors driven through their real controls in a dialog of the
// test's own resources: the baud rate in both modes, the memory sizes with
// their grid and the trend memory's default size, and the timer with its
// units, modes and panel encodings; and the spin-edit base they share.
#include <afxwin.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include "editors/EditorBeep.h"
#include "editors/MemoryEditCtl.h"
#include "editors/MemorySpinCtl.h"
#include "editors/QRVBaudRateMgr.h"
#include "editors/QRVMemoryMgr.h"
#include "editors/QRVTimerMgr.h"
#include "editors/QRVTrendMemoryMgr.h"
#include "editors/TimerEditCtl.h"
#include "editors/TimerSpinCtl.h"
#include "editors_tests_res.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

// One action on an editor and what it must hold after it: the manager's value
// (unless NA) and the box's text (unless null).
struct Act {
    char op;
    const char *arg;
    long long value;
    const char *shown;
    int delta;
};
const long long NA = LLONG_MIN;

// The dialog of the tests, created modeless on the test thread from the test's
// own templates, with the four editors attached: baud rate, memory, trend
// memory (default size 16 K) and timer.
class Editors : public ::testing::Test {
protected:
    enum Which { BAUD, MEMORY, TREND, TIMER };
    static constexpr int kEdit[] = {IDC_BAUD_EDIT, IDC_MEMORY_EDIT, IDC_TREND_EDIT, IDC_TIMER_EDIT};
    static constexpr int kSpin[] = {IDC_BAUD_SPIN, IDC_MEMORY_SPIN, IDC_TREND_SPIN, IDC_TIMER_SPIN};

    void SetUp() override { Attach(IDD_EDITORS_TEST); }
    // The dialog alone, its controls not yet taken over.
    void Open(UINT idd)
    {
        s_nBeeps = 0;
        m_pfnOldBeep = CEditorBeep::SetHook(&OnBeep);
        ASSERT_TRUE(m_dlg.Create(idd));
        ::SetForegroundWindow(m_dlg.m_hWnd);
        Focus(m_dlg.m_hWnd, IDC_OTHER_EDIT);
        PumpFor(20);
    }
    void TearDown() override
    {
        if (m_dlg.m_hWnd)
            m_dlg.DestroyWindow();
        PumpFor(10);
        CEditorBeep::SetHook(m_pfnOldBeep);
    }

    HWND Item(int id) const { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    std::string Text(int editId) const { return ItemText(m_dlg.m_hWnd, editId); }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    CWnd *Dialog() { return &m_dlg; }
    // UDN_DELTAPOS as the up-down control sends it to its parent; returns
    // the parent's answer (non-zero would stop the control's own step).
    LRESULT Step(int spinId, int delta)
    {
        HWND hSpin = Item(spinId);
        NMUPDOWN nm = {
            {hSpin, UINT_PTR(spinId), UDN_DELTAPOS}, int(::SendMessageA(hSpin, UDM_GETPOS32, 0, 0)), delta};
        return ::SendMessageA(m_dlg.m_hWnd, WM_NOTIFY, WPARAM(spinId), LPARAM(&nm));
    }
    // A real mouse click on an arrow, pumped until the box's text changed (or a short time passed).
    void ClickArrow(int spinId, int editId, bool upper)
    {
        const std::string before = Text(editId);
        ClickSpinArrow(Item(spinId), upper);
        PumpUntil([&] { return Text(editId) != before; }, 500);
        PumpFor(20); // the button-up message and whatever it causes as well
    }
    void Type(int editId, const std::string &text, bool leave = true)
    {
        qrvtest::Type(m_dlg.m_hWnd, editId, text);
        if (leave)
            Focus(m_dlg.m_hWnd, IDC_OTHER_EDIT);
        PumpFor(10);
    }

    void Attach(UINT idd)
    {
        ASSERT_NO_FATAL_FAILURE(Open(idd));
        ASSERT_TRUE(baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
        ASSERT_TRUE(memory.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()));
        ASSERT_TRUE(trend.SubClassControls(IDC_TREND_SPIN, IDC_TREND_EDIT, Dialog()));
        ASSERT_TRUE(timer.SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()));
    }
    long Value(Which w)
    {
        return w == BAUD    ? baud.GetBaudRate()
               : w == TIMER ? timer.GetTimerValue()
                            : (w == MEMORY ? memory : trend).GetMemValue();
    }
    // A number; for the timer "<n>s" or "<n>m" (seconds or milliseconds).
    void Set(Which w, const char *a)
    {
        if (w == TIMER)
            timer.SetTimerPos(atoi(a), strchr(a, 'm') ? TIMER_UNIT_MSEC : TIMER_UNIT_SEC);
        else if (w == BAUD)
            baud.SetBaudRate(atol(a));
        else
            (w == MEMORY ? memory : trend).SetMemPos(atoi(a));
    }
    // The actions, with the value and text (t) they leave: typing a text and leaving the box, only
    // typing it, setting a value through the manager, the up-down control's step notification up (by
    // delta) or down (its answer 0 lets the control go on), a click on its upper or lower arrow; and
    // the beeps so far.
    static Act Typed(const char *s, long long v, const char *t = nullptr) { return {'T', s, v, t, 0}; }
    static Act Typing(const char *s, const char *t = nullptr) { return {'t', s, NA, t, 0}; }
    static Act SetTo(const char *s, long long v, const char *t = nullptr) { return {'S', s, v, t, 0}; }
    static Act StepUp(long long v, const char *t = nullptr, int delta = 1) { return {'+', "", v, t, delta}; }
    static Act StepDown(long long v, const char *t = nullptr) { return {'+', "", v, t, -1}; }
    static Act ClickUp(long long v, const char *t = nullptr) { return {'^', "", v, t, 0}; }
    static Act ClickDown(long long v, const char *t = nullptr) { return {'v', "", v, t, 0}; }
    static Act Beeps(int n) { return {'b', "", n, nullptr, 0}; }
    // Plays the actions on one editor.
    void Play(Which w, std::initializer_list<Act> acts)
    {
        int n = 0;
        for (const Act &a : acts) {
            SCOPED_TRACE("action " + std::to_string(++n) + " '" + a.op + "' " + a.arg);
            switch (a.op) {
            case 'T': Type(kEdit[w], a.arg); break;
            case 't': Type(kEdit[w], a.arg, false); break;
            case 'S': Set(w, a.arg); break;
            case '+': EXPECT_EQ(0, Step(kSpin[w], a.delta)); break;
            case '^':
            case 'v': ClickArrow(kSpin[w], kEdit[w], a.op == '^'); break;
            case 'b': EXPECT_EQ(a.value, s_nBeeps); continue;
            default: ADD_FAILURE() << "unknown action";
            }
            EXPECT_TRUE(a.value == NA || a.value == Value(w)) << Value(w);
            EXPECT_TRUE(!a.shown || a.shown == Text(kEdit[w])) << Text(kEdit[w]);
        }
    }
    void BaudMode(BAUDRATE_MODE mode, long lower, long upper, long value)
    {
        baud.SetBaudRateMode(mode);
        baud.SetBaudRateRange(lower, upper);
        baud.SetBaudRate(value);
    }

    CDialog m_dlg;
    static inline int s_nBeeps = 0;
    QRVBaudRateMgr baud;
    QRVMemoryMgr memory;
    QRVTrendMemoryMgr trend{16};
    QRVTimerMgr timer;
    CSpinEditMgr *const mgrs[4] = {&baud, &memory, &trend, &timer};

private:
    static void AFXAPI OnBeep(UINT) { ++s_nBeeps; }
    CEditorBeep::PFN_BEEP m_pfnOldBeep = nullptr;
};

TEST_F(Editors, BaudRateValueModeRoundsToTheSeriesClampsAndWrapsRound)
{
    EXPECT_EQ(150, baud.GetBaudRate());
    EXPECT_EQ("", Text(IDC_BAUD_EDIT)) << "subclassing alone writes no text";
    BaudMode(BAUDRATE_VALUE, 150, 1000000, 9600);
    Play(BAUD, {Typed("10000", 9600, "9600"), Typed("14400", 19200, "19200"), // exactly midway goes up
                Typed("13000", 9600, "9600"), Typed("225", 300, "300"), Typed("224", 150, "150"),
                Typed("  4800 Bd", 4800, "4800"), Typed("+600", 600, "600"), Typed("-5", 150, "150"),
                Typed("schnell", 150, "150"), Typed("", 150, "150"), Typed("500000", 614400, "614400")});
    // 1000 rounds to 1200; 50000 is nearer 38400 than 76800.
    BaudMode(BAUDRATE_VALUE, 1000, 50000, 2400);
    Play(BAUD, {SetTo("100", 1200, "1200"), SetTo("1000000", 38400, "38400"), Typed("600", 1200, "1200"),
                Typed("57600", 38400, "38400"), Typed("kein Wert", 1200, "1200"), SetTo("38400", 38400)});
    // 76800 is above the range: wraps to the lower bound; 600 is below it: wraps to the upper bound.
    Play(BAUD, {StepUp(1200, "1200"), StepDown(38400, "38400"), StepDown(19200, "19200"), StepUp(38400)});
    // Real clicks step the value, not the control's position.
    Play(BAUD, {SetTo("4800", 4800), ClickUp(9600, "9600"), ClickDown(4800, "4800"), ClickDown(2400, "2400"),
                ClickDown(1200, "1200"), ClickDown(38400, "38400")});
    // A click after typing only commits the text.
    Play(BAUD, {Typing("10000", "10000"), StepUp(9600, "9600"), StepUp(19200, "19200"), Typing("300"),
                ClickUp(1200, "1200")});
}

TEST_F(Editors, BaudRateIndexModeShowsTheTableAndAcceptsOnlyItsTextsInRange)
{
    BaudMode(BAUDRATE_INDEX, 3, 9, 6);
    Play(BAUD, {Typed("", 6, "9600"), // nothing typed: the value's text comes back
                Typed("57600", 9, "57600"), Typed("56000", 9, "57600"), // an unknown rate keeps the value
                Typed("1200", 3, "1200"), Typed("600", 3, "1200"),      // index 2 lies below the range
                Typed(" 4800", 3, "1200"),                              // the text must match exactly
                StepDown(9, "57600"), StepUp(3, "1200"), StepDown(9), StepDown(8, "38400"),
                StepUp(9, "57600", 5), // an accelerated step is still one entry
                ClickDown(8, "38400"), Typing("unbekannt"), StepDown(8, "38400")});
    baud.SetBaudRateMode(BAUDRATE_VALUE);
    EXPECT_EQ(8, baud.GetBaudRate()) << "a mode change recomputes nothing";
    EXPECT_EQ("38400", Text(IDC_BAUD_EDIT)) << "the text stays until the next refresh";
    baud.SetBaudRateMode(static_cast<BAUDRATE_MODE>(5));
    // In an unknown mode nothing is shown and neither steps nor texts change the value (4 is clamped).
    Play(BAUD, {SetTo("4", 9, ""), StepUp(9), StepDown(9), Typed("4800", 9, "")});
}

// The widest range holds every rate of the series, 150 to 1 258 291 200.
TEST(BaudRateRounding, EveryRateStaysNeighboursRoundToItAndStepsAtTheEndsWrapWithoutOverflow)
{
    QRVBaudRateMgr mgr;
    mgr.SetBaudRateRange(LONG_MIN, LONG_MAX);
    auto round = [&](long v) {
        mgr.SetBaudRate(v);
        return mgr.GetBaudRate();
    };
    for (int k = 0; k <= 23; ++k) { // the 24 rates 150 x 2^k that fit into a signed 32-bit number
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
    Play(MEMORY, {Typed("100", 128, "128 K"), Typed("96", 64, "64 K"),    // exactly half a step rounds down
                  Typed("97", 128, "128 K"), Typed("2M", 1024, "1024 K"), // 2048 clamped
                  Typed("2m", 64, "64 K"), // a lower-case m is no megabyte: 2 snaps up to the grid
                  Typed("0.5M", 512, "512 K"), Typed("320 K", 320, "320 K"), Typed("  448", 448, "448 K"),
                  Typed("-300", 64, "64 K"), Typed("viel", 64, "64 K"), Typed("nan", 64, "64 K"),
                  Typed("5000", 1024, "1024 K"), Typed("1e9", 1024, "1024 K"),
                  Typed("1e300M", 1024, "1024 K"), Typed("-1e300", 64, "64 K"), SetTo("100", 128, "128 K"),
                  SetTo("5000", 1024, "1024 K"), SetTo("-7", 64, "64 K")});
    memory.SetRangeStep(512, 4096, 512);
    Play(MEMORY, {Typed("1.5M", 1536, "1536 K")});
    memory.SetRangeStep(10, 100, 20);
    Play(MEMORY, {Typed("35", 30, "30 K"),           // the grid is 10, 30, 50, ...
                  Typed("41", 50), Typed("100", 90), // half a step rounds down at the top as well
                  Typed("101", 100, "100 K")});      // the upper bound need not lie on the grid
}

TEST_F(Editors, MemoryArrowsStepAndStopAtTheEndsWithABeepAndAClickAfterTypingOnlyCommits)
{
    memory.SetRangeStep(64, 1024, 64);
    Play(MEMORY, {StepUp(128, "128 K"), StepDown(64, "64 K"), Beeps(0), StepDown(64, "64 K"),
                  Beeps(1), // stops instead of wrapping round
                  SetTo("1024", 1024), StepUp(1024, "1024 K"), Beeps(2), StepDown(960, "960 K"),
                  ClickUp(1024, "1024 K"), ClickUp(1024, "1024 K"), Beeps(3), ClickDown(960, "960 K"),
                  Typing("512", "512"), StepUp(512, "512 K"), StepUp(576, "576 K"), Typing("1M"),
                  ClickDown(1024, "1024 K"), Beeps(3)});
    // Steps outside the model neither divide by zero nor overflow.
    memory.SetRangeStep(0, 100, 0);
    Play(MEMORY, {Typed("37", 37, "37 K"), StepUp(37, "37 K")});
    memory.SetRangeStep(0, 100, -10);
    Play(MEMORY, {Typed("55", 55, "55 K"), StepUp(45, "45 K"), Beeps(3)});
    memory.SetRangeStep(INT_MIN, INT_MAX, 1);
    Play(MEMORY, {SetTo("2147483647", INT_MAX), StepUp(INT_MAX), Beeps(4), SetTo("-2147483648", INT_MIN),
                  StepDown(INT_MIN), Beeps(5)});
}

TEST_F(Editors, DisablingTurnsBothControlsOffKeepsTheValueAndMemoryShowsZeroUntilSetAgain)
{
    memory.SetRangeStep(64, 1024, 64);
    trend.SetRangeStep(0, 1024, 32);
    for (Which w : {MEMORY, TREND, TIMER})
        Set(w, w == TIMER ? "127s" : "256");
    for (bool on : {false, true}) { // enabling restores no text
        memory.Enable(on);
        trend.Enable(on);
        timer.Enable(on);
        for (Which w : {MEMORY, TREND, TIMER})
            EXPECT_TRUE(Enabled(kEdit[w]) == on && Enabled(kSpin[w]) == on) << w;
        EXPECT_EQ("0K|0 K|127 Sek",
                  Text(IDC_MEMORY_EDIT) + "|" + Text(IDC_TREND_EDIT) + "|" + Text(IDC_TIMER_EDIT));
    }
    EXPECT_TRUE(memory.GetMemValue() == 256 && trend.GetMemValue() == 256);
    memory.SetMemPos(memory.GetMemValue());
    EXPECT_EQ("256 K", Text(IDC_MEMORY_EDIT));
}

// Zero and the default size (16 K) select the default size, which lies off the grid.
TEST_F(Editors, TrendMemoryTypedSetAndSteppedSizesLeaveAndReachTheDefaultSize)
{
    trend.SetRangeStep(0, 1024, 32);
    // 10 snaps to 0, and 16.5 to 16, which is not the default size itself but snaps to 0 as well.
    Play(TREND,
         {SetTo("0", 16, "16 K"), SetTo("40", 32, "32 K"), SetTo("16", 16, "16 K"), SetTo("2000", 1024),
          Typed("16", 16, "16 K"), Typed("0", 16, "16 K"), Typed("10", 16, "16 K"), Typed("20", 32, "32 K"),
          Typed("100", 96, "96 K"), Typed("1M", 1024, "1024 K"), Typed("16.0", 16, "16 K"),
          Typed("16.5", 16, "16 K"), Typed("nichts", 16, "16 K")});
    // The first step up lands on 0 + step, a step down from 32 K on the default size; -16 is clamped
    // to 0 and raised to the default without a beep.
    Play(TREND, {StepUp(32, "32 K"), StepUp(64, "64 K"), StepDown(32, "32 K"), StepDown(16, "16 K"), Beeps(0),
                 StepDown(16, "16 K"), Beeps(1), SetTo("1024", 1024), StepUp(1024), Beeps(2)});
    // Real clicks, and clicks after typing that only commit.
    Play(TREND, {SetTo("16", 16), ClickUp(32, "32 K"), ClickDown(16, "16 K"), Typing("200"),
                 StepUp(192, "192 K"), Typing("0"), StepDown(16, "16 K"), StepDown(16, "16 K")});
    // Steps are not snapped to the grid.
    trend.InitDefaultDatFileValue(48);
    Play(TREND, {SetTo("64", 64), StepDown(48, "48 K")}); // 32 lies below the default size: raised
    trend.InitDefaultDatFileValue(20);
    Play(TREND, {SetTo("20", 20), StepUp(32, "32 K")});
    trend.SetRangeStep(0, 1000, 100);
    trend.InitDefaultDatFileValue(50);
    Play(TREND, {SetTo("250", 200), Typed("50", 50, "50 K"), StepUp(100),
                 StepDown(50, "50 K")}); // 0 is raised to the default size
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
        EXPECT_TRUE(wide.GetTavoWord() == wide.GetTimerValue() &&
                    wide.GetTavoByte() == wide.GetTimerValue() / 100);
        fixed.SetTavoByte(static_cast<BYTE>(b)); // the default ranges clamp
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
    Play(TIMER, {SetTo("500s", 127, "127 Sek"), SetTo("0s", 1, "1 Sek"), SetTo("5000m", 990, "990 msek"),
                 SetTo("4m", 10, "10 msek"), SetTo("5s", 5, "5 Sek")});
    EXPECT_EQ(0x85, timer.GetTavoFlaggedByte());
    timer.SetTavoByte(0x32);
    EXPECT_EQ("500 msek", Text(IDC_TIMER_EDIT)) << "a panel byte shows at once";
    // Half a step rounds down; no letter keeps the unit; the editor's own texts parse back; M is
    // milliseconds too; numbers are truncated toward zero; milliseconds win when both letters appear.
    Play(TIMER, {SetTo("5s", 5), Typed("250m", 250, "250 msek"), Typed("255", 250), Typed("256", 260),
                 Typed("3s", 3, "3 Sek"), Typed("70 msek", 70, "70 msek"), Typed("12 Sek", 12, "12 Sek"),
                 Typed("4 M", 10, "10 msek"), Typed("1.9 S", 1, "1 Sek"), Typed("Ms", 10, "10 msek")});
    // Steps and real clicks cross from one unit into the other.
    Play(TIMER,
         {SetTo("990m", 990), StepUp(1, "1 Sek"), SetTo("127s", 127), StepUp(10, "10 msek"),
          StepDown(127, "127 Sek"), SetTo("1s", 1), StepDown(990, "990 msek"), StepDown(980, "980 msek"),
          ClickUp(990, "990 msek"), ClickUp(1, "1 Sek"), ClickUp(2, "2 Sek")});
    // A click after typing only commits the text.
    Play(TIMER, {SetTo("5s", 5), Typing("20m"), StepUp(20, "20 msek"), StepUp(30, "30 msek"), Typing("9 s"),
                 ClickDown(9, "9 Sek")});
    // A range sets the value to its lower bound, in its unit; the grid is 0, 5, 10, ... from zero.
    timer.SetRangeStepSec(3, 60, 5);
    EXPECT_EQ(TIMER_UNIT_SEC, timer.GetTimerUnit());
    Play(TIMER, {SetTo("1000s", 60, "60 Sek"), SetTo("12s", 10), SetTo("13s", 15), SetTo("1s", 3, "3 Sek"),
                 StepUp(10, "10 Sek")}); // 3 + 5 snaps to 10
    timer.SetRangeStepMiliSec(100, 900, 100);
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
    EXPECT_EQ("100 msek", Text(IDC_TIMER_EDIT));
    Play(TIMER, {SetTo("900m", 900), StepUp(5, "5 Sek")}); // into seconds: 3 snaps to 5
}

// Mode 1 knows seconds only, mode 2 milliseconds only.
TEST_F(Editors, TimerModes1And2KeepToTheirUnit)
{
    timer.SetTimerMode(TIMER_MODE_SEC);
    Play(TIMER, {SetTo("127s", 127), StepUp(1, "1 Sek"), StepDown(127, "127 Sek"), ClickUp(1, "1 Sek"),
                 Typed("500m", 127, "127 Sek"),   // 500 seconds, clamped
                 SetTo("300m", 127, "127 Sek")}); // the unit argument is overruled
    timer.SetRangeStepMiliSec(10, 990, 10);
    EXPECT_EQ(TIMER_UNIT_SEC, timer.GetTimerUnit());
    EXPECT_EQ("10 Sek", Text(IDC_TIMER_EDIT)) << "the value is set, in the only unit";
    // Steps outside the model neither divide by zero nor overflow.
    timer.SetRangeStepSec(1, 100, 0);
    Play(TIMER, {SetTo("37s", 37), StepUp(37), Typed("42 s", 42, "42 Sek")});
    timer.SetRangeStepSec(INT_MIN, INT_MAX, 1);
    Play(TIMER, {SetTo("2147483647s", INT_MAX), StepUp(INT_MIN)}); // wraps round
    // Whole seconds are shown as seconds.
    timer.SetTimerMode(TIMER_MODE_MSEC);
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
    timer.SetRangeStepMiliSec(1000, 5000, 500);
    EXPECT_EQ("1 Sek", Text(IDC_TIMER_EDIT));
    Play(TIMER, {SetTo("2000m", 2000, "2 Sek"), SetTo("2500s", 2500, "2500 msek"),
                 Typed("3 Sek", 3000, "3 Sek"), // seconds typed into a milliseconds-only editor
                 Typed("1.5s", 1500, "1500 msek"), Typed("3750", 3500, "3500 msek"),
                 Typed("2500 msek", 2500, "2500 msek"), SetTo("5000m", 5000),
                 StepUp(1000, "1 Sek"), // wraps within milliseconds
                 StepDown(5000, "5 Sek"), StepDown(4500, "4500 msek"), ClickDown(4000, "4 Sek")});
    EXPECT_EQ(TIMER_UNIT_MSEC, timer.GetTimerUnit());
}

// 120 clicks: far more than the up-down control's own range of 100.
TEST_F(Editors, EveryArrowClickArrivesBeyondTheControlsOwnRange)
{
    memory.SetRangeStep(0, 100000, 1);
    for (int i = 1; i <= 120; ++i) {
        ClickSpinArrow(Item(IDC_MEMORY_SPIN), true);
        ASSERT_TRUE(PumpUntil([&] { return memory.GetMemValue() == i; }, 1000)) << "click " << i;
    }
    PumpFor(20);
    EXPECT_EQ("120 K", Text(IDC_MEMORY_EDIT));
}

// The spin-edit base: taking over the dialog's controls (here left to the test) in every
// layout a dialog editor produces, giving them back, creation by class name, and the
// up-down control's own ways of writing into its buddy box.
class SpinEdit : public Editors {
protected:
    void SetUp() override { Open(IDD_EDITORS_TEST); }
};

// Missing controls are a failure that takes nothing over; deleting the manager
// gives the controls back, another can take them and outlive the dialog.
TEST_F(SpinEdit, ControlsAreTakenOverWholeAndGivenBackWhenTheManagerGoes)
{
    auto mgr = std::make_unique<QRVTimerMgr>();
    EXPECT_FALSE(mgr->SubClassControls(4711, IDC_TIMER_EDIT, Dialog()));
    EXPECT_FALSE(mgr->SubClassControls(IDC_TIMER_SPIN, 4712, Dialog()));
    EXPECT_FALSE(mgr->SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, nullptr));
    EXPECT_FALSE(mgr->SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_SPIN, Dialog()));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_TIMER_EDIT)));
    ASSERT_TRUE(mgr->SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()));
    CEdit *pEdit = mgr->GetEditCtrl();
    ASSERT_TRUE(mgr->SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()))
        << "subclassing twice moves it";
    EXPECT_EQ(pEdit, mgr->GetEditCtrl()) << "the control objects are made once";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_TIMER_EDIT)));
    mgr->SetTimerPos(4, TIMER_UNIT_SEC);
    EXPECT_EQ("4 Sek", Text(IDC_BAUD_EDIT));
    EXPECT_EQ("", Text(IDC_TIMER_EDIT));
    mgr.reset();
    ASSERT_TRUE(::IsWindow(Item(IDC_BAUD_EDIT)) && ::IsWindow(Item(IDC_BAUD_SPIN)))
        << "the host's controls stay";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_BAUD_EDIT)));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_BAUD_SPIN)));
    Type(IDC_BAUD_EDIT, "frei");
    EXPECT_EQ("frei", Text(IDC_BAUD_EDIT)) << "a plain edit box again";
    EXPECT_EQ(0, Step(IDC_BAUD_SPIN, 1));
    QRVMemoryMgr next;
    ASSERT_TRUE(next.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    next.SetRangeStep(64, 1024, 64);
    Step(IDC_BAUD_SPIN, 1);
    EXPECT_EQ("128 K", Text(IDC_BAUD_EDIT));
    // The dialog destroyed first: the manager goes on without its controls.
    Focus(m_dlg.m_hWnd, IDC_BAUD_EDIT);
    m_dlg.DestroyWindow();
    EXPECT_TRUE(next.GetEditCtrl()->m_hWnd == nullptr && next.GetSpinCtrl()->m_hWnd == nullptr);
    next.SetMemPos(256);
    next.IncDecPos(1);
    next.Enable(0);
    EXPECT_EQ(320, next.GetMemValue());
}

// Created by name, each manager is a working editor with its construction defaults.
TEST(EditorCreation, EveryManagerIsCreatableByItsClassName)
{
    std::unique_ptr<CObject> made[5];
    const char *names[] = {"CSpinEditMgr", "QRVBaudRateMgr", "QRVMemoryMgr", "QRVTimerMgr",
                           "QRVTrendMemoryMgr"};
    for (int i = 0; i < 5; ++i) {
        made[i].reset(CRuntimeClass::CreateObject(names[i]));
        ASSERT_TRUE(made[i] && made[i]->GetRuntimeClass() == CRuntimeClass::FromName(names[i])) << names[i];
        EXPECT_TRUE(made[i]->IsKindOf(RUNTIME_CLASS(CSpinEditMgr))) << names[i];
    }
    auto *base = static_cast<CSpinEditMgr *>(made[0].get()); // the base does nothing with its input
    base->ParseUserData("123");
    base->IncDecPos(1);
    EXPECT_EQ(150, static_cast<QRVBaudRateMgr *>(made[1].get())->GetBaudRate());
    EXPECT_EQ(0, static_cast<QRVMemoryMgr *>(made[2].get())->GetMemValue());
    EXPECT_EQ(1, static_cast<QRVTimerMgr *>(made[3].get())->GetTimerValue());
    auto *trend = static_cast<QRVTrendMemoryMgr *>(made[4].get());
    EXPECT_TRUE(trend->IsKindOf(RUNTIME_CLASS(QRVMemoryMgr)));
    EXPECT_EQ(0, trend->GetDefaultDatFileValue());
    trend->SetRangeStep(64, 256, 64);
    trend->SetMemPos(0);
    EXPECT_EQ(0, trend->GetMemValue()) << "0 selects the default size, even below the range";
    trend->InitDefaultDatFileValue(8);
    trend->ParseUserData("8");
    EXPECT_EQ(8, trend->GetMemValue());
}

// The four editors in each layout a dialog editor produces: buddy integer with
// arrow keys, automatic buddy only, and the up-down control before its box
// with no buddy of its own. Whatever the user or the host does to the up-down
// control, the box shows the manager's text of the manager's value.
class UpDownPaths : public Editors, public ::testing::WithParamInterface<UINT> {
protected:
    void SetUp() override { Attach(GetParam()); }
};

TEST_P(UpDownPaths, ManagersTakeTheirPairsAndOnlyTheirTextReachesTheBox)
{
    BaudMode(BAUDRATE_VALUE, 150, 57600, 9600);
    memory.SetRangeStep(64, 1024, 64);
    trend.SetRangeStep(0, 1024, 32);
    trend.SetMemPos(64);
    timer.SetTimerPos(5, TIMER_UNIT_SEC);
    for (Which w : {BAUD, MEMORY, TREND, TIMER}) {
        SCOPED_TRACE(w);
        HWND hSpin = Item(kSpin[w]), hEdit = Item(kEdit[w]);
        const bool memoryPair = w == MEMORY || w == TREND;
        CWnd *pEdit = CWnd::FromHandlePermanent(hEdit), *pSpin = CWnd::FromHandlePermanent(hSpin);
        ASSERT_TRUE(pEdit == mgrs[w]->GetEditCtrl() && pSpin == mgrs[w]->GetSpinCtrl() && pEdit && pSpin);
        EXPECT_EQ(memoryPair ? RUNTIME_CLASS(CMemoryEditCtl) : RUNTIME_CLASS(CTimerEditCtl),
                  pEdit->GetRuntimeClass());
        EXPECT_EQ(memoryPair ? RUNTIME_CLASS(CMemorySpinCtl) : RUNTIME_CLASS(CTimerSpinCtl),
                  pSpin->GetRuntimeClass());
        EXPECT_EQ(hEdit, (HWND)::SendMessageA(hSpin, UDM_GETBUDDY, 0, 0)) << "the edit box is the buddy";
        EXPECT_EQ(MAKELONG(100, 0), ::SendMessageA(hSpin, UDM_GETRANGE, 0, 0))
            << "0 at the lower arrow, 100 above";
        EXPECT_EQ(0, ::GetWindowLongA(hSpin, GWL_STYLE) & UDS_SETBUDDYINT);
        // The box must show exactly what the manager writes for its own value.
        auto expectManagersText = [&](const char *path) {
            const std::string shown = Text(kEdit[w]);
            Set(w, std::to_string(Value(w)).c_str());
            EXPECT_EQ(shown, Text(kEdit[w])) << "after " << path;
        };
        // A key pressed in the box, through the thread's message queue as the keyboard delivers it.
        auto press = [&](UINT vk) {
            Focus(m_dlg.m_hWnd, kEdit[w]);
            ::PostMessageA(hEdit, WM_KEYDOWN, vk, 1);
            ::PostMessageA(hEdit, WM_KEYUP, vk, 0xC0000001);
            PumpFor(30);
        };
        const long before = Value(w);
        press(VK_UP);
        const long afterUp = Value(w);
        expectManagersText("Up");
        press(VK_DOWN);
        expectManagersText("Down");
        // Arrow keys reach the control only with its style: Up steps, Down steps back.
        const bool keys = (::GetWindowLongA(hSpin, GWL_STYLE) & UDS_ARROWKEYS) != 0;
        EXPECT_TRUE(!keys || (before != afterUp && before == Value(w)));
        for (bool upper : {true, false}) {
            ClickArrow(kSpin[w], kEdit[w], upper);
            EXPECT_EQ(upper, before != Value(w));
            expectManagersText(upper ? "a click on the upper arrow" : "a click on the lower arrow");
        }
        const std::string shown = Text(kEdit[w]);
        ::SendMessageA(hSpin, UDM_SETPOS, 0, MAKELPARAM(77, 0)); // positions set by the host
        ::SendMessageA(hSpin, UDM_SETPOS32, 0, 23);
        // What the up-down control tells its parent after a step.
        ::SendMessageA(m_dlg.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 51), LPARAM(hSpin));
        ::SendMessageA(m_dlg.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 51), LPARAM(hSpin));
        PumpFor(10);
        EXPECT_TRUE(shown == Text(kEdit[w]) && before == Value(w)) << Text(kEdit[w]);
        Focus(m_dlg.m_hWnd, kEdit[w]); // the wheel over the box, which the up-down control also handles
        ::SendMessageA(hEdit, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
        PumpFor(20);
        expectManagersText("the wheel");
    }
}

const char *const kLayouts[] = {"BuddyIntegerWithArrowKeys", "AutoBuddyOnly", "UpDownBeforeItsBox"};
INSTANTIATE_TEST_SUITE_P(Layouts, UpDownPaths,
                         ::testing::Values(IDD_UPDOWN_BUDDYINT, IDD_UPDOWN_AUTOBUDDY, IDD_UPDOWN_BEFORE),
                         [](const ::testing::TestParamInfo<UINT> &info) { return kLayouts[info.index]; });

} // namespace
