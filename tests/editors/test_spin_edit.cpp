// The spin-edit base: taking over the dialog's controls in every layout a
// dialog editor produces, giving them back, creation by class name, and the
// up-down control's own ways of writing into its buddy box.
#include "EditorDialogTest.h"
#include <memory>
#include "editors/MemoryEditCtl.h"
#include "editors/MemorySpinCtl.h"
#include "editors/TimerEditCtl.h"
#include "editors/TimerSpinCtl.h"

using namespace qrvtest;

namespace {

using SpinEdit = EditorDialogTest;

TEST_F(SpinEdit, MissingControlsAreAFailure)
{
    QRVBaudRateMgr baud;
    EXPECT_FALSE(baud.SubClassControls(4711, IDC_BAUD_EDIT, Dialog()));
    EXPECT_FALSE(baud.SubClassControls(IDC_BAUD_SPIN, 4712, Dialog()));
    EXPECT_FALSE(baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, nullptr));
    EXPECT_FALSE(baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_SPIN, Dialog()));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_BAUD_EDIT)));
}

// 120 clicks: far more than the up-down control's own range of 100.
TEST_F(SpinEdit, EveryArrowClickArrivesBeyondTheControlsOwnRange)
{
    QRVMemoryMgr memory;
    ASSERT_TRUE(memory.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()));
    memory.SetRangeStep(0, 100000, 1);
    for (int i = 1; i <= 120; ++i) {
        ClickSpinArrow(Item(IDC_MEMORY_SPIN), true);
        ASSERT_TRUE(PumpUntil([&] { return memory.GetMemValue() == i; }, 1000)) << "click " << i;
    }
    PumpFor(20);
    EXPECT_EQ("120 K", Text(IDC_MEMORY_EDIT));
}

TEST_F(SpinEdit, DeletingTheManagerGivesTheControlsBackAnotherCanTakeThemAndOutliveTheDialog)
{
    auto mgr = std::make_unique<QRVTimerMgr>();
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
    next.SetMemPos(256), next.IncDecPos(1), next.Enable(0);
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
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("QRVNoSuchMgr"));
    auto *base = static_cast<CSpinEditMgr *>(made[0].get()); // the base does nothing with its input
    base->ParseUserData("123"), base->IncDecPos(1);
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
    trend.SetRangeStep(0, 1024, 32), trend.SetMemPos(64);
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
            ClickSpinArrow(hSpin, upper);
            PumpUntil([&] { return (Value(w) == before) != upper; }, 500);
            PumpFor(30);
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
