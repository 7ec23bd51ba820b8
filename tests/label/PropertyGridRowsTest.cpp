#include "label/PropertyGridRows.h"

#include "TestLabelObjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> Captions(const std::vector<GridRow>& rows)
{
    std::vector<std::string> captions;
    for (const GridRow& row : rows)
        captions.emplace_back(row.caption.c_str());
    return captions;
}

std::vector<std::string> Names(const std::vector<ObjectListEntry>& entries)
{
    std::vector<std::string> names;
    for (const ObjectListEntry& entry : entries)
        names.emplace_back(entry.display.c_str());
    return names;
}

const GridRow* RowCaptioned(const std::vector<GridRow>& rows, const char* caption)
{
    for (const GridRow& row : rows)
        if (row.caption == caption)
            return &row;
    return nullptr;
}
}  // namespace

TEST(PropertyGridRows, FontDisplayForms)
{
    struct Case
    {
        const char* font;
        const char* size;
        const char* shown;
    };
    const Case cases[] = {
        {"Arial,72,700,1", "120`Artist`1`2`", "Arial / 12.0 / Bold Italic"},
        {"Arial,72,400,0", "125`", "Arial / 12.5"},
        {"Arial,72,501,0", "90", "Arial / 9.0 / Bold"},
        {"Arial,72,500,1", "100`", "Arial / 10.0 / Italic"},
        {"Arial,72,700,1", "`rest", "Arial"},
        {"Arial,72,700,1", "", "Arial"},
        {"Times New Roman", "5`", "Times New Roman / 0.5"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(PropertyGridRows::FontDisplay(c.font, c.size), c.shown) << c.font << " " << c.size;
}

TEST(PropertyGridRows, MillimetresAndEditorText)
{
    EXPECT_STREQ(PropertyGridRows::MillimetreDisplay("0.500"), "12.7 mm");
    EXPECT_STREQ(PropertyGridRows::MillimetreDisplay("0.5 ''"), "12.7 mm");
    EXPECT_STREQ(PropertyGridRows::CleanEditorText("  It`s `here`  "), "It's 'here'");
    const std::vector<CString> items = PropertyGridRows::SplitChoices("Center|Left|Top Right|");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_STREQ(items[2], "Top Right");
}

TEST(PropertyGridRows, TextObjectRowsAreSortedWithoutItsBox)
{
    CLabelModel model;
    TestLabel::AddLayout(model);
    TestLabel::AddText(model, "Artist(1)", "2", "Front Cover", RECT{5500, 1000, 8500, 2000});
    const std::vector<GridRow> rows = PropertyGridRows::RowsOf(model.Rows(), "Artist(1)", GridRowContext{});
    EXPECT_EQ(Captions(rows), (std::vector<std::string>{"Alignment", "Angle", "Color", "Font", "MultiLine"}));
    // The size comes from the row six after the font: the laid-out line's height.
    EXPECT_STREQ(RowCaptioned(rows, "Font")->display, "Arial / 72.0");
    // Swatches and markers have no text of their own.
    EXPECT_STREQ(RowCaptioned(rows, "Color")->display, "");
    EXPECT_STREQ(RowCaptioned(rows, "MultiLine")->display, "");
    EXPECT_STREQ(RowCaptioned(rows, "MultiLine")->value, "Yes");
    for (const GridRow& row : rows)
        EXPECT_STREQ(row.objectName, "Artist(1)");
}

TEST(PropertyGridRows, BoundaryShowsPrintBorderOfTheSurfaceShown)
{
    CLabelModel model;
    TestLabel::AddLayout(model);
    GridRowContext context;
    context.shownSurface = "Front Cover";
    context.frontCoverBorder = true;
    std::vector<GridRow> rows = PropertyGridRows::RowsOf(model.Rows(), "Front Cover (Inside)", context);
    const GridRow* border = RowCaptioned(rows, "Print Border");
    ASSERT_NE(border, nullptr);
    EXPECT_STREQ(border->value, "Yes");
    EXPECT_STREQ(border->objectName, "Front Cover");
    EXPECT_TRUE(PropertyGridRows::IsYesNo(*border));

    context.shownSurface = "Back Cover";
    rows = PropertyGridRows::RowsOf(model.Rows(), "Left Tab", context);
    ASSERT_NE(RowCaptioned(rows, "Print Border"), nullptr);
    EXPECT_STREQ(RowCaptioned(rows, "Print Border")->value, "No");
}

TEST(PropertyGridRows, PageShowsItsLabelPaper)
{
    CLabelModel model;
    TestLabel::AddLayout(model);
    GridRowContext context;
    context.discPaperName = "Disc paper";
    context.jewelPaperName = "Jewel paper";
    const GridRow* disc = nullptr;
    std::vector<GridRow> page1 = PropertyGridRows::RowsOf(model.Rows(), "Page 1", context);
    disc = RowCaptioned(page1, "Label Paper");
    ASSERT_NE(disc, nullptr);
    EXPECT_STREQ(disc->value, "Disc paper");
    EXPECT_STREQ(disc->kind, "PAPER");
    std::vector<GridRow> page2 = PropertyGridRows::RowsOf(model.Rows(), "Page 2", context);
    ASSERT_NE(RowCaptioned(page2, "Label Paper"), nullptr);
    EXPECT_STREQ(RowCaptioned(page2, "Label Paper")->value, "Jewel paper");
}

TEST(PropertyGridRows, SurfacePositionRowsFollowUnsorted)
{
    PropertyRows rows;
    auto add = [&](const char* key, const char* value, BYTE shown) {
        rows.push_back(PropertyEntry{"Disc 1", key, value, shown, "EDIT", "", 0});
    };
    add("Item Type", "Cover", 0);
    add("Page", "1", 0);
    add("Left", "1.000", 1);
    add("Top", "2.000", 1);
    add("Outer Diameter", "4.625", 1);
    add("Inner Diameter", "1.600", 1);
    add("Text Margin", "0.500", 1);
    add("Color", "255,255,255", 1);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].m_nRowsAfter = static_cast<int>(rows.size() - 1 - i);
    GridRowContext context;
    context.millimeters = true;
    const std::vector<GridRow> grid = PropertyGridRows::RowsOf(rows, "Disc 1", context);
    EXPECT_EQ(Captions(grid),
              (std::vector<std::string>{"Color", "Text Margin", "Left", "Top", "Outer Diameter", "Inner Diameter"}));
    EXPECT_STREQ(RowCaptioned(grid, "Text Margin")->display, "12.7 mm");
    EXPECT_STREQ(RowCaptioned(grid, "Left")->display, "1.000");
}

TEST(PropertyGridRows, UnknownOrHiddenObjectGivesNoRows)
{
    CLabelModel model;
    TestLabel::AddLayout(model);
    EXPECT_TRUE(PropertyGridRows::RowsOf(model.Rows(), "Nothing", GridRowContext{}).empty());
    PropertyRows hidden{PropertyEntry{"X", "Item Type", "Text", 0, "", "", 1},
                        PropertyEntry{"X", "Page", "1", 0, "", "", 0}};
    EXPECT_TRUE(PropertyGridRows::RowsOf(hidden, "X", GridRowContext{}).empty());
}

TEST(ObjectListNames, NamesOfThePageShown)
{
    CLabelModel model;
    TestLabel::AddLayout(model, "Single");
    TestLabel::AddText(model, "Text(1)", "2", "Front Cover", RECT{1000, 1000, 2000, 2000});
    TestLabel::AddText(model, "Text(2)", "2", "Front Cover", RECT{1000, 1000, 2000, 2000});
    TestLabel::AddText(model, "Elsewhere(1)", "3", "Back Cover", RECT{1000, 1000, 2000, 2000});
    TestLabel::AddImage(model, "Image(1)", "2", "Front Cover", RECT{1000, 1000, 2000, 2000}, 0);
    TestLabel::AddImage(model, "Image(2)", "2", "Front Cover", RECT{1000, 1000, 2000, 2000}, 2);
    {
        ObjectRows rows(model, "Image(3)", 4);
        rows.Add("Item Type", "", "Image", "Background", 0);
        rows.Add("Page", "", "2", "", 0);
        rows.Add("View", "", "Front Cover", "Front Cover (Inside)", 0);
        rows.Add("Image Number", "", "1", "", 0);
    }
    const std::vector<ObjectListEntry> entries = ObjectListNames::EntriesOf(model.Rows(), "2", "Single");
    const std::vector<std::string> names = Names(entries);
    for (const char* expected : {"Text", "Text (copy 1)", "Image 1", "Image 3", "Background (Inside)",
                                 "Front Cover", "Front Cover (Inside)"})
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
    EXPECT_EQ(std::find(names.begin(), names.end(), "Elsewhere"), names.end());
    for (const ObjectListEntry& entry : entries) {
        if (entry.display == "Text (copy 1)")
            EXPECT_STREQ(entry.objectName, "Text(2)");
        if (entry.display == "Image 3")
            EXPECT_STREQ(entry.objectName, "Image(2)");
    }
}

TEST(ObjectListNames, LayoutDecidesTheDiscs)
{
    CLabelModel model;
    TestLabel::AddLayout(model, "Double");
    auto names = [&](const char* layout) { return Names(ObjectListNames::EntriesOf(model.Rows(), "1", layout)); };
    const std::vector<std::string> single = names("Single");
    const std::vector<std::string> both = names("Double");
    EXPECT_EQ(std::find(single.begin(), single.end(), "Disc 2"), single.end());
    EXPECT_NE(std::find(single.begin(), single.end(), "Disc 1"), single.end());
    EXPECT_NE(std::find(both.begin(), both.end(), "Disc 2"), both.end());
    EXPECT_TRUE(names("Other").empty());
}
