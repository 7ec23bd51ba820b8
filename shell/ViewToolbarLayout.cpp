#include "shell/ViewToolbarLayout.h"

#include "resource.h"

namespace {

constexpr ViewToolbarButton kSeparator{0, -1};
// The disc label's picture shows one disc for a single CD, the first of two for a double.
constexpr int kSingleDiscImage = 2;
constexpr int kFirstOfTwoDiscsImage = 12;
constexpr int kSecondDiscImage = 13;
// Index of the Text pane's button with a single CD; a double CD's extra disc
// button moves it, and the buttons after it, one place on.
constexpr int kFirstPaneIndexSingle = 10;
constexpr int kGuidesIndexSingle = 9;
constexpr int kGuidesShownImage = 6;
constexpr int kGuidesHiddenImage = 7;

struct PaneButton {
    FramePane pane;
    UINT command;
    int shownImage;  // the hidden image is the next one
};

constexpr PaneButton kPaneButtons[] = {
    {FramePane::Text, ID_VIEW_TEXT_EDITOR, 8},
    {FramePane::Properties, ID_VIEW_PROPERTIES, 10},
    {FramePane::Images, ID_VIEW_IMAGES, 14},
};

const PaneButton& ButtonOf(FramePane pane)
{
    for (const PaneButton& button : kPaneButtons) {
        if (button.pane == pane)
            return button;
    }
    return kPaneButtons[0];
}

bool IsShown(const ViewToolbarState& state, FramePane pane)
{
    switch (pane) {
    case FramePane::Text:
        return state.textPaneShown;
    case FramePane::Properties:
        return state.propertiesPaneShown;
    case FramePane::Images:
        return state.imagesPaneShown;
    }
    return false;
}

}  // namespace

std::vector<ViewToolbarButton> ViewToolbarButtons(const ViewToolbarState& state)
{
    std::vector<ViewToolbarButton> buttons{
        {ID_VIEW_FRONT_COVER, 0},
        {ID_VIEW_BACK_COVER, 1},
        {ID_VIEW_DISC_LABEL, state.doubleLayout ? kFirstOfTwoDiscsImage : kSingleDiscImage},
    };
    if (state.doubleLayout)
        buttons.push_back({ID_VIEW_DISC2, kSecondDiscImage});
    buttons.push_back(kSeparator);
    buttons.push_back({ID_VIEW_ZOOM_OUT, 3});
    buttons.push_back({ID_VIEW_ZOOM_IN, 4});
    buttons.push_back(kSeparator);
    buttons.push_back({ID_READ_TRACK_DATA, 5});
    buttons.push_back(kSeparator);
    buttons.push_back({ID_VIEW_SHOW_GUIDES, ViewToolbarGuidesImage(state.guidesShown)});
    for (const PaneButton& pane : kPaneButtons)
        buttons.push_back({pane.command, ViewToolbarPaneImage(pane.pane, IsShown(state, pane.pane))});
    return buttons;
}

int ViewToolbarPaneIndex(FramePane pane, bool doubleLayout)
{
    int index = kFirstPaneIndexSingle + (doubleLayout ? 1 : 0);
    for (const PaneButton& button : kPaneButtons) {
        if (button.pane == pane)
            return index;
        ++index;
    }
    return -1;
}

int ViewToolbarPaneImage(FramePane pane, bool shown)
{
    const int shownImage = ButtonOf(pane).shownImage;
    return shown ? shownImage : shownImage + 1;
}

int ViewToolbarGuidesIndex(bool doubleLayout)
{
    return kGuidesIndexSingle + (doubleLayout ? 1 : 0);
}

int ViewToolbarGuidesImage(bool guidesShown)
{
    return guidesShown ? kGuidesShownImage : kGuidesHiddenImage;
}
