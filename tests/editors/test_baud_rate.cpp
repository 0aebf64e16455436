// The baud-rate editor in both modes, driven through its real controls.
#include "EditorDialogTest.h"
#include "editors/QRVBaudRateMgr.h"
#include <limits.h>

namespace {

class BaudRate : public EditorDialogTest
{
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        ASSERT_TRUE(mgr.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    }
    void ValueMode(long lower, long upper, long value)
    {
        mgr.SetBaudRateMode(BAUDRATE_VALUE);
        mgr.SetBaudRateRange(lower, upper);
        mgr.SetBaudRate(value);
    }
    void IndexMode(long lower, long upper, long value)
    {
        mgr.SetBaudRateMode(BAUDRATE_INDEX);
        mgr.SetBaudRateRange(lower, upper);
        mgr.SetBaudRate(value);
    }
    std::string Shown() { return Text(IDC_BAUD_EDIT); }
    LRESULT Up() { return Step(IDC_BAUD_SPIN, 1); }
    LRESULT Down() { return Step(IDC_BAUD_SPIN, -1); }

    QRVBaudRateMgr mgr;
};

// The protected rounding, for the checks at the ends of the 32-bit range.
class BaudRateProbe : public QRVBaudRateMgr
{
public:
    using QRVBaudRateMgr::AdjustValue;
    using QRVBaudRateMgr::GetValidValue;
};

// The 24 rates 150 x 2^k that fit into a signed 32-bit number.
bool IsRateOfTheSeries(long v)
{
    for (int k = 0; k <= 23; ++k)
        if ((150L << k) == v)
            return true;
    return false;
}

TEST_F(BaudRate, ConstructionDefaultsShowNothingUntilTheFirstValue)
{
    QRVBaudRateMgr fresh;
    EXPECT_EQ(150, fresh.GetBaudRate());
    EXPECT_EQ("", Shown()) << "subclassing alone writes no text";
    mgr.SetBaudRate(150);
    EXPECT_EQ("150", Shown());
}

TEST_F(BaudRate, TypedValuesRoundToTheNearestRateOfTheSeries)
{
    ValueMode(150, 1000000, 9600);
    struct { const char* typed; long expected; } cases[] = {
        {"10000", 9600},   // 10000 - 9600 < 19200 - 10000
        {"9600", 9600},
        {"14400", 19200},  // exactly midway goes up
        {"13000", 9600},
        {"225", 300},
        {"224", 150},
        {"  4800 Bd", 4800}, // leading blanks, trailing text
        {"+600", 600},
        {"-5", 150},
        {"schnell", 150},  // no digits: the lower bound
        {"", 150},
        {"500000", 614400},
    };
    for (const auto& c : cases) {
        TypeAndLeave(IDC_BAUD_EDIT, c.typed);
        EXPECT_EQ(c.expected, mgr.GetBaudRate()) << '"' << c.typed << '"';
        EXPECT_EQ(std::to_string(c.expected), Shown()) << '"' << c.typed << '"';
    }
}

TEST_F(BaudRate, ValueModeRangeIsRoundedAndClampsWhatIsTyped)
{
    ValueMode(1000, 50000, 2400);
    // 1000 rounds to 1200; 50000 is nearer 38400 than 76800.
    mgr.SetBaudRate(100);
    EXPECT_EQ(1200, mgr.GetBaudRate());
    mgr.SetBaudRate(1000000);
    EXPECT_EQ(38400, mgr.GetBaudRate());
    EXPECT_EQ("38400", Shown());
    TypeAndLeave(IDC_BAUD_EDIT, "600");
    EXPECT_EQ(1200, mgr.GetBaudRate());
    TypeAndLeave(IDC_BAUD_EDIT, "57600");
    EXPECT_EQ(38400, mgr.GetBaudRate());
    TypeAndLeave(IDC_BAUD_EDIT, "kein Wert");
    EXPECT_EQ("1200", Shown());
}

TEST_F(BaudRate, ValueModeArrowsDoubleAndHalveAndWrapRound)
{
    ValueMode(1200, 38400, 38400);
    EXPECT_EQ(0, Up()) << "the notification's answer lets the control go on";
    EXPECT_EQ(1200, mgr.GetBaudRate()) << "76800 is above the range: wraps to the lower bound";
    EXPECT_EQ("1200", Shown());
    Down();
    EXPECT_EQ(38400, mgr.GetBaudRate()) << "600 is below the range: wraps to the upper bound";
    Down();
    EXPECT_EQ(19200, mgr.GetBaudRate());
    Up();
    Up();
    EXPECT_EQ(1200, mgr.GetBaudRate());
    EXPECT_EQ("1200", Shown());
}

TEST_F(BaudRate, RealClicksOnTheArrowsStepTheValueNotTheControlsPosition)
{
    ValueMode(1200, 38400, 4800);
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, true);
    EXPECT_EQ(9600, mgr.GetBaudRate());
    EXPECT_EQ("9600", Shown());
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, false);
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, false);
    EXPECT_EQ(2400, mgr.GetBaudRate());
    EXPECT_EQ("2400", Shown());
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, false);
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, false);
    EXPECT_EQ(38400, mgr.GetBaudRate()) << "1200 / 2 wraps to the upper bound";
    EXPECT_EQ("38400", Shown());
}

TEST_F(BaudRate, IndexModeShowsTheTableAndAcceptsOnlyItsTextsInRange)
{
    IndexMode(3, 9, 6);
    EXPECT_EQ("9600", Shown());
    EXPECT_EQ(6, mgr.GetBaudRate());
    TypeAndLeave(IDC_BAUD_EDIT, "57600");
    EXPECT_EQ(9, mgr.GetBaudRate());
    EXPECT_EQ("57600", Shown());
    TypeAndLeave(IDC_BAUD_EDIT, "56000");
    EXPECT_EQ(9, mgr.GetBaudRate()) << "an unknown rate keeps the value";
    EXPECT_EQ("57600", Shown()) << "and its text comes back";
    TypeAndLeave(IDC_BAUD_EDIT, "1200");
    EXPECT_EQ(3, mgr.GetBaudRate());
    TypeAndLeave(IDC_BAUD_EDIT, "600");
    EXPECT_EQ(3, mgr.GetBaudRate()) << "index 2 lies below the range";
    TypeAndLeave(IDC_BAUD_EDIT, " 4800");
    EXPECT_EQ(3, mgr.GetBaudRate()) << "the text must match exactly";
    EXPECT_EQ("1200", Shown());
}

TEST_F(BaudRate, IndexModeArrowsWalkTheTableAndWrapRound)
{
    IndexMode(3, 9, 9);
    Up();
    EXPECT_EQ(3, mgr.GetBaudRate());
    EXPECT_EQ("1200", Shown());
    Down();
    EXPECT_EQ(9, mgr.GetBaudRate());
    Down();
    EXPECT_EQ(8, mgr.GetBaudRate());
    EXPECT_EQ("38400", Shown());
    Step(IDC_BAUD_SPIN, 5);
    EXPECT_EQ(9, mgr.GetBaudRate()) << "an accelerated step is still one entry";
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, false);
    EXPECT_EQ("38400", Shown());
}

TEST_F(BaudRate, ClickAfterTypingOnlyCommitsTheText)
{
    ValueMode(150, 57600, 1200);
    TypeOnly(IDC_BAUD_EDIT, "10000");
    Up();
    EXPECT_EQ(9600, mgr.GetBaudRate()) << "the typed text is taken, not stepped";
    EXPECT_EQ("9600", Shown());
    Up();
    EXPECT_EQ(19200, mgr.GetBaudRate()) << "the next click steps";

    TypeOnly(IDC_BAUD_EDIT, "300");
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, true);
    EXPECT_EQ(300, mgr.GetBaudRate());
    EXPECT_EQ("300", Shown());

    IndexMode(0, 9, 4);
    TypeOnly(IDC_BAUD_EDIT, "unbekannt");
    Down();
    EXPECT_EQ(4, mgr.GetBaudRate());
    EXPECT_EQ("2400", Shown());
}

TEST_F(BaudRate, ModeChangeRecomputesNothingAndOtherModesShowNoText)
{
    IndexMode(0, 9, 7);
    mgr.SetBaudRateMode(BAUDRATE_VALUE);
    EXPECT_EQ(7, mgr.GetBaudRate());
    EXPECT_EQ("19200", Shown()) << "the text stays until the next refresh";

    mgr.SetBaudRateMode(static_cast<BAUDRATE_MODE>(5));
    mgr.SetBaudRate(4);
    EXPECT_EQ("", Shown());
    const long value = mgr.GetBaudRate();
    Up();
    Down();
    EXPECT_EQ(value, mgr.GetBaudRate()) << "a step in an unknown mode changes nothing";
    TypeAndLeave(IDC_BAUD_EDIT, "4800");
    EXPECT_EQ(value, mgr.GetBaudRate());
    EXPECT_EQ("", Shown());
}

TEST(BaudRateRounding, EveryRateOfTheSeriesStaysAndNeighboursRoundToIt)
{
    BaudRateProbe probe;
    for (int k = 0; k <= 23; ++k) {
        const long p = 150L << k;
        EXPECT_EQ(p, probe.AdjustValue(p));
        EXPECT_EQ(p, probe.AdjustValue(p + 1)) << p + 1;
        if (p > 150) {
            EXPECT_EQ(p, probe.AdjustValue(p - p / 4)) << "three quarters of a rate is midway: up";
            EXPECT_EQ(p / 2, probe.AdjustValue(p - p / 4 - 1));
        }
    }
}

TEST(BaudRateRounding, TheTopOfThe32BitRangeEndsInRange)
{
    BaudRateProbe probe;
    const long tops[] = {LONG_MAX, LONG_MAX - 1, 2000000000L, 1258291201L, 1258291200L, 1258291199L,
                         1073741824L, 943718401L, 943718400L, 629145601L};
    for (long v : tops) {
        long a = probe.AdjustValue(v);
        EXPECT_TRUE(IsRateOfTheSeries(a)) << v << " gave " << a;
        EXPECT_GE(a, 629145600L) << v;
    }
    EXPECT_EQ(1258291200L, probe.AdjustValue(LONG_MAX));
    for (long v : {0L, -1L, LONG_MIN, 150L, 151L})
        EXPECT_TRUE(IsRateOfTheSeries(probe.AdjustValue(v))) << v;
    EXPECT_EQ(150, probe.AdjustValue(LONG_MIN));
    EXPECT_EQ(150, probe.AdjustValue(151)) << "151 is nearer 150 than 300";

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

}
