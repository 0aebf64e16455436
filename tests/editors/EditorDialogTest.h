// The dialog of the value-editor tests, created modeless on the test thread
// from the test's own template, the user actions on its controls, and scripts
// of actions with what the editor must hold after each.
#pragma once
#include <afxwin.h>
#include <gtest/gtest.h>
#include <climits>
#include <functional>
#include <initializer_list>
#include <string>
#include "editors/EditorBeep.h"
#include "editors/QRVBaudRateMgr.h"
#include "editors/QRVMemoryMgr.h"
#include "editors/QRVTimerMgr.h"
#include "editors/QRVTrendMemoryMgr.h"
#include "editors_tests_res.h"

// One action on an editor and what it must hold after it: the manager's value
// (unless NA) and the box's text (unless null). Actions: 'T' types arg and
// leaves the box, 't' only types it, 'S' sets arg through the manager, '+'
// and '-' send the up-down control's step notification (delta 1, -1, or arg),
// '^' and 'v' click the upper and lower arrow, 'b' checks the beeps so far.
struct Act
{
    char op;
    const char* arg;
    long value;
    const char* shown;
};
const long NA = LONG_MIN;

class EditorDialogTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Item(int id) const { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    std::string Text(int editId) const;
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    // UDN_DELTAPOS as the up-down control sends it to its parent; returns
    // the parent's answer (non-zero would stop the control's own step).
    LRESULT Step(int spinId, int delta);
    // A real mouse click on an arrow of the up-down control, pumped until
    // the edit box's text changed (or a short time passed).
    void ClickArrow(int spinId, int editId, bool upper);
    void TypeAndLeave(int editId, const std::string& text);
    void TypeOnly(int editId, const std::string& text);
    // Plays the actions on the editor of (spinId, editId).
    void Play(int spinId, int editId, const std::function<long()>& value, const std::function<void(const char*)>& set,
              std::initializer_list<Act> acts);

    CDialog m_dlg;
    CWnd* Dialog() { return &m_dlg; }
    int m_nBeeps = 0;

private:
    static void AFXAPI OnBeep(UINT nType);
    CEditorBeep::PFN_BEEP m_pfnOldBeep = nullptr;
};

// The same dialog with the four editors attached: baud rate, memory, trend
// memory (default size 16 K) and timer.
class Editors : public EditorDialogTest
{
protected:
    enum Which { BAUD, MEMORY, TREND, TIMER };
    void SetUp() override;
    // 'S' takes a number; for the timer "<n>s" or "<n>m" (seconds or milliseconds).
    void Play(Which which, std::initializer_list<Act> acts);
    using EditorDialogTest::Play;
    void BaudMode(BAUDRATE_MODE mode, long lower, long upper, long value)
    {
        baud.SetBaudRateMode(mode), baud.SetBaudRateRange(lower, upper), baud.SetBaudRate(value);
    }
    void ExpectEnabled(int spinId, int editId, bool enabled, const char* shown)
    {
        EXPECT_EQ(enabled, Enabled(editId) && Enabled(spinId));
        EXPECT_EQ(enabled, Enabled(editId) || Enabled(spinId));
        EXPECT_EQ(shown, Text(editId));
    }

    QRVBaudRateMgr baud;
    QRVMemoryMgr memory;
    QRVTrendMemoryMgr trend{16};
    QRVTimerMgr timer;
};
