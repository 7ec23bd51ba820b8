// The owner-drawn edits and combo boxes: their borders and fills read back
// from the screen surface, the brushes they answer to WM_CTLCOLOR..., the
// display edit's mouse and keyboard behaviour, and the track-list cell
// editor's writing of typed and pasted text into the cell and the text record.
#include "OwnerDrawnTestIds.h"
#include "OwnerDrawnTestSupport.h"

#include "framework/Dialog.h"
#include "framework/ErrorReport.h"
#include "framework/ListCtrl.h"
#include "uikit/CellEdit.h"
#include "uikit/DisplayEdit.h"
#include "uikit/FlatComboBox.h"
#include "uikit/GridEdit.h"
#include "uikit/PaintComboBox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace uikit_test;

namespace {

constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);


// ---- grid edit -----------------------------------------------------------------

TEST(GridEdit, TheBorderIsFlatWithALightTopAndLeftEdge)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CGridEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, RECT{10, 10, 170, 34}, &host, 1086));
    edit.SetWindowText("12.5 mm");
    RepaintNow(host);

    const RECT client = ClientOf(edit);
    const int w = client.right;
    const int h = client.bottom;
    const COLORREF window = SysColor(COLOR_WINDOW);
    const struct {
        const char* where;
        int x, y;
        COLORREF expected;
    } probes[] = {
        {"top-left corner", 0, 0, kLightGrey},  {"left edge", 0, h / 2, kLightGrey},
        {"top edge", w / 2, 0, kLightGrey},     {"top-right end", w - 1, 0, kLightGrey},
        {"right edge", w - 1, h / 2, window},   {"bottom edge", w / 2, h - 1, window},
        {"bottom-left end", 0, h - 1, kLightGrey},
    };
    for (const auto& probe : probes)
        EXPECT_EQ(PixelOf(edit, probe.x, probe.y), probe.expected) << probe.where;
    EXPECT_TRUE(errors.Reports().empty());
}

// ---- display edit ----------------------------------------------------------------

enum class Answer { Hollow, Grey, Parent };

TEST(DisplayEdit, BrushAnsweredToTheParentByModeAndState)
{
    const struct {
        int mode;
        bool enabled;
        Answer expected;
    } cases[] = {
        {0, true, Answer::Hollow},  {0, false, Answer::Hollow}, {3, true, Answer::Parent},
        {3, false, Answer::Grey},   {4, true, Answer::Grey},    {4, false, Answer::Grey},
        {5, true, Answer::Hollow},  {1, true, Answer::Grey},    {7, false, Answer::Grey},
    };
    for (const auto& c : cases) {
        CHostWindow host;
        CDisplayEdit edit;
        ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, RECT{10, 10, 170, 34}, &host, 1071));
        edit.m_nDisplayMode = c.mode;
        edit.EnableWindow(c.enabled);

        CClientDC dc(edit);
        ::SetBkMode(dc, OPAQUE);
        // What the edit itself asks its parent while painting.
        const UINT message = c.enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
        const auto brush = reinterpret_cast<HBRUSH>(
            host.SendMessage(message, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(edit.m_hWnd)));
        const std::string label = "mode " + std::to_string(c.mode) + (c.enabled ? " enabled" : " disabled");

        EXPECT_EQ(::GetBkMode(dc), TRANSPARENT) << label;
        LOGBRUSH info{};
        ASSERT_TRUE(brush && ::GetObjectA(brush, sizeof info, &info)) << label;
        switch (c.expected) {
        case Answer::Hollow:
            EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_HOLLOW)) << label;
            break;
        case Answer::Grey:
            EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_SOLID)) << label;
            EXPECT_EQ(info.lbColor & 0xFFFFFF, kPanelGreyColor) << label;
            break;
        case Answer::Parent:
            EXPECT_NE(info.lbStyle, static_cast<UINT>(BS_HOLLOW)) << label;
            EXPECT_NE(info.lbColor & 0xFFFFFF, kPanelGreyColor) << label;
            break;
        }
    }
}

TEST(DisplayEdit, ModeThreeLooksLikeAnEditWhileEnabledAndTurnsGreyWhenDisabled)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CDisplayEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, RECT{10, 10, 170, 34}, &host, 1071));
    edit.m_nDisplayMode = 3;
    edit.SetWindowText("proxy");
    RepaintNow(host);
    const RECT client = ClientOf(edit);
    EXPECT_EQ(PixelOf(edit, client.right - 3, client.bottom / 2), SysColor(COLOR_WINDOW));

    edit.EnableWindow(FALSE);
    RepaintNow(host);
    EXPECT_EQ(PixelOf(edit, client.right - 3, client.bottom / 2), kPanelGreyColor);
    EXPECT_EQ(PixelOf(edit, 1, 1), kPanelGreyColor);
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(DisplayEdit, ModeZeroLeavesTheParentVisibleBehindTheText)
{
    CHostWindow host;
    CDisplayEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_CENTER | ES_MULTILINE, RECT{10, 10, 170, 34}, &host, 1121));
    edit.m_nDisplayMode = 0;
    edit.SetWindowText("thanks");
    RepaintNow(host);
    const RECT client = ClientOf(edit);
    EXPECT_EQ(PixelOf(edit, client.right - 2, client.bottom - 2), kHostColor);
    EXPECT_EQ(PixelOf(edit, 1, 1), kHostColor);
}

TEST(DisplayEdit, ModeFourCentresTextThatFitsAndStartsWiderTextAtTheLeft)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CDisplayEdit fits;
    CDisplayEdit tooWide;
    ASSERT_TRUE(fits.Create(WS_VISIBLE | WS_BORDER | WS_DISABLED, RECT{10, 10, 170, 34}, &host, 1074));
    ASSERT_TRUE(tooWide.Create(WS_VISIBLE | WS_BORDER | WS_DISABLED, RECT{10, 50, 170, 74}, &host, 1169));
    for (CDisplayEdit* edit : {&fits, &tooWide}) {
        edit->m_nDisplayMode = 4;
        edit->SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    }
    fits.SetWindowText("A4");
    tooWide.SetWindowText("Jewel case inserts on A4 paper, two per sheet, with folds");
    RepaintNow(host);

    const RECT client = ClientOf(fits);
    // The field is grey apart from the text.
    EXPECT_EQ(PixelOf(fits, 1, 1), kPanelGreyColor);
    EXPECT_EQ(PixelOf(fits, client.right - 1, client.bottom - 1), kPanelGreyColor);

    const int centredStart = FirstInkColumn(fits, client, kPanelGreyColor);
    const int wideStart = FirstInkColumn(tooWide, client, kPanelGreyColor);
    ASSERT_GE(centredStart, 0);
    ASSERT_GE(wideStart, 0);
    EXPECT_GT(centredStart, client.right / 3);
    EXPECT_LE(wideStart, 4);
    EXPECT_GE(wideStart, 2);
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(DisplayEdit, ModeFivePaintsGreyInsideASunkenFrame)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CDisplayEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE, RECT{10, 10, 170, 34}, &host, 1075));
    edit.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    edit.m_nDisplayMode = 5;
    RepaintNow(host);
    const RECT client = ClientOf(edit);
    EXPECT_EQ(PixelOf(edit, client.right / 2, client.bottom / 2), kPanelGreyColor);

    // The frame lies on the client edge: read it through the host.
    RECT window{};
    edit.GetWindowRect(&window);
    host.ScreenToClient(&window);
    const struct {
        const char* where;
        int x, y;
        int color;
    } probes[] = {
        {"outer top", window.left + 10, window.top, COLOR_BTNSHADOW},
        {"outer left", window.left, window.top + 10, COLOR_BTNSHADOW},
        {"outer bottom", window.left + 10, window.bottom - 1, COLOR_BTNHIGHLIGHT},
        {"outer right", window.right - 1, window.top + 10, COLOR_BTNHIGHLIGHT},
        {"inner top", window.left + 10, window.top + 1, COLOR_3DDKSHADOW},
        {"inner right", window.right - 2, window.top + 10, COLOR_3DLIGHT},
    };
    for (const auto& probe : probes)
        EXPECT_EQ(PixelOf(host, probe.x, probe.y), SysColor(probe.color)) << probe.where;
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(DisplayEdit, TheMouseNeverFocusesItButTheTabKeyDoes)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_UIKIT_FIELDS));
    dialog.ShowWindow(SW_SHOW);
    ::SetActiveWindow(dialog);
    CDisplayEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_UIKIT_DISPLAY_EDIT, &dialog));
    edit.m_nDisplayMode = 3;

    HWND plain = dialog.GetDlgItemHandle(IDC_UIKIT_PLAIN_EDIT);
    ::SetFocus(plain);
    ASSERT_EQ(::GetFocus(), plain);

    RECT client = ClientOf(edit);
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom / 2));
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
    EXPECT_EQ(::GetFocus(), plain);

    MSG tab{plain, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(dialog.PreTranslateMessage(&tab));
    EXPECT_EQ(::GetFocus(), edit.m_hWnd);
    dialog.DestroyWindow();
}

// ---- cell editor ---------------------------------------------------------------------

// The track list as the cell editor sees it.
class CFakeTrackList : public CListCtrl, public CCellEditOwner {
public:
    int m_nRow = 0;
    int m_nColumn = 2;
    int m_nApplied = 0;

    int GetCurrentRow() const override { return m_nRow; }
    int GetCurrentColumn() const override { return m_nColumn; }
    void ApplyChanges() override { ++m_nApplied; }
};

class CellEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_program.View(), nullptr);
        m_program.View()->Model().AppendTextRow(TextEntry{"Tracks", "Track", "2`Intro`0:45`Song`3:10`", 1});
        m_program.View()->Model().AppendTextRow(TextEntry{"Tracks", "Track", "9`shadow`", 1});
        m_shadow = m_program.View()->Model().Texts()[1].m_strValue;
        ASSERT_TRUE(m_list.Create(WS_VISIBLE | LVS_REPORT, RECT{0, 0, 400, 200}, &m_host, 1));
        m_list.InsertColumn(0, "", LVCFMT_LEFT, 0);
        m_list.InsertColumn(1, "", LVCFMT_RIGHT, 30);
        m_list.InsertColumn(2, "Track Name", LVCFMT_LEFT, 200);
        m_list.InsertColumn(3, "Time", LVCFMT_RIGHT, 60);
        for (int row = 0; row < 2; ++row)
            m_list.InsertItem(row, "");
        m_list.SetItemText(0, 2, "Intro");
        m_list.SetItemText(0, 3, "0:45");
        m_list.SetItemText(1, 2, "Song");
        m_list.SetItemText(1, 3, "3:10");
        ASSERT_TRUE(m_edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, RECT{30, 40, 230, 60}, &m_list, 1106));
    }

    // Opens the editor on a cell as the track list does.
    void BeginEdit(int row, int column, const char* objectName)
    {
        m_list.m_nRow = row;
        m_list.m_nColumn = column;
        m_edit.m_strObjectName = objectName;
        m_edit.m_nFieldIndex = column == 2 ? 2 * row + 1 : 2 * row + 2;
        m_edit.m_bKeyPressed = true;  // loading the text must not write it back
        m_edit.SetWindowText(m_list.GetItemText(row, column));
        m_edit.SetSel(0, -1);
    }

    // One keystroke through the message loop's pre-translation, as the program's
    // loop delivers it.
    void Type(char ch)
    {
        const UINT key = ch == '`' ? VK_OEM_3 : static_cast<UINT>(::VkKeyScanA(ch) & 0xFF);
        for (MSG msg : {MSG{m_edit.m_hWnd, WM_KEYDOWN, key, 1, 0, {}},
                        MSG{m_edit.m_hWnd, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), 1, 0, {}},
                        MSG{m_edit.m_hWnd, WM_KEYUP, key, 0xC0000001, 0, {}}}) {
            if (!CWnd::WalkPreTranslateTree(m_host.m_hWnd, &msg))
                ::DispatchMessageA(&msg);
        }
    }
    void TypeText(const char* text)
    {
        for (const char* p = text; *p; ++p)
            Type(*p);
    }

    CString TrackValue() { return m_program.View()->Model().Texts()[0].m_strValue; }
    CString m_shadow;  // the second text of the same name, which edits never reach
    CString EditText() const
    {
        CString text;
        m_edit.GetWindowText(text);
        return text;
    }

    static bool PutOnClipboard(const char* text)
    {
        if (!::OpenClipboard(nullptr))
            return false;
        ::EmptyClipboard();
        const size_t size = std::strlen(text) + 1;
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
        if (memory) {
            std::memcpy(::GlobalLock(memory), text, size);
            ::GlobalUnlock(memory);
            if (!::SetClipboardData(CF_TEXT, memory))
                ::GlobalFree(memory);
        }
        ::CloseClipboard();
        return memory != nullptr;
    }

    NoErrorBoxes m_errors;
    ProgramWithView m_program;
    CHostWindow m_host;
    CFakeTrackList m_list;
    CCellEdit m_edit;
};

TEST_F(CellEditTest, TypedTextGoesIntoTheCellAndItsFieldOnly)
{
    const struct {
        int row, column;
        const char* typed;
        const char* expectedValue;
    } cases[] = {
        {1, 2, "Hey", "2`Intro`0:45`Hey`3:10`"},
        {0, 3, "1:05", "2`Intro`1:05`Song`3:10`"},  // field 2: the first track's time only
        {0, 2, "Prelude", "2`Prelude`0:45`Song`3:10`"},
    };
    for (const auto& c : cases) {
        m_program.View()->SetTextRowValue(0, "2`Intro`0:45`Song`3:10`");
        m_program.App().m_strPendingRefresh.Empty();
        BeginEdit(c.row, c.column, "Tracks(1)");
        TypeText(c.typed);
        EXPECT_STREQ(TrackValue(), c.expectedValue) << c.typed;
        EXPECT_STREQ(m_list.GetItemText(c.row, c.column), c.typed);
        EXPECT_STREQ(m_program.App().m_strPendingRefresh, "Tracks");
        // Only the first record of that name is written.
        EXPECT_STREQ(m_program.View()->Model().Texts()[1].m_strValue, m_shadow);
    }
    EXPECT_TRUE(m_errors.Reports().empty());
}

TEST_F(CellEditTest, ABacktickBecomesAnApostropheOnlyForAnEditorWithAnObject)
{
    const struct {
        const char* objectName;
        const char* expectedText;
    } cases[] = {
        {"Tracks", "It's"},
        {"", "It`s"},
    };
    for (const auto& c : cases) {
        m_program.View()->SetTextRowValue(0, "2`Intro`0:45`Song`3:10`");
        BeginEdit(1, 2, c.objectName);
        TypeText("It`s");
        EXPECT_STREQ(EditText(), c.expectedText) << "object \"" << c.objectName << "\"";
    }
    // Written for the editor with an object, with the fields intact.
    m_program.View()->SetTextRowValue(0, "2`Intro`0:45`Song`3:10`");
    BeginEdit(1, 2, "Tracks");
    TypeText("It`s");
    EXPECT_STREQ(TrackValue(), "2`Intro`0:45`It's`3:10`");
}

TEST_F(CellEditTest, PastedTextIsWrittenWithItsBackticksTurnedIntoApostrophes)
{
    ASSERT_TRUE(PutOnClipboard("Best`Of"));
    BeginEdit(1, 2, "Tracks");
    m_edit.Paste();
    EXPECT_STREQ(EditText(), "Best'Of");
    EXPECT_STREQ(TrackValue(), "2`Intro`0:45`Best'Of`3:10`");
    EXPECT_STREQ(m_list.GetItemText(1, 2), "Best'Of");
    EXPECT_STREQ(m_program.App().m_strPendingRefresh, "Tracks");
    EXPECT_TRUE(m_errors.Reports().empty());
}

TEST_F(CellEditTest, LoadingTheCellWritesNothingButAChangeWithoutAKeyDoes)
{
    BeginEdit(0, 2, "Tracks");
    EXPECT_STREQ(TrackValue(), "2`Intro`0:45`Song`3:10`");
    EXPECT_TRUE(m_program.App().m_strPendingRefresh.IsEmpty());

    m_edit.SetWindowText("Overture");  // a change no key made
    EXPECT_STREQ(TrackValue(), "2`Overture`0:45`Song`3:10`");
}

TEST_F(CellEditTest, LosingTheFocusHasTheListApplyItsRows)
{
    BeginEdit(0, 2, "Tracks");
    m_edit.SendMessage(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(m_list.m_nApplied, 1);
}

TEST(ReplaceBacktickField, ReplacesOneWholeFieldOrNothing)
{
    const struct {
        const char* text;
        int index;
        const char* value;
        bool replaced;
        const char* expected;
    } cases[] = {
        {"2`Intro`0:45`Song`3:10`", 0, "3", true, "3`Intro`0:45`Song`3:10`"},
        {"2`Intro`0:45`Song`3:10`", 4, "4:00", true, "2`Intro`0:45`Song`4:00`"},
        {"2`Intro`0:45`Song`3:10`", 1, "", true, "2``0:45`Song`3:10`"},
        {"2`Intro`0:45`Song`3:10`", 5, "x", false, "2`Intro`0:45`Song`3:10`"},
        {"2`Intro`0:45`Song`3:10`", -1, "x", false, "2`Intro`0:45`Song`3:10`"},
        {"", 0, "x", false, ""},
        {"2`Intro", 1, "x", false, "2`Intro"},  // an unclosed field is not a field
    };
    for (const auto& c : cases) {
        CString text = c.text;
        EXPECT_EQ(ReplaceBacktickField(text, c.index, c.value), c.replaced) << c.text << " #" << c.index;
        EXPECT_STREQ(text, c.expected) << c.text << " #" << c.index;
    }
}

// ---- combo boxes ---------------------------------------------------------------------------

TEST(FlatComboBox, WhiteAndLightGreyLinesCoverTheThreeDimensionalBorder)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CFlatComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, RECT{10, 10, 170, 200}, &host, 1084));
    combo.AddString("Yes");
    combo.AddString("No");
    combo.SetCurSel(0);
    RepaintNow(host);

    const RECT client = ClientOf(combo);
    const int h = client.bottom;
    const struct {
        const char* where;
        int x, y;
        COLORREF expected;
    } probes[] = {
        {"row 0", 30, 0, kWhite},          {"row 1", 30, 1, kWhite},
        {"column 0", 0, h / 2, kWhite},    {"column 1", 1, h / 2, kWhite},
        {"row 2", 30, 2, kLightGrey},      {"two above the bottom", 30, h - 2, kLightGrey},
    };
    for (const auto& probe : probes)
        EXPECT_EQ(PixelOf(combo, probe.x, probe.y), probe.expected) << probe.where;
    EXPECT_TRUE(errors.Reports().empty());
}

TEST(PaintComboBox, ADisabledBoxShowsNothingOfItself)
{
    NoErrorBoxes errors;
    CHostWindow host;
    CPaintComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, RECT{10, 10, 170, 200}, &host, 141));
    combo.AddString("Artist");
    combo.SetCurSel(0);
    RepaintNow(host);
    const RECT client = ClientOf(combo);
    EXPECT_LT(CountPixels(combo, client, kHostColor), (client.right * client.bottom) / 10);

    combo.EnableWindow(FALSE);
    RepaintNow(host);
    EXPECT_EQ(CountPixels(combo, client, kHostColor), client.right * client.bottom);
    EXPECT_TRUE(errors.Reports().empty());
}

}  // namespace
