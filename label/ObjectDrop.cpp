#include "label/ObjectDrop.h"

#include <algorithm>

namespace ObjectDrop
{
namespace
{
bool InRect(const std::optional<RECT>& rect, POINT p)
{
    return rect && ::PtInRect(&*rect, p);
}

// Inside the ellipse inscribed in `rect`.
bool InEllipse(const RECT& rect, POINT p)
{
    const double rx = (rect.right - rect.left) / 2.0;
    const double ry = (rect.bottom - rect.top) / 2.0;
    if (rx <= 0 || ry <= 0)
        return false;
    const double dx = (p.x + 0.5 - (rect.left + rx)) / rx;
    const double dy = (p.y + 0.5 - (rect.top + ry)) / ry;
    return dx * dx + dy * dy <= 1.0;
}

bool InRing(const std::optional<Ring>& ring, POINT p)
{
    return ring && ring->Contains(p);
}

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}
}  // namespace

bool Ring::Contains(POINT p) const
{
    return InEllipse(outer, p) && !InEllipse(inner, p);
}

bool DropParts::InDropRegion(POINT p) const
{
    if (!::PtInRect(&client, p))
        return false;
    return InRect(frontCover, p) || InRect(backCover, p) || InRing(disc1, p) || InRing(disc2, p);
}

DragState StateAt(const DropParts& parts, POINT p, int button)
{
    if (button != kAddTrackList && (InRect(parts.leftTab, p) || InRect(parts.rightTab, p)))
        return button == kAddImage ? DragState::Inside : DragState::Tab;
    return parts.InDropRegion(p) ? DragState::Inside : DragState::Outside;
}

std::optional<Target> TargetAt(const DropParts& parts, POINT p, DragState state)
{
    const CString own = state == DragState::Tab ? "Tab" : "Inside";
    if (InRect(parts.leftTab, p))
        return Target{state == DragState::Tab ? "Left Tab" : own, "Back Cover"};
    if (InRect(parts.rightTab, p))
        return Target{state == DragState::Tab ? "Right Tab" : own, "Back Cover"};
    if (InRect(parts.backCover, p))
        return Target{own, "Back Cover"};
    if (InRect(parts.frontCover, p))
        return Target{own, "Front Cover"};
    if (InRing(parts.disc1, p))
        return Target{own, "Disc 1"};
    if (InRing(parts.disc2, p))
        return Target{own, "Disc 2"};
    return std::nullopt;
}

RECT TabOutline(SIZE button, int tabWidth, POINT p)
{
    const int width = std::max(1, std::min(tabWidth - 2, static_cast<int>(button.cy)));
    const int height = button.cx;
    return RECT{p.x - width / 2, p.y - height / 2, p.x - width / 2 + width, p.y - height / 2 + height};
}

RECT CenteredOutline(SIZE button, POINT p)
{
    return RECT{p.x - button.cx / 2, p.y - button.cy / 2, p.x - button.cx / 2 + button.cx,
                p.y - button.cy / 2 + button.cy};
}

CString ObjectName(int button, int disc)
{
    static const char* const kNames[] = {"Artist", "Title", "Track List", "Year", "Time", "Genre", "Text"};
    if (button < 0 || button >= kAddImage)
        return CString();
    CString name = kNames[button];
    if (AsksForDisc(button) && (disc == 1 || disc == 2)) {
        CString suffix;
        suffix.Format(" - Disc %d", disc);
        name += suffix;
    }
    return name;
}

bool AsksForDisc(int button)
{
    return button >= 0 && button < kAddText;
}

int JitterOffset(unsigned int randomNumber)
{
    return static_cast<int>(randomNumber % 100) - 50;
}
}  // namespace ObjectDrop
