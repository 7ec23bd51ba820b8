#include "label/LabelRenderer.h"

#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "label/DiscTextSupport.h"
#include "label/TextLayout.h"

#include <vector>

using namespace DiscText;

namespace {

std::vector<CString> SplitLines(CString text, BOOL multiLine)
{
    std::vector<CString> lines;
    if (!multiLine) {
        text.Replace('\r', ' ');
        text.Remove('\n');
        lines.push_back(text);
        return lines;
    }
    return TextLayout::SplitTextLines(text);
}

// Places the lines band by band in the ring, shrinking the font until all
// of them find room; leaves the cache empty when even one point is too big.
void LayOutDiscText(CLabelRenderer& renderer, HDC dc, LOGFONTA& font, CString& cache, const CString& text, int left,
                    int top, int width, int height, const CString& horizontalAlignment,
                    const CString& verticalAlignment, BOOL multiLine, const DiscGeometry& disc,
                    const ScreenScale& scale)
{
    cache.Empty();
    const std::vector<CString> lines = SplitLines(text, multiLine);
    const int count = static_cast<int>(lines.size());

    CSelectedFont selected(dc);
    selected.Select(font);
    CString sample;
    int sampleWidth = -1;
    for (const CString& line : lines) {
        const int lineWidth = TextLayout::TextExtent(dc, line).cx;
        if (lineWidth > sampleWidth) {
            sampleWidth = lineWidth;
            sample = line;
        }
    }
    selected.Release();
    CDC measuring(dc);
    if (!renderer.FitFontToBox(&measuring, font, sample, width, height, count))
        return;

    const int bottom = top + height;
    const int onePixel = static_cast<int>(scale.perPixel);
    const bool goingUp = verticalAlignment == "Bottom";
    const bool centred = verticalAlignment == "Center";

    for (;;) {
        selected.Select(font);
        const int lineHeight = LineHeight(dc, scale);
        const int overhang = ItalicOverhang(dc, font, scale);

        std::vector<CString> records;
        int y = goingUp ? bottom : centred ? top + (height - lineHeight * count) / 2 + lineHeight : top + lineHeight;
        int index = goingUp ? count - 1 : 0;
        int placed = 0;
        bool done = false;
        for (;;) {
            const SIZE extent = TextLayout::TextExtent(dc, lines[static_cast<size_t>(index)]);
            const int lineWidth = static_cast<int>(static_cast<float>(extent.cx) * scale.perPixel);
            const int bandHeight = static_cast<int>(static_cast<float>(extent.cy) * scale.perPixel);
            const RingFit fit = FitLineInDiscRing(y, lineWidth, bandHeight, left, top, left + width, bottom, disc.left,
                                                  disc.top, disc.outerDiameter, disc.innerDiameter, disc.textMargin);
            if (fit.fits) {
                const bool rightSpan = fit.outcome == 2 || (fit.outcome == 3 && horizontalAlignment == "Right");
                const RingSpan& span = rightSpan ? fit.second : fit.first;
                CacheRecord record{lines[static_cast<size_t>(index)], span.left, span.right - overhang, y};
                if (goingUp)
                    records.insert(records.begin(), FormatRecord(record));
                else
                    records.push_back(FormatRecord(record));
                ++placed;
                y += goingUp ? -lineHeight : lineHeight;
                index += goingUp ? -1 : 1;
                if (placed == count) {
                    done = true;
                    break;
                }
                if (y > bottom || y < top + lineHeight)
                    break;
                continue;
            }
            // Only the first line may slide towards the middle to find room.
            if (placed == 0 && !centred) {
                y += goingUp ? -onePixel : onePixel;
                if (onePixel > 0 && y >= top + lineHeight && y <= bottom)
                    continue;
            }
            break;
        }
        if (done) {
            cache = IntToStr(font.lfHeight) + "`";
            for (const CString& record : records)
                cache += record;
            return;
        }
        if (font.lfHeight < 10) {
            cache.Empty();
            return;
        }
        --font.lfHeight;
    }
}

}  // namespace

bool CLabelRenderer::DrawDiscText(CDC* dc, LOGFONTA& font, CString& cache, const CString& text, int left, int top,
                                 int width, int height, const CString& horizontalAlignment,
                                 const CString& verticalAlignment, BOOL multiLine, const CString& surface)
{
    return Guarded(25, Errors(), false, [&] {
        const HDC hdc = dc->GetSafeHdc();
        const DiscGeometry& disc = surface == "Disc 2" ? m_model->Geometry().disc2 : m_model->Geometry().disc1;
        const ScreenDisc& discPixels = surface == "Disc 2" ? m_screen.disc2 : m_screen.disc1;
        const ScreenScale scale = GetScreenScale();

        if (text.IsEmpty())
            cache.Empty();
        else if (cache.IsEmpty())
            LayOutDiscText(*this, hdc, font, cache, text, left, top, width, height, horizontalAlignment,
                           verticalAlignment, multiLine, disc, scale);

        RenderDiscObject(*this, hdc, font, cache, disc, discPixels, scale,
                         RECT{left, top, left + width, top + height}, horizontalAlignment, true);
        return true;
    });
}

