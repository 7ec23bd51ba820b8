#pragma once
// Which pages a print job prints, from the parts chosen. Page 1 is the
// disc-label sheet, page 2 the cover paper's first sheet (the front cover, and
// the back cover when it shares that sheet), page 3 the cover paper's second
// sheet (a back cover on a sheet of its own).

struct PrintParts
{
    bool front = false;
    bool back = false;
    bool disc1 = false;
    bool disc2 = false;         // counts only in a double layout
    bool doubleLayout = false;
    int backCoverPage = 2;      // 2: on the front cover's sheet, 3: on its own
};

struct PrintPageRange
{
    int from = 0;  // 0 and 0: nothing to print
    int to = 0;
    // Pages 1 and 3 without 2: the job prints pages 1 and 2 and its page 2
    // is printed as page 3.
    bool page2AsPage3 = false;
};

PrintPageRange ComputePrintPageRange(const PrintParts& parts);
// The sheets a job gives: copies times its pages; 0 when there is nothing to print.
int TotalPrintedPages(const PrintPageRange& range, int copies);
