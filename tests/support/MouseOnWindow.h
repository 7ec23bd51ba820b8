#pragma once
// The mouse over a window, as the user moves it: the pointer comes to rest
// (the window picks its cursor), presses, drags and releases.
#include <windows.h>

namespace test_support {

// The pointer comes to rest over a client point: the window chooses its cursor (and drag mode).
inline void HoverAt(HWND window, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

// Rest, press, move in two steps and release with the left button.
inline void DragOn(HWND window, POINT from, POINT to, WPARAM moveFlags = MK_LBUTTON)
{
    const auto send = [&](UINT message, WPARAM flags, POINT at) {
        ::SendMessageA(window, message, flags, MAKELPARAM(at.x, at.y));
    };
    HoverAt(window, from);
    send(WM_LBUTTONDOWN, MK_LBUTTON, from);
    send(WM_MOUSEMOVE, moveFlags, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
    send(WM_MOUSEMOVE, moveFlags, to);
    send(WM_LBUTTONUP, 0, to);
}

}  // namespace test_support
