// Sizing text: widest track parts, fitting a font into a box, the screen font
// for the zoom, shifting a layout cache, and the printer font of a track list.
#include "framework/ErrorReport.h"
#include "label/LabelRenderer.h"
#include "label/TextLayout.h"

#include <cstdlib>
#include <stdexcept>

using namespace TextLayout;

namespace
{
// The lowest fitted height: one point.
constexpr int kMinFitHeight = 10;
// Below this zoomed height (2.5 points) text is drawn as strokes.
constexpr int kMinZoomedHeight = 25;
// The slant of an italic font reaches this share of its widest character.
constexpr double kItalicOverhang = 0.14;

// Width (with the italic overhang) and height of a text in thousandths of an inch.
struct Measured
{
    int width = 0;
    int height = 0;
};

Measured MeasureInFont(HDC dc, const LOGFONTA& description, const CString& text)
{
    CFont font;
    if (!CreateFontFor(font, description, dc))
        throw std::runtime_error("font");
    CSelectGuard selected(dc, font);
    const SIZE size = TextExtent(dc, text);
    const float scale = ScreenScale();
    Measured measured;
    measured.width = Trunc(size.cx * scale);
    if (description.lfItalic)
        measured.width += Trunc(MaxCharWidth(dc) * kItalicOverhang * scale);
    measured.height = Trunc(size.cy * scale);
    return measured;
}

int WidthInFont(HDC dc, const LOGFONTA& description, const CString& text)
{
    CFont font;
    if (!CreateFontFor(font, description, dc))
        throw std::runtime_error("font");
    CSelectGuard selected(dc, font);
    return TextExtent(dc, text).cx;
}
}  // namespace

void CLabelRenderer::FindWidestTrackParts(CDC* dc, const CString& trackList, CString& number, CString& name,
                                         CString& time, bool combined)
{
    number.Empty();
    name.Empty();
    time.Empty();
    Guarded(34, Errors(), [&] {
        const std::vector<Track> tracks = ParseTrackList(trackList);
        int widestLine = -1, widestNumber = -1, widestName = -1, widestTime = -1;
        for (size_t i = 0; i < tracks.size(); ++i) {
            CString numberText;
            numberText.Format("%d.", static_cast<int>(i) + 1);
            const Track& track = tracks[i];
            if (combined) {
                const int width = TextExtent(*dc, numberText + track.name + track.time).cx;
                if (width > widestLine) {
                    widestLine = width;
                    number = numberText;
                    name = track.name;
                    time = track.time;
                }
                continue;
            }
            const int numberWidth = TextExtent(*dc, numberText).cx;
            if (numberWidth > widestNumber) {
                widestNumber = numberWidth;
                number = numberText;
            }
            const int nameWidth = TextExtent(*dc, track.name).cx;
            if (nameWidth > widestName) {
                widestName = nameWidth;
                name = track.name;
            }
            const int timeWidth = TextExtent(*dc, track.time).cx;
            if (timeWidth > widestTime) {
                widestTime = timeWidth;
                time = track.time;
            }
        }
    });
}

bool CLabelRenderer::FitFontToBox(CDC* dc, LOGFONTA& font, const CString& text, int boxWidth, int boxHeight,
                                 int lineCount)
{
    return Guarded(12, Errors(), false, [&] {
        Measured measured = MeasureInFont(*dc, font, text);
        if (measured.width > boxWidth) {
            if (boxWidth <= 0)
                return false;
            const int proportional = Trunc(font.lfHeight / (static_cast<double>(measured.width) / boxWidth)) + 10;
            if (proportional < kMinFitHeight)
                return false;
            font.lfHeight = proportional;
            measured = MeasureInFont(*dc, font, text);
        }
        while (measured.width > boxWidth) {
            if (font.lfHeight - 1 < kMinFitHeight)
                return false;
            --font.lfHeight;
            measured = MeasureInFont(*dc, font, text);
        }
        while (static_cast<long long>(measured.height) * lineCount > boxHeight) {
            if (font.lfHeight - 1 < kMinFitHeight)
                return false;
            --font.lfHeight;
            measured = MeasureInFont(*dc, font, text);
        }
        return true;
    });
}

void CLabelRenderer::GetZoomedFontHeight(CDC* dc, LOGFONTA& font, const CString& text)
{
    Guarded(10, Errors(), [&] {
        // Every redraw asks again for the same font, text and zoom: the search
        // runs once, and the fonts it tries are kept for the next search.
        auto width = [&](const LOGFONTA& description) {
            const HFONT handle = m_fonts.Get(description, *dc);
            if (!handle)
                throw std::runtime_error("font");
            CSelectGuard selected(*dc, handle);
            return TextExtent(*dc, text).cx;
        };
        font.lfHeight = m_textRedraw.m_measures.ZoomedHeight(*dc, font, text, m_zoom, [&] {
            const double factor = m_zoom * 0.1;
            const int targetWidth = Trunc(factor * width(font));
            font.lfHeight = Trunc(factor * font.lfHeight);
            if (font.lfHeight < kMinZoomedHeight)
                return font.lfHeight;
            while (width(font) > targetWidth && font.lfHeight - 1 >= kMinZoomedHeight)
                --font.lfHeight;
            return font.lfHeight;
        });
    });
}

void CLabelRenderer::ShiftLayoutCache(CString& cache, const CString& axis, int offset)
{
    Guarded(48, Errors(), [&] {
        const bool horizontal = axis == "Left";
        if (!horizontal && axis != "Top")
            return;
        std::vector<CString> fields = SplitFields(cache);
        if (fields.empty())
            return;
        // Whatever follows the last backtick is kept as it is.
        int consumed = 0;
        for (const CString& field : fields)
            consumed += field.GetLength() + 1;
        const CString tail = cache.Mid(consumed);

        for (size_t i = 1; i + 5 <= fields.size(); i += 5) {
            const size_t first = horizontal ? i + 1 : i + 3;
            for (size_t k = first; k < first + 2; ++k) {
                if (fields[k].IsEmpty())
                    continue;  // a disc line has no top
                fields[k].Format("%d", std::atoi(fields[k]) + offset);
            }
        }
        CString shifted;
        for (const CString& field : fields)
            shifted += field + "`";
        cache = shifted + tail;
    });
}

void CLabelRenderer::MeasureTrackList(CDC* target, LOGFONTA& font, const CString& cache)
{
    Guarded(9, Errors(), [&] {
        CMemoryDC measuring(nullptr);
        measuring.SetMapMode(MM_TEXT);
        CString widest;
        int referenceWidth = 0;
        {
            CFont screenFont;
            if (!CreateFontFor(screenFont, font, measuring))
                throw std::runtime_error("font");
            CSelectGuard selected(measuring, screenFont);
            SIZE extent{};
            widest = WidestCacheLine(measuring, cache, &extent);
            referenceWidth = Trunc(extent.cx * ScreenScale());
        }
        while (WidthInFont(*target, font, widest) > referenceWidth && font.lfHeight > 1)
            --font.lfHeight;
    });
}

CString CLabelRenderer::MeasureTextBlock(CDC* dc, const CString& text, int* lineCount)
{
    *lineCount = 1;
    return Guarded(33, Errors(), CString(), [&] {
        const std::vector<CString> lines = SplitTextLines(text);
        *lineCount = static_cast<int>(lines.size());
        CString widest;
        int widestWidth = 0;
        for (const CString& line : lines) {
            const int width = TextLayout::TextExtent(*dc, line).cx;
            if (width > widestWidth) {
                widestWidth = width;
                widest = line;
            }
        }
        return widest;
    });
}

void CLabelRenderer::FindWidestCachedLine(CDC* dc, const CString& cache, CString& widest, SIZE& size)
{
    widest.Empty();
    size = SIZE{0, 0};
    Guarded(36, ErrorSink::App(), [&] { widest = TextLayout::WidestCacheLine(*dc, cache, &size); });
}
