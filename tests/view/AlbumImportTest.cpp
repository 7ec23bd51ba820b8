// An album written into a real label of the view in the main frame: every
// text arrives, the import is one undo step, the saved document keeps it,
// and the page's track lists are asked to refit.
#include "document/DocumentTestSupport.h"
#include "album/AlbumLabelTexts.h"
#include "album/CdToc.h"
#include "framework/CommandIds.h"
#include "framework/CommonControls.h"
#include "shell/MainFrame.h"
#include "view/AlbumImport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// Three audio tracks: 0:02, 3:05 and 7:40 to a lead-out at 12:00.
std::vector<std::uint8_t> ThreeTrackToc()
{
    std::vector<std::uint8_t> toc(kTocBufferSize);
    const long starts[] = {150, 185 * 75 + 150, 460 * 75, 720 * 75};
    toc[0] = 0;
    toc[1] = 4 * 8 + 2;
    toc[2] = 1;
    toc[3] = 3;
    for (int i = 0; i < 4; ++i) {
        std::uint8_t* descriptor = toc.data() + 4 + 8 * i;
        descriptor[1] = 0x10;
        descriptor[2] = static_cast<std::uint8_t>(i < 3 ? i + 1 : 0xAA);
        descriptor[5] = static_cast<std::uint8_t>(starts[i] / 75 / 60);
        descriptor[6] = static_cast<std::uint8_t>(starts[i] / 75 % 60);
        descriptor[7] = static_cast<std::uint8_t>(starts[i] % 75);
    }
    return toc;
}

CCddbDiscInfo Album()
{
    CCddbDiscInfo album;
    album.m_strArtist = "The Velvet Lanterns";
    album.m_strTitle = "Songs From The Long Corridor";
    album.m_strGenre = "Rock";
    album.m_nYear = 1998;
    album.m_trackTitles = {"Opening", "The Long Corridor", "Closing"};
    return album;
}

class AlbumImportTest : public LabelDocumentTest
{
protected:
    void SetUp() override
    {
        LabelDocumentTest::SetUp();
        ASSERT_TRUE(EnsureCommonControls(ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES |
                                         ICC_STANDARD_CLASSES));
        m_frame = new CMainFrame;  // goes with its window
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        m_window = m_frame->GetSafeHwnd();
        ASSERT_TRUE(m_view.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 600, 400}, m_frame,
                                  FWID_PANE_FIRST));
        m_frame->SetActiveView(&m_view, FALSE);
        m_app.m_pMainWnd = m_frame;
        m_view.PrepareBitmaps();
    }

    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_window))
            ::DestroyWindow(m_window);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        LabelDocumentTest::TearDown();
    }

    CString Text(const char* name) const
    {
        const TextEntry* text = m_view.FindTextOfObject(name);
        return text ? text->m_strValue : CString("(none)");
    }

    std::vector<CString> AllTexts() const
    {
        std::vector<CString> values;
        for (const TextEntry& text : m_view.Model().Texts())
            values.push_back(text.m_strValue);
        return values;
    }

    CMainFrame* m_frame = nullptr;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(AlbumImportTest, TheAlbumIsOneUndoStepAndIsSaved)
{
    NewLayout("Single");
    CViewAlbumLabel label(m_view);
    ASSERT_FALSE(label.IsDoubleLayout());
    const std::vector<CString> before = AllTexts();
    const std::vector<std::uint8_t> toc = ThreeTrackToc();
    const AlbumTextWrites writes = PlanAlbum(Album(), label.ObjectText("Track List"), toc.data(), "");

    ASSERT_TRUE(label.WriteAlbumTexts(writes));
    EXPECT_EQ(Text("Artist"), "The Velvet Lanterns");
    EXPECT_EQ(Text("Title"), "Songs From The Long Corridor");
    EXPECT_EQ(Text("Genre"), "Rock");
    EXPECT_EQ(Text("Year"), "1998");
    EXPECT_EQ(Text("Track List"), "3`Opening`3:05`The Long Corridor`4:33`Closing`4:20`");
    EXPECT_EQ(Text("Time"), "11:58");
    EXPECT_TRUE(m_doc.IsModified());
    // The page shown was drawn at once and took its refit; the others wait for theirs.
    const int shownPage = std::atoi(m_view.Model().Shown().page) - 1;
    for (int page = 0; page < 3; ++page) {
        if (page != shownPage)
            EXPECT_EQ(m_settings.m_bLayoutFit[page], 1) << "page " << page + 1;
    }
    const std::vector<CString> imported = AllTexts();

    // Saved and read again, the texts are there.
    SaveAs("album.slv");
    NewLayout("Single");
    EXPECT_EQ(Text("Artist"), "");
    Open(PathOf("album.slv"));
    EXPECT_EQ(AllTexts(), imported);

    // One Undo takes the whole import back, one Redo brings it again.
    NewLayout("Single");
    ASSERT_TRUE(label.WriteAlbumTexts(writes));
    ASSERT_TRUE(m_view.UndoHistory().CanUndo());
    m_frame->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ(AllTexts(), before);
    EXPECT_FALSE(m_view.UndoHistory().CanUndo()) << "the import was a single step";
    m_frame->SendMessage(WM_COMMAND, ID_EDIT_REDO);
    EXPECT_EQ(AllTexts(), imported);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(AlbumImportTest, EachDiscOfADoubleLayoutTakesItsOwnTexts)
{
    NewLayout("Double");
    CViewAlbumLabel label(m_view);
    ASSERT_TRUE(label.IsDoubleLayout());
    const CString disc1Before = Text("Track List - Disc 1");
    const std::vector<std::uint8_t> toc = ThreeTrackToc();
    ASSERT_TRUE(label.WriteAlbumTexts(
        PlanAlbum(Album(), label.ObjectText("Track List - Disc 2"), toc.data(), DiscSuffix(true, 2))));
    EXPECT_EQ(Text("Artist - Disc 2"), "The Velvet Lanterns");
    EXPECT_EQ(Text("Artist - Disc 1"), "");
    EXPECT_EQ(Text("Track List - Disc 1"), disc1Before);
    EXPECT_EQ(TrackListNames(Text("Track List - Disc 2")),
              (std::vector<CString>{"Opening", "The Long Corridor", "Closing"}));
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(AlbumImportTest, AnImportWithoutChangesRecordsNoStep)
{
    NewLayout("Single");
    CViewAlbumLabel label(m_view);
    const std::vector<std::uint8_t> toc = ThreeTrackToc();
    const AlbumTextWrites writes = PlanTrackTimes(label.ObjectText("Track List"), toc.data(), "");
    ASSERT_TRUE(label.WriteAlbumTexts(writes));
    m_frame->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    const std::vector<CString> undone = AllTexts();
    ASSERT_TRUE(label.WriteAlbumTexts(writes));
    ASSERT_TRUE(label.WriteAlbumTexts(writes));
    m_frame->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ(AllTexts(), undone) << "the repeated import added no step of its own";
}
