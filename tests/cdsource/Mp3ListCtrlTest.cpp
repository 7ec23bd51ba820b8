// The MP3 list of the album dialog as a real window, filled with the names,
// tags and play times of lame's files and driven by mouse and key messages.

#include "CdSourceFixtures.h"

#include "album/Mp3ListCtrl.h"
#include "album/Mp3Names.h"
#include "album/Mp3Tags.h"
#include "album/MpegFrameHeader.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr COLORREF kYesInk = RGB(30, 130, 45);  // the tick of the "tag shown" marker

struct Mp3File
{
    std::string path;
    CString displayName;
    CString tagName;
    CString time;
};

std::vector<Mp3File> LameFiles()
{
    std::vector<Mp3File> files;
    for (const std::string& line : ReadFixtureLines("mp3/expected.txt")) {
        Mp3File file;
        file.path = CdSourceFixturePath("mp3/" + SplitText(line, '|').at(0));
        file.displayName = Mp3DisplayName(file.path.c_str());
        file.tagName = CleanMp3TagName(Mp3TagName(ReadMp3TagTexts(file.path.c_str())));
        CMpegFrameHeader header;
        file.time = header.GetPlayTime(file.path.c_str()).c_str();
        files.push_back(file);
    }
    return files;
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

class Mp3ListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_files = LameFiles();
        ASSERT_GE(m_files.size(), 10u) << "mp3/expected.txt missing: run the cdsource_fixtures test first";
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "MP3 list host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 560,
                                    nullptr, nullptr));
        ASSERT_TRUE(m_list.Create(WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                  RECT{10, 10, 610, 510}, &m_host, 1125));
        std::vector<CString> names;
        for (const Mp3File& file : m_files)
            names.push_back(file.displayName);
        m_list.Init(names, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        for (size_t row = 0; row < m_files.size(); ++row)
            m_list.SetTime(static_cast<int>(row), m_files[row].time);
        m_list.SetClicksEnabled(true);
    }

    int Rows() const { return static_cast<int>(m_files.size()); }

    POINT CellCentre(int row, int column) const
    {
        const RECT cell = m_list.CellRect(row, column);
        return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }
    void Press(int row, int column)
    {
        const POINT at = CellCentre(row, column);
        m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    }
    void Release(POINT at) { m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y)); }
    void Click(int row, int column)
    {
        Press(row, column);
        Release(CellCentre(row, column));
    }
    void Drag(int fromRow, int toRow)
    {
        Press(fromRow, CMp3ListCtrl::kNumberColumn);
        const POINT to = CellCentre(toRow, CMp3ListCtrl::kTimeColumn);
        m_list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        Release(to);
    }
    CString Cell(int row, int column) const { return m_list.GetItemText(row, column); }
    bool KeyToEditor(UINT key)
    {
        MSG msg{};
        msg.hwnd = m_list.GetEditor().GetSafeHwnd();
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        return m_list.PreTranslateMessage(&msg) != FALSE;
    }
    // The rows' files, top to bottom, by their times and shown names.
    std::vector<std::string> Order() const
    {
        std::vector<std::string> order;
        for (int row = 0; row < Rows(); ++row)
            order.push_back(std::string(Cell(row, CMp3ListCtrl::kTimeColumn)) + "|" +
                            std::string(Cell(row, CMp3ListCtrl::kNameColumn)));
        return order;
    }

    ScopedErrorReportHook m_errors{[](const ErrorReport& report) {
        ADD_FAILURE() << report.Text();
    }};
    std::vector<Mp3File> m_files;
    CWnd m_host;
    CMp3ListCtrl m_list;
};

}  // namespace

TEST_F(Mp3ListCtrlTest, RowsColumnsAndMarkersFromTheFiles)
{
    ASSERT_EQ(m_list.GetItemCount(), Rows());
    for (int row = 0; row < Rows(); ++row) {
        SCOPED_TRACE(m_files[static_cast<size_t>(row)].path);
        EXPECT_EQ(Cell(row, CMp3ListCtrl::kNumberColumn), std::to_string(row + 1).c_str());
        EXPECT_EQ(Cell(row, CMp3ListCtrl::kNameColumn), m_files[static_cast<size_t>(row)].displayName);
        EXPECT_EQ(Cell(row, CMp3ListCtrl::kTagStateColumn), "2");
        EXPECT_EQ(m_list.GetItemData(row), static_cast<DWORD_PTR>(row));
        EXPECT_FALSE(Cell(row, CMp3ListCtrl::kTimeColumn).IsEmpty()) << "lame's files all have a time";
    }
    EXPECT_EQ(m_files[0].displayName, "Mpeg1 Cbr128") << "underscores become blanks, words capitals";
    for (int column : {0, 5, 6})
        EXPECT_EQ(m_list.GetColumnWidth(column), 0) << column;
    for (int column : {1, 2, 3, 4})
        EXPECT_GT(m_list.GetColumnWidth(column), 0) << column;
    RECT client{};
    m_list.GetClientRect(&client);
    EXPECT_LE(m_list.GetColumnWidth(1) + m_list.GetColumnWidth(2) + m_list.GetColumnWidth(3) +
                  m_list.GetColumnWidth(4),
              client.right - 15);
    EXPECT_FALSE(::IsWindowEnabled(m_list.GetHeaderCtrl())) << "no sorting or sizing by the header";
    EXPECT_EQ(m_list.GetMarkers().GetImageCount(), 3);
    EXPECT_EQ(m_list.GetMarkers().GetImageSize().cx, 11);
    EXPECT_FALSE(m_list.GetEditor().IsWindowVisible());
}

TEST_F(Mp3ListCtrlTest, TagMarkerSwapsNamesOnlyWhereATagWasOffered)
{
    int tagged = -1;
    for (int row = 0; row < Rows(); ++row)
        if (!m_files[static_cast<size_t>(row)].tagName.IsEmpty() && tagged < 0)
            tagged = row;
    ASSERT_GE(tagged, 0) << "some of lame's files carry tags";
    const int untagged = tagged == 0 ? 1 : 0;
    const CString fileName = m_files[static_cast<size_t>(tagged)].displayName;
    const CString tagName = m_files[static_cast<size_t>(tagged)].tagName;
    m_list.OfferTagName(tagged, tagName, false);
    m_list.OfferTagName(untagged, "", true);
    EXPECT_EQ(Cell(tagged, CMp3ListCtrl::kTagStateColumn), "0");
    EXPECT_EQ(Cell(untagged, CMp3ListCtrl::kTagStateColumn), "2") << "an empty tag offers nothing";

    Click(untagged, CMp3ListCtrl::kTagColumn);
    EXPECT_EQ(Cell(untagged, CMp3ListCtrl::kNameColumn), m_files[static_cast<size_t>(untagged)].displayName);
    EXPECT_EQ(Cell(untagged, CMp3ListCtrl::kTagStateColumn), "2");

    Click(tagged, CMp3ListCtrl::kTagColumn);
    EXPECT_EQ(Cell(tagged, CMp3ListCtrl::kNameColumn), tagName);
    EXPECT_EQ(Cell(tagged, CMp3ListCtrl::kOtherNameColumn), fileName);
    EXPECT_EQ(Cell(tagged, CMp3ListCtrl::kTagStateColumn), "1");

    // The tick of the shown tag is painted in the marker column.
    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT cell = m_list.CellRect(tagged, CMp3ListCtrl::kTagColumn);
    CClientDC dc(m_list.GetSafeHwnd());
    int ink = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x)
            ink += (::GetPixel(dc, x, y) & 0xFFFFFF) == kYesInk;
    EXPECT_GT(ink, 3);

    Click(tagged, CMp3ListCtrl::kTagColumn);
    EXPECT_EQ(Cell(tagged, CMp3ListCtrl::kNameColumn), fileName);
    EXPECT_EQ(Cell(tagged, CMp3ListCtrl::kOtherNameColumn), tagName);
    EXPECT_EQ(Cell(tagged, CMp3ListCtrl::kTagStateColumn), "0");

    // A tag that is to be used is shown at once.
    m_list.OfferTagName(untagged, "Someone-Something", true);
    EXPECT_EQ(Cell(untagged, CMp3ListCtrl::kNameColumn), "Someone-Something");
    EXPECT_EQ(Cell(untagged, CMp3ListCtrl::kTagStateColumn), "1");
}

TEST_F(Mp3ListCtrlTest, ClicksWaitUntilTheSearchHasFinished)
{
    m_list.SetClicksEnabled(false);
    m_list.OfferTagName(0, "Tag Artist-Tag Title", false);
    Click(0, CMp3ListCtrl::kTagColumn);
    Drag(3, 1);
    EXPECT_EQ(Cell(0, CMp3ListCtrl::kTagStateColumn), "0");
    EXPECT_EQ(m_list.GetCurrentRow(), -1);
    EXPECT_EQ(m_list.GetSelectionFirst(), -1);
}

TEST_F(Mp3ListCtrlTest, DraggingUpSelectsTheRowsInOrderAndPaintsThem)
{
    Drag(5, 2);
    EXPECT_FALSE(m_list.IsDragging());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(m_list.GetSelectionFirst(), 2);
    EXPECT_EQ(m_list.GetSelectionLast(), 5);
    EXPECT_EQ(m_list.GetSelectedCount(), 0u) << "the list view's own selection is not used";

    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CClientDC dc(m_list.GetSafeHwnd());
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF;
    const auto pixelAt = [&](int row) {
        const RECT cell = m_list.CellRect(row, CMp3ListCtrl::kNumberColumn);
        return ::GetPixel(dc, cell.left + 1, cell.bottom - 2) & 0xFFFFFF;
    };
    for (int row = 2; row <= 5; ++row)
        EXPECT_EQ(pixelAt(row), highlight) << row;
    EXPECT_NE(pixelAt(1), highlight);
    EXPECT_NE(pixelAt(6), highlight);
}

TEST_F(Mp3ListCtrlTest, MovingTheSelectionCarriesTimesAndNamesNotNumbers)
{
    const std::vector<std::string> before = Order();

    Drag(0, 1);
    m_list.MoveSelectedRows(true);
    EXPECT_EQ(Order(), before) << "the first row cannot go up";

    Drag(Rows() - 1, Rows() - 1);
    m_list.MoveSelectedRows(false);
    EXPECT_EQ(Order(), before) << "the last row cannot go down";

    Drag(2, 4);
    m_list.MoveSelectedRows(true);
    std::vector<std::string> expected = before;
    std::rotate(expected.begin() + 1, expected.begin() + 2, expected.begin() + 5);
    EXPECT_EQ(Order(), expected);
    EXPECT_EQ(m_list.GetSelectionFirst(), 1);
    EXPECT_EQ(m_list.GetSelectionLast(), 3);

    m_list.MoveSelectedRows(false);
    m_list.MoveSelectedRows(false);
    expected = before;
    std::rotate(expected.begin() + 2, expected.begin() + 5, expected.begin() + 6);
    EXPECT_EQ(Order(), expected);
    for (int row = 0; row < Rows(); ++row)
        EXPECT_EQ(Cell(row, CMp3ListCtrl::kNumberColumn), std::to_string(row + 1).c_str());
}

TEST_F(Mp3ListCtrlTest, NamesAreEditedInPlaceAndKeysWalkTheRows)
{
    Click(1, CMp3ListCtrl::kNameColumn);
    CEdit& editor = m_list.GetEditor();
    ASSERT_TRUE(editor.IsWindowVisible());
    CString text;
    editor.GetWindowText(text);
    EXPECT_EQ(text, Cell(1, CMp3ListCtrl::kNameColumn));
    int start = -1, end = -1;
    editor.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, text.GetLength());

    editor.SetWindowText("Renamed Track");
    EXPECT_EQ(Cell(1, CMp3ListCtrl::kNameColumn), "Renamed Track");

    const struct {
        UINT key;
        int row;
    } walk[] = {{VK_DOWN, 2}, {VK_RETURN, 3}, {VK_TAB, 4}, {VK_UP, 3}, {VK_UP, 2}, {VK_UP, 1}, {VK_UP, 0}, {VK_UP, 0}};
    for (const auto& step : walk) {
        EXPECT_TRUE(KeyToEditor(step.key));
        EXPECT_EQ(m_list.GetCurrentRow(), step.row) << step.key;
        editor.GetWindowText(text);
        EXPECT_EQ(text, Cell(step.row, CMp3ListCtrl::kNameColumn));
    }
    MSG other{};
    other.hwnd = editor.GetSafeHwnd();
    other.message = WM_KEYDOWN;
    other.wParam = 'A';
    EXPECT_FALSE(m_list.PreTranslateMessage(&other)) << "other keys go on to the editor";

    // The edited row moves with the Move buttons when nothing is selected.
    Click(1, CMp3ListCtrl::kNameColumn);
    m_list.MoveSelectedRows(false);
    EXPECT_EQ(Cell(2, CMp3ListCtrl::kNameColumn), "Renamed Track");
    EXPECT_FALSE(editor.IsWindowVisible());

    // At the last row Down does nothing.
    Click(Rows() - 1, CMp3ListCtrl::kNameColumn);
    EXPECT_TRUE(KeyToEditor(VK_DOWN));
    EXPECT_EQ(m_list.GetCurrentRow(), Rows() - 1);
}

TEST_F(Mp3ListCtrlTest, SortingOrdersByShownNameAndRenumbers)
{
    m_list.OfferTagName(0, "zz last by tag", true);
    Drag(1, 3);
    m_list.SortByName();
    EXPECT_EQ(m_list.GetSelectionFirst(), -1);
    EXPECT_EQ(m_list.GetCurrentRow(), -1);
    std::vector<CString> names;
    for (int row = 0; row < Rows(); ++row) {
        names.push_back(Cell(row, CMp3ListCtrl::kNameColumn));
        EXPECT_EQ(Cell(row, CMp3ListCtrl::kNumberColumn), std::to_string(row + 1).c_str());
        EXPECT_EQ(m_list.GetItemData(row), static_cast<DWORD_PTR>(row));
    }
    EXPECT_EQ(names.back(), "zz last by tag") << "compared without case";
    EXPECT_EQ(Cell(Rows() - 1, CMp3ListCtrl::kTagStateColumn), "1") << "the state goes with its name";
    for (size_t i = 1; i < names.size(); ++i) {
        CString a = names[i - 1], b = names[i];
        EXPECT_LE(a.MakeUpper().Compare(b.MakeUpper()), 0) << names[i - 1] << " / " << names[i];
    }
}

TEST_F(Mp3ListCtrlTest, ScrollingKeepsTheEditorOnItsRow)
{
    m_list.MoveWindow(10, 10, 600, 120);
    Click(0, CMp3ListCtrl::kNameColumn);
    CEdit& editor = m_list.GetEditor();
    ASSERT_TRUE(editor.IsWindowVisible());
    // Walking down past the visible rows scrolls the list.
    for (int row = 1; row < Rows(); ++row)
        KeyToEditor(VK_DOWN);
    EXPECT_EQ(m_list.GetCurrentRow(), Rows() - 1);
    EXPECT_GT(m_list.SendMessage(LVM_GETTOPINDEX), 0);
    EXPECT_TRUE(editor.IsWindowVisible());
    RECT editorRect{};
    editor.GetWindowRect(&editorRect);
    m_list.ScreenToClient(&editorRect);
    const RECT cell = m_list.CellRect(Rows() - 1, CMp3ListCtrl::kNameColumn);
    EXPECT_EQ(editorRect.top, cell.top - 2);

    // Scrolled back to the top, the last row lies below the client area's
    // top rows and its editor stays with it.
    m_list.SendMessage(WM_VSCROLL, SB_TOP);
    PumpPending();
    editor.GetWindowRect(&editorRect);
    m_list.ScreenToClient(&editorRect);
    EXPECT_EQ(editorRect.top, m_list.CellRect(Rows() - 1, CMp3ListCtrl::kNameColumn).top - 2);
}

TEST(Mp3Names, DisplayAndTagNames)
{
    const struct {
        const char* path;
        const char* display;
    } files[] = {
        {"D:\\Music\\01_my_song - live.mp3", "01 My Song-live"},
        {"D:\\a\\b\\  SHOUTING   LOUD .mp3", "Shouting-loud"},
        {"x.mp3", "X"},
        {"D:\\Dir\\track  two- end.mp3", "Track-two-end"},
    };
    for (const auto& file : files)
        EXPECT_EQ(Mp3DisplayName(file.path), file.display) << file.path;
    EXPECT_EQ(CleanMp3TagName(" The_Band - Song  Title "), "The Band-Song-Title");
    EXPECT_EQ(CleanMp3TagName("Only A Title"), "Only A Title");
}
