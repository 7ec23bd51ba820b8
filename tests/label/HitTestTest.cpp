// The hit test over the rows of a real new layout (the built-in papers), with
// the disc rings handed in at one pixel per 10 thousandths of an inch.
#include "label/HitTest.h"
#include "label/LabelModel.h"
#include "label/NewLayout.h"
#include "label/ObjectRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr int kLabelPerPixel = 10;

std::string Joined(const std::vector<CString>& names)
{
    std::string text;
    for (const CString& name : names)
        text += std::string(text.empty() ? "" : ",") + name.c_str();
    return text;
}

class HitTestOnLayout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_model.Shown().layout = "Single";
        AddLayoutRows(m_model, CLabelDim::PlainPaper(), CLabelDim::GenericDiscLabels());
    }

    // A Text, Track or Image object of the rows a user object has.
    void AddObject(const char* name, const char* type, const char* page, const char* part, int left, int top,
                   int width, int height)
    {
        const bool image = CString(type) == "Image";
        ObjectRows rows(m_model, name, image ? 8 : 9);
        rows.Add("Item Type", "", type, "", 0);
        rows.Add("Page", "", page, "", 0);
        if (!image) {
            rows.Add("Color", "COLOR", "0,0,0", "", 1);
            rows.Add("View", "", "Disc 1", part, 0);
            rows.Add("Font", "FONT", "Arial,12,400,0", "", 1);
        } else {
            rows.Add("View", "", "Disc 1", part, 0);
            rows.Add("Image Number", "", "0", "", 0);
        }
        rows.Add("Left", "EDIT", LabelRows::ObjectLengthText(left), "", 0);
        rows.Add("Top", "EDIT", LabelRows::ObjectLengthText(top), "", 0);
        rows.Add("Width", "EDIT", LabelRows::ObjectLengthText(width), "", 0);
        rows.Add("Height", "EDIT", LabelRows::ObjectLengthText(height), "", 0);
    }

    std::vector<HitTest::DiscRing> Rings() const
    {
        std::vector<HitTest::DiscRing> rings;
        const char* const names[] = {"Disc 1", "Disc 2"};
        const DiscGeometry* discs[] = {&m_model.Geometry().disc1, &m_model.Geometry().disc2};
        for (int i = 0; i < 2; ++i) {
            const DiscGeometry& disc = *discs[i];
            const int offset = disc.outerDiameter / 2 - disc.innerDiameter / 2;
            HitTest::DiscRing ring;
            ring.name = names[i];
            ring.onPage = m_model.GetPropertyValue(names[i], "Page") == m_page;
            ring.outer = RECT{disc.left / kLabelPerPixel, disc.top / kLabelPerPixel,
                              (disc.left + disc.outerDiameter) / kLabelPerPixel,
                              (disc.top + disc.outerDiameter) / kLabelPerPixel};
            ring.inner = RECT{(disc.left + offset) / kLabelPerPixel, (disc.top + offset) / kLabelPerPixel,
                              (disc.left + offset + disc.innerDiameter) / kLabelPerPixel,
                              (disc.top + offset + disc.innerDiameter) / kLabelPerPixel};
            ring.outerDiameter = disc.outerDiameter;
            rings.push_back(ring);
        }
        return rings;
    }

    HitTest::Probe ProbeAt(int x, int y) const
    {
        const SIZE paper = m_page == "1" ? SIZE{8500, 11000} : m_page == "2" ? SIZE{11000, 8500} : SIZE{8500, 11000};
        return HitTest::Probe{POINT{x / kLabelPerPixel, y / kLabelPerPixel}, POINT{x, y}, paper, m_page};
    }

    std::string HitsAt(int x, int y) const { return Joined(HitTest::AllHits(m_model.Rows(), Rings(), ProbeAt(x, y))); }
    std::string SelectableAt(int x, int y) const
    {
        std::vector<CString> hits = HitTest::AllHits(m_model.Rows(), Rings(), ProbeAt(x, y));
        HitTest::ApplyPrecedence(hits);
        return Joined(hits);
    }

    CLabelModel m_model;
    CString m_page = "1";
};

// Disc 1 of the generic paper: square at (1938, 688), 4625 across, hole 1600.
constexpr int kDiscCentreX = 1938 + 2312;
constexpr int kDiscCentreY = 688 + 2312;

TEST_F(HitTestOnLayout, TheRingIsHitAndTheHoleIsNot)
{
    EXPECT_EQ(HitsAt(kDiscCentreX, kDiscCentreY), "Page 1");
    EXPECT_EQ(HitsAt(kDiscCentreX, 1000), "Disc 1,Page 1");
    EXPECT_EQ(SelectableAt(kDiscCentreX, 1000), "Disc 1");
    // The single layout's second disc has its place on the sheet too.
    EXPECT_EQ(SelectableAt(kDiscCentreX, 6000), "Disc 2");
    // Beside the disc, inside its square: only the page.
    EXPECT_EQ(HitsAt(2000, 750), "Page 1");
}

TEST_F(HitTestOnLayout, SmallestFirstAndEqualAreasGoToTheLaterRows)
{
    AddObject("Big(1)", "Text", "1", "Inside", 3000, 900, 2500, 800);
    AddObject("Small(1)", "Image", "1", "Inside", 4000, 950, 400, 200);
    AddObject("Twin(1)", "Text", "1", "Inside", 3900, 900, 600, 300);
    AddObject("Twin(2)", "Track", "1", "Inside", 3950, 920, 600, 300);
    EXPECT_EQ(HitsAt(4200, 1000), "Small(1),Twin(2),Twin(1),Big(1),Disc 1,Page 1");
    // An edge is part of the box.
    EXPECT_EQ(HitsAt(3000, 900), "Big(1),Page 1");
    // On another page the same place holds nothing of these.
    AddObject("Elsewhere(1)", "Text", "2", "Inside", 4100, 950, 100, 100);
    EXPECT_EQ(HitsAt(4150, 1000).find("Elsewhere"), std::string::npos);
}

TEST_F(HitTestOnLayout, NothingOutsideThePaperNotEvenARing)
{
    HitTest::Probe probe = ProbeAt(kDiscCentreX, 1000);
    probe.paper = SIZE{4000, 11000};
    EXPECT_TRUE(HitTest::BestHit(m_model.Rows(), Rings(), probe, {}).name.IsEmpty());
    probe = ProbeAt(-1, 500);
    EXPECT_TRUE(HitTest::BestHit(m_model.Rows(), Rings(), probe, {}).name.IsEmpty());
}

TEST_F(HitTestOnLayout, CoversAndTheirPartsAndPages)
{
    struct Case
    {
        const char* page;
        int x, y;
        const char* hits;
        const char* selectable;
        const char* part;
    };
    // Plain paper: front cover (800, 800) 9520 x 4760 folded on page 2; back
    // cover (1300, 600) 5910 x 4650 with 250 spine tabs on page 3.
    const Case cases[] = {
        {"2", 2000, 2000, "Front Cover (Inside),Front Cover,Page 2", "Front Cover (Inside)", "Front Cover (Inside)"},
        {"2", 8000, 2000, "Front Cover,Page 2", "Front Cover", "Inside"},
        {"2", 300, 300, "Page 2", "Page 2", ""},
        {"3", 1400, 3000, "Left Tab,Back Cover,Page 3", "Left Tab", "Left Tab"},
        {"3", 7100, 3000, "Right Tab,Back Cover,Page 3", "Right Tab", "Right Tab"},
        {"3", 4000, 3000, "Back Cover,Page 3", "Back Cover", "Inside"},
        {"3", 200, 9000, "Page 3", "Page 3", ""},
    };
    for (const Case& c : cases) {
        m_page = c.page;
        EXPECT_EQ(HitsAt(c.x, c.y), c.hits) << c.x << "," << c.y;
        EXPECT_EQ(SelectableAt(c.x, c.y), c.selectable) << c.x << "," << c.y;
        EXPECT_EQ(std::string(HitTest::BestHit(m_model.Rows(), Rings(), ProbeAt(c.x, c.y), {}).part.c_str()), c.part);
    }
}

TEST_F(HitTestOnLayout, DamagedRowsAreSkippedNotReadPast)
{
    // A "Page" row at the very start, an object cut short after its page row,
    // and an object whose box rows are missing.
    PropertyRows rows;
    rows.push_back(PropertyEntry{"Stray", "Page", "1", 0, "", "", 0});
    rows.push_back(PropertyEntry{"Short(1)", "Item Type", "Text", 0, "", "", 5});
    rows.push_back(PropertyEntry{"Short(1)", "Page", "1", 0, "", "", 4});
    const HitTest::Probe probe = ProbeAt(100, 100);
    EXPECT_TRUE(HitTest::AllHits(rows, {}, probe).empty());
    rows.push_back(PropertyEntry{"Cut(1)", "Item Type", "Page", 0, "", "", 2});
    rows.push_back(PropertyEntry{"Cut(1)", "Page", "1", 0, "", "", 1});
    rows.push_back(PropertyEntry{"Cut(1)", "Orientation", "Portrait", 0, "", "", 0});
    EXPECT_TRUE(HitTest::AllHits(rows, {}, probe).empty());
}

TEST(HitPrecedence, PagesCoversAndTabs)
{
    struct Case
    {
        std::vector<CString> hits;
        const char* kept;
    };
    const Case cases[] = {
        {{"Page 1"}, "Page 1"},
        {{"Title(1)", "Page 1", "Page 2"}, "Title(1),Page 2"},  // only the first page goes
        {{"Front Cover", "Front Cover (Inside)"}, "Front Cover,Front Cover (Inside)"},
        {{"Right Tab", "Back Cover"}, "Right Tab"},
        {{"Back Cover", "Left Tab"}, "Back Cover,Left Tab"},
        {{}, ""},
    };
    for (Case c : cases) {
        HitTest::ApplyPrecedence(c.hits);
        EXPECT_EQ(Joined(c.hits), c.kept);
    }
}

TEST(HitCycling, RepeatedPressesWalkTheStackAndWrap)
{
    const std::vector<CString> stack{"A(1)", "B(1)", "C(1)"};
    struct Case
    {
        std::vector<CString> previous;
        const char* selected;
        bool switched;
        const char* chosen;
    };
    const Case cases[] = {
        {{}, "", false, "A(1)"},                  // first press
        {stack, "A(1)", false, "B(1)"},
        {stack, "B(1)", false, "C(1)"},
        {stack, "C(1)", false, "A(1)"},           // wraps
        {stack, "Other(1)", false, "A(1)"},       // selection not in the stack
        {stack, "A(1)", true, "A(1)"},            // a surface was just switched to
        {{"A(1)", "B(1)"}, "A(1)", false, "A(1)"},  // other hits: start again
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(HitTest::ChooseHit(stack, c.previous, c.selected, c.switched).c_str()), c.chosen)
            << c.selected;
    EXPECT_TRUE(HitTest::ChooseHit({}, stack, "A(1)", false).IsEmpty());
}
}  // namespace
