#pragma once
// The label the view benchmark draws: a new single or double layout on the
// built-in label papers with its album texts filled in (a 20-track list per
// disc), the text and track-list objects a finished insert carries on every
// surface, and one large photo set as the background of every surface.

#include "framework/String.h"

#include <memory>

class CQuorbel6View;
class CxImage;

// The number of tracks in every track list of the label.
constexpr int kBenchTracks = 20;

// Fills the view's model with the label: `layout` is "Single" or "Double"; the
// picture becomes the view's image 0. The view must hold its label papers.
void BuildBenchLabel(CQuorbel6View& view, const CString& layout, std::unique_ptr<CxImage> picture);

// Adds `count` copies of the front cover's title object in a grid over the
// front cover, with empty layout caches.
void AddFrontCoverTexts(CQuorbel6View& view, int count);

// Removes every text, track-list and image object drawn on the named surface.
void RemoveObjectsOfSurface(CQuorbel6View& view, const CString& surface);

// Empties the layout cache ("Vector Data") of every object.
void EmptyLayoutCaches(CQuorbel6View& view);

// Also forgets what the text drawing remembers between redraws (zoomed heights,
// widest lines, the realized fonts): the next redraw is the label's first.
void EmptyEveryTextCache(CQuorbel6View& view);

// Of the text and track-list objects on the page shown: how many there are and
// how many hold a layout.
struct LayoutCount
{
    int objects = 0;
    int laidOut = 0;
};
LayoutCount CountLayouts(const CQuorbel6View& view);
