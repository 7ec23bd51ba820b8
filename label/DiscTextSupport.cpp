#include "label/LabelGeometry.h"
#include "label/DiscTextSupport.h"

#include "label/FontCache.h"

#include "framework/Conversions.h"
#include "label/LabelRenderer.h"
#include "label/TextLayout.h"

#include <algorithm>
#include <stdexcept>

namespace DiscText
{
void CSelectedFont::Select(const LOGFONTA& font)
{
    Release();
    HFONT handle = nullptr;
    if (m_cache) {
        handle = m_cache->Get(font, m_dc);
    } else if (TextLayout::CreateFontFor(m_font, font, m_dc)) {
        handle = m_font.Get();
    }
    if (!handle)
        throw std::runtime_error("font");
    m_selected = std::make_unique<CSelectGuard>(m_dc, handle);
}

void CSelectedFont::Release()
{
    m_selected.reset();
    m_font.Reset();
}

ScreenScale GetScreenScale()
{
    ScreenScale scale;
    scale.perPixel = TextLayout::ScreenScale();
    scale.dpi = static_cast<int>(1000.0f / scale.perPixel + 0.5f);
    return scale;
}

int TextWidth(HDC dc, const CString& text, const ScreenScale& scale)
{
    return static_cast<int>(static_cast<float>(TextLayout::TextExtent(dc, text).cx) * scale.perPixel);
}

int LineHeight(HDC dc, const ScreenScale& scale)
{
    return static_cast<int>(static_cast<float>(TextLayout::TextExtent(dc, CString()).cy) * scale.perPixel);
}

int ItalicOverhang(HDC dc, const LOGFONTA& font, const ScreenScale& scale)
{
    if (!font.lfItalic)
        return 0;
    return static_cast<int>(0.14f * static_cast<float>(TextLayout::MaxCharWidth(dc)) * scale.perPixel);
}

CString FormatRecord(const CacheRecord& record)
{
    // A backtick in the text would tear the record apart.
    return TextLayout::WithoutBackticks(record.text) + "`" + IntToStr(record.left) + "`" + IntToStr(record.right) + "``" +
           IntToStr(record.bottom) + "`";
}

int CachedHeight(const CString& cache)
{
    const int end = cache.Find('`');
    return ParseLeadingInt(end < 0 ? cache : cache.Left(end));
}

std::vector<CacheRecord> ParseCache(const CString& cache)
{
    std::vector<CacheRecord> records;
    int at = cache.Find('`');
    if (at < 0)
        return records;
    ++at;
    // Five fields per record; a torn tail is left out rather than half drawn.
    for (;;) {
        CString fields[5];
        int field = 0;
        for (; field < 5; ++field) {
            const int end = cache.Find('`', at);
            if (end < 0)
                break;
            fields[field] = cache.Mid(at, end - at);
            at = end + 1;
        }
        if (field < 5)
            break;
        records.push_back({fields[0], ParseLeadingInt(fields[1]), ParseLeadingInt(fields[2]),
                           ParseLeadingInt(fields[4])});
    }
    return records;
}

RECT BoxInPixels(const RenderFrame& frame)
{
    using LabelGeometry::LengthToPixels;
    const int dpi = frame.scale.dpi;
    const int zoom = frame.zoom;
    RECT box{};
    box.left = LengthToPixels(frame.boxLeft, dpi, zoom) - frame.discPixels.x;
    box.right = box.left + LengthToPixels(frame.boxWidth, dpi, zoom);
    box.top = LengthToPixels(frame.boxTop, dpi, zoom) - frame.discPixels.y;
    box.bottom = box.top + LengthToPixels(frame.boxHeight, dpi, zoom);
    box.left = std::max<LONG>(box.left, 0);
    box.top = std::max<LONG>(box.top, 0);
    return box;
}

void RenderCache(CLabelRenderer& renderer, HDC dc, LOGFONTA font, const CString& cache, const RenderFrame& frame)
{
    using LabelGeometry::LengthToPixels;
    const int dpi = frame.scale.dpi;
    const int zoom = frame.zoom;
    const RECT box = BoxInPixels(frame);

    const std::vector<CacheRecord> records = ParseCache(cache);
    font.lfHeight = CachedHeight(cache);

    const CString widest = renderer.TextRedraw().m_measures.WidestLine(dc, font, cache, [&] {
        CSelectedFont selected(dc, &renderer.Fonts());
        selected.Select(font);
        return TextLayout::WidestCacheLine(dc, cache, nullptr);
    });
    const LONG cachedHeight = font.lfHeight;
    CDC measuring(dc);
    renderer.GetZoomedFontHeight(&measuring, font, widest);
    const bool strokes = font.lfHeight < 25;

    CSaveDCGuard saved(dc);
    ::SetTextAlign(dc, TA_LEFT | TA_BOTTOM);
    CSelectedFont selected(dc, &renderer.Fonts());
    CPen strokePen;
    std::unique_ptr<CSelectGuard> penSelected;
    if (strokes) {
        // Too small to read: measure at the laid-out size and draw thin strokes.
        font.lfHeight = cachedHeight;
        selected.Select(font);
        strokePen.CreatePen(PS_DASHDOTDOT, 1, ::GetTextColor(dc));
        penSelected = std::make_unique<CSelectGuard>(dc, strokePen.Get());
    } else {
        selected.Select(font);
    }
    renderer.TextRedraw().m_warmFonts.Hold(dc, static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT)));

    for (const CacheRecord& record : records) {
        const int spanLeft = LengthToPixels(record.left - frame.disc.left, dpi, zoom);
        const int spanRight = LengthToPixels(record.right - frame.disc.left, dpi, zoom);
        const int y = LengthToPixels(record.bottom - frame.disc.top, dpi, zoom);
        int textWidth = TextLayout::TextExtent(dc, record.text).cx;
        if (strokes)
            textWidth = static_cast<int>(textWidth * zoom * 0.1);

        int x = spanLeft;
        if (frame.horizontalAlignment == "Right") {
            x = spanRight - textWidth;
        } else if (frame.horizontalAlignment == "Center") {
            if (frame.centreInBox) {
                x = box.left + (box.right - box.left - textWidth) / 2;
                if (x < spanLeft)
                    x = spanLeft;
                else if (x + textWidth > spanRight)
                    x = spanRight - textWidth;
            } else {
                x = spanLeft + (spanRight - spanLeft - textWidth) / 2;
            }
        }

        if (strokes) {
            ::MoveToEx(dc, x, y, nullptr);
            ::LineTo(dc, x + textWidth, y);
        } else {
            ::TextOutA(dc, x, y, record.text.c_str(), record.text.GetLength());
        }
    }
}
void RenderDiscObject(CLabelRenderer& renderer, HDC dc, const LOGFONTA& font, const CString& cache,
                      const DiscGeometry& disc, const ScreenDisc& discPixels, const ScreenScale& scale,
                      const RECT& box, const CString& horizontalAlignment, bool centreInBox)
{
    RenderFrame frame;
    frame.disc = disc;
    frame.discPixels = {discPixels.left, discPixels.top};
    frame.zoom = renderer.Zoom();
    // Drawn at the renderer's resolution, the screen's or a printer's.
    frame.scale = scale;
    frame.scale.dpi = renderer.Dpi() > 0 ? renderer.Dpi() : scale.dpi;
    frame.scale.perPixel = renderer.PixelScale();
    frame.boxLeft = box.left;
    frame.boxTop = box.top;
    frame.boxWidth = box.right - box.left;
    frame.boxHeight = box.bottom - box.top;
    frame.horizontalAlignment = horizontalAlignment;
    frame.centreInBox = centreInBox;
    if (!cache.IsEmpty())
        RenderCache(renderer, dc, font, cache, frame);
    if (renderer.Options().objectGuides)
        TextLayout::InvertFrame(dc, BoxInPixels(frame));
}

}  // namespace DiscText
