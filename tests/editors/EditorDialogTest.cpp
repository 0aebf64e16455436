#include "EditorDialogTest.h"
#include <commctrl.h>
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

namespace {
int* s_pBeeps = nullptr;
}

void AFXAPI EditorDialogTest::OnBeep(UINT) { ++*s_pBeeps; }

void EditorDialogTest::SetUp()
{
    s_pBeeps = &m_nBeeps;
    m_pfnOldBeep = CEditorBeep::SetHook(&EditorDialogTest::OnBeep);
    ASSERT_TRUE(m_dlg.Create(IDD_EDITORS_TEST));
    ::SetForegroundWindow(m_dlg.m_hWnd);
    qrvtest::Focus(m_dlg.m_hWnd, IDC_OTHER_EDIT);
    qrvtest::PumpFor(20);
}

void EditorDialogTest::TearDown()
{
    if (m_dlg.m_hWnd)
        m_dlg.DestroyWindow();
    qrvtest::PumpFor(10);
    CEditorBeep::SetHook(m_pfnOldBeep);
}

std::string EditorDialogTest::Text(int editId) const { return qrvtest::ItemText(m_dlg.m_hWnd, editId); }

LRESULT EditorDialogTest::Step(int spinId, int delta)
{
    HWND hSpin = Item(spinId);
    NMUPDOWN nm = {{hSpin, static_cast<UINT_PTR>(spinId), UDN_DELTAPOS},
                   static_cast<int>(::SendMessageA(hSpin, UDM_GETPOS32, 0, 0)), delta};
    return ::SendMessageA(::GetParent(hSpin), WM_NOTIFY, static_cast<WPARAM>(spinId), reinterpret_cast<LPARAM>(&nm));
}

void EditorDialogTest::ClickArrow(int spinId, int editId, bool upper)
{
    std::string before = Text(editId);
    qrvtest::ClickSpinArrow(Item(spinId), upper);
    qrvtest::PumpUntil([&] { return Text(editId) != before; }, 500);
    qrvtest::PumpFor(20);   // the button-up message and whatever it causes as well
}

void EditorDialogTest::TypeAndLeave(int editId, const std::string& text)
{
    qrvtest::Type(m_dlg.m_hWnd, editId, text);
    qrvtest::Focus(m_dlg.m_hWnd, IDC_OTHER_EDIT);
    qrvtest::PumpFor(10);
}

void EditorDialogTest::TypeOnly(int editId, const std::string& text)
{
    qrvtest::Type(m_dlg.m_hWnd, editId, text);
    qrvtest::PumpFor(10);
}

void EditorDialogTest::Play(int spinId, int editId, const std::function<long()>& value,
                            const std::function<void(const char*)>& set, std::initializer_list<Act> acts)
{
    int n = 0;
    for (const Act& a : acts) {
        SCOPED_TRACE("action " + std::to_string(++n) + " '" + a.op + "' " + (a.arg ? a.arg : ""));
        switch (a.op) {
        case 'T': TypeAndLeave(editId, a.arg); break;
        case 't': TypeOnly(editId, a.arg); break;
        case 'S': set(a.arg); break;
        case '+':
        case '-':   // the answer lets the control go on with its own step
            EXPECT_EQ(0, Step(spinId, (a.op == '+' ? 1 : -1) * (a.arg ? atoi(a.arg) : 1)));
            break;
        case '^':
        case 'v': ClickArrow(spinId, editId, a.op == '^'); break;
        case 'b': EXPECT_EQ(a.value, m_nBeeps); continue;
        default: ADD_FAILURE() << "unknown action";
        }
        if (a.value != NA) {
            EXPECT_EQ(a.value, value());
        }
        if (a.shown) {
            EXPECT_EQ(a.shown, Text(editId));
        }
    }
}

void Editors::SetUp()
{
    EditorDialogTest::SetUp();
    ASSERT_TRUE(baud.SubClassControls(IDC_BAUD_SPIN, IDC_BAUD_EDIT, Dialog()));
    ASSERT_TRUE(memory.SubClassControls(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, Dialog()));
    ASSERT_TRUE(trend.SubClassControls(IDC_TREND_SPIN, IDC_TREND_EDIT, Dialog()));
    ASSERT_TRUE(timer.SubClassControls(IDC_TIMER_SPIN, IDC_TIMER_EDIT, Dialog()));
}

void Editors::Play(Which which, std::initializer_list<Act> acts)
{
    if (which == BAUD)
        Play(IDC_BAUD_SPIN, IDC_BAUD_EDIT, [&] { return baud.GetBaudRate(); },
             [&](const char* a) { baud.SetBaudRate(atol(a)); }, acts);
    else if (which == MEMORY)
        Play(IDC_MEMORY_SPIN, IDC_MEMORY_EDIT, [&] { return long(memory.GetMemValue()); },
             [&](const char* a) { memory.SetMemPos(atoi(a)); }, acts);
    else if (which == TREND)
        Play(IDC_TREND_SPIN, IDC_TREND_EDIT, [&] { return long(trend.GetMemValue()); },
             [&](const char* a) { trend.SetMemPos(atoi(a)); }, acts);
    else
        Play(IDC_TIMER_SPIN, IDC_TIMER_EDIT, [&] { return long(timer.GetTimerValue()); },
             [&](const char* a) { timer.SetTimerPos(atoi(a), strchr(a, 'm') ? TIMER_UNIT_MSEC : TIMER_UNIT_SEC); },
             acts);
}
