// The grid points drawn a row at a time, checked against drawing them point by
// point (one inverted pixel each) on the same background.
#include "framework/Gdi.h"
#include "view/GridPoints.h"
#include "label/LabelGeometry.h"
#include "view/ViewGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace
{

// A 32-bit DIB with a background where every pixel differs from its
// neighbours, so an inverted or missed pixel anywhere shows.
class Canvas
{
public:
    Canvas(int width, int height) : m_width(width), m_height(height), m_dc(nullptr)
    {
        void* bits = nullptr;
        m_bitmap.CreateTopDownDIB32(m_dc.m_hDC, width, height, &bits);
        m_bits = static_cast<uint32_t*>(bits);
        m_selected.emplace(m_dc.m_hDC, m_bitmap.Get());
        for (int i = 0; i < width * height; ++i)
            m_bits[i] = static_cast<uint32_t>(i) * 2654435761u & 0x00FFFFFFu;
        m_background.assign(m_bits, m_bits + width * height);
    }
    HDC DC() const { return m_dc.m_hDC; }
    bool IsValid() const { return m_bits != nullptr; }
    uint32_t At(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_width + x];
    }
    bool Inverted(int x, int y) const
    {
        return (At(x, y) ^ m_background[static_cast<size_t>(y * m_width + x)]) & 0x00FFFFFFu;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    std::optional<CSelectGuard> m_selected;
    uint32_t* m_bits = nullptr;
    std::vector<uint32_t> m_background;
};

// The grid as it used to be drawn: every point on its own.
void InvertPointByPoint(HDC dc, const RECT& docBox, SIZE spacing, int dpi, int zoom)
{
    auto roundUp = [](LONG value, int step) {
        const LONG rest = value % step;
        return rest == 0 ? value : value + (value > 0 ? step - rest : -rest);
    };
    for (LONG y = roundUp(std::max<LONG>(docBox.top, 0), spacing.cy); y < docBox.bottom; y += spacing.cy)
        for (LONG x = roundUp(std::max<LONG>(docBox.left, 0), spacing.cx); x < docBox.right; x += spacing.cx)
            ::PatBlt(dc, LabelGeometry::LengthToPixels(x, dpi, zoom), LabelGeometry::LengthToPixels(y, dpi, zoom), 1,
                     1, DSTINVERT);
}

struct GridCase {
    const char* name;
    SIZE spacing;  // thousandths of an inch
    int dpi;
    int zoom;      // tenths
    RECT docBox;   // thousandths of an inch
    POINT windowOrigin;
};

const GridCase kCases[] = {
    // The smallest spacing at the smallest zoom: several points share a pixel.
    {"smallest spacing, zoom 6", {10, 10}, 96, 6, {0, 0, 4000, 3000}, {0, 0}},
    {"smallest spacing, zoom 22", {10, 10}, 96, 22, {123, 77, 1500, 1200}, {0, 0}},
    {"smallest spacing, zoom 100", {10, 10}, 96, 100, {0, 0, 600, 500}, {0, 0}},
    {"default spacing, zoom 22", {100, 100}, 96, 22, {0, 0, 8500, 5000}, {0, 0}},
    {"whole pixels apart", {1000, 1000}, 96, 10, {0, 0, 5000, 4000}, {0, 0}},
    {"unequal spacings, 120 dpi", {37, 53}, 120, 14, {250, 0, 3000, 2500}, {0, 0}},
    {"a box above the page", {50, 50}, 96, 8, {-400, -300, 3000, 2000}, {0, 0}},
    {"largest spacing, moved window origin", {1000, 1000}, 96, 30, {1000, 500, 8000, 6000}, {2000, 1000}},
};

}  // namespace

TEST(GridPoints, RowAtATimeInvertsExactlyThePixelsThatPointByPointDid)
{
    for (const GridCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const int width = LabelGeometry::LengthToPixels(c.docBox.right, c.dpi, c.zoom) + 3;
        const int height = LabelGeometry::LengthToPixels(c.docBox.bottom, c.dpi, c.zoom) + 3;
        Canvas before(width, height);
        Canvas after(width, height);
        ASSERT_TRUE(before.IsValid() && after.IsValid());
        for (HDC dc : {before.DC(), after.DC()})
            ::SetWindowOrgEx(dc, c.windowOrigin.x, c.windowOrigin.y, nullptr);
        InvertPointByPoint(before.DC(), c.docBox, c.spacing, c.dpi, c.zoom);
        InvertGridPoints(after.DC(), c.docBox, c.spacing, c.dpi, c.zoom);

        int inverted = 0, different = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                inverted += after.Inverted(x, y);
                if (before.At(x, y) != after.At(x, y) && ++different <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y;
            }
        EXPECT_EQ(different, 0);
        EXPECT_GT(inverted, 0) << "the grid showed";
    }
}

TEST(GridPoints, PointsLandOnTheScaledMultiplesOfTheSpacing)
{
    // An inch apart at 96 dots per inch and zoom 10: every 96th pixel from 0,
    // the box's right and bottom edges excluded.
    Canvas canvas(400, 300);
    ASSERT_TRUE(canvas.IsValid());
    InvertGridPoints(canvas.DC(), RECT{0, 0, 4000, 3000}, SIZE{1000, 1000}, 96, 10);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            ASSERT_EQ(canvas.Inverted(x, y), x % 96 == 0 && x <= 288 && y % 96 == 0 && y <= 192) << x << "," << y;
}

TEST(GridPoints, EachAxisListsThePixelsHitAnOddNumberOfTimes)
{
    struct AxisCase {
        LONG from, to;
        int spacing, dpi, zoom;
        std::vector<int> pixels;
    };
    const AxisCase cases[] = {
        // 0.576 pixels apart: 0 0 1 1 2 2 3 4 4 5, so only 3 and 5 stay inverted.
        {0, 100, 10, 96, 6, {3, 5}},
        {0, 4000, 1000, 96, 10, {0, 96, 192, 288}},
        // Points start at the page's edge, and at the first multiple inside the box.
        {-250, 1000, 500, 96, 10, {0, 48}},
        {130, 400, 100, 96, 10, {19, 28}},
        {400, 400, 100, 96, 10, {}},
        {0, 1000, 0, 96, 10, {}},
    };
    for (const AxisCase& c : cases)
        EXPECT_EQ(GridPixelsOnAxis(c.from, c.to, c.spacing, c.dpi, c.zoom), c.pixels)
            << c.from << ".." << c.to << " every " << c.spacing << " at zoom " << c.zoom;
}
