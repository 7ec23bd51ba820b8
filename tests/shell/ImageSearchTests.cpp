// The image search: the file types, the titles, and the real folder browser
// on its own thread driven by messages: a folder chosen fills the pane, the
// choices are stored as settings, and closing the pane closes the browser.
#include "imaging/ImageFixtures.h"
#include "imaging/ScratchTree.h"
#include "shell/ImageBar.h"
#include "shell/ImageSearchDlg.h"

#include "UnansweringFolder.h"

#include "framework/WinApp.h"
#include "support/DockTestFrame.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <string>

using namespace dock_test;
using test_support::PumpUntil;

namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Sleevory";

std::string WindowText(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
}

// Keeps the settings a test writes from reaching other tests.
class SavedSetting {
public:
    explicit SavedSetting(const char* name) : m_name(name)
    {
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (key) {
            DWORD size = sizeof(m_value);
            m_had = ::RegQueryValueExA(key, name, nullptr, &m_type, m_value, &size) == ERROR_SUCCESS;
            m_size = size;
            ::RegCloseKey(key);
        }
    }
    ~SavedSetting()
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        if (m_had)
            ::RegSetValueExA(key, m_name, 0, m_type, m_value, m_size);
        else
            ::RegDeleteValueA(key, m_name);
        ::RegCloseKey(key);
    }
    static bool ReadNumber(const char* name, DWORD& value)
    {
        DWORD size = sizeof(value);
        return ::RegGetValueA(HKEY_LOCAL_MACHINE, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
               ERROR_SUCCESS;
    }

private:
    const char* m_name;
    bool m_had = false;
    DWORD m_type = 0;
    BYTE m_value[600] = {};
    DWORD m_size = 0;
};

}  // namespace

TEST(ImageSearchTexts, FileTypesGiveTheirPatterns)
{
    const char* expected[kImageFileTypeCount] = {"*.jpg;*.jpeg;*.png;*.bmp;*.wmf;*.ico;*.pcx;*.dib;*.emf",
                                                 "*.jpg;*.jpeg", "*.bmp;*.dib", "*.png", "*.wmf;*.emf", "*.ico",
                                                 "*.pcx"};
    for (int i = 0; i < kImageFileTypeCount; ++i)
        EXPECT_EQ(PatternsOfFileTypeText(kImageFileTypeTexts[i]).str(), expected[i]) << i;
}

TEST(ImageSearchTexts, TitlesCountThePicturesFound)
{
    EXPECT_EQ(FoundTitle(1).str(), " 1 Image Found");
    EXPECT_EQ(FoundTitle(0).str(), " 0 Images Found");
    EXPECT_EQ(FoundTitle(12).str(), " 12 Images Found");
    EXPECT_EQ(SearchingTitle(3, " ...").str(), " Searching Images (3) ...");
}

class ImageSearch : public ::testing::Test {
protected:
    ImageSearch() : m_app("ImageSearchTest")
    {
        m_frame = std::make_unique<CTestDockFrame>();
        EXPECT_TRUE(m_frame->Make());
        m_app.m_pMainWnd = m_frame.get();
        m_bar = std::make_unique<CImageBar>();
        EXPECT_TRUE(m_bar->Create("Images", m_frame.get(), 1057, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        ::SetWindowPos(m_bar->Panel().m_hWnd, nullptr, 0, 44, 300, 600, SWP_NOZORDER);
    }
    ~ImageSearch() override
    {
        m_app.m_pMainWnd = nullptr;
        if (m_frame->m_hWnd)
            m_frame->DestroyWindow();
        m_bar.reset();
        m_frame.reset();
    }

    HWND OpenBrowser()
    {
        m_bar->SendMessage(WM_COMMAND, MAKEWPARAM(CImageBar::kImageSearchId, BN_CLICKED), 0);
        HWND browser = nullptr;
        PumpUntil([&] { return (browser = m_bar->BrowseWindow()) != nullptr; }, 10000);
        return browser;
    }

    // Clicks a folder in the browser's tree; true once its search shows.
    // (A browser in a new Wine prefix may still be filling its tree the first
    // time: the folder is looked for again until the search shows.)
    static bool ChooseFolder(HWND browser, const std::string& path)
    {
        HWND tree = ::GetDlgItem(browser, CImageFolderDlg::kTreeId);
        if (!tree)
            return false;
        PumpUntil([&] { return ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 0; }, 5000);
        bool started = false;
        for (int attempt = 0; attempt < 6 && !started; ++attempt) {
            // The tree opened at the folder (which searches nothing), its parent
            // selected, then the folder clicked.
            ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
            test_support::PumpPending();
            const auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
            const auto parent =
                reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
            if (!item || !parent) {
                PumpUntil([] { return false; }, 300);
                continue;
            }
            ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(parent));
            ::SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
            RECT rect{};
            std::memcpy(&rect, &item, sizeof item);  // the item goes in, its rectangle comes out
            if (!::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)))
                continue;
            const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
            // Posted together: the tree watches for the release while the button is down.
            ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::PostMessageA(tree, WM_LBUTTONUP, 0, at);
            started = PumpUntil([&] { return WindowText(browser).find("Image") != std::string::npos; }, 3000);
        }
        return started;
    }

    CWinApp m_app;
    std::unique_ptr<CTestDockFrame> m_frame;
    std::unique_ptr<CImageBar> m_bar;
};

TEST_F(ImageSearch, AChosenFolderFillsThePaneAndTheTitleCountsIt)
{
    SavedSetting filter("BrowseFilter");
    ScratchTree tree("search");
    for (const char* name : {"thumb-small.jpg", "thumb-tall.bmp"}) {
        const std::vector<BYTE> bytes = ReadWholeFile(ImageFixturePath(name));
        tree.File(name, std::string(bytes.begin(), bytes.end()));
    }
    HWND browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(m_bar->IsBrowserRunning());
    EXPECT_EQ(WindowText(browser), " Click on a folder to start your search.");
    HWND close = ::GetDlgItem(browser, CImageFolderDlg::kCloseId);
    HWND types = ::GetDlgItem(browser, CImageFolderDlg::kFileTypeId);
    ASSERT_NE(close, nullptr);
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(::SendMessageA(types, CB_GETCOUNT, 0, 0), kImageFileTypeCount);

    // Choosing the folder in the tree starts the search.
    ASSERT_TRUE(ChooseFolder(browser, tree.Root()));
    ASSERT_TRUE(PumpUntil([&] { return WindowText(browser) == " 2 Images Found"; }, 15000)) << WindowText(browser);
    EXPECT_EQ(m_bar->Panel().State().list.Size(), 3u);
    EXPECT_EQ(WindowText(::GetDlgItem(browser, 1113)), tree.Root());
    ASSERT_TRUE(PumpUntil([&] { return WindowText(close) == "Close"; }, 5000));

    // Only PNG files: none here; the choice is stored.
    ::SendMessageA(types, CB_SETCURSEL, 3, 0);
    ::SendMessageA(browser, WM_COMMAND, MAKEWPARAM(CImageFolderDlg::kFileTypeId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(types));
    ASSERT_TRUE(PumpUntil([&] { return WindowText(browser) == " 0 Images Found"; }, 15000)) << WindowText(browser);
    DWORD stored = 99;
    EXPECT_TRUE(SavedSetting::ReadNumber("BrowseFilter", stored));
    EXPECT_EQ(stored, 3u);

    // "Close" closes the browser and ends its thread.
    ASSERT_TRUE(PumpUntil([&] { return WindowText(close) == "Close"; }, 5000));
    ::SendMessageA(browser, WM_COMMAND, MAKEWPARAM(CImageFolderDlg::kCloseId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(close));
    EXPECT_TRUE(PumpUntil([&] { return !m_bar->IsBrowserRunning(); }, 10000));
    EXPECT_FALSE(::IsWindow(browser));
}

TEST_F(ImageSearch, TheBrowsersOwnControlsAreTheProgramsButtonsAndATickIsStored)
{
    SavedSetting subFolders("BrowseSubfolder");
    HWND browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    // The browser's thread adds its controls once the window is there and
    // makes them the program's own buttons a moment later: wait for both.
    // The push button and both boxes draw themselves as the program's buttons do.
    for (const int id : {CImageFolderDlg::kCloseId, CImageFolderDlg::kSubFoldersId, CImageFolderDlg::kDefaultFolderId}) {
        EXPECT_TRUE(PumpUntil(
            [&] {
                HWND control = ::GetDlgItem(browser, id);
                return control != nullptr && (::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
            },
            5000))
            << id;
    }

    // Each click on "Search Subfolders" flips the box, and the choice is stored.
    HWND box = ::GetDlgItem(browser, CImageFolderDlg::kSubFoldersId);
    if (HKEY key = nullptr; ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, "BrowseSubfolder");
        ::RegCloseKey(key);
    }
    auto click = [&] {
        ::PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    DWORD first = 99;
    click();
    ASSERT_TRUE(PumpUntil([&] { return SavedSetting::ReadNumber("BrowseSubfolder", first); }, 5000));
    DWORD second = first;
    click();
    EXPECT_TRUE(PumpUntil([&] { return SavedSetting::ReadNumber("BrowseSubfolder", second) && second != first; },
                          5000))
        << first;

    ::SendMessageA(browser, WM_COMMAND, MAKEWPARAM(CImageFolderDlg::kCloseId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(browser, CImageFolderDlg::kCloseId)));
    EXPECT_TRUE(PumpUntil([&] { return !m_bar->IsBrowserRunning(); }, 10000));
}

TEST_F(ImageSearch, OnlyOneBrowserAtATimeAndClosingThePaneClosesIt)
{
    HWND browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    m_bar->SendMessage(WM_COMMAND, MAKEWPARAM(CImageBar::kImageSearchId, BN_CLICKED), 0);
    test_support::PumpPending();
    EXPECT_EQ(m_bar->BrowseWindow(), browser);

    m_bar->DestroyWindow();
    EXPECT_FALSE(m_bar->IsBrowserRunning());
    EXPECT_FALSE(::IsWindow(browser));
}

TEST_F(ImageSearch, NothingIsSearchedBeforeAFolderIsChosenAndStopCountsWhatThePaneShows)
{
    ScratchTree tree("search-stop");
    for (const char* name : {"thumb-small.jpg", "thumb-tall.bmp"}) {
        const std::vector<BYTE> bytes = ReadWholeFile(ImageFixturePath(name));
        tree.File(name, std::string(bytes.begin(), bytes.end()));
    }
    UnansweringFolder folder;
    m_bar->Panel().SetWorkerProcedures(&UnansweringFolder::Filler, nullptr);
    const CImageFillState& fill = m_bar->Panel().State();

    // Opening the browser searches nothing, however long it stays open, also
    // once it is the active window and its tree has the focus.
    HWND browser = OpenBrowser();
    ASSERT_NE(browser, nullptr);
    HWND folderTree = ::GetDlgItem(browser, CImageFolderDlg::kTreeId);
    PumpUntil([&] { return ::SendMessageA(folderTree, TVM_GETCOUNT, 0, 0) > 0; }, 5000);
    ::SendMessageA(browser, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    PumpUntil([] { return false; }, 1500);
    EXPECT_FALSE(fill.fillerRunning.load()) << "a search started before a folder was chosen";
    EXPECT_EQ(WindowText(browser), " Click on a folder to start your search.");
    EXPECT_EQ(WindowText(m_bar->m_hWnd), "Images");

    // The folder chosen does not answer; the user stops the search, then it answers.
    ASSERT_TRUE(ChooseFolder(browser, tree.Root()));
    ASSERT_TRUE(PumpUntil([&] { return fill.fillerRunning.load(); }, 5000));
    HWND close = ::GetDlgItem(browser, CImageFolderDlg::kCloseId);
    ASSERT_EQ(WindowText(close), "Stop Search");
    ::SendMessageA(browser, WM_COMMAND, MAKEWPARAM(CImageFolderDlg::kCloseId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(close));
    EXPECT_EQ(WindowText(close), "Close");
    folder.Answer();
    ASSERT_TRUE(PumpUntil([&] { return !fill.fillerRunning.load() && !fill.feeding.load(); }, 10000));
    PumpUntil([] { return false; }, 300);

    // The browser and the pane count the same pictures.
    const int found = static_cast<int>(fill.list.Size()) - 1;
    EXPECT_EQ(WindowText(browser), FoundTitle(found).str());
    EXPECT_EQ(WindowText(m_bar->m_hWnd), "Images (" + std::to_string(found) + ")");
}
