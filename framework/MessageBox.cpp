#include "framework/MessageBox.h"

#include <mutex>

namespace {

std::mutex& HookMutex()
{
    static std::mutex mutex;
    return mutex;
}

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    const std::lock_guard<std::mutex> lock(HookMutex());
    MessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    MessageBoxHook hook;
    {
        const std::lock_guard<std::mutex> lock(HookMutex());
        hook = Hook();
    }
    if (hook)
        return hook(owner, text ? text : "", caption ? caption : "", type);
    return ::MessageBoxA(owner, text ? text : "", caption ? caption : "", type);
}
