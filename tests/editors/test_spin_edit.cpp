// The spin-edit base: taking over the dialog's controls, the companion
// control classes, giving the controls back, and creation by class name.
#include "EditorDialogTest.h"
#include <commctrl.h>
#include <memory>
#include <vector>
#include "editors/MemoryEditCtl.h"
#include "editors/MemorySpinCtl.h"
#include "editors/QRVBaudRateMgr.h"
#include "editors/QRVMemoryMgr.h"
#include "editors/QRVTimerMgr.h"
#include "editors/QRVTrendMemoryMgr.h"
#include "editors/TimerEditCtl.h"
#include "editors/TimerSpinCtl.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

namespace {

using SpinEdit = EditorDialogTest;

// Records what the controls hand to the base's two virtual operations.
class RecordingMgr : public QRVBaudRateMgr
{
public:
    void ParseUserData(CString strText) override { parsed.push_back(std::string(strText)); }
    void IncDecPos(int nDelta) override { deltas.push_back(nDelta); }
    std::vector<std::string> parsed;
    std::vector<int> deltas;
};

TEST_F(SpinEdit, ManagersTakeOverTheirControlPairs)
{
    QRVBaudRateMgr baud;
    QRVTimerMgr timer;
    QRVMemoryMgr memory;
    QRVTrendMemoryMgr trend(16);
    struct { CSpinEditMgr* mgr; bool ok; int edit, spin; CRuntimeClass *editClass, *spinClass; } pairs[] = {
        {&baud, baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()) != 0, IDC_BAUD_EDIT, IDC_BAUD_SPIN,
         RUNTIME_CLASS(CTimerEditCtl), RUNTIME_CLASS(CTimerSpinCtl)},
        {&timer, timer.SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()) != 0, IDC_TIMER_EDIT,
         IDC_TIMER_SPIN, RUNTIME_CLASS(CTimerEditCtl), RUNTIME_CLASS(CTimerSpinCtl)},
        {&memory, memory.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()) != 0, IDC_MEMORY_EDIT,
         IDC_MEMORY_SPIN, RUNTIME_CLASS(CMemoryEditCtl), RUNTIME_CLASS(CMemorySpinCtl)},
        {&trend, trend.SubClassControls(IDC_TREND_SPIN, IDC_TREND_EDIT, Dialog()) != 0, IDC_TREND_EDIT,
         IDC_TREND_SPIN, RUNTIME_CLASS(CMemoryEditCtl), RUNTIME_CLASS(CMemorySpinCtl)},
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.edit);
        ASSERT_TRUE(p.ok);
        CWnd* pEdit = CWnd::FromHandlePermanent(Item(p.edit));
        CWnd* pSpin = CWnd::FromHandlePermanent(Item(p.spin));
        ASSERT_TRUE(pEdit && pSpin);
        EXPECT_EQ(pEdit, p.mgr->GetEditCtrl());
        EXPECT_EQ(pSpin, p.mgr->GetSpinCtrl());
        EXPECT_EQ(p.editClass, pEdit->GetRuntimeClass());
        EXPECT_EQ(p.spinClass, pSpin->GetRuntimeClass());
        EXPECT_EQ(Item(p.edit), (HWND)::SendMessageA(Item(p.spin), UDM_GETBUDDY, 0, 0)) << "the edit box is the buddy";
        int lower = -1, upper = -1;
        ::SendMessageA(Item(p.spin), UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper);
        EXPECT_EQ(0, lower);
        EXPECT_EQ(100, upper);
        EXPECT_EQ(0, ::GetWindowLongA(Item(p.spin), GWL_STYLE) & UDS_SETBUDDYINT);
    }
}

TEST_F(SpinEdit, MissingControlsAreAFailureAndTheManagerStillWorks)
{
    QRVBaudRateMgr baud;
    EXPECT_FALSE(baud.SubClassControls(4711, IDC_BAUD_EDIT, Dialog()));
    EXPECT_FALSE(baud.SubClassControls(IDC_BAUD_SPIN, 4712, Dialog()));
    EXPECT_FALSE(baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, nullptr));
    EXPECT_FALSE(baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_SPIN, Dialog()));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_BAUD_EDIT)));
    baud.SetBaudRateRange(150, 57600);
    baud.SetBaudRate(9600);
    baud.IncDecPos(1);
    EXPECT_EQ(19200, baud.GetBaudRate());
    baud.ParseUserData("2400");
    EXPECT_EQ(2400, baud.GetBaudRate());
}

TEST_F(SpinEdit, ControlsReportLeavingTheBoxAndEveryArrowStepBeyondTheControlsOwnRange)
{
    RecordingMgr mgr;
    ASSERT_TRUE(mgr.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    TypeAndLeave(IDC_BAUD_EDIT, "Hallo 12");
    EXPECT_EQ(std::vector<std::string>{"Hallo 12"}, mgr.parsed);
    EXPECT_EQ(0, Step(IDC_BAUD_SPIN, 3));
    EXPECT_EQ(0, Step(IDC_BAUD_SPIN, -1));
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, true);
    ClickArrow(IDC_BAUD_SPIN, IDC_BAUD_EDIT, false);
    qrvtest::PumpUntil([&] { return mgr.deltas.size() >= 4; }, 500);
    ASSERT_EQ(4u, mgr.deltas.size());
    EXPECT_EQ(3, mgr.deltas[0]);
    EXPECT_EQ(-1, mgr.deltas[1]);
    EXPECT_GT(mgr.deltas[2], 0) << "the upper arrow counts up";
    EXPECT_LT(mgr.deltas[3], 0);
    EXPECT_EQ("Hallo 12", Text(IDC_BAUD_EDIT)) << "the control's position never reaches the box";

    QRVMemoryMgr memory;   // 120 clicks: far more than the control's own range of 100
    ASSERT_TRUE(memory.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()));
    memory.SetRangeStep(0, 100000, 1);
    for (int i = 1; i <= 120; ++i) {
        qrvtest::ClickSpinArrow(Item(IDC_MEMORY_SPIN), true);
        ASSERT_TRUE(qrvtest::PumpUntil([&] { return memory.GetMemValue() == i; }, 1000)) << "click " << i;
    }
    qrvtest::PumpFor(20);
    EXPECT_EQ("120 K", Text(IDC_MEMORY_EDIT));
}

TEST_F(SpinEdit, DeletingTheManagerGivesTheControlsBackAndAnotherCanTakeThem)
{
    auto mgr = std::make_unique<QRVTimerMgr>();
    ASSERT_TRUE(mgr->SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()));
    CEdit* pEdit = mgr->GetEditCtrl();
    ASSERT_TRUE(mgr->SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog())) << "subclassing twice moves it";
    EXPECT_EQ(pEdit, mgr->GetEditCtrl()) << "the control objects are made once";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_TIMER_EDIT)));
    mgr->SetTimerPos(4, TIMER_UNIT_SEC);
    EXPECT_EQ("4 Sek", Text(IDC_BAUD_EDIT));
    EXPECT_EQ("", Text(IDC_TIMER_EDIT));
    mgr.reset();
    ASSERT_TRUE(::IsWindow(Item(IDC_BAUD_EDIT)) && ::IsWindow(Item(IDC_BAUD_SPIN))) << "the host's controls stay";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_BAUD_EDIT)));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_BAUD_SPIN)));
    TypeAndLeave(IDC_BAUD_EDIT, "frei");
    EXPECT_EQ("frei", Text(IDC_BAUD_EDIT)) << "a plain edit box again";
    EXPECT_EQ(0, Step(IDC_BAUD_SPIN, 1));
    QRVBaudRateMgr next;
    ASSERT_TRUE(next.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    next.SetBaudRateRange(150, 1200);
    next.SetBaudRate(300);
    Step(IDC_BAUD_SPIN, 1);
    EXPECT_EQ("600", Text(IDC_BAUD_EDIT));
}

TEST_F(SpinEdit, DestroyingTheDialogFirstLeavesTheManagerSafe)
{
    QRVMemoryMgr mgr;
    ASSERT_TRUE(mgr.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()));
    mgr.SetRangeStep(64, 1024, 64);
    qrvtest::Focus(Dialog()->m_hWnd, IDC_MEMORY_EDIT);
    m_dlg.DestroyWindow();
    EXPECT_EQ(nullptr, mgr.GetEditCtrl()->m_hWnd);
    EXPECT_EQ(nullptr, mgr.GetSpinCtrl()->m_hWnd);
    mgr.SetMemPos(256);
    mgr.IncDecPos(1);
    mgr.Enable(0);
    EXPECT_EQ(320, mgr.GetMemValue());
}

// Created by name, each manager is a working editor with its construction defaults.
TEST(EditorCreation, EveryManagerIsCreatableByItsClassName)
{
    const struct { const char* name; std::function<void(CObject*)> check; } managers[] = {
        {"CSpinEditMgr", [](CObject* p) {   // the base does nothing with its input
             static_cast<CSpinEditMgr*>(p)->ParseUserData("123");
             static_cast<CSpinEditMgr*>(p)->IncDecPos(1);
             EXPECT_EQ(nullptr, static_cast<CSpinEditMgr*>(p)->GetEditCtrl());
         }},
        {"QRVBaudRateMgr", [](CObject* p) { EXPECT_EQ(150, static_cast<QRVBaudRateMgr*>(p)->GetBaudRate()); }},
        {"QRVMemoryMgr", [](CObject* p) {
             static_cast<QRVMemoryMgr*>(p)->SetRangeStep(64, 1024, 64);
             static_cast<QRVMemoryMgr*>(p)->ParseUserData("1M");
             EXPECT_EQ(1024, static_cast<QRVMemoryMgr*>(p)->GetMemValue());
         }},
        {"QRVTrendMemoryMgr", [](CObject* p) {
             EXPECT_EQ(0, static_cast<QRVTrendMemoryMgr*>(p)->GetDefaultDatFileValue());
             EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(QRVMemoryMgr)));
         }},
        {"QRVTimerMgr", [](CObject* p) {
             static_cast<QRVTimerMgr*>(p)->SetTimerPos(500, TIMER_UNIT_MSEC);
             EXPECT_EQ(0x32, static_cast<QRVTimerMgr*>(p)->GetTavoFlaggedByte());
         }},
    };
    for (const auto& m : managers) {
        SCOPED_TRACE(m.name);
        CRuntimeClass* pClass = CRuntimeClass::FromName(m.name);
        ASSERT_NE(nullptr, pClass);
        EXPECT_STREQ(m.name, pClass->m_lpszClassName);
        std::unique_ptr<CObject> obj(CRuntimeClass::CreateObject(m.name));
        ASSERT_NE(nullptr, obj);
        EXPECT_EQ(pClass, obj->GetRuntimeClass());
        EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CSpinEditMgr)) && obj->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
        m.check(obj.get());
    }
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("QRVNoSuchMgr"));
}

}
