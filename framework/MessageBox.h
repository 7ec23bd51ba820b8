#pragma once
// Every message box the framework shows goes through ShowMessageBox, so tests
// can answer boxes instead of showing them.

#include <windows.h>

#include <functional>
#include <utility>

// Gets the box's owner, text, caption and type; returns the button pressed.
using MessageBoxHook = std::function<int(HWND owner, LPCSTR text, LPCSTR caption, UINT type)>;

// An empty hook shows real boxes again. Returns the previous hook.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

class ScopedMessageBoxHook {
public:
    explicit ScopedMessageBoxHook(MessageBoxHook hook) : m_previous(SetMessageBoxHook(std::move(hook))) {}
    ~ScopedMessageBoxHook() { SetMessageBoxHook(std::move(m_previous)); }
    ScopedMessageBoxHook(const ScopedMessageBoxHook&) = delete;
    ScopedMessageBoxHook& operator=(const ScopedMessageBoxHook&) = delete;

private:
    MessageBoxHook m_previous;
};
