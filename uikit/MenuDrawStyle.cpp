#include "uikit/MenuDrawStyle.h"

#include "framework/Gdi.h"
#include "uikit/ColorHelpers.h"
#include "uikit/MenuShadow.h"
#include "uikit/MenuSystemSettings.h"
#include "uikit/ShowLastError.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct ModeRegistry {
    std::vector<std::unique_ptr<CMenuDrawStyle>> modes;
    CMenuDrawStyle* current = nullptr;
};

ModeRegistry& Registry()
{
    static ModeRegistry registry;
    return registry;
}

void FillRect(HDC dc, const RECT& rect, COLORREF colour)
{
    if (rect.right > rect.left && rect.bottom > rect.top) {
        CDC target(dc);
        target.FillSolidRect(rect, colour);
    }
}

void FrameRect(HDC dc, const RECT& rect, COLORREF colour)
{
    CBrush brush;
    if (brush.CreateSolidBrush(colour))
        ::FrameRect(dc, &rect, brush);
}

// The client area in window coordinates.
RECT ClientInWindow(HWND window)
{
    RECT windowRect{};
    ::GetWindowRect(window, &windowRect);
    RECT client{};
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    ::OffsetRect(&client, origin.x - windowRect.left, origin.y - windowRect.top);
    return client;
}

}  // namespace

CMenuDrawStyle::CMenuDrawStyle(int key, BOOL flatBorder, MeasureFunction measure, DrawFunction draw,
                               DrawFunction title)
    : m_nKey(key), m_bFlatBorder(flatBorder), m_measure(measure), m_draw(draw), m_title(title)
{
}

CMenuDrawStyle::~CMenuDrawStyle() = default;

RECT CMenuDrawStyle::BorderInsets()
{
    if (IsMenuShadowOn())
        return RECT{2, 2, 2, 2};
    return RECT{2, 2, 5, 6};
}

void CMenuDrawStyle::OnSubclass(HWND window, MenuWindowInfo& info)
{
    if (!IsFlat())
        return;
    info.flags |= kMenuWindowBorderRemoved;
    ::SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(info.style & ~WS_BORDER));
    ::SetWindowLongPtrA(window, GWL_EXSTYLE,
                        static_cast<LONG_PTR>(info.exStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE)));
}

void CMenuDrawStyle::OnUnsubclass(HWND window, MenuWindowInfo& info)
{
    if (auto* menu = dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(info.menu)))
        menu->OnExitMenuLoop(::GetParent(window));
    if (info.flags & kMenuWindowBorderRemoved) {
        const DWORD style = info.style | ((info.flags & kMenuWindowFromSizeMessage) ? WS_VISIBLE : 0);
        ::SetLastError(0);
        if (!::SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(style)) && ::GetLastError() != 0)
            ShowLastError();
        ::SetLastError(0);
        if (!::SetWindowLongPtrA(window, GWL_EXSTYLE, static_cast<LONG_PTR>(info.exStyle)) && ::GetLastError() != 0)
            ShowLastError();
    }
}

void CMenuDrawStyle::NcPaint(HWND window, HDC dc, const MenuWindowInfo& info)
{
    if (!IsFlat())
        return;
    PaintBorder(window, dc, info, GetMenuColour(), CLR_NONE, ::GetSysColor(COLOR_HIGHLIGHT));
}

void CMenuDrawStyle::PaintBorder(HWND window, HDC dc, const MenuWindowInfo& info, COLORREF bands,
                                 COLORREF innerFrame, COLORREF outerFrame) const
{
    RECT windowRect{};
    ::GetWindowRect(window, &windowRect);
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    const bool handMadeShadow = !IsMenuShadowOn();
    const int shortBy = handMadeShadow ? kMenuShadowSize : 0;

    RECT frame{0, 0, width - shortBy, height - shortBy};
    RECT outer{1, 1, width - 1 - shortBy, height - 1 - shortBy};
    const RECT client = ClientInWindow(window);

    // The four bands between the outer rectangle and the client area.
    FillRect(dc, RECT{outer.left, outer.top, outer.right, client.top}, bands);
    FillRect(dc, RECT{outer.left, client.bottom, outer.right, outer.bottom}, bands);
    FillRect(dc, RECT{outer.left, client.top, client.left, client.bottom}, bands);
    FillRect(dc, RECT{client.right, client.top, outer.right, client.bottom}, bands);
    if (innerFrame != CLR_NONE)
        FrameRect(dc, outer, innerFrame);
    FrameRect(dc, frame, outerFrame);

    if (handMadeShadow) {
        const POINT position = info.hasPosition ? info.position : POINT{windowRect.left, windowRect.top};
        DrawMenuShadow(dc, width, height, position);
    }
}

BOOL CMenuDrawStyle::EraseBkgnd(HWND window, HDC dc, const MenuWindowInfo*)
{
    RECT client{};
    ::GetClientRect(window, &client);
    client.left -= 2;
    client.right -= 1;
    FillRect(dc, client, ::GetSysColor(COLOR_MENU));
    return TRUE;
}

void CMenuDrawStyle::NcCalcSize(HWND, RECT& proposedClient)
{
    if (!IsFlat())
        return;
    const RECT insets = BorderInsets();
    proposedClient.left += insets.left;
    proposedClient.top += insets.top;
    proposedClient.right -= insets.right;
    proposedClient.bottom -= insets.bottom;
}

void CMenuDrawStyle::WindowPosChanging(HWND, WINDOWPOS& position)
{
    if (!IsFlat())
        return;
    if (!(position.flags & SWP_NOSIZE)) {
        const int change = IsMenuShadowOn() ? -2 : 2;
        position.cx += change;
        position.cy += change;
    }
    if (!(position.flags & SWP_NOMOVE))
        position.y -= 1;
}

void CMenuDrawStyle::GetInnerRect(HWND window, RECT& inner)
{
    ::GetWindowRect(window, &inner);
    if (!IsFlat())
        return;
    const int trim = IsMenuShadowOn() ? 3 : 7;
    inner.left += 2;
    inner.top += 2;
    inner.right -= trim;
    inner.bottom -= trim;
}

// ---- XP --------------------------------------------------------------------------

void CMenuDrawStyleXP::NcPaint(HWND window, HDC dc, const MenuWindowInfo& info)
{
    if (!IsFlat())
        return;
    const COLORREF menu = GetMenuColour();
    const COLORREF window_ = ::GetSysColor(COLOR_WINDOW);
    const COLORREF light = MixColour86(window_, menu);
    const COLORREF column = MixColour86(menu, window_);
    const COLORREF frame = DarkenColour(128, menu);
    PaintBorder(window, dc, info, column, light, frame);
}

BOOL CMenuDrawStyleXP::EraseBkgnd(HWND window, HDC dc, const MenuWindowInfo* info)
{
    if (!info || !info->menu)
        return CMenuDrawStyle::EraseBkgnd(window, dc, info);
    RECT client{};
    ::GetClientRect(window, &client);
    client.left -= 2;
    client.right -= 1;
    FillRect(dc, client, GetMenuColour());
    return TRUE;
}

// ---- the mode list ----------------------------------------------------------------

bool CMenuDrawStyle::RegisterMode(std::unique_ptr<CMenuDrawStyle> mode)
{
    if (!mode)
        return false;
    ModeRegistry& registry = Registry();
    for (const auto& known : registry.modes) {
        if (known.get() == mode.get()) {
            mode.release();  // already owned by the list
            return false;
        }
    }
    registry.modes.push_back(std::move(mode));
    return true;
}

CMenuDrawStyle* CMenuDrawStyle::FindMode(int key)
{
    for (const auto& mode : Registry().modes) {
        if (mode->GetKey() == key)
            return mode.get();
    }
    return nullptr;
}

CMenuDrawStyle* CMenuDrawStyle::CurrentMode()
{
    return Registry().current;
}

void CMenuDrawStyle::SetCurrentMode(CMenuDrawStyle* mode)
{
    Registry().current = mode;
}

void CMenuDrawStyle::DeleteAllModes()
{
    ModeRegistry& registry = Registry();
    registry.current = nullptr;
    registry.modes.clear();
}

void RegisterMenuDrawModes()
{
    if (CMenuDrawStyle::FindMode(0))
        return;
    CMenuDrawStyle::RegisterMode(std::make_unique<CMenuDrawStyle>(0, TRUE, &CNewMenu::MeasureItemClassic,
                                                                  &CNewMenu::DrawItemClassic, &CNewMenu::DrawMenuTitle));
    CMenuDrawStyle::RegisterMode(std::make_unique<CMenuDrawStyle>(1, FALSE, &CNewMenu::MeasureItemClassic,
                                                                  &CNewMenu::DrawItemClassic, &CNewMenu::DrawMenuTitle));
    CMenuDrawStyle::RegisterMode(std::make_unique<CMenuDrawStyleXP>(2, TRUE, &CNewMenu::MeasureItemXP,
                                                                    &CNewMenu::DrawItemXP, &CNewMenu::DrawMenuTitle));
    CMenuDrawStyle::RegisterMode(std::make_unique<CMenuDrawStyleXP>(3, FALSE, &CNewMenu::MeasureItemXP,
                                                                    &CNewMenu::DrawItemXP, &CNewMenu::DrawMenuTitle));
    CMenuDrawStyle::RegisterMode(std::make_unique<CMenuDrawStyle>(4, TRUE, &CNewMenu::MeasureItemClassic,
                                                                  &CNewMenu::DrawItemFlatBar, &CNewMenu::DrawMenuTitle));
    CMenuDrawStyle::RegisterMode(std::make_unique<CMenuDrawStyle>(5, FALSE, &CNewMenu::MeasureItemClassic,
                                                                  &CNewMenu::DrawItemFlatBar, &CNewMenu::DrawMenuTitle));
}
