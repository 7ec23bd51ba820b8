// Helpers of the tests of the owner-drawn buttons and the splash window: a
// parent window that hands the buttons their notifications back, a memory
// canvas to draw faces into, and small pictures with known pixels.
#pragma once

#include "framework/Gdi.h"
#include "framework/Wnd.h"
#include "support/MessagePump.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace button_test {

using test_support::PumpPending;
using test_support::PumpUntil;

// A visible top-level window at a known place on the screen; it passes its
// children's notifications back to them (as every window of the framework
// does) and counts the clicks and commands that reach it.
class CParentWindow : public CWnd {
public:
    static constexpr int kLeft = 40;
    static constexpr int kTop = 40;

    CParentWindow()
    {
        LPCSTR className = RegisterFrameworkWindowClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        CreateEx(0, className, "parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, kLeft, kTop, 400, 300, nullptr,
                 nullptr);
    }
    ~CParentWindow() override
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }

    // A child button of the system's class, not yet taken over.
    HWND AddButton(UINT id, DWORD style, LPCSTR text = "Button", RECT rect = RECT{10, 10, 90, 35})
    {
        return ::CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                 nullptr);
    }

    int Clicks(UINT id) const
    {
        const auto found = m_clicks.find(id);
        return found == m_clicks.end() ? 0 : found->second;
    }
    // Commands without a control (menu choices posted to the window).
    std::vector<UINT> m_menuCommands;
    int m_erasures = 0;

    BOOL OnEraseBkgnd(HDC dc) override
    {
        ++m_erasures;
        return CWnd::OnEraseBkgnd(dc);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        CWnd::OnCommand(wParam, lParam);
        if (lParam && HIWORD(wParam) == BN_CLICKED)
            ++m_clicks[LOWORD(wParam)];
        else if (!lParam)
            m_menuCommands.push_back(LOWORD(wParam));
        return TRUE;
    }

private:
    std::map<UINT, int> m_clicks;
};

// A pixel of a visible window's client area as its surface holds it (the null
// display driver keeps surfaces for visible windows).
inline COLORREF SurfacePixel(HWND window, int x, int y)
{
    const CClientDC dc(window);
    return ::GetPixel(dc, x, y) & 0xFFFFFF;
}

inline void PaintNow(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// A 32-bit top-down DIB section in a memory DC, filled with one colour.
class CCanvas {
public:
    CCanvas(int width, int height, COLORREF fill = RGB(0, 128, 255)) : m_width(width), m_height(height)
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateTopDownDIB32(m_dc, width, height, reinterpret_cast<void**>(&m_bits));
        m_old = ::SelectObject(m_dc, m_bitmap);
        Fill(fill);
    }
    ~CCanvas() { ::SelectObject(m_dc, m_old); }
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    HDC dc() const { return m_dc.m_hDC; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    void Fill(COLORREF color)
    {
        CBrush brush;
        brush.CreateSolidBrush(color);
        RECT all{0, 0, m_width, m_height};
        ::FillRect(m_dc, &all, brush);
    }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD value = m_bits[y * m_width + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }
    int Count(const RECT& r, COLORREF color) const
    {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += Pixel(x, y) == color;
        return count;
    }
    // The smallest rectangle holding every pixel of that colour (within
    // `area`, else the whole canvas); empty when none.
    RECT BoundsOf(COLORREF color) const { return BoundsOf(color, RECT{0, 0, m_width, m_height}); }
    RECT BoundsOf(COLORREF color, const RECT& area) const
    {
        RECT bounds{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (Pixel(x, y) == color) {
                    bounds.left = std::min<LONG>(bounds.left, x);
                    bounds.top = std::min<LONG>(bounds.top, y);
                    bounds.right = std::max<LONG>(bounds.right, x + 1);
                    bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
                }
        if (bounds.right <= bounds.left)
            return RECT{};
        return bounds;
    }

private:
    int m_width;
    int m_height;
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    DWORD* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
};

// Has an owner-drawn button draw itself into the canvas in the given state
// (ODS_SELECTED, ODS_FOCUS, ODS_DISABLED), as its parent's WM_DRAWITEM would.
template <class Button>
void DrawInto(Button& button, CCanvas& canvas, UINT itemState)
{
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(::GetDlgCtrlID(button.m_hWnd));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = itemState;
    item.hwndItem = button.m_hWnd;
    item.hDC = canvas.dc();
    ::GetClientRect(button.m_hWnd, &item.rcItem);
    button.DrawItem(&item);
}

// An icon of one colour, its hot spot in the middle as the program's icons have it.
inline HICON SolidIcon(int size, COLORREF color)
{
    const CClientDC screen(nullptr);
    CBitmap image;
    image.CreateCompatibleBitmap(screen, size, size);
    CBitmap mask;
    mask.CreateBitmap(size, size, 1, 1, nullptr);
    {
        CMemoryDC memory(screen);
        {
            CSelectGuard selected(memory, image);
            CBrush brush;
            brush.CreateSolidBrush(color);
            RECT all{0, 0, size, size};
            ::FillRect(memory, &all, brush);
        }
        CSelectGuard selected(memory, mask);
        ::PatBlt(memory, 0, 0, size, size, BLACKNESS);  // opaque everywhere
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.xHotspot = static_cast<DWORD>(size / 2);
    info.yHotspot = static_cast<DWORD>(size / 2);
    info.hbmColor = image;
    info.hbmMask = mask;
    return ::CreateIconIndirect(&info);
}

// A 24-bit bitmap drawn from rows of characters: 'm' magenta, '#' black, '.' white.
inline HBITMAP PatternBitmap(const std::vector<const char*>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = height ? static_cast<int>(strlen(rows[0])) : 0;
    const CClientDC screen(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, width, height);
    {
        CMemoryDC memory(screen);
        CSelectGuard selected(memory, bitmap);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const char c = rows[y][x];
                ::SetPixel(memory, x, y, c == 'm' ? RGB(255, 0, 255) : c == '#' ? RGB(0, 0, 0) : RGB(255, 255, 255));
            }
    }
    return bitmap.Detach();
}

}  // namespace button_test
