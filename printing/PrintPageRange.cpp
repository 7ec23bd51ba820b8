#include "printing/PrintPageRange.h"

PrintPageRange ComputePrintPageRange(const PrintParts& parts)
{
    const bool anyDisc = parts.disc1 || (parts.disc2 && parts.doubleLayout);
    const int backPage = parts.backCoverPage == 2 ? 2 : 3;
    PrintPageRange range;
    // The lowest page wanted, the later rules taking over.
    if (parts.back)
        range.from = backPage;
    if (parts.front)
        range.from = 2;
    if (anyDisc)
        range.from = 1;
    // The highest page wanted.
    if (anyDisc)
        range.to = 1;
    if (parts.front)
        range.to = 2;
    if (parts.back)
        range.to = backPage;
    if (range.from == 1 && range.to == 3 && !parts.front) {
        range.to = 2;
        range.page2AsPage3 = true;
    }
    return range;
}

int TotalPrintedPages(const PrintPageRange& range, int copies)
{
    if (range.from <= 0 || range.to < range.from || copies <= 0)
        return 0;
    return copies * (range.to - range.from + 1);
}
