#pragma once
// The buttons of the view tool bar for a layout: the surface buttons (one more
// disc button for a double CD), zoom, the album button and the guides and
// pane switches, each image telling whether its pane or the guides are on.

#include <windows.h>

#include <vector>

struct ViewToolbarState {
    bool doubleLayout = false;
    bool guidesShown = false;
    bool textPaneShown = false;
    bool propertiesPaneShown = false;
    bool imagesPaneShown = false;
};

struct ViewToolbarButton {
    UINT command;  // 0 for a separator
    int image;     // -1 for a separator
};

std::vector<ViewToolbarButton> ViewToolbarButtons(const ViewToolbarState& state);

enum class FramePane { Text, Properties, Images };

// The pane's button in the view tool bar of the layout, and its image.
int ViewToolbarPaneIndex(FramePane pane, bool doubleLayout);
int ViewToolbarPaneImage(FramePane pane, bool shown);

// The Show Guides button's index in the layout, and its image.
int ViewToolbarGuidesIndex(bool doubleLayout);
int ViewToolbarGuidesImage(bool guidesShown);
