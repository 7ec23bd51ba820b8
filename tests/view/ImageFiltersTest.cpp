#include "view/ImageFilters.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace
{
TEST(ImageFiltersTest, EachIndexHasItsPatternAndOthersGetEveryImageType)
{
    const std::string all = "*.jpg;*.jpeg;*.png;*.bmp;*.wmf;*.ico;*.pcx;*.dib;*.emf";
    const struct
    {
        int index;
        std::string expected;
    } cases[] = {
        {0, all},          {1, "*.jpg;*.jpeg"}, {2, "*.bmp;*.dib"}, {3, "*.png"},  {4, "*.wmf;*.emf"},
        {5, "*.ico"},      {6, "*.pcx"},        {7, all},           {-1, all},     {INT_MAX, all},
        {INT_MIN, all},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(ImageFilterForIndex(c.index)), c.expected) << c.index;
}
}  // namespace
