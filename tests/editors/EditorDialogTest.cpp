#include "EditorDialogTest.h"
#include <commctrl.h>
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"

void EditorDialogTest::SetUp()
{
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
}

std::string EditorDialogTest::Text(int editId) const { return qrvtest::ItemText(m_dlg.m_hWnd, editId); }

LRESULT EditorDialogTest::Step(int spinId, int delta)
{
    HWND hSpin = Item(spinId);
    NMUPDOWN nm = {};
    nm.hdr.hwndFrom = hSpin;
    nm.hdr.idFrom = static_cast<UINT_PTR>(spinId);
    nm.hdr.code = UDN_DELTAPOS;
    nm.iPos = static_cast<int>(::SendMessageA(hSpin, UDM_GETPOS32, 0, 0));
    nm.iDelta = delta;
    return ::SendMessageA(::GetParent(hSpin), WM_NOTIFY, static_cast<WPARAM>(spinId), reinterpret_cast<LPARAM>(&nm));
}

void EditorDialogTest::ClickArrow(int spinId, int editId, bool upper)
{
    std::string before = Text(editId);
    qrvtest::ClickSpinArrow(Item(spinId), upper);
    qrvtest::PumpUntil([&] { return Text(editId) != before; }, 500);
    // Let the button-up message and whatever it causes through as well.
    qrvtest::PumpFor(20);
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

int BeepCounter::s_nBeeps = 0;

BeepCounter::BeepCounter()
{
    s_nBeeps = 0;
    m_pfnOld = CEditorBeep::SetHook(&BeepCounter::OnBeep);
}

BeepCounter::~BeepCounter() { CEditorBeep::SetHook(m_pfnOld); }

void AFXAPI BeepCounter::OnBeep(UINT) { ++s_nBeeps; }
