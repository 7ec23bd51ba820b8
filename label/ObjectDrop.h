#pragma once
// Where a new object dragged from the object tool bar lands, without any
// window: which part of the page shown lies under the pointer, what the drag
// shows on the way, and the names and sizes the new objects get. All points
// and rectangles are in one pixel space (the tool bar's client coordinates).

#include "framework/String.h"

#include <windows.h>

#include <optional>

namespace ObjectDrop
{
// The tool bar's Add buttons, by index.
enum Button
{
    kAddArtist = 0,
    kAddTitle,
    kAddTrackList,
    kAddYear,
    kAddTotalTime,
    kAddGenre,
    kAddText,
    kAddImage,
    kButtonCount
};

// A disc's ring: between the ellipses inscribed in two rectangles.
struct Ring
{
    RECT outer{};
    RECT inner{};
    bool Contains(POINT p) const;
};

// The parts of the page shown that take a drop; a part missing from the page is absent.
struct DropParts
{
    std::optional<RECT> frontCover;
    std::optional<RECT> backCover;  // without its spine tabs
    std::optional<RECT> leftTab;
    std::optional<RECT> rightTab;
    std::optional<Ring> disc1;
    std::optional<Ring> disc2;  // only in a double layout
    RECT client{};              // the view's client area: nothing outside it takes a drop

    // Inside the union of the covers and rings, cut to the client area (the tabs
    // count only through the back cover's rectangle).
    bool InDropRegion(POINT p) const;
};

// What a drag shows while it moves.
enum class DragState { Outside, Inside, Tab };

// The state over `p`: a spine tab gives every button but Add Track List the
// tab (Add Image drops there as an ordinary image) wherever the pointer is;
// elsewhere the drop region, cut to the view, says Inside or Outside.
DragState StateAt(const DropParts& parts, POINT p, int button);

// Where a drop lands: the part passed to the view and the surface to show.
struct Target
{
    CString part;     // "Left Tab", "Right Tab" or the drag's own state ("Inside" or "Tab")
    CString surface;  // "Back Cover", "Front Cover", "Disc 1", "Disc 2"
};
// Tested in this order: left tab, right tab, back cover, front cover, disc 1,
// disc 2. `state` is the drag's state at the drop; none when nothing is there.
std::optional<Target> TargetAt(const DropParts& parts, POINT p, DragState state);

// The outline over a spine tab: upright, as wide as the tab less 2 pixels but
// no wider than the button was tall, as tall as the button was wide, centred on `p`.
RECT TabOutline(SIZE button, int tabWidth, POINT p);
// The button's outline centred on `p`.
RECT CenteredOutline(SIZE button, POINT p);

// The object a button creates: "Artist", "Title - Disc 2" ...; disc 0 is none.
// Empty for Add Image, which names nothing.
CString ObjectName(int button, int disc);
// Whether the button asks which disc the object belongs to on a double CD.
bool AsksForDisc(int button);

// A click's jitter from one random number: its last two decimal digits less 50.
int JitterOffset(unsigned int randomNumber);
}  // namespace ObjectDrop
