#pragma once
// Support for the tests of the small dialogs: a driver that works a modal
// dialog from a timer of the dialog's own loop, a scratch settings key, and a
// fixture with the program's application object, a main frame object and a
// label view (both without windows).

#include "app/Quorbel6App.h"
#include "framework/CmdUI.h"
#include "framework/SettingsKey.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Runs the steps on a visible dialog of this thread with the given caption,
// one step per tick of a 20 ms timer, while the code under test sits in the
// dialog's modal loop. A dialog the steps leave open is closed after two
// seconds, and the driver says so.
class ModalDriver {
public:
    using Step = std::function<void(HWND dialog)>;

    ModalDriver(std::string caption, std::vector<Step> steps) : m_caption(std::move(caption)), m_steps(std::move(steps)) {}
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Runs `showModal` (which returns once the dialog has gone) under the driver.
    template <class F>
    auto Run(F&& showModal)
    {
        s_current = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &ModalDriver::Tick);
        auto result = showModal();
        ::KillTimer(nullptr, timer);
        s_current = nullptr;
        return result;
    }

    size_t StepsRun() const { return m_next; }
    bool AllStepsRun() const { return m_next == m_steps.size(); }
    bool ClosedByDriver() const { return m_closedByDriver; }

private:
    static BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
    {
        auto* self = reinterpret_cast<ModalDriver*>(param);
        char className[16] = {};
        char caption[128] = {};
        ::GetClassNameA(window, className, sizeof className);
        ::GetWindowTextA(window, caption, sizeof caption);
        if (std::string(className) == "#32770" && self->m_caption == caption && ::IsWindowVisible(window)) {
            self->m_found = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalDriver* self = s_current;
        if (!self)
            return;
        self->m_found = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &ModalDriver::MatchDialog, reinterpret_cast<LPARAM>(self));
        if (!self->m_found)
            return;
        if (self->m_next < self->m_steps.size()) {
            const Step& step = self->m_steps[self->m_next++];
            step(self->m_found);
        } else if (++self->m_ticksAfter > 100) {
            self->m_closedByDriver = true;
            ::PostMessageA(self->m_found, WM_CLOSE, 0, 0);
        }
    }

    static inline ModalDriver* s_current = nullptr;
    std::string m_caption;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_ticksAfter = 0;
    bool m_closedByDriver = false;
    HWND m_found = nullptr;
};

// ---- working the controls as a user would ---------------------------------------

inline HWND Item(HWND dialog, int id)
{
    return ::GetDlgItem(dialog, id);
}

inline void Click(HWND dialog, int id)
{
    ::SendMessageA(Item(dialog, id), BM_CLICK, 0, 0);
}

inline void PressEscape(HWND dialog)
{
    HWND focus = ::GetFocus();
    HWND target = focus && (focus == dialog || ::IsChild(dialog, focus)) ? focus : dialog;
    ::PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0);
}

inline std::string TextOf(HWND window)
{
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

inline bool IsChecked(HWND dialog, int id)
{
    return ::SendMessageA(Item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// ---- the scratch settings key ---------------------------------------------------

// Moves the program's settings key to a fresh key under HKEY_CURRENT_USER for
// the lifetime of the object, and removes it afterwards.
class ScratchSettingsKey {
public:
    ScratchSettingsKey()
    {
        static int serial = 0;
        m_path = "Software\\SleevoryTests\\SmallDialogs_" + std::to_string(::GetCurrentProcessId()) + "_" +
                 std::to_string(++serial);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        HKEY key = nullptr;
        // The writer never creates the key: the settings reader does at start.
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) == ERROR_SUCCESS)
            ::RegCloseKey(key);
        SetSettingsKeyLocation(HKEY_CURRENT_USER, m_path.c_str());
    }
    ~ScratchSettingsKey()
    {
        SetSettingsKeyLocation(nullptr, "");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SleevoryTests");  // only when empty
    }
    ScratchSettingsKey(const ScratchSettingsKey&) = delete;
    ScratchSettingsKey& operator=(const ScratchSettingsKey&) = delete;

    std::optional<std::string> String(const char* name) const
    {
        char buffer[512] = {};
        DWORD size = sizeof buffer;
        if (::RegGetValueA(HKEY_CURRENT_USER, m_path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return std::string(buffer);
    }
    bool HasValue(const char* name) const
    {
        return ::RegGetValueA(HKEY_CURRENT_USER, m_path.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }

private:
    std::string m_path;
};

// ---- the fixture ------------------------------------------------------------------

// A command-update item that records what the handler decided.
class RecordingCmdUI : public CCmdUI {
public:
    void Enable(bool on) override { enabled = on; }
    std::optional<bool> enabled;
};

class SmallDialogTest : public ::testing::Test {
protected:
    SmallDialogTest() { app.m_pMainWnd = &frame; }
    ~SmallDialogTest() override { app.m_pMainWnd = nullptr; }

    // The application's image list as the start-up builds it: image 18 is
    // every dialog's window icon.
    void LoadAppImages()
    {
        HBITMAP strip = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(360),
                                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        app.m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 25, 0);
        app.m_imageList.Add(strip, RGB(255, 0, 255));
        ::DeleteObject(strip);
    }

    // What the main frame's command update says about a command.
    std::optional<bool> FrameEnables(UINT commandId)
    {
        RecordingCmdUI ui;
        ui.m_nID = commandId;
        ui.DoUpdate(frame, false);
        return ui.enabled;
    }

    CQuorbel6App app;
    CMainFrame frame;
    CQuorbel6View view;
};
