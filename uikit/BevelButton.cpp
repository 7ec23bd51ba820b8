#include "uikit/BevelButton.h"

#include <algorithm>
#include <random>

IMPLEMENT_DYNAMIC(CBevelButton, CHoverButton)

namespace {

// One generator for all buttons, so that two faces of one size differ in grain.
int RandomUpTo32767()
{
    static std::minstd_rand generator(static_cast<unsigned>(::GetTickCount()) ^
                                      static_cast<unsigned>(::GetCurrentProcessId()));
    static std::uniform_int_distribution<int> range(0, 32767);
    return range(generator);
}

// About -g .. +g.
int Noise(int granularity)
{
    const int divisor = granularity ? 32767 / (2 * granularity) : 32767;
    return RandomUpTo32767() / std::max(divisor, 1) - granularity;
}

// Grey levels: 0..128 run from 128 to the panel grey 185, 128..255 on to white.
void SetGreyPalette(CShadeBitmap& bitmap)
{
    for (int i = 0; i <= 128; ++i) {
        const auto level = static_cast<BYTE>((128 * (128 - i) + 185 * i) / 128);
        bitmap.SetPaletteIndex(i, level, level, level);
    }
    for (int k = 0; k < 128; ++k) {
        const auto level = static_cast<BYTE>((185 * (127 - k) + 255 * (k + 1)) / 128);
        bitmap.SetPaletteIndex(128 + k, level, level, level);
    }
}

// Bytes alternating 0 and 255 along the bitmap's only row or column.
void FillStripes(CShadeBitmap& bitmap)
{
    BYTE* bits = bitmap.GetBits();
    if (!bits)
        return;
    if (bitmap.GetHeight() == 1) {
        for (int x = 0; x < bitmap.GetWidth(); ++x)
            bits[x] = x % 2 ? 255 : 0;
    } else {
        for (int row = 0; row < bitmap.GetHeight(); ++row)
            bits[row * bitmap.GetLineWidth()] = row % 2 ? 255 : 0;
    }
}

int Cube(int v)
{
    return v * v * v;
}

void RenderSoftBump(CShadeBitmap& face, int granularity)
{
    BYTE* bits = face.GetBits();
    if (!bits)
        return;
    const int width = face.GetWidth();
    const int height = face.GetHeight();
    for (int row = 0; row < height; ++row) {  // row 0 is the bottom one
        const int vy = 255 * row / height - 127;
        for (int x = 0; x < width; ++x) {
            const int vx = 255 * (width - x) / width - 127;
            int level = (Cube(vy) / 16384 + Cube(vx) / 16384) * (128 - granularity) / 128 + 128;
            level = std::clamp(level, granularity, 255 - granularity);
            bits[row * face.GetLineWidth() + x] = static_cast<BYTE>(std::clamp(level + Noise(granularity), 0, 255));
        }
    }
}

void RenderGrain(CShadeBitmap& face, int granularity)
{
    BYTE* bits = face.GetBits();
    if (!bits)
        return;
    for (int row = 0; row < face.GetHeight(); ++row) {
        for (int x = 0; x < face.GetWidth(); ++x)
            bits[row * face.GetLineWidth() + x] = static_cast<BYTE>(std::clamp(128 + Noise(granularity), 0, 255));
    }
}

}  // namespace

void CBevelButton::BuildFaces(int style, BYTE granularity, int lighten, int tintPercent, COLORREF tint)
{
    RECT client{};
    if (m_hWnd)
        GetClientRect(&client);
    const int width = std::max<int>(client.right - client.left, 1);
    const int height = std::max<int>(client.bottom - client.top, 1);

    if (!m_normalFace.Create(width, height, 8) || !m_rowPattern.Create(width, 1, 8) ||
        !m_columnPattern.Create(1, height, 8))
        return;
    SetGreyPalette(m_normalFace);
    SetGreyPalette(m_rowPattern);
    SetGreyPalette(m_columnPattern);
    m_normalFace.BlendPalette(tint, tintPercent);
    FillStripes(m_rowPattern);
    FillStripes(m_columnPattern);

    if (style == kSoftBump)
        RenderSoftBump(m_normalFace, granularity);
    else
        RenderGrain(m_normalFace, granularity);

    m_spareFace.Copy(m_normalFace);
    m_hoverFace.Copy(m_normalFace);
    m_hoverFace.BlendPalette(RGB(255, 255, 255), lighten);
    m_pressedFace.Copy(m_hoverFace);
    Repaint();
}

void CBevelButton::DrawBackground(HDC dc, const RECT& rect)
{
    if (!m_normalFace.GetBits()) {
        CHoverButton::DrawBackground(dc, rect);  // no faces built yet
        return;
    }
    if (!hover)
        m_normalFace.Draw(dc, 0, 0);
    else if (pressed)
        m_hoverFace.Draw(dc, 1, 1);
    else
        m_hoverFace.Draw(dc, 0, 0);
}
