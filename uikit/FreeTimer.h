#pragma once
// Timers whose ids must not clash with the ids a window uses itself: ids 31 to
// 99 are handed out one at a time per window.

#include <windows.h>

// Starts a timer on `window` with the first id from 31 to 99 that this helper
// has not handed out for that window yet; returns the id, or 0 when the window
// does not exist, every id is taken or SetTimer fails.
UINT_PTR SetFreeTimer(HWND window, UINT interval);
// Stops a timer started by SetFreeTimer and makes its id free again.
BOOL KillFreeTimer(HWND window, UINT_PTR id);
