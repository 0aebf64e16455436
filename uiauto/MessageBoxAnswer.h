// Answers the next message box of a thread with a chosen button and records
// what it showed. Use it from a ModalDriver script, or start it before the
// code under test opens the box on the test's own thread.
#pragma once
#include <windows.h>
#include <string>
#include <thread>
#include <vector>

namespace qrvtest {

struct MessageBoxRecord
{
    bool shown = false;
    std::string text;
    std::string caption;
    std::vector<int> buttons;   // command ids present: IDOK, IDCANCEL, IDYES, IDNO, ...
    int defaultButton = 0;      // command id of the default button
    UINT icon = 0;              // MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONHAND, MB_ICONASTERISK or 0
    // The MB_ style reconstructed from the buttons, the icon and the default button.
    UINT Style() const;
};

// Waits on the calling thread (polling) for a message box of threadId, then
// answers it with button `answer`.
MessageBoxRecord AnswerMessageBox(DWORD threadId, int answer, DWORD timeoutMs = 5000);

// The same from a background thread, so that the test's own thread can open
// the box: construct before, call Join() after.
class MessageBoxAnswerer
{
public:
    explicit MessageBoxAnswerer(int answer, DWORD timeoutMs = 5000);
    ~MessageBoxAnswerer();
    MessageBoxRecord Join();

private:
    MessageBoxRecord m_record;
    std::thread m_thread;
};

}
