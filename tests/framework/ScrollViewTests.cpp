// A scrolling view inside a plain parent window: bars that come and go with
// the sizes, positions kept in range, the drawing origin moved by the position.
#include "framework/Gdi.h"
#include "framework/ScrollView.h"

#include <gtest/gtest.h>

namespace {

class CTestScrollView : public CScrollView {
public:
    CTestScrollView() { m_bAutoDelete = false; }
    void OnDraw(CDC*) override {}
};

class ScrollView : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(m_view.Create(nullptr, nullptr, WS_VISIBLE, RECT{0, 0, 200, 100}, &m_parent, 1));
    }

    bool HasBar(DWORD style) const { return (m_view.GetStyle() & style) != 0; }

    CWnd m_parent;
    CTestScrollView m_view;
};

TEST_F(ScrollView, BarsAppearOnlyForWhatDoesNotFit)
{
    m_view.SetScrollSizes(MM_TEXT, SIZE{1000, 50});
    EXPECT_TRUE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));

    m_view.SetScrollSizes(MM_TEXT, SIZE{150, 500});
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_TRUE(HasBar(WS_VSCROLL));

    m_view.SetScrollSizes(MM_TEXT, SIZE{100, 50});
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
}

TEST_F(ScrollView, PositionStaysInRangeAndMovesTheOrigin)
{
    m_view.SetScrollSizes(MM_TEXT, SIZE{1000, 800}, SIZE{100, 80}, SIZE{10, 8});
    RECT client{};
    m_view.GetClientRect(&client);

    m_view.ScrollToPosition(POINT{5000, -20});
    const POINT position = m_view.GetScrollPosition();
    EXPECT_EQ(position.x, 1000 - client.right);
    EXPECT_EQ(position.y, 0);
    EXPECT_EQ(m_view.GetScrollPos(SB_HORZ), position.x);

    m_view.SendMessage(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(m_view.GetScrollPosition().x, position.x - 10);
    m_view.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(m_view.GetScrollPosition().y, 80);

    CMemoryDC dc(nullptr);
    m_view.OnPrepareDC(&dc);
    const POINT origin = dc.GetViewportOrg();
    EXPECT_EQ(origin.x, -(position.x - 10));
    EXPECT_EQ(origin.y, -80);

    // Growing the window past the total size takes the bars and the offset away.
    m_view.MoveWindow(0, 0, 1200, 900);
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));
    EXPECT_EQ(m_view.GetScrollPosition().x, 0);
    EXPECT_EQ(m_view.GetScrollPosition().y, 0);
}

}  // namespace
