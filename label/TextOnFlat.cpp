// Text objects on the covers: a zoom-independent layout of line boxes cached in
// "Vector Data", and the drawing of that cache at the zoom.
#include "framework/ErrorReport.h"
#include "label/LabelRenderer.h"
#include "label/TextLayout.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

using namespace TextLayout;

namespace
{
constexpr int kMinZoomedHeight = 25;  // 2.5 points: below it lines become strokes
constexpr int kLineEndMargin = 15;    // of a horizontal line, thousandths of an inch
constexpr double kItalicOverhang = 0.14;

// The lines of a text when multi-line, else one line with the breaks made spaces.
std::vector<CString> SplitLines(const CString& text, bool multiLine)
{
    std::vector<CString> lines;
    if (!multiLine) {
        CString line = text;
        line.Replace('\r', ' ');
        line.Remove('\n');
        lines.push_back(line);
        return lines;
    }
    return SplitTextLines(text);
}

// The system's text-alignment flag for a placement word of the tables.
UINT AlignFlag(const char* word)
{
    if (std::strcmp(word, "right") == 0)
        return TA_RIGHT;
    if (std::strcmp(word, "bottom") == 0)
        return TA_BOTTOM;
    return 0;  // left, top
}

int ToPixels(double zoomFactor, int length, float scale) { return Trunc(zoomFactor * length / scale); }
}  // namespace

bool CLabelRenderer::DrawTextObject(CDC* dc, LOGFONTA& font, CString& cache, const CString& text, int left, int top,
                                   int width, int height, const CString& horizontalAlignment,
                                   const CString& verticalAlignment, bool multiLine, const CString& surface)
{
    return Guarded(27, Errors(), false, [&] {
        if (text.IsEmpty())
            cache.Empty();
        if (cache.IsEmpty() && !text.IsEmpty()) {
            const int angle = font.lfEscapement;
            const bool upright = angle != 900 && angle != -900;
            const float scale = ScreenScale();
            CFont stored;
            if (!CreateFontFor(stored, font, *dc))
                throw std::runtime_error("font");
            CSelectGuard selected(*dc, stored);

            const int length = upright ? width : height;
            const int depth = upright ? height : width;
            const std::vector<CString> lines = SplitLines(text, multiLine);
            int lineCount = 1;
            const CString widest = multiLine ? MeasureTextBlock(dc, text, &lineCount) : lines.front();
            if (FitFontToBox(dc, font, widest, length, depth, lineCount)) {
                CFont fitted;
                if (!CreateFontFor(fitted, font, *dc))
                    throw std::runtime_error("font");
                CSelectGuard fittedSelected(*dc, fitted);
                const int lineHeight = Trunc(TextExtent(*dc, widest).cy * scale);

                int x0 = left, x1 = left + width, y0 = top, y1 = top + height;
                if (upright) {
                    x0 += kLineEndMargin;
                    x1 -= kLineEndMargin;
                }
                if (font.lfItalic) {
                    const int overhang = Trunc(kItalicOverhang * MaxCharWidth(*dc) * scale);
                    if (upright)
                        x1 -= overhang;
                    else if (angle == 900)
                        y0 += overhang;
                    else
                        y1 -= overhang;
                }
                cache.Format("%d`", static_cast<int>(font.lfHeight));
                // Each line box is the object's box less the other lines, so
                // aligning a line in its box aligns the block in the object's.
                const int others = (static_cast<int>(lines.size()) - 1) * lineHeight;
                switch (angle) {
                case 900: x1 -= others; break;
                case -900: x0 += others; break;
                case 1800: y0 += others; break;
                default: y1 -= others; break;
                }
                for (const CString& line : lines) {
                    AppendCacheLine(cache, line, x0, x1, y0, y1);
                    switch (angle) {
                    case 900: x0 += lineHeight, x1 += lineHeight; break;
                    case -900: x0 -= lineHeight, x1 -= lineHeight; break;
                    case 1800: y0 -= lineHeight, y1 -= lineHeight; break;
                    default: y0 += lineHeight, y1 += lineHeight; break;
                    }
                }
            } else {
                cache.Empty();
            }
        }
        if (!cache.IsEmpty())
            RenderFlatLayout(dc, font, cache, horizontalAlignment, verticalAlignment, surface, false);
        if (m_options.objectGuides)
            DrawObjectGuides(dc, left, top, width, height, surface);
        return true;
    });
}

void CLabelRenderer::RenderFlatLayout(CDC* dc, LOGFONTA& font, const CString& cache,
                                     const CString& horizontalAlignment, const CString& verticalAlignment,
                                     const CString& surface, bool rightAlignPoints)
{
    const int angle = font.lfEscapement;
    const double zoomFactor = m_zoom * 0.1;
    // The cache was laid out in thousandths of an inch; it is drawn at the
    // renderer's resolution, the screen's or a printer's.
    const float scale = PixelScale();

    font.lfHeight = CacheHeight(cache);
    const CString widest = m_textRedraw.m_measures.WidestLine(*dc, font, cache, [&] {
        const HFONT cached = m_fonts.Get(font, *dc);
        if (!cached)
            throw std::runtime_error("font");
        CSelectGuard selected(*dc, cached);
        return WidestCacheLine(*dc, cache, nullptr);
    });
    const int cachedHeight = font.lfHeight;
    GetZoomedFontHeight(dc, font, widest);

    const bool textMode = font.lfHeight >= kMinZoomedHeight;
    HFONT drawing = nullptr;
    if (textMode) {
        drawing = m_fonts.Get(font, *dc);
    } else {
        LOGFONTA measuring = font;
        measuring.lfHeight = cachedHeight;
        drawing = m_fonts.Get(measuring, *dc);
        font.lfHeight = 0;
    }
    if (!drawing)
        throw std::runtime_error("font");
    m_textRedraw.m_warmFonts.Hold(*dc, drawing);
    CSelectGuard fontSelected(*dc, drawing);
    CPen strokePen;
    if (!textMode)
        strokePen.CreatePen(PS_DASHDOTDOT, 1, ::GetTextColor(*dc));
    CSelectGuard penSelected(*dc, textMode ? nullptr : strokePen.Get());

    int originX = 0, originY = 0;
    if (surface == "Back Cover") {
        originX = m_model->Geometry().back.left;
        originY = m_model->Geometry().back.top;
    } else if (surface == "Front Cover") {
        originX = m_model->Geometry().front.left;
        originY = m_model->Geometry().front.top;
    }

    const bool hLeft = horizontalAlignment == "Left", hRight = horizontalAlignment == "Right";
    const bool vTop = verticalAlignment == "Top", vBottom = verticalAlignment == "Bottom";
    for (const CacheLineInPlace& line : ReadCacheLines(cache)) {
        const int x0 = ToPixels(zoomFactor, line.x0 - originX, scale);
        const int x1 = ToPixels(zoomFactor, line.x1 - originX, scale);
        const int y0 = ToPixels(zoomFactor, line.y0 - originY, scale);
        const int y1 = ToPixels(zoomFactor, line.y1 - originY, scale);
        const bool endsAtPoint = rightAlignPoints && x0 == x1;
        const bool right = hRight || endsAtPoint;
        const bool leftSide = hLeft && !endsAtPoint;
        // A text placed at its box's edges on both axes is drawn without its extent.
        const bool centred = (!leftSide && !right) || (!vTop && !vBottom);
        SIZE extent{};
        if (!textMode || centred)
            extent = TextExtent(*dc, line.text, line.length);
        int cx = extent.cx, cy = extent.cy;
        if (!textMode) {
            cx = Trunc(cx * zoomFactor);
            cy = Trunc(cy * zoomFactor);
        }

        if (textMode) {
            int x = 0, y = 0;
            const char* hFlag = "left";
            const char* vFlag = "top";
            switch (angle) {
            case 900:
                x = leftSide ? x0 : right ? x1 : x0 + (x1 - cy - x0) / 2;
                hFlag = right ? "bottom" : "top";
                y = vTop ? y0 : vBottom ? y1 : y0 + (y1 - y0 - cx) / 2;
                vFlag = vTop ? "right" : vBottom ? "left" : "right";
                break;
            case -900:
                x = leftSide ? x0 : right ? x1 : x0 + (x1 - cy - x0) / 2;
                hFlag = right ? "top" : "bottom";
                y = vTop ? y0 : vBottom ? y1 : y0 + (y1 - y0 - cx) / 2;
                vFlag = vTop ? "left" : vBottom ? "right" : "left";
                break;
            case 1800:
                x = leftSide ? x0 : right ? x1 : x0 + (x1 - x0 - cx) / 2;
                hFlag = right ? "left" : "right";
                y = vTop ? y0 : vBottom ? y1 : y0 + (y1 - y0 - cy) / 2;
                vFlag = vTop ? "bottom" : vBottom ? "top" : "bottom";
                break;
            default:
                x = leftSide ? x0 : right ? x1 : x0 + (x1 - x0 - cx) / 2;
                hFlag = right ? "right" : "left";
                y = vTop ? y0 : vBottom ? y1 : y0 + (y1 - y0 - cy) / 2;
                vFlag = vBottom ? "bottom" : "top";
                break;
            }
            ::SetTextAlign(*dc, AlignFlag(hFlag) | AlignFlag(vFlag));
            ::TextOutA(*dc, x, y, line.text, line.length);
            ::SetTextAlign(*dc, TA_BOTTOM);
            continue;
        }

        if (angle == 900 || angle == -900) {
            const int length = endsAtPoint ? 0 : std::min(cx, y1 - y0);
            const int y = vTop ? y0 : vBottom ? y1 - length : (y1 - y0) / 2 - length / 2 + y0;
            const int x = hLeft ? x0 + cy / 2 : hRight ? x1 - cy / 2 : x0 + (x1 - x0) / 2;
            ::MoveToEx(*dc, x, y, nullptr);
            ::LineTo(*dc, x, y + length);
        } else {
            const int length = endsAtPoint ? 0 : std::min(cx, x1 - x0);
            const int y = vTop ? y0 + cy / 2 : vBottom ? y1 - cy / 2 - 1 : y0 + (y1 - y0) / 2;
            const int x = hLeft ? x0 : hRight ? x1 - length : (x1 - x0) / 2 - length / 2 + x0;
            ::MoveToEx(*dc, x, y, nullptr);
            ::LineTo(*dc, x + length, y);
        }
    }
}

void CLabelRenderer::DrawObjectGuides(CDC* dc, int left, int top, int width, int height, const CString& surface)
{
    const double zoomFactor = m_zoom * 0.1;
    const float scale = PixelScale();
    int x = left, y = top;
    if (surface == "Back Cover") {
        x = ToPixels(zoomFactor, left, scale) - m_screen.back.left;
        y = ToPixels(zoomFactor, top, scale) - m_screen.back.top;
    } else if (surface == "Front Cover") {
        x = ToPixels(zoomFactor, left, scale) - m_screen.front.left;
        y = ToPixels(zoomFactor, top, scale) - m_screen.front.top;
    }
    const RECT frame{x, y, x + ToPixels(zoomFactor, width, scale), y + ToPixels(zoomFactor, height, scale)};
    CSelectGuard pen(*dc, ::GetStockObject(BLACK_PEN));
    InvertFrame(*dc, frame);
}
