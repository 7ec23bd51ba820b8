// The running program driven as its user drives it: the zoom commands and
// their scroll bars, Paste while another program holds the clipboard, a pasted
// picture whose corners miss the disc's ring, a click on an object tool bar
// button while a disc is shown, the Font row after the font dialog's OK, the
// clipboard check while a Text pane field has the focus, and the window menu
// of a floating pane.
#include "app/Quorbel6App.h"
#include "label/LabelRows.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "shell/ObjectToolBar.h"
#include "shell/PropertiesBar.h"
#include "shell/PropertyGrid.h"
#include "shell/TextEditorBar.h"
#include "view/Quorbel6View.h"

#include "ProgramTest.h"
#include "support/ClipboardHolder.h"
#include "support/DialogAnswers.h"
#include "support/MessagePump.h"
#include "support/PropertyGridDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

class ViewCommandsInProgram : public ProgramTest
{
protected:
    bool HasScrollBars() const
    {
        const LONG style = ::GetWindowLongA(m_view->m_hWnd, GWL_STYLE);
        return (style & (WS_HSCROLL | WS_VSCROLL)) != 0;
    }
    // A point of the label in the view's client pixels.
    POINT ClientPointOf(POINT label) const
    {
        POINT point = m_view->DocToScreenPoint(label);
        ::ScreenToClient(m_view->m_hWnd, &point);
        return point;
    }
    int ImageObjects() const
    {
        int count = 0;
        const CLabelModel& model = m_view->Model();
        for (int row = 0; row < model.RowCount(); row = model.NextObjectRow(row))
            if (model.Row(row).m_strValue == "Image" && model.Row(row).m_strKey == "Item Type")
                ++count;
        return count;
    }
};


// A small red picture on the system clipboard as CF_DIB, or an empty clipboard.
void PutPictureOnClipboard(bool picture)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    if (picture) {
        constexpr int kSide = 8;
        const size_t size = sizeof(BITMAPINFOHEADER) + kSide * kSide * 4;
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        ASSERT_NE(block, nullptr);
        auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = kSide;
        header->biHeight = kSide;
        header->biPlanes = 1;
        header->biBitCount = 32;
        header->biCompression = BI_RGB;
        auto* pixels = reinterpret_cast<DWORD*>(header + 1);
        for (int i = 0; i < kSide * kSide; ++i)
            pixels[i] = 0x00FF0000;
        ::GlobalUnlock(block);
        ::SetClipboardData(CF_DIB, block);
    }
    ::CloseClipboard();
}

}  // namespace

TEST_F(ViewCommandsInProgram, EveryZoomShowsTheScrollBarsItsPageNeedsAndNoOthers)
{
    Command(ID_VIEW_FRONT_COVER);
    // A bar is shown exactly when the page and its margins outgrow the view
    // along that side, with the room the other bar takes.
    auto checkBars = [&](const char* step) {
        const LONG style = ::GetWindowLongA(m_view->m_hWnd, GWL_STYLE);
        const bool horizontal = (style & WS_HSCROLL) != 0;
        const bool vertical = (style & WS_VSCROLL) != 0;
        RECT client{};
        m_view->GetClientRect(&client);
        const SIZE whole{client.right + (vertical ? ::GetSystemMetrics(SM_CXVSCROLL) : 0),
                         client.bottom + (horizontal ? ::GetSystemMetrics(SM_CYHSCROLL) : 0)};
        const SIZE page{m_view->m_sizePaperScreen.cx + 34, m_view->m_sizePaperScreen.cy + 34};
        SCOPED_TRACE(std::string(step) + " at zoom " + std::to_string(m_view->Model().Shown().zoom));
        if (!horizontal)
            EXPECT_LE(page.cx, client.right);
        if (!vertical)
            EXPECT_LE(page.cy, client.bottom);
        if (horizontal)
            EXPECT_GT(page.cx, whole.cx - (vertical ? ::GetSystemMetrics(SM_CXVSCROLL) : 0));
        if (vertical)
            EXPECT_GT(page.cy, whole.cy - (horizontal ? ::GetSystemMetrics(SM_CYHSCROLL) : 0));
    };
    bool sawBars = false;
    for (int step = 0; step < 6; ++step) {
        Command(ID_VIEW_ZOOM_IN);
        checkBars("zoom in");
        sawBars = sawBars || HasScrollBars();
    }
    EXPECT_TRUE(sawBars) << "zooming in far enough outgrows the window";
    for (int step = 0; step < 12; ++step) {
        Command(ID_VIEW_ZOOM_OUT);
        checkBars("zoom out");
    }
    EXPECT_EQ(m_view->Model().Shown().zoom, 6);
}

TEST_F(ViewCommandsInProgram, PasteInsertsTheStoredObjectWhileAnotherProgramHoldsTheClipboard)
{
    Command(ID_VIEW_FRONT_COVER);
    Command(ID_INSERT_TEXT);
    const CString copied = m_view->m_strSelectedObject;
    Command(ID_EDIT_COPY);
    const int rows = m_view->Model().RowCount();

    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holds());
    DialogAnswers answers;
    Command(ID_EDIT_PASTE);
    EXPECT_TRUE(answers.MessageTexts().empty()) << answers.MessageTexts().front();
    EXPECT_GT(m_view->Model().RowCount(), rows);
    EXPECT_NE(m_view->m_strSelectedObject, copied);
    EXPECT_EQ(m_view->GetPropertyValue(m_view->m_strSelectedObject, "View"), "Front Cover");
}

TEST_F(ViewCommandsInProgram, APictureWhoseCornersLieInTheDiscsHoleIsNotPastedOntoTheDisc)
{
    Command(ID_VIEW_DISC_LABEL);
    // Large enough that a 100-pixel square fits inside the hole.
    while (m_view->Model().Shown().zoom < 12) {
        const int before = m_view->Model().Shown().zoom;
        Command(ID_VIEW_ZOOM_IN);
        ASSERT_GT(m_view->Model().Shown().zoom, before);
    }
    const DiscGeometry& disc = m_view->Model().Geometry().disc1;
    const POINT centre =
        ClientPointOf(POINT{disc.left + disc.outerDiameter / 2, disc.top + disc.outerDiameter / 2});
    const int holeRadius = m_view->DocToScreenLength(disc.innerDiameter) / 2;
    ASSERT_GT(holeRadius, 75);
    const int images = ImageObjects();

    // The pasted square starts at the last click: centred on the hole, all four
    // corners in it.
    m_program.Click(m_view->m_hWnd, POINT{centre.x - 50, centre.y - 50});
    PutPictureOnClipboard(true);
    {
        DialogAnswers answers;
        Command(ID_EDIT_PASTE);
    }
    EXPECT_EQ(ImageObjects(), images) << "nothing is put in the hole";

    // On the ring above the hole the same picture is taken.
    const int ringRadius = (m_view->DocToScreenLength(disc.outerDiameter) / 2 + holeRadius) / 2;
    m_program.Click(m_view->m_hWnd, POINT{centre.x - 20, centre.y - ringRadius - 20});
    PutPictureOnClipboard(true);
    {
        DialogAnswers answers;
        Command(ID_EDIT_PASTE);
    }
    ASSERT_EQ(ImageObjects(), images + 1);
    EXPECT_EQ(m_view->GetPropertyValue(m_view->m_strSelectedObject, "View"), "Disc 1");
    PutPictureOnClipboard(false);
}

TEST_F(ViewCommandsInProgram, AClickOnAnObjectButtonWhileADiscIsShownPlacesTheObjectAtTheDiscsLeftEdge)
{
    Command(ID_VIEW_DISC_LABEL);
    auto& bar = dynamic_cast<CObjectToolBar&>(m_frame->ObjectToolBar());
    bar.SetDiscQuestion([] { return 1; });
    const RECT button = bar.GetItemRect(ObjectDrop::kAddArtist);
    const POINT press{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(press.x, press.y));

    const CString made = m_view->m_strSelectedObject;
    ASSERT_EQ(std::string(made.Left(6).c_str()), "Artist");
    EXPECT_EQ(m_view->GetPropertyValue(made, "View"), "Disc 1");
    // Near the disc's left edge half way down, at most 50 pixels of scatter
    // and half the object away, then fitted into the disc's square.
    const DiscGeometry& disc = m_view->Model().Geometry().disc1;
    const POINT edge = ClientPointOf(POINT{disc.left, disc.top + disc.outerDiameter / 2});
    const RECT box = m_view->m_rcSelection;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    EXPECT_GE(box.left, edge.x - 1);
    EXPECT_LE(box.left, edge.x + 50);
    EXPECT_LE(std::abs((box.top + box.bottom) / 2 - edge.y), 50 + height) << width;
}

TEST_F(ViewCommandsInProgram, TheFontRowStaysSelectedWithItsButtonAfterTheFontDialogsOk)
{
    Command(ID_VIEW_FRONT_COVER);
    Command(ID_INSERT_TEXT);
    CPropertyGrid& grid = m_frame->PropertiesPane().Grid();
    const int fontRow = GridRowOf(grid, "Font");
    ASSERT_GE(fontRow, 0);
    {
        // A click on the Font row opens the font dialog; OK closes it.
        DialogAnswers answers([](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
        ASSERT_TRUE(ClickGridValue(grid, "Font"));
        EXPECT_EQ(answers.OtherDialogs(), 1);
    }
    EXPECT_EQ(grid.SelectedRow(), fontRow);
    EXPECT_TRUE(grid.Ellipsis().IsWindowVisible());
}

TEST_F(ViewCommandsInProgram, TheFrameLeavesTheClipboardAloneWhileATextPaneFieldHasTheFocus)
{
    Command(ID_VIEW_FRONT_COVER);
    Command(ID_INSERT_TEXT);
    PutPictureOnClipboard(false);
    // Any check still waiting for its pause to end is over.
    test_support::PumpUntil([] { return false; }, 300);

    // The user clicks into the Text pane's text.
    CTextEditorBar& pane = m_frame->TextPane();
    RECT field{};
    pane.Edit().GetClientRect(&field);
    m_program.Click(pane.Edit().m_hWnd, POINT{field.right / 2, field.bottom / 2});
    ASSERT_TRUE(pane.HasFieldFocusFlag());
    m_frame->SetPastePossible(false);

    // Another program leaves a picture; the frame gets the focus and looks no further.
    PutPictureOnClipboard(true);
    ::SetFocus(m_frame->m_hWnd);
    EXPECT_FALSE(m_frame->IsPastePossible());

    // Without the field's flag the next focus looks, and offers the picture.
    pane.ClearFocusFlags();
    test_support::PumpUntil([] { return false; }, 300);
    ::SetFocus(m_view->m_hWnd);
    ::SetFocus(m_frame->m_hWnd);
    EXPECT_TRUE(m_frame->IsPastePossible());
    PutPictureOnClipboard(false);
}

TEST_F(ViewCommandsInProgram, AFloatingPanesWindowMenuClosesWithHide)
{
    CPropertiesBar& pane = m_frame->PropertiesPane();
    m_frame->FloatControlBar(&pane, POINT{300, 300});
    m_frame->RecalcLayout();
    m_program.RunQueued();
    ASSERT_TRUE(pane.IsFloating());
    HWND floating = ::GetAncestor(pane.m_hWnd, GA_ROOT);
    ASSERT_NE(floating, m_frame->m_hWnd);
    HMENU menu = ::GetSystemMenu(floating, FALSE);
    ASSERT_NE(menu, nullptr);
    const int last = ::GetMenuItemCount(menu) - 1;
    ASSERT_GE(last, 0);
    EXPECT_EQ(::GetMenuItemID(menu, last), static_cast<UINT>(SC_CLOSE));
    char text[64] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(last), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Hide");
}

TEST_F(ViewCommandsInProgram, SwitchingTheDiscsOfASingleCdShowsTheSecondDiscsPlaceholderAtOnce)
{
    {
        DialogAnswers answers(ChooseNewLabel(0, true));
        Command(ID_FILE_NEW);
    }
    ASSERT_EQ(m_view->Model().Shown().layout, "Single");
    Command(ID_VIEW_DISC_LABEL);
    // Disc 2's picture is wiped, then the discs change places.
    const SIZE size = m_view->m_surfaceBitmaps.GetSize(CSurfaceBitmaps::kDisc2);
    m_view->m_surfaceBitmaps.Fill(CSurfaceBitmaps::kDisc2, size, RGB(255, 255, 255));
    const CString position = m_view->GetPropertyValue("Disc 1", "Label Position");
    m_view->ApplyProperty("Disc 1", "Label Position", position == "Bottom" ? "Top" : "Bottom");

    // Without any redraw of the page the placeholder's dotted rings and its
    // words are there, in the disc's square.
    const int diameter = m_view->DocToScreenLength(m_view->Model().Geometry().disc2.outerDiameter);
    ASSERT_GT(diameter, 10);
    int drawn = 0;
    for (int y = 0; y < diameter; y += 2)
        for (int x = 0; x < diameter; ++x)
            if (m_view->m_surfaceBitmaps.GetPixel(CSurfaceBitmaps::kDisc2, x, y) != RGB(255, 255, 255))
                ++drawn;
    EXPECT_GT(drawn, diameter) << "more than a few stray pixels";
}

TEST_F(ViewCommandsInProgram, NewAndOpenAreGreyedOnTheToolBarWhileTheNewDocumentDialogIsUp)
{
    CToolBar& bar = m_frame->StandardToolBar();
    auto enabled = [&](UINT command) { return bar.SendMessage(TB_ISBUTTONENABLED, command, 0) != 0; };
    ASSERT_TRUE(enabled(ID_FILE_NEW));
    bool newWhileUp = true;
    bool openWhileUp = true;
    {
        DialogAnswers answers([&](HWND dialog) {
            newWhileUp = enabled(ID_FILE_NEW);
            openWhileUp = enabled(ID_FILE_OPEN);
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        Command(ID_FILE_NEW);
        ASSERT_EQ(answers.OtherDialogs(), 1);
    }
    EXPECT_FALSE(newWhileUp);
    EXPECT_FALSE(openWhileUp);
    // Cancel gives them back at once, before any idle time.
    EXPECT_TRUE(enabled(ID_FILE_NEW));
    EXPECT_TRUE(enabled(ID_FILE_OPEN));
}
