// The number combo box: which keys reach its edit field, what typing leaves
// in it, and Enter applying the value without going on.
#include "ButtonTestSupport.h"

#include "framework/ComboBox.h"
#include "framework/ErrorReport.h"
#include "uikit/NumberComboBox.h"

#include <gtest/gtest.h>

#include <vector>

using namespace button_test;

namespace {

class CCountingTarget : public CNumberComboTarget {
public:
    int m_applied = 0;
    void OnTrackCountChange() override { ++m_applied; }
};

}  // namespace

class NumberComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_combo.Create(WS_VISIBLE | CBS_DROPDOWN, RECT{10, 10, 110, 150}, &m_parent, 3));
        m_combo.SetTarget(&m_target);
        m_edit = ::GetWindow(m_combo, GW_CHILD);
        ASSERT_NE(m_edit, nullptr);
        ::SetFocus(m_edit);
    }

    MSG KeyDown(UINT key) const
    {
        MSG msg{};
        msg.hwnd = m_edit;
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        msg.lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16);
        return msg;
    }
    // What the message loop does with a key-down: the windows' filters
    // first, then translation and dispatch.
    bool Press(UINT key)
    {
        MSG msg = KeyDown(key);
        if (CWnd::WalkPreTranslateTree(m_parent, &msg))
            return false;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        PumpPending();
        return true;
    }
    CString Text() const
    {
        CString text;
        m_combo.GetWindowText(text);
        return text;
    }

    ScopedErrorReportHook m_noBoxes{[this](const ErrorReport& report) { m_reports.push_back(report.number); }};
    std::vector<int> m_reports;
    CParentWindow m_parent;
    CCountingTarget m_target;
    CNumberComboBox m_combo;
    HWND m_edit = nullptr;
};

TEST_F(NumberComboBoxTest, OnlyMainKeyboardDigitsAndEditingKeysGetThrough)
{
    struct Case {
        UINT key;
        bool passes;
    };
    const Case cases[] = {
        {'0', true},      {'5', true},       {'9', true},        {VK_BACK, true},  {VK_LEFT, true},
        {VK_RIGHT, true}, {'A', false},      {VK_NUMPAD5, false}, {VK_DELETE, false}, {VK_SPACE, false},
        {VK_TAB, false},  {VK_OEM_MINUS, false}, {VK_UP, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        MSG msg = KeyDown(c.key);
        EXPECT_EQ(CWnd::WalkPreTranslateTree(m_parent, &msg) != FALSE, !c.passes);
    }
    EXPECT_EQ(m_target.m_applied, 0);

    MSG character{};
    character.hwnd = m_edit;
    character.message = WM_CHAR;
    character.wParam = 'x';
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(m_parent, &character)) << "only key-downs are filtered";
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(NumberComboBoxTest, TypingKeepsTheDigitsAndEnterAppliesWithoutGoingOn)
{
    for (UINT key : {UINT{'1'}, UINT{'A'}, UINT{'2'}, UINT{VK_NUMPAD3}, UINT{'7'}})
        Press(key);
    EXPECT_EQ(Text(), CString("127")) << "a letter or a keypad digit does nothing";
    Press(VK_BACK);
    EXPECT_EQ(Text(), CString("12"));

    EXPECT_FALSE(Press(VK_RETURN)) << "Enter is swallowed";
    EXPECT_EQ(m_target.m_applied, 1) << "and applies the count first";
    EXPECT_EQ(Text(), CString("12"));

    m_combo.SetTarget(nullptr);
    EXPECT_FALSE(Press(VK_RETURN)) << "without a target Enter is only swallowed";
    EXPECT_EQ(m_target.m_applied, 1);
    EXPECT_TRUE(m_reports.empty());
}
