// The memory-size editor: grid, megabytes, stopping with a beep.
#include "EditorDialogTest.h"
#include "editors/QRVMemoryMgr.h"
#include <limits.h>

namespace {

class Memory : public EditorDialogTest
{
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        ASSERT_TRUE(mgr.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()));
        mgr.SetRangeStep(64, 1024, 64);
    }
    std::string Shown() { return Text(IDC_MEMORY_EDIT); }
    void Up() { Step(IDC_MEMORY_SPIN, 1); }
    void Down() { Step(IDC_MEMORY_SPIN, -1); }

    QRVMemoryMgr mgr;
};

TEST_F(Memory, RangeStartsAtTheLowerBound)
{
    EXPECT_EQ(64, mgr.GetMemValue());
    EXPECT_EQ("64 K", Shown());
    mgr.SetRangeStep(128, 512, 32);
    EXPECT_EQ(128, mgr.GetMemValue());
    EXPECT_EQ("128 K", Shown());
}

TEST_F(Memory, TypedSizesSnapToTheGridAndAreClamped)
{
    struct { const char* typed; int expected; } cases[] = {
        {"100", 128},
        {"96", 64},    // exactly half a step rounds down
        {"97", 128},
        {"2M", 1024},  // 2048 clamped
        {"2m", 64},    // a lower-case m is no megabyte: 2 snaps up to the grid
        {"0.5M", 512},
        {"320 K", 320},
        {"  448", 448},
        {"-300", 64},
        {"viel", 64},
        {"5000", 1024},
        {"1e9", 1024},
        {"1e300M", 1024},
    };
    for (const auto& c : cases) {
        TypeAndLeave(IDC_MEMORY_EDIT, c.typed);
        EXPECT_EQ(c.expected, mgr.GetMemValue()) << '"' << c.typed << '"';
        EXPECT_EQ(std::to_string(c.expected) + " K", Shown()) << '"' << c.typed << '"';
    }
}

TEST_F(Memory, MegabytesWithFractionsAndAGridAnchoredAtTheLowerBound)
{
    mgr.SetRangeStep(512, 4096, 512);
    TypeAndLeave(IDC_MEMORY_EDIT, "1.5M");
    EXPECT_EQ("1536 K", Shown());
    mgr.SetRangeStep(10, 100, 20);
    TypeAndLeave(IDC_MEMORY_EDIT, "35");
    EXPECT_EQ(30, mgr.GetMemValue()) << "the grid is 10, 30, 50, ...";
    TypeAndLeave(IDC_MEMORY_EDIT, "41");
    EXPECT_EQ(50, mgr.GetMemValue());
    TypeAndLeave(IDC_MEMORY_EDIT, "100");
    EXPECT_EQ(90, mgr.GetMemValue()) << "half a step rounds down at the top as well";
    TypeAndLeave(IDC_MEMORY_EDIT, "101");
    EXPECT_EQ(100, mgr.GetMemValue()) << "the upper bound need not lie on the grid";
}

TEST_F(Memory, SetMemPosSnapsAndClamps)
{
    mgr.SetMemPos(100);
    EXPECT_EQ(128, mgr.GetMemValue());
    EXPECT_EQ("128 K", Shown());
    mgr.SetMemPos(5000);
    EXPECT_EQ(1024, mgr.GetMemValue());
    mgr.SetMemPos(-7);
    EXPECT_EQ(64, mgr.GetMemValue());
}

TEST_F(Memory, ArrowsStepAndStopAtTheEndsWithABeep)
{
    BeepCounter beeps;
    Up();
    EXPECT_EQ(128, mgr.GetMemValue());
    EXPECT_EQ("128 K", Shown());
    Down();
    EXPECT_EQ(64, mgr.GetMemValue());
    EXPECT_EQ(0, beeps.Count());
    Down();
    EXPECT_EQ(64, mgr.GetMemValue()) << "stops instead of wrapping round";
    EXPECT_EQ(1, beeps.Count());
    mgr.SetMemPos(1024);
    Up();
    EXPECT_EQ(1024, mgr.GetMemValue());
    EXPECT_EQ("1024 K", Shown());
    EXPECT_EQ(2, beeps.Count());
    Down();
    EXPECT_EQ(960, mgr.GetMemValue());
    EXPECT_EQ(2, beeps.Count());
}

TEST_F(Memory, RealClicksStepAndBeepAtTheEnd)
{
    BeepCounter beeps;
    mgr.SetMemPos(960);
    ClickArrow(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, true);
    EXPECT_EQ("1024 K", Shown());
    ClickArrow(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, true);
    EXPECT_EQ("1024 K", Shown());
    EXPECT_EQ(1, beeps.Count());
    ClickArrow(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, false);
    EXPECT_EQ("960 K", Shown());
}

TEST_F(Memory, ClickAfterTypingOnlyCommitsTheText)
{
    TypeOnly(IDC_MEMORY_EDIT, "512");
    Up();
    EXPECT_EQ(512, mgr.GetMemValue());
    EXPECT_EQ("512 K", Shown());
    Up();
    EXPECT_EQ(576, mgr.GetMemValue());
    TypeOnly(IDC_MEMORY_EDIT, "1M");
    ClickArrow(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, false);
    EXPECT_EQ(1024, mgr.GetMemValue());
    EXPECT_EQ("1024 K", Shown());
}

TEST_F(Memory, DisabledEditorShowsZeroUntilTheCallerSetsAValue)
{
    mgr.SetMemPos(256);
    mgr.Enable(0);
    EXPECT_EQ("0K", Shown());
    EXPECT_FALSE(Enabled(IDC_MEMORY_EDIT));
    EXPECT_FALSE(Enabled(IDC_MEMORY_SPIN));
    EXPECT_EQ(256, mgr.GetMemValue()) << "disabling keeps the value";
    mgr.Enable(1);
    EXPECT_TRUE(Enabled(IDC_MEMORY_EDIT));
    EXPECT_TRUE(Enabled(IDC_MEMORY_SPIN));
    EXPECT_EQ("0K", Shown()) << "enabling does not restore the text";
    mgr.SetMemPos(mgr.GetMemValue());
    EXPECT_EQ("256 K", Shown());
}

TEST_F(Memory, StepsOutsideTheModelDoNotDivideByZero)
{
    BeepCounter beeps;
    mgr.SetRangeStep(0, 100, 0);
    TypeAndLeave(IDC_MEMORY_EDIT, "37");
    EXPECT_EQ(37, mgr.GetMemValue());
    Up();
    EXPECT_EQ(37, mgr.GetMemValue());
    mgr.SetRangeStep(0, 100, -10);
    TypeAndLeave(IDC_MEMORY_EDIT, "55");
    EXPECT_EQ(55, mgr.GetMemValue());
    Up();
    EXPECT_EQ(45, mgr.GetMemValue());
    mgr.SetRangeStep(INT_MIN, INT_MAX, 1);
    mgr.SetMemPos(INT_MAX);
    Up();
    EXPECT_EQ(INT_MAX, mgr.GetMemValue()) << "no overflow past the top";
    mgr.SetMemPos(INT_MIN);
    Down();
    EXPECT_EQ(INT_MIN, mgr.GetMemValue()) << "nor past the bottom";
    EXPECT_EQ(2, beeps.Count());
}

}
