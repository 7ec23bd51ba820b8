// Selecting and editing in a real label view inside a frame, driven by the
// mouse and key messages Windows sends: what a press selects on the single and
// double layouts, drags and resizes with and without the grid, the arrow keys,
// the context menu of a right click and the selection frame's pixels.
#include "app/Quorbel6App.h"
#include "document/AppSettings.h"
#include "framework/CommandIds.h"
#include "framework/ErrorReport.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/ProgramFolder.h"
#include "label/LabelRows.h"
#include "label/ObjectRows.h"
#include "resource.h"
#include "shell/FrameView.h"
#include "view/Quorbel6View.h"

#include "support/MessagePump.h"
#include "support/MouseOnWindow.h"

#include "StandInFrame.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace
{
// A main frame that only records what the view tells it.
class RecordingFrame : public StandInFrame
{
public:
    void SetSelectionState(BOOL selected) override { editableSelected = selected != FALSE; }
    void ShowObject(const CString& objectName) override { shownObject = objectName; }
    void ShowProperties(const CString& objectName) override { gridObject = objectName; }
    void SetPastePossible(bool possible) override { pastePossible = possible; }
    void ClearTextFieldFocus() override { ++focusClears; }
    bool IsPropertiesPaneShown() const override { return propertiesShown; }
    bool IsTextPaneShown() const override { return textShown; }
    FramePanePlace PanePlace(FramePane) const override { return FramePanePlace::VertDocked; }
    void ShowPropertiesPaneAt(POINT screenPoint) override
    {
        propertiesShown = true;
        propertiesAt = screenPoint;
    }

    bool editableSelected = false;
    CString shownObject;
    CString gridObject;
    bool pastePossible = true;
    int focusClears = 0;
    bool propertiesShown = false;
    bool textShown = true;
    POINT propertiesAt{};
};

std::string Str(const CString& text)
{
    return text.c_str();
}

class SelectionWindow : public ::testing::Test
{
protected:
    void SetUp() override { Open("Single"); }

    void Open(const char* layout)
    {
        m_folder = UseScratchProgramFolder("SleevorySelection");

        m_view = OpenViewInFrame(m_app, m_frame);
        ASSERT_NE(m_view, nullptr);
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();

        CQuorbel6View& view = *m_view;
        PrepareLabelView(view, m_settings, layout);
        view.ShowSurface("Disc 1");
        ASSERT_EQ(view.Model().Shown().zoom, 10);
    }

    void TearDown() override
    {
        CloseViewInFrame(m_app, m_frame, m_folder);
    }

    // A point of the sheet (thousandths of an inch) in the view's client pixels.
    POINT Client(int x, int y) const
    {
        const POINT scroll = m_view->GetDeviceScrollPosition();
        return POINT{m_view->DocToScreenLength(x) - scroll.x - m_view->m_ptPageOrigin.x,
                     m_view->DocToScreenLength(y) - scroll.y - m_view->m_ptPageOrigin.y};
    }

    void Send(UINT message, WPARAM flags, POINT at) const
    {
        ::SendMessageA(m_view->m_hWnd, message, flags, MAKELPARAM(at.x, at.y));
    }
    // A left click without moving.
    void Click(POINT at) const
    {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
        Send(WM_LBUTTONUP, 0, at);
    }
    std::string ClickAt(int x, int y)
    {
        Click(Client(x, y));
        return Str(m_view->m_strSelectedObject);
    }
    // The pointer comes to rest over the view: the view chooses its drag mode and cursor.
    void Hover(POINT at) const { test_support::HoverAt(m_view->m_hWnd, at); }
    // Press, move by steps and release with the left button.
    void Drag(POINT from, POINT to, WPARAM moveFlags = MK_LBUTTON) const
    {
        test_support::DragOn(m_view->m_hWnd, from, to, moveFlags);
    }

    // A Text object of the rows such an object has, on disc 1.
    void AddText(const char* name, int left, int top, int width, int height)
    {
        ObjectRows rows(m_view->Model(), name, 13);
        rows.Add("Item Type", "", "Text", "", 0);
        rows.Add("Page", "", "1", "", 0);
        rows.Add("Color", "COLOR", "0,0,0", "", 1);
        rows.Add("View", "", "Disc 1", "Inside", 0);
        rows.Add("Font", "FONT", "Arial,12,400,0", "", 1);
        rows.Add("Left", "EDIT", LabelRows::ObjectLengthText(left), "", 0);
        rows.Add("Top", "EDIT", LabelRows::ObjectLengthText(top), "", 0);
        rows.Add("Width", "EDIT", LabelRows::ObjectLengthText(width), "", 0);
        rows.Add("Height", "EDIT", LabelRows::ObjectLengthText(height), "", 0);
        rows.Add("Alignment", "COMBO", "Center", "", 1);
        rows.Add("Vector Data", "", "", "", 0);
        rows.Add("MultiLine", "COMBO", "Yes", "", 1);
        rows.Add("Angle", "COMBO", "0 degrees", "", 1);
    }
    std::string Value(const char* name, const char* key) const { return Str(m_view->GetPropertyValue(name, key)); }

    // The view painted into a bitmap of its client size.
    struct Picture
    {
        CMemoryDC dc;
        CBitmap bitmap;
        std::unique_ptr<CSelectGuard> selected;
        uint32_t* bits = nullptr;
        SIZE size{};
        COLORREF At(int x, int y) const
        {
            const uint32_t pixel = bits[static_cast<size_t>(y) * static_cast<size_t>(size.cx) + static_cast<size_t>(x)];
            return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
        }
    };
    void Paint(Picture& picture) const
    {
        RECT client{};
        m_view->GetClientRect(&client);
        picture.size = SIZE{client.right, client.bottom};
        CClientDC screen(nullptr);
        picture.dc.CreateCompatibleDC(screen);
        void* bits = nullptr;
        ASSERT_TRUE(picture.bitmap.CreateTopDownDIB32(picture.dc, client.right, client.bottom, &bits));
        picture.bits = static_cast<uint32_t*>(bits);
        picture.selected = std::make_unique<CSelectGuard>(picture.dc.m_hDC, picture.bitmap.Get());
        m_view->m_bRawContext = 1;
        m_view->OnDraw(&picture.dc);
    }

    CQuorbel6App m_app;
    CAppSettings m_settings;
    RecordingFrame* m_frame = nullptr;
    CQuorbel6View* m_view = nullptr;
    std::string m_folder;
    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
};

// Generic disc paper: disc 1's square at (1938, 688), disc 2's at (1938, 5688),
// 4625 across with a hole of 1600. Plain paper: front cover (800, 800)
// 9520 x 4760 folded on page 2; back cover (1300, 600) 5910 x 4650 with 250
// spine tabs on page 3.
constexpr int kDiscCentreX = 1938 + 2312;
constexpr int kDisc1CentreY = 688 + 2312;

TEST_F(SelectionWindow, APressSelectsWhatLiesUnderIt)
{
    struct Case
    {
        void (CQuorbel6View::*surface)();
        int x, y;
        const char* selected;
        const char* shown;  // the surface shown afterwards
    };
    const Case cases[] = {
        {&CQuorbel6View::OnViewDiscLabel, kDiscCentreX, 1000, "Disc 1", "Disc 1"},
        {&CQuorbel6View::OnViewDiscLabel, kDiscCentreX, kDisc1CentreY, "Page 1", "Disc 1"},  // the hole
        {&CQuorbel6View::OnViewDiscLabel, 300, 300, "Page 1", "Disc 1"},
        {&CQuorbel6View::OnViewFrontCover, 2000, 2000, "Front Cover (Inside)", "Front Cover"},
        {&CQuorbel6View::OnViewFrontCover, 8000, 2000, "Front Cover", "Front Cover"},
        {&CQuorbel6View::OnViewFrontCover, 400, 7000, "Page 2", "Front Cover"},
        {&CQuorbel6View::OnViewBackCover, 1400, 3000, "Left Tab", "Back Cover"},
        {&CQuorbel6View::OnViewBackCover, 7100, 3000, "Right Tab", "Back Cover"},
        {&CQuorbel6View::OnViewBackCover, 4000, 3000, "Back Cover", "Back Cover"},
    };
    for (const Case& c : cases) {
        (m_view->*c.surface)();
        EXPECT_EQ(ClickAt(c.x, c.y), c.selected) << c.x << "," << c.y;
        EXPECT_EQ(Str(m_view->Model().Shown().surface), c.shown) << c.x << "," << c.y;
        EXPECT_EQ(Str(m_frame->shownObject), c.selected);
        EXPECT_FALSE(m_frame->editableSelected);
        EXPECT_GT(m_frame->focusClears, 0);
    }
    // Off the sheet nothing is hit and the selection stays.
    m_view->OnViewFrontCover();
    ClickAt(8000, 2000);
    Click(Client(-100, -100));
    EXPECT_EQ(Str(m_view->m_strSelectedObject), "Front Cover");
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SelectionWindow, TheSecondDiscPlaceOfASingleCdMovesDiscOneThere)
{
    EXPECT_EQ(Value("Disc 1", "Label Position"), "Top");
    EXPECT_EQ(ClickAt(kDiscCentreX, 6000), "Disc 1");
    EXPECT_EQ(Value("Disc 1", "Label Position"), "Bottom");
    EXPECT_EQ(Str(m_view->Model().Shown().surface), "Disc 1");
}

TEST_F(SelectionWindow, ADoubleCdSelectsItsSecondDisc)
{
    TearDown();
    Open("Double");
    EXPECT_EQ(ClickAt(kDiscCentreX, 6000), "Disc 2");
    EXPECT_EQ(Value("Disc 1", "Label Position"), "Top");
    EXPECT_EQ(Str(m_view->Model().Shown().surface), "Disc 2");
}

TEST_F(SelectionWindow, RepeatedPressesCycleSmallestFirstAndASurfaceCommandStartsAgain)
{
    AddText("Big(1)", 3000, 900, 2500, 800);
    AddText("Small(1)", 4000, 950, 400, 200);
    m_view->OnViewDiscLabel();
    const POINT at = Client(4200, 1050);
    std::vector<std::string> selected;
    for (int i = 0; i < 4; ++i) {
        Click(at);
        selected.push_back(Str(m_view->m_strSelectedObject));
    }
    EXPECT_EQ(selected, (std::vector<std::string>{"Small(1)", "Big(1)", "Disc 1", "Small(1)"}));
    Click(at);
    EXPECT_EQ(Str(m_view->m_strSelectedObject), "Big(1)");
    m_view->OnViewDiscLabel();
    Click(Client(4200, 1050));  // the command may have fitted another zoom
    EXPECT_EQ(Str(m_view->m_strSelectedObject), "Small(1)");
    EXPECT_TRUE(m_frame->editableSelected);
}

TEST_F(SelectionWindow, DragsAndResizesWriteTheRowsOnRelease)
{
    // 48 pixels at 96 dpi and 100 % are half an inch.
    struct Case
    {
        const char* what;
        bool snap;
        int grabX, grabY;  // thousandths; -1 for the right handle
        int dx, dy;        // pixels
        const char* left;
        const char* top;
        const char* width;
        const char* height;
    };
    const Case cases[] = {
        {"move", false, 4000, 1100, 48, 0, "3.500 ''", "1.000 ''", "2.000 ''", "0.500 ''"},
        {"move on a 300 grid", true, 4000, 1100, 48, 0, "3.600 ''", "0.900 ''", "2.000 ''", "0.500 ''"},
        {"right handle", false, -1, 0, 48, 0, "3.000 ''", "1.000 ''", "2.500 ''", "0.500 ''"},
        {"right handle on a 300 grid", true, -1, 0, 48, 0, "3.000 ''", "1.000 ''", "2.400 ''", "0.500 ''"},
        {"right handle past the left edge", false, -1, 0, -300, 0, "3.000 ''", "1.000 ''", "0.100 ''", "0.500 ''"},
    };
    for (const Case& c : cases) {
        m_view->ClearObjects();
        m_view->CreateSurfaceProperties();
        AddText("Title(1)", 3000, 1000, 2000, 500);
        m_view->m_bSnapToGrid = c.snap ? 1 : 0;
        m_view->m_nGridSpacingX = 300;
        m_view->m_nGridSpacingY = 300;
        m_view->ShowSurface("Disc 1");
        ASSERT_EQ(ClickAt(4000, 1100), "Title(1)") << c.what;
        POINT from{};
        if (c.grabX < 0) {
            const RECT& right = m_view->m_rcHandles[3];
            from = POINT{(right.left + right.right) / 2, (right.top + right.bottom) / 2};
        } else {
            from = Client(c.grabX, c.grabY);
        }
        Drag(from, POINT{from.x + c.dx, from.y + c.dy});
        EXPECT_EQ(Value("Title(1)", "Left"), c.left) << c.what;
        EXPECT_EQ(Value("Title(1)", "Top"), c.top) << c.what;
        EXPECT_EQ(Value("Title(1)", "Width"), c.width) << c.what;
        EXPECT_EQ(Value("Title(1)", "Height"), c.height) << c.what;
        EXPECT_TRUE(m_view->m_strDragMode.IsEmpty()) << c.what;
        EXPECT_EQ(Str(m_frame->gridObject), "Title(1)") << c.what;
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SelectionWindow, MovesWithShiftOrASecondButtonAndPressesWithoutMovingChangeNothing)
{
    AddText("Title(1)", 3000, 1000, 2000, 500);
    ASSERT_EQ(ClickAt(4000, 1100), "Title(1)");
    const POINT from = Client(4000, 1100);
    for (WPARAM flags : {WPARAM(MK_LBUTTON | MK_SHIFT), WPARAM(MK_LBUTTON | MK_CONTROL), WPARAM(MK_LBUTTON | MK_RBUTTON)})
        Drag(from, POINT{from.x + 48, from.y + 48}, flags);
    Drag(from, from);
    EXPECT_EQ(Value("Title(1)", "Left"), "3.000 ''");
    EXPECT_EQ(Value("Title(1)", "Top"), "1.000 ''");
    EXPECT_TRUE(m_frame->gridObject.IsEmpty());
}

TEST_F(SelectionWindow, ArrowKeysNudgeAndResizeByOneScreenPixel)
{
    AddText("Title(1)", 3000, 1000, 2000, 500);
    ASSERT_EQ(ClickAt(4000, 1100), "Title(1)");
    // The program's loop offers each message to the view before dispatching it.
    auto key = [&](UINT virtualKey, bool control) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        ::SetKeyboardState(keys);
        ::PostMessageA(m_view->m_hWnd, WM_KEYDOWN, virtualKey, 1);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!m_view->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
    };
    // One pixel is trunc(10.42) = 10 thousandths at 96 dpi and 100 %.
    key(VK_RIGHT, false);
    EXPECT_EQ(Value("Title(1)", "Left"), "3.010 ''");
    key(VK_DOWN, false);
    EXPECT_EQ(Value("Title(1)", "Top"), "1.010 ''");
    key(VK_UP, true);
    EXPECT_EQ(Value("Title(1)", "Height"), "0.490 ''");
    EXPECT_EQ(Value("Title(1)", "Top"), "1.010 ''");
    key(VK_LEFT, true);
    EXPECT_EQ(Value("Title(1)", "Width"), "1.990 ''");
    EXPECT_EQ(Value("Title(1)", "Left"), "3.010 ''");
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SelectionWindow, ARightClickSelectsAndOpensTheContextMenuAtItsInsertionPlace)
{
    m_view->OnViewBackCover();
    m_view->m_sizeContextMenuIcon = SIZE{80, 80};
    m_view->m_bSnapToGrid = 1;
    m_frame->propertiesShown = true;
    m_frame->textShown = false;

    static CQuorbel6View* view = nullptr;
    static bool menuSeen = false, openFlag = false, snapChecked = false, propertiesChecked = false,
                textChecked = true;
    view = m_view;
    menuSeen = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND menuWindow = ::FindWindowA("#32768", nullptr);
        if (!menuWindow)
            return;
        const HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        if (menu) {
            menuSeen = true;
            openFlag = view->m_bContextMenuOpen != 0;
            snapChecked = (::GetMenuState(menu, ID_LAYOUT_SNAP_TO_GRID, MF_BYCOMMAND) & MF_CHECKED) != 0;
            propertiesChecked = (::GetMenuState(menu, ID_VIEW_PROPERTIES, MF_BYCOMMAND) & MF_CHECKED) != 0;
            textChecked = (::GetMenuState(menu, ID_VIEW_TEXT_EDITOR, MF_BYCOMMAND) & MF_CHECKED) != 0;
        }
        ::EndMenu();
    });
    // A right press keeps a selection that lies under it: the tab, not the cover.
    ASSERT_EQ(ClickAt(1400, 3000), "Left Tab");
    const POINT at = Client(1400, 3000);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, at);
    Send(WM_RBUTTONUP, 0, at);
    ::KillTimer(nullptr, timer);

    EXPECT_EQ(Str(m_view->m_strSelectedObject), "Left Tab");
    EXPECT_TRUE(menuSeen);
    EXPECT_TRUE(openFlag);
    EXPECT_FALSE(m_view->m_bContextMenuOpen);
    EXPECT_TRUE(snapChecked);
    EXPECT_TRUE(propertiesChecked);
    EXPECT_FALSE(textChecked);
    // On a spine tab the place stands upright and no wider than the tab less 2 pixels.
    POINT screen = at;
    ::ClientToScreen(m_view->m_hWnd, &screen);
    const RECT& place = m_view->m_rectInsertion;
    const int tab = m_view->Renderer().Geometry().back.tab;
    ASSERT_LT(tab - 2, 80);
    EXPECT_EQ(place.right - place.left, (tab - 2) / 2 * 2);
    EXPECT_EQ(place.bottom - place.top, 80);
    EXPECT_EQ(m_view->m_sizeContextMenuIcon.cy, tab - 2);
    EXPECT_EQ((place.left + place.right) / 2, screen.x);
    EXPECT_EQ((place.top + place.bottom) / 2, screen.y);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SelectionWindow, PropertiesAtTheCursorShowTheHiddenPane)
{
    ::SetCursorPos(400, 300);
    m_frame->propertiesShown = false;
    ::SendMessageA(m_view->m_hWnd, WM_COMMAND, ID_SHOW_PROPERTIES_AT_CURSOR, 0);
    EXPECT_TRUE(m_frame->propertiesShown);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    EXPECT_EQ(m_frame->propertiesAt.x, cursor.x);
    EXPECT_EQ(m_frame->propertiesAt.y, cursor.y);
}

TEST_F(SelectionWindow, ASelectedTextShowsMarchingAntsAndInvertedHandles)
{
    AddText("Title(1)", 3000, 1000, 2000, 500);
    ASSERT_EQ(ClickAt(4000, 1100), "Title(1)");
    const RECT box = m_view->m_rcSelection;
    ASSERT_GT(box.right - box.left, 100);

    for (int phase : {0, 1, 4}) {
        m_view->m_nAntPhase = phase;
        Picture picture;
        Paint(picture);
        // The top edge runs three black, three white, starting at offset 6 - phase
        // (where no handle lies over it).
        int mismatches = 0;
        for (int x = box.left; x < box.right; ++x) {
            bool underHandle = false;
            for (const RECT& handle : m_view->m_rcHandles)
                underHandle = underHandle || ::PtInRect(&handle, POINT{x, box.top});
            if (underHandle)
                continue;
            const bool black = ((x - box.left + 6 - phase) % 6) < 3;
            if (picture.At(x, box.top) != (black ? RGB(0, 0, 0) : RGB(255, 255, 255)))
                ++mismatches;
        }
        EXPECT_EQ(mismatches, 0) << "phase " << phase;
        // The right edge marches the other way along the column.
        const bool black = ((10 + 6 - phase) % 6) < 3;
        EXPECT_EQ(picture.At(box.right - 1, box.top + 11), black ? RGB(0, 0, 0) : RGB(255, 255, 255));
        // Each handle shows the inverse of the white surface under it.
        for (const RECT& handle : m_view->m_rcHandles)
            EXPECT_EQ(picture.At((handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2), RGB(0, 0, 0));
        // Inside the box the surface shows unchanged.
        EXPECT_EQ(picture.At((box.left + box.right) / 2, box.top + 3), RGB(255, 255, 255));
    }

    // The selection timer moves the ants.
    const int before = m_view->m_nAntPhase;
    EXPECT_TRUE(test_support::PumpUntil([&] { return m_view->m_nAntPhase != before; }, 3000));
}

TEST_F(SelectionWindow, ASelectedCoverFlashesItsFrameOnce)
{
    m_view->OnViewFrontCover();
    ASSERT_EQ(ClickAt(8000, 2000), "Front Cover");
    const RECT box = m_view->m_rcSelection;
    Picture picture;
    Paint(picture);
    // A folded cover is framed on its right half, four pixels outside.
    const int middle = (box.top + box.bottom) / 2;
    EXPECT_EQ(picture.At(box.right + 2, middle), RGB(60, 119, 119));
    EXPECT_EQ(picture.At(box.left + (box.right - box.left) / 2 - 2, middle), RGB(60, 119, 119));
    EXPECT_NE(picture.At(box.left - 2, middle), RGB(60, 119, 119));
    // The flash ends by itself and leaves no frame.
    EXPECT_TRUE(test_support::PumpUntil([&] { return m_view->m_nSelectionHandles == 0; }, 3000));
    Picture after;
    Paint(after);
    EXPECT_NE(after.At(box.right + 2, middle), RGB(60, 119, 119));
}

TEST_F(SelectionWindow, ANewLabelForgetsTheSelection)
{
    AddText("Title(1)", 3000, 1000, 2000, 500);
    ASSERT_EQ(ClickAt(4000, 1100), "Title(1)");
    m_view->ClearObjects();
    EXPECT_TRUE(m_view->m_strSelectedObject.IsEmpty());
    EXPECT_EQ(m_view->m_nSelectionHandles, 0);
    EXPECT_TRUE(m_view->m_keptHitList.empty());
    const RECT none{};
    EXPECT_TRUE(::EqualRect(&m_view->m_rcSelection, &none));
    for (const CString& entry : m_view->m_selectionCache)
        EXPECT_TRUE(entry.IsEmpty());
}

TEST_F(SelectionWindow, ASelectionWhoseObjectHasGoneFallsBackToThePageOrClears)
{
    AddText("Title(1)", 3000, 1000, 2000, 500);
    ASSERT_EQ(ClickAt(4000, 1100), "Title(1)");
    m_view->EraseObjectRows("Title(1)");
    m_view->UpdateSelection();
    EXPECT_EQ(Str(m_view->m_strSelectedObject), "Page 1");
    // Without the page object either, the selection ends instead of looping.
    m_view->EraseObjectRows("Page 1");
    m_view->UpdateSelection();
    EXPECT_TRUE(m_view->m_strSelectedObject.IsEmpty());
    EXPECT_EQ(m_view->m_nSelectionHandles, 0);
    EXPECT_TRUE(m_errors.empty());
}
}  // namespace
