// The property rules on a real layout: what each caption of each kind of
// object changes, which of those changes are recorded for undo, the limits
// that keep surfaces in the printable area, and damaged models.
#include "label/PropertyRules.h"
#include "label/TestLabelObjects.h"

#include "framework/Conversions.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
using TestLabel::kCache;

class PropertyRulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestLabel::AddLayout(m_model);
        TestLabel::AddUserObjects(m_model);
        Show("Front Cover", "2");
        // Letter paper, turned: the printable area of the cover sheet.
        m_context.guide = RECT{250, 250, 10750, 8250};
        m_context.units = "Inches";
        // A picture twice as wide as high in slot 0; nothing in any other slot.
        m_context.keepImageAspect = [](double& width, double& height, int imageNumber) {
            if (imageNumber != 0)
                return false;
            if (width / height < 2.0)
                height = width / 2.0;
            else if (width / height > 2.0)
                width = height * 2.0;
            return true;
        };
        m_context.shiftLayoutCache = [](CString& cache, const CString& axis, int distance) {
            cache += axis + IntToStr(distance);
        };
    }

    void Show(const char* surface, const char* page)
    {
        m_model.Shown().surface = surface;
        m_model.Shown().page = page;
    }

    PropertyEdit Plan(const char* name, const char* caption, const char* value, bool skipRow = false)
    {
        return PropertyRules::PlanChange(m_model, m_context, name, caption, value, skipRow);
    }

    // Writes an edit into the model as the view does, to plan the next one on it.
    void Apply(const PropertyEdit& edit)
    {
        for (const TextChange& text : edit.texts)
            m_model.SetTextRowValue(text.textRow, text.value);
        for (const RowChange& change : edit.rows) {
            if (change.field == RowField::Choices)
                m_model.SetRowChoices(change.row, change.stored);
            else
                m_model.SetRowValue(change.row, change.stored);
        }
        if (edit.placement)
            m_model.Placement() = *edit.placement;
        if (edit.shownSurface)
            m_model.Shown().surface = *edit.shownSurface;
        if (edit.shownPage)
            m_model.Shown().page = *edit.shownPage;
    }

    CString Value(const char* name, const char* key) const { return m_model.GetPropertyValue(name, key); }

    // The changes of an edit by "object/key" (choices fields as "object/key#choices").
    std::map<std::string, RowChange> ChangesOf(const PropertyEdit& edit) const
    {
        std::map<std::string, RowChange> changes;
        for (const RowChange& change : edit.rows) {
            const PropertyEntry& row = m_model.Row(change.row);
            std::string key = std::string(row.m_strObjectName) + "/" + std::string(row.m_strKey);
            if (change.field == RowField::Choices)
                key += "#choices";
            changes[key] = change;
        }
        return changes;
    }

    CLabelModel m_model;
    PropertyRuleContext m_context;
};

struct Expected
{
    const char* row;  // "object/key", "#choices" for the choices field
    std::string stored;
    bool recorded;
};

struct CaptionCase
{
    const char* shown;  // surface shown
    const char* object;
    const char* caption;
    const char* value;
    const char* result;
    std::vector<Expected> changes;  // every row the change writes
};

const std::string kCacheText = kCache;

TEST_F(PropertyRulesTest, EveryCaptionOfEveryKindChangesItsRowAndItsDependentRows)
{
    const CaptionCase cases[] = {
        // Texts: what shapes the layout empties the cached lines; a move on a flat surface shifts them.
        {"Front Cover", "Artist(1)", "Left", "5.750", "5.750",
         {{"Artist(1)/Left", "5.750", true}, {"Artist(1)/Vector Data", kCacheText + "Left250", false}}},
        {"Front Cover", "Artist(1)", "Top", "1.125 ''", "1.125 ''",
         {{"Artist(1)/Top", "1.125 ''", true}, {"Artist(1)/Vector Data", kCacheText + "Top125", false}}},
        {"Disc 1", "Artist(2)", "Left", "2.600 ''", "2.600 ''",
         {{"Artist(2)/Left", "2.600 ''", true}, {"Artist(2)/Vector Data", "", false}}},
        {"Front Cover", "Artist(1)", "Width", "2.000 ''", "2.000 ''",
         {{"Artist(1)/Width", "2.000 ''", true}, {"Artist(1)/Vector Data", "", false}}},
        {"Front Cover", "Artist(1)", "Height", "0.500 ''", "0.500 ''",
         {{"Artist(1)/Height", "0.500 ''", true}, {"Artist(1)/Vector Data", "", false}}},
        {"Front Cover", "Artist(1)", "Alignment", "Left", "Left", {{"Artist(1)/Alignment", "Left", true}}},
        {"Disc 1", "Artist(2)", "Alignment", "Left", "Left",
         {{"Artist(2)/Alignment", "Left", true}, {"Artist(2)/Vector Data", "", false}}},
        {"Front Cover", "Artist(1)", "Font", "Tahoma,20,700,0", "Tahoma,20,700,0",
         {{"Artist(1)/Font", "Tahoma,20,700,0", true}, {"Artist(1)/Vector Data", "", false}}},
        {"Front Cover", "Artist(1)", "MultiLine", "No", "No",
         {{"Artist(1)/MultiLine", "No", true}, {"Artist(1)/Vector Data", "", false}}},
        {"Front Cover", "Artist(1)", "Angle", "90 degrees", "90 degrees",
         {{"Artist(1)/Angle", "90 degrees", true}, {"Artist(1)/Vector Data", "", false}}},
        {"Front Cover", "Artist(1)", "Color", "255,0,0", "255,0,0", {{"Artist(1)/Color", "255,0,0", true}}},
        {"Front Cover", "Artist(1)", "Color", "0,0,0", "0,0,0", {}},
        {"Front Cover", "Artist(1)", "View", "Front Cover (Inside)", "Front Cover (Inside)",
         {{"Artist(1)/View#choices", "Front Cover (Inside)", true}}},
        {"Front Cover", "Artist(1)", "View", "Inside", "Inside", {}},  // the choices field holds it already
        // Track lists.
        {"Back Cover", "Track List(1)", "Track Numbers", "No", "No",
         {{"Track List(1)/Track Numbers", "No", true}, {"Track List(1)/Vector Data", "", false}}},
        {"Back Cover", "Track List(1)", "Track Times", "No", "No",
         {{"Track List(1)/Track Times", "No", true}, {"Track List(1)/Vector Data", "", false}}},
        {"Back Cover", "Track List(1)", "Offset Numbers", "No", "No",
         {{"Track List(1)/Offset Numbers", "No", true}, {"Track List(1)/Vector Data", "", false}}},
        {"Back Cover", "Track List(1)", "Wrap Tracks", "Yes", "Yes",
         {{"Track List(1)/Wrap Tracks", "Yes", true},
          {"Track List(1)/Offset Numbers", "No", true},
          {"Track List(1)/Vector Data", "", false}}},
        {"Disc 1", "Track List(2)", "Skip Center", "Yes", "Yes",
         {{"Track List(2)/Skip Center", "Yes", true}, {"Track List(2)/Vector Data", "", false}}},
        {"Disc 1", "Track List(2)", "Wrap Tracks", "No", "No",
         {{"Track List(2)/Wrap Tracks", "No", true}, {"Track List(2)/Vector Data", "", false}}},
        // Images.
        {"Front Cover", "Image(2)", "Lock Aspect Ratio", "Yes", "Yes",
         {{"Image(2)/Lock Aspect Ratio", "Yes", true}, {"Image(2)/Height", "0.550 ''", true}}},
        {"Back Cover", "Image(3)", "Lock Aspect Ratio", "Yes", "No", {}},  // no picture: stays off
        {"Front Cover", "Image(1)", "Set as Background", "Yes", "Disabled On",
         {{"Image(1)/Set as Background", "Disabled On", true}}},
        {"Front Cover", "Image(1)", "Bring to Front", "Yes", "Disabled On",
         {{"Image(1)/Bring to Front", "Disabled On", true}}},
        {"Front Cover", "Image(1)", "Bring to Front", "UNo", "No", {{"Image(1)/Bring to Front", "No", false}}},
        {"Front Cover", "Image(1)", "Item Type", "Background", "Background",
         {{"Image(1)/Item Type#choices", "Background", true}}},
        {"Front Cover", "Image(1)", "Image Number", "3", "3", {{"Image(1)/Image Number", "3", true}}},
        {"Front Cover", "Image(1)", "Page", "3", "3", {{"Image(1)/Page", "3", true}}},
        // Boundaries and pages have no cached lines.
        {"Back Cover", "Left Tab", "Left", "1.400", "1.400", {{"Left Tab/Left", "1.400", true}}},
        {"Back Cover", "Left Tab", "Color", "9,9,9", "9,9,9", {{"Left Tab/Color", "9,9,9", true}}},
        {"Front Cover", "Page 2", "Orientation", "Portrait", "Portrait",
         {{"Page 2/Orientation", "Portrait", true},
          {"Page 2/Width", "8.500", true},
          {"Page 2/Height", "11.000", true}}},
        {"Front Cover", "Page 2", "Orientation", "Landscape", "Landscape", {}},
        {"Disc 1", "Page 1", "Orientation", "Landscape", "Landscape",
         {{"Page 1/Orientation", "Landscape", true}, {"Page 1/Width", "11.000", true}, {"Page 1/Height", "8.500", true}}},
        {"Back Cover", "Page 3", "Width", "9.000", "9.000", {{"Page 3/Width", "9.000", true}}},
        // Surfaces: rows the layout code reads are only stored.
        {"Front Cover", "Front Cover", "Print Border", "No", "No", {{"Front Cover/Print Border", "No", true}}},
        {"Front Cover", "Front Cover", "Color", "0,0,255", "0,0,255", {{"Front Cover/Color", "0,0,255", true}}},
        {"Front Cover", "Front Cover", "Width", "9.000", "9.000", {{"Front Cover/Width", "9.000", true}}},
        {"Back Cover", "Back Cover", "Tab", "0.300", "0.300", {{"Back Cover/Tab", "0.300", true}}},
        {"Disc 1", "Disc 2", "Print Border", "Yes", "Yes", {{"Disc 2/Print Border", "Yes", true}}},
        {"Disc 1", "Disc 1", "Label Position", "Bottom", "Bottom", {}},  // the page layout writes it
        {"Disc 1", "Disc 1", "Label Position", "Top", "Top", {}},
        // Nothing to find.
        {"Front Cover", "No Such(1)", "Left", "1.000", "1.000", {}},
        {"Front Cover", "Artist(1)", "No Such Caption", "x", "x", {}},
    };
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(std::string(c.object) + " " + c.caption + " " + c.value);
        Show(c.shown, "2");
        const PropertyEdit edit = Plan(c.object, c.caption, c.value);
        EXPECT_EQ(std::string(edit.result), c.result);
        const auto changes = ChangesOf(edit);
        EXPECT_EQ(changes.size(), c.changes.size());
        for (const Expected& expected : c.changes) {
            const auto found = changes.find(expected.row);
            ASSERT_NE(found, changes.end()) << expected.row;
            EXPECT_EQ(std::string(found->second.stored), expected.stored) << expected.row;
            EXPECT_EQ(found->second.recorded, expected.recorded) << expected.row;
            // ("Bring to Front" marks its pair for undo: see the test of the one-shot commands.)
            if (expected.recorded && std::string(c.caption) != "Bring to Front") {
                EXPECT_EQ(found->second.recordedFrom, found->second.before) << expected.row;
                EXPECT_EQ(std::string(found->second.recordedTo), expected.stored) << expected.row;
            }
        }
        EXPECT_EQ(edit.ChangesLabel(), !c.changes.empty() || edit.placement.has_value() ||
                                           !edit.discToSwitch.IsEmpty());
    }
}

TEST_F(PropertyRulesTest, OneShotImageCommandsAskTheViewToAct)
{
    const PropertyEdit background = Plan("Image(1)", "Set as Background", "Yes");
    EXPECT_TRUE(background.setImageAsBackground);

    // "Yes" again while "Disabled On" is stored runs the command again, but
    // the unchanged row is no change to undo.
    Apply(background);
    const PropertyEdit again = Plan("Image(1)", "Set as Background", "Yes");
    EXPECT_TRUE(again.rows.empty());
    EXPECT_EQ(again.result, "Disabled On");
    EXPECT_TRUE(again.setImageAsBackground);

    // Undo hands the value back marked with "U": the pair is marked so.
    const PropertyEdit front = Plan("Image(2)", "Bring to Front", "Yes");
    ASSERT_EQ(front.rows.size(), 1u);
    EXPECT_EQ(front.rows[0].recordedFrom, "UDisabled On");
    EXPECT_EQ(front.rows[0].recordedTo, "UDisabled On");
    EXPECT_TRUE(front.bringImageToFront);
    EXPECT_EQ(front.frontRole, "2");
    EXPECT_EQ(front.frontImageNumber, 0);
    EXPECT_FALSE(Plan("Image(2)", "Bring to Front", "UYes").bringImageToFront);

    const PropertyEdit position = Plan("Disc 1", "Label Position", "Bottom");
    EXPECT_EQ(position.discToSwitch, "Disc 1");
    EXPECT_EQ(position.shownSurface.value_or(""), "Disc 1");
}

TEST_F(PropertyRulesTest, NumbersSetOffAndWrappedTracksExcludeEachOtherAndBothAreRecorded)
{
    Apply(Plan("Track List(1)", "Wrap Tracks", "Yes"));
    EXPECT_EQ(Value("Track List(1)", "Offset Numbers"), "No");
    const PropertyEdit offset = Plan("Track List(1)", "Offset Numbers", "Yes");
    const auto changes = ChangesOf(offset);
    ASSERT_EQ(changes.count("Track List(1)/Wrap Tracks"), 1u);
    EXPECT_TRUE(changes.at("Track List(1)/Wrap Tracks").recorded);
    EXPECT_EQ(changes.at("Track List(1)/Wrap Tracks").recordedFrom, "Yes");
    EXPECT_EQ(changes.at("Track List(1)/Wrap Tracks").stored, "No");

    // On a disc the row before "Wrap Tracks" is "Skip Center", which stays.
    Apply(Plan("Track List(2)", "Skip Center", "Yes"));
    Apply(Plan("Track List(2)", "Wrap Tracks", "No"));
    const auto disc = ChangesOf(Plan("Track List(2)", "Wrap Tracks", "Yes"));
    EXPECT_EQ(disc.count("Track List(2)/Skip Center"), 0u);
}

TEST_F(PropertyRulesTest, MovingACoverCarriesTheObjectsOfTheSurfaceShownWithoutRecordingThem)
{
    const PropertyEdit edit = Plan("Front Cover", "Left", "1.000");
    EXPECT_EQ(edit.result, "1.000 ''");
    ASSERT_TRUE(edit.placement);
    EXPECT_EQ(edit.placement->geometry.front.left, 1000);
    const auto changes = ChangesOf(edit);
    EXPECT_EQ(changes.at("Front Cover/Left").recordedFrom, "0.800");
    EXPECT_EQ(changes.at("Front Cover/Left").recordedTo, "1.000 ''");
    // 0.2 inch to the right: texts, images and the inside boundary.
    EXPECT_EQ(changes.at("Artist(1)/Left").stored, "5.700 ''");
    EXPECT_EQ(changes.at("Artist(1)/Vector Data").stored, kCacheText + "Left200");
    EXPECT_EQ(changes.at("Inside Note(1)/Left").stored, "1.200 ''");
    EXPECT_EQ(changes.at("Image(1)/Left").stored, "6.200 ''");
    EXPECT_EQ(changes.at("Front Cover (Inside)/Left").stored, "1.000 ''");
    for (const auto& [row, change] : changes)
        EXPECT_EQ(change.recorded, row == "Front Cover/Left") << row;
    EXPECT_EQ(changes.count("Artist(2)/Left"), 0u) << "objects of other surfaces stay";
    EXPECT_EQ(changes.count("Front Cover/Top"), 0u);

    const auto down = ChangesOf(Plan("Front Cover", "Top", "1.000"));
    EXPECT_EQ(down.at("Artist(1)/Top").stored, "1.200 ''");
    EXPECT_EQ(down.at("Artist(1)/Vector Data").stored, kCacheText + "Top200");
    EXPECT_EQ(down.count("Artist(1)/Left"), 0u);
}

TEST_F(PropertyRulesTest, MovingADiscCarriesItsObjectsByWholeThousandths)
{
    Show("Disc 1", "1");
    const auto changes = ChangesOf(Plan("Disc 1", "Left", "2.000"));
    EXPECT_EQ(changes.at("Disc 1/Left").stored, "2.000 ''");
    EXPECT_EQ(changes.at("Artist(2)/Left").stored, "2.562 ''");
    EXPECT_EQ(changes.at("Artist(2)/Vector Data").stored, kCacheText + "Left62");
    EXPECT_EQ(changes.at("Track List(2)/Left").stored, "2.562 ''");
    EXPECT_EQ(changes.count("Artist(1)/Left"), 0u);
}

TEST_F(PropertyRulesTest, TheWholeSurfaceMovesByADistanceWithoutUndoEntries)
{
    // A distance written with six decimals, as the cover rule writes it.
    const PropertyEdit edit = Plan("", "Top", "125.000000");
    EXPECT_EQ(edit.result, "125.000000");
    const auto changes = ChangesOf(edit);
    EXPECT_EQ(changes.at("Artist(1)/Top").stored, "1.125 ''");
    EXPECT_EQ(changes.at("Artist(1)/Vector Data").stored, kCacheText + "Top125");
    EXPECT_EQ(changes.at("Front Cover (Inside)/Top").stored, "0.925 ''");
    EXPECT_EQ(changes.count("Front Cover/Top"), 0u) << "surfaces don't move with their objects";
    EXPECT_EQ(changes.count("Page 2/Top"), 0u);
    for (const auto& [row, change] : changes)
        EXPECT_FALSE(change.recorded) << row;

    Show("Back Cover", "3");
    const auto back = ChangesOf(Plan("", "Left", "250"));
    // The tabs' rows were written from lengths read back truncated: they move by 250, give or take that.
    for (const char* tab : {"Left Tab", "Right Tab"}) {
        const int before = LabelRows::ReadLength(Value(tab, "Left"));
        EXPECT_NEAR(LabelRows::ReadLength(back.at(std::string(tab) + "/Left").stored) - before, 250, 1) << tab;
    }
    EXPECT_EQ(back.at("Track List(1)/Left").stored, "2.050 ''");
    EXPECT_EQ(back.count("Back Cover/Left"), 0u);
}

TEST_F(PropertyRulesTest, ASurfaceTakesItsObjectsToItsNewPage)
{
    Show("Front Cover", "2");
    const PropertyEdit edit = Plan("Back Cover", "Page", "2");
    EXPECT_EQ(edit.shownSurface.value_or(""), "Back Cover");
    EXPECT_EQ(edit.shownPage.value_or(""), "2");
    ASSERT_TRUE(edit.placement);
    EXPECT_EQ(edit.placement->backCoverPage, "2");
    const auto changes = ChangesOf(edit);
    EXPECT_TRUE(changes.at("Back Cover/Page").recorded);
    for (const char* row : {"Track List(1)/Page", "Left Tab/Page", "Right Tab/Page", "Image(3)/Page"}) {
        ASSERT_EQ(changes.count(row), 1u) << row;
        EXPECT_EQ(changes.at(row).stored, "2") << row;
        EXPECT_FALSE(changes.at(row).recorded) << row;
    }
    EXPECT_EQ(changes.size(), 5u) << "nothing of the other surfaces";
}

struct LimitCase
{
    const char* what;
    bool recording;
    bool clamp;
    bool printer;
    RECT guide;
    const char* left;
    const char* stored;
};

TEST_F(PropertyRulesTest, CoversStayInThePrintableAreaOnlyWhileAUserEditsAndThereIsOne)
{
    const RECT letter{250, 250, 10750, 8250};
    const LimitCase cases[] = {
        {"fits", true, true, true, letter, "1.000", "1.000 ''"},
        {"right edge pulled in", true, true, true, letter, "2.000", "1.230 ''"},
        {"left edge pulled in", true, true, true, letter, "0.100", "0.250 ''"},
        {"narrower than the cover: the left bound wins", true, true, true, RECT{250, 250, 5000, 8250}, "3.000",
         "0.250 ''"},
        {"replayed by undo", false, true, true, letter, "2.000", "2.000 ''"},
        {"being laid out", true, false, true, letter, "2.000", "2.000 ''"},
        {"no printer", true, true, false, RECT{}, "2.000", "2.000 ''"},
        {"no printable area", true, true, true, RECT{}, "2.000", "2.000 ''"},
        {"no printable area, small move", true, true, true, RECT{}, "0.500", "0.500 ''"},
    };
    for (const LimitCase& c : cases) {
        m_context.undoRecording = c.recording;
        m_context.guideClamp = c.clamp;
        m_context.printerAvailable = c.printer;
        m_context.guide = c.guide;
        const PropertyEdit edit = Plan("Front Cover", "Left", c.left);
        EXPECT_EQ(std::string(edit.result), c.stored) << c.what;
        ASSERT_TRUE(edit.placement) << c.what;
        EXPECT_EQ(LabelRows::ObjectLengthText(edit.placement->geometry.front.left), edit.result) << c.what;
    }

    // A disc keeps its outer diameter inside.
    m_context = PropertyRuleContext{};
    m_context.guide = RECT{250, 250, 8250, 10750};
    Show("Disc 1", "1");
    EXPECT_EQ(Plan("Disc 1", "Left", "5.000").result, "3.625 ''");
    EXPECT_EQ(Plan("Disc 1", "Top", "0.000").result, "0.250 ''");
}

TEST_F(PropertyRulesTest, DiameterBoundsAndTheirMessages)
{
    Show("Disc 1", "1");
    m_context.guide = RECT{250, 250, 8250, 10750};

    PropertyEdit edit = Plan("Disc 1", "Inner Diameter", "5");
    EXPECT_EQ(edit.result, "4.625 ''");
    EXPECT_EQ(edit.message.value_or(""), "The inner diameter cannot exceed the outer diameter.");
    const auto inner = ChangesOf(edit);
    EXPECT_EQ(inner.at("Artist(2)/Vector Data").stored, "");
    EXPECT_EQ(inner.at("Track List(2)/Vector Data").stored, "");
    EXPECT_EQ(inner.count("Artist(1)/Vector Data"), 0u);

    edit = Plan("Disc 1", "Inner Diameter", "-1");
    EXPECT_EQ(edit.result, "0.000 ''");
    EXPECT_FALSE(edit.message);

    edit = Plan("Disc 1", "Outer Diameter", "1");
    EXPECT_EQ(edit.result, "1.600 ''");
    EXPECT_EQ(edit.message.value_or(""), "The outer diameter cannot be smaller then the inner diameter.");

    // 6 inches fit the area from 1.938 to 8.25, but not the 5 inch cap.
    edit = Plan("Disc 1", "Outer Diameter", "6");
    EXPECT_EQ(edit.result, "5.000 ''");
    EXPECT_EQ(edit.message.value_or(""), "The outer diameter cannot exceed 5.000''");
    m_context.undoRecording = false;
    edit = Plan("Disc 1", "Outer Diameter", "6");
    EXPECT_EQ(edit.result, "6.000 ''");
    EXPECT_FALSE(edit.message);
    m_context.undoRecording = true;

    // An area too narrow for the hole still leaves a disc around it.
    m_context.guide = RECT{250, 250, 2938, 10750};
    EXPECT_EQ(Plan("Disc 1", "Outer Diameter", "4").result, "1.600 ''");
    m_context.guide = RECT{250, 250, 1000, 10750};  // right of the area left of the disc
    edit = Plan("Disc 1", "Outer Diameter", "4");
    EXPECT_EQ(edit.result, "1.600 ''");
    EXPECT_EQ(edit.placement->geometry.disc1.outerDiameter, 1600);
}

TEST_F(PropertyRulesTest, ANewOuterDiameterPullsTheDiscTextsIntoItsSquare)
{
    Show("Disc 1", "1");
    m_context.guide = RECT{250, 250, 8250, 10750};
    Apply(Plan("Disc 1", "Left", "2.000"));  // texts now from 2.562
    // The square becomes (2, 0.688) to (5, 3.688).
    const auto changes = ChangesOf(Plan("Disc 1", "Outer Diameter", "3"));
    EXPECT_EQ(changes.at("Artist(2)/Left").stored, "2.000 ''");
    EXPECT_TRUE(changes.at("Artist(2)/Left").recorded);
    EXPECT_EQ(changes.count("Artist(2)/Top"), 0u) << "a length that did not move is not rewritten";
    EXPECT_EQ(changes.count("Artist(2)/Width"), 0u);
    EXPECT_EQ(changes.at("Track List(2)/Left").stored, "2.000 ''");
    EXPECT_EQ(changes.at("Track List(2)/Top").stored, "2.188 ''");
    EXPECT_EQ(changes.at("Track List(2)/Vector Data").stored, "");

    // Bigger than the square: cut to it.
    Apply(Plan("Track List(2)", "Height", "5.000 ''"));
    const auto cut = ChangesOf(Plan("Disc 1", "Outer Diameter", "2.5"));
    EXPECT_EQ(cut.at("Track List(2)/Top").stored, "0.688 ''");
    EXPECT_EQ(cut.at("Track List(2)/Height").stored, "2.500 ''");
}

TEST_F(PropertyRulesTest, TheTextMarginIsBoundByTheRingAndSpeaksTheUnitsSetting)
{
    Show("Disc 1", "1");
    PropertyEdit edit = PropertyRules::PlanTextMargin(m_model, m_context, "Disc 1", "0.5");
    EXPECT_EQ(edit.result, "0.300 ''");
    ASSERT_TRUE(edit.placement);
    EXPECT_EQ(edit.placement->geometry.disc1.textMargin, 300);
    const auto changes = ChangesOf(edit);
    EXPECT_EQ(changes.at("Disc 1/Text Margin").recordedFrom, "0.050 ''");
    EXPECT_EQ(changes.at("Artist(2)/Vector Data").stored, "");
    EXPECT_EQ(PropertyRules::PlanTextMargin(m_model, m_context, "Disc 1", "-1").result, "0.000 ''");

    m_context.units = "Millimeters";
    edit = PropertyRules::PlanTextMargin(m_model, m_context, "Disc 1", "2");
    EXPECT_EQ(edit.result, "2.0 mm");
    EXPECT_EQ(ChangesOf(edit).at("Disc 1/Text Margin").stored, "0.079 ''");
    // 1.27 mm is the 0.050 inch stored: nothing changes, the entry comes back as entered.
    edit = PropertyRules::PlanTextMargin(m_model, m_context, "Disc 1", "1.27");
    EXPECT_EQ(edit.result, "1.27");
    EXPECT_TRUE(edit.rows.empty());
    EXPECT_EQ(PropertyRules::PlanTextMargin(m_model, m_context, "Disc 9", "2").result, "2.0 mm");

    // A narrow ring allows a fifth of its width: (4.75 - 4) / 2 / 5.
    m_context.units = "Inches";
    Apply(Plan("Disc 1", "Outer Diameter", "4.75"));
    Apply(Plan("Disc 1", "Inner Diameter", "4"));
    EXPECT_EQ(PropertyRules::PlanTextMargin(m_model, m_context, "Disc 1", "0.5").result, "0.075 ''");
}

TEST_F(PropertyRulesTest, UnfoldingKeepsTheInsideAndFoldingAgainBringsItBack)
{
    ASSERT_EQ(m_model.Placement().folded, 1);
    Apply(Plan("Front Cover (Inside)", "Color", "10,20,30"));
    const int rowCount = m_model.RowCount();

    const PropertyEdit unfold = Plan("Front Cover", "Folded Cover", "No");
    ASSERT_TRUE(unfold.placement);
    EXPECT_EQ(unfold.placement->folded, 0);
    EXPECT_EQ(unfold.placement->geometry.front.left, 5560);
    EXPECT_EQ(unfold.placement->geometry.front.width, 4760);
    EXPECT_FALSE(unfold.addInsideCoverBoundary);
    const auto changes = ChangesOf(unfold);
    EXPECT_TRUE(changes.at("Front Cover/Folded Cover").recorded);
    EXPECT_EQ(changes.at("Front Cover/Left").stored, "5.560 ''");
    EXPECT_FALSE(changes.at("Front Cover/Left").recorded) << "replaying the fold puts it back";
    EXPECT_EQ(changes.at("Front Cover/Width").stored, "4.760 ''");
    Apply(unfold);
    EXPECT_EQ(m_model.RowCount(), rowCount) << "no object is removed";

    // Undo replays "Yes" through the setter: the same inside, with its colour.
    const PropertyEdit fold = Plan("Front Cover", "Folded Cover", "Yes");
    EXPECT_FALSE(fold.addInsideCoverBoundary);
    Apply(fold);
    EXPECT_EQ(m_model.Placement().folded, 1);
    EXPECT_EQ(m_model.Placement().geometry.front.left, 800);
    EXPECT_EQ(m_model.Placement().geometry.front.width, 9520);
    EXPECT_EQ(Value("Front Cover (Inside)", "Color"), "10,20,30");
    EXPECT_EQ(Value("Inside Note(1)", "Left"), "1.000 ''");
    EXPECT_EQ(m_model.RowCount(), rowCount);

    // Folded again while folded: recorded, but the geometry stays.
    const PropertyEdit twice = Plan("Front Cover", "Folded Cover", "Yes");
    EXPECT_TRUE(ChangesOf(twice).at("Front Cover/Folded Cover").recorded);
    EXPECT_EQ(twice.placement->geometry.front.width, 9520);
}

TEST_F(PropertyRulesTest, FoldingACoverWithoutAnInsideAsksForOne)
{
    ASSERT_GT(m_model.EraseObjectRows("Front Cover (Inside)"), 0);
    Apply(Plan("Front Cover", "Folded Cover", "No"));
    const PropertyEdit fold = Plan("Front Cover", "Folded Cover", "Yes");
    EXPECT_TRUE(fold.addInsideCoverBoundary);
    EXPECT_EQ(fold.placement->geometry.front.left, 800);
}

TEST_F(PropertyRulesTest, ASharedTextReachesEveryObjectNamedAfterIt)
{
    const PropertyEdit edit = Plan("Artist(2)", "Text", "The Band");
    ASSERT_EQ(edit.texts.size(), 1u);
    EXPECT_EQ(m_model.Texts()[static_cast<size_t>(edit.texts[0].textRow)].m_strName, "Artist");
    EXPECT_EQ(edit.texts[0].value, "The Band");
    const auto changes = ChangesOf(edit);
    EXPECT_EQ(changes.at("Artist(1)/Vector Data").stored, "");
    EXPECT_EQ(changes.at("Artist(2)/Vector Data").stored, "");
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_EQ(edit.result, "The Band");
}

TEST_F(PropertyRulesTest, SkippingTheRowChangesNothing)
{
    const PropertyEdit edit = Plan("Artist(1)", "Color", "1,1,1", true);
    EXPECT_EQ(edit.result, "1,1,1");
    EXPECT_FALSE(edit.ChangesLabel());
}

TEST_F(PropertyRulesTest, ADamagedObjectIsRefusedInsteadOfReadingItsNeighbours)
{
    // A text cut short after "Left": its cached lines lie beyond its rows.
    ObjectRows rows(m_model, "Broken(1)", 6);
    rows.Add("Item Type", "", "Text", "", 0);
    rows.Add("Page", "", "2", "", 0);
    rows.Add("Color", "COLOR", "0,0,0", "", 1);
    rows.Add("View", "", "Front Cover", "Inside", 0);
    rows.Add("Font", "FONT", "Arial,72,400,0", "", 1);
    rows.Add("Left", "EDIT", "1.000 ''", "", 0);
    TestLabel::AddText(m_model, "After(1)", "2", "Front Cover", RECT{1000, 1000, 2000, 2000});

    EXPECT_THROW(Plan("Broken(1)", "Left", "2.000"), std::out_of_range);
    EXPECT_THROW(Plan("", "Left", "100"), std::out_of_range);
}

TEST_F(PropertyRulesTest, ARowAtTheEdgeOfTheRowsIsRefused)
{
    // "Left" as an object's second row: the "View" two rows earlier would be the row before the object.
    ObjectRows rows(m_model, "Odd(1)", 3);
    rows.Add("Item Type", "", "Image", "", 0);
    rows.Add("Left", "EDIT", "1.000 ''", "", 0);
    rows.Add("Lock Aspect Ratio", "COMBO", "No", "Yes|No|", 1);
    EXPECT_THROW(Plan("", "Left", "100"), std::out_of_range);
    EXPECT_THROW(Plan("Odd(1)", "Lock Aspect Ratio", "Yes"), std::out_of_range);
}
}  // namespace
