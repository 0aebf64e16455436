// A step of the test's own thread that may show message boxes: each one is
// answered with OK and the last one recorded, and a step that shows none
// costs no wait (a box that should not come fails the test instead of
// hanging it).
#pragma once
#include <windows.h>
#include <atomic>
#include <thread>
#include "uiauto/MessageBoxAnswer.h"

namespace qrvtest {

template <class Fn> MessageBoxRecord AnsweringBoxes(Fn step)
{
    const DWORD threadId = ::GetCurrentThreadId();
    std::atomic<bool> done{false};
    MessageBoxRecord last;
    std::thread answerer([&] {
        while (!done) {
            const MessageBoxRecord box = AnswerMessageBox(threadId, IDOK, 20);
            if (box.shown)
                last = box;
        }
    });
    step();
    done = true;
    answerer.join();
    return last;
}

} // namespace qrvtest
