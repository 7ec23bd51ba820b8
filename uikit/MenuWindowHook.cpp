#include "uikit/MenuWindowHook.h"

#include "framework/Gdi.h"
#include "framework/WindowTexts.h"
#include "uikit/MenuLibrary.h"
#include "uikit/ShowLastError.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

namespace {

constexpr char kOldProcProperty[] = "OldMenuProc";
constexpr char kMenuWindowClass[] = "#32768";
// Sent to a pop-up menu window when the system sizes it (MN_SIZEWINDOW).
constexpr UINT kMenuSizeMessage = 0x1E2;
const HRGN kWholeWindowRegion = reinterpret_cast<HRGN>(1);

// Menu windows live on the user-interface thread only.
std::map<HWND, std::unique_ptr<MenuWindowInfo>>& Records()
{
    static std::map<HWND, std::unique_ptr<MenuWindowInfo>> records;
    return records;
}

bool IsMenuWindowClass(HWND window)
{
    return WindowClassNameOf(window) == kMenuWindowClass;
}

WNDPROC OldProc(HWND window)
{
    return reinterpret_cast<WNDPROC>(::GetPropA(window, kOldProcProperty));
}

// The window's rectangle relative to itself.
RECT WindowRelative(HWND window, const RECT& screen)
{
    RECT windowRect{};
    ::GetWindowRect(window, &windowRect);
    RECT result = screen;
    ::OffsetRect(&result, -windowRect.left, -windowRect.top);
    return result;
}

// Asks the window which menu it shows. Some systems create the window before
// its WM_INITMENUPOPUP, so the pending hand-over alone would miss it.
void ResolveMenu(HWND window, WNDPROC old, MenuWindowInfo& info)
{
    const auto shown = reinterpret_cast<HMENU>(::CallWindowProcA(old, window, MN_GETHMENU, 0, 0));
    if (!shown || !::IsMenu(shown))
        return;
    info.menu = shown;
    MenuLibraryState& library = MenuLibrary();
    if (library.pendingPopup == shown)
        library.pendingPopup = nullptr;
}

// Notes a window's position; false when it moved while being resized (the
// system laid the menu out again: the window is let go).
bool TrackPosition(MenuWindowInfo& info, const WINDOWPOS& position)
{
    if (position.flags & SWP_NOMOVE)
        return true;
    const POINT now{position.x, position.y};
    if (!info.hasPosition) {
        info.position = now;
        info.hasPosition = true;
        return true;
    }
    if (now.x == info.position.x && now.y == info.position.y)
        return true;
    if (position.flags & SWP_NOSIZE) {
        info.position = now;
        return true;
    }
    return false;
}

LRESULT OnNcPaint(HWND window, WNDPROC old, MenuWindowInfo& info, WPARAM wParam, LPARAM lParam)
{
    CMenuDrawStyle* mode = info.mode;
    if (!info.paintBorder || !mode || !mode->IsFlat()) {
        info.paintBorder = 1;
        return ::CallWindowProcA(old, window, WM_NCPAINT, wParam, lParam);
    }
    const HRGN update = reinterpret_cast<HRGN>(wParam);
    {
        std::optional<CWindowDCGuard> dc;
        if (update == kWholeWindowRegion || !update) {
            dc.emplace(window, CWindowDCGuard::kWholeWindow);
        } else {
            // The DC takes over the region it is given: hand it a copy.
            CRgn copy;
            copy.CreateRectRgn(0, 0, 0, 0);
            copy.CombineRgn(update, nullptr, RGN_COPY);
            dc.emplace(window, copy.Get(), DCX_WINDOW | DCX_INTERSECTRGN);
            if (dc->m_hDC)
                copy.Detach();
        }
        if (dc->m_hDC)
            mode->NcPaint(window, dc->m_hDC, info);
    }
    RECT inner{};
    mode->GetInnerRect(window, inner);
    ::InflateRect(&inner, -1, -1);
    CRgn region;
    region.CreateRectRgnIndirect(inner);
    if (update && update != kWholeWindowRegion)
        region.CombineRgn(region, update, RGN_AND);
    const LRESULT result = ::CallWindowProcA(old, window, WM_NCPAINT, reinterpret_cast<WPARAM>(region.Get()), lParam);
    info.paintBorder = 1;
    return result;
}

LRESULT OnPrint(HWND window, WNDPROC old, MenuWindowInfo& info, HDC target, LPARAM flags)
{
    CMenuDrawStyle* mode = info.mode;
    info.paintBorder = 0;
    RECT windowRect{};
    ::GetWindowRect(window, &windowRect);
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    CMemoryDC memory(target);
    CBitmap bitmap;
    if (width > 0 && height > 0 && bitmap.CreateCompatibleBitmap(target, width, height)) {
        CSelectGuard selected(memory, bitmap);
        mode->NcPaint(window, memory, info);
        RECT inner{};
        mode->GetInnerRect(window, inner);
        inner = WindowRelative(window, inner);
        ::InflateRect(&inner, -1, -1);
        {
            CSaveDCGuard saved(memory);
            ::IntersectClipRect(memory, inner.left, inner.top, inner.right, inner.bottom);
            ::CallWindowProcA(old, window, WM_PRINT, reinterpret_cast<WPARAM>(memory.m_hDC), flags & ~PRF_CLIENT);
        }
        ::BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);

        if (flags & PRF_CLIENT) {
            RECT client{};
            ::GetClientRect(window, &client);
            POINT offset{0, 0};
            ::ClientToScreen(window, &offset);
            offset.x -= windowRect.left;
            offset.y -= windowRect.top;
            ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.m_hDC), 0);
            ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.m_hDC), flags);
            const int copyWidth = std::min<int>(client.right, inner.right - inner.left - 1);
            if (copyWidth > 0)
                ::BitBlt(target, offset.x, offset.y, copyWidth, client.bottom, memory, 0, 0, SRCCOPY);
        }
    }
    // The next real frame paint is the mode's again.
    info.paintBorder = 1;
    return 0;
}

}  // namespace

HHOOK InstallMenuHook()
{
    return ::SetWindowsHookExA(WH_CALLWNDPROC, MenuHookProc, nullptr, ::GetCurrentThreadId());
}

LRESULT CALLBACK MenuHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_CREATE || sent->message == kMenuSizeMessage)
            SubclassMenuWindow(sent->hwnd, sent->message == kMenuSizeMessage);
    }
    return ::CallNextHookEx(MenuLibrary().hook, code, wParam, lParam);
}

bool SubclassMenuWindow(HWND window, bool fromSizeMessage)
{
    if (!window || !IsMenuWindowClass(window))
        return false;
    MenuLibraryState& library = MenuLibrary();
    auto& records = Records();
    bool subclassed = false;
    if (!records.count(window) && !::GetPropA(window, kOldProcProperty)) {
        const LONG_PTR old = ::GetWindowLongPtrA(window, GWLP_WNDPROC);
        if (!::SetPropA(window, kOldProcProperty, reinterpret_cast<HANDLE>(old))) {
            ShowLastError();
            return false;
        }
        if (::GetPropA(window, kOldProcProperty) != reinterpret_cast<HANDLE>(old))
            return false;
        auto info = std::make_unique<MenuWindowInfo>();
        info->atom = ::GlobalAddAtomA(kOldProcProperty);
        info->style = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
        info->exStyle = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
        info->flags = fromSizeMessage ? DWORD{kMenuWindowFromSizeMessage} : DWORD{0};
        info->paintBorder = 1;
        info->menu = library.pendingPopup;
        info->mode = CMenuDrawStyle::CurrentMode();
        library.pendingPopup = nullptr;

        ::SetLastError(0);
        if (!::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWindowProc)) &&
            ::GetLastError() != 0) {
            ShowLastError();
            ::RemovePropA(window, kOldProcProperty);
            if (info->atom)
                ::GlobalDeleteAtom(info->atom);
            return false;
        }
        MenuWindowInfo& record = *info;
        records[window] = std::move(info);
        if (record.mode)
            record.mode->OnSubclass(window, record);
        subclassed = true;
    }
    if (library.pendingPopup) {
        if (MenuWindowInfo* record = FindMenuWindowInfo(window)) {
            record->menu = library.pendingPopup;
            library.pendingPopup = nullptr;
        }
    }
    return subclassed;
}

void UnsubclassMenuWindow(HWND window)
{
    const WNDPROC old = OldProc(window);
    auto& records = Records();
    const auto found = records.find(window);
    if (!old || found == records.end())
        return;
    ResolveMenu(window, old, *found->second);
    ::SetLastError(0);
    if (!::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old)) && ::GetLastError() != 0)
        ShowLastError();
    ::RemovePropA(window, kOldProcProperty);
    std::unique_ptr<MenuWindowInfo> info = std::move(found->second);
    records.erase(found);
    if (info->atom)
        ::GlobalDeleteAtom(info->atom);
    if (info->mode)
        info->mode->OnUnsubclass(window, *info);
}

MenuWindowInfo* FindMenuWindowInfo(HWND window)
{
    auto& records = Records();
    const auto found = records.find(window);
    return found == records.end() ? nullptr : found->second.get();
}

HWND FindMenuWindowOf(HMENU menu)
{
    if (!menu)
        return nullptr;
    for (const auto& [window, info] : Records()) {
        if (info->menu == menu)
            return window;
    }
    return nullptr;
}

size_t SubclassedMenuWindowCount()
{
    return Records().size();
}

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC old = OldProc(window);
    if (!old)
        return ::DefWindowProcA(window, message, wParam, lParam);
    MenuWindowInfo* info = FindMenuWindowInfo(window);
    if (!info || !info->mode)
        return ::CallWindowProcA(old, window, message, wParam, lParam);
    CMenuDrawStyle* mode = info->mode;

    switch (message) {
    case WM_ERASEBKGND:
        if (mode->EraseBkgnd(window, reinterpret_cast<HDC>(wParam), info))
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (wParam == 0)
            UnsubclassMenuWindow(window);
        else
            ResolveMenu(window, old, *info);
        break;
    case WM_NCDESTROY:
        UnsubclassMenuWindow(window);
        break;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!position)
            break;
        if (message == WM_WINDOWPOSCHANGING) {
            ResolveMenu(window, old, *info);
            mode->WindowPosChanging(window, *position);
        }
        if (!TrackPosition(*info, *position))
            UnsubclassMenuWindow(window);
        break;
    }
    case WM_NCCALCSIZE:
        if (lParam) {
            RECT& proposed = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                    : *reinterpret_cast<RECT*>(lParam);
            mode->NcCalcSize(window, proposed);
        }
        break;
    case WM_NCPAINT:
        return OnNcPaint(window, old, *info, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            info->flags |= kMenuWindowClosedWithEscape;
        {
            const DWORD position = ::GetMessagePos();
            MenuLibrary().lastMessagePosition = POINT{static_cast<short>(LOWORD(position)),
                                                      static_cast<short>(HIWORD(position))};
        }
        break;
    case WM_PRINT:
        if (mode->IsFlat())
            return OnPrint(window, old, *info, reinterpret_cast<HDC>(wParam), lParam);
        break;
    default:
        break;
    }
    return ::CallWindowProcA(old, window, message, wParam, lParam);
}
