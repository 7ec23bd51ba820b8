#include "uikit/SizingControlBarCF.h"

#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"
#include "uikit/UserInterfaceFont.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CSizingControlBarCF, CSizingControlBarG)

namespace {

constexpr int kBands = 64;
constexpr int kCaptionIcon = 18;
constexpr COLORREF kPlainGradientEnd = RGB(166, 202, 240);

// The title font: the user-interface font's face and size, bold, turned to
// read upward when `upright`.
bool MakeTitleFont(CFont& font, HDC dc, bool upright)
{
    LOGFONTA face{};
    if (::GetObjectA(UserInterfaceFont(false), sizeof(face), &face) != sizeof(face))
        return false;
    const int dpi = std::max(1, ::GetDeviceCaps(dc, LOGPIXELSY));
    LOGFONTA title{};
    std::memcpy(title.lfFaceName, face.lfFaceName, sizeof(title.lfFaceName));
    title.lfHeight = static_cast<LONG>(std::lround(std::abs(face.lfHeight) * 720.0 / dpi));
    title.lfWeight = FW_BOLD;
    title.lfCharSet = face.lfCharSet;
    if (upright)
        title.lfEscapement = title.lfOrientation = 900;
    return font.CreatePointFontIndirect(title, dc);
}

}  // namespace

CSizingControlBarCF::CSizingControlBarCF() = default;

CSizingControlBarCF::~CSizingControlBarCF() = default;

COLORREF CSizingControlBarCF::BandColor(COLORREF start, COLORREF end, int index)
{
    const auto channel = [&](int from, int to) { return (from * kBands + index * (to - from)) >> 6; };
    return RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
               channel(GetBValue(start), GetBValue(end)));
}

COLORREF CSizingControlBarCF::GradientEndColor()
{
    BOOL gradient = FALSE;
    if (::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0) && gradient)
        return ::GetSysColor(COLOR_GRADIENTACTIVECAPTION);
    return kPlainGradientEnd;
}

RECT CSizingControlBarCF::CaptionRect(const RECT& client) const
{
    if (IsHorzDocked()) {
        return RECT{client.left - gripperSize - 1, closeButton.position.y + 14, client.left - gripperSize + 19,
                    client.bottom};
    }
    return RECT{client.left, 4, closeButton.position.x - 3, 22};
}

void CSizingControlBarCF::PaintNcDecoration(HDC dc, const RECT& client)
{
    if (!HasGripper())
        return;
    const bool horz = IsHorzDocked();
    const RECT caption = CaptionRect(client);

    // The frame around the client takes the label view's background.
    PaintPanelOnActiveView(dc, RECT{horz ? client.left - 19 : client.left - 3, 2, client.right + 3, client.bottom + 3});

    const COLORREF start = ::GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF end = GradientEndColor();
    const int width = caption.right - caption.left;
    const int height = caption.bottom - caption.top;
    CDC target(dc);
    for (int i = 0; i < kBands; ++i) {
        RECT band = caption;
        if (horz) {
            // Starts at the bottom, where the upright title begins.
            band.top = caption.bottom - ((i + 1) * height >> 6);
            band.bottom = caption.bottom - (i * height >> 6);
        } else {
            band.left = caption.left + (i * width >> 6);
            band.right = caption.left + ((i + 1) * width >> 6);
        }
        if (band.left < band.right && band.top < band.bottom)
            target.FillSolidRect(band, BandColor(start, end, i));
    }

    if (GetAppMainWnd()) {
        if (const CUiResources* resources = UiResources()) {
            const POINT at = horz ? POINT{caption.left, caption.bottom - 18} : POINT{caption.left + 2, caption.top + 1};
            resources->MenuImages().Draw(dc, kCaptionIcon, at, ILD_TRANSPARENT);
        }
    }

    CFont titleFont;
    if (MakeTitleFont(titleFont, dc, horz)) {
        CString title;
        GetWindowText(title);
        CSelectGuard font(dc, titleFont);
        const COLORREF oldColor = ::SetTextColor(dc, ::GetSysColor(COLOR_CAPTIONTEXT));
        const int oldMode = ::SetBkMode(dc, TRANSPARENT);
        const POINT at = horz ? POINT{caption.left + 1, caption.bottom - 21} : POINT{caption.left + 22, caption.top + 2};
        ::ExtTextOutA(dc, at.x, at.y, ETO_CLIPPED, &caption, title, static_cast<UINT>(title.GetLength()), nullptr);
        ::SetBkMode(dc, oldMode);
        ::SetTextColor(dc, oldColor);
    }
    DrawCloseButton(dc);
}

void CSizingControlBarCF::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CSizingControlBarG::OnUpdateCmdUI(target, disableIfNoHandler);
    if (!HasGripper())
        return;
    HWND focus = ::GetFocus();
    const bool nowActive = focus && ::IsChild(m_hWnd, focus);
    if (nowActive != active) {
        active = nowActive;
        SendMessage(WM_NCPAINT);
    }
}

LRESULT CSizingControlBarCF::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT) {
        const LRESULT result = CSizingControlBarG::WindowProc(message, wParam, lParam);
        SendMessage(WM_NCPAINT);
        return result;
    }
    return CSizingControlBarG::WindowProc(message, wParam, lParam);
}
