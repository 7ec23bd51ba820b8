#include "view/Quorbel6View.h"

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

class RingFit : public ::testing::TestWithParam<RingCase>
{
protected:
    bool Fit(const RingCase& c, int& outcome)
    {
        return m_view.FitLineInDiscRing(c.bandBottom, c.widthNeeded, 50, c.boxLeft, 0, 1000, 1000, 0, 0, 1000, 200,
                                        0, outcome);
    }
    CQuorbel6View m_view;
};

TEST_P(RingFit, GivesOutcomeAndSpans)
{
    const RingCase& c = GetParam();
    int outcome = 99;
    EXPECT_EQ(Fit(c, outcome), c.fits) << c.what;
    EXPECT_EQ(outcome, c.outcome) << c.what;

    const int spans[4] = {m_view.m_nSpan1Left, m_view.m_nSpan1Right, m_view.m_nSpan2Left, m_view.m_nSpan2Right};
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
    Bands, RingFit,
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
    CQuorbel6View view;
    int outcome = 0;
    ASSERT_TRUE(view.FitLineInDiscRing(300, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 0, outcome));
    const int nearLeft = view.m_nSpan1Left, nearRight = view.m_nSpan1Right;
    EXPECT_EQ(nearLeft + nearRight, 1000);
    ASSERT_TRUE(view.FitLineInDiscRing(150, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 0, outcome));
    EXPECT_LT(view.m_nSpan1Right - view.m_nSpan1Left, nearRight - nearLeft);

    // A margin narrows the ring from both edges.
    ASSERT_TRUE(view.FitLineInDiscRing(300, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 40, outcome));
    EXPECT_LT(view.m_nSpan1Right - view.m_nSpan1Left, nearRight - nearLeft);
}

TEST(RingFitGeometry, BandsMirroredAboutTheCentreGetTheSameChord)
{
    CQuorbel6View view;
    int outcome = 0;
    // The band 250..300 above the centre and 700..750 below it lie alike.
    ASSERT_TRUE(view.FitLineInDiscRing(300, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 0, outcome));
    const int above = view.m_nSpan1Right - view.m_nSpan1Left;
    ASSERT_TRUE(view.FitLineInDiscRing(750, 0, 50, 0, 0, 1000, 1000, 0, 0, 1000, 200, 0, outcome));
    EXPECT_EQ(view.m_nSpan1Right - view.m_nSpan1Left, above);
}

}  // namespace
