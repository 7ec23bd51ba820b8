#include "view/CalibrationSheet.h"

#include <algorithm>

namespace
{
// Body sizes tried, largest first; the title is this much larger.
constexpr int kBodyPoints[] = {9, 8, 7, 6};
constexpr int kTitleLarger = 6;

bool Overlaps(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

long long Area(const RECT& rect)
{
    return static_cast<long long>(rect.right - rect.left) * (rect.bottom - rect.top);
}

// The free rectangles of the area whose edges lie on the area's or the
// keep-outs' edges and that cannot grow to the next edge on any side,
// largest first.
std::vector<RECT> FreePlaces(const RECT& area, const std::vector<RECT>& keepOut)
{
    auto isFree = [&](const RECT& place) {
        return std::none_of(keepOut.begin(), keepOut.end(), [&](const RECT& rect) { return Overlaps(place, rect); });
    };
    std::vector<int> xs{area.left, area.right};
    std::vector<int> ys{area.top, area.bottom};
    for (const RECT& rect : keepOut) {
        for (const int x : {rect.left, rect.right})
            if (x > area.left && x < area.right)
                xs.push_back(x);
        for (const int y : {rect.top, rect.bottom})
            if (y > area.top && y < area.bottom)
                ys.push_back(y);
    }
    for (std::vector<int>* edges : {&xs, &ys}) {
        std::sort(edges->begin(), edges->end());
        edges->erase(std::unique(edges->begin(), edges->end()), edges->end());
    }
    std::vector<RECT> places;
    for (size_t left = 0; left < xs.size(); ++left)
        for (size_t right = left + 1; right < xs.size(); ++right)
            for (size_t top = 0; top < ys.size(); ++top)
                for (size_t bottom = top + 1; bottom < ys.size(); ++bottom) {
                    const RECT place{xs[left], ys[top], xs[right], ys[bottom]};
                    if (!isFree(place))
                        continue;
                    const bool grows = (left > 0 && isFree(RECT{xs[left - 1], place.top, place.right, place.bottom})) ||
                                       (right + 1 < xs.size() &&
                                        isFree(RECT{place.left, place.top, xs[right + 1], place.bottom})) ||
                                       (top > 0 && isFree(RECT{place.left, ys[top - 1], place.right, place.bottom})) ||
                                       (bottom + 1 < ys.size() &&
                                        isFree(RECT{place.left, place.top, place.right, ys[bottom + 1]}));
                    if (!grows)
                        places.push_back(place);
                }
    std::stable_sort(places.begin(), places.end(), [](const RECT& a, const RECT& b) { return Area(a) > Area(b); });
    return places;
}

// Wraps the text at its spaces into lines no wider than `width`; false when
// a word alone is wider.
bool Wrap(const std::string& text, int points, int width, const MeasureText& measure, std::vector<std::string>& out)
{
    std::string line;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty())
            continue;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (measure(longer, points).cx <= width) {
            line = longer;
            continue;
        }
        if (line.empty() || measure(word, points).cx > width)
            return false;
        out.push_back(line);
        line = word;
    }
    out.push_back(line);
    return true;
}

// The title and lines laid out in `place`; empty when they do not fit, or,
// with `cut`, as many as fit.
std::vector<PlacedLine> LayOut(const std::string& title, const std::vector<std::string>& lines, const RECT& place,
                               int points, bool cut, const MeasureText& measure)
{
    const int width = place.right - place.left;
    std::vector<PlacedLine> placed;
    int y = place.top;
    std::vector<std::string> titleLines;
    if (!Wrap(title, points + kTitleLarger, width, measure, titleLines) && !cut)
        return {};
    for (const std::string& line : titleLines) {
        const int height = measure(line, points + kTitleLarger).cy;
        if (y + height > place.bottom)
            return cut ? placed : std::vector<PlacedLine>{};
        placed.push_back(PlacedLine{line, POINT{place.left, y}, points + kTitleLarger});
        y += height;
    }
    // One step per line: the title's height in the body's size.
    const int step = measure(title, points).cy;
    for (const std::string& text : lines) {
        std::vector<std::string> wrapped;
        if (!Wrap(text, points, width, measure, wrapped) && !cut)
            return {};
        for (const std::string& line : wrapped) {
            if (y + step > place.bottom)
                return cut ? placed : std::vector<PlacedLine>{};
            if (!line.empty())
                placed.push_back(PlacedLine{line, POINT{place.left, y}, points});
            y += step;
        }
    }
    return placed;
}
}  // namespace

SheetTurn SheetTurnOf(bool landscape, int landscapeDegrees)
{
    if (!landscape)
        return SheetTurn::None;
    // Turned 270 degrees the sheet's x axis runs down the paper; 90 degrees
    // (most drivers, and the default) it runs up.
    return landscapeDegrees == 270 ? SheetTurn::TopAtLeft : SheetTurn::TopAtRight;
}

SIZE PaperFrame::Paper() const
{
    return m_turn == SheetTurn::None ? m_sheet : SIZE{m_sheet.cy, m_sheet.cx};
}

POINT PaperFrame::ToSheet(POINT onPaper) const
{
    switch (m_turn) {
    case SheetTurn::TopAtLeft: return POINT{onPaper.y, m_sheet.cy - onPaper.x};
    case SheetTurn::TopAtRight: return POINT{m_sheet.cx - onPaper.y, onPaper.x};
    default: return onPaper;
    }
}

RECT PaperFrame::ToPaper(const RECT& onSheet) const
{
    auto toPaper = [&](POINT p) {
        switch (m_turn) {
        case SheetTurn::TopAtLeft: return POINT{m_sheet.cy - p.y, p.x};
        case SheetTurn::TopAtRight: return POINT{p.y, m_sheet.cx - p.x};
        default: return p;
        }
    };
    const POINT a = toPaper(POINT{onSheet.left, onSheet.top});
    const POINT b = toPaper(POINT{onSheet.right, onSheet.bottom});
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

int PaperFrame::Escapement() const
{
    switch (m_turn) {
    case SheetTurn::TopAtLeft: return 900;
    case SheetTurn::TopAtRight: return 2700;
    default: return 0;
    }
}

std::vector<PlacedLine> PlaceInstructions(const std::string& title, const std::vector<std::string>& lines,
                                          const RECT& area, const std::vector<RECT>& keepOut,
                                          const MeasureText& measure)
{
    const std::vector<RECT> places = FreePlaces(area, keepOut);
    if (places.empty())
        return {};
    for (const int points : kBodyPoints)
        for (const RECT& place : places)
            if (std::vector<PlacedLine> placed = LayOut(title, lines, place, points, false, measure); !placed.empty())
                return placed;
    return LayOut(title, lines, places.front(), kBodyPoints[std::size(kBodyPoints) - 1], true, measure);
}
