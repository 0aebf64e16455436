// The trend memory editor: the default size below the grid.
#include "EditorDialogTest.h"
#include "editors/QRVTrendMemoryMgr.h"

namespace {

class TrendMemory : public EditorDialogTest
{
protected:
    void SetUp() override
    {
        EditorDialogTest::SetUp();
        ASSERT_TRUE(mgr.SubClassControls(IDC_TREND_SPIN, IDC_TREND_EDIT, Dialog()));
        mgr.SetRangeStep(0, 1024, 32);
        mgr.SetMemPos(0);
    }
    std::string Shown() { return Text(IDC_TREND_EDIT); }
    void Up() { Step(IDC_TREND_SPIN, 1); }
    void Down() { Step(IDC_TREND_SPIN, -1); }

    QRVTrendMemoryMgr mgr{16};
};

TEST_F(TrendMemory, ZeroAndTheDefaultSizeSelectTheDefaultSize)
{
    EXPECT_EQ(16, mgr.GetMemValue());
    EXPECT_EQ("16 K", Shown());
    mgr.SetMemPos(40);
    EXPECT_EQ(32, mgr.GetMemValue()) << "other sizes snap to the grid";
    mgr.SetMemPos(16);
    EXPECT_EQ(16, mgr.GetMemValue()) << "the default size is off the grid and kept";
    mgr.SetMemPos(2000);
    EXPECT_EQ(1024, mgr.GetMemValue());
}

TEST_F(TrendMemory, ArrowsLeaveAndReachTheDefaultSize)
{
    BeepCounter beeps;
    Up();
    EXPECT_EQ(32, mgr.GetMemValue()) << "the first step up lands on 0 + step";
    EXPECT_EQ("32 K", Shown());
    Up();
    EXPECT_EQ(64, mgr.GetMemValue());
    Down();
    EXPECT_EQ(32, mgr.GetMemValue());
    Down();
    EXPECT_EQ(16, mgr.GetMemValue()) << "a step down from 32 K lands on the default";
    EXPECT_EQ("16 K", Shown());
    EXPECT_EQ(0, beeps.Count());
    Down();
    EXPECT_EQ(16, mgr.GetMemValue()) << "-16 is clamped to 0, then raised to the default";
    EXPECT_EQ(1, beeps.Count());
    mgr.SetMemPos(1024);
    Up();
    EXPECT_EQ(1024, mgr.GetMemValue());
    EXPECT_EQ(2, beeps.Count());
}

TEST_F(TrendMemory, RealClicksWalkThroughTheDefaultSize)
{
    ClickArrow(IDC_TREND_SPIN, IDC_TREND_EDIT, true);
    EXPECT_EQ("32 K", Shown());
    ClickArrow(IDC_TREND_SPIN, IDC_TREND_EDIT, false);
    EXPECT_EQ("16 K", Shown());
}

TEST_F(TrendMemory, StepsAreNotSnappedToTheGrid)
{
    mgr.InitDefaultDatFileValue(48);
    mgr.SetMemPos(64);
    Down();
    EXPECT_EQ(48, mgr.GetMemValue()) << "32 lies below the default size and is raised to it";
    mgr.InitDefaultDatFileValue(20);
    mgr.SetMemPos(20);
    Step(IDC_TREND_SPIN, 1);
    EXPECT_EQ(32, mgr.GetMemValue());
    mgr.SetRangeStep(0, 1000, 100);
    mgr.SetMemPos(250);
    EXPECT_EQ(200, mgr.GetMemValue());
    mgr.InitDefaultDatFileValue(50);
    TypeAndLeave(IDC_TREND_EDIT, "50");
    Up();
    EXPECT_EQ(100, mgr.GetMemValue());
    Down();
    Down();
    EXPECT_EQ(50, mgr.GetMemValue()) << "0 is raised to the default size";
}

TEST_F(TrendMemory, TypedSizesAndTheDefaultSize)
{
    struct { const char* typed; int expected; } cases[] = {
        {"16", 16},
        {"0", 16},
        {"10", 16},  // snaps to 0, which stands for the default
        {"20", 32},
        {"100", 96},
        {"1M", 1024},
        {"16.0", 16},
        {"16.5", 16},  // not the default size itself: 16 snaps to 0
        {"nichts", 16},
    };
    for (const auto& c : cases) {
        TypeAndLeave(IDC_TREND_EDIT, c.typed);
        EXPECT_EQ(c.expected, mgr.GetMemValue()) << '"' << c.typed << '"';
        EXPECT_EQ(std::to_string(c.expected) + " K", Shown()) << '"' << c.typed << '"';
    }
}

TEST_F(TrendMemory, ClickAfterTypingOnlyCommitsTheText)
{
    TypeOnly(IDC_TREND_EDIT, "200");
    Up();
    EXPECT_EQ(192, mgr.GetMemValue());
    EXPECT_EQ("192 K", Shown());
    TypeOnly(IDC_TREND_EDIT, "0");
    Down();
    EXPECT_EQ(16, mgr.GetMemValue());
    Down();
    EXPECT_EQ(16, mgr.GetMemValue());
}

TEST_F(TrendMemory, DisabledEditorShowsZeroWithABlank)
{
    mgr.SetMemPos(64);
    mgr.Enable(0);
    EXPECT_EQ("0 K", Shown());
    EXPECT_FALSE(Enabled(IDC_TREND_EDIT));
    EXPECT_FALSE(Enabled(IDC_TREND_SPIN));
    mgr.Enable(1);
    EXPECT_TRUE(Enabled(IDC_TREND_EDIT));
    EXPECT_EQ("0 K", Shown());
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

}
