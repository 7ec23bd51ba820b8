#include "printing/PageLayoutPlan.h"
#include "printing/SheetPreview.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string ValueOf(const std::vector<PaperAssignment>& plan, const char* object, const char* key)
{
    for (const PaperAssignment& a : plan)
    {
        if (a.object == object && a.key == key)
            return std::string(static_cast<LPCSTR>(a.value));
    }
    return "<none>";
}

TEST(PageLayoutPlanTest, PagesTakeTheSheetsOfThePapers)
{
    CLabelDim disc = CLabelDim::GenericDiscLabels();
    disc.m_nSheetWidth1 = 11000;  // a landscape disc sheet still prints upright
    disc.m_nSheetHeight1 = 8500;
    const auto plan = PlanPageLayout(disc, CLabelDim::PlainPaper(), LayoutState{true, false});
    EXPECT_EQ(ValueOf(plan, "Page 1", "Orientation"), "Portrait");
    EXPECT_EQ(ValueOf(plan, "Page 1", "Width"), "11.000");
    EXPECT_EQ(ValueOf(plan, "Page 1", "Height"), "8.500");
    EXPECT_EQ(ValueOf(plan, "Page 2", "Orientation"), "Landscape");
    EXPECT_EQ(ValueOf(plan, "Page 2", "Width"), "11.000");
    EXPECT_EQ(ValueOf(plan, "Page 2", "Height"), "8.500");
    EXPECT_EQ(ValueOf(plan, "Page 3", "Orientation"), "Portrait");
    EXPECT_EQ(ValueOf(plan, "Page 3", "Width"), "8.500");
    EXPECT_EQ(ValueOf(plan, "Page 3", "Height"), "11.000");
    // Orientation comes before the sizes, so the setter's turn of the sheet does not undo them.
    EXPECT_EQ(std::string(plan[0].key), "Orientation");
}

TEST(PageLayoutPlanTest, TheFoldIsWrittenOnlyWhenItChanges)
{
    CLabelDim flat = CLabelDim::PlainPaper();
    flat.m_nFolded = 0;
    const struct
    {
        bool paperFolded;
        bool coverFolded;
        const char* expected;
    } cases[] = {
        {true, false, "Yes"},
        {false, true, "No"},
        {true, true, "<none>"},
        {false, false, "<none>"},
    };
    for (const auto& c : cases)
    {
        const auto plan = PlanPageLayout(CLabelDim::GenericDiscLabels(), c.paperFolded ? CLabelDim::PlainPaper() : flat,
                                         LayoutState{c.coverFolded, false});
        EXPECT_EQ(ValueOf(plan, "Front Cover", "Folded Cover"), c.expected) << c.paperFolded << c.coverFolded;
        EXPECT_EQ(ValueOf(plan, "Front Cover", "Page"), "2");
        EXPECT_EQ(ValueOf(plan, "Front Cover", "Left"), "0.800");
        EXPECT_EQ(ValueOf(plan, "Front Cover", "Top"), "0.800");
        EXPECT_EQ(ValueOf(plan, "Front Cover", "Width"), "<none>") << "the width follows the fold";
        EXPECT_EQ(ValueOf(plan, "Back Cover", "Page"), "3");
        EXPECT_EQ(ValueOf(plan, "Back Cover", "Left"), "1.300");
        EXPECT_EQ(ValueOf(plan, "Back Cover", "Top"), "0.600");
    }
    // The fold is set before the position, which the fold would otherwise move.
    const auto plan = PlanPageLayout(CLabelDim::GenericDiscLabels(), CLabelDim::PlainPaper(), LayoutState{false, false});
    size_t fold = 0, left = 0;
    for (size_t i = 0; i < plan.size(); ++i)
    {
        if (plan[i].object == "Front Cover" && plan[i].key == "Folded Cover")
            fold = i;
        if (plan[i].object == "Front Cover" && plan[i].key == "Left")
            left = i;
    }
    EXPECT_LT(fold, left);
}

TEST(PageLayoutPlanTest, DiscsTakeTheirLabelsByLabelPosition)
{
    CLabelDim disc = CLabelDim::GenericDiscLabels();
    disc.m_nWidth2 = 4500;
    disc.m_nHeight2 = 1500;
    for (bool bottom : {false, true})
    {
        const auto plan = PlanPageLayout(disc, CLabelDim::PlainPaper(), LayoutState{true, bottom});
        const char* first = bottom ? "Disc 2" : "Disc 1";
        const char* second = bottom ? "Disc 1" : "Disc 2";
        EXPECT_EQ(ValueOf(plan, first, "Top"), "0.688");
        EXPECT_EQ(ValueOf(plan, first, "Outer Diameter"), "4.625");
        EXPECT_EQ(ValueOf(plan, first, "Inner Diameter"), "1.600");
        EXPECT_EQ(ValueOf(plan, second, "Top"), "5.688");
        EXPECT_EQ(ValueOf(plan, second, "Outer Diameter"), "4.500");
        EXPECT_EQ(ValueOf(plan, second, "Inner Diameter"), "1.500");
        EXPECT_EQ(ValueOf(plan, "Disc 1", "Page"), "1");
        EXPECT_EQ(ValueOf(plan, "Disc 2", "Left"), "1.938");
        for (const PaperAssignment& a : plan)
        {
            if (a.object == "Disc 1" || a.object == "Disc 2")
            {
                EXPECT_EQ(a.shownSurface, a.object) << "a disc is set while it is shown";
            }
        }
    }
}

TEST(PageLayoutPlanTest, AValueInPlaceIsComparedAsANumberWhenItIsALength)
{
    const struct
    {
        const char* key;
        const char* planned;
        const char* stored;
        bool inPlace;
    } cases[] = {
        {"Left", "0.700", "0.700 ''", true},  // as the setter writes it
        {"Left", "0.700", "0.700", true},
        {"Top", "1.250", "1.25", true},
        {"Outer Diameter", "4.625", "4.625 ''", true},
        {"Inner Diameter", "0.813", "0.812 ''", false},
        {"Width", "8.500", "8.501", false},
        {"Height", "0.000", "", false},      // an empty row is no length in place
        {"Orientation", "Portrait", "Portrait", true},
        {"Orientation", "Portrait", "Landscape", false},
        {"Page", "2", "2", true},
        {"Page", "2", "2.000", false},        // not a length: the text itself
        {"Folded Cover", "Yes", "No", false},
    };
    for (const auto& c : cases) {
        PaperAssignment assignment;
        assignment.object = "Front Cover";
        assignment.key = c.key;
        assignment.value = c.planned;
        EXPECT_EQ(IsAssignmentInPlace(assignment, c.stored), c.inPlace) << c.key << " " << c.planned << " / " << c.stored;
    }
}

TEST(SheetPreviewTest, SheetsFitTheBoxByTheirLongSide)
{
    const SIZE box{200, 160};
    const SIZE dpi{96, 96};
    // Landscape: the width less 10 on each side, centred down.
    const SheetPreviewPlacement across = PlaceSheetPreview(CLabelDim::PlainPaper(), 1, box, dpi, 10);
    EXPECT_TRUE(across.landscape);
    EXPECT_EQ(across.sheet.left, 10);
    EXPECT_EQ(across.sheet.right, 190);
    EXPECT_EQ(across.sheet.top, (160 - (across.sheet.bottom - across.sheet.top)) / 2);
    // Portrait: the height less 10 at top and bottom, centred across.
    const SheetPreviewPlacement upright = PlaceSheetPreview(CLabelDim::PlainPaper(), 2, box, dpi, 10);
    EXPECT_FALSE(upright.landscape);
    EXPECT_EQ(upright.sheet.top, 10);
    EXPECT_EQ(upright.sheet.bottom, 150);
    EXPECT_EQ(upright.sheet.left, (200 - (upright.sheet.right - upright.sheet.left)) / 2);
    // No second sheet on disc paper: nothing to place, and no division by nothing.
    const SheetPreviewPlacement none = PlaceSheetPreview(CLabelDim::GenericDiscLabels(), 2, box, dpi, 10);
    EXPECT_TRUE(::IsRectEmpty(&none.sheet));
    const SheetPreviewPlacement tiny = PlaceSheetPreview(CLabelDim::PlainPaper(), 1, SIZE{15, 15}, dpi, 10);
    EXPECT_TRUE(::IsRectEmpty(&tiny.sheet));
}

TEST(SheetPreviewTest, ThePartsAreDrawnWhereTheTemplatePutsThem)
{
    const SIZE box{170, 220};
    const SIZE dpi{96, 96};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = box.cx;
    info.bmiHeader.biHeight = -box.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const CLabelDim disc = CLabelDim::GenericDiscLabels();
    DrawSheetPreview(dc, disc, 1, box, dpi, 10, [](HDC target, const RECT& rect) {
        ::FillRect(target, &rect, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    });
    ::GdiFlush();
    auto pixel = [&](int x, int y) { return static_cast<const DWORD*>(bits)[y * box.cx + x] & 0xFFFFFF; };

    const SheetPreviewPlacement placement = PlaceSheetPreview(disc, 1, box, dpi, 10);
    const CLabelDim scaled = ScaledTemplate(disc, dpi, placement.scale);
    const int centreX = placement.sheet.left + scaled.m_nLeft1 + scaled.m_nWidth1 / 2;
    const int centreY = placement.sheet.top + scaled.m_nTop1 + scaled.m_nWidth1 / 2;
    EXPECT_EQ(pixel(5, 5), 0x808080u) << "the box around the sheet";
    EXPECT_EQ(pixel(centreX, centreY), 0xFFFFFFu) << "inside the hole";
    // The disc's outline crosses the row through its centre at its left edge.
    bool outline = false;
    for (int x = centreX - scaled.m_nWidth1 / 2 - 1; x <= centreX - scaled.m_nWidth1 / 2 + 1; ++x)
        outline = outline || pixel(x, centreY) == 0;
    EXPECT_TRUE(outline);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
}
}  // namespace
