#include "uikit/HoverButton.h"

#include "framework/Module.h"
#include "uikit/EdgeDrawing.h"
#include "uikit/GrayIcon.h"
#include "uikit/UserInterfaceFont.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CHoverButton, CButton)

namespace {

constexpr int kImageGap = 3;         // pixels between the edge and the image
constexpr int kFocusInset = 3;
constexpr int kTooltipWidth = 400;

CHoverButton::AddressOpener& Opener()
{
    static CHoverButton::AddressOpener opener;
    return opener;
}

void OpenWithShell(LPCSTR address)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = address;
    info.nShow = SW_SHOWMAXIMIZED;
    ::ShellExecuteExA(&info);
}

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

// The icon's size from its hot spot, which lies at the centre of the
// program's icons; false when the icon can't be read.
bool IconSize(HICON icon, SIZE& size)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return false;
    CBitmap color(info.hbmColor);
    CBitmap mask(info.hbmMask);
    size = SIZE{static_cast<LONG>(info.xHotspot * 2), static_cast<LONG>(info.yHotspot * 2)};
    return true;
}

// A mask that is white where the bitmap shows the key colour; the key pixels
// of the bitmap itself are made black so that mask AND, then image OR, leaves
// the background there.
bool MakeMask(HBITMAP bitmap, COLORREF key, CBitmap& mask, SIZE& size)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info))
        return false;
    size = SIZE{info.bmWidth, info.bmHeight};
    if (!mask.CreateBitmap(size.cx, size.cy, 1, 1, nullptr))
        return false;
    CMemoryDC imageDC(nullptr);
    CMemoryDC maskDC(nullptr);
    CSelectGuard imageSelected(imageDC, bitmap);
    CSelectGuard maskSelected(maskDC, mask);
    ::SetBkColor(imageDC, key);
    ::BitBlt(maskDC, 0, 0, size.cx, size.cy, imageDC, 0, 0, SRCCOPY);
    ::SetBkColor(imageDC, RGB(0, 0, 0));
    ::SetTextColor(imageDC, RGB(255, 255, 255));
    ::BitBlt(imageDC, 0, 0, size.cx, size.cy, maskDC, 0, 0, SRCAND);
    return true;
}

}  // namespace

CHoverButton::AddressOpener CHoverButton::SetAddressOpener(AddressOpener opener)
{
    AddressOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}

CHoverButton::CHoverButton()
{
    SetDefaultColors(false);
}

CHoverButton::~CHoverButton()
{
    DropBackgroundCache();
}

// ---- taking over the window --------------------------------------------------

void CHoverButton::PreSubclassWindow()
{
    buttonType = GetStyle() & BS_TYPEMASK;
    if (buttonType & BS_CHECKBOX)
        checkMode = true;
    if (buttonType == BS_DEFPUSHBUTTON) {
        isDefault = true;
        buttonType = BS_PUSHBUTTON;
    }
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

// ---- settings ------------------------------------------------------------------

void CHoverButton::FreeIcons()
{
    iconIn = IconSlot{};
    iconOut = IconSlot{};
}

void CHoverButton::FreeBitmaps()
{
    bitmapIn = BitmapSlot{};
    bitmapOut = BitmapSlot{};
}

DWORD CHoverButton::SetIcon(int iconInId, int iconOutId)
{
    auto load = [](int id) {
        return static_cast<HICON>(::LoadImageA(GetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, 0));
    };
    HICON in = load(iconInId);
    HICON out = nullptr;
    if (iconOutId == kGrayCopy)
        out = GrayCopyHandle();
    else if (iconOutId != 0)
        out = load(iconOutId);
    return SetIconHandles(in, out);
}

DWORD CHoverButton::SetIconHandles(HICON iconInHandle, HICON iconOutHandle)
{
    FreeIcons();
    FreeBitmaps();
    const bool grayCopy = iconOutHandle == GrayCopyHandle();
    iconIn.handle.Reset(iconInHandle);
    if (!grayCopy)
        iconOut.handle.Reset(iconOutHandle);

    if (iconIn.handle.IsValid()) {
        if (!IconSize(iconIn.handle, iconIn.size)) {
            FreeIcons();
            return 1;
        }
        if (grayCopy)
            iconOut.handle.Reset(CreateGrayIcon(iconIn.handle));
    }
    if (iconOut.handle.IsValid() && !IconSize(iconOut.handle, iconOut.size)) {
        FreeIcons();
        return 1;
    }
    Repaint();
    return 0;
}

DWORD CHoverButton::SetBitmaps(HBITMAP bitmapInHandle, COLORREF keyIn, HBITMAP bitmapOutHandle, COLORREF keyOut)
{
    FreeIcons();
    FreeBitmaps();
    bitmapIn.handle.Reset(bitmapInHandle);
    bitmapOut.handle.Reset(bitmapOutHandle);
    if (bitmapIn.handle.IsValid() && !MakeMask(bitmapIn.handle, keyIn, bitmapIn.mask, bitmapIn.size)) {
        FreeBitmaps();
        return 1;
    }
    if (bitmapOut.handle.IsValid() && !MakeMask(bitmapOut.handle, keyOut, bitmapOut.mask, bitmapOut.size)) {
        FreeBitmaps();
        return 1;
    }
    Repaint();
    return 0;
}

DWORD CHoverButton::SetAlign(int newAlign, bool repaint)
{
    if (newAlign < 0 || newAlign > 2)
        return 4;
    align = newAlign;
    if (repaint)
        Repaint();
    return 0;
}

void CHoverButton::SetFlat(bool on, bool repaint)
{
    flat = on;
    if (repaint)
        Repaint();
}

void CHoverButton::SetCheck(bool on, bool repaint)
{
    if (!checkMode)
        return;
    checkState = on;
    if (repaint)
        Repaint();
}

void CHoverButton::SetDefaultColors(bool repaint)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    colors[BackIn] = colors[BackOut] = colors[BackFocus] = face;
    colors[ForeIn] = colors[ForeOut] = colors[ForeFocus] = text;
    if (repaint)
        Repaint();
}

DWORD CHoverButton::SetBtnCursor(int cursorId, bool repaint)
{
    cursor.Reset();
    if (cursorId != 0) {
        cursor.Reset(static_cast<HCURSOR>(
            ::LoadImageA(GetResourceHandle(), MAKEINTRESOURCEA(cursorId), IMAGE_CURSOR, 0, 0, 0)));
        if (!cursor.IsValid())
            return 1;
    }
    if (repaint)
        Repaint();
    return 0;
}

void CHoverButton::SetTooltipText(LPCSTR text)
{
    tooltipText = text ? text : "";
    if (!tooltip.IsValid())
        return;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = m_hWnd;
    tool.uId = 1;
    tool.lpszText = const_cast<LPSTR>(tooltipText.c_str());
    ::SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHoverButton::CreateTooltip()
{
    tooltip.Reset(::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                    GetInstanceHandle(), nullptr));
    if (!tooltip.IsValid())
        return;
    ::SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = m_hWnd;
    tool.uId = 1;
    tool.lpszText = const_cast<LPSTR>(tooltipText.c_str());
    GetClientRect(&tool.rect);
    ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(tooltip, TTM_ACTIVATE, TRUE, 0);
}

void CHoverButton::DrawTransparent(bool repaint)
{
    transparent = true;
    DropBackgroundCache();
    if (repaint)
        Repaint();
}

void CHoverButton::SetURL(LPCSTR address)
{
    url = address ? address : "";
}

void CHoverButton::DropBackgroundCache()
{
    if (backgroundOld && backgroundDC.m_hDC)
        ::SelectObject(backgroundDC.m_hDC, backgroundOld);
    backgroundOld = nullptr;
    backgroundDC.DeleteDC();
    backgroundBitmap.Reset();
}

// ---- messages --------------------------------------------------------------------

BOOL CHoverButton::PreTranslateMessage(MSG* msg)
{
    if (tooltip.IsValid() && msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
        ::SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return CButton::PreTranslateMessage(msg);
}

LRESULT CHoverButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case BM_SETSTYLE: {
        const UINT type = static_cast<UINT>(wParam) & BS_TYPEMASK;
        if (type == BS_DEFPUSHBUTTON)
            isDefault = true;
        else if (type == BS_PUSHBUTTON)
            isDefault = false;
        return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
    }
    case BM_SETCHECK:
        if (!checkMode)
            break;
        checkState = wParam == BST_CHECKED || wParam == BST_INDETERMINATE;
        Repaint();
        return 0;
    case BM_GETCHECK:
        if (!checkMode)
            break;
        return checkState ? BST_CHECKED : BST_UNCHECKED;
    case WM_GETDLGCODE:
        return DefWindowProc(message, wParam, lParam) | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_LBUTTONDBLCLK:
        // A quick second click is one more click, not a double click.
        return DefWindowProc(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSELEAVE:
        tooltip.Reset();
        CancelHover();
        return 0;
    case WM_CANCELMODE: {
        const LRESULT result = DefWindowProc(message, wParam, lParam);
        CancelHover();
        return result;
    }
    case WM_ENABLE: {
        const LRESULT result = DefWindowProc(message, wParam, lParam);
        // A disabled button must not keep the keyboard: it goes on to the next
        // tab stop, or to the parent. (The system has already taken the focus
        // away when it was here.) Focus elsewhere, say in a field being
        // typed in, stays where it is.
        const HWND focus = ::GetFocus();
        if (!wParam && (!focus || focus == m_hWnd)) {
            HWND parent = ::GetParent(m_hWnd);
            HWND next = parent ? ::GetNextDlgTabItem(parent, m_hWnd, FALSE) : nullptr;
            if (next && next != m_hWnd)
                ::SetFocus(next);
            else if (parent)
                ::SetFocus(parent);
        }
        if (!wParam)
            CancelHover();
        return result;
    }
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

BOOL CHoverButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnClicked();
        return FALSE;  // the parent hears of the click as well
    case WM_CTLCOLORBTN:
        *result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return TRUE;
    default:
        return CButton::OnChildNotify(message, wParam, lParam, result);
    }
}

void CHoverButton::OnMouseMove(UINT flags, POINT point)
{
    if (!tooltipText.IsEmpty() && !tooltip.IsValid())
        CreateTooltip();
    Default();

    if (!flat)
        return;
    if ((flags & MK_LBUTTON) && !hover)
        return;  // a drag that started elsewhere does not light the button
    POINT screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) == m_hWnd && (alwaysTrack || ::GetActiveWindow())) {
        if (!hover) {
            hover = true;
            Repaint();
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&track);
        }
    } else {
        CancelHover();
    }
}

BOOL CHoverButton::OnSetCursor(HWND window, UINT hitTest, UINT message)
{
    if (cursor.IsValid()) {
        ::SetCursor(cursor);
        return TRUE;
    }
    return CButton::OnSetCursor(window, hitTest, message);
}

void CHoverButton::OnKillFocus(HWND newWindow)
{
    CButton::OnKillFocus(newWindow);
    CancelHover();
}

void CHoverButton::OnActivate(UINT state, HWND other, BOOL minimized)
{
    CButton::OnActivate(state, other, minimized);
    if (state == WA_INACTIVE)
        CancelHover();
}

void CHoverButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    DropBackgroundCache();
}

void CHoverButton::Repaint()
{
    if (m_hWnd)
        Invalidate();
}

void CHoverButton::CancelHover()
{
    if (flat && hover) {
        hover = false;
        Repaint();
    }
}

void CHoverButton::OnClicked()
{
    SetFocus();
    if (checkMode) {
        checkState = !checkState;
        Repaint();
        return;
    }
    if (menu.IsValid()) {
        menuShown = true;
        Repaint();
        UpdateWindow();
        RECT window{};
        GetWindowRect(&window);
        const UINT command = static_cast<UINT>(
            ::TrackPopupMenuEx(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                               window.left, window.bottom, menuOwner ? menuOwner : m_hWnd, nullptr));
        menuShown = false;
        Repaint();
        if (command && menuOwner)
            ::PostMessageA(menuOwner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return;
    }
    if (!url.IsEmpty()) {
        if (Opener())
            Opener()(url);
        else
            OpenWithShell(url);
    }
}

// ---- drawing ---------------------------------------------------------------------

void CHoverButton::DrawBackground(HDC dc, const RECT& rect)
{
    COLORREF color = colors[BackOut];
    if (hover || pressed)
        color = colors[BackIn];
    else if (focused)
        color = colors[BackFocus];
    FillSolid(dc, rect, color);
}

void CHoverButton::DrawBorder(HDC dc, const RECT& rect)
{
    if (pressed)
        Draw3dRect(dc, rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else
        Draw3dRect(dc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

void CHoverButton::PaintParentBackground(HDC dc, const RECT& rect)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return;
    RECT client{};
    GetClientRect(&client);
    if (!backgroundDC.m_hDC) {
        RECT inParent = client;
        ::MapWindowPoints(m_hWnd, parent, reinterpret_cast<POINT*>(&inParent), 2);
        CClientDC parentDC(parent);
        if (!backgroundDC.CreateCompatibleDC(parentDC) ||
            !backgroundBitmap.CreateCompatibleBitmap(parentDC, Width(client), Height(client))) {
            DropBackgroundCache();
            return;
        }
        backgroundOld = ::SelectObject(backgroundDC.m_hDC, backgroundBitmap);
        ::BitBlt(backgroundDC.m_hDC, 0, 0, Width(client), Height(client), parentDC, inParent.left, inParent.top,
                 SRCCOPY);
    }
    ::BitBlt(dc, rect.left, rect.top, Width(rect), Height(rect), backgroundDC.m_hDC, rect.left, rect.top, SRCCOPY);
}

RECT CHoverButton::PlaceImage(const RECT& item, SIZE image, bool hasTitle, RECT& titleRect) const
{
    RECT place{};
    const int centreX = item.left + (Width(item) - image.cx) / 2;
    const int centreY = item.top + (Height(item) - image.cy) / 2;
    switch (align) {
    case 0:
    default:
        if (hasTitle) {
            place.left = item.left + kImageGap;
            place.top = centreY;
            titleRect.left += image.cx + kImageGap;
        } else {
            place.left = centreX;
            place.top = centreY;
        }
        break;
    case 1:
        place.left = centreX;
        if (hasTitle) {
            place.top = item.top + kImageGap;
            titleRect.top += image.cy;
        } else {
            place.top = centreY;
        }
        break;
    case 2:
        if (hasTitle) {
            RECT client{};
            GetClientRect(&client);
            place.left = client.right - image.cx - kImageGap;
            place.top = centreY;
            const int right = titleRect.right - titleRect.left - image.cx - kImageGap;
            titleRect.left = kImageGap;
            titleRect.right = right;
        } else {
            place.left = centreX;
            place.top = centreY;
        }
        break;
    }
    if (pressed && !checkMode)
        OffsetRect(&place, 1, 1);
    place.right = place.left + image.cx;
    place.bottom = place.top + image.cy;
    return place;
}

void CHoverButton::DrawIcon(HDC dc, const RECT& item, bool hasTitle, RECT& titleRect)
{
    const bool showOut = iconOut.handle.IsValid() && !pressed && (checkMode || !hover);
    const IconSlot& slot = showOut ? iconOut : iconIn;
    const RECT place = PlaceImage(item, slot.size, hasTitle, titleRect);
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(slot.handle.Get()), 0, place.left, place.top,
                 slot.size.cx, slot.size.cy, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CHoverButton::DrawBitmap(HDC dc, const RECT& item, bool hasTitle, RECT& titleRect)
{
    const bool showOut = bitmapOut.handle.IsValid() && !pressed && (checkMode || !hover);
    const BitmapSlot& slot = showOut ? bitmapOut : bitmapIn;
    const RECT place = PlaceImage(item, slot.size, hasTitle, titleRect);
    const SIZE size = slot.size;

    CMemoryDC imageDC(dc);
    CSelectGuard imageSelected(imageDC, slot.handle);
    if (disabled && autoGrayBitmap) {
        // Greyed through a copy on white: the key pixels stay out of the shape.
        CBitmap copy;
        copy.CreateCompatibleBitmap(dc, size.cx, size.cy);
        {
            CMemoryDC copyDC(dc);
            CMemoryDC maskDC(dc);
            CSelectGuard copySelected(copyDC, copy);
            CSelectGuard maskSelected(maskDC, slot.mask);
            ::PatBlt(copyDC, 0, 0, size.cx, size.cy, WHITENESS);
            ::BitBlt(copyDC, 0, 0, size.cx, size.cy, maskDC, 0, 0, SRCAND);
            ::BitBlt(copyDC, 0, 0, size.cx, size.cy, imageDC, 0, 0, SRCPAINT);
        }
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(copy.Get()), 0, place.left, place.top, size.cx,
                     size.cy, DST_BITMAP | DSS_DISABLED);
        return;
    }
    CMemoryDC maskDC(dc);
    CSelectGuard maskSelected(maskDC, slot.mask);
    ::BitBlt(dc, place.left, place.top, size.cx, size.cy, maskDC, 0, 0, SRCAND);
    ::BitBlt(dc, place.left, place.top, size.cx, size.cy, imageDC, 0, 0, SRCPAINT);
}

void CHoverButton::DrawTitle(HDC dc, LPCSTR title, RECT titleRect)
{
    if (pressed && !checkMode)
        OffsetRect(&titleRect, 1, 1);
    RECT measured = titleRect;
    ::DrawTextA(dc, title, -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    OffsetRect(&measured, (Width(titleRect) - Width(measured)) / 2, (Height(titleRect) - Height(measured)) / 2);

    ::SetBkMode(dc, TRANSPARENT);
    if (disabled) {
        OffsetRect(&measured, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextA(dc, title, -1, &measured, DT_WORDBREAK | DT_CENTER);
        OffsetRect(&measured, -1, -1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
        ::DrawTextA(dc, title, -1, &measured, DT_WORDBREAK | DT_CENTER);
        return;
    }
    const bool inState = hover || pressed;
    ::SetTextColor(dc, colors[inState ? ForeIn : ForeOut]);
    ::SetBkColor(dc, colors[inState ? BackIn : BackOut]);
    ::DrawTextA(dc, title, -1, &measured, DT_WORDBREAK | DT_CENTER);
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    HDC dc = item->hDC;
    CSaveDCGuard saved(dc);
    ::SetBkMode(dc, TRANSPARENT);

    if (checkMode)
        pressed = (item->itemState & ODS_SELECTED) || checkState;
    else
        pressed = (item->itemState & ODS_SELECTED) || menuShown;
    focused = (item->itemState & ODS_FOCUS) != 0;
    disabled = (item->itemState & ODS_DISABLED) != 0;

    const RECT itemRect = item->rcItem;
    RECT rect = itemRect;
    if (!flat && (focused || isDefault)) {
        FrameSolid(dc, rect, RGB(0, 0, 0));
        InflateRect(&rect, -1, -1);
    }

    if (transparent)
        PaintParentBackground(dc, rect);
    else
        DrawBackground(dc, rect);

    if (pressed) {
        if (!flat)
            FrameSolid(dc, rect, ::GetSysColor(COLOR_BTNSHADOW));
        else if (drawBorder)
            DrawBorder(dc, rect);
    } else if (!flat) {
        const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF light = ::GetSysColor(COLOR_3DLIGHT);
        const COLORREF darkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        FillSolid(dc, RECT{rect.left, rect.top, rect.right - 1, rect.top + 1}, highlight);
        FillSolid(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1}, highlight);
        FillSolid(dc, RECT{rect.left + 1, rect.top + 1, rect.right - 2, rect.top + 2}, light);
        FillSolid(dc, RECT{rect.left + 1, rect.top + 1, rect.left + 2, rect.bottom - 2}, light);
        FillSolid(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, darkShadow);
        FillSolid(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, darkShadow);
        FillSolid(dc, RECT{rect.left + 1, rect.bottom - 2, rect.right - 1, rect.bottom - 1}, shadow);
        FillSolid(dc, RECT{rect.right - 2, rect.top + 1, rect.right - 1, rect.bottom - 1}, shadow);
    } else if (hover && drawBorder) {
        DrawBorder(dc, rect);
    }

    CString title;
    GetWindowText(title);
    CSelectGuard font(dc, UserInterfaceFont(useScaledFont));

    RECT titleRect = itemRect;
    if (iconIn.handle.IsValid())
        DrawIcon(dc, itemRect, !title.IsEmpty(), titleRect);
    else if (bitmapIn.handle.IsValid())
        DrawBitmap(dc, itemRect, !title.IsEmpty(), titleRect);

    if (!title.IsEmpty())
        DrawTitle(dc, title, titleRect);

    if (focused && (!flat || drawFlatFocus)) {
        RECT focusRect = itemRect;
        InflateRect(&focusRect, -kFocusInset, -kFocusInset);
        ::DrawFocusRect(dc, &focusRect);
    }
}
