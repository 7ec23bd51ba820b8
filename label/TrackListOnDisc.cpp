#include "label/LabelRenderer.h"

#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "label/DiscTextSupport.h"
#include "label/TextLayout.h"

#include <algorithm>
#include <vector>

using namespace DiscText;

namespace {

// One band of the ring: its bottom, the ring fit's outcome and its spans
// (right ends already less the italic overhang; -1 where a span is missing).
struct Band
{
    int bottom = 0;
    int outcome = 0;
    int leftStart = -1, leftEnd = -1;
    int rightStart = -1, rightEnd = -1;
    int leftWidth = 0, rightWidth = 0;  // as the ring fit measured them

    bool CrossesHole() const { return outcome != 0; }
    bool HasLeft() const { return leftStart >= 0; }
    bool HasRight() const { return rightStart >= 0; }
};

// The tracks a band's spans hold.
struct BandFill
{
    CString left;
    CString right;
};

// A run of spaces about as wide as an average character of the selected font.
CString MakeGap(HDC dc)
{
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    CString gap(" ");
    for (;;) {
        const int width = TextLayout::TextExtent(dc, gap).cx;
        if (width == 0 || width >= metrics.tmAveCharWidth)
            return gap;
        gap += ' ';
    }
}

enum class PassResult { Placed, Shrink };

// The smallest type a track list on a disc is set in: 2.5 points.
constexpr LONG kSmallestHeight = 25;

class DiscTrackLayout
{
public:
    DiscTrackLayout(CLabelRenderer& renderer, HDC dc, const DiscGeometry& disc, const ScreenScale& scale)
        : m_renderer(renderer), m_dc(dc), m_disc(disc), m_scale(scale), m_font(dc)
    {
    }

    void Run(LOGFONTA& font, CString& cache, const CString& trackList, int left, int top, int width, int height,
             const CString& verticalAlignment, BOOL trackNumbers, BOOL trackTimes, BOOL skipCenter,
             BOOL wrapTracks, bool placeWhatFits)
    {
        cache.Empty();
        const std::vector<TextLayout::Track> items = TextLayout::ParseTrackList(trackList);
        if (items.empty())
            return;
        m_skipCenter = skipCenter != FALSE;
        m_wrap = wrapTracks != FALSE;

        m_font.Select(font);
        const CString gap = MakeGap(m_dc);
        m_gap = gap + gap;
        auto trackText = [&](const CString& number, const CString& name, const CString& time) {
            CString text;
            if (trackNumbers)
                text += number + gap;
            text += name;
            if (trackTimes)
                text += gap + time;
            return text;
        };
        for (size_t i = 0; i < items.size(); ++i)
            m_tracks.push_back(trackText(IntToStr(static_cast<int>(i) + 1) + ".", items[i].name, items[i].time));
        CDC measuring(m_dc);
        CString number, name, time;
        m_renderer.FindWidestTrackParts(&measuring, trackList, number, name, time, true);
        const CString sample = trackText(number, name, time);
        m_font.Release();

        const int holeRadius = m_disc.innerDiameter / 2 + m_disc.textMargin;
        m_holeTop = m_disc.top + m_disc.outerDiameter / 2 - holeRadius;
        m_holeBottom = m_holeTop + 2 * holeRadius;
        m_boxLeft = left + 10;
        m_boxTop = top + 15;
        m_boxRight = left + width - 5;
        m_boxBottom = top + height;

        int available = height - 15;
        if (m_skipCenter && MeetsHole()) {
            const bool startsAbove = m_boxTop < m_holeTop;
            const bool endsBelow = m_boxBottom > m_holeBottom;
            if (startsAbove && endsBelow)
                available -= 2 * holeRadius;
            else if (startsAbove)
                available = m_holeTop - m_boxTop;
            else if (endsBelow)
                available = m_boxBottom - m_holeBottom;
            else
                return;  // the whole box lies in the hole's band
        }
        if (!m_renderer.FitFontToBox(&measuring, font, sample, width - 15, available, 1))
            return;

        int middleTrack = static_cast<int>(m_tracks.size()) / 2;
        for (;;) {
            m_font.Select(font);
            m_lineHeight = LineHeight(m_dc, m_scale);
            m_overhang = ItalicOverhang(m_dc, font, m_scale);
            m_onePixel = std::max(1, static_cast<int>(m_scale.perPixel));
            m_widths.clear();
            for (const CString& track : m_tracks)
                m_widths.push_back(Width(track));

            std::vector<CString> records;
            PassResult result = PassResult::Shrink;
            const bool smallest = font.lfHeight <= kSmallestHeight;
            if (m_lineHeight > 0) {
                if (verticalAlignment == "Bottom")
                    result = BottomPass(records);
                else if (verticalAlignment == "Center")
                    result = CentrePass(records, middleTrack);
                else
                    result = TopPass(records, false);
                // More tracks than the ring holds even in the smallest type:
                // the first ones, from the top, as many as find a place.
                if (result == PassResult::Shrink && smallest && placeWhatFits) {
                    records.clear();
                    result = TopPass(records, true);
                }
            }
            if (result == PassResult::Placed) {
                cache = IntToStr(font.lfHeight) + "`";
                for (const CString& record : records)
                    cache += record;
                return;
            }
            if (smallest)
                return;
            --font.lfHeight;
            middleTrack = static_cast<int>(m_tracks.size()) / 2;
        }
    }

private:
    int TrackCount() const { return static_cast<int>(m_tracks.size()); }
    int Width(const CString& text) const { return TextWidth(m_dc, text, m_scale); }
    bool MeetsHole() const { return m_boxTop < m_holeBottom && m_boxBottom > m_holeTop; }

    bool FitBand(int y, int widthNeeded, Band& band)
    {
        const RingFit fit = FitLineInDiscRing(y, widthNeeded, m_lineHeight, m_boxLeft, m_boxTop, m_boxRight,
                                              m_boxBottom, m_disc.left, m_disc.top, m_disc.outerDiameter,
                                              m_disc.innerDiameter, m_disc.textMargin);
        if (!fit.fits)
            return false;
        band = Band{};
        band.bottom = y;
        band.outcome = fit.outcome;
        if (fit.first.left >= 0) {
            band.leftStart = fit.first.left;
            band.leftEnd = fit.first.right - m_overhang;
            band.leftWidth = fit.first.right - fit.first.left;
        }
        if (fit.second.left >= 0) {
            band.rightStart = fit.second.left;
            band.rightEnd = fit.second.right - m_overhang;
            band.rightWidth = fit.second.right - fit.second.left;
        }
        return true;
    }

    // With "Skip Center" a band never ends inside the hole's band (once per pass).
    int SkipDown(int y)
    {
        if (m_skipCenter && !m_skipped && y > m_holeTop && y < m_holeBottom + m_lineHeight) {
            m_skipped = true;
            return m_holeBottom + m_lineHeight;
        }
        return y;
    }
    int SkipUp(int y)
    {
        if (m_skipCenter && !m_skipped && y > m_holeTop && y < m_holeBottom + m_lineHeight) {
            m_skipped = true;
            return m_holeTop;
        }
        return y;
    }

    std::vector<Band> CollectDown(int y)
    {
        std::vector<Band> bands;
        while (y < m_boxBottom) {
            Band band;
            if (FitBand(y, 0, band))
                bands.push_back(band);
            y = SkipDown(y + m_lineHeight);
        }
        return bands;
    }

    std::vector<Band> CollectUp(int y)
    {
        std::vector<Band> bands;
        while (y > m_boxTop + m_lineHeight) {
            Band band;
            if (FitBand(y, 0, band))
                bands.push_back(band);
            y = SkipUp(y - m_lineHeight);
        }
        return bands;
    }

    // A band through the hole with one side much narrower than the other
    // decides that only the wider side is used wherever the hole splits a band.
    void ChooseSides(std::vector<Band>& bands, bool lessOverhang)
    {
        for (const Band& band : bands) {
            if (band.outcome != 3)
                continue;
            const int left = lessOverhang ? band.leftEnd - band.leftStart : band.leftWidth;
            const int right = lessOverhang ? band.rightEnd - band.rightStart : band.rightWidth;
            const int narrower = std::min(left, right);
            const int wider = std::max(left, right);
            if (narrower >= 0.75 * wider)
                continue;
            m_sideMode = left < right ? 2 : 1;
            for (Band& other : bands) {
                if (other.outcome != 3)
                    continue;
                if (m_sideMode == 2)
                    other.leftStart = other.leftEnd = -1;
                else
                    other.rightStart = other.rightEnd = -1;
            }
            return;
        }
    }

    // Puts the next track (forward: appended; backward: in front) into a span
    // while it stays narrower than the span; without wrapping, one track at most.
    bool FillSpan(int start, int end, int& next, int step, CString& held, bool oneTrack)
    {
        bool placed = false;
        while (next >= 0 && next < TrackCount()) {
            if (!m_wrap && !held.IsEmpty())
                break;
            const CString& track = m_tracks[static_cast<size_t>(next)];
            const CString joined = held.IsEmpty() ? track : step > 0 ? held + m_gap + track : track + m_gap + held;
            if (Width(joined) >= end - start)
                break;
            held = joined;
            next += step;
            placed = true;
            if (oneTrack)
                break;
        }
        return placed;
    }

    bool SideUsable(const Band& band, bool leftSide) const
    {
        if (leftSide)
            return band.HasLeft() && !(m_sideMode == 2 && band.CrossesHole());
        return band.HasRight() && !(m_sideMode == 1 && band.CrossesHole());
    }

    void NoteSides(const Band& band, const BandFill& fill)
    {
        if (m_sideMode == 0 && band.CrossesHole()) {
            const bool left = !fill.left.IsEmpty();
            const bool right = !fill.right.IsEmpty();
            m_sideMode = left && right ? 3 : left ? 1 : 2;
        }
    }

    // Fills bands downwards from `first` with tracks from `next` on.
    void PlaceDown(const std::vector<Band>& bands, std::vector<BandFill>& fills, size_t first, int& next)
    {
        for (size_t i = first; i < bands.size() && next < TrackCount(); ++i) {
            const Band& band = bands[i];
            BandFill& fill = fills[i];
            if (SideUsable(band, true))
                FillSpan(band.leftStart, band.leftEnd, next, 1, fill.left, false);
            if (SideUsable(band, false))
                FillSpan(band.rightStart, band.rightEnd, next, 1, fill.right, false);
            if (fill.left.IsEmpty() && fill.right.IsEmpty())
                return;
            NoteSides(band, fill);
            if (m_sideMode == 3 && band.CrossesHole() && (fill.left.IsEmpty() || fill.right.IsEmpty()))
                return;
        }
    }

    // Fills bands upwards from `first` with tracks from `next` backwards; true
    // when it stopped at a band through the hole that the side mode leaves lopsided.
    bool PlaceUp(const std::vector<Band>& bands, std::vector<BandFill>& fills, int first, int& next)
    {
        for (int i = first; i >= 0; --i) {
            if (next < 0) {
                const Band& above = bands[static_cast<size_t>(i)];
                return above.CrossesHole() && (m_sideMode == 3 || m_sideMode == 2);
            }
            const Band& band = bands[static_cast<size_t>(i)];
            BandFill& fill = fills[static_cast<size_t>(i)];
            if (SideUsable(band, false))
                FillSpan(band.rightStart, band.rightEnd, next, -1, fill.right, false);
            if (SideUsable(band, true))
                FillSpan(band.leftStart, band.leftEnd, next, -1, fill.left, false);
            if (fill.left.IsEmpty() && fill.right.IsEmpty())
                return band.CrossesHole() && m_sideMode == 2;
            NoteSides(band, fill);
            if (m_sideMode == 3 && band.CrossesHole() && (fill.left.IsEmpty() || fill.right.IsEmpty()))
                return true;
        }
        return false;
    }

    static void AppendRecords(const Band& band, const BandFill& fill, std::vector<CString>& records)
    {
        if (!fill.left.IsEmpty())
            records.push_back(FormatRecord({fill.left, band.leftStart, band.leftEnd, band.bottom}));
        if (!fill.right.IsEmpty())
            records.push_back(FormatRecord({fill.right, band.rightStart, band.rightEnd, band.bottom}));
    }

    // keepWhatFits: the tracks placed count even when the bands ran out
    // before the last one.
    PassResult TopPass(std::vector<CString>& records, bool keepWhatFits)
    {
        m_sideMode = 0;
        m_skipped = false;
        int y = m_boxTop + m_lineHeight;
        Band band;
        while (!FitBand(y, m_widths.front() + m_overhang, band)) {
            y = SkipDown(y + m_onePixel);
            if (y > m_boxBottom)
                return PassResult::Shrink;
        }
        std::vector<Band> bands = CollectDown(y);
        ChooseSides(bands, false);
        std::vector<BandFill> fills(bands.size());
        int next = 0;
        PlaceDown(bands, fills, 0, next);
        if (next < TrackCount() && !(keepWhatFits && next > 0))
            return PassResult::Shrink;
        for (size_t i = 0; i < bands.size(); ++i)
            AppendRecords(bands[i], fills[i], records);
        return PassResult::Placed;
    }

    PassResult BottomPass(std::vector<CString>& records)
    {
        m_sideMode = 0;
        m_skipped = false;
        int y = m_boxBottom;
        Band band;
        while (!FitBand(y, m_widths.back() + m_overhang, band)) {
            y = SkipUp(y - m_onePixel);
            if (y < m_boxTop + m_lineHeight)
                return PassResult::Shrink;
        }
        std::vector<Band> bands = CollectUp(y);  // bottom band first
        ChooseSides(bands, false);
        std::reverse(bands.begin(), bands.end());
        std::vector<BandFill> fills(bands.size());
        int next = TrackCount() - 1;
        PlaceUp(bands, fills, static_cast<int>(bands.size()) - 1, next);
        if (next >= 0)
            return PassResult::Shrink;
        for (size_t i = bands.size(); i-- > 0;)
            AppendRecords(bands[i], fills[i], records);
        return PassResult::Placed;
    }

    PassResult CentrePass(std::vector<CString>& records, int& middleTrack)
    {
        m_sideMode = 0;
        m_skipped = false;
        const int middleBottom = m_boxTop + (m_boxBottom - m_boxTop) / 2 + m_lineHeight / 2;
        int y = middleBottom - ((middleBottom - m_boxTop) / m_lineHeight + 1) * m_lineHeight;
        if (m_skipCenter && MeetsHole()) {
            if (m_boxTop >= m_holeTop)
                y = m_holeBottom + m_lineHeight;
            else
                y = m_holeTop - ((m_holeTop - m_boxTop) / m_lineHeight) * m_lineHeight;
        }
        std::vector<Band> bands = CollectDown(y);

        long long capacity = 0;
        for (const Band& band : bands)
            capacity += (band.HasLeft() ? band.leftEnd - band.leftStart : 0) +
                        (band.HasRight() ? band.rightEnd - band.rightStart : 0);
        long long needed = 0;
        for (int width : m_widths)
            needed += width;
        if (bands.empty() || needed >= capacity)
            return PassResult::Shrink;

        size_t middle = 0;
        long long running = 0;
        for (; middle < bands.size(); ++middle) {
            const Band& band = bands[middle];
            running += (band.HasLeft() ? band.leftEnd - band.leftStart : 0) +
                       (band.HasRight() ? band.rightEnd - band.rightStart : 0);
            if (running > capacity / 2)
                break;
        }
        middle = std::min(middle, bands.size() - 1);
        ChooseSides(bands, true);
        const int chosenSides = m_sideMode;

        int lastMove = 0;
        bool lowerForced = false;
        for (;;) {
            m_sideMode = chosenSides;
            std::vector<BandFill> fills(bands.size());
            int down = middleTrack;
            int up = middleTrack - 1;
            const Band& centre = bands[middle];
            BandFill& centreFill = fills[middle];
            for (;;) {
                bool placed = false;
                if (centre.HasRight())
                    placed |= FillSpan(centre.rightStart, centre.rightEnd, down, 1, centreFill.right, true);
                if (centreFill.right.IsEmpty() && m_wrap && centre.HasLeft())
                    placed |= FillSpan(centre.leftStart, centre.leftEnd, down, 1, centreFill.left, true);
                if (centre.HasLeft() && up >= 0)
                    placed |= FillSpan(centre.leftStart, centre.leftEnd, up, -1, centreFill.left, true);
                if (centreFill.left.IsEmpty() && m_wrap && centre.HasRight() && up >= 0)
                    placed |= FillSpan(centre.rightStart, centre.rightEnd, up, -1, centreFill.right, true);
                if (!m_wrap || !placed)
                    break;
            }
            if (centreFill.left.IsEmpty() && centreFill.right.IsEmpty())
                return PassResult::Shrink;
            NoteSides(centre, centreFill);

            PlaceDown(bands, fills, middle + 1, down);
            const bool lopsidedAbove = PlaceUp(bands, fills, static_cast<int>(middle) - 1, up);

            bool lowerLeft = down < TrackCount();
            const bool upperLeft = up >= 0;
            if (!upperLeft && lopsidedAbove && !lowerForced) {
                lowerForced = true;
                lowerLeft = true;
            }
            if (!lowerLeft && !upperLeft) {
                for (size_t i = 0; i < bands.size(); ++i)
                    AppendRecords(bands[i], fills[i], records);
                return PassResult::Placed;
            }
            const int move = lowerLeft && !upperLeft ? 1 : !lowerLeft && upperLeft ? -1 : 0;
            if (move == 0 || (lastMove != 0 && move != lastMove))
                return PassResult::Shrink;
            middleTrack += move;
            lastMove = move;
            if (middleTrack < 0 || middleTrack > TrackCount())
                return PassResult::Shrink;
        }
    }

    CLabelRenderer& m_renderer;
    HDC m_dc;
    DiscGeometry m_disc;
    ScreenScale m_scale;
    CSelectedFont m_font;

    std::vector<CString> m_tracks;
    std::vector<int> m_widths;
    CString m_gap;  // two gaps: what joins tracks that share a span
    bool m_skipCenter = false;
    bool m_wrap = false;

    int m_holeTop = 0, m_holeBottom = 0;
    int m_boxLeft = 0, m_boxTop = 0, m_boxRight = 0, m_boxBottom = 0;
    int m_lineHeight = 0;
    int m_overhang = 0;
    int m_onePixel = 1;
    int m_sideMode = 0;  // 0 undecided, 1 left sides only, 2 right sides only, 3 both
    bool m_skipped = false;
};

}  // namespace

bool CLabelRenderer::DrawDiscTrackList(CDC* dc, LOGFONTA& font, CString& cache, const CString& trackList, int left,
                                      int top, int width, int height, const CString& horizontalAlignment,
                                      const CString& verticalAlignment, BOOL trackNumbers, BOOL trackTimes,
                                      BOOL skipCenter, BOOL wrapTracks, const CString& surface,
                                      bool placeWhatFits)
{
    return Guarded(26, Errors(), false, [&] {
        const HDC hdc = dc->GetSafeHdc();
        const DiscGeometry& disc = surface == "Disc 2" ? m_model->Geometry().disc2 : m_model->Geometry().disc1;
        const ScreenDisc& discPixels = surface == "Disc 2" ? m_screen.disc2 : m_screen.disc1;
        const ScreenScale scale = GetScreenScale();

        if (trackList.IsEmpty()) {
            cache.Empty();
        } else if (cache.IsEmpty()) {
            DiscTrackLayout layout(*this, hdc, disc, scale);
            layout.Run(font, cache, trackList, left, top, width, height, verticalAlignment, trackNumbers,
                       trackTimes, skipCenter, wrapTracks, placeWhatFits);
        }

        RenderDiscObject(*this, hdc, font, cache, disc, discPixels, scale,
                         RECT{left, top, left + width, top + height}, horizontalAlignment, false);
        return true;
    });
}
