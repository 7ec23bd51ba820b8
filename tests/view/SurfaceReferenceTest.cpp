// Every surface of a finished single and double label (album texts, track
// lists on covers, spine tabs and discs, a background picture on each
// surface) is drawn and compared pixel for pixel with the reference pictures
// in tests/data/surfaces. The references were saved from the label drawing as
// it stood when they were made; any change to what the label looks like shows
// up here. Run with SLEEVORY_WRITE_SURFACE_REFERENCES=1 to write them anew
// after a change that is meant to alter the drawing.
#include "BenchLabel.h"
#include "BenchPicture.h"
#include "ViewTestSupport.h"

#include "imaging/xImage.h"
#include "view/SurfaceBitmaps.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string ReferencePath(const std::string& name)
{
    std::string here = __FILE__;
    for (char& c : here)
        if (c == '\\')
            c = '/';
    std::string folder = here.substr(0, here.rfind('/')) + "/../data/surfaces/";
    if (!folder.empty() && folder[0] == '/')
        folder = "Z:" + folder;
    return folder + name;
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
    BYTE discGuides;
};

class SurfaceReferenceTest : public ViewWithScratchSettings, public ::testing::WithParamInterface<LabelCase>
{
};

const char* const kSurfaceNames[CSurfaceBitmaps::kCount] = {"back-cover", "front-cover", "disc-1", "disc-2"};

TEST_P(SurfaceReferenceTest, EverySurfaceDrawsAsTheReference)
{
    const LabelCase& label = GetParam();
    auto picture = std::make_unique<CxImage>();
    ASSERT_TRUE(MakePhotoLikePicture(*picture, 320, 240));

    m_view.LoadLabelTemplates();
    m_view.m_bLabelPaperChosen = 1;
    m_view.PrepareBitmaps();
    ASSERT_TRUE(m_view.m_surfaceBitmaps.IsValid());
    BuildBenchLabel(m_view, label.layout, std::move(picture));
    m_view.m_nScreenDpi = 96;
    m_view.m_nZoom = label.zoom;
    m_view.m_bShowDiscGuides = label.discGuides;
    m_view.UpdateScale();
    m_view.m_bGeometryReady = 1;

    const CString pageOf[CSurfaceBitmaps::kCount] = {m_view.m_strBackCoverPage, m_view.m_strFrontCoverPage,
                                                     m_view.m_strDisc1Page, m_view.m_strDisc2Page};
    int compared = 0;
    for (const char* page : {"1", "2", "3"}) {
        m_view.m_strPage = page;
        m_view.DrawSurface(CQuorbel6View::kDrawClear);
        m_view.DrawSurface(CQuorbel6View::kDrawFull);
        for (int surface = 0; surface < CSurfaceBitmaps::kCount; ++surface) {
            if (pageOf[surface] != page)
                continue;
            const std::string name =
                std::string(label.layout) + "-" + kSurfaceNames[surface] + "-zoom" + std::to_string(label.zoom) + ".png";
            auto drawn = CaptureSurface(m_view.m_surfaceBitmaps.GetDC(surface), m_view.m_surfaceBitmaps.GetSize(surface));
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
                         ::testing::Values(LabelCase{"Single", 12, 0}, LabelCase{"Double", 12, 1}),
                         [](const ::testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.layout); });

}  // namespace
