// Track lists on the covers: numbers, names and times in columns, or tracks
// wrapped into rows, laid out once into "Vector Data" and drawn at the zoom.
#include "framework/ErrorReport.h"
#include "label/LabelRenderer.h"
#include "label/TextLayout.h"

#include <stdexcept>
#include <vector>

using namespace TextLayout;

namespace
{
constexpr int kLineEndMargin = 15;    // thousandths of an inch at each end of a line
constexpr int kMinWrapHeight = 25;    // 2.5 points: wrapping gives up below it
constexpr double kItalicOverhang = 0.14;
constexpr int kLongestGap = 64;       // spaces; guards a font whose spaces hardly grow

// Spaces until the run is as wide as the font's average character.
CString MakeGap(HDC dc)
{
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    CString gap = " ";
    while (gap.GetLength() < kLongestGap) {
        const int width = TextExtent(dc, gap).cx;
        if (width == 0 || width >= metrics.tmAveCharWidth)
            break;
        gap += ' ';
    }
    return gap;
}

CString NumberText(size_t index)
{
    CString number;
    number.Format("%d.", static_cast<int>(index) + 1);
    return number;
}

int LabelWidth(HDC dc, const CString& text, float scale) { return Trunc(TextExtent(dc, text).cx * scale); }
}  // namespace

bool CLabelRenderer::DrawTrackList(CDC* dc, LOGFONTA& font, CString& cache, const CString& trackList, int left,
                                  int top, int width, int height, const CString& horizontalAlignment,
                                  const CString& verticalAlignment, bool trackNumbers, bool trackTimes,
                                  bool offsetNumbers, const CString& surface, bool wrapTracks)
{
    return Guarded(28, Errors(), false, [&] {
        font.lfEscapement = 0;
        if (trackList.IsEmpty())
            cache.Empty();
        if (cache.IsEmpty() && !trackList.IsEmpty()) {
            const float scale = ScreenScale();
            const std::vector<Track> tracks = ParseTrackList(trackList);
            const int trackCount = static_cast<int>(tracks.size());

            CString sample, widestNumber, widestName, widestTime, gap;
            {
                CFont stored;
                if (!CreateFontFor(stored, font, *dc))
                    throw std::runtime_error("font");
                CSelectGuard selected(*dc, stored);
                FindWidestTrackParts(dc, trackList, widestNumber, widestName, widestTime, false);
                gap = MakeGap(*dc);
            }
            if (trackNumbers)
                sample += widestNumber + gap;
            sample += widestName;
            if (trackTimes)
                sample += gap + widestTime;

            if (!FitFontToBox(dc, font, sample, width, height, wrapTracks ? 1 : trackCount)) {
                cache.Empty();
            } else {
                CFont fitted;
                if (!CreateFontFor(fitted, font, *dc))
                    throw std::runtime_error("font");
                CSelectGuard fittedSelected(*dc, fitted);
                int lineHeight = Trunc(TextExtent(*dc, sample).cy * scale);
                const int numberWidth = LabelWidth(*dc, widestNumber, scale);
                const int timeWidth = LabelWidth(*dc, widestTime, scale);
                const int gapWidth = LabelWidth(*dc, gap, scale);
                const int columnLeft = left + kLineEndMargin;
                int columnRight = left + width - kLineEndMargin;
                if (font.lfItalic)
                    columnRight -= Trunc(kItalicOverhang * MaxCharWidth(*dc) * scale);

                cache.Format("%d`", static_cast<int>(font.lfHeight));
                if (!wrapTracks) {
                    int y0 = top;
                    int y1 = top + height - (trackCount - 1) * lineHeight;
                    for (int i = 0; i < trackCount; ++i) {
                        const Track& track = tracks[static_cast<size_t>(i)];
                        const CString number = NumberText(static_cast<size_t>(i));
                        if (offsetNumbers) {
                            if (trackNumbers)
                                AppendCacheLine(cache, number, columnLeft + numberWidth, columnLeft + numberWidth,
                                                y0, y1);
                            AppendCacheLine(cache, track.name,
                                            trackNumbers ? columnLeft + numberWidth + gapWidth : columnLeft,
                                            trackTimes ? columnRight - gapWidth - timeWidth : columnRight, y0, y1);
                            if (trackTimes)
                                AppendCacheLine(cache, track.time, columnRight, columnRight, y0, y1);
                        } else {
                            CString line;
                            if (trackNumbers)
                                line += number + gap;
                            line += track.name;
                            if (trackTimes)
                                line += gap + track.time;
                            // Shifted by what its number is narrower than the widest,
                            // so that the numbers end in one column.
                            const int x0 = trackNumbers ? columnLeft + numberWidth - LabelWidth(*dc, number, scale)
                                                        : columnLeft;
                            AppendCacheLine(cache, line, x0, columnRight, y0, y1);
                        }
                        y0 += lineHeight;
                        y1 += lineHeight;
                    }
                } else {
                    std::vector<CString> texts;
                    for (size_t i = 0; i < tracks.size(); ++i) {
                        CString text;
                        if (trackNumbers)
                            text += NumberText(i) + gap;
                        text += tracks[i].name;
                        if (trackTimes)
                            text += gap + tracks[i].time;
                        texts.push_back(text);
                    }
                    // Fill rows; when the tracks overrun the box, one tenth of a
                    // point smaller and again from the first track.
                    LOGFONTA current = font;
                    CFont shrunk;
                    std::vector<CString> rows;
                    for (;;) {
                        size_t next = 0;
                        {
                            CSelectGuard shrunkSelected(*dc, shrunk.IsValid() ? shrunk.Get() : nullptr);
                            lineHeight = Trunc(TextExtent(*dc, sample).cy * scale);
                            rows.clear();
                            for (int cursor = top + lineHeight; cursor < top + height && next < texts.size();
                                 cursor += lineHeight) {
                                CString row = texts[next++];
                                while (next < texts.size()) {
                                    const CString longer = row + gap + gap + texts[next];
                                    if (LabelWidth(*dc, longer, scale) >= columnRight - columnLeft)
                                        break;
                                    row = longer;
                                    ++next;
                                }
                                rows.push_back(row);
                                if (lineHeight <= 0)
                                    break;
                            }
                        }
                        if (next >= texts.size())
                            break;
                        if (current.lfHeight - 1 < kMinWrapHeight) {
                            rows.clear();
                            break;  // the height alone stays in the cache
                        }
                        --current.lfHeight;
                        if (!CreateFontFor(shrunk, current, *dc))
                            throw std::runtime_error("font");
                    }
                    font.lfHeight = current.lfHeight;
                    cache.Format("%d`", static_cast<int>(font.lfHeight));
                    const int rowCount = static_cast<int>(rows.size());
                    for (int r = 0; r < rowCount; ++r)
                        AppendCacheLine(cache, rows[static_cast<size_t>(r)], columnLeft, columnRight,
                                        top + r * lineHeight, top + height - (rowCount - 1 - r) * lineHeight);
                }
            }
        }
        if (!cache.IsEmpty())
            RenderFlatLayout(dc, font, cache, horizontalAlignment, verticalAlignment, surface, true);
        if (m_options.objectGuides)
            DrawObjectGuides(dc, left, top, width, height, surface);
        return true;
    });
}
