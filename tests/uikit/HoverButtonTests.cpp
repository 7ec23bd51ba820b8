// The hover button driven by messages: taking over a system button, check
// mode, hovering, the tooltip, clicks that open a menu or an address, focus
// hand-over, and the pixels of its faces in each state.
#include "uikit/HoverButton.h"

#include "ButtonTestIds.h"
#include "ButtonTestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

using namespace button_test;

namespace {

constexpr UINT kButtonId = 100;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kIconGrey = RGB(76, 76, 76);  // luminance of pure red

COLORREF Sys(int index)
{
    return ::GetSysColor(index) & 0xFFFFFF;
}

class HoverButtonTest : public ::testing::Test {
protected:
    HWND Take(DWORD style, LPCSTR text = "Button", RECT rect = RECT{10, 10, 90, 35})
    {
        HWND window = parent.AddButton(kButtonId, style, text, rect);
        EXPECT_TRUE(button.SubclassWindow(window));
        return window;
    }
    // The mouse over the button's middle, as the system reports it.
    void MoveMouseOver(UINT keys = 0)
    {
        RECT rect{};
        ::GetClientRect(button.m_hWnd, &rect);
        POINT middle{rect.right / 2, rect.bottom / 2};
        POINT screen = middle;
        ::ClientToScreen(button.m_hWnd, &screen);
        ::SetCursorPos(screen.x, screen.y);
        button.SendMessage(WM_MOUSEMOVE, keys, MAKELPARAM(middle.x, middle.y));
    }
    UINT TypeBits() const { return static_cast<UINT>(::GetWindowLongA(button.m_hWnd, GWL_STYLE)) & BS_TYPEMASK; }

    CParentWindow parent;
    CHoverButton button;
};

// Replaces the opening of web addresses for one test.
class AddressRecorder {
public:
    AddressRecorder()
        : m_previous(CHoverButton::SetAddressOpener([this](LPCSTR address) { opened.push_back(address); }))
    {
    }
    ~AddressRecorder() { CHoverButton::SetAddressOpener(std::move(m_previous)); }
    std::vector<std::string> opened;

private:
    CHoverButton::AddressOpener m_previous;
};

}  // namespace

TEST_F(HoverButtonTest, TakingOverMakesTheButtonOwnerDrawnAndNotesItsKind)
{
    struct Case {
        DWORD style;
        bool checkMode;
        bool isDefault;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, false, false},  {BS_DEFPUSHBUTTON, false, true}, {BS_CHECKBOX, true, false},
        {BS_AUTOCHECKBOX, true, false}, {BS_AUTO3STATE, true, false},    {BS_RADIOBUTTON, false, false},
    };
    for (const Case& c : cases) {
        CHoverButton taken;
        HWND window = parent.AddButton(kButtonId, c.style);
        ASSERT_TRUE(taken.SubclassWindow(window));
        SCOPED_TRACE(c.style);
        EXPECT_EQ(static_cast<UINT>(::GetWindowLongA(window, GWL_STYLE)) & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
        EXPECT_EQ(taken.IsCheckButton(), c.checkMode);
        EXPECT_EQ(taken.IsDefaultButton(), c.isDefault);
        const LRESULT code = taken.SendMessage(WM_GETDLGCODE);
        EXPECT_EQ((code & DLGC_DEFPUSHBUTTON) != 0, c.isDefault);
        EXPECT_EQ((code & DLGC_UNDEFPUSHBUTTON) != 0, !c.isDefault);
        taken.UnsubclassWindow();
        ::DestroyWindow(window);
    }
}

TEST_F(HoverButtonTest, SetStyleMovesTheDefaultButKeepsItOwnerDrawn)
{
    Take(BS_PUSHBUTTON);
    button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(button.IsDefaultButton());
    EXPECT_EQ(TypeBits(), static_cast<UINT>(BS_OWNERDRAW));
    button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(button.IsDefaultButton());
    EXPECT_EQ(TypeBits(), static_cast<UINT>(BS_OWNERDRAW));
}

TEST_F(HoverButtonTest, CheckButtonFlipsOnEveryClickAndAnswersTheCheckMessages)
{
    Take(BS_AUTOCHECKBOX, "Check");
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_UNCHECKED);

    button.SendMessage(BM_CLICK);
    EXPECT_TRUE(button.GetCheck());
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(parent.Clicks(kButtonId), 1) << "the parent hears of the click too";
    EXPECT_EQ(::GetFocus(), button.m_hWnd) << "a click takes the focus";

    button.SendMessage(BM_CLICK);
    EXPECT_FALSE(button.GetCheck());

    button.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_TRUE(button.GetCheck());
    button.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_FALSE(button.GetCheck());
    button.SetCheck(true);
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_CHECKED);
}

TEST_F(HoverButtonTest, PushButtonHasNoCheckState)
{
    Take(BS_PUSHBUTTON);
    button.SetCheck(true);
    button.SendMessage(BM_CLICK);
    EXPECT_FALSE(button.GetCheck());
    EXPECT_EQ(parent.Clicks(kButtonId), 1);
}

TEST_F(HoverButtonTest, DoubleClickCountsAsASecondClick)
{
    Take(BS_AUTOCHECKBOX);
    const LPARAM point = MAKELPARAM(5, 5);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
    button.SendMessage(WM_LBUTTONUP, 0, point);
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    button.SendMessage(WM_LBUTTONUP, 0, point);
    EXPECT_EQ(parent.Clicks(kButtonId), 2);
    EXPECT_FALSE(button.GetCheck()) << "flipped twice";
}

TEST_F(HoverButtonTest, FlatButtonLightsUpWhileTheMouseIsOverIt)
{
    Take(BS_PUSHBUTTON);
    ASSERT_TRUE(button.GetFlat());
    MoveMouseOver();
    EXPECT_TRUE(button.IsHovered());
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsHovered());

    struct Canceller {
        const char* name;
        std::function<void(CHoverButton&)> cancel;
    };
    const Canceller cancellers[] = {
        {"kill focus", [](CHoverButton& b) { b.SendMessage(WM_KILLFOCUS, 0, 0); }},
        {"cancel mode", [](CHoverButton& b) { b.SendMessage(WM_CANCELMODE); }},
        {"disabled", [](CHoverButton& b) { b.EnableWindow(FALSE); }},
    };
    for (const Canceller& c : cancellers) {
        SCOPED_TRACE(c.name);
        button.EnableWindow(TRUE);
        MoveMouseOver();
        ASSERT_TRUE(button.IsHovered());
        c.cancel(button);
        EXPECT_FALSE(button.IsHovered());
    }
}

TEST_F(HoverButtonTest, NotEveryMouseMoveLightsTheButton)
{
    Take(BS_PUSHBUTTON);
    MoveMouseOver(MK_LBUTTON);
    EXPECT_FALSE(button.IsHovered()) << "a drag that started elsewhere";

    MoveMouseOver();
    MoveMouseOver(MK_LBUTTON);
    EXPECT_TRUE(button.IsHovered()) << "pressing on a lit button keeps it lit";
    button.SendMessage(WM_MOUSELEAVE);

    button.SetFlat(false);
    MoveMouseOver();
    EXPECT_FALSE(button.IsHovered()) << "a button that is not flat never lights up";
}

TEST_F(HoverButtonTest, TooltipLivesFromTheFirstMouseMoveToTheMouseLeaving)
{
    Take(BS_PUSHBUTTON);
    MoveMouseOver();
    EXPECT_EQ(button.GetTooltipWindow(), nullptr) << "no text, no tooltip";
    button.SendMessage(WM_MOUSELEAVE);

    button.SetTooltipText("Choose a folder");
    MoveMouseOver();
    HWND tooltip = button.GetTooltipWindow();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);

    char text[64] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = button.m_hWnd;
    tool.uId = 1;
    tool.lpszText = text;
    button.SetTooltipText("Another text");
    ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Another text");

    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(button.GetTooltipWindow(), nullptr);
    EXPECT_FALSE(::IsWindow(tooltip));
}

TEST_F(HoverButtonTest, AlignmentOutsideTheThreePlacesIsRefused)
{
    Take(BS_PUSHBUTTON);
    EXPECT_EQ(button.SetAlign(2), 0u);
    EXPECT_EQ(button.SetAlign(3), 4u);
    EXPECT_EQ(button.SetAlign(-1), 4u);
    EXPECT_EQ(button.GetAlign(), 2);
}

TEST_F(HoverButtonTest, ClickOpensTheWholeAddress)
{
    AddressRecorder recorder;
    Take(BS_PUSHBUTTON);
    const std::string address = "http://example.invalid/" + std::string(300, 'a');
    button.SetURL(address.c_str());
    EXPECT_EQ(std::string(button.GetURL()), address);

    button.SendMessage(BM_CLICK);
    ASSERT_EQ(recorder.opened.size(), 1u);
    EXPECT_EQ(recorder.opened[0], address);

    button.SetURL(nullptr);
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(recorder.opened.size(), 1u) << "no address, nothing opened";
}

TEST_F(HoverButtonTest, CheckButtonClickOnlyToggles)
{
    AddressRecorder recorder;
    Take(BS_AUTOCHECKBOX);
    button.SetURL("http://example.invalid/");
    button.menu.Reset(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_BUTTON_TEST_MENU)));
    button.menuOwner = parent.m_hWnd;
    button.SendMessage(BM_CLICK);
    EXPECT_TRUE(button.GetCheck());
    EXPECT_TRUE(recorder.opened.empty());
    EXPECT_TRUE(parent.m_menuCommands.empty());
}

namespace {

// Runs inside the menu's own loop: notes how the button looks while its menu
// is open, then picks the second item with the keyboard.
struct MenuDriver {
    static MenuDriver* current;
    CHoverButton* button = nullptr;
    bool drawnPressed = false;
    bool sawMenu = false;
    int ticks = 0;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        MenuDriver& self = *current;
        HWND menuWindow = ::FindWindowA("#32768", nullptr);
        if (menuWindow && ::IsWindowVisible(menuWindow)) {
            ::KillTimer(nullptr, id);
            self.sawMenu = true;
            RECT rect{};
            ::GetClientRect(self.button->m_hWnd, &rect);
            CCanvas canvas(rect.right, rect.bottom);
            DrawInto(*self.button, canvas, 0);
            // Sunken: the shadow at the top-left corner.
            self.drawnPressed = canvas.Pixel(0, 0) == Sys(COLOR_BTNSHADOW);
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        } else if (++self.ticks > 100) {
            ::KillTimer(nullptr, id);
            ::EndMenu();
        }
    }
};
MenuDriver* MenuDriver::current = nullptr;

}  // namespace

TEST_F(HoverButtonTest, ClickWithAMenuOpensTheMenuAndPostsTheChoice)
{
    AddressRecorder recorder;
    Take(BS_PUSHBUTTON);
    button.SetURL("http://example.invalid/");
    button.menu.Reset(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_BUTTON_TEST_MENU)));
    button.menuOwner = parent.m_hWnd;

    MenuDriver driver;
    driver.button = &button;
    MenuDriver::current = &driver;
    ::SetTimer(nullptr, 0, 20, &MenuDriver::Tick);
    button.SendMessage(BM_CLICK);
    PumpUntil([&] { return !parent.m_menuCommands.empty(); }, 1000);

    EXPECT_TRUE(driver.sawMenu);
    EXPECT_TRUE(driver.drawnPressed) << "the button looks pressed while its menu is open";
    ASSERT_EQ(parent.m_menuCommands.size(), 1u);
    EXPECT_EQ(parent.m_menuCommands[0], static_cast<UINT>(IDM_BUTTON_TEST_SECOND));
    EXPECT_TRUE(recorder.opened.empty()) << "the menu wins over the address";

    RECT rect{};
    ::GetClientRect(button.m_hWnd, &rect);
    CCanvas canvas(rect.right, rect.bottom);
    DrawInto(button, canvas, 0);
    EXPECT_NE(canvas.Pixel(0, 0), Sys(COLOR_BTNSHADOW)) << "no longer pressed once the menu is gone";
}

TEST_F(HoverButtonTest, DisabledButtonHandsItsFocusOn)
{
    Take(BS_PUSHBUTTON);
    HWND next = parent.AddButton(kButtonId + 1, BS_PUSHBUTTON, "Next", RECT{100, 10, 180, 35});
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 50, 100, 20, parent.m_hWnd,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);

    button.SetFocus();
    ASSERT_EQ(::GetFocus(), button.m_hWnd);
    button.EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), next) << "the next tab stop";

    // A button disabled while someone types elsewhere leaves the caret alone.
    button.EnableWindow(TRUE);
    ::SetFocus(edit);
    button.EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), edit);
}

TEST_F(HoverButtonTest, OwnCursorIsShownOverTheButton)
{
    Take(BS_PUSHBUTTON);
    EXPECT_EQ(button.SetBtnCursor(IDC_LINK_CURSOR), 0u);
    EXPECT_EQ(button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(button.SetBtnCursor(9999), 1u) << "no such cursor";
    EXPECT_EQ(button.SetBtnCursor(0), 0u);
}

// ---- faces ------------------------------------------------------------------------

TEST_F(HoverButtonTest, ClassicBorderOfAButtonThatIsNotFlat)
{
    Take(BS_PUSHBUTTON, "");
    button.SetFlat(false);
    RECT rect{};
    ::GetClientRect(button.m_hWnd, &rect);
    const int w = rect.right;
    const int h = rect.bottom;

    struct Case {
        const char* name;
        UINT state;
        POINT point;
        COLORREF expected;
    };
    const Case cases[] = {
        {"outer highlight", 0, {0, 0}, Sys(COLOR_BTNHIGHLIGHT)},
        {"inner light", 0, {1, 1}, Sys(COLOR_3DLIGHT)},
        {"outer dark shadow", 0, {w - 1, h - 1}, Sys(COLOR_3DDKSHADOW)},
        {"inner shadow", 0, {w - 2, h - 2}, Sys(COLOR_BTNSHADOW)},
        {"face", 0, {w / 2, h / 2}, Sys(COLOR_BTNFACE)},
        {"focus frame", ODS_FOCUS, {0, 0}, RGB(0, 0, 0)},
        {"border inside the focus frame", ODS_FOCUS, {1, 1}, Sys(COLOR_BTNHIGHLIGHT)},
        {"pressed frame", ODS_SELECTED, {0, 0}, Sys(COLOR_BTNSHADOW)},
        {"pressed frame corner", ODS_SELECTED, {w - 1, h - 1}, Sys(COLOR_BTNSHADOW)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCanvas canvas(w, h);
        DrawInto(button, canvas, c.state);
        EXPECT_EQ(canvas.Pixel(c.point.x, c.point.y), c.expected);
    }
}

TEST_F(HoverButtonTest, FlatButtonShowsItsBorderOnlyWhileLitOrPressed)
{
    Take(BS_PUSHBUTTON, "");
    button.colors[CHoverButton::BackOut] = RGB(0, 0, 200);
    button.colors[CHoverButton::BackIn] = RGB(0, 200, 0);
    button.colors[CHoverButton::BackFocus] = RGB(200, 200, 0);
    RECT rect{};
    ::GetClientRect(button.m_hWnd, &rect);
    const int w = rect.right;
    const int h = rect.bottom;

    CCanvas plain(w, h);
    DrawInto(button, plain, 0);
    EXPECT_EQ(plain.Pixel(0, 0), RGB(0, 0, 200)) << "no border";
    EXPECT_EQ(plain.Pixel(w / 2, h / 2), RGB(0, 0, 200));

    CCanvas focused(w, h);
    DrawInto(button, focused, ODS_FOCUS);
    EXPECT_EQ(focused.Pixel(w / 2, 2), RGB(200, 200, 0)) << "the focus background";

    CCanvas pressed(w, h);
    DrawInto(button, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.Pixel(0, 0), Sys(COLOR_BTNSHADOW)) << "sunken";
    EXPECT_EQ(pressed.Pixel(w - 1, h - 1), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pressed.Pixel(w / 2, h / 2), RGB(0, 200, 0));

    MoveMouseOver();
    CCanvas lit(w, h);
    DrawInto(button, lit, 0);
    EXPECT_EQ(lit.Pixel(0, 0), Sys(COLOR_BTNHIGHLIGHT)) << "raised";
    EXPECT_EQ(lit.Pixel(w - 1, h - 1), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(lit.Pixel(w / 2, h / 2), RGB(0, 200, 0));

    button.drawBorder = false;
    CCanvas litWithoutBorder(w, h);
    DrawInto(button, litWithoutBorder, 0);
    EXPECT_EQ(litWithoutBorder.Pixel(0, 0), RGB(0, 200, 0));
}

TEST_F(HoverButtonTest, TitleColoursAndTheEmbossedDisabledTitle)
{
    Take(BS_PUSHBUTTON, "WWWW");
    button.colors[CHoverButton::ForeOut] = RGB(200, 0, 0);
    button.colors[CHoverButton::ForeIn] = RGB(0, 0, 200);
    RECT rect{};
    ::GetClientRect(button.m_hWnd, &rect);

    CCanvas normal(rect.right, rect.bottom);
    DrawInto(button, normal, 0);
    EXPECT_GT(normal.Count(rect, RGB(200, 0, 0)), 0);

    CCanvas pressed(rect.right, rect.bottom);
    DrawInto(button, pressed, ODS_SELECTED);
    EXPECT_GT(pressed.Count(rect, RGB(0, 0, 200)), 0) << "the in-state colour";
    const RECT normalInk = normal.BoundsOf(RGB(200, 0, 0));
    const RECT pressedInk = pressed.BoundsOf(RGB(0, 0, 200));
    EXPECT_EQ(pressedInk.left, normalInk.left + 1) << "the pressed title moves by a pixel";
    EXPECT_EQ(pressedInk.top, normalInk.top + 1);

    CCanvas disabled(rect.right, rect.bottom);
    DrawInto(button, disabled, ODS_DISABLED);
    EXPECT_EQ(disabled.Count(rect, RGB(200, 0, 0)), 0);
    const RECT inner{2, 2, rect.right - 2, rect.bottom - 2};
    EXPECT_GT(disabled.Count(inner, Sys(COLOR_BTNSHADOW)), 0);
    EXPECT_GT(disabled.Count(inner, Sys(COLOR_BTNHIGHLIGHT)), 0);
}

TEST_F(HoverButtonTest, IconPlacementForEachAlignment)
{
    const RECT buttonRect{10, 10, 130, 60};  // 120 x 50
    Take(BS_PUSHBUTTON, "Go", buttonRect);
    ASSERT_EQ(button.SetIconHandles(SolidIcon(16, kRed), nullptr), 0u);
    const int w = 120;
    const int h = 50;

    struct Case {
        int align;
        bool title;
        RECT expected;
    };
    const Case cases[] = {
        {0, true, {3, 17, 19, 33}},
        {0, false, {52, 17, 68, 33}},
        {1, true, {52, 3, 68, 19}},
        {1, false, {52, 17, 68, 33}},
        {2, true, {w - 19, 17, w - 3, 33}},
        {2, false, {52, 17, 68, 33}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.align << (c.title ? " with title" : " without title"));
        button.SetWindowText(c.title ? "Go" : "");
        button.SetAlign(c.align);
        CCanvas canvas(w, h);
        DrawInto(button, canvas, 0);
        const RECT icon = canvas.BoundsOf(kRed);
        EXPECT_EQ(icon.left, c.expected.left);
        EXPECT_EQ(icon.top, c.expected.top);
        EXPECT_EQ(icon.right, c.expected.right);
        EXPECT_EQ(icon.bottom, c.expected.bottom);

        CCanvas pressed(w, h);
        DrawInto(button, pressed, ODS_SELECTED);
        const RECT moved = pressed.BoundsOf(kRed);
        EXPECT_EQ(moved.left, c.expected.left + 1) << "a pressed button's image moves by a pixel";
        EXPECT_EQ(moved.top, c.expected.top + 1);
    }
}

TEST_F(HoverButtonTest, GreyIconOutUntilTheButtonIsLitOrPressed)
{
    Take(BS_PUSHBUTTON, "", RECT{10, 10, 60, 40});
    ASSERT_EQ(button.SetIconHandles(SolidIcon(16, kRed), CHoverButton::GrayCopyHandle()), 0u);
    const RECT all{0, 0, 50, 30};

    CCanvas normal(50, 30);
    DrawInto(button, normal, 0);
    EXPECT_EQ(normal.Count(all, kRed), 0);
    EXPECT_EQ(normal.Count(all, kIconGrey), 16 * 16);

    CCanvas pressed(50, 30);
    DrawInto(button, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.Count(all, kRed), 16 * 16);

    MoveMouseOver();
    CCanvas lit(50, 30);
    DrawInto(button, lit, 0);
    EXPECT_EQ(lit.Count(all, kRed), 16 * 16);

    CCanvas disabled(50, 30);
    DrawInto(button, disabled, ODS_DISABLED);
    EXPECT_EQ(disabled.Count(all, kRed), 0) << "greyed when disabled";
}

TEST_F(HoverButtonTest, IconFromTheResourcesAndAnUnreadableIcon)
{
    Take(BS_PUSHBUTTON, "", RECT{10, 10, 60, 40});
    EXPECT_EQ(button.SetIcon(IDI_CHECK_SET, CHoverButton::kGrayCopy), 0u);
    EXPECT_EQ(button.SetIcon(9999, 0), 0u) << "a missing resource is simply no icon";

    const HICON notAnIcon = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(button.SetIconHandles(SolidIcon(16, kRed), notAnIcon), 1u);
    CCanvas canvas(50, 30);
    DrawInto(button, canvas, ODS_SELECTED);
    EXPECT_EQ(canvas.Count(RECT{0, 0, 50, 30}, kRed), 0) << "both icons were dropped; the button goes on without";
}

TEST_F(HoverButtonTest, BitmapIsDrawnWithItsKeyColourLeftOut)
{
    Take(BS_PUSHBUTTON, "", RECT{10, 10, 50, 30});  // 40 x 20
    button.colors[CHoverButton::BackOut] = RGB(0, 0, 200);
    HBITMAP picture = PatternBitmap({"mm##", "m##m", "##mm", "#mm#"});
    ASSERT_EQ(button.SetBitmaps(picture, RGB(255, 0, 255)), 0u);

    CCanvas canvas(40, 20);
    DrawInto(button, canvas, 0);
    const int left = (40 - 4) / 2;
    const int top = (20 - 4) / 2;
    EXPECT_EQ(canvas.Pixel(left + 0, top + 0), RGB(0, 0, 200)) << "key colour shows the face";
    EXPECT_EQ(canvas.Pixel(left + 2, top + 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(left + 3, top + 1), RGB(0, 0, 200));
    EXPECT_EQ(canvas.Count(RECT{0, 0, 40, 20}, RGB(255, 0, 255)), 0);

    CCanvas disabled(40, 20);
    DrawInto(button, disabled, ODS_DISABLED);
    EXPECT_EQ(disabled.Count(RECT{0, 0, 40, 20}, RGB(255, 0, 255)), 0);
    EXPECT_EQ(disabled.Pixel(left + 0, top + 0), RGB(0, 0, 200)) << "the key stays out of the greyed shape";
}

TEST_F(HoverButtonTest, FaceReachesTheParentsDrawItemAndComesBack)
{
    Take(BS_PUSHBUTTON, "");
    button.colors[CHoverButton::BackOut] = RGB(0, 0, 200);
    RECT rect{};
    ::GetClientRect(button.m_hWnd, &rect);
    CCanvas canvas(rect.right, rect.bottom, RGB(9, 9, 9));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.Pixel(rect.right / 2, rect.bottom / 2), RGB(0, 0, 200));
}

TEST_F(HoverButtonTest, TransparentButtonShowsTheParentBehindIt)
{
    Take(BS_PUSHBUTTON, "");
    button.DrawTransparent();
    ::RedrawWindow(parent.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT rect{};
    ::GetClientRect(button.m_hWnd, &rect);
    CCanvas canvas(rect.right, rect.bottom, RGB(9, 9, 9));
    DrawInto(button, canvas, 0);
    EXPECT_NE(canvas.Pixel(rect.right / 2, rect.bottom / 2), RGB(9, 9, 9)) << "the cached copy was painted";
}
