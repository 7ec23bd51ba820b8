// Where new, pasted and centred objects go, and the rows they are made of,
// on the geometry of the built-in papers: front cover (800, 800) 9520 x 4760
// folded, back cover (1300, 600) 5910 x 4650 with 250 tabs, disc 1 at
// (1938, 688) with an outer diameter of 4625.
#include "label/BackgroundObject.h"
#include "label/ClipboardStore.h"
#include "label/NewObjectRows.h"
#include "label/ObjectPlacement.h"

#include <gtest/gtest.h>

namespace {

SurfaceGeometry PaperGeometry()
{
    SurfaceGeometry geometry;
    geometry.front = FrontCoverGeometry{800, 800, 9520, 4760};
    geometry.back = BackCoverGeometry{1300, 600, 5910, 4650, 250};
    geometry.disc1 = DiscGeometry{1938, 688, 1600, 4625, 50};
    geometry.disc2 = DiscGeometry{1938, 5688, 1600, 4625, 50};
    return geometry;
}

void ExpectBox(const DocBox& box, int left, int top, int width, int height)
{
    EXPECT_EQ(box.left, left);
    EXPECT_EQ(box.top, top);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

struct TextFitCase
{
    const char* surface;
    const char* part;
    DocBox dropped;
    DocBox fitted;
};

TEST(ObjectPlacement, TextBoxesAreFittedToTheirPart)
{
    const TextFitCase cases[] = {
        // Pushed off the back cover's left tab into its inside.
        {"Back Cover", "Inside", {100, 100, 1000, 500}, {1550, 600, 1000, 500}},
        // Pushed back from the front cover's right and bottom edges.
        {"Front Cover", "Inside", {9000, 5000, 2000, 1000}, {8320, 4560, 2000, 1000}},
        // Pushed back inside the disc's square.
        {"Disc 1", "Inside", {6000, 5000, 1000, 1000}, {5563, 4313, 1000, 1000}},
        {"Disc 2", "Inside", {0, 0, 500, 600}, {1938, 5688, 500, 600}},
        // On a tab the text is the tab's width and stays within the tab's height.
        {"Back Cover", "Left Tab", {1000, 200, 40, 300}, {1300, 600, 250, 300}},
        {"Back Cover", "Right Tab", {7000, 5000, 40, 300}, {6960, 4950, 250, 300}},
        {"Back Cover", "Right Tab", {2000, 1000, 40, 300}, {6960, 1000, 250, 300}},
        // A part the fitting does not know leaves the box as dropped.
        {"Front Cover", "", {-50, -60, 70, 80}, {-50, -60, 70, 80}},
    };
    for (const TextFitCase& c : cases) {
        SCOPED_TRACE(std::string(c.surface) + " / " + c.part);
        const DocBox box = ObjectPlacement::FitTextBox(c.dropped, c.part, c.surface, PaperGeometry());
        ExpectBox(box, c.fitted.left, c.fitted.top, c.fitted.width, c.fitted.height);
    }
}

TEST(ObjectPlacement, TextOnANarrowTabIsNoWiderThanTheTab)
{
    SurfaceGeometry geometry = PaperGeometry();
    geometry.back.tab = 100;
    const DocBox box = ObjectPlacement::FitTextBox(DocBox{1300, 700, 30, 400}, "Left Tab", "Back Cover", geometry);
    EXPECT_EQ(box.width, 100);
}

TEST(ObjectPlacement, TrackListsAreAnInchSquareOrTheDiscWhenSmaller)
{
    ExpectBox(ObjectPlacement::FitTrackListBox(POINT{0, 0}, "Back Cover", PaperGeometry()), 1550, 600, 1000, 1000);
    ExpectBox(ObjectPlacement::FitTrackListBox(POINT{10000, 6000}, "Front Cover", PaperGeometry()), 9320, 4560, 1000,
              1000);
    SurfaceGeometry small = PaperGeometry();
    small.disc1.outerDiameter = 800;
    const DocBox onDisc = ObjectPlacement::FitTrackListBox(POINT{2000, 700}, "Disc 1", small);
    EXPECT_EQ(onDisc.width, 800);
    EXPECT_EQ(onDisc.height, 800);
}

TEST(ObjectPlacement, ImagesTakeTheInsideOfAFoldedCoverByTheirLeftEdge)
{
    const SurfaceGeometry geometry = PaperGeometry();
    const DocBox left = ObjectPlacement::FitImageBox(DocBox{1000, 1000, 1250, 1250}, "Front Cover", geometry);
    EXPECT_EQ(ObjectPlacement::ImagePart(left, "Inside", "Front Cover", geometry, true), "Front Cover (Inside)");
    EXPECT_EQ(ObjectPlacement::ImagePart(left, "Inside", "Front Cover", geometry, false), "Inside");
    const DocBox right = ObjectPlacement::FitImageBox(DocBox{6000, 1000, 1250, 1250}, "Front Cover", geometry);
    EXPECT_EQ(ObjectPlacement::ImagePart(right, "Inside", "Front Cover", geometry, true), "Inside");
    // An image larger than the back cover shrinks to it, tabs included.
    ExpectBox(ObjectPlacement::FitImageBox(DocBox{0, 0, 9000, 9000}, "Back Cover", geometry), 1300, 600, 5910, 4650);
}

TEST(ObjectPlacement, BackgroundsCoverTheirPart)
{
    const SurfaceGeometry geometry = PaperGeometry();
    ExpectBox(ObjectPlacement::BackgroundBox("Disc 1", geometry, true, 0), 1858, 608, 4785, 4785);
    ExpectBox(ObjectPlacement::BackgroundBox("Back Cover", geometry, true, 0), 1300, 600, 5910, 4650);
    ExpectBox(ObjectPlacement::BackgroundBox("Front Cover", geometry, true, 2000), 800, 800, 4760, 4760);
    ExpectBox(ObjectPlacement::BackgroundBox("Front Cover", geometry, true, 9000), 5560, 800, 4760, 4760);
    ExpectBox(ObjectPlacement::BackgroundBox("Front Cover", geometry, false, 2000), 800, 800, 9520, 4760);
    EXPECT_EQ(ObjectPlacement::BackgroundPart("Inside", "Front Cover", geometry, true, 2000), "Front Cover (Inside)");
    EXPECT_EQ(ObjectPlacement::BackgroundPart("Front Cover (Inside)", "Front Cover", geometry, true, 9000), "Inside");
    EXPECT_EQ(ObjectPlacement::BackgroundPart("Left Tab", "Back Cover", geometry, true, 0), "Inside");
    EXPECT_EQ(ObjectPlacement::BackgroundPart("", "Disc 1", geometry, true, 0), "Inside");
}

TEST(ObjectPlacement, CentringOnTheBackCoverKeepsTextsOnTheirTabButNotImages)
{
    const SurfaceGeometry geometry = PaperGeometry();
    EXPECT_EQ(ObjectPlacement::CenteredLeft(1310, 100, false, "Back Cover", geometry, true), 1375);
    EXPECT_EQ(ObjectPlacement::CenteredLeft(1310, 100, true, "Back Cover", geometry, true), 4205);
    EXPECT_EQ(ObjectPlacement::CenteredLeft(7000, 100, false, "Back Cover", geometry, true), 7035);
    EXPECT_EQ(ObjectPlacement::CenteredLeft(1000, 1000, false, "Front Cover", geometry, true), 2680);
    EXPECT_EQ(ObjectPlacement::CenteredLeft(6000, 1000, false, "Front Cover", geometry, true), 7440);
    EXPECT_EQ(ObjectPlacement::CenteredTop(0, 1000, "Disc 1", geometry), 688 + 1812);
}

TEST(NewObjectRows, EachKindHasItsRowsInOrderCountingDown)
{
    const NewObjectPlace place{"Artist(1)", "2", "Front Cover", "Inside", DocBox{1000, 1200, 700, 300}};
    const struct
    {
        PropertyRows rows;
        int count;
    } kinds[] = {{NewObjectRows::Text(place, "Tahoma,72,400,0"), NewObjectRows::kTextRowCount},
                 {NewObjectRows::Track(place, "Tahoma,72,400,0"), NewObjectRows::kTrackRowCount},
                 {NewObjectRows::Image(place, 3, 7, true), NewObjectRows::kImageRowCount},
                 {NewObjectRows::Background(place, 3), NewObjectRows::kImageRowCount}};
    for (const auto& kind : kinds) {
        ASSERT_EQ(static_cast<int>(kind.rows.size()), kind.count);
        EXPECT_EQ(kind.rows.front().m_strKey, "Item Type");
        for (int i = 0; i < kind.count; ++i) {
            EXPECT_EQ(kind.rows[static_cast<size_t>(i)].m_nRowsAfter, kind.count - 1 - i);
            EXPECT_EQ(kind.rows[static_cast<size_t>(i)].m_strObjectName, "Artist(1)");
        }
    }
    EXPECT_EQ(kinds[0].rows[5].m_strValue, "1.000 ''");
    EXPECT_EQ(kinds[2].rows[0].m_strChoices, "7");
    EXPECT_EQ(kinds[3].rows[0].m_strChoices, "Background");
    EXPECT_EQ(kinds[3].rows[9].m_strValue, "Disabled On");
}

TEST(NewObjectRows, TabsAndDiscsChooseTheTextOptions)
{
    const NewObjectPlace leftTab{"Text 1(1)", "3", "Back Cover", "Left Tab", {}};
    const PropertyRows onTab = NewObjectRows::Text(leftTab, "Tahoma,72,400,0");
    EXPECT_EQ(onTab[11].m_strValue, "No");
    EXPECT_EQ(onTab[12].m_strValue, "90 degrees");
    const NewObjectPlace disc{"Text 1(1)", "1", "Disc 1", "Inside", {}};
    const PropertyRows onDisc = NewObjectRows::Text(disc, "Tahoma,72,400,0");
    EXPECT_EQ(onDisc[12].m_strChoices, "");
    EXPECT_EQ(onDisc[12].m_bShown, 0);
    const PropertyRows track = NewObjectRows::Track(disc, "Tahoma,72,400,0");
    EXPECT_EQ(track[13].m_strKey, "Skip Center");
    EXPECT_EQ(track[14].m_strValue, "Yes");
}

PasteTarget TargetOn(const char* surface, POINT centre)
{
    PasteTarget target;
    target.name = "Pasted(1)";
    target.page = "1";
    target.surface = surface;
    target.part = "Inside";
    target.centre = centre;
    target.geometry = PaperGeometry();
    target.folded = true;
    target.sheet = SIZE{8500, 11000};
    target.stackingNumber = 9;
    return target;
}

TEST(PreparePaste, ATextLargerThanTheDiscShrinksAndMovesInside)
{
    const NewObjectPlace place{"Title(1)", "2", "Front Cover", "Inside", DocBox{1000, 1000, 8000, 4700}};
    const PropertyRows rows = PreparePaste(NewObjectRows::Text(place, "Tahoma,72,400,0"), TargetOn("Disc 1", {0, 0}));
    EXPECT_EQ(rows[0].m_strObjectName, "Pasted(1)");
    EXPECT_EQ(rows[1].m_strValue, "1");
    EXPECT_EQ(rows[3].m_strValue, "Disc 1");
    EXPECT_EQ(rows[5].m_strValue, "1.938 ''");
    EXPECT_EQ(rows[6].m_strValue, "0.688 ''");
    EXPECT_EQ(rows[7].m_strValue, "4.625 ''");
    EXPECT_EQ(rows[8].m_strValue, "4.625 ''");
}

TEST(PreparePaste, ATrackListFromADiscShowsOffsetNumbersOnACover)
{
    const NewObjectPlace place{"Track List(1)", "1", "Disc 1", "Inside", DocBox{2000, 2000, 1000, 1000}};
    const PropertyRows rows =
        PreparePaste(NewObjectRows::Track(place, "Tahoma,72,400,0"), TargetOn("Back Cover", {4000, 3000}));
    EXPECT_EQ(rows[13].m_strKey, "Offset Numbers");
    EXPECT_EQ(rows[13].m_strValue, "Yes");
    EXPECT_EQ(rows[14].m_bShown, 0);
    EXPECT_EQ(rows[5].m_strValue, "3.500 ''");
    EXPECT_EQ(rows[10].m_strValue, "");
}

TEST(PreparePaste, AnImageComesToTheFrontAndIsNoBackground)
{
    const NewObjectPlace place{"Image(1)", "1", "Disc 1", "Inside", DocBox{0, 0, 2000, 1000}};
    const PropertyRows rows =
        PreparePaste(NewObjectRows::Background(place, 2), TargetOn("Front Cover", {8400, 10990}));
    EXPECT_EQ(rows[0].m_strChoices, "9");
    EXPECT_EQ(rows[9].m_strValue, "No");
    EXPECT_EQ(rows[10].m_strValue, "Disabled On");
    // Kept on the sheet, not on the cover.
    EXPECT_EQ(rows[4].m_strValue, "6.500 ''");
    EXPECT_EQ(rows[5].m_strValue, "10.000 ''");
}

TEST(ClipboardStore, KeepsThePictureOfAStoredImageOnly)
{
    CClipboardStore store;
    EXPECT_EQ(store.Picture(), nullptr);
    const NewObjectPlace place{"Image(1)", "1", "Disc 1", "Inside", {}};
    store.Keep(NewObjectRows::Background(place, 4), std::nullopt, std::make_unique<CxImage>(4, 3, 24));
    EXPECT_TRUE(store.IsBackground());
    ASSERT_NE(store.Picture(), nullptr);
    EXPECT_EQ(store.Picture()->GetWidth(), 4);
    store.Keep(NewObjectRows::Text(place, "Tahoma,72,400,0"), TextEntry{"Image", "Text", "words", 1});
    EXPECT_EQ(store.Picture(), nullptr);
    ASSERT_NE(store.Text(), nullptr);
    EXPECT_EQ(store.Text()->m_strValue, "words");
}

TEST(BackgroundObject, FindsThePartsBackgroundAmongTheRows)
{
    PropertyRows rows = NewObjectRows::Image({"Image(1)", "1", "Disc 1", "Inside", {}}, 0, 1, true);
    const PropertyRows other = NewObjectRows::Background({"Image(2)", "1", "Disc 2", "Inside", {}}, 1);
    const PropertyRows wanted = NewObjectRows::Background({"Image(3)", "1", "Disc 1", "Inside", {}}, 2);
    rows.insert(rows.end(), other.begin(), other.end());
    rows.insert(rows.end(), wanted.begin(), wanted.end());
    EXPECT_EQ(BackgroundObject::Find(rows, "Disc 1", "Inside"), 22);
    EXPECT_EQ(BackgroundObject::Find(rows, "Back Cover", "Inside"), -1);
}

}  // namespace
