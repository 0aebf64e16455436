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
    ASSERT_TRUE(baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    ASSERT_TRUE(timer.SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()));
    ASSERT_TRUE(memory.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()));
    ASSERT_TRUE(trend.SubClassControls(IDC_TREND_SPIN, IDC_TREND_EDIT, Dialog()));

    struct { CSpinEditMgr* mgr; int edit; int spin; CRuntimeClass* editClass; CRuntimeClass* spinClass; } pairs[] = {
        {&baud, IDC_BAUD_EDIT, IDC_BAUD_SPIN, RUNTIME_CLASS(CTimerEditCtl), RUNTIME_CLASS(CTimerSpinCtl)},
        {&timer, IDC_TIMER_EDIT, IDC_TIMER_SPIN, RUNTIME_CLASS(CTimerEditCtl), RUNTIME_CLASS(CTimerSpinCtl)},
        {&memory, IDC_MEMORY_EDIT, IDC_MEMORY_SPIN, RUNTIME_CLASS(CMemoryEditCtl), RUNTIME_CLASS(CMemorySpinCtl)},
        {&trend, IDC_TREND_EDIT, IDC_TREND_SPIN, RUNTIME_CLASS(CMemoryEditCtl), RUNTIME_CLASS(CMemorySpinCtl)},
    };
    for (const auto& p : pairs) {
        CWnd* pEdit = CWnd::FromHandlePermanent(Item(p.edit));
        CWnd* pSpin = CWnd::FromHandlePermanent(Item(p.spin));
        ASSERT_NE(nullptr, pEdit) << p.edit;
        ASSERT_NE(nullptr, pSpin) << p.spin;
        EXPECT_EQ(pEdit, p.mgr->GetEditCtrl());
        EXPECT_EQ(pSpin, p.mgr->GetSpinCtrl());
        EXPECT_EQ(p.editClass, pEdit->GetRuntimeClass()) << p.edit;
        EXPECT_EQ(p.spinClass, pSpin->GetRuntimeClass()) << p.spin;
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

TEST_F(SpinEdit, ControlsReportLeavingTheBoxAndEveryArrowStep)
{
    RecordingMgr mgr;
    ASSERT_TRUE(mgr.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    TypeAndLeave(IDC_BAUD_EDIT, "Hallo 12");
    ASSERT_EQ(1u, mgr.parsed.size());
    EXPECT_EQ("Hallo 12", mgr.parsed[0]);
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
}

TEST_F(SpinEdit, ManyClicksKeepArrivingBeyondTheControlsOwnRange)
{
    QRVMemoryMgr mgr;
    ASSERT_TRUE(mgr.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()));
    mgr.SetRangeStep(0, 100000, 1);
    for (int i = 1; i <= 120; ++i) {
        qrvtest::ClickSpinArrow(Item(IDC_MEMORY_SPIN), true);
        ASSERT_TRUE(qrvtest::PumpUntil([&] { return mgr.GetMemValue() == i; }, 1000)) << "click " << i;
    }
    qrvtest::PumpFor(20);
    EXPECT_EQ(120, mgr.GetMemValue());
    EXPECT_EQ("120 K", Text(IDC_MEMORY_EDIT));
}

TEST_F(SpinEdit, ArrowKeysInTheBoxStepThroughTheSameNotification)
{
    QRVTimerMgr mgr;
    ASSERT_TRUE(mgr.SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()));
    mgr.SetTimerPos(5, TIMER_UNIT_SEC);
    qrvtest::Focus(Dialog()->m_hWnd, IDC_TIMER_EDIT);
    ::SendMessageA(Item(IDC_TIMER_EDIT), WM_KEYDOWN, VK_UP, 1);
    ::SendMessageA(Item(IDC_TIMER_EDIT), WM_KEYUP, VK_UP, 0xC0000001);
    qrvtest::PumpFor(20);
    EXPECT_EQ("6 Sek", Text(IDC_TIMER_EDIT));
}

TEST_F(SpinEdit, DeletingTheManagerGivesTheControlsBack)
{
    auto mgr = std::make_unique<QRVBaudRateMgr>();
    ASSERT_TRUE(mgr->SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    mgr->SetBaudRate(150);
    mgr.reset();
    ASSERT_TRUE(::IsWindow(Item(IDC_BAUD_EDIT))) << "the host's controls stay";
    ASSERT_TRUE(::IsWindow(Item(IDC_BAUD_SPIN)));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_BAUD_EDIT)));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_BAUD_SPIN)));
    TypeAndLeave(IDC_BAUD_EDIT, "frei");
    EXPECT_EQ("frei", Text(IDC_BAUD_EDIT)) << "a plain edit box again";
    EXPECT_EQ(0, Step(IDC_BAUD_SPIN, 1));

    // A second manager can take the same controls over.
    QRVBaudRateMgr next;
    ASSERT_TRUE(next.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    next.SetBaudRateRange(150, 1200);
    next.SetBaudRate(300);
    Step(IDC_BAUD_SPIN, 1);
    EXPECT_EQ("600", Text(IDC_BAUD_EDIT));
}

TEST_F(SpinEdit, SubclassingTwiceMovesTheManagerToTheNewControls)
{
    QRVTimerMgr mgr;
    ASSERT_TRUE(mgr.SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()));
    CEdit* pEdit = mgr.GetEditCtrl();
    ASSERT_TRUE(mgr.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    EXPECT_EQ(pEdit, mgr.GetEditCtrl()) << "the control objects are made once";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(IDC_TIMER_EDIT)));
    mgr.SetTimerPos(4, TIMER_UNIT_SEC);
    EXPECT_EQ("4 Sek", Text(IDC_BAUD_EDIT));
    EXPECT_EQ("", Text(IDC_TIMER_EDIT));
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

TEST(EditorCreation, EveryManagerIsCreatableByItsClassName)
{
    const char* names[] = {"CSpinEditMgr", "QRVBaudRateMgr", "QRVMemoryMgr", "QRVTrendMemoryMgr", "QRVTimerMgr"};
    for (const char* name : names) {
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(nullptr, pClass) << name;
        EXPECT_STREQ(name, pClass->m_lpszClassName);
        std::unique_ptr<CObject> obj(CRuntimeClass::CreateObject(name));
        ASSERT_NE(nullptr, obj) << name;
        EXPECT_EQ(pClass, obj->GetRuntimeClass()) << name;
        EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CSpinEditMgr))) << name;
        EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CCmdTarget))) << name;
    }
    EXPECT_TRUE(RUNTIME_CLASS(QRVTrendMemoryMgr)->IsDerivedFrom(RUNTIME_CLASS(QRVMemoryMgr)));

    // Created by name, each is a working editor with its construction defaults.
    std::unique_ptr<CObject> baud(CRuntimeClass::CreateObject("QRVBaudRateMgr"));
    EXPECT_EQ(150, static_cast<QRVBaudRateMgr*>(baud.get())->GetBaudRate());
    std::unique_ptr<CObject> timer(CRuntimeClass::CreateObject("QRVTimerMgr"));
    auto* pTimer = static_cast<QRVTimerMgr*>(timer.get());
    pTimer->SetTimerPos(500, TIMER_UNIT_MSEC);
    EXPECT_EQ(0x32, pTimer->GetTavoFlaggedByte());
    std::unique_ptr<CObject> trend(CRuntimeClass::CreateObject("QRVTrendMemoryMgr"));
    EXPECT_EQ(0, static_cast<QRVTrendMemoryMgr*>(trend.get())->GetDefaultDatFileValue());
    std::unique_ptr<CObject> memory(CRuntimeClass::CreateObject("QRVMemoryMgr"));
    auto* pMemory = static_cast<QRVMemoryMgr*>(memory.get());
    pMemory->SetRangeStep(64, 1024, 64);
    pMemory->ParseUserData("1M");
    EXPECT_EQ(1024, pMemory->GetMemValue());

    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("QRVNoSuchMgr"));
}

TEST(EditorCreation, TheBaseManagerDoesNothingWithItsInput)
{
    std::unique_ptr<CObject> obj(CRuntimeClass::CreateObject("CSpinEditMgr"));
    auto* pMgr = static_cast<CSpinEditMgr*>(obj.get());
    pMgr->ParseUserData("123");
    pMgr->IncDecPos(1);
    EXPECT_EQ(nullptr, pMgr->GetEditCtrl());
    EXPECT_EQ(nullptr, pMgr->GetSpinCtrl());
}

}
