// The pages a job prints follow from the parts chosen.
#include "printing/PrintPageRange.h"

#include <gtest/gtest.h>

TEST(PrintPageRange, PartsChosenGiveTheLowestAndHighestSheet)
{
    struct Case
    {
        bool front, back, disc1, disc2, doubleLayout;
        int backCoverPage;
        int from, to;
        bool page2AsPage3;
    };
    const Case cases[] = {
        {false, false, false, false, true, 3, 0, 0, false},  // nothing chosen
        {false, false, true, false, false, 3, 1, 1, false},  // disc only
        {false, false, false, true, false, 3, 0, 0, false},  // a single layout has no second disc to print
        {false, false, false, true, true, 3, 1, 1, false},
        {true, false, false, false, false, 3, 2, 2, false},
        {false, true, false, false, false, 3, 3, 3, false},  // back cover on its own sheet
        {false, true, false, false, false, 2, 2, 2, false},  // back cover beside the front cover
        {true, true, false, false, false, 3, 2, 3, false},
        {true, true, true, true, true, 3, 1, 3, false},
        {false, true, true, false, false, 3, 1, 2, true},    // discs and back: sheets 1 and 3
        {false, true, true, false, false, 2, 1, 2, false},
        {true, false, true, false, false, 3, 1, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "front " << c.front << " back " << c.back << " disc1 " << c.disc1
                                        << " disc2 " << c.disc2 << " double " << c.doubleLayout << " back page "
                                        << c.backCoverPage);
        PrintParts parts;
        parts.front = c.front;
        parts.back = c.back;
        parts.disc1 = c.disc1;
        parts.disc2 = c.disc2;
        parts.doubleLayout = c.doubleLayout;
        parts.backCoverPage = c.backCoverPage;
        const PrintPageRange range = ComputePrintPageRange(parts);
        EXPECT_EQ(range.from, c.from);
        EXPECT_EQ(range.to, c.to);
        EXPECT_EQ(range.page2AsPage3, c.page2AsPage3);
    }
}

TEST(PrintPageRange, TotalCountsEveryCopyOfEveryPage)
{
    EXPECT_EQ(TotalPrintedPages(PrintPageRange{1, 3, false}, 2), 6);
    EXPECT_EQ(TotalPrintedPages(PrintPageRange{1, 2, true}, 3), 6);
    EXPECT_EQ(TotalPrintedPages(PrintPageRange{2, 2, false}, 1), 1);
    EXPECT_EQ(TotalPrintedPages(PrintPageRange{0, 0, false}, 4), 0);
}
