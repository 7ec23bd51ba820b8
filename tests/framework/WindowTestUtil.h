#pragma once
// Helpers of the window-layer tests: running the message queue for a while.

#include "support/MessagePump.h"

#include <windows.h>

#include <functional>

namespace window_test {

using test_support::PumpPending;
using test_support::PumpUntil;

// Removes a WM_QUIT that a destroyed main window left in the queue.
inline bool DrainQuit()
{
    MSG msg;
    bool found = false;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        found = true;
    return found;
}

}  // namespace window_test
