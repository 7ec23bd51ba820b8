#pragma once
// Owners of window-manager handles that are not GDI objects: icons, cursors,
// menus and windows made with the raw system calls. Each destroys what it
// holds when it goes or when it takes another handle.

#include <windows.h>

#include <utility>

template <class Handle, BOOL(WINAPI* Destroy)(Handle)>
class UserHandle
{
public:
    UserHandle() = default;
    explicit UserHandle(Handle handle) : m_handle(handle) {}
    ~UserHandle() { Reset(); }
    UserHandle(UserHandle&& other) noexcept : m_handle(other.Detach()) {}
    UserHandle& operator=(UserHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    UserHandle(const UserHandle&) = delete;
    UserHandle& operator=(const UserHandle&) = delete;

    Handle Get() const { return m_handle; }
    operator Handle() const { return m_handle; }
    bool IsValid() const { return m_handle != nullptr; }

    void Reset(Handle handle = nullptr)
    {
        if (m_handle && m_handle != handle)
            Destroy(m_handle);
        m_handle = handle;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }

private:
    Handle m_handle = nullptr;
};

using OwnedIcon = UserHandle<HICON, ::DestroyIcon>;
// For cursors loaded without LR_SHARED.
using OwnedCursor = UserHandle<HCURSOR, ::DestroyCursor>;
using OwnedMenu = UserHandle<HMENU, ::DestroyMenu>;
using OwnedWindow = UserHandle<HWND, ::DestroyWindow>;
// For libraries loaded at run time with LoadLibrary.
using OwnedModule = UserHandle<HMODULE, ::FreeLibrary>;

