// The property setter through the view, on the document's own label: what it
// stores and returns, what it keeps in step (surface geometry, cached lines,
// the shown surface), when it marks the document modified, its messages and
// its error report.
#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "document/Quorbel6Doc.h"
#include "framework/ErrorReport.h"
#include "label/TestLabelObjects.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
class PropertySetterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.m_bAutoDelete = false;
        m_view.m_bAutoDelete = false;
        m_doc.AddView(&m_view);
        m_view.AttachAppSettings(&m_settings);
        m_view.Model().Shown().layout = "Single";
        m_view.CreateSurfaceProperties();
        TestLabel::AddUserObjects(m_view.Model());
        // A picture twice as wide as high in slot 0.
        m_view.Model().AppendImage(std::make_unique<CxImage>(200, 100, 24));
        m_view.LoadLayoutGeometry();
        m_view.m_nScreenDpi = 96;
        m_view.Model().Shown().zoom = 10;
        m_view.UpdateScale();
        Show("Front Cover", "2");
        m_view.m_rcGuide = RECT{250, 250, 10750, 8250};
        m_view.m_bNoPrinter = 0;
        m_view.m_strUnits = "Inches";
        m_app.m_strMessageText.Empty();
        m_doc.SetModifiedFlag(FALSE);
    }

    void TearDown() override { m_doc.RemoveView(&m_view); }

    void Show(const char* surface, const char* page)
    {
        m_view.Model().Shown().surface = surface;
        m_view.Model().Shown().page = page;
    }

    std::string Value(const char* name, const char* key) const
    {
        return std::string(m_view.Model().GetPropertyValue(name, key));
    }
    std::string Choices(const char* name, const char* key) const
    {
        const int row = m_view.Model().FindPropertyRow(name, key);
        return row < 0 ? std::string("(none)") : std::string(m_view.Model().Row(row).m_strChoices);
    }

    CQuorbel6App m_app;
    CAppSettings m_settings;
    CQuorbel6Doc m_doc;
    CQuorbel6View m_view;
    std::vector<std::string> m_reports;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_reports.push_back(report.Text()); }};
};

struct Row
{
    const char* object;
    const char* key;  // "key#choices" reads the choices field
    const char* value;
};

struct SetterCase
{
    const char* shown;
    const char* object;
    const char* caption;
    const char* value;
    const char* result;
    bool modifies;
    std::vector<Row> after;
};

// The cases run in order on one label, each on what the ones before left.
TEST_F(PropertySetterTest, EveryKindOfObjectKeepsItsDependentRowsInStep)
{
    const SetterCase cases[] = {
        // The real cache shift: left and right of each line move, top and bottom stay.
        {"Front Cover", "Artist(1)", "Left", "5.750", "5.750", true,
         {{"Artist(1)", "Left", "5.750"}, {"Artist(1)", "Vector Data", "720`Artist`1250`2250`1500`1700`"}}},
        {"Front Cover", "Artist(1)", "Top", "1.125 ''", "1.125 ''", true,
         {{"Artist(1)", "Vector Data", "720`Artist`1250`2250`1625`1825`"}}},
        {"Disc 1", "Artist(2)", "Left", "2.600 ''", "2.600 ''", true, {{"Artist(2)", "Vector Data", ""}}},
        {"Front Cover", "Artist(1)", "Font", "Tahoma,20,700,0", "Tahoma,20,700,0", true,
         {{"Artist(1)", "Font", "Tahoma,20,700,0"}, {"Artist(1)", "Vector Data", ""}}},
        {"Front Cover", "Artist(1)", "Color", "0,0,0", "0,0,0", false, {{"Artist(1)", "Color", "0,0,0"}}},
        {"Front Cover", "Artist(1)", "View", "Front Cover (Inside)", "Front Cover (Inside)", true,
         {{"Artist(1)", "View", "Front Cover"}, {"Artist(1)", "View#choices", "Front Cover (Inside)"}}},
        {"Back Cover", "Track List(1)", "Wrap Tracks", "Yes", "Yes", true,
         {{"Track List(1)", "Wrap Tracks", "Yes"}, {"Track List(1)", "Offset Numbers", "No"}}},
        {"Back Cover", "Track List(1)", "Offset Numbers", "Yes", "Yes", true,
         {{"Track List(1)", "Wrap Tracks", "No"}, {"Track List(1)", "Offset Numbers", "Yes"}}},
        {"Front Cover", "Image(2)", "Lock Aspect Ratio", "Yes", "Yes", true,
         {{"Image(2)", "Lock Aspect Ratio", "Yes"}, {"Image(2)", "Width", "1.100 ''"}, {"Image(2)", "Height", "0.550 ''"}}},
        {"Back Cover", "Image(3)", "Lock Aspect Ratio", "Yes", "No", false, {{"Image(3)", "Lock Aspect Ratio", "No"}}},
        {"Front Cover", "Image(1)", "Set as Background", "Yes", "Disabled On", true,
         {{"Image(1)", "Set as Background", "Disabled On"}}},
        {"Front Cover", "Image(1)", "Bring to Front", "UNo", "No", true, {{"Image(1)", "Bring to Front", "No"}}},
        {"Front Cover", "Image(1)", "Item Type", "Background", "Background", true,
         {{"Image(1)", "Item Type", "Image"}, {"Image(1)", "Item Type#choices", "Background"}}},
        {"Back Cover", "Left Tab", "Width", "0.300", "0.300", true, {{"Left Tab", "Width", "0.300"}}},
        {"Front Cover", "Page 2", "Orientation", "Portrait", "Portrait", true,
         {{"Page 2", "Width", "8.500"}, {"Page 2", "Height", "11.000"}}},
        {"Front Cover", "Back Cover", "Page", "2", "2", true,
         {{"Back Cover", "Page", "2"}, {"Track List(1)", "Page", "2"}, {"Right Tab", "Page", "2"}}},
        {"Front Cover", "Front Cover", "Color", "0,0,255", "0,0,255", true, {{"Front Cover", "Color", "0,0,255"}}},
        {"Disc 1", "Disc 1", "Label Position", "Top", "Top", false, {{"Disc 1", "Label Position", "Top"}}},
        {"Front Cover", "No Such(1)", "Left", "1.000", "1.000", false, {}},
    };
    for (const SetterCase& c : cases) {
        SCOPED_TRACE(std::string(c.object) + " " + c.caption + " " + c.value);
        Show(c.shown, "2");
        m_doc.SetModifiedFlag(FALSE);
        EXPECT_EQ(std::string(m_view.ApplyProperty(c.object, c.caption, c.value)), c.result);
        EXPECT_EQ(m_doc.IsModified() != FALSE, c.modifies);
        for (const Row& row : c.after) {
            const std::string key = row.key;
            const auto hash = key.find('#');
            if (hash == std::string::npos)
                EXPECT_EQ(Value(row.object, row.key), row.value) << row.key;
            else
                EXPECT_EQ(Choices(row.object, key.substr(0, hash).c_str()), row.value) << row.key;
        }
    }
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(PropertySetterTest, MovingACoverMovesItsGeometryAndItsObjects)
{
    EXPECT_EQ(m_view.ApplyProperty("Front Cover", "Left", "1.000"), "1.000 ''");
    EXPECT_EQ(m_view.Model().Placement().geometry.front.left, 1000);
    EXPECT_EQ(m_view.Renderer().Geometry().front.left, 96) << "the drawn geometry follows at once";
    EXPECT_EQ(Value("Artist(1)", "Left"), "5.700 ''");
    EXPECT_EQ(Value("Artist(1)", "Vector Data"), "720`Artist`1200`2200`1500`1700`");
    EXPECT_EQ(Value("Artist(2)", "Left"), "2.500 ''") << "the disc's text stays";
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(PropertySetterTest, WithoutAPrintableAreaSurfacesAreNotPulledToTheCorner)
{
    struct Case
    {
        const char* what;
        RECT guide;
        BYTE noPrinter;
        BYTE clamp;
        const char* stored;
    };
    const Case cases[] = {
        {"printable area", RECT{250, 250, 10750, 8250}, 0, 1, "1.230 ''"},
        {"no printable area", RECT{}, 0, 1, "2.000 ''"},
        {"no printer", RECT{250, 250, 10750, 8250}, 1, 1, "2.000 ''"},
        {"pages being laid out", RECT{250, 250, 10750, 8250}, 0, 0, "2.000 ''"},
    };
    for (const Case& c : cases) {
        m_view.ApplyProperty("Front Cover", "Left", "0.800");
        m_view.m_rcGuide = c.guide;
        m_view.m_bNoPrinter = c.noPrinter;
        m_view.m_bGuideClamp = c.clamp;
        EXPECT_EQ(std::string(m_view.ApplyProperty("Front Cover", "Left", "2.000")), c.stored) << c.what;
        EXPECT_EQ(std::string(m_view.ApplyProperty("Front Cover", "Top", "1.000")), "1.000 ''") << c.what;
    }
}

TEST_F(PropertySetterTest, DiameterMessagesAreLeftForTheCaller)
{
    Show("Disc 1", "1");
    m_view.m_rcGuide = RECT{250, 250, 8250, 10750};
    EXPECT_EQ(m_view.ApplyProperty("Disc 1", "Outer Diameter", "6"), "5.000 ''");
    EXPECT_EQ(m_app.m_strMessageText, "The outer diameter cannot exceed 5.000''");
    EXPECT_EQ(m_view.Model().Placement().geometry.disc1.outerDiameter, 5000);

    EXPECT_EQ(m_view.ApplyProperty("Disc 1", "Inner Diameter", "5.5"), "5.000 ''");
    EXPECT_EQ(m_app.m_strMessageText, "The inner diameter cannot exceed the outer diameter.");

    // The outer one never below the hole, even where the area leaves no room.
    m_view.m_rcGuide = RECT{250, 250, 3000, 10750};
    EXPECT_EQ(m_view.ApplyProperty("Disc 1", "Outer Diameter", "4.8"), "5.000 ''");
    EXPECT_EQ(m_view.Model().Placement().geometry.disc1.outerDiameter, 5000);
}

TEST_F(PropertySetterTest, TheTextMarginFollowsTheUnitsSetting)
{
    m_view.m_strUnits = "Millimeters";
    EXPECT_EQ(m_view.ApplyProperty("Disc 1", "Text Margin", "2"), "2.0 mm");
    EXPECT_EQ(Value("Disc 1", "Text Margin"), "0.079 ''");
    EXPECT_EQ(m_view.Model().Placement().geometry.disc1.textMargin, 79);
    EXPECT_TRUE(m_doc.IsModified());

    m_doc.SetModifiedFlag(FALSE);
    EXPECT_EQ(m_view.ApplyProperty("Disc 1", "Text Margin", "2.0066"), "2.0066");  // the same 0.079 inch
    EXPECT_FALSE(m_doc.IsModified());

    m_view.m_strUnits = "Inches";
    EXPECT_EQ(m_view.ApplyProperty("Disc 1", "Text Margin", "0.5"), "0.300 ''");
    EXPECT_EQ(m_view.Model().Placement().geometry.disc1.textMargin, 300);
}

TEST_F(PropertySetterTest, UnfoldingAndFoldingAgainLosesNothing)
{
    m_view.ApplyProperty("Front Cover (Inside)", "Color", "10,20,30");
    const int rowCount = m_view.Model().RowCount();

    EXPECT_EQ(m_view.ApplyProperty("Front Cover", "Folded Cover", "No"), "No");
    EXPECT_EQ(m_view.Model().Placement().folded, 0);
    EXPECT_EQ(m_view.Model().Placement().geometry.front.left, 5560);
    EXPECT_EQ(m_view.Model().Placement().geometry.front.width, 4760);
    EXPECT_EQ(m_view.Model().RowCount(), rowCount);
    EXPECT_EQ(Value("Inside Note(1)", "Left"), "1.000 ''");
    EXPECT_EQ(Value("Image(2)", "Left"), "0.900 ''");

    // Undo replays the old value through the setter.
    EXPECT_EQ(m_view.ApplyProperty("Front Cover", "Folded Cover", "Yes"), "Yes");
    EXPECT_EQ(m_view.Model().Placement().folded, 1);
    EXPECT_EQ(m_view.Model().Placement().geometry.front.left, 800);
    EXPECT_EQ(m_view.Model().Placement().geometry.front.width, 9520);
    EXPECT_EQ(Value("Front Cover (Inside)", "Color"), "10,20,30");
    EXPECT_EQ(m_view.Model().RowCount(), rowCount);
}

TEST_F(PropertySetterTest, AnUnfoldedCoverFoldedGetsItsInside)
{
    m_view.RemoveObject("Front Cover (Inside)", false);
    m_view.ApplyProperty("Front Cover", "Folded Cover", "No");
    m_view.ApplyProperty("Front Cover", "Folded Cover", "Yes");
    EXPECT_EQ(Value("Front Cover (Inside)", "Width"), "4.760 ''");
    EXPECT_EQ(Value("Front Cover (Inside)", "Left"), "0.800 ''");
}

TEST_F(PropertySetterTest, ChangingTheLabelPositionExchangesTheDiscs)
{
    Show("Front Cover", "2");
    const DiscGeometry disc1 = m_view.Model().Placement().geometry.disc1;
    const DiscGeometry disc2 = m_view.Model().Placement().geometry.disc2;
    EXPECT_EQ(m_view.ApplyProperty("Disc 1", "Label Position", "Bottom"), "Bottom");
    EXPECT_EQ(Value("Disc 1", "Label Position"), "Bottom");
    EXPECT_EQ(Value("Disc 2", "Label Position"), "Top");
    EXPECT_EQ(m_view.Model().Placement().geometry.disc1.top, disc2.top);
    EXPECT_EQ(m_view.Model().Placement().geometry.disc2.top, disc1.top);
    // The disc's texts go with it.
    const int moved = m_view.Model().Placement().geometry.disc1.top - disc1.top;
    EXPECT_EQ(Value("Artist(2)", "Top"), std::string(LabelRows::ObjectLengthText(1500 + moved)));
    EXPECT_EQ(m_view.Model().Shown().surface, "Disc 1");
}

TEST_F(PropertySetterTest, ASharedTextAndTheSkippedRow)
{
    EXPECT_EQ(m_view.ApplyProperty("Artist(2)", "Text", "The Band"), "The Band");
    ASSERT_NE(m_view.FindTextOfObject("Artist(1)"), nullptr);
    EXPECT_EQ(m_view.FindTextOfObject("Artist(1)")->m_strValue, "The Band");
    EXPECT_EQ(Value("Artist(1)", "Vector Data"), "");
    EXPECT_EQ(Value("Artist(2)", "Vector Data"), "");

    m_doc.SetModifiedFlag(FALSE);
    EXPECT_EQ(m_view.ApplyProperty("Artist(1)", "Color", "1,1,1", true), "1,1,1");
    EXPECT_EQ(Value("Artist(1)", "Color"), "0,0,0");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(PropertySetterTest, ADamagedObjectIsReportedWithTheCaptionAndLeftAlone)
{
    ObjectRows rows(m_view.Model(), "Broken(1)", 6);
    rows.Add("Item Type", "", "Text", "", 0);
    rows.Add("Page", "", "2", "", 0);
    rows.Add("Color", "COLOR", "0,0,0", "", 1);
    rows.Add("View", "", "Front Cover", "Inside", 0);
    rows.Add("Font", "FONT", "Arial,72,400,0", "", 1);
    rows.Add("Left", "EDIT", "1.000 ''", "", 0);

    EXPECT_EQ(m_view.ApplyProperty("Broken(1)", "Left", "2.000"), "");
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0], "Error 14 Left");
    EXPECT_EQ(Value("Broken(1)", "Left"), "1.000 ''");
    EXPECT_FALSE(m_doc.IsModified());

    // Moving the cover would move the broken text too: refused as a whole.
    EXPECT_EQ(m_view.ApplyProperty("Front Cover", "Left", "1.000"), "");
    EXPECT_EQ(m_reports.back(), "Error 14 Left");
    EXPECT_EQ(Value("Front Cover", "Left"), "0.800");
    EXPECT_EQ(Value("Artist(1)", "Left"), "5.500 ''");
    EXPECT_EQ(m_view.Model().Placement().geometry.front.left, 800);
}
}  // namespace
