// The size a text is fitted to is the label's, whatever draws it first: a
// print that meets a text no screen drawing has laid out yet (the texts of a
// page not shown since the label was opened or its texts were imported) must
// fit it as the screen does after the document is opened again.
#include "PrintTestSupport.h"

#include "label/TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class PrintedTextSizeTest : public PrintedLabelTest
{
protected:
    // A free text with the words, inserted on the surface as the Insert command does.
    CString AddText(const char* surface, const char* words)
    {
        m_view.ShowSurface(surface);
        RECT area = m_view.GetSurfaceRect(surface);
        // In the upper part of the cover.
        const POINT middle{(area.left + area.right) / 2, area.top + (area.bottom - area.top) * 3 / 10};
        area = RECT{middle.x - 60, middle.y - 15, middle.x + 60, middle.y + 15};
        ::MapWindowPoints(m_view.m_hWnd, nullptr, reinterpret_cast<POINT*>(&area), 2);
        m_view.AddTextObject("Text", area, "Inside");
        const CString name = m_view.m_strSelectedObject;
        m_view.ApplyProperty(name, "Text", words);
        return name;
    }
    int FittedSize(const CString& name) const
    {
        return TextLayout::CacheHeight(m_view.Model().GetPropertyValue(name, "Vector Data"));
    }
};
}  // namespace

TEST_F(PrintedTextSizeTest, TextFirstLaidOutByAPrintGetsTheSizeTheScreenGivesIt)
{
    if (!QueueReady())
        GTEST_SKIP() << m_skipReason;
    MakeLabel("Single");
    ASSERT_EQ(m_view.m_bNoPrinter, 0) << "the private queue is not the default printer";
    PrintParts(true, true, true, false);
    const struct
    {
        const char* surface;
        const char* words;
    } texts[] = {{"Back Cover", "Greatest Hits Live in Concert"}, {"Front Cover", "Greatest Hits"}};
    std::vector<CString> names;
    for (const auto& text : texts)
        names.push_back(AddText(text.surface, text.words));
    // As a document is read: no text laid out yet, the disc shown.
    m_view.ShowSurface("Disc 1");
    for (const CString& name : names)
        m_view.ReplacePropertyValue(name, "Vector Data", "");

    const std::string pdf = PrintDirect();
    ASSERT_FALSE(pdf.empty()) << "the job did not reach the queue";
    std::vector<int> printed;
    for (const CString& name : names)
        printed.push_back(FittedSize(name));

    // Opened again, the same rows are laid out on the screen.
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(texts[i].surface);
        m_view.ReplacePropertyValue(names[i], "Vector Data", "");
        m_view.ShowSurface(texts[i].surface);
        const int onScreen = FittedSize(names[i]);
        EXPECT_GT(onScreen, 0);
        EXPECT_EQ(printed[i], onScreen) << "fitted sizes in tenths of a point";
    }
    EXPECT_TRUE(m_errors.empty());
}
