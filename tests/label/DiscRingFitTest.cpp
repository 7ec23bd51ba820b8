#include "label/DiscRingFit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// A disc of diameter 1000 at the origin with a hole of 200 and no margin:
// centre (500, 500), hole radius 100.
struct RingCase
{
    const char* what;
    int bandBottom;
    int widthNeeded;
    int boxLeft;
    bool fits;
    int outcome;
};

void PrintTo(const RingCase& c, std::ostream* out)
{
    *out << c.what;
}

class RingFitCases : public ::testing::TestWithParam<RingCase>
{
};

TEST_P(RingFitCases, GivesOutcomeAndSpans)
{
    const RingCase& c = GetParam();
    const RingFit fit = FitLineInDiscRing(c.bandBottom, c.widthNeeded, 50, c.boxLeft, 0, 1000, 1000, 0, 0, 1000, 200, 0);
    EXPECT_EQ(fit.fits, c.fits) << c.what;
    EXPECT_EQ(fit.outcome, c.outcome) << c.what;

    const int spans[4] = {fit.first.left, fit.first.right, fit.second.left, fit.second.right};
    if (!c.fits) {
        for (int span : spans)
            EXPECT_EQ(span, -1) << c.what;
        return;
    }
    // The spans the outcome promises exist, are wide enough and avoid the hole.
    const bool left = c.outcome == 0 || c.outcome == 1 || c.outcome == 3;
    const bool right = c.outcome == 2 || c.outcome == 3;
    EXPECT_EQ(spans[0] >= 0, left) << c.what;
    EXPECT_EQ(spans[2] >= 0, right) << c.what;
    if (left) {
        EXPECT_GE(spans[1] - spans[0], c.widthNeeded) << c.what;
        EXPECT_GE(spans[0], c.boxLeft) << c.what;
    }
    if (c.outcome == 1 || c.outcome == 3) {
        EXPECT_LE(spans[1], 400) << c.what;
    }
    if (right) {
        EXPECT_GE(spans[2], 600) << c.what;
        EXPECT_GT(spans[3] - spans[2], c.widthNeeded) << c.what;
    }
}

// Band 300..250 misses the hole; its chord is 2 x trunc(sqrt(500^2 - 250^2)) = 866 wide.
// Band 470..520 crosses the hole; each side is 399 wide.
INSTANTIATE_TEST_SUITE_P(
    Bands, RingFitCases,
    ::testing::Values(RingCase{"band above the box", 40, 10, 0, false, 0},
                      RingCase{"band at the rim has no chord", 5, 10, 0, false, 0},
                      RingCase{"chord clear of the hole", 300, 100, 0, true, 0},
                      RingCase{"chord exactly as wide as the line", 300, 866, 0, true, 0},
                      RingCase{"chord one narrower than the line", 300, 867, 0, false, 0},
                      RingCase{"short line beside the hole", 520, 100, 0, true, 3},
                      RingCase{"side exactly as wide as the line", 520, 399, 0, false, -1},
                      RingCase{"side one wider than the line", 520, 398, 0, true, 3},
                      RingCase{"box cuts the left side short", 520, 150, 300, true, 2}),
    [](const ::testing::TestParamInfo<RingCase>& info) { return "Case" + std::to_string(info.index); });

TEST(RingFitGeometry, ChordIsSymmetricAboutTheCentreAndShrinksTowardsTheRim)
{
    const RingFit nearCentre = FitLineInDiscRing(300, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 0);
    ASSERT_TRUE(nearCentre.fits);
    const int nearLeft = nearCentre.first.left, nearRight = nearCentre.first.right;
    EXPECT_EQ(nearLeft + nearRight, 1000);
    const RingFit nearRim = FitLineInDiscRing(150, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 0);
    ASSERT_TRUE(nearRim.fits);
    EXPECT_LT(nearRim.first.right - nearRim.first.left, nearRight - nearLeft);

    // A margin narrows the ring from both edges.
    const RingFit withMargin = FitLineInDiscRing(300, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 40);
    ASSERT_TRUE(withMargin.fits);
    EXPECT_LT(withMargin.first.right - withMargin.first.left, nearRight - nearLeft);
}

TEST(RingFitGeometry, BandsMirroredAboutTheCentreGetTheSameChord)
{
    // The band 250..300 above the centre and 700..750 below it lie alike.
    const RingFit above = FitLineInDiscRing(300, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 0);
    const RingFit below = FitLineInDiscRing(750, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 0);
    ASSERT_TRUE(above.fits);
    ASSERT_TRUE(below.fits);
    EXPECT_EQ(below.first.right - below.first.left, above.first.right - above.first.left);
}

}  // namespace
