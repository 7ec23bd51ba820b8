#pragma once
// A label view in a window, with a label made from the chosen label papers,
// its settings key and program folder moved to scratch places, and the
// private print queue as the default printer.
#include "PrintQueue.h"
#include "ScratchSettings.h"

#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "framework/ProgramFolder.h"
#include "framework/SettingsKey.h"
#include "framework/Wnd.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <functional>

// The label view with a look at each printed page: a test may end the job there.
class TestPrintView : public CQuorbel6View
{
public:
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        CQuorbel6View::OnPrint(dc, info);
        ++m_pagesPrinted;
        if (m_afterPage)
            m_afterPage(*info);
    }
    std::function<void(CPrintInfo&)> m_afterPage;
    int m_pagesPrinted = 0;
};

class PrintedLabelTest : public ScratchSettingsTest
{
protected:
    void TearDown() override
    {
        if (m_view.m_hWnd)
            m_view.DestroyWindow();
        if (m_parent.m_hWnd)
            m_parent.DestroyWindow();
        ScratchSettingsTest::TearDown();
    }

    // The label of a layout on the built-in papers, or on the papers given
    // (added to the store and chosen).
    void MakeLabel(const char* layout, const CLabelDim* discPaper = nullptr, const CLabelDim* coverPaper = nullptr)
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Label", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 800, nullptr, nullptr));
        m_view.m_bAutoDelete = false;
        ASSERT_TRUE(m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 960, 740}, &m_parent, 1));
        m_view.AttachAppSettings(&m_settings);
        m_view.PrepareBitmaps();
        m_view.LoadLabelTemplates();
        if (discPaper) {
            m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(*discPaper));
            m_view.m_nDiscTemplate = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
        }
        if (coverPaper) {
            m_view.m_labelTemplates.push_back(std::make_unique<CLabelDim>(*coverPaper));
            m_view.m_nJewelTemplate = static_cast<int>(m_view.m_labelTemplates.size()) - 1;
        }
        // The print switches and offsets are settings the dialog writes.
        CreateScratchKey();
        m_view.Model().Shown().layout = layout;
        m_view.CreateSurfaceProperties();
        m_view.LoadLayoutGeometry();
        m_view.ShowSurface("Front Cover");
        m_view.GetDefaultPrinter();
    }

    const CLabelDim& DiscPaper() const { return *m_view.m_labelTemplates[static_cast<size_t>(m_view.m_nDiscTemplate)]; }
    const CLabelDim& CoverPaper() const
    {
        return *m_view.m_labelTemplates[static_cast<size_t>(m_view.m_nJewelTemplate)];
    }

    void PrintParts(bool front, bool back, bool disc1, bool disc2)
    {
        m_settings.m_bPrintFront = front;
        m_settings.m_bPrintBack = back;
        m_settings.m_bPrintDisc1 = disc1;
        m_settings.m_bPrintDisc2 = disc2;
    }

    void OutlineEverySurface()
    {
        SurfacePlacement& placement = m_view.Model().Placement();
        placement.frontCoverBorder = placement.backCoverBorder = 1;
        placement.disc1Border = placement.disc2Border = 1;
    }

    // Prints through the view's own command and returns the PDF (empty on failure).
    std::string PrintDirect()
    {
        PrintQueue::Clear();
        m_view.OnFilePrintDirectCommand();
        if (m_view.LastPrintResult() != PrintJobResult::Printed)
            return {};
        return PrintQueue::WaitForJob();
    }

    // ---- what the host is to find on the pages, thousandths of an inch ----------
    // Each page of the job with its sheet; a landscape sheet is turned back.
    void ExpectSheet(int page, SIZE sheet) { Line("sheet %d %ld %ld", page, sheet.cx, sheet.cy); }
    void ExpectRect(int page, int left, int top, int right, int bottom)
    {
        Line("rect %d %d %d %d %d", page, left, top, right, bottom);
    }
    void ExpectVerticalLine(int page, int x, int top, int bottom) { Line("vline %d %d %d %d", page, x, top, bottom); }
    void ExpectCircle(int page, int centreX, int centreY, int diameter)
    {
        Line("circle %d %d %d %d", page, centreX, centreY, diameter);
    }
    void ExpectCross(int page, int x, int y) { Line("cross %d %d %d", page, x, y); }
    void ExpectInkInside(int page, RECT box)
    {
        Line("inside %d %ld %ld %ld %ld", page, box.left, box.top, box.right, box.bottom);
    }
    void ExpectBlank(int page) { Line("blank %d", page); }
    void ExpectPages(int count) { Line("pages %d", count); }

    template <class... Args>
    void Line(const char* format, Args... args)
    {
        char line[160];
        std::snprintf(line, sizeof line, format, args...);
        m_expect << line << "\n";
    }

    std::ostringstream m_expect;
    // The program's message box takes its text from the application object.
    CQuorbel6App m_app;
    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
    CAppSettings m_settings;
    CWnd m_parent;
    TestPrintView m_view;
};

// Disc i's centre and diameters on a disc-label paper.
struct DiscOnPaper
{
    int centreX, centreY, outer, hole;
};
inline DiscOnPaper DiscOf(const CLabelDim& paper, int disc)
{
    if (disc == 1)
        return {paper.m_nLeft1 + paper.m_nWidth1 / 2, paper.m_nTop1 + paper.m_nWidth1 / 2, paper.m_nWidth1,
                paper.m_nHeight1};
    return {paper.m_nLeft2 + paper.m_nWidth2 / 2, paper.m_nTop2 + paper.m_nWidth2 / 2, paper.m_nWidth2,
            paper.m_nHeight2};
}
