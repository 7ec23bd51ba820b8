#pragma once
// Holds the system clipboard open for one scope and closes it on every way
// out. Another program may hold the clipboard for a moment: the open is tried
// again a few times before it counts as failed.
//
//     CClipboardOwner clipboard(m_hWnd);
//     if (!clipboard.IsOpen()) { ...report the busy clipboard...; return; }
//     HANDLE dib = ::GetClipboardData(CF_DIB);

#include <windows.h>

class CClipboardOwner
{
public:
    static constexpr int kDefaultAttempts = 10;
    static constexpr DWORD kDefaultPauseMs = 20;

    explicit CClipboardOwner(HWND owner, int attempts = kDefaultAttempts, DWORD pauseMs = kDefaultPauseMs);
    ~CClipboardOwner();
    CClipboardOwner(const CClipboardOwner&) = delete;
    CClipboardOwner& operator=(const CClipboardOwner&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};
