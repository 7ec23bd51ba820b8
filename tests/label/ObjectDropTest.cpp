// Dropping a new object from the object tool bar, without any window: a table
// of drop points over covers, spine tabs, disc rings and holes, and what each
// button makes there.
#include "label/ObjectDrop.h"

#include <gtest/gtest.h>

#include <string>

using namespace ObjectDrop;

namespace
{
// A page with both covers and both discs, in tool-bar pixels.
DropParts TwoCoversTwoDiscs()
{
    DropParts parts;
    parts.frontCover = RECT{400, 50, 700, 350};
    parts.backCover = RECT{20, 50, 300, 330};
    parts.leftTab = RECT{10, 50, 20, 330};
    parts.rightTab = RECT{300, 50, 310, 330};
    parts.disc1 = Ring{RECT{100, 400, 300, 600}, RECT{180, 480, 220, 520}};
    parts.disc2 = Ring{RECT{400, 400, 600, 600}, RECT{480, 480, 520, 520}};
    parts.client = RECT{0, 0, 800, 700};
    return parts;
}

const char* StateName(DragState state)
{
    return state == DragState::Inside ? "Inside" : state == DragState::Tab ? "Tab" : "Outside";
}
}  // namespace

TEST(ObjectDrop, TableOfDropPoints)
{
    struct Case
    {
        POINT at;
        int button;
        const char* state;
        const char* part;  // "" when nothing takes the drop
        const char* surface;
    } cases[] = {
        {{550, 200}, kAddArtist, "Inside", "Inside", "Front Cover"},
        {{150, 200}, kAddTitle, "Inside", "Inside", "Back Cover"},
        {{15, 200}, kAddYear, "Tab", "Left Tab", "Back Cover"},
        {{305, 100}, kAddText, "Tab", "Right Tab", "Back Cover"},
        // A track list is never offered a tab; an image drops there as an ordinary image.
        {{15, 200}, kAddTrackList, "Outside", "", ""},
        {{15, 200}, kAddImage, "Inside", "Inside", "Back Cover"},
        {{200, 420}, kAddGenre, "Inside", "Inside", "Disc 1"},
        {{290, 500}, kAddTotalTime, "Inside", "Inside", "Disc 1"},
        {{500, 430}, kAddTotalTime, "Inside", "Inside", "Disc 2"},
        // The holes and the corners of the discs' squares take nothing.
        {{200, 500}, kAddArtist, "Outside", "", ""},
        {{505, 495}, kAddArtist, "Outside", "", ""},
        {{105, 405}, kAddArtist, "Outside", "", ""},
        {{750, 650}, kAddImage, "Outside", "", ""},
        {{350, 200}, kAddTitle, "Outside", "", ""},
    };
    const DropParts parts = TwoCoversTwoDiscs();
    for (const Case& c : cases) {
        const std::string where = std::to_string(c.at.x) + "," + std::to_string(c.at.y) + " button " +
                                  std::to_string(c.button);
        const DragState state = StateAt(parts, c.at, c.button);
        EXPECT_STREQ(StateName(state), c.state) << where;
        const auto target = state == DragState::Outside ? std::nullopt : TargetAt(parts, c.at, state);
        EXPECT_EQ(target ? target->part.c_str() : std::string(), std::string(c.part)) << where;
        EXPECT_EQ(target ? target->surface.c_str() : std::string(), std::string(c.surface)) << where;
    }
}

TEST(ObjectDrop, PartsOffThePageOrOutsideTheViewTakeNothing)
{
    DropParts parts = TwoCoversTwoDiscs();
    // The view shows only the left half of the front cover.
    parts.client = RECT{0, 0, 500, 700};
    EXPECT_EQ(StateAt(parts, POINT{550, 200}, kAddArtist), DragState::Outside);
    EXPECT_EQ(StateAt(parts, POINT{450, 200}, kAddArtist), DragState::Inside);
    // A spine tab is a tab wherever the pointer meets it, in the view or not.
    parts.client = RECT{30, 0, 500, 700};
    EXPECT_EQ(StateAt(parts, POINT{15, 200}, kAddYear), DragState::Tab);
    EXPECT_EQ(StateAt(parts, POINT{15, 200}, kAddImage), DragState::Inside);
    EXPECT_EQ(StateAt(parts, POINT{15, 200}, kAddTrackList), DragState::Outside);

    // A single layout has no second disc; a page without the back cover no tabs.
    parts.disc2.reset();
    parts.backCover.reset();
    parts.leftTab.reset();
    parts.rightTab.reset();
    EXPECT_EQ(StateAt(parts, POINT{500, 430}, kAddArtist), DragState::Outside);
    EXPECT_EQ(StateAt(parts, POINT{15, 200}, kAddYear), DragState::Outside);
    EXPECT_FALSE(TargetAt(parts, POINT{150, 200}, DragState::Inside));
}

TEST(ObjectDrop, OutlinesOverTabsStandUpright)
{
    const SIZE button{50, 22};
    // Narrower than the tab allows: the button's height is the most.
    const RECT wideTab = TabOutline(button, 40, POINT{100, 200});
    EXPECT_EQ(wideTab.right - wideTab.left, 22);
    EXPECT_EQ(wideTab.bottom - wideTab.top, 50);
    const RECT narrowTab = TabOutline(button, 12, POINT{100, 200});
    EXPECT_EQ(narrowTab.right - narrowTab.left, 10);
    EXPECT_EQ((narrowTab.left + narrowTab.right) / 2, 100);
    EXPECT_EQ((narrowTab.top + narrowTab.bottom) / 2, 200);

    const RECT back = CenteredOutline(button, POINT{100, 200});
    EXPECT_EQ(back.right - back.left, 50);
    EXPECT_EQ(back.bottom - back.top, 22);
    EXPECT_EQ((back.left + back.right) / 2, 100);
}

TEST(ObjectDrop, NamesAndJitter)
{
    const struct
    {
        int button;
        int disc;
        const char* name;
    } names[] = {{kAddArtist, 0, "Artist"},         {kAddTitle, 1, "Title - Disc 1"},
                 {kAddTrackList, 2, "Track List - Disc 2"}, {kAddYear, 0, "Year"},
                 {kAddTotalTime, 2, "Time - Disc 2"}, {kAddGenre, 1, "Genre - Disc 1"},
                 {kAddText, 2, "Text"},             {kAddImage, 1, ""}};
    for (const auto& n : names)
        EXPECT_STREQ(ObjectName(n.button, n.disc).c_str(), n.name) << n.button;
    EXPECT_TRUE(AsksForDisc(kAddGenre));
    EXPECT_FALSE(AsksForDisc(kAddText));
    EXPECT_FALSE(AsksForDisc(kAddImage));

    EXPECT_EQ(JitterOffset(12345), -5);
    EXPECT_EQ(JitterOffset(99), 49);
    EXPECT_EQ(JitterOffset(100), -50);
}
