// The dialog of the value-editor tests, created modeless on the test thread
// from the test's own templates, the user actions on its controls, and scripts
// of actions with what an editor must hold after each.
#pragma once
#include <afxwin.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <climits>
#include <string>
#include "editors/EditorBeep.h"
#include "editors/QRVBaudRateMgr.h"
#include "editors/QRVMemoryMgr.h"
#include "editors/QRVTimerMgr.h"
#include "editors/QRVTrendMemoryMgr.h"
#include "editors_tests_res.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

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

class EditorDialogTest : public ::testing::Test {
protected:
    void SetUp() override { Open(IDD_EDITORS_TEST); }
    void Open(UINT idd)
    {
        s_nBeeps = 0;
        m_pfnOldBeep = CEditorBeep::SetHook(&OnBeep);
        ASSERT_TRUE(m_dlg.Create(idd));
        ::SetForegroundWindow(m_dlg.m_hWnd);
        qrvtest::Focus(m_dlg.m_hWnd, IDC_OTHER_EDIT);
        qrvtest::PumpFor(20);
    }
    void TearDown() override
    {
        if (m_dlg.m_hWnd)
            m_dlg.DestroyWindow();
        qrvtest::PumpFor(10);
        CEditorBeep::SetHook(m_pfnOldBeep);
    }

    HWND Item(int id) const { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    std::string Text(int editId) const { return qrvtest::ItemText(m_dlg.m_hWnd, editId); }
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
        qrvtest::ClickSpinArrow(Item(spinId), upper);
        qrvtest::PumpUntil([&] { return Text(editId) != before; }, 500);
        qrvtest::PumpFor(20); // the button-up message and whatever it causes as well
    }
    void Type(int editId, const std::string &text, bool leave = true)
    {
        qrvtest::Type(m_dlg.m_hWnd, editId, text);
        if (leave)
            qrvtest::Focus(m_dlg.m_hWnd, IDC_OTHER_EDIT);
        qrvtest::PumpFor(10);
    }

    CDialog m_dlg;
    static inline int s_nBeeps = 0;

private:
    static void AFXAPI OnBeep(UINT) { ++s_nBeeps; }
    CEditorBeep::PFN_BEEP m_pfnOldBeep = nullptr;
};

// The same dialog with the four editors attached: baud rate, memory, trend
// memory (default size 16 K) and timer.
class Editors : public EditorDialogTest {
protected:
    enum Which { BAUD, MEMORY, TREND, TIMER };
    static constexpr int kEdit[] = {IDC_BAUD_EDIT, IDC_MEMORY_EDIT, IDC_TREND_EDIT, IDC_TIMER_EDIT};
    static constexpr int kSpin[] = {IDC_BAUD_SPIN, IDC_MEMORY_SPIN, IDC_TREND_SPIN, IDC_TIMER_SPIN};

    void SetUp() override { Attach(IDD_EDITORS_TEST); }
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
        baud.SetBaudRateMode(mode), baud.SetBaudRateRange(lower, upper), baud.SetBaudRate(value);
    }

    QRVBaudRateMgr baud;
    QRVMemoryMgr memory;
    QRVTrendMemoryMgr trend{16};
    QRVTimerMgr timer;
    CSpinEditMgr *const mgrs[4] = {&baud, &memory, &trend, &timer};
};
