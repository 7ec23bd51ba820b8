#include "label/HitTest.h"

#include <algorithm>

namespace HitTest
{
namespace
{
constexpr double kPi = 3.14159;

bool Contains(const std::vector<CString>& names, const CString& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The row holding the first of the four box rows of an object, by item type;
// -1 for an item type that is never hit.
int FirstBoxRow(const CString& itemType)
{
    if (itemType == "Text" || itemType == "Track")
        return 5;
    if (itemType == "Image" || itemType == "Boundary")
        return 4;
    if (itemType == "Cover")
        return 2;
    if (itemType == "Page")
        return 3;
    return -1;
}

// The part a candidate lies on, from its "View" row's choices.
CString PartOf(const PropertyRows& rows, int first, int end, const CString& itemType)
{
    if (itemType == "Cover")
        return "Inside";
    if (itemType == "Page")
        return CString();
    for (int row = first; row < end; ++row)
        if (rows[static_cast<size_t>(row)].m_strKey == "View")
            return rows[static_cast<size_t>(row)].m_strChoices;
    return CString();
}
}  // namespace

bool InEllipse(const RECT& box, POINT point)
{
    const double width = static_cast<double>(box.right - box.left);
    const double height = static_cast<double>(box.bottom - box.top);
    if (width <= 0 || height <= 0)
        return false;
    const double dx = (point.x + 0.5 - box.left) / width * 2.0 - 1.0;
    const double dy = (point.y + 0.5 - box.top) / height * 2.0 - 1.0;
    return dx * dx + dy * dy <= 1.0;
}

Hit BestHit(const PropertyRows& rows, const std::vector<DiscRing>& discs, const Probe& probe,
            const std::vector<CString>& skip)
{
    double bestArea = 1e10;
    Hit best;
    for (const DiscRing& disc : discs) {
        if (!disc.onPage || Contains(skip, disc.name))
            continue;
        if (InEllipse(disc.outer, probe.screen) && !InEllipse(disc.inner, probe.screen)) {
            const int radius = disc.outerDiameter / 2;
            bestArea = static_cast<double>(radius * radius) * kPi;
            best = Hit{disc.name, "Inside"};
        }
    }

    if (probe.label.x < 0 || probe.label.y < 0 || probe.label.x > probe.paper.cx || probe.label.y > probe.paper.cy)
        return Hit{};

    const int count = static_cast<int>(rows.size());
    for (int row = 1; row < count; ++row) {
        const PropertyEntry& pageRow = rows[static_cast<size_t>(row)];
        if (pageRow.m_strKey != "Page" || pageRow.m_strValue != probe.page)
            continue;
        const CString& name = pageRow.m_strObjectName;
        const int first = row - 1;
        const PropertyEntry& typeRow = rows[static_cast<size_t>(first)];
        // A "Page" row that is not the second row of its object is no candidate.
        if (typeRow.m_strObjectName != name || typeRow.m_strKey != "Item Type")
            continue;
        const int end = LabelRows::EndOfObject(rows, first);
        if (name == "Disc 1" || name == "Disc 2" || Contains(skip, name)) {
            row = std::max(row, end - 1);
            continue;
        }
        const int boxRow = FirstBoxRow(typeRow.m_strValue);
        if (boxRow >= 0 && first + boxRow + 3 < end) {
            auto length = [&](int offset) {
                return LabelRows::ReadLength(rows[static_cast<size_t>(first + boxRow + offset)].m_strValue);
            };
            const int left = length(0);
            const int top = length(1);
            const int right = left + length(2);
            const int bottom = top + length(3);
            if (left <= probe.label.x && probe.label.x <= right && top <= probe.label.y && probe.label.y <= bottom) {
                const double area = static_cast<double>(bottom - top) * static_cast<double>(right - left);
                if (area <= bestArea) {
                    bestArea = area;
                    best = Hit{name, PartOf(rows, first, end, typeRow.m_strValue)};
                }
            }
        }
        row = std::max(row, end - 1);
    }
    return best;
}

std::vector<CString> AllHits(const PropertyRows& rows, const std::vector<DiscRing>& discs, const Probe& probe)
{
    std::vector<CString> hits;
    for (;;) {
        const Hit hit = BestHit(rows, discs, probe, hits);
        if (hit.name.IsEmpty() || Contains(hits, hit.name))
            return hits;
        hits.push_back(hit.name);
    }
}

void DropPageUnlessAlone(std::vector<CString>& hits)
{
    for (size_t i = 1; i < hits.size(); ++i)
        if (hits[i] == "Page 1" || hits[i] == "Page 2" || hits[i] == "Page 3") {
            hits.erase(hits.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

void ApplyPrecedence(std::vector<CString>& hits)
{
    DropPageUnlessAlone(hits);
    // A part drops the whole it lies on when it was hit first.
    auto dropWhole = [&](std::initializer_list<const char*> parts, const char* whole) {
        const auto wholeAt = std::find(hits.begin(), hits.end(), CString(whole));
        if (wholeAt == hits.end())
            return;
        const bool partBefore = std::any_of(hits.begin(), wholeAt, [&](const CString& name) {
            return std::any_of(parts.begin(), parts.end(), [&](const char* part) { return name == part; });
        });
        if (partBefore)
            hits.erase(wholeAt);
    };
    dropWhole({"Front Cover (Inside)"}, "Front Cover");
    dropWhole({"Left Tab", "Right Tab"}, "Back Cover");
}

CString SmallerObjectAbove(const PropertyRows& rows, const std::vector<CString>& hits, const CString& selected)
{
    const auto at = std::find(hits.begin(), hits.end(), selected);
    if (at == hits.end())
        return CString();
    for (auto hit = hits.begin(); hit != at; ++hit) {
        const int first = LabelRows::FindObjectRow(rows, *hit);
        if (first < 0)
            continue;
        const CString& itemType = rows[static_cast<size_t>(first)].m_strValue;
        if (itemType == "Text" || itemType == "Track" || itemType == "Image")
            return *hit;
    }
    return CString();
}

CString ChooseHit(const std::vector<CString>& hits, const std::vector<CString>& previousHits,
                  const CString& selected, bool surfaceJustSwitched)
{
    if (hits.empty())
        return CString();
    if (surfaceJustSwitched || hits != previousHits)
        return hits.front();
    const auto at = std::find(hits.begin(), hits.end(), selected);
    if (at == hits.end() || at + 1 == hits.end())
        return hits.front();
    return *(at + 1);
}
}  // namespace HitTest
