// Every surface of a finished single and double label (album texts, track
// lists on covers, spine tabs and discs, a background picture on each
// surface) is drawn by the label renderer alone, without a view, into memory
// bitmaps of the view's surface sizes, and compared pixel for pixel with the
// reference pictures
// in tests/data/surfaces. The references were saved from the label drawing as
// it stood when they were made; any change to what the label looks like shows
// up here. Run with SLEEVORY_WRITE_SURFACE_REFERENCES=1 to write them anew
// after a change that is meant to alter the drawing.
#include "BenchLabel.h"
#include "BenchPicture.h"
#include "support/TestDataPath.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "imaging/xImage.h"
#include "label/LabelModel.h"
#include "label/LabelRenderer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string ReferencePath(const std::string& name)
{
    return TestDataPath("surfaces/" + name);
}

bool WritingReferences()
{
    const char* flag = std::getenv("SLEEVORY_WRITE_SURFACE_REFERENCES");
    return flag && *flag == '1';
}

// The surface's bitmap as a 24-bit picture (top row first in the DC, bottom
// row first in the picture).
std::unique_ptr<CxImage> CaptureSurface(HDC dc, SIZE size)
{
    auto picture = std::make_unique<CxImage>(size.cx, size.cy, 24, kImageFormatPng);
    if (!picture->IsValid())
        return nullptr;
    ::GdiFlush();
    for (int y = 0; y < size.cy; ++y) {
        BYTE* row = picture->GetBits(size.cy - 1 - y);
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF color = ::GetPixel(dc, x, y);
            row[3 * x] = GetBValue(color);
            row[3 * x + 1] = GetGValue(color);
            row[3 * x + 2] = GetRValue(color);
        }
    }
    return picture;
}

// The first pixel where two pictures differ, or a size mismatch; empty when equal.
std::string FirstDifference(const CxImage& drawn, const CxImage& reference)
{
    if (drawn.GetWidth() != reference.GetWidth() || drawn.GetHeight() != reference.GetHeight())
        return "size " + std::to_string(drawn.GetWidth()) + "x" + std::to_string(drawn.GetHeight()) + " vs " +
               std::to_string(reference.GetWidth()) + "x" + std::to_string(reference.GetHeight());
    int differing = 0;
    std::string first;
    for (int y = 0; y < drawn.GetHeight(); ++y) {
        const BYTE* a = drawn.GetBits(y);
        const BYTE* b = reference.GetBits(y);
        for (int x = 0; x < 3 * drawn.GetWidth(); ++x)
            if (a[x] != b[x]) {
                if (differing++ == 0)
                    first = "pixel (" + std::to_string(x / 3) + ", " + std::to_string(drawn.GetHeight() - 1 - y) + ")";
            }
    }
    return differing ? first + " and " + std::to_string(differing) + " channel values in all" : std::string();
}

struct LabelCase
{
    const char* layout;
    int zoom;
    bool discGuides;
};

class SurfaceReferenceTest : public ::testing::TestWithParam<LabelCase>
{
protected:
    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
};

const char* const kSurfaceNames[kSurfaceCount] = {"back-cover", "front-cover", "disc-1", "disc-2"};
// The sizes of the view's surface bitmaps, which the references were saved from.
const SIZE kBitmapSizes[kSurfaceCount] = {{1250, 1000}, {2100, 1050}, {1060, 1060}, {1060, 1060}};

// A white 32-bit memory bitmap, as the view's surface bitmaps start.
class WhiteBitmap
{
public:
    explicit WhiteBitmap(SIZE size)
    {
        m_dc.CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        if (m_bitmap.CreateTopDownDIB32(m_dc.m_hDC, size.cx, size.cy, &bits)) {
            m_selected.emplace(m_dc.m_hDC, m_bitmap.Get());
            ::PatBlt(m_dc.m_hDC, 0, 0, size.cx, size.cy, WHITENESS);
        }
    }
    HDC DC() const { return m_dc.m_hDC; }

private:
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    std::optional<CSelectGuard> m_selected;
};

TEST_P(SurfaceReferenceTest, EverySurfaceDrawsAsTheReference)
{
    const LabelCase& label = GetParam();
    auto picture = std::make_unique<CxImage>();
    ASSERT_TRUE(MakePhotoLikePicture(*picture, 320, 240));

    CLabelModel model;
    BuildBenchLabel(model, label.layout, std::move(picture));
    CLabelRenderer renderer(model);
    renderer.SetScale(96, label.zoom);
    renderer.Options().discGuides = label.discGuides;

    int compared = 0;
    for (const char* page : {"1", "2", "3"}) {
        model.Shown().page = page;
        for (int index = 0; index < kSurfaceCount; ++index) {
            const Surface surface = static_cast<Surface>(index);
            if (model.Placement().PageOf(surface) != page)
                continue;
            const std::string name = std::string(label.layout) + "-" + kSurfaceNames[index] + "-zoom" +
                                     std::to_string(label.zoom) + ".png";
            WhiteBitmap bitmap(kBitmapSizes[index]);
            ASSERT_TRUE(bitmap.DC()) << name;
            renderer.DrawSurface(bitmap.DC(), surface, CLabelRenderer::DrawMode::Full);
            auto drawn = CaptureSurface(bitmap.DC(), kBitmapSizes[index]);
            ASSERT_TRUE(drawn) << name;
            if (WritingReferences()) {
                std::vector<BYTE> png;
                ASSERT_TRUE(drawn->EncodeToMemory(png, kImageFormatPng)) << name;
                std::FILE* file = std::fopen(ReferencePath(name).c_str(), "wb");
                ASSERT_TRUE(file) << name;
                std::fwrite(png.data(), 1, png.size(), file);
                std::fclose(file);
                continue;
            }
            CxImage reference(ReferencePath(name).c_str(), kImageFormatPng);
            ASSERT_TRUE(reference.IsValid()) << name << ": " << reference.GetLastError();
            EXPECT_EQ(FirstDifference(*drawn, reference), "") << name;
            ++compared;
        }
    }
    if (!WritingReferences())
        EXPECT_EQ(compared, 4) << "every surface of the layout is on one of the three pages";
    EXPECT_TRUE(m_errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Labels, SurfaceReferenceTest,
                         ::testing::Values(LabelCase{"Single", 12, false}, LabelCase{"Double", 12, true}),
                         [](const ::testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.layout); });

}  // namespace
