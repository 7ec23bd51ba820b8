#include "label/TextLayout.h"

#include "framework/Gdi.h"

#include <algorithm>
#include <cstdlib>

namespace TextLayout
{
float ScreenScale()
{
    static const float scale = [] {
        const CClientDC screen(nullptr);
        const int dpi = screen.m_hDC ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
        return 1000.0f / static_cast<float>(dpi > 0 ? dpi : 96);
    }();
    return scale;
}

bool CreateFontFor(CFont& font, const LOGFONTA& description, HDC dc)
{
    LOGFONTA turned = description;
    turned.lfOrientation = turned.lfEscapement;
    return font.CreatePointFontIndirect(turned, dc);
}

SIZE TextExtent(HDC dc, const char* text, int length)
{
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, length, &size);
    if (size.cy == 0) {
        TEXTMETRICA metrics{};
        if (::GetTextMetricsA(dc, &metrics))
            size.cy = metrics.tmHeight;
    }
    return size;
}

int MaxCharWidth(HDC dc)
{
    TEXTMETRICA metrics{};
    return ::GetTextMetricsA(dc, &metrics) ? metrics.tmMaxCharWidth : 0;
}

CString WidestCacheLine(HDC dc, const CString& cache, SIZE* extent)
{
    const std::vector<CacheLineInPlace> lines = ReadCacheLines(cache);
    const CacheLineInPlace* widest = nullptr;
    SIZE widestSize{};
    for (const CacheLineInPlace& line : lines) {
        const SIZE size = TextExtent(dc, line.text, line.length);
        if (!widest || size.cx > widestSize.cx) {
            widest = &line;
            widestSize = size;
        }
    }
    if (extent)
        *extent = widestSize;
    return widest ? CString(widest->text, widest->length) : CString();
}

void InvertFrame(HDC dc, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    ::PatBlt(dc, rect.left, rect.top, width, 1, DSTINVERT);
    if (height > 1)
        ::PatBlt(dc, rect.left, rect.bottom - 1, width, 1, DSTINVERT);
    if (height > 2) {
        ::PatBlt(dc, rect.left, rect.top + 1, 1, height - 2, DSTINVERT);
        if (width > 1)
            ::PatBlt(dc, rect.right - 1, rect.top + 1, 1, height - 2, DSTINVERT);
    }
}
}  // namespace TextLayout
