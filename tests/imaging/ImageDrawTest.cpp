// Drawing images into a memory bitmap, opaque and with a transparent colour,
// and reading bitmap handles back into images.
#include "ImageTestSupport.h"
#include "framework/Gdi.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kCanvasSize = 40;
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A 32-bit DIB section selected into a memory DC, filled with blue.
class Canvas {
public:
    Canvas()
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kCanvasSize;
        info.bmiHeader.biHeight = kCanvasSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_selected = std::make_unique<CSelectGuard>(m_dc, m_bitmap);
        m_dc.FillSolidRect(RECT{0, 0, kCanvasSize, kCanvasSize}, kBlue);
    }

    HDC DC() const { return m_dc; }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    bool IsValid() const { return m_dc.GetSafeHdc() && m_bitmap.IsValid(); }
    // The bitmap, deselected so it can be read out.
    HBITMAP Release()
    {
        m_selected.reset();
        return m_bitmap;
    }

private:
    CMemoryDC m_dc{nullptr};
    CBitmap m_bitmap;
    std::unique_ptr<CSelectGuard> m_selected;
};

// 24 bits, four quarters of `block` × `block` pixels: top red, green; bottom
// white, black. Smoothing stretches blend the quarters only near their edges.
void MakeFourColors(CxImage& image, int block = 1)
{
    ASSERT_TRUE(image.Create(2 * block, 2 * block, 24, kImageFormatBmp));
    for (int y = 0; y < 2 * block; ++y) {
        for (int x = 0; x < 2 * block; ++x) {
            const bool top = y >= block;
            const bool left = x < block;
            image.SetPixelColor(x, y, top ? (left ? RGB(255, 0, 0) : RGB(0, 255, 0))
                                          : (left ? RGB(255, 255, 255) : RGB(0, 0, 0)));
        }
    }
}

TEST(DrawToDC, OpaqueStretchFillsTheRectangle)
{
    Canvas canvas;
    ASSERT_TRUE(canvas.IsValid());
    CxImage image;
    MakeFourColors(image, 6);
    ASSERT_TRUE(image.DrawToDC(canvas.DC(), 10, 10, 24, 24));
    // The middle of each quarter has its colour; outside stays blue.
    EXPECT_EQ(canvas.At(16, 16), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(28, 16), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(16, 28), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(28, 28), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(9, 9), kBlue);
    EXPECT_EQ(canvas.At(34, 34), kBlue);
    EXPECT_EQ(canvas.At(34, 12), kBlue);
}

TEST(DrawToDC, NegativeSizeMeansTheImagesOwn)
{
    Canvas canvas;
    CxImage image;
    MakeFourColors(image);
    ASSERT_TRUE(image.DrawToDC(canvas.DC(), 5, 5));
    EXPECT_EQ(canvas.At(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(6, 6), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(7, 7), kBlue);
    EXPECT_EQ(canvas.At(7, 5), kBlue);
}

TEST(DrawToDC, TransparentColourOfATrueColourImageLeavesTheDestination)
{
    Canvas canvas;
    CxImage image;
    MakeFourColors(image);
    image.SetBackgroundColor(Quad(255, 0, 0));
    image.SetBackgroundIndex(0);  // switches transparency on for 24 bits as well
    ASSERT_TRUE(image.DrawToDC(canvas.DC(), 10, 10, 20, 20));
    EXPECT_EQ(canvas.At(14, 14), kBlue) << "red is transparent";
    EXPECT_EQ(canvas.At(25, 14), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(14, 25), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(25, 25), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(30, 30), kBlue);
}

TEST(DrawToDC, TransparentIndexOfAPaletteImage)
{
    Canvas canvas;
    CxImage image(2, 1, 8);
    image.SetPaletteColor(3, 255, 255, 0);
    image.SetPaletteColor(4, 255, 255, 0);  // the same colour at another index: transparent too
    image.SetPaletteColor(5, 0, 128, 0);
    image.SetPixelIndex(0, 0, 3);
    image.SetPixelIndex(1, 0, 5);
    image.SetBackgroundIndex(4);
    ASSERT_TRUE(image.DrawToDC(canvas.DC(), 0, 0, 20, 10));
    EXPECT_EQ(canvas.At(4, 4), kBlue);
    EXPECT_EQ(canvas.At(15, 4), RGB(0, 128, 0));
}

TEST(DrawToDC, WithoutAnIndexTheBackgroundColourIsDrawn)
{
    Canvas canvas;
    CxImage image;
    MakeFourColors(image, 6);
    image.SetBackgroundColor(Quad(255, 0, 0));
    ASSERT_EQ(image.GetBackgroundIndex(), -1);
    ASSERT_TRUE(image.DrawToDC(canvas.DC(), 10, 10, 24, 24));
    EXPECT_EQ(canvas.At(16, 16), RGB(255, 0, 0));
}

TEST(DrawToDC, NothingToDraw)
{
    Canvas canvas;
    CxImage image;
    MakeFourColors(image);
    EXPECT_FALSE(image.DrawToDC(nullptr, 0, 0, 10, 10));
    EXPECT_FALSE(image.DrawToDC(canvas.DC(), 0, 0, 0, 10));
    EXPECT_FALSE(image.DrawToDC(canvas.DC(), 0, 0, 10, 0));
    image.Enable(false);
    EXPECT_FALSE(image.DrawToDC(canvas.DC(), 0, 0, 10, 10));
    CxImage empty;
    EXPECT_FALSE(empty.DrawToDC(canvas.DC(), 0, 0, 10, 10));
    EXPECT_EQ(canvas.At(5, 5), kBlue);
}

TEST(BitmapHandle, ReadsTheBitmapsPixels)
{
    Canvas canvas;
    ::SetPixel(canvas.DC(), 3, 0, RGB(10, 200, 30));  // top row
    HBITMAP bitmap = canvas.Release();

    CxImage image(kImageFormatPng);
    ASSERT_TRUE(image.LoadFromBitmapHandle(bitmap)) << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), kCanvasSize);
    EXPECT_EQ(image.GetHeight(), kCanvasSize);
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_EQ(image.GetFormat(), kImageFormatBmp);
    EXPECT_TRUE(SameColor(image.GetPixelColor(3, kCanvasSize - 1), Quad(10, 200, 30)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Quad(0, 0, 255)));
    EXPECT_EQ(std::memcmp(image.GetDIB(), &image.GetHeader(), sizeof(BITMAPINFOHEADER)), 0);

    EXPECT_FALSE(image.LoadFromBitmapHandle(nullptr));
    EXPECT_FALSE(image.IsValid());
}

TEST(BitmapHandle, MonochromeBitmapGivesATwoColourImage)
{
    const BYTE rows[4] = {0x80, 0, 0, 0};  // 8 × 2, word-aligned rows; top-left set
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 2, 1, 1, rows));
    CxImage image;
    ASSERT_TRUE(image.LoadFromBitmapHandle(bitmap)) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 1);
    EXPECT_TRUE(SameColor(image.GetPixelColor(0, 1), Quad(255, 255, 255)));
    EXPECT_TRUE(SameColor(image.GetPixelColor(1, 1), Quad(0, 0, 0)));
}

}  // namespace
