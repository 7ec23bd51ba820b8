// The model of a new layout: its rows from the label papers, the album texts,
// the cached geometry read back from the rows, the inside of a folded cover, the
// rectangles of the named surface parts and the drag bounds.
#include "DocumentTestSupport.h"

#include <map>

namespace {

struct RowValues {
    const char* object;
    const char* key;
    const char* value;
};

class NewLayoutTest : public LabelDocumentTest
{
protected:
    CString Value(const char* object, const char* key) { return m_view.GetPropertyValue(object, key); }
    // Cuts the model down to its first rows, as an old or damaged file leaves it.
    void KeepFirstRows(size_t count)
    {
        PropertyRows rows = m_view.Model().Rows();
        rows.resize(count);
        m_view.Model().SwapRows(rows);
    }
};

}  // namespace

TEST_F(NewLayoutTest, BuiltInPapersGiveTheKnownValues)
{
    NewLayout("Single");
    const RowValues expected[] = {
        {"Front Cover", "Page", "2"},          {"Front Cover", "Left", "0.800"},
        {"Front Cover", "Top", "0.800"},       {"Front Cover", "Width", "9.520"},
        {"Front Cover", "Height", "4.760"},    {"Front Cover", "Folded Cover", "Yes"},
        {"Front Cover", "Print Border", "Yes"}, {"Front Cover", "Color", "255,255,255"},
        {"Back Cover", "Page", "3"},           {"Back Cover", "Left", "1.300"},
        {"Back Cover", "Top", "0.600"},        {"Back Cover", "Width", "5.910"},
        {"Back Cover", "Height", "4.650"},     {"Back Cover", "Tab", "0.250"},
        {"Disc 1", "Page", "1"},               {"Disc 1", "Left", "1.938"},
        {"Disc 1", "Top", "0.688"},            {"Disc 1", "Inner Diameter", "1.600"},
        {"Disc 1", "Outer Diameter", "4.625"}, {"Disc 1", "Print Border", "No"},
        {"Disc 1", "Label Position", "Top"},   {"Disc 1", "Text Margin", "0.050 ''"},
        {"Disc 2", "Top", "5.688"},            {"Disc 2", "Label Position", "Bottom"},
        {"Page 1", "Orientation", "Portrait"}, {"Page 1", "Width", "8.500"},
        {"Page 1", "Height", "11.000"},        {"Page 2", "Orientation", "Landscape"},
        {"Page 2", "Width", "11.000"},         {"Page 3", "Orientation", "Portrait"},
        // The boundaries come from the geometry read back from the rows, to the
        // thousandth: 1.300 is 1300 thousandths, 5.910 is 5910.
        {"Left Tab", "Left", "1.300 ''"},      {"Left Tab", "Top", "0.600 ''"},
        {"Left Tab", "Width", "0.250 ''"},     {"Left Tab", "Height", "4.650 ''"},
        {"Right Tab", "Left", "6.960 ''"},     {"Front Cover (Inside)", "Width", "4.760 ''"},
        {"Front Cover (Inside)", "Left", "0.800 ''"},
    };
    for (const RowValues& row : expected)
        EXPECT_EQ(Value(row.object, row.key), row.value) << row.object << " / " << row.key;

    EXPECT_EQ(m_view.Model().Rows().size(), 83u) << "a folded cover adds its inside";
    EXPECT_EQ(m_view.Model().Shown().surface, "Disc 1");
    EXPECT_EQ(m_view.Model().Shown().page, "1");
    EXPECT_EQ(m_view.Model().Shown().zoom, 10);
    EXPECT_TRUE(m_view.Model().IsUndoRecording());
    EXPECT_TRUE(m_view.m_bDrawingEnabled);
    EXPECT_EQ(m_view.m_strSelectedObject, "Page 1");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(NewLayoutTest, ObjectsLieAtTheirFixedRowsWithConsistentCounts)
{
    NewLayout("Double");
    const std::pair<int, const char*> firstRows[] = {{0, "Front Cover"}, {9, "Back Cover"}, {18, "Disc 1"},
                                                     {28, "Page 1"},     {35, "Page 2"},    {42, "Page 3"},
                                                     {49, "Disc 2"},     {59, "Left Tab"},  {67, "Right Tab"},
                                                     {75, "Front Cover (Inside)"}};
    for (const auto& [index, name] : firstRows) {
        const PropertyEntry& row = m_view.Model().Rows().at(static_cast<size_t>(index));
        EXPECT_EQ(row.m_strObjectName, name);
        EXPECT_EQ(row.m_strKey, "Item Type");
    }
    // Every object's rows count down to 0 and the walk lands on every first row.
    int walked = 0;
    for (int i = 0; i < static_cast<int>(m_view.Model().Rows().size()); i = m_view.NextObjectRow(i)) {
        const int end = m_view.NextObjectRow(i);
        for (int row = i; row < end; ++row)
            EXPECT_EQ(m_view.Model().Rows()[static_cast<size_t>(row)].m_nRowsAfter, end - row - 1);
        ++walked;
    }
    EXPECT_EQ(walked, 10);
    EXPECT_EQ(m_view.Model().Rows()[0].m_strEditorKind, "");
    EXPECT_EQ(m_view.Model().Rows()[1].m_strChoices, "1|2|3|");
    EXPECT_EQ(m_view.Model().Rows()[70].m_strEditorKind, "COLOR") << "Right Tab's colour";
    EXPECT_EQ(m_view.Model().Rows()[71].m_strEditorKind, "") << "Right Tab's Left is not edited";
    EXPECT_EQ(m_view.Model().Rows()[63].m_strEditorKind, "EDIT") << "Left Tab's Left is";
    EXPECT_EQ(m_view.Model().Rows()[61].m_strChoices, "Left Tab");
}

TEST_F(NewLayoutTest, AlbumTextsFollowTheLayout)
{
    NewLayout("Single");
    ASSERT_EQ(m_view.Model().Texts().size(), 6u);
    EXPECT_EQ(m_view.Model().Texts()[2].m_strName, "Track List");
    EXPECT_EQ(m_view.Model().Texts()[2].m_strItemType, "Track");
    EXPECT_EQ(m_view.Model().Texts()[2].m_strValue,
              "7`Track 1`0:01`Track 2`0:02`Track 3`0:03`Track 4`0:04`Track 5`0:05`Track 6`0:06`Track 7`0:07`");
    for (const TextEntry& text : m_view.Model().Texts())
        EXPECT_EQ(text.m_nOrigin, 2);
    EXPECT_EQ(m_view.Model().Texts()[5].m_strName, "Genre");
    EXPECT_EQ(m_view.Model().Texts()[5].m_strValue, "");

    NewLayout("Double");
    ASSERT_EQ(m_view.Model().Texts().size(), 12u);
    EXPECT_EQ(m_view.Model().Texts()[0].m_strName, "Artist - Disc 1");
    EXPECT_EQ(m_view.Model().Texts()[8].m_strName, "Track List - Disc 2");
    EXPECT_EQ(m_view.Model().Texts()[8].m_strValue.Left(24), "7`Track 1 - Disc 2`0:01`");
    EXPECT_EQ(m_view.Model().Rows().size(), 83u) << "Disc 2 belongs to both layouts";
}

TEST_F(NewLayoutTest, PaperChoicesShapeTheLayout)
{
    // A flat cover and a square sheet: no inside boundary, and square is portrait.
    CLabelDim jewel = CLabelDim::PlainPaper();
    jewel.m_nFolded = 0;
    jewel.m_nWidth1 = 9521;
    jewel.m_nSheetWidth2 = 9000;
    jewel.m_nSheetHeight2 = 9000;
    m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(jewel));
    m_view.m_nJewelTemplate = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
    NewLayout("Single");
    EXPECT_EQ(m_view.Model().Rows().size(), 75u);
    EXPECT_EQ(Value("Front Cover", "Folded Cover"), "No");
    EXPECT_EQ(Value("Page 3", "Orientation"), "Portrait");
    EXPECT_EQ(m_view.Model().Placement().folded, 0);

    // The inside of a folded cover is half its width, halved toward zero.
    m_view.AddInsideCoverBoundary();
    EXPECT_EQ(Value("Front Cover (Inside)", "Width"), "4.760 ''");
}

TEST_F(NewLayoutTest, ChoicesNamingNoPaperOfTheirKindFallBackToTheBuiltInOnes)
{
    m_view.m_labelTemplates.clear();
    m_view.m_nDiscTemplate = 7;
    m_view.m_nJewelTemplate = -2;
    NewLayout("Single");
    EXPECT_EQ(Value("Disc 1", "Outer Diameter"), "4.625");
    EXPECT_EQ(Value("Front Cover", "Width"), "9.520");
}

TEST_F(NewLayoutTest, GeometryIsReadFromTheRows)
{
    NewLayout("Single");
    EXPECT_EQ(m_view.Model().Placement().geometry.front.left, 800);
    EXPECT_EQ(m_view.Model().Placement().geometry.front.width, 9520);
    EXPECT_EQ(m_view.Model().Placement().geometry.back.tab, 250);
    EXPECT_EQ(m_view.Model().Placement().geometry.back.left, 1300);
    EXPECT_EQ(m_view.Model().Placement().geometry.back.width, 5910);
    EXPECT_EQ(m_view.Model().Placement().geometry.disc1.outerDiameter, 4625);
    EXPECT_EQ(m_view.Model().Placement().geometry.disc1.textMargin, 50);
    EXPECT_EQ(m_view.Model().Placement().geometry.disc2.top, 5688);
    EXPECT_EQ(m_view.Model().Placement().backCoverPage, "3");
    EXPECT_EQ(m_view.Model().Placement().disc2Page, "1");
    EXPECT_EQ(m_view.Model().Placement().folded, 1);
    EXPECT_EQ(m_view.Model().Placement().frontCoverBorder, 1);
    EXPECT_EQ(m_view.Model().Placement().disc1Border, 0);

    // A model without the second disc at its place keeps the disc 2 values.
    KeepFirstRows(49);
    m_view.Model().Placement().geometry.disc2.top = 1234;
    m_view.ReplacePropertyValue("Front Cover", "Left", "0.700");
    m_view.LoadLayoutGeometry();
    EXPECT_EQ(m_view.Model().Placement().geometry.disc2.top, 1234);
    EXPECT_EQ(m_view.Model().Placement().geometry.front.left, 700) << "lengths read back as written";

    // Even a model with almost no rows is read without stepping outside it.
    KeepFirstRows(3);
    m_view.LoadLayoutGeometry();
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(NewLayoutTest, SurfaceRectanglesUseTheScreenGeometryAndThePageOrigin)
{
    // Document lengths that come out at these pixels at 96 dpi and zoom 10.
    const auto doc = [](int pixels) { return (pixels * 10000 + 959) / 960; };
    SurfaceGeometry& geometry = m_view.Model().Placement().geometry;
    geometry.back = BackCoverGeometry{doc(100), doc(50), doc(600), doc(400), doc(30)};
    geometry.front = FrontCoverGeometry{doc(10), doc(20), doc(900), doc(450)};
    geometry.disc1 = DiscGeometry{doc(40), doc(60), doc(159), doc(461), 0};
    geometry.disc2 = DiscGeometry{doc(40), doc(600), doc(159), doc(461), 0};
    m_view.m_nScreenDpi = 96;
    m_view.Model().Shown().zoom = 10;
    m_view.UpdateScale();
    m_view.m_ptPageOrigin = POINT{-17, -20};

    const std::map<std::string, RECT> expected = {
        {"Back Cover", {147, 70, 687, 470}},      {"Back Cover All", {117, 70, 717, 470}},
        {"Front Cover", {27, 40, 927, 490}},      {"Left Tab", {117, 70, 147, 470}},
        {"Right Tab", {687, 70, 717, 470}},       {"Outer Radius", {57, 80, 518, 541}},
        {"Outer Radius2", {57, 620, 518, 1081}},  {"Inner Radius", {208, 231, 367, 390}},
        {"Inner Radius2", {208, 771, 367, 930}},  {"Nothing", {0, 0, 0, 0}},
    };
    for (const auto& [name, rect] : expected) {
        const RECT got = m_view.GetSurfaceRect(name.c_str());
        EXPECT_TRUE(EqualRect(&got, &rect)) << name << ": " << got.left << "," << got.top << "," << got.right << ","
                                            << got.bottom;
    }
}

TEST_F(NewLayoutTest, DragLimitsFollowTheSelection)
{
    NewLayout("Single");
    m_view.m_sizePaper = SIZE{8500, 11000};

    m_view.Model().Shown().surface = "Back Cover";
    m_view.SetDragLimits();
    EXPECT_EQ(m_view.m_rcDragLimits.left, 1300);
    EXPECT_EQ(m_view.m_rcDragLimits.right, 1300 + 5910);

    m_view.Model().Shown().surface = "Disc 2";
    m_view.SetDragLimits();
    EXPECT_EQ(m_view.m_rcDragLimits.top, 5688);
    EXPECT_EQ(m_view.m_rcDragLimits.bottom, 5688 + 4625);

    // Another surface name keeps the bounds.
    m_view.Model().Shown().surface = "Front Cover (Inside)";
    m_view.SetDragLimits();
    EXPECT_EQ(m_view.m_rcDragLimits.top, 5688);

    // An image may go anywhere on its sheet.
    m_view.AddObjectRecord(PropertyEntry{"Image(1)", "Item Type", "Image", 0, "", "1", 0});
    m_view.m_strSelectedObject = "Image(1)";
    m_view.SetDragLimits();
    EXPECT_EQ(m_view.m_rcDragLimits.right, 8500);
    EXPECT_EQ(m_view.m_rcDragLimits.bottom, 11000);
}
