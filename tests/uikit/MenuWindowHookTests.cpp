// The menu-window hook: pop-up menu windows (class "#32768") of this thread
// are subclassed while they exist, get the draw mode's border and insets, and
// are let go when hidden, destroyed or laid out again. A real pop-up menu is
// opened with TrackPopupMenu and read from a timer inside its loop.
#include "MenuTestSupport.h"

#include "framework/MessageBox.h"
#include "resource.h"
#include "uikit/ColorHelpers.h"
#include "uikit/MenuItemPainting.h"
#include "uikit/MenuSystemSettings.h"
#include "uikit/MenuWindowHook.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace menu_test;

namespace {

constexpr char kOldProcProperty[] = "OldMenuProc";

// A pop-up menu window made directly; the hook sees its creation like any other.
class MenuClassWindow {
public:
    explicit MenuClassWindow(DWORD style = WS_POPUP | WS_BORDER, DWORD exStyle = WS_EX_DLGMODALFRAME)
    {
        m_window = ::CreateWindowExA(exStyle, "#32768", nullptr, style, 50, 50, 120, 80, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    }
    ~MenuClassWindow()
    {
        if (::IsWindow(m_window))
            ::DestroyWindow(m_window);
    }
    MenuClassWindow(const MenuClassWindow&) = delete;
    MenuClassWindow& operator=(const MenuClassWindow&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window = nullptr;
};

LONG_PTR Style(HWND window)
{
    return ::GetWindowLongPtrA(window, GWL_STYLE);
}

LONG_PTR ExStyle(HWND window)
{
    return ::GetWindowLongPtrA(window, GWL_EXSTYLE);
}

bool IsSubclassed(HWND window)
{
    return FindMenuWindowInfo(window) != nullptr &&
           ::GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(MenuWindowProc);
}

}  // namespace

TEST(MenuWindowHook, IsInstalledAtStart)
{
    EXPECT_NE(MenuLibrary().hook, nullptr);
}

TEST(MenuWindowHook, AMenuWindowIsSubclassedFromItsCreationUntilItGoes)
{
    struct Case {
        int mode;
        bool borderRemoved;
    };
    for (const Case test : {Case{2, true}, Case{0, true}, Case{3, false}, Case{5, false}}) {
        SCOPED_TRACE(test.mode);
        ScopedDrawMode mode(test.mode);
        const size_t before = SubclassedMenuWindowCount();
        HWND window = nullptr;
        {
            MenuClassWindow menuWindow;
            window = menuWindow.Get();
            ASSERT_NE(window, nullptr);
            EXPECT_TRUE(IsSubclassed(window));
            EXPECT_NE(::GetPropA(window, kOldProcProperty), nullptr);
            EXPECT_EQ(SubclassedMenuWindowCount(), before + 1);
            EXPECT_EQ(FindMenuWindowInfo(window)->mode->GetKey(), test.mode);
            EXPECT_EQ((Style(window) & WS_BORDER) == 0, test.borderRemoved);
            EXPECT_EQ((ExStyle(window) & WS_EX_DLGMODALFRAME) == 0, test.borderRemoved);
            // Subclassing twice is refused.
            EXPECT_FALSE(SubclassMenuWindow(window, false));
        }
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(SubclassedMenuWindowCount(), before);
    }
}

TEST(MenuWindowHook, LettingGoRestoresTheWindowAndAForeignPropertyIsRespected)
{
    ScopedDrawMode mode(2);
    MenuClassWindow menuWindow;
    HWND window = menuWindow.Get();
    ASSERT_TRUE(IsSubclassed(window));
    const auto original = reinterpret_cast<LONG_PTR>(::GetPropA(window, kOldProcProperty));

    UnsubclassMenuWindow(window);
    EXPECT_EQ(::GetWindowLongPtrA(window, GWLP_WNDPROC), original);
    EXPECT_EQ(::GetPropA(window, kOldProcProperty), nullptr);
    EXPECT_NE(Style(window) & WS_BORDER, 0);
    EXPECT_NE(ExStyle(window) & WS_EX_DLGMODALFRAME, 0);
    EXPECT_EQ(FindMenuWindowInfo(window), nullptr);

    // Someone else's "OldMenuProc": the window is left alone.
    ::SetPropA(window, kOldProcProperty, reinterpret_cast<HANDLE>(::DefWindowProcA));
    EXPECT_FALSE(SubclassMenuWindow(window, false));
    EXPECT_EQ(::GetWindowLongPtrA(window, GWLP_WNDPROC), original);
    ::RemovePropA(window, kOldProcProperty);

    // Without it the window can be taken again.
    EXPECT_TRUE(SubclassMenuWindow(window, false));
    EXPECT_TRUE(IsSubclassed(window));
}

TEST(MenuWindowHook, OtherWindowClassesAreNeverTaken)
{
    HWND other = ::CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(SubclassMenuWindow(other, false));
    EXPECT_EQ(::GetPropA(other, kOldProcProperty), nullptr);
    EXPECT_EQ(FindMenuWindowInfo(other), nullptr);
    ::DestroyWindow(other);
}

TEST(MenuWindowHook, FlatModesTakeTheirBorderFromTheClientArea)
{
    const RECT insets = CMenuDrawStyle::BorderInsets();
    if (IsMenuShadowOn())
        EXPECT_EQ(insets.right, 2);
    else
        EXPECT_EQ(insets.right, 5);

    struct Case {
        int mode;
        RECT expected;
    };
    const Case cases[] = {
        {2, RECT{insets.left, insets.top, 100 - insets.right, 100 - insets.bottom}},
        {4, RECT{insets.left, insets.top, 100 - insets.right, 100 - insets.bottom}},
        {3, RECT{0, 0, 100, 100}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mode);
        ScopedDrawMode mode(test.mode);
        MenuClassWindow menuWindow(WS_POPUP, 0);
        RECT proposed{0, 0, 100, 100};
        ::SendMessageA(menuWindow.Get(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
        EXPECT_EQ(proposed.left, test.expected.left);
        EXPECT_EQ(proposed.top, test.expected.top);
        EXPECT_EQ(proposed.right, test.expected.right);
        EXPECT_EQ(proposed.bottom, test.expected.bottom);
    }
}

TEST(MenuWindowHook, MovesAndResizesAreFollowed)
{
    ScopedDrawMode mode(2);
    MenuClassWindow menuWindow(WS_POPUP, 0);
    HWND window = menuWindow.Get();

    // The first placement: room for the hand-made shadow, one pixel higher.
    ::SetWindowPos(window, nullptr, 50, 50, 100, 80, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int grow = IsMenuShadowOn() ? -2 : 2;
    EXPECT_EQ(rect.top, 49);
    EXPECT_EQ(rect.right - rect.left, 100 + grow);
    EXPECT_EQ(rect.bottom - rect.top, 80 + grow);
    ASSERT_NE(FindMenuWindowInfo(window), nullptr);
    EXPECT_TRUE(FindMenuWindowInfo(window)->hasPosition);
    EXPECT_EQ(FindMenuWindowInfo(window)->position.y, 49);

    // A move alone keeps the window; a move with a new size lets it go.
    ::SetWindowPos(window, nullptr, 70, 70, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ASSERT_TRUE(IsSubclassed(window));
    EXPECT_EQ(FindMenuWindowInfo(window)->position.x, 70);
    ::SetWindowPos(window, nullptr, 90, 90, 60, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(IsSubclassed(window));

    // Hiding a shown menu window lets it go too.
    MenuClassWindow shown(WS_POPUP | WS_VISIBLE, 0);
    ASSERT_TRUE(IsSubclassed(shown.Get()));
    ::ShowWindow(shown.Get(), SW_HIDE);
    EXPECT_FALSE(IsSubclassed(shown.Get()));
}

TEST(MenuWindowHook, PrintedMenuWindowsShowTheModesBorder)
{
    const COLORREF menu = GetMenuColour();
    const COLORREF window = Sys(COLOR_WINDOW);
    struct Case {
        int mode;
        COLORREF outer;
        COLORREF inner;
    };
    const Case cases[] = {
        {2, DarkenColour(128, menu), MixColour86(window, menu)},
        {0, Sys(COLOR_HIGHLIGHT), menu},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mode);
        ScopedDrawMode mode(test.mode);
        MenuClassWindow menuWindow(WS_POPUP, 0);
        HWND hwnd = menuWindow.Get();
        ::SetWindowPos(hwnd, nullptr, 50, 50, 120, 80, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT rect{};
        ::GetWindowRect(hwnd, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        Canvas canvas(width, height);
        ::SendMessageA(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_NONCLIENT | PRF_ERASEBKGND);
        EXPECT_EQ(canvas.Pixel(0, 0), test.outer);
        EXPECT_EQ(canvas.Pixel(0, height / 2), test.outer);
        EXPECT_EQ(canvas.Pixel(1, height / 2), test.inner);
        const int shortBy = IsMenuShadowOn() ? 0 : 4;
        // Without the system's shadow the frame ends short of the edges; the shadow takes the rest.
        EXPECT_EQ(canvas.Pixel(width - 1 - shortBy, height / 2), test.outer);
        EXPECT_EQ(canvas.Pixel(width / 2, height - 1 - shortBy), test.outer);
    }
}

TEST(MenuWindowHook, ARealPopupMenuIsTakenWhileItIsOpen)
{
    struct Case {
        int mode;
        bool borderRemoved;
    };
    for (const Case test : {Case{2, true}, Case{3, false}}) {
        SCOPED_TRACE(test.mode);
        ScopedDrawMode mode(test.mode);
        ScopedPanel panel;
        MenuOwner owner;
        ASSERT_NE(owner.Get(), nullptr);
        CNewMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
        CNewMenu* file = menu.GetSubMenu(0);
        ASSERT_TRUE(file->SetMenuTitle(" ", kMenuTitleVertical | kMenuTitleGradient));

        struct Seen {
            size_t windows = 0;
            bool subclassed = false;
            HMENU recordMenu = nullptr;
            bool borderRemoved = false;
            int loopDepth = -1;
            int width = 0;
            int titleTopPixels = 0;
            int titleBottomPixels = 0;
        } seen;
        owner.onTimer = [&] {
            const std::vector<HWND> windows = MenuWindowsOfThisThread();
            seen.windows = windows.size();
            if (!windows.empty()) {
                HWND popup = windows.front();
                seen.subclassed = IsSubclassed(popup);
                if (MenuWindowInfo* info = FindMenuWindowInfo(popup)) {
                    seen.recordMenu = info->menu;
                    seen.borderRemoved = (info->flags & kMenuWindowBorderRemoved) != 0;
                }
                seen.loopDepth = menu.GetLoopDepth();
                RECT rect{};
                ::GetWindowRect(popup, &rect);
                seen.width = rect.right - rect.left;
                // The whole window, as the system would print it for an animation.
                Canvas canvas(rect.right - rect.left, rect.bottom - rect.top);
                ::SendMessageA(popup, WM_PRINT, reinterpret_cast<WPARAM>(canvas.DC()),
                               PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
                POINT client{0, 0};
                ::ClientToScreen(popup, &client);
                const int left = client.x - rect.left;
                const int top = client.y - rect.top;
                const COLORREF caption = Sys(COLOR_ACTIVECAPTION);
                seen.titleTopPixels = canvas.Count(RECT{left, top, left + 30, top + 8}, [](COLORREF pixel) {
                    return Near(pixel, kMenuGradientStart, 12);
                });
                seen.titleBottomPixels =
                    canvas.Count(RECT{left, canvas.Height() - 20, left + 30, canvas.Height() - 8},
                                 [caption](COLORREF pixel) { return Near(pixel, caption, 40); });
            }
            ::EndMenu();
        };
        // Should the menu never see the timer, the watchdog closes it.
        std::atomic<bool> done{false};
        std::thread watchdog([&] {
            for (int i = 0; i < 500 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!done)
                ::PostMessageA(owner.Get(), WM_CANCELMODE, 0, 0);
        });
        ::SetTimer(owner.Get(), 1, 50, nullptr);
        const BOOL chosen = ::TrackPopupMenu(file->m_hMenu, TPM_LEFTALIGN | TPM_RETURNCMD, 100, 100, 0,
                                             owner.Get(), nullptr);
        done = true;
        watchdog.join();

        EXPECT_EQ(chosen, 0);
        ASSERT_EQ(seen.windows, 1u);
        EXPECT_TRUE(seen.subclassed);
        EXPECT_EQ(seen.recordMenu, file->m_hMenu);
        EXPECT_EQ(seen.borderRemoved, test.borderRemoved);
        // The menu bar counts its open pop-up, and is back to none afterwards.
        EXPECT_EQ(seen.loopDepth, 1);
        EXPECT_EQ(menu.GetLoopDepth(), 0);
        EXPECT_EQ(owner.popupsInitialised, 1);
        EXPECT_GT(owner.measured, 0);
        EXPECT_GT(owner.drawn, 0);
        EXPECT_GT(seen.width, 2 * file->GetIconSize().cx);
        // The vertical title band runs down the left: gradient from its start colour
        // to the caption colour.
        EXPECT_GT(seen.titleTopPixels, 0);
        EXPECT_GT(seen.titleBottomPixels, 0);
        EXPECT_EQ(SubclassedMenuWindowCount(), 0u);
        EXPECT_EQ(MenuLibrary().pendingPopup, nullptr);
    }
}

namespace {

HHOOK FailingHookInstaller()
{
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

}  // namespace

TEST(MenuWindowHook, AHookThatCannotBeInstalledIsReportedOnceAndMenusStayPlain)
{
    MenuLibraryState& library = MenuLibrary();
    ASSERT_NE(library.hook, nullptr);
    ASSERT_TRUE(::UnhookWindowsHookEx(library.hook));
    library.hook = nullptr;
    library.hookFailureReported = false;

    std::vector<std::string> boxes;
    {
        ScopedMessageBoxHook answer([&](HWND, LPCSTR text, LPCSTR caption, UINT) {
            boxes.push_back(std::string(caption) + ": " + text);
            return IDOK;
        });
        EXPECT_FALSE(StartMenuHook(&FailingHookInstaller));
        EXPECT_FALSE(StartMenuHook(&FailingHookInstaller));
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Error: ", 0), 0u);
    EXPECT_EQ(library.hook, nullptr);

    // Without the hook a pop-up menu window keeps the system's own procedure.
    {
        MenuClassWindow window;
        ASSERT_NE(window.Get(), nullptr);
        EXPECT_FALSE(IsSubclassed(window.Get()));
        EXPECT_EQ(::GetPropA(window.Get(), kOldProcProperty), nullptr);
    }

    // A later start puts it in; once in, an installer is not asked again.
    EXPECT_TRUE(StartMenuHook());
    EXPECT_NE(library.hook, nullptr);
    EXPECT_TRUE(StartMenuHook(&FailingHookInstaller));
    MenuClassWindow window;
    EXPECT_TRUE(IsSubclassed(window.Get()));
}
