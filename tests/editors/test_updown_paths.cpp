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

using namespace qrvtest;

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
    int editId, spinId;
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
};

TEST_P(UpDownPaths, KeysClicksHostPositionsScrollsAndTheWheelKeepTheManagersText)
{
    HostDialog dlg;
    ASSERT_TRUE(dlg.Create(GetParam()));
    ASSERT_TRUE(dlg.m_bAttached);
    ::SetForegroundWindow(dlg.m_hWnd);
    PumpFor(20);
    for (const Editor& e : kEditors) {
        HWND hSpin = Item(dlg.m_hWnd, e.spinId), hEdit = Item(dlg.m_hWnd, e.editId);
        // The box must show exactly what the manager writes for its own value.
        auto expectManagersText = [&](const char* path) {
            const std::string shown = ItemText(dlg.m_hWnd, e.editId);
            e.show(dlg, e.value(dlg));
            EXPECT_EQ(shown, ItemText(dlg.m_hWnd, e.editId)) << e.name << " after " << path;
        };
        // A key pressed in the box, through the thread's message queue as the keyboard delivers it.
        auto press = [&](UINT vk) {
            Focus(dlg.m_hWnd, e.editId);
            ::PostMessageA(hEdit, WM_KEYDOWN, vk, 1);
            ::PostMessageA(hEdit, WM_KEYUP, vk, 0xC0000001);
            PumpFor(30);
        };
        const long before = e.value(dlg);
        press(VK_UP);
        const long afterUp = e.value(dlg);
        expectManagersText("Up");
        press(VK_DOWN);
        expectManagersText("Down");
        // Arrow keys reach the up-down control only where it has the style.
        if (::GetWindowLongA(hSpin, GWL_STYLE) & UDS_ARROWKEYS) {
            EXPECT_NE(before, afterUp) << e.name << ": Up did not step";
            EXPECT_EQ(before, e.value(dlg)) << e.name << ": Down did not step back";
        }
        for (bool upper : {true, false}) {
            ClickSpinArrow(hSpin, upper);
            PumpUntil([&] { return (e.value(dlg) == before) != upper; }, 500);
            PumpFor(30);
            EXPECT_EQ(upper, before != e.value(dlg)) << e.name;
            expectManagersText(upper ? "a click on the upper arrow" : "a click on the lower arrow");
        }
        const std::string shown = ItemText(dlg.m_hWnd, e.editId);
        ::SendMessageA(hSpin, UDM_SETPOS, 0, MAKELPARAM(77, 0));   // positions set by the host
        ::SendMessageA(hSpin, UDM_SETPOS32, 0, 23);
        // What the up-down control tells its parent after a step.
        ::SendMessageA(dlg.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 51), reinterpret_cast<LPARAM>(hSpin));
        ::SendMessageA(dlg.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 51), reinterpret_cast<LPARAM>(hSpin));
        PumpFor(10);
        EXPECT_EQ(shown, ItemText(dlg.m_hWnd, e.editId)) << e.name;
        EXPECT_EQ(before, e.value(dlg)) << e.name;
        // The wheel over the box, which the up-down control also handles.
        Focus(dlg.m_hWnd, e.editId);
        ::SendMessageA(hEdit, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
        PumpFor(20);
        expectManagersText("the wheel");
    }
    dlg.DestroyWindow();
    PumpFor(10);
}

INSTANTIATE_TEST_SUITE_P(Layouts, UpDownPaths,
                         ::testing::Values(IDD_UPDOWN_BUDDYINT, IDD_UPDOWN_AUTOBUDDY, IDD_UPDOWN_BEFORE),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                             return std::string(info.param == IDD_UPDOWN_BUDDYINT    ? "BuddyIntegerWithArrowKeys"
                                                : info.param == IDD_UPDOWN_AUTOBUDDY ? "AutoBuddyOnly"
                                                                                     : "UpDownBeforeItsBox");
                         });

} // namespace
