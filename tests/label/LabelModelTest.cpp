// The label model on its own: typed readers that parse a row once and must
// see every later change of it, the one way texts enter, and the surface names.
#include "label/LabelModel.h"
#include "label/SurfaceGeometry.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

namespace
{
// A sheet geometry and a drawn one are different types: neither converts into the other.
static_assert(!std::is_convertible_v<ScreenGeometry, SurfaceGeometry>);
static_assert(!std::is_convertible_v<SurfaceGeometry, ScreenGeometry>);
static_assert(!std::is_convertible_v<DocLength, PixelLength>);

void AddObject(CLabelModel& model, const char* name, const char* type,
               std::vector<std::pair<const char*, const char*>> rows)
{
    int after = static_cast<int>(rows.size());
    model.AppendRow(PropertyEntry{name, "Item Type", type, 1, "", "", after});
    for (const auto& [key, value] : rows)
        model.AppendRow(PropertyEntry{name, key, value, 1, "EDIT", "", --after});
}

TEST(LabelModelStyle, IsReadFromTheRowsOnceAndFollowsEveryChange)
{
    CLabelModel model;
    AddObject(model, "Title(1)", "Text",
              {{"Color", "10,20,30"}, {"Font", "Tahoma,24,700,1"}, {"Alignment", "Top Right"}, {"Angle", "90 degrees"}});

    const ObjectStyle& first = model.StyleOf("Title(1)");
    EXPECT_STREQ(first.font.lfFaceName, "Tahoma");
    EXPECT_EQ(first.font.lfHeight, 240);
    EXPECT_EQ(first.font.lfWeight, 700);
    EXPECT_TRUE(first.font.lfItalic);
    EXPECT_EQ(first.font.lfEscapement, 900);
    EXPECT_EQ(first.font.lfOrientation, 900);
    EXPECT_EQ(first.horizontal, HorizontalAlignment::Right);
    EXPECT_EQ(first.vertical, VerticalAlignment::Top);
    EXPECT_EQ(first.color, RGB(10, 20, 30));

    // Each styled row, once replaced, is what the next reading gives.
    ASSERT_TRUE(model.ReplacePropertyValue("Title(1)", "Font", "Arial,12,400,0"));
    EXPECT_STREQ(model.StyleOf("Title(1)").font.lfFaceName, "Arial");
    EXPECT_EQ(model.StyleOf("Title(1)").font.lfEscapement, 900) << "the angle survives a font change";
    ASSERT_TRUE(model.ReplacePropertyValue("Title(1)", "Alignment", "Bottom Left"));
    EXPECT_EQ(model.StyleOf("Title(1)").horizontal, HorizontalAlignment::Left);
    EXPECT_EQ(model.StyleOf("Title(1)").vertical, VerticalAlignment::Bottom);
    ASSERT_TRUE(model.ReplacePropertyValue("Title(1)", "Angle", "270 degrees"));
    EXPECT_EQ(model.StyleOf("Title(1)").font.lfEscapement, -900);
    ASSERT_TRUE(model.ReplacePropertyValue("Title(1)", "Color", "255,0,0"));
    EXPECT_EQ(model.StyleOf("Title(1)").color, RGB(255, 0, 0));

    // An object erased and made again under the same name is read anew.
    model.EraseObjectRows("Title(1)");
    AddObject(model, "Title(1)", "Text", {{"Font", "Courier New,8,400,0"}});
    EXPECT_STREQ(model.StyleOf("Title(1)").font.lfFaceName, "Courier New");
    EXPECT_EQ(model.StyleOf("Title(1)").font.lfEscapement, 0);

    // So is every object after the rows are exchanged wholesale.
    PropertyRows other;
    other.push_back(PropertyEntry{"Title(1)", "Item Type", "Text", 1, "", "", 1});
    other.push_back(PropertyEntry{"Title(1)", "Font", "Verdana,30,400,0", 1, "FONT", "", 0});
    model.SwapRows(other);
    EXPECT_STREQ(model.StyleOf("Title(1)").font.lfFaceName, "Verdana");
    model.Clear();
    EXPECT_STREQ(model.StyleOf("Title(1)").font.lfFaceName, "") << "an object the label lacks has no face";
}

TEST(LabelModelStyle, ParsesTheStoredForms)
{
    struct Case
    {
        const char* font;
        LONG height;
        LONG weight;
        BYTE italic;
    };
    const Case cases[] = {
        {"Tahoma", 100, FW_NORMAL, 0},      // no size: 10 points
        {"Tahoma,14", 140, FW_NORMAL, 0},   // no weight: normal
        {"Tahoma,9,300,1", 90, 300, 1},
        {",,,", 0, 0, 0},
        // Numbers a document made elsewhere may hold: kept to what a font can be.
        {"Arial,100000,9999,1", 16380, 1000, 1},
        {"Arial,99999999999999999999,-5", 16380, 0, 0},
        {",-5,-1,7", 0, 0, 1},
        {"Arial,1638", 16380, FW_NORMAL, 0},
    };
    for (const Case& c : cases) {
        const LOGFONTA font = ParseFontText(c.font);
        EXPECT_EQ(font.lfHeight, c.height) << c.font;
        EXPECT_EQ(font.lfWeight, c.weight) << c.font;
        EXPECT_EQ(font.lfItalic, c.italic) << c.font;
    }
    COLORREF color = 7;
    for (const char* bad : {"", "1,2", "1,2,256", "a,b,c", "-1,0,0"})
        EXPECT_FALSE(ParseColor(bad, color)) << bad;
    EXPECT_EQ(color, 7u) << "a failed colour leaves the value";
}

TEST(LabelModelTexts, EnterOnlyThroughTheSetter)
{
    CLabelModel model;
    model.AppendTextRow(TextEntry{"Artist", "Text", "Rock `n` Roll", 2});
    model.AppendTextRow(TextEntry{"Track List", "Track", "2`One`1:00`Two`", 2});
    EXPECT_EQ(model.Texts()[0].m_strValue, "Rock 'n' Roll") << "a backtick would split a layout cache";
    EXPECT_EQ(model.Texts()[1].m_strValue, "1`One`1:00`") << "the count is the tracks the list really holds";
    EXPECT_FALSE(model.SetTextRowValue(2, "nowhere"));
    EXPECT_FALSE(model.SetTextRowValue(-1, "nowhere"));
}

TEST(SurfaceNames, MapBothWays)
{
    for (int index = 0; index < kSurfaceCount; ++index) {
        const Surface surface = static_cast<Surface>(index);
        EXPECT_EQ(SurfaceFromName(SurfaceName(surface)), surface) << index;
    }
    EXPECT_EQ(SurfaceFromName("Front Cover (Inside)"), Surface::None);
    EXPECT_EQ(SurfaceFromName(""), Surface::None);
    EXPECT_STREQ(SurfaceName(Surface::None), "");

    SurfacePlacement placement;
    placement.backCoverPage = "3";
    placement.frontCoverPage = "2";
    placement.disc1Page = "1";
    placement.disc2Page = "1";
    EXPECT_EQ(placement.PageOf(Surface::BackCover), "3");
    EXPECT_EQ(placement.PageOf(Surface::Disc2), "1");
    EXPECT_EQ(placement.PageOf(Surface::None), "");
}

TEST(LabelModelImages, SlotsOutsideTheListAreEmpty)
{
    CLabelModel model;
    model.AppendImage(std::make_unique<CxImage>(4, 4, 24));
    EXPECT_NE(model.Image(0), nullptr);
    EXPECT_EQ(model.Image(1), nullptr);
    EXPECT_EQ(model.Image(-1), nullptr);
    // A picture put into a missing slot comes straight back.
    auto kept = model.ReplaceImage(5, std::make_unique<CxImage>(2, 2, 24));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetWidth(), 2);
    kept = model.ReplaceImage(0, std::move(kept));
    EXPECT_EQ(kept->GetWidth(), 4);
    EXPECT_EQ(model.Image(0)->GetWidth(), 2);
}
}  // namespace
