#include "printing/AlignWizardRules.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Text(const CString& text)
{
    return std::string(static_cast<LPCSTR>(text));
}

TEST(AlignWizardRulesTest, DiscDiametersAreBoundedAndShared)
{
    const struct
    {
        WizardValue which;
        const char* typed;
        bool inches;
        int expected;
        const char* shown;
    } cases[] = {
        {WizardValue::Width1, "2.5", true, 3000, "3.000 ''"},
        {WizardValue::Width1, "6", true, 5000, "5.000 ''"},
        {WizardValue::Width1, "4.25", true, 4250, "4.250 ''"},
        {WizardValue::Height1, "0.5", true, 600, "0.600 ''"},
        {WizardValue::Height1, "2.5", true, 2000, "2.000 ''"},
        {WizardValue::Width1, "100 mm", false, 3937, "100.0 mm"},
        {WizardValue::Height1, "10 mm", false, 600, "15.2 mm"},
    };
    for (const auto& c : cases)
    {
        AlignWizardRules rules(CLabelDim::GenericDiscLabels(), true, c.inches);
        rules.ReadValueText(c.which, c.typed);
        const CLabelDim& paper = rules.Paper();
        if (c.which == WizardValue::Width1)
        {
            EXPECT_EQ(paper.m_nWidth1, c.expected) << c.typed;
            EXPECT_EQ(paper.m_nWidth2, c.expected) << c.typed;
        }
        else
        {
            EXPECT_EQ(paper.m_nHeight1, c.expected) << c.typed;
            EXPECT_EQ(paper.m_nHeight2, c.expected) << c.typed;
        }
        EXPECT_EQ(Text(rules.ValueText(c.which)), c.shown) << c.typed;
    }
}

TEST(AlignWizardRulesTest, PartsStayOnTheirSheetAndNeverGoNegative)
{
    const struct
    {
        int kind;
        bool front;
        WizardValue which;
        int typed;
        int expected;
    } cases[] = {
        // "[Plain Paper]": front 9520 wide on an 11000 sheet, back 5910 x 4650 on 8500 x 11000.
        {1, true, WizardValue::Left1, 5000, 11000 - 9520},
        {1, true, WizardValue::Left1, -300, 0},
        {1, true, WizardValue::Top1, 8000, 8500 - 4760},
        {1, false, WizardValue::Left2, 9000, 8500 - 5910},
        {1, false, WizardValue::Top2, 9000, 11000 - 4650},
        {1, true, WizardValue::Left2, 9000, 11000 - 5910},  // checked against the shown sheet 1
        // "[Generic]": discs of 4625 on 8500 x 11000.
        {0, true, WizardValue::Left2, 5000, 8500 - 4625},
        {0, true, WizardValue::Top1, 11000, 11000 - 4625},
        {0, true, WizardValue::Top2, -1, 0},
        {0, true, WizardValue::Left1, 1938, 1938},
    };
    for (const auto& c : cases)
    {
        AlignWizardRules rules(c.kind == 0 ? CLabelDim::GenericDiscLabels() : CLabelDim::PlainPaper(), c.front, true);
        rules.SetValue(c.which, c.typed);
        EXPECT_EQ(rules.Value(c.which), c.expected) << WizardValueKey(c.which) << " " << c.typed;
    }

    // A cover wider than its sheet starts at the sheet's edge instead of before it.
    CLabelDim wide = CLabelDim::PlainPaper();
    wide.m_nWidth1 = 12000;
    AlignWizardRules rules(wide, true, true);
    rules.SetValue(WizardValue::Left1, 500);
    EXPECT_EQ(rules.Value(WizardValue::Left1), 0);
}

TEST(AlignWizardRulesTest, SpinsMoveByAStepInTheUnitShown)
{
    AlignWizardRules inches(CLabelDim::PlainPaper(), true, true);
    inches.Spin(WizardValue::Left1, -1);
    EXPECT_EQ(inches.Paper().m_nLeft1, 810);
    inches.Spin(WizardValue::Left1, 1);
    inches.Spin(WizardValue::Left1, 1);
    EXPECT_EQ(inches.Paper().m_nLeft1, 790);

    AlignWizardRules millimetres(CLabelDim::PlainPaper(), true, false);
    // 800 thousandths show as 20.3 mm; one click up is 20.4 mm.
    millimetres.Spin(WizardValue::Top1, -1);
    EXPECT_EQ(millimetres.Paper().m_nTop1, static_cast<int>(20.4 * 39.37007874015748));
    EXPECT_EQ(Text(millimetres.ValueText(WizardValue::Top1)), "20.4 mm");

    // Spinning a diameter moves both discs and stops at the bound.
    AlignWizardRules disc(CLabelDim::GenericDiscLabels(), true, true);
    for (int i = 0; i < 100; ++i)
        disc.Spin(WizardValue::Width1, -1);
    EXPECT_EQ(disc.Paper().m_nWidth1, 5000);
    EXPECT_EQ(disc.Paper().m_nWidth2, 5000);
    for (int i = 0; i < 200; ++i)
        disc.Spin(WizardValue::Left1, 1);
    EXPECT_EQ(disc.Paper().m_nLeft1, 0);
}

TEST(AlignWizardRulesTest, PagesChoiceSetsThePresets)
{
    AlignWizardRules rules(CLabelDim::PlainPaper(), false, true);
    EXPECT_FALSE(rules.ChoosePages(2)) << "already on two pages";

    ASSERT_TRUE(rules.ChoosePages(1));
    const CLabelDim& p = rules.Paper();
    EXPECT_EQ(p.m_nPage2, 2);
    EXPECT_EQ(p.m_nSheetWidth1, 8500);
    EXPECT_EQ(p.m_nSheetHeight1, 11000);
    EXPECT_EQ(p.m_nSheetWidth2, 8500);
    EXPECT_EQ(p.m_nSheetHeight2, 11000);
    EXPECT_EQ(p.m_nTop1, 600);
    EXPECT_EQ(p.m_nLeft1, 1870);
    EXPECT_EQ(p.m_nTop2, 5750);
    EXPECT_EQ(p.m_nLeft2, 1300);
    EXPECT_TRUE(rules.FrontSide());
    EXPECT_EQ(Text(rules.Caption()), " Label Alignment Wizard  -  Front & Back Cover");

    // Back to two pages in millimetres: the back cover gets an A4 upright sheet.
    rules.SetInches(false);
    rules.ChooseFolded(false);
    const int flatWidth = p.m_nWidth1;
    ASSERT_TRUE(rules.ChoosePages(2));
    EXPECT_EQ(p.m_nPage2, 3);
    EXPECT_EQ(p.m_nSheetWidth2, 8268);
    EXPECT_EQ(p.m_nSheetHeight2, 11693);
    EXPECT_GT(p.m_nSheetWidth1, p.m_nSheetHeight1) << "the front cover's sheet turns landscape";
    EXPECT_EQ(p.m_nFolded, 1);
    EXPECT_EQ(p.m_nWidth1, 2 * flatWidth);
    EXPECT_EQ(p.m_nTop1, 800);
    EXPECT_EQ(p.m_nLeft1, 800);
    EXPECT_EQ(p.m_nLeft2, 1300);
    EXPECT_EQ(p.m_nTop2, 600);
    EXPECT_EQ(Text(rules.Caption()), " Label Alignment Wizard  -  Front Cover");
    rules.SetFrontSide(false);
    EXPECT_EQ(Text(rules.Caption()), " Label Alignment Wizard  -  Back Cover");
}

TEST(AlignWizardRulesTest, PaperSizeAndOrientationWorkOnTheShownSheet)
{
    const struct
    {
        bool front;
        int entry;
        bool landscape;
        SIZE expected;
    } cases[] = {
        {true, 1, true, {11693, 8268}},   // sheet 1 is landscape: A4 across
        {true, 0, false, {8500, 11000}},  // turned upright
        {false, 1, false, {8268, 11693}},
        {false, 0, true, {11000, 8500}},
    };
    for (const auto& c : cases)
    {
        AlignWizardRules rules(CLabelDim::PlainPaper(), c.front, true);
        rules.ChoosePaperSize(c.entry);
        rules.ChooseOrientation(c.landscape);
        EXPECT_EQ(rules.ShownSheet().cx, c.expected.cx);
        EXPECT_EQ(rules.ShownSheet().cy, c.expected.cy);
        EXPECT_EQ(rules.PaperSizeEntry(), c.entry);
        // The other sheet is untouched.
        const CLabelDim& p = rules.Paper();
        EXPECT_EQ(c.front ? p.m_nSheetWidth2 : p.m_nSheetWidth1, c.front ? 8500 : 11000);
    }
    AlignWizardRules disc(CLabelDim::GenericDiscLabels(), false, true);
    EXPECT_EQ(Text(disc.Caption()), " Label Alignment Wizard  -  Disc Label");
    EXPECT_TRUE(disc.FrontSide()) << "disc paper has one sheet";
}

TEST(AlignWizardRulesTest, FoldingDoublesAndHalvesTheFrontCover)
{
    AlignWizardRules rules(CLabelDim::PlainPaper(), true, true);
    rules.ChooseFolded(true);
    EXPECT_EQ(rules.Paper().m_nWidth1, 9520) << "already folded";
    rules.ChooseFolded(false);
    EXPECT_EQ(rules.Paper().m_nWidth1, 4760);
    EXPECT_EQ(rules.Paper().m_nFolded, 0);
    rules.ChooseFolded(true);
    EXPECT_EQ(rules.Paper().m_nWidth1, 9520);
    EXPECT_EQ(rules.Paper().m_nFolded, 1);
}

TEST(AlignWizardRulesTest, NewTemplatesAreNumberedAfterTheHighest)
{
    std::vector<std::unique_ptr<CLabelDim>> list;
    auto add = [&](int kind, const char* name) {
        auto paper = std::make_unique<CLabelDim>(kind == 0 ? CLabelDim::GenericDiscLabels() : CLabelDim::PlainPaper());
        paper->m_strName = name;
        list.push_back(std::move(paper));
    };
    EXPECT_EQ(Text(NewCustomTemplateName(list, 1)), "Custom Jewel Case 1");
    add(1, "Custom Jewel Case 4");
    add(1, "Custom Jewel Case  9");
    add(1, "Custom Jewel Casex");
    add(0, "Custom Disc Label");
    add(0, "My Custom Disc Label 30");
    EXPECT_EQ(Text(NewCustomTemplateName(list, 1)), "Custom Jewel Case 10");
    EXPECT_EQ(Text(NewCustomTemplateName(list, 0)), "Custom Disc Label 1");
}

TEST(AlignWizardRulesTest, AnEmptySecondSheetTakesTheFirstOnesSize)
{
    CLabelDim paper = CLabelDim::PlainPaper();
    paper.m_nSheetWidth2 = 0;
    paper.m_nSheetHeight2 = 0;
    AlignWizardRules rules(paper, false, true);
    EXPECT_EQ(rules.ShownSheet().cx, 11000);
    EXPECT_EQ(rules.ShownSheet().cy, 8500);
}
}  // namespace
