#include "MessageBoxAnswer.h"
#include "ModalDriver.h"
#include "MessagePump.h"

namespace qrvtest {

namespace {
// Windows gives the text of a message box id 0xFFFF and its icon 0x14;
// Wine's template uses 100 and 1088.
HWND TextOf(HWND hBox)
{
    HWND h = ::GetDlgItem(hBox, 0xFFFF);
    return h ? h : ::GetDlgItem(hBox, 100);
}

HWND IconControlOf(HWND hBox)
{
    HWND h = ::GetDlgItem(hBox, 0x14);
    return h ? h : ::GetDlgItem(hBox, 1088);
}

HWND FindMessageBox(DWORD threadId)
{
    for (HWND hWnd : ThreadDialogs(threadId))
        if (::IsWindowVisible(hWnd) && TextOf(hWnd) && IconControlOf(hWnd))
            return hWnd;
    return nullptr;
}

std::string WindowText(HWND hWnd)
{
    char buf[4096] = "";
    ::GetWindowTextA(hWnd, buf, sizeof buf);
    return buf;
}

UINT IconOf(HWND hBox)
{
    HWND hIcon = IconControlOf(hBox);
    HICON h = hIcon ? reinterpret_cast<HICON>(::SendMessageA(hIcon, STM_GETICON, 0, 0)) : nullptr;
    if (!h)
        return 0;
    struct { LPCSTR id; UINT style; } icons[] = {
        { IDI_QUESTION, MB_ICONQUESTION }, { IDI_EXCLAMATION, MB_ICONEXCLAMATION },
        { IDI_HAND, MB_ICONHAND }, { IDI_ASTERISK, MB_ICONASTERISK } };
    for (const auto& icon : icons)
        if (::LoadIconA(nullptr, icon.id) == h)
            return icon.style;
    return MB_USERICON;
}

MessageBoxRecord Read(HWND hBox)
{
    MessageBoxRecord r;
    r.shown = true;
    r.caption = WindowText(hBox);
    r.text = WindowText(TextOf(hBox));
    for (int id : { IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO })
        if (HWND h = ::GetDlgItem(hBox, id))
            if (::IsWindowVisible(h))
                r.buttons.push_back(id);
    // The default button carries BS_DEFPUSHBUTTON; the dialog's default id
    // is the fallback.
    for (int id : r.buttons)
        if ((::GetWindowLongA(::GetDlgItem(hBox, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
            r.defaultButton = id;
    DWORD def = (DWORD)::SendMessageA(hBox, DM_GETDEFID, 0, 0);
    if (!r.defaultButton && HIWORD(def) == DC_HASDEFID)
        r.defaultButton = LOWORD(def);
    r.icon = IconOf(hBox);
    return r;
}

bool Has(const std::vector<int>& v, int id)
{
    for (int x : v)
        if (x == id)
            return true;
    return false;
}
}

UINT MessageBoxRecord::Style() const
{
    UINT style = MB_OK;
    if (Has(buttons, IDYES) && Has(buttons, IDNO))
        style = Has(buttons, IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
    else if (Has(buttons, IDRETRY))
        style = Has(buttons, IDABORT) ? MB_ABORTRETRYIGNORE : MB_RETRYCANCEL;
    else if (Has(buttons, IDCANCEL))
        style = MB_OKCANCEL;
    // Buttons stand in the order of the style's list; the default is the n-th.
    std::vector<int> order;
    switch (style) {
    case MB_YESNOCANCEL: order = { IDYES, IDNO, IDCANCEL }; break;
    case MB_YESNO: order = { IDYES, IDNO }; break;
    case MB_OKCANCEL: order = { IDOK, IDCANCEL }; break;
    case MB_RETRYCANCEL: order = { IDRETRY, IDCANCEL }; break;
    case MB_ABORTRETRYIGNORE: order = { IDABORT, IDRETRY, IDIGNORE }; break;
    default: order = { IDOK }; break;
    }
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] == defaultButton)
            style |= (UINT)i * MB_DEFBUTTON2;
    return style | icon;
}

MessageBoxRecord AnswerMessageBox(DWORD threadId, int answer, DWORD timeoutMs)
{
    HWND hBox = nullptr;
    if (!WaitUntil([&] { return (hBox = FindMessageBox(threadId)) != nullptr; }, timeoutMs))
        return MessageBoxRecord();
    ::Sleep(30);
    MessageBoxRecord r = Read(hBox);
    ::PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), (LPARAM)::GetDlgItem(hBox, answer));
    WaitUntil([&] { return !::IsWindow(hBox); }, timeoutMs);
    return r;
}

MessageBoxAnswerer::MessageBoxAnswerer(int answer, DWORD timeoutMs)
{
    DWORD threadId = ::GetCurrentThreadId();
    m_thread = std::thread([this, threadId, answer, timeoutMs] {
        m_record = AnswerMessageBox(threadId, answer, timeoutMs);
    });
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    if (m_thread.joinable())
        m_thread.join();
}

MessageBoxRecord MessageBoxAnswerer::Join()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_record;
}

}
