// The framework's print loop with a view of its own: the pages of the range,
// copy by copy, and the hooks in their order, on the private queue's printer.
#include "PrintQueue.h"

#include "framework/Gdi.h"
#include "framework/PrintInfo.h"
#include "framework/View.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class PageListView : public CView
{
public:
    void OnDraw(CDC*) override {}
    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        info->SetMinPage(1);
        info->SetMaxPage(4);
        if (!DoPreparePrinting(info))
            return FALSE;
        PRINTDLGA& request = info->m_pPD->m_pd;
        request.Flags |= PD_PAGENUMS;
        request.nFromPage = 2;
        request.nToPage = 3;
        request.nCopies = static_cast<WORD>(m_copies);
        if (m_collate)
            request.Flags |= PD_COLLATE;
        return TRUE;
    }
    void OnBeginPrinting(CDC* dc, CPrintInfo*) override
    {
        m_calls.push_back("begin");
        m_printing = dc->IsPrinting();
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        m_calls.push_back("page " + std::to_string(info->m_nCurPage));
        // A mark per page, so the file holds real pages.
        ::Rectangle(dc->m_hDC, 100, 100, 200 + 50 * static_cast<int>(info->m_nCurPage), 200);
        if (static_cast<int>(m_calls.size()) - 1 == m_stopAfter)
            info->m_bContinuePrinting = false;
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { m_calls.push_back("end"); }

    int m_copies = 1;
    bool m_collate = false;
    int m_stopAfter = -1;
    bool m_printing = false;
    std::vector<std::string> m_calls;
};
}  // namespace

TEST(PrintLoop, PrintsTheRangeCopyByCopyBetweenBeginAndEnd)
{
    if (PrintQueue::Status() != "ready")
        GTEST_SKIP() << "no private print queue: " << PrintQueue::Status();
    struct Case
    {
        int copies;
        bool collate;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {1, false, {"begin", "page 2", "page 3", "end"}},
        {2, true, {"begin", "page 2", "page 3", "page 2", "page 3", "end"}},
        {2, false, {"begin", "page 2", "page 2", "page 3", "page 3", "end"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.copies << " copies, collate " << c.collate);
        PageListView view;
        view.m_bAutoDelete = false;
        view.m_copies = c.copies;
        view.m_collate = c.collate;
        PrintQueue::Clear();
        view.OnFilePrintDirect();
        EXPECT_EQ(view.LastPrintResult(), PrintJobResult::Printed);
        EXPECT_TRUE(view.m_printing) << "the printer DC says it prints";
        EXPECT_EQ(view.m_calls, c.calls);
        const std::string pdf = PrintQueue::WaitForJob();
        ASSERT_FALSE(pdf.empty());
        EXPECT_EQ(PrintQueue::CountPages(pdf), static_cast<int>(c.calls.size()) - 2);
    }
}

TEST(PrintLoop, JobEndedByTheViewIsAbortedButStillEnded)
{
    if (PrintQueue::Status() != "ready")
        GTEST_SKIP() << "no private print queue: " << PrintQueue::Status();
    PageListView view;
    view.m_bAutoDelete = false;
    view.m_copies = 3;
    view.m_collate = true;
    view.m_stopAfter = 2;
    view.OnFilePrintDirect();
    EXPECT_EQ(view.LastPrintResult(), PrintJobResult::Cancelled);
    EXPECT_EQ(view.m_calls, (std::vector<std::string>{"begin", "page 2", "page 3", "end"}));
}
