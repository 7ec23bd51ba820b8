// Owners of GDI handles, the selection guard and point-size fonts.
#include "framework/Gdi.h"
#include "framework/ImageList.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(GdiObjects, OwnerDeletesItsObjectAndMovesItOnce)
{
    HBRUSH handle = nullptr;
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
        handle = brush;
        EXPECT_EQ(::GetObjectType(handle), static_cast<DWORD>(OBJ_BRUSH));

        CBrush moved(std::move(brush));
        EXPECT_FALSE(brush.IsValid());
        EXPECT_EQ(moved.Get(), handle);
    }
    EXPECT_EQ(::GetObjectType(handle), 0u);

    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    HPEN first = pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));  // replaces and deletes the first
    EXPECT_EQ(::GetObjectType(first), 0u);
    HPEN detached = pen.Detach();
    EXPECT_EQ(::GetObjectType(detached), static_cast<DWORD>(OBJ_PEN));
    ::DeleteObject(detached);
}

TEST(GdiObjects, SelectGuardPutsTheOldObjectBack)
{
    CMemoryDC dc(nullptr);
    ASSERT_NE(dc.GetSafeHdc(), nullptr);
    const HGDIOBJ originalBitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    const HGDIOBJ originalBrush = ::GetCurrentObject(dc, OBJ_BRUSH);

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(255, 0, 0)));
    {
        CSelectGuard selectedBitmap(dc, bitmap);
        CSelectGuard selectedBrush(dc, brush);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap.Get());
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush.Get());
        EXPECT_EQ(selectedBitmap.GetOld(), originalBitmap);

        // Drawing lands in the selected bitmap.
        dc.FillSolidRect(RECT{0, 0, 8, 8}, RGB(0, 0, 255));
        EXPECT_EQ(::GetPixel(dc, 3, 3), RGB(0, 0, 255));
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), originalBitmap);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), originalBrush);
    // Deselected, the objects can be deleted (they go with their owners).
    EXPECT_TRUE(::DeleteObject(bitmap.Detach()));
}

TEST(Fonts, PointSizeFollowsTheDevice)
{
    CMemoryDC screen(nullptr);
    CFont small;
    CFont large;
    ASSERT_TRUE(small.CreatePointFont(85, "Arial", screen));
    ASSERT_TRUE(large.CreatePointFont(170, "Arial", screen));
    LOGFONTA smallFont{};
    LOGFONTA largeFont{};
    ASSERT_TRUE(small.GetLogFont(&smallFont));
    ASSERT_TRUE(large.GetLogFont(&largeFont));
    EXPECT_LT(smallFont.lfHeight, 0) << "a character height, not a cell height";
    EXPECT_STREQ(smallFont.lfFaceName, "Arial");
    EXPECT_NEAR(largeFont.lfHeight, 2 * smallFont.lfHeight, 1);

    // In a metric mapping the height is in tenths of a millimetre:
    // 8.5 points = 3.0 mm.
    CMemoryDC metric(nullptr);
    ::SetMapMode(metric, MM_LOMETRIC);
    CFont inMillimetres;
    ASSERT_TRUE(inMillimetres.CreatePointFont(85, "Arial", metric));
    LOGFONTA metricFont{};
    ASSERT_TRUE(inMillimetres.GetLogFont(&metricFont));
    EXPECT_NEAR(std::abs(metricFont.lfHeight), 30, 1);

    // The larger font draws taller text.
    SIZE smallExtent{};
    SIZE largeExtent{};
    {
        CSelectGuard selected(screen, small);
        ::GetTextExtentPoint32A(screen, "Label", 5, &smallExtent);
    }
    {
        CSelectGuard selected(screen, large);
        ::GetTextExtentPoint32A(screen, "Label", 5, &largeExtent);
    }
    EXPECT_GT(largeExtent.cy, smallExtent.cy);
    EXPECT_GT(largeExtent.cx, smallExtent.cx);
}

TEST(ImageLists, MaskedBitmapIsCutIntoImages)
{
    CMemoryDC dc(nullptr);
    CBitmap strip;
    CClientDC screen(nullptr);
    ASSERT_TRUE(strip.CreateCompatibleBitmap(screen, 64, 16));
    {
        CSelectGuard selected(dc, strip);
        dc.FillSolidRect(RECT{0, 0, 64, 16}, RGB(255, 0, 255));
        dc.FillSolidRect(RECT{4, 4, 12, 12}, RGB(0, 128, 0));
    }
    EXPECT_EQ(strip.GetSize().cx, 64);

    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0));
    EXPECT_EQ(list.Add(strip, RGB(255, 0, 255)), 0);
    EXPECT_EQ(list.GetImageCount(), 4);
    EXPECT_EQ(list.GetImageSize().cx, 16);

    // Drawn masked: the magenta stays out, the green comes in.
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(screen, 16, 16));
    CSelectGuard selected(dc, target);
    dc.FillSolidRect(RECT{0, 0, 16, 16}, RGB(255, 255, 255));
    ASSERT_TRUE(list.Draw(dc, 0, POINT{0, 0}, ILD_TRANSPARENT));
    EXPECT_EQ(::GetPixel(dc, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc, 8, 8), RGB(0, 128, 0));

    CImageList moved(std::move(list));
    EXPECT_EQ(list.GetSafeHandle(), nullptr);
    EXPECT_EQ(moved.GetImageCount(), 4);
}

}  // namespace
