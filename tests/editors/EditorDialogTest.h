// The dialog of the value-editor tests, created modeless on the test thread
// from the test's own template, and the user actions on its controls.
#pragma once
#include <afxwin.h>
#include <gtest/gtest.h>
#include <string>
#include "editors/EditorBeep.h"
#include "editors_tests_res.h"

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
    // Typing into the box and leaving it for another control.
    void TypeAndLeave(int editId, const std::string& text);
    // Typing only: the focus stays in the box.
    void TypeOnly(int editId, const std::string& text);

    CDialog m_dlg;
    CWnd* Dialog() { return &m_dlg; }
};

// Counts the editors' beeps while it lives.
class BeepCounter
{
public:
    BeepCounter();
    ~BeepCounter();
    int Count() const { return s_nBeeps; }

private:
    static void AFXAPI OnBeep(UINT nType);
    static int s_nBeeps;
    CEditorBeep::PFN_BEEP m_pfnOld;
};
