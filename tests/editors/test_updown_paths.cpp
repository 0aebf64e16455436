// Every way an up-down control can write into its buddy box, for the four
// editors in the layouts a dialog editor produces. Whatever the user or the
// host does to the up-down control, the box shows the manager's text of the
// manager's value, never the control's own position.
#include <afxwin.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include "editors/QRVBaudRateMgr.h"
#include "editors/QRVMemoryMgr.h"
#include "editors/QRVTimerMgr.h"
#include "editors/QRVTrendMemoryMgr.h"
#include "editors_tests_res.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

namespace {

// A host dialog that attaches its editors in OnInitDialog, as hosts do.
class HostDialog : public CDialog
{
public:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_bAttached = baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, this)
                      && memory.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, this)
                      && trend.SubClassControls(IDC_TREND_SPIN, IDC_TREND_EDIT, this)
                      && timer.SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, this);
        baud.SetBaudRateMode(BAUDRATE_VALUE);
        baud.SetBaudRateRange(150, 57600);
        baud.SetBaudRate(9600);
        memory.SetRangeStep(64, 1024, 64);
        memory.SetMemPos(64);
        trend.SetRangeStep(0, 1024, 32);
        trend.SetMemPos(64);
        timer.SetTimerPos(5, TIMER_UNIT_SEC);
        return TRUE;
    }

    BOOL m_bAttached = FALSE;
    QRVBaudRateMgr baud;
    QRVMemoryMgr memory;
    QRVTrendMemoryMgr trend;
    QRVTimerMgr timer;
};

// One editor of the dialog: its controls, and how its manager shows and
// reads back its value.
struct Editor
{
    const char* name;
    int editId;
    int spinId;
    long (*value)(HostDialog&);
    void (*show)(HostDialog&, long);
};

const Editor kEditors[] = {
    {"baud", IDC_BAUD_EDIT, IDC_BAUD_SPIN, [](HostDialog& d) { return d.baud.GetBaudRate(); },
     [](HostDialog& d, long v) { d.baud.SetBaudRate(v); }},
    {"memory", IDC_MEMORY_EDIT, IDC_MEMORY_SPIN, [](HostDialog& d) { return long(d.memory.GetMemValue()); },
     [](HostDialog& d, long v) { d.memory.SetMemPos(int(v)); }},
    {"trend", IDC_TREND_EDIT, IDC_TREND_SPIN, [](HostDialog& d) { return long(d.trend.GetMemValue()); },
     [](HostDialog& d, long v) { d.trend.SetMemPos(int(v)); }},
    {"timer", IDC_TIMER_EDIT, IDC_TIMER_SPIN, [](HostDialog& d) { return long(d.timer.GetTimerValue()); },
     [](HostDialog& d, long v) { d.timer.SetTimerPos(int(v), d.timer.GetTimerUnit()); }},
};

class UpDownPaths : public ::testing::TestWithParam<UINT>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(GetParam()));
        ASSERT_TRUE(m_dlg.m_bAttached);
        ::SetForegroundWindow(m_dlg.m_hWnd);
        qrvtest::PumpFor(20);
    }
    void TearDown() override
    {
        if (m_dlg.m_hWnd)
            m_dlg.DestroyWindow();
        qrvtest::PumpFor(10);
    }

    HWND Item(int id) const { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    std::string Text(const Editor& e) const { return qrvtest::ItemText(m_dlg.m_hWnd, e.editId); }

    // The box must show exactly what the manager writes for its own value.
    void ExpectManagersText(const Editor& e, const char* path)
    {
        std::string shown = Text(e);
        e.show(m_dlg, e.value(m_dlg));
        EXPECT_EQ(shown, Text(e)) << e.name << " after " << path;
    }

    // A key pressed in the box, through the thread's message queue as the
    // keyboard delivers it.
    void PressKey(const Editor& e, UINT vk)
    {
        qrvtest::Focus(m_dlg.m_hWnd, e.editId);
        HWND hEdit = Item(e.editId);
        ::PostMessageA(hEdit, WM_KEYDOWN, vk, 1);
        ::PostMessageA(hEdit, WM_KEYUP, vk, 0xC0000001);
        qrvtest::PumpFor(30);
    }

    HostDialog m_dlg;
};

TEST_P(UpDownPaths, ArrowKeysInTheBoxStepTheValueAndKeepTheManagersText)
{
    for (const Editor& e : kEditors) {
        const long before = e.value(m_dlg);
        PressKey(e, VK_UP);
        const long after = e.value(m_dlg);
        ExpectManagersText(e, "Up");
        PressKey(e, VK_DOWN);
        ExpectManagersText(e, "Down");
        // Arrow keys reach the up-down control only where it has the style.
        if (::GetWindowLongA(Item(e.spinId), GWL_STYLE) & UDS_ARROWKEYS) {
            EXPECT_NE(before, after) << e.name << ": Up did not step";
            EXPECT_EQ(before, e.value(m_dlg)) << e.name << ": Down did not step back";
        }
    }
}

TEST_P(UpDownPaths, ClicksOnTheArrowsStepTheValueAndKeepTheManagersText)
{
    for (const Editor& e : kEditors) {
        const long before = e.value(m_dlg);
        qrvtest::ClickSpinArrow(Item(e.spinId), true);
        qrvtest::PumpUntil([&] { return e.value(m_dlg) != before; }, 500);
        qrvtest::PumpFor(30);
        EXPECT_NE(before, e.value(m_dlg)) << e.name;
        ExpectManagersText(e, "a click on the upper arrow");
        qrvtest::ClickSpinArrow(Item(e.spinId), false);
        qrvtest::PumpUntil([&] { return e.value(m_dlg) == before; }, 500);
        qrvtest::PumpFor(30);
        EXPECT_EQ(before, e.value(m_dlg)) << e.name;
        ExpectManagersText(e, "a click on the lower arrow");
    }
}

TEST_P(UpDownPaths, PositionSetByTheHostNeverReachesTheBox)
{
    for (const Editor& e : kEditors) {
        const std::string shown = Text(e);
        const long value = e.value(m_dlg);
        ::SendMessageA(Item(e.spinId), UDM_SETPOS, 0, MAKELPARAM(77, 0));
        ::SendMessageA(Item(e.spinId), UDM_SETPOS32, 0, 23);
        qrvtest::PumpFor(10);
        EXPECT_EQ(shown, Text(e)) << e.name;
        EXPECT_EQ(value, e.value(m_dlg)) << e.name;
    }
}

TEST_P(UpDownPaths, ScrollMessagesAndTheWheelKeepTheManagersText)
{
    for (const Editor& e : kEditors) {
        const std::string shown = Text(e);
        HWND hSpin = Item(e.spinId);
        // What the up-down control tells its parent after a step.
        ::SendMessageA(m_dlg.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 51), reinterpret_cast<LPARAM>(hSpin));
        ::SendMessageA(m_dlg.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 51), reinterpret_cast<LPARAM>(hSpin));
        qrvtest::PumpFor(10);
        EXPECT_EQ(shown, Text(e)) << e.name << " after WM_VSCROLL";
        // The wheel over the box, which the up-down control also handles.
        qrvtest::Focus(m_dlg.m_hWnd, e.editId);
        ::SendMessageA(Item(e.editId), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
        qrvtest::PumpFor(20);
        ExpectManagersText(e, "the wheel");
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, UpDownPaths,
                         ::testing::Values(IDD_UPDOWN_BUDDYINT, IDD_UPDOWN_AUTOBUDDY, IDD_UPDOWN_BEFORE),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                             switch (info.param) {
                             case IDD_UPDOWN_BUDDYINT: return std::string("BuddyIntegerWithArrowKeys");
                             case IDD_UPDOWN_AUTOBUDDY: return std::string("AutoBuddyOnly");
                             default: return std::string("UpDownBeforeItsBox");
                             }
                         });

} // namespace
