// Helpers of the owner-drawn menu tests: a 32-bit canvas whose pixels can be
// read back, draw-item requests for a menu's items, image lists of solid
// colours, an owner window that hands its menu messages to the menus, and
// scoped changes of the menu library's settings.
#pragma once

#include "framework/Gdi.h"
#include "framework/ImageList.h"
#include "uikit/MenuDrawStyle.h"
#include "uikit/MenuLibrary.h"
#include "uikit/NewMenu.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace menu_test {

constexpr COLORREF kPanel = RGB(185, 185, 185);
constexpr COLORREF kCanvasColour = RGB(20, 160, 60);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

inline COLORREF Sys(int index)
{
    return ::GetSysColor(index) & 0xFFFFFF;
}

inline bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A top-down 32-bit DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = kCanvasColour) : m_width(width), m_height(height)
    {
        void* bits = nullptr;
        m_bitmap.CreateTopDownDIB32(nullptr, width, height, &bits);
        m_bits = static_cast<DWORD*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc, m_bitmap);
        Fill(RECT{0, 0, width, height}, fill);
    }
    ~Canvas() { ::SelectObject(m_dc, m_old); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC DC() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void Fill(const RECT& rect, COLORREF colour) { m_dc.FillSolidRect(rect, colour); }

    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return CLR_INVALID;
        const DWORD pixel = m_bits[static_cast<size_t>(y) * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    COLORREF Pixel(POINT point) const { return Pixel(point.x, point.y); }

    int Count(const RECT& rect, const std::function<bool(COLORREF)>& match) const
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (match(Pixel(x, y)))
                    ++count;
        return count;
    }
    int Count(const RECT& rect, COLORREF colour) const
    {
        return Count(rect, [colour](COLORREF pixel) { return pixel == colour; });
    }
    bool AllAre(const RECT& rect, COLORREF colour) const
    {
        return Count(rect, colour) == (rect.right - rect.left) * (rect.bottom - rect.top);
    }

private:
    int m_width;
    int m_height;
    CBitmap m_bitmap;
    DWORD* m_bits = nullptr;
    CMemoryDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// What the owner of a menu item sends with WM_DRAWITEM.
inline DRAWITEMSTRUCT DrawRequest(const CNewMenu& menu, int position, HDC dc, const RECT& rect, UINT state = 0)
{
    const CNewMenuItemData* data = menu.GetItemDataAt(position);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = data ? static_cast<UINT>(data->m_nCommandId) : 0;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
    item.hDC = dc;
    item.rcItem = rect;
    item.itemData = reinterpret_cast<ULONG_PTR>(data);
    return item;
}

// What the owner of a menu item sends with WM_MEASUREITEM; the answer.
inline SIZE Measure(const CNewMenu& menu, int position)
{
    const CNewMenuItemData* data = menu.GetItemDataAt(position);
    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = data ? static_cast<UINT>(data->m_nCommandId) : 0;
    item.itemData = reinterpret_cast<ULONG_PTR>(data);
    if (!CNewMenu::OnMeasureItem(nullptr, &item))
        return SIZE{-1, -1};
    return SIZE{static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
}

// The position of the item of that command in the menu, or -1.
inline int PositionOf(const CNewMenu& menu, UINT_PTR commandId)
{
    const auto& records = menu.GetItemData();
    for (size_t position = 0; position < records.size(); ++position) {
        if (records[position]->m_nCommandId == commandId && !records[position]->IsSeparator())
            return static_cast<int>(position);
    }
    return -1;
}

// An image list of `count` solid images of `size` pixels, each with a magenta
// (transparent) top-left corner pixel; image k has colours[k].
class SolidImages {
public:
    SolidImages(const std::vector<COLORREF>& colours, int size = 16)
    {
        m_list.Create(size, size, ILC_COLOR24 | ILC_MASK, static_cast<int>(colours.size()), 0);
        CMemoryDC dc(nullptr);
        for (COLORREF colour : colours) {
            CBitmap bitmap;
            CClientDC screen(nullptr);
            bitmap.CreateCompatibleBitmap(screen, size, size);
            {
                CSelectGuard selected(dc, bitmap);
                dc.FillSolidRect(RECT{0, 0, size, size}, colour);
                ::SetPixel(dc, 0, 0, kMagenta);
            }
            m_list.Add(bitmap, kMagenta);
        }
    }
    HIMAGELIST Get() const { return m_list.GetSafeHandle(); }

private:
    CImageList m_list;
};

// Makes a draw mode current for a test and puts the previous one back.
class ScopedDrawMode {
public:
    explicit ScopedDrawMode(int key) : m_previous(CMenuDrawStyle::CurrentMode()) { CNewMenu::SetMenuDrawMode(key); }
    ~ScopedDrawMode() { CMenuDrawStyle::SetCurrentMode(m_previous); }
    ScopedDrawMode(const ScopedDrawMode&) = delete;
    ScopedDrawMode& operator=(const ScopedDrawMode&) = delete;

private:
    CMenuDrawStyle* m_previous;
};

// Paints XP-style backgrounds with a plain colour instead of the label view's panel.
class ScopedPanel {
public:
    explicit ScopedPanel(COLORREF colour = kPanel)
        : m_previous(CNewMenu::SetMenuPanelPainter([colour](HDC dc, const RECT& rect) {
              CDC target(dc);
              target.FillSolidRect(rect, colour);
              return true;
          }))
    {
    }
    ~ScopedPanel() { CNewMenu::SetMenuPanelPainter(std::move(m_previous)); }
    ScopedPanel(const ScopedPanel&) = delete;
    ScopedPanel& operator=(const ScopedPanel&) = delete;

private:
    MenuPanelPainter m_previous;
};

// The lists XP-style items take their own images and check mark from.
class ScopedMenuImages {
public:
    ScopedMenuImages(HIMAGELIST hot, HIMAGELIST disabled) { CNewMenu::SetMenuImageLists(hot, disabled); }
    ~ScopedMenuImages() { CNewMenu::SetMenuImageLists(nullptr, nullptr); }
    ScopedMenuImages(const ScopedMenuImages&) = delete;
    ScopedMenuImages& operator=(const ScopedMenuImages&) = delete;
};

class ScopedGradientFill {
public:
    explicit ScopedGradientFill(GradientFillProc fill) : m_previous(SetMenuGradientFill(fill)) {}
    ~ScopedGradientFill() { SetMenuGradientFill(m_previous); }
    ScopedGradientFill(const ScopedGradientFill&) = delete;
    ScopedGradientFill& operator=(const ScopedGradientFill&) = delete;

private:
    GradientFillProc m_previous;
};

// A plain top-level window that hands its menu messages to the menus, as the
// program's window bases do, and runs `onTimer` on its timer.
class MenuOwner {
public:
    MenuOwner()
    {
        static const ATOM atom = [] {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = &MenuOwner::Procedure;
            windowClass.hInstance = ::GetModuleHandleA(nullptr);
            windowClass.lpszClassName = "MenuTestOwner";
            windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            return ::RegisterClassA(&windowClass);
        }();
        (void)atom;
        m_window = ::CreateWindowExA(0, "MenuTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400,
                                     300, nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
    }
    ~MenuOwner()
    {
        if (m_window)
            ::DestroyWindow(m_window);
    }
    MenuOwner(const MenuOwner&) = delete;
    MenuOwner& operator=(const MenuOwner&) = delete;

    HWND Get() const { return m_window; }

    std::function<void()> onTimer;
    int measured = 0;
    int drawn = 0;
    int popupsInitialised = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<MenuOwner*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self) {
            if (message == WM_MEASUREITEM)
                ++self->measured;
            if (message == WM_DRAWITEM)
                ++self->drawn;
            LRESULT result = 0;
            if (CNewMenu::RouteMenuMessage(window, message, wParam, lParam, result))
                return result;
            if (message == WM_INITMENUPOPUP) {
                ++self->popupsInitialised;
                CNewMenu::OnInitMenuPopup(window, reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
                return 0;
            }
            if (message == WM_TIMER && self->onTimer) {
                ::KillTimer(window, wParam);
                self->onTimer();
                return 0;
            }
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
};

// The visible pop-up menu windows of this thread.
inline std::vector<HWND> MenuWindowsOfThisThread()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            char name[16] = {};
            ::GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, "#32768") == 0 && ::IsWindowVisible(window))
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace menu_test
