#pragma once
// The label the view benchmark draws: a new single or double layout on the
// built-in label papers with its album texts filled in (a 20-track list per
// disc), the text and track-list objects a finished insert carries on every
// surface, and one large photo set as the background of every surface.

#include "framework/String.h"

#include <memory>

class CLabelModel;
class CLabelRenderer;
class CxImage;

// The number of tracks in every track list of the label.
constexpr int kBenchTracks = 20;

// Fills an empty model with the label: `layout` is "Single" or "Double"; the
// picture becomes the view's image 0. The view must hold its label papers.
void BuildBenchLabel(CLabelModel& model, const CString& layout, std::unique_ptr<CxImage> picture);

// Adds `count` copies of the front cover's title object in a grid over the
// front cover, with empty layout caches.
void AddFrontCoverTexts(CLabelModel& model, int count);

// A title over the whole outside of the front cover (its right half when the
// cover folds): a click anywhere there selects it.
void AddOutsideTitle(CLabelModel& model);

// Removes every text, track-list and image object drawn on the named surface.
void RemoveObjectsOfSurface(CLabelModel& model, const CString& surface);

// Empties the layout cache ("Vector Data") of every object.
void EmptyLayoutCaches(CLabelModel& model);

// Also forgets what the text drawing remembers between redraws (zoomed heights,
// widest lines, the realized fonts): the next redraw is the label's first.
void EmptyEveryTextCache(CLabelModel& model, CLabelRenderer& renderer);

// Of the text and track-list objects on the page shown: how many there are and
// how many hold a layout.
struct LayoutCount
{
    int objects = 0;
    int laidOut = 0;
};
LayoutCount CountLayouts(const CLabelModel& model);
