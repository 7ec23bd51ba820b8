// The Images pane under Wine: a real bar in a real frame, filled from a
// folder of pictures ImageMagick made, plus a damaged picture and files that
// are no pictures; clicks and drags go to a recording stand-in of the view.
#include "imaging/ImageFixtures.h"
#include "imaging/ScratchTree.h"
#include "imaging/ThumbnailList.h"
#include "shell/ImageBar.h"
#include "shell/ImagePaneTarget.h"
#include "shell/ThumbnailButton.h"

#include "UnansweringFolder.h"

#include "framework/WinApp.h"
#include "support/DockTestFrame.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace dock_test;
using test_support::PumpUntil;

namespace {

constexpr char kAllPictures[] = "*.jpg;*.jpeg;*.png;*.bmp;*.wmf;*.ico;*.pcx;*.dib;*.emf";
constexpr DWORD kFillDeadline = 20000;  // milliseconds; a fill normally takes well under one

class RecordingTarget : public IImagePaneTarget {
public:
    void ApplyBackgroundFile(const CString& path) override { backgrounds.push_back(path.str()); }
    void ClearShownBackground() override { ++cleared; }
    bool IsImageDropTarget(const RECT& screenRect, const RECT& leftOut) override
    {
        lastLeftOut = leftOut;
        RECT overlap{};
        return ::IntersectRect(&overlap, &screenRect, &dropZone) != FALSE;
    }
    bool DropImageFile(const CString& path, const RECT& screenRect) override
    {
        drops.push_back(path.str());
        dropRects.push_back(screenRect);
        return true;
    }
    void RefuseImageDrop(const RECT& screenRect) override { refused.push_back(screenRect); }

    RECT dropZone{-30000, -30000, -29000, -29000};  // screen pixels
    RECT lastLeftOut{};                              // what the last drop test left out
    std::vector<std::string> backgrounds;
    int cleared = 0;
    std::vector<std::string> drops;
    std::vector<RECT> dropRects;
    std::vector<RECT> refused;
};

std::string ReadFile(const std::string& path)
{
    const std::vector<BYTE> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

// Pictures of each kind ImageMagick made, a damaged JPEG, a text file named
// like a picture, a text file that matches no pattern, and a sub-folder.
void MakePictureFolder(ScratchTree& tree)
{
    for (const char* name : {"thumb-wide.png", "thumb-small.jpg", "thumb-tall.bmp", "thumb-alpha.png"})
        tree.File(name, ReadFile(ImageFixturePath(name)));
    const std::string jpeg = ReadFile(ImageFixturePath("jpeg-baseline.jpg"));
    tree.File("damaged.jpg", jpeg.substr(0, jpeg.size() / 3));
    tree.File("not-a-picture.png", std::string("just some words, no picture at all\r\n"));
    tree.File("notes.txt", std::string("notes\r\n"));
    tree.Folder("sub");
    tree.File("sub\\deep.bmp", ReadFile(ImageFixturePath("bmp24.bmp")));
}

RGBQUAD ThumbnailPixel(const CThumbnailBitmap& thumbnail, int x, int y)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = thumbnail.Size().cx;
    info.bmiHeader.biHeight = -thumbnail.Size().cy;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(thumbnail.Size().cx * thumbnail.Size().cy));
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, thumbnail.Handle(), 0, static_cast<UINT>(thumbnail.Size().cy), pixels.data(), &info,
                DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return pixels[static_cast<std::size_t>(y * thumbnail.Size().cx + x)];
}

bool Near(const RGBQUAD& color, BYTE red, BYTE green, BYTE blue, int tolerance = 8)
{
    return std::abs(color.rgbRed - red) <= tolerance && std::abs(color.rgbGreen - green) <= tolerance &&
           std::abs(color.rgbBlue - blue) <= tolerance;
}

std::string WindowText(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
}

class ImagePane : public ::testing::Test {
protected:
    ImagePane() : m_app("ImagePaneTest")
    {
        m_frame = std::make_unique<CTestDockFrame>();
        EXPECT_TRUE(m_frame->Make());
        m_app.m_pMainWnd = m_frame.get();
        m_bar = std::make_unique<CImageBar>();
        EXPECT_TRUE(m_bar->Create("Images", m_frame.get(), 1057, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        m_bar->EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(m_bar.get(), FWID_DOCKBAR_RIGHT);
        m_frame->RecalcLayout();
        m_frame->Settle();
        m_bar->AttachTarget(&m_target);
        // A panel of two columns and two rows and a bit.
        SetPanelSize(2 * CImagePanel::kCellWidth + 10, 2 * CImagePanel::kCellHeight + 40);
    }
    ~ImagePane() override
    {
        m_app.m_pMainWnd = nullptr;
        if (m_frame->m_hWnd)
            m_frame->DestroyWindow();
        m_bar.reset();
        m_frame.reset();
    }

    CImagePanel& Panel() { return m_bar->Panel(); }
    void SetPanelSize(int width, int height)
    {
        ::SetWindowPos(Panel().m_hWnd, nullptr, 0, CImageBar::kPanelTop, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Waits until the fill has ended and every shown entry has its thumbnail
    // (or is known to be no picture).
    bool WaitForFill()
    {
        return PumpUntil(
            [&] {
                const CImageFillState& state = Panel().State();
                if (state.fillerRunning.load() || state.feeding.load())
                    return false;
                for (int i = std::max(state.first.load(), 0); i <= state.last.load(); ++i) {
                    CImageListEntry entry;
                    if (!state.list.Get(static_cast<std::size_t>(i), entry) || (!entry.thumbnail && !entry.unreadable))
                        return false;
                }
                return true;
            },
            kFillDeadline);
    }

    // The entries by file name.
    std::map<std::string, CImageListEntry> Entries()
    {
        std::map<std::string, CImageListEntry> entries;
        const CThumbnailList& list = Panel().State().list;
        for (std::size_t i = 0; i < list.Size(); ++i) {
            CImageListEntry entry;
            if (list.Get(i, entry))
                entries[entry.name.str()] = entry;
        }
        return entries;
    }

    CThumbnailButton* CellShowing(const std::string& name)
    {
        for (const auto& cell : Panel().Cells()) {
            CImageListEntry entry;
            if (cell->IsWindowVisible() && cell->GetIndex() >= 0 &&
                Panel().State().list.Get(static_cast<std::size_t>(cell->GetIndex()), entry) && entry.name == name.c_str())
                return cell.get();
        }
        return nullptr;
    }

    CWinApp m_app;
    std::unique_ptr<CTestDockFrame> m_frame;
    std::unique_ptr<CImageBar> m_bar;
    RecordingTarget m_target;
};

}  // namespace

TEST_F(ImagePane, FillsFromAFolderAndCountsThePicturesInItsTitle)
{
    ScratchTree tree("pane-fill");
    MakePictureFolder(tree);
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, true);
    ASSERT_TRUE(WaitForFill());

    // Seven files match the patterns (the text file does not), then "[No Background]".
    const CThumbnailList& list = Panel().State().list;
    ASSERT_EQ(list.Size(), 8u);
    EXPECT_EQ(WindowText(m_bar->m_hWnd), "Images (7)");
    CImageListEntry last;
    ASSERT_TRUE(list.Get(7, last));
    EXPECT_EQ(last.name.str(), "[No Background]");
    EXPECT_TRUE(last.IsNoBackground());

    const auto entries = Entries();
    EXPECT_EQ(entries.count("deep.bmp"), 1u);  // from the sub-folder
    EXPECT_EQ(entries.at("thumb-small.jpg").path.str(), tree.Path("thumb-small.jpg"));
    EXPECT_EQ(entries.at("thumb-small.jpg").size, static_cast<int>(ReadFile(ImageFixturePath("thumb-small.jpg")).size()));
}

TEST_F(ImagePane, MakesThumbnailsOfTheRightSizeAndColour)
{
    ScratchTree tree("pane-thumbs");
    MakePictureFolder(tree);
    SetPanelSize(2 * CImagePanel::kCellWidth + 10, 6 * CImagePanel::kCellHeight);  // every entry in view
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, true);
    ASSERT_TRUE(WaitForFill());

    const struct {
        const char* name;
        int width, height;  // of the picture
        SIZE thumbnail;
        BYTE red, green, blue;  // in the middle of the thumbnail
    } cases[] = {
        {"thumb-wide.png", 10000, 100, {125, 3}, 255, 0, 0},
        {"thumb-small.jpg", 50, 40, {50, 40}, 0, 0, 255},
        {"thumb-tall.bmp", 100, 300, {41, 125}, 0, 255, 0},
        {"thumb-alpha.png", 200, 200, {125, 125}, 255, 0, 0},
    };
    const auto entries = Entries();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(entries.count(c.name), 1u);
        const CImageListEntry& entry = entries.at(c.name);
        ASSERT_TRUE(entry.thumbnail);
        EXPECT_EQ(entry.width, c.width);
        EXPECT_EQ(entry.height, c.height);
        EXPECT_EQ(entry.thumbnail->Size().cx, c.thumbnail.cx);
        EXPECT_EQ(entry.thumbnail->Size().cy, c.thumbnail.cy);
        const RGBQUAD middle = ThumbnailPixel(*entry.thumbnail, c.thumbnail.cx / 2, c.thumbnail.cy / 2);
        EXPECT_TRUE(Near(middle, c.red, c.green, c.blue))
            << int(middle.rgbRed) << "," << int(middle.rgbGreen) << "," << int(middle.rgbBlue);
    }
    // The transparent colour shows the panel's background: its plain grey
    // here, where no texture is loaded.
    const RGBQUAD corner = ThumbnailPixel(*entries.at("thumb-alpha.png").thumbnail, 2, 2);
    EXPECT_TRUE(Near(corner, 185, 185, 185))
        << int(corner.rgbRed) << "," << int(corner.rgbGreen) << "," << int(corner.rgbBlue);

    // The damaged picture and the text named like one are marked, not fatal.
    EXPECT_TRUE(entries.at("damaged.jpg").unreadable || entries.at("damaged.jpg").thumbnail);
    EXPECT_TRUE(entries.at("not-a-picture.png").unreadable);
    EXPECT_FALSE(entries.at("not-a-picture.png").thumbnail);
    // "[No Background]" is a white square.
    ASSERT_TRUE(entries.at("[No Background]").thumbnail);
    EXPECT_EQ(entries.at("[No Background]").thumbnail->Size().cx, 125);
    EXPECT_TRUE(Near(ThumbnailPixel(*entries.at("[No Background]").thumbnail, 60, 60), 255, 255, 255, 0));
}

TEST_F(ImagePane, AFolderWithoutPicturesShowsOnlyNoBackground)
{
    ScratchTree tree("pane-empty");
    tree.File("readme.txt");
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, true);
    ASSERT_TRUE(WaitForFill());
    EXPECT_EQ(Panel().State().list.Size(), 1u);
    EXPECT_EQ(WindowText(m_bar->m_hWnd), "Images (0)");
}

TEST_F(ImagePane, LaysOutColumnsForItsWidthAndNothingWhenTooNarrow)
{
    ScratchTree tree("pane-layout");
    MakePictureFolder(tree);
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, true);
    ASSERT_TRUE(WaitForFill());

    // Two columns: cells at x 0 and 129; two rows and a bit in view.
    std::vector<int> lefts;
    for (const auto& cell : Panel().Cells()) {
        if (!cell->IsWindowVisible())
            continue;
        RECT rect = CTestDockFrame::WindowRectOf(cell->m_hWnd);
        ::MapWindowPoints(nullptr, Panel().m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        lefts.push_back(rect.left);
        EXPECT_EQ(rect.right - rect.left, CThumbnailButton::kWidth);
        EXPECT_EQ(rect.bottom - rect.top, CThumbnailButton::kHeight);
    }
    EXPECT_EQ(lefts.size(), 6u);  // rows 0 to 2, two each
    EXPECT_EQ(std::count(lefts.begin(), lefts.end(), 0), 3);
    EXPECT_EQ(std::count(lefts.begin(), lefts.end(), CImagePanel::kCellWidth), 3);
    EXPECT_EQ(Panel().State().first.load(), 0);
    EXPECT_EQ(Panel().State().last.load(), 5);
    EXPECT_TRUE(::IsWindowVisible(m_bar->ScrollBar()));  // 8 entries need four rows

    // Scrolling down a row moves the range by one row.
    Panel().SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Panel().ScrollOffset(), CImagePanel::kCellHeight);
    EXPECT_EQ(Panel().State().first.load(), 2);
    EXPECT_EQ(Panel().State().last.load(), 7);

    SetPanelSize(CThumbnailButton::kWidth - 1, 400);
    Panel().LayOut();
    EXPECT_EQ(Panel().State().last.load(), 7);  // unchanged: nothing laid out
}

TEST_F(ImagePane, AClickSetsTheBackgroundAndNoBackgroundClearsIt)
{
    ScratchTree tree("pane-click");
    MakePictureFolder(tree);
    SetPanelSize(2 * CImagePanel::kCellWidth + 10, 6 * CImagePanel::kCellHeight);
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, false);
    ASSERT_TRUE(WaitForFill());

    CThumbnailButton* small = CellShowing("thumb-small.jpg");
    ASSERT_NE(small, nullptr);
    small->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(62, 62));
    small->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(62, 62));
    EXPECT_EQ(m_target.backgrounds, std::vector<std::string>{tree.Path("thumb-small.jpg")});
    EXPECT_TRUE(m_target.drops.empty());

    // A file that is no picture does nothing.
    CThumbnailButton* text = CellShowing("not-a-picture.png");
    ASSERT_NE(text, nullptr);
    text->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(62, 62));
    text->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(62, 62));
    EXPECT_EQ(m_target.backgrounds.size(), 1u);

    CThumbnailButton* none = CellShowing("[No Background]");
    ASSERT_NE(none, nullptr);
    none->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(62, 62));
    none->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(62, 62));
    EXPECT_EQ(m_target.cleared, 1);
    EXPECT_EQ(m_target.backgrounds.size(), 1u);
}

TEST_F(ImagePane, ADragDropsOnlyWhereTheViewTakesPictures)
{
    ScratchTree tree("pane-drag");
    MakePictureFolder(tree);
    SetPanelSize(2 * CImagePanel::kCellWidth + 10, 6 * CImagePanel::kCellHeight);
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, false);
    ASSERT_TRUE(WaitForFill());
    CThumbnailButton* small = CellShowing("thumb-small.jpg");
    ASSERT_NE(small, nullptr);

    // The 50 x 40 picture lies centred in the top square of the cell.
    const RECT cell = CTestDockFrame::WindowRectOf(small->m_hWnd);
    const POINT press{62, 62};
    m_target.dropZone = RECT{cell.left + 400, cell.top + 100, cell.left + 500, cell.top + 200};
    auto drag = [&](POINT screenTarget) {
        small->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
        POINT client = screenTarget;
        ::ScreenToClient(small->m_hWnd, &client);
        small->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        small->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    };

    // Onto the drop zone: an image object at the dragged rectangle.
    drag(POINT{cell.left + 450, cell.top + 150});
    ASSERT_EQ(m_target.drops, std::vector<std::string>{tree.Path("thumb-small.jpg")});
    const RECT dropped = m_target.dropRects[0];
    EXPECT_EQ(dropped.right - dropped.left, 50);
    EXPECT_EQ(dropped.bottom - dropped.top, 40);
    EXPECT_EQ(dropped.left, cell.left + 450 - (press.x - (125 - 50) / 2));
    EXPECT_TRUE(m_target.backgrounds.empty());

    // A press outside the cell (while it holds the mouse for its tool tip)
    // starts nothing.
    small->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-30, 200));
    small->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-30, 200));
    EXPECT_EQ(m_target.drops.size(), 1u);
    EXPECT_TRUE(m_target.backgrounds.empty());

    // Elsewhere outside the cell: nothing at all.
    drag(POINT{cell.left + 250, cell.top + 400});
    EXPECT_EQ(m_target.drops.size(), 1u);
    EXPECT_TRUE(m_target.backgrounds.empty());
}

TEST_F(ImagePane, APressBesideThePictureTakesItByItsMiddle)
{
    ScratchTree tree("pane-press-beside");
    MakePictureFolder(tree);
    SetPanelSize(2 * CImagePanel::kCellWidth + 10, 6 * CImagePanel::kCellHeight);
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, false);
    ASSERT_TRUE(WaitForFill());
    CThumbnailButton* small = CellShowing("thumb-small.jpg");
    ASSERT_NE(small, nullptr);

    // The 50 x 40 picture lies centred in the top square; the press is on the
    // cell's corner, beside it.
    const RECT cell = CTestDockFrame::WindowRectOf(small->m_hWnd);
    const POINT middle{cell.left + 62, cell.top + 62};
    m_target.dropZone = RECT{cell.left + 400, cell.top + 100, cell.left + 500, cell.top + 200};
    small->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    POINT cursor{};
    ::GetCursorPos(&cursor);
    EXPECT_LE(std::abs(cursor.x - middle.x), 1) << cursor.x << " " << middle.x;
    EXPECT_LE(std::abs(cursor.y - middle.y), 1) << cursor.y << " " << middle.y;
    POINT client{cell.left + 450, cell.top + 150};
    ::ScreenToClient(small->m_hWnd, &client);
    small->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    small->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));

    // The picture's middle is where the pointer let go.
    ASSERT_EQ(m_target.drops.size(), 1u);
    const RECT dropped = m_target.dropRects[0];
    EXPECT_LE(std::abs((dropped.left + dropped.right) / 2 - (cell.left + 450)), 1);
    EXPECT_LE(std::abs((dropped.top + dropped.bottom) / 2 - (cell.top + 150)), 1);
    // Docked, the pane leaves nothing out of the label.
    EXPECT_TRUE(::IsRectEmpty(&m_target.lastLeftOut));
}

TEST_F(ImagePane, AFloatingPaneAndItsMarginAreNoDropPlace)
{
    ScratchTree tree("pane-floating");
    MakePictureFolder(tree);
    m_frame->FloatControlBar(m_bar.get(), POINT{200, 200});
    m_frame->RecalcLayout();
    m_frame->Settle();
    ASSERT_TRUE(m_bar->IsFloating());
    SetPanelSize(2 * CImagePanel::kCellWidth + 10, 2 * CImagePanel::kCellHeight);
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, false);
    ASSERT_TRUE(WaitForFill());
    CThumbnailButton* small = CellShowing("thumb-small.jpg");
    ASSERT_NE(small, nullptr);

    const POINT press{62, 62};
    small->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    small->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + 30, press.y + 30));
    small->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(press.x + 30, press.y + 30));
    RECT pane{};
    m_bar->GetClientRect(&pane);
    ::MapWindowPoints(m_bar->m_hWnd, nullptr, reinterpret_cast<POINT*>(&pane), 2);
    ::InflateRect(&pane, 20, 20);
    EXPECT_TRUE(::EqualRect(&m_target.lastLeftOut, &pane))
        << m_target.lastLeftOut.left << "," << m_target.lastLeftOut.top << " " << pane.left << "," << pane.top;
}

TEST(ThumbnailTip, SaysDimensionsSizeAndFolder)
{
    const struct {
        int size;
        const char* sizeText;
    } cases[] = {{500, "0.50 KB"}, {10999, "11.00 KB"}, {11000, "11.0 KB"}, {123456, "123.5 KB"}};
    for (const auto& c : cases) {
        CImageListEntry entry;
        entry.name = "a.jpg";
        entry.path = "C:\\pictures\\holiday\\a.jpg";
        entry.size = c.size;
        entry.width = 640;
        entry.height = 480;
        EXPECT_EQ(ThumbnailTipText(entry).str(),
                  std::string("a.jpg\r\nDimensions: 640 x 480\r\nSize: ") + c.sizeText +
                      "\r\nFolder: C:\\pictures\\holiday");
    }
}

TEST_F(ImagePane, ReloadingDuringAFillShowsOnlyTheLastFolder)
{
    ScratchTree big("pane-big");
    const std::string tall = ReadFile(ImageFixturePath("thumb-tall.bmp"));
    for (int folder = 0; folder < 4; ++folder) {
        const std::string sub = "f" + std::to_string(folder);
        big.Folder(sub);
        for (int i = 0; i < 40; ++i)
            big.File(sub + "\\p" + std::to_string(i) + ".bmp", tall);
    }
    ScratchTree small("pane-small");
    MakePictureFolder(small);

    for (int round = 0; round < 5; ++round) {
        Panel().LoadImages(big.Root().c_str(), kAllPictures, true);
        PumpUntil([] { return false; }, static_cast<DWORD>(5 * round));
        Panel().LoadImages(small.Root().c_str(), kAllPictures, true);
        ASSERT_TRUE(WaitForFill()) << "round " << round;
        EXPECT_EQ(Panel().State().list.Size(), 8u) << "round " << round;
        EXPECT_EQ(WindowText(m_bar->m_hWnd), "Images (7)");
    }
}

TEST_F(ImagePane, DestroyingThePaneDuringAFillEndsItsWorkers)
{
    ScratchTree big("pane-destroy");
    const std::string tall = ReadFile(ImageFixturePath("thumb-tall.bmp"));
    for (int i = 0; i < 150; ++i)
        big.File("p" + std::to_string(i) + ".bmp", tall);

    for (int round = 0; round < 3; ++round) {
        auto bar = std::make_unique<CImageBar>();
        ASSERT_TRUE(bar->Create("Images", m_frame.get(), 1058, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        ::SetWindowPos(bar->Panel().m_hWnd, nullptr, 0, 44, 300, 600, SWP_NOZORDER);
        bar->Panel().LoadImages(big.Root().c_str(), kAllPictures, false);
        PumpUntil([&] { return bar->Panel().State().list.Size() > static_cast<std::size_t>(round * 20); }, 3000);
        const std::shared_ptr<const CImageFillState> state = bar->Panel().SharedState();
        bar->DestroyWindow();
        // Both workers end on their own right after, and let go of the fill:
        // then only this test and the panel hold it.
        EXPECT_TRUE(PumpUntil(
            [&] { return !state->fillerRunning.load() && !state->makerRunning.load() && state.use_count() == 2; },
            kFillDeadline));
        bar.reset();
        EXPECT_EQ(state.use_count(), 1);
    }
}

TEST_F(ImagePane, ClosingTheProgramDoesNotWaitForAFillerStuckInAFolder)
{
    ScratchTree tree("pane-stuck");
    MakePictureFolder(tree);
    UnansweringFolder folder;
    Panel().SetWorkerProcedures(&UnansweringFolder::Filler, nullptr);
    Panel().LoadImages(tree.Root().c_str(), kAllPictures, true);
    const std::shared_ptr<const CImageFillState> state = Panel().SharedState();
    ASSERT_TRUE(state->fillerRunning.load());

    // The main window goes, and the pane with it, while the folder still says nothing.
    folder.AnswerLater(3000);
    m_frame->DestroyWindow();
    EXPECT_FALSE(folder.Answered()) << "closing waited for the stuck filler";
    EXPECT_FALSE(::IsWindow(m_bar->m_hWnd));

    // Once the folder answers, the late filler ends on its own and lets go of the fill.
    folder.Answer();
    EXPECT_TRUE(PumpUntil([&] { return !state->fillerRunning.load() && state.use_count() == 2; }, kFillDeadline));
    m_bar.reset();
    EXPECT_EQ(state.use_count(), 1);
}
