// The album-information dialog run modally and driven from its own message
// loop: the search against the CDDB server on 127.0.0.1, a CD drive stand-in
// and lame's MP3 files; what it writes into a label that records the writes.
#include "CddbTestServer.h"

#include "AlbumDialogDriver.h"
#include "CddbFixtures.h"
#include "cdsource/CdSourceFixtures.h"

#include "app/Quorbel6App.h"
#include "album/CddbReplyParser.h"
#include "framework/ErrorReport.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsKey.h"
#include "resource.h"
#include "shell/AlbumImportDlg.h"
#include "support/RecordingHelpEngine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

using namespace album_test;

namespace {

const std::vector<long> kRockOffsets = {150, 18145, 35600, 52411, 71234};
constexpr long kRockLeadOut = 1100 * 75;
const char kCdPlayerFile[] = "album-dialog-cdplayer.ini";

// A label of named objects and their texts that keeps every import written.
class RecordingLabel : public IAlbumLabel {
public:
    bool IsDoubleLayout() const override { return doubleLayout; }
    CString ObjectText(const CString& objectName) const override
    {
        const auto found = texts.find(std::string(objectName));
        return found == texts.end() ? CString() : CString(found->second);
    }
    bool WriteAlbumTexts(const AlbumTextWrites& writes) override
    {
        imports.push_back(writes);
        for (const AlbumTextWrite& write : writes)
            if (texts.count(std::string(write.objectName)))
                texts[std::string(write.objectName)] = write.text.c_str();
        return true;
    }

    bool doubleLayout = false;
    std::map<std::string, std::string> texts;
    std::vector<AlbumTextWrites> imports;
};

void AddAlbumObjects(RecordingLabel& label, const std::string& suffix, const std::string& trackList)
{
    for (const char* name : {"Artist", "Title", "Genre", "Year", "Time"})
        label.texts[name + suffix] = name + suffix;
    label.texts["Track List" + suffix] = trackList;
}

// Any error report fails the test instead of showing a box.
struct NoErrorReports {
    ScopedErrorReportHook hook{[](const ErrorReport& report) { ADD_FAILURE() << report.Text(); }};
};

// The settings key moved to a scratch key of this test program.
class ScratchSettingsKey {
public:
    ScratchSettingsKey()
    {
        m_path = "Software\\SleevoryTests\\AlbumDialog_" + std::to_string(::GetCurrentProcessId());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        SetSettingsKeyLocation(HKEY_CURRENT_USER, m_path.c_str(), HKEY_CURRENT_USER);
        CRegistryKey key;
        CreateSettingsKey(key);
    }
    ~ScratchSettingsKey()
    {
        SetSettingsKeyLocation(nullptr, "");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    }
    DWORD Number(const char* name) const
    {
        CSettingsReader reader;
        DWORD value = 99;
        reader.ReadNumber(name, value);
        return value;
    }

private:
    std::string m_path;
};

class AlbumImportDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.IsListening());
        m_rock = ReadCddbFixture("rock-45044a05.xmcd");
        ASSERT_TRUE(CCddbReplyParser::ParseXmcdRecord(m_rock, m_rockRecord).m_bSucceeded);
        m_server.AddRecord("rock", "45044a05", "The Velvet Lanterns / Songs From The Long Corridor", m_rock);
        m_drive.toc = MakeTocReply(1, kRockOffsets, kRockLeadOut);
        m_drive.cdText = ReadFixtureBytes("cdtext/album.cdt");
        ASSERT_FALSE(m_drive.cdText.empty()) << "run the cdsource_fixtures test first";
        std::ofstream(kCdPlayerFile) << "[nothing]\n";
        m_settings.m_strCDPlayerPath = kCdPlayerFile;
        m_settings.m_cddbSite.m_strHost = "127.0.0.1";
        m_settings.m_cddbSite.m_nPort = m_server.Port();
        AddAlbumObjects(m_label, "", "3`Old One`0:01`Old Two`0:02`Old Three`0:03`");
    }
    void TearDown() override { std::remove(kCdPlayerFile); }

    // Runs the dialog with the script; how long DoModal took.
    std::chrono::milliseconds RunDialog(std::vector<ScriptStep> steps, int seconds = 30)
    {
        std::vector<CString> names = {m_driveName};
        std::vector<std::pair<CString, DriveScript*>> drives = {{m_driveName, &m_drive}};
        if (m_secondDrive) {
            names.push_back("F:");
            drives.emplace_back("F:", m_secondDrive);
        }
        CAlbumImportDlg dialog(nullptr, CAlbumImportDlg::kReadTrackData, m_label, m_settings, names);
        m_dialog = &dialog;
        dialog.SetNetworkTimeout(m_timeout);
        dialog.SetSearchSources(
            [drives] { return std::make_unique<CCdReader>(std::make_unique<StandInCdProvider>(drives)); },
            nullptr);
        const auto start = std::chrono::steady_clock::now();
        {
            ModalScript script(std::move(steps), std::chrono::seconds(seconds));
            dialog.DoModal();
        }
        m_dialog = nullptr;
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    }

    // Script steps.
    static ScriptStep Press(const char* name, int dialogControl, int button)
    {
        return {name, [=] { return FindDialogWith(dialogControl) != nullptr; },
                [=] { Click(FindDialogWith(dialogControl), button); }};
    }
    ScriptStep StartSearch() { return Press("start the search", IDC_ALBUM_MATCHES, IDOK); }
    ScriptStep WaitForPhase(int phase)
    {
        return WaitUntil("phase " + std::to_string(phase), [this, phase] {
            return m_dialog && m_dialog->GetPhase() == phase && m_dialog->Search().GetStatus() != 0;
        });
    }
    ScriptStep Check(const char* name, std::function<void()> check) { return {name, nullptr, std::move(check)}; }
    static ScriptStep AnswerMessage(const char* name, int button)
    {
        return Press(name, IDC_MESSAGE_TEXT, button);
    }

    // Holds what the program's message box shows.
    CQuorbel6App m_app;
    ScratchSettingsKey m_registry;
    NoErrorReports m_noReports;
    WinsockSession m_winsock;
    CddbTestServer m_server;
    std::string m_rock;
    CCddbDiscInfo m_rockRecord;
    DriveScript m_drive;
    CString m_driveName = "E:";
    DriveScript* m_secondDrive = nullptr;
    CAppSettings m_settings;
    RecordingLabel m_label;
    CAlbumImportDlg* m_dialog = nullptr;
    int m_timeout = 5000;
};

}  // namespace

TEST_F(AlbumImportDlgTest, TheChosenAlbumIsWrittenWithTheDiscsTimes)
{
    std::string caption;
    int items = 0;
    RunDialog({
        Check("the drive is listed",
              [&] {
                  HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                  EXPECT_EQ(WindowText(dialog), " Read CD");
                  EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_ALBUM_MATCHES, LB_GETCOUNT, 0, 0), 1);
              }),
        StartSearch(),
        WaitForPhase(CAlbumImportDlg::kChooseMatch),
        Check("the candidates are listed",
              [&] {
                  HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                  caption = WindowText(dialog);
                  items = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_ALBUM_MATCHES, LB_GETCOUNT, 0, 0));
                  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, IDC_ALBUM_PREVIEW)));
                  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_ALBUM_USE_FREEDB)));
              }),
        Press("apply the first", IDC_ALBUM_MATCHES, IDOK),
    });
    EXPECT_EQ(caption, " Found 2 matches");
    EXPECT_EQ(items, 2);
    ASSERT_EQ(m_label.imports.size(), 1u) << "one import, one write";
    EXPECT_EQ(m_label.texts["Artist"], m_rockRecord.m_strArtist);
    EXPECT_EQ(m_label.texts["Title"], m_rockRecord.m_strTitle);
    EXPECT_EQ(m_label.texts["Genre"], m_rockRecord.m_strGenre);
    EXPECT_EQ(m_label.texts["Year"], m_rockRecord.m_nYear ? std::to_string(m_rockRecord.m_nYear) : "");
    const std::vector<CString> names = TrackListNames(m_label.texts["Track List"].c_str());
    ASSERT_EQ(names.size(), 5u);
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(std::string(names[i]), m_rockRecord.m_trackTitles[i]);
    std::vector<BYTE> toc = m_drive.toc;
    toc.resize(kTocBufferSize);
    EXPECT_EQ(TrackListTimes(m_label.texts["Track List"].c_str()), TocAudioTimes(toc.data()).trackTimes);
    EXPECT_EQ(m_label.texts["Time"], std::string(TocAudioTimes(toc.data()).totalTime));
}

TEST_F(AlbumImportDlgTest, TimesOnlyKeepsTheNamesAndCountsTheDiscsTracks)
{
    RunDialog({StartSearch(), WaitForPhase(CAlbumImportDlg::kChooseMatch),
               {"tick times only", [] { return FindDialogWith(IDC_ALBUM_MATCHES) != nullptr; },
                [] {
                    HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                    ::CheckDlgButton(dialog, IDC_ALBUM_TIMES_ONLY, BST_CHECKED);
                    Click(dialog, IDC_ALBUM_TIMES_ONLY);
                    Click(dialog, IDOK);
                }}});
    ASSERT_EQ(m_label.imports.size(), 1u);
    EXPECT_EQ(m_label.texts["Artist"], "Artist");
    EXPECT_EQ(std::string(m_label.texts["Track List"]).substr(0, 31), "5`Old One`3:59`Old Two`3:52`Old");
    const std::vector<CString> names = TrackListNames(m_label.texts["Track List"].c_str());
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[3], "Track 4");
}

TEST_F(AlbumImportDlgTest, WithoutSourcesOnlyTheTimesAreWrittenAndNoListIsShown)
{
    m_settings.m_bFreedb = m_settings.m_bCDText = m_settings.m_bCDPlayer = 0;
    RunDialog({StartSearch()});
    ASSERT_EQ(m_label.imports.size(), 1u);
    EXPECT_EQ(m_label.imports[0].size(), 2u) << "track list and time only";
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(AlbumImportDlgTest, ADoubleLayoutAsksForTheDiscAndCancelWritesNothing)
{
    m_label.doubleLayout = true;
    m_label.texts.clear();
    AddAlbumObjects(m_label, " - Disc 1", "1`Disc One Song`1:00`");
    AddAlbumObjects(m_label, " - Disc 2", "2`Second Disc A`1:00`Second Disc B`2:00`");
    m_settings.m_bFreedb = 0;
    RunDialog({StartSearch(), WaitForPhase(CAlbumImportDlg::kChooseMatch),
               Press("apply", IDC_ALBUM_MATCHES, IDOK),
               Press("cancel the disc choice", IDC_DISC_CHOICE_DISC1, IDCANCEL),
               Check("nothing was written", [&] { EXPECT_TRUE(m_label.imports.empty()); }),
               {"times only", [] { return FindDialogWith(IDC_ALBUM_MATCHES) != nullptr; },
                [] {
                    HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                    ::CheckDlgButton(dialog, IDC_ALBUM_TIMES_ONLY, BST_CHECKED);
                    Click(dialog, IDOK);
                }},
               {"choose disc 2", [] { return FindDialogWith(IDC_DISC_CHOICE_DISC2) != nullptr; },
                [] {
                    HWND chooser = FindDialogWith(IDC_DISC_CHOICE_DISC2);
                    ::CheckDlgButton(chooser, IDC_DISC_CHOICE_DISC1, BST_UNCHECKED);
                    ::CheckDlgButton(chooser, IDC_DISC_CHOICE_DISC2, BST_CHECKED);
                    Click(chooser, IDOK);
                }}});
    ASSERT_EQ(m_label.imports.size(), 1u);
    for (const AlbumTextWrite& write : m_label.imports[0])
        EXPECT_NE(std::string(write.objectName).find(" - Disc 2"), std::string::npos) << write.objectName;
    const std::vector<CString> names = TrackListNames(m_label.texts["Track List - Disc 2"].c_str());
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[0], "Second Disc A") << "names come from the list being written";
    EXPECT_EQ(m_label.texts["Track List - Disc 1"], "1`Disc One Song`1:00`");
}

TEST_F(AlbumImportDlgTest, ADriveThatIsNotReadyOffersRetryAndCancelGoesBackToTheStart)
{
    m_drive.toc.clear();
    std::string caption;
    RunDialog({StartSearch(), AnswerMessage("retry", IDC_MESSAGE_BUTTON1),
               AnswerMessage("cancel", IDC_MESSAGE_BUTTON2),
               Check("back at the start",
                     [&] {
                         HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                         caption = WindowText(dialog);
                         EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, IDOK)));
                         EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_ALBUM_USE_CDTEXT)));
                     }),
               Press("close", IDC_ALBUM_MATCHES, IDCANCEL)});
    EXPECT_EQ(caption, " Read CD");
    EXPECT_GE(m_drive.opened, 2) << "Retry read the drive again";
    EXPECT_TRUE(m_label.imports.empty());
}

TEST_F(AlbumImportDlgTest, CancelDuringASlowServerIsSafeAndQuick)
{
    CddbTestServer slow;
    slow.AddRecord("rock", "45044a05", "The Velvet Lanterns / Songs From The Long Corridor", m_rock);
    slow.StallAfter(1, 20000);
    m_settings.m_cddbSite.m_nPort = slow.Port();
    m_timeout = 20000;
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const auto took = RunDialog({StartSearch(),
                                     WaitUntil("wait a little", [start = std::chrono::steady_clock::now(), round] {
                                         return std::chrono::steady_clock::now() - start >
                                                std::chrono::milliseconds(100 + 150 * round);
                                     }),
                                     Press("cancel", IDC_ALBUM_MATCHES, IDCANCEL)});
        EXPECT_LT(took, std::chrono::seconds(5));
    }
    EXPECT_TRUE(m_label.imports.empty());
}

TEST_F(AlbumImportDlgTest, ADataCdShowsItsMp3FilesAndWritesThemAsTheTrackList)
{
    const std::vector<std::string> expected = ReadFixtureLines("mp3/expected.txt");
    ASSERT_GE(expected.size(), 10u);
    m_driveName = "cdsource-fixtures\\mp3";
    m_drive.toc = MakeTocReply(1, {150}, 60000, {1});
    int rows = 0;
    std::string caption;
    CString movedName, movedTime;
    RunDialog({StartSearch(), WaitForPhase(CAlbumImportDlg::kMp3List),
               {"list complete",
                [] {
                    HWND dialog = FindDialogWith(IDC_ALBUM_MP3_LIST);
                    return dialog && ::IsWindowVisible(::GetDlgItem(dialog, IDOK));
                },
                [&] {
                    HWND dialog = FindDialogWith(IDC_ALBUM_MP3_LIST);
                    caption = WindowText(dialog);
                    CMp3ListCtrl& list = m_dialog->Mp3List();
                    rows = list.GetItemCount();
                    // The settings button now sorts the rows by name.
                    Click(dialog, IDC_ALBUM_ADVANCED);
                    for (int row = 1; row < rows; ++row) {
                        CString above = list.GetItemText(row - 1, CMp3ListCtrl::kNameColumn);
                        CString below = list.GetItemText(row, CMp3ListCtrl::kNameColumn);
                        EXPECT_LE(above.MakeUpper().Compare(below.MakeUpper()), 0) << row;
                    }
                    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, IDC_ALBUM_ROW_UP)));
                    movedName = list.GetItemText(rows - 1, CMp3ListCtrl::kNameColumn);
                    movedTime = list.GetItemText(rows - 1, CMp3ListCtrl::kTimeColumn);
                    // The last row goes to the top, one step at a time.
                    list.EnsureVisible(rows - 1, FALSE);
                    const RECT cell = list.CellRect(rows - 1, CMp3ListCtrl::kNumberColumn);
                    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 2, cell.top + 3));
                    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 2, cell.top + 3));
                    for (int step = 1; step < rows; ++step)
                        Click(dialog, IDC_ALBUM_ROW_UP);
                    Click(dialog, IDOK);
                }}});
    EXPECT_EQ(rows, static_cast<int>(expected.size()));
    EXPECT_EQ(caption, " Found " + std::to_string(expected.size()) + " Tracks");
    ASSERT_EQ(m_label.imports.size(), 1u);
    const CString list = m_label.texts["Track List"].c_str();
    const std::vector<CString> names = TrackListNames(list);
    const std::vector<CString> times = TrackListTimes(list);
    ASSERT_EQ(names.size(), expected.size());
    EXPECT_EQ(names[0], movedName);
    EXPECT_EQ(times[0], movedTime);
    for (const CString& time : times)
        EXPECT_NE(time.Find(':'), -1) << time;
    // The tags' names are shown: lame's tagged file by its artist and title.
    EXPECT_NE(std::find(names.begin(), names.end(), CString("Tag Artist-Tag Title")), names.end());
}

TEST_F(AlbumImportDlgTest, ADataCdWithoutMp3FilesSaysSo)
{
    m_driveName = "cdsource-fixtures\\cdtext";
    m_drive.toc = MakeTocReply(1, {150}, 60000, {1});
    std::string message;
    RunDialog({StartSearch(),
               {"the message", [] { return FindDialogWith(IDC_MESSAGE_TEXT) != nullptr; },
                [&] {
                    HWND box = FindDialogWith(IDC_MESSAGE_TEXT);
                    message = WindowText(::GetDlgItem(box, IDC_MESSAGE_TEXT));
                    Click(box, IDC_MESSAGE_BUTTON1);
                }}});
    EXPECT_EQ(message, "The CD does not contain any music tracks.");
    EXPECT_TRUE(m_label.imports.empty());
}

TEST_F(AlbumImportDlgTest, F1AndTheCaptionsHelpButtonOpenTheHelpAtAlbumInformation)
{
    const auto calls = RecordHelpCalls(m_app.Help());
    std::vector<ScriptStep> steps = AskForHelp(IDC_ALBUM_MATCHES, [calls] { return calls->size(); });
    steps.push_back(Check("the dialog stays at its start", [this] {
        EXPECT_EQ(m_dialog->GetPhase(), CAlbumImportDlg::kChooseDrive);
        EXPECT_EQ(FindDialogWith(IDC_MESSAGE_TEXT), nullptr);
    }));
    steps.push_back(Press("close", IDC_ALBUM_MATCHES, IDCANCEL));
    RunDialog(std::move(steps));
    EXPECT_EQ(*calls, (HelpCalls{HelpFileAt(kHelpAlbumInformation), HelpFileAt(kHelpAlbumInformation)}));
    EXPECT_TRUE(m_label.imports.empty());
}

TEST_F(AlbumImportDlgTest, SourceChecksAreStoredAtOnce)
{
    m_settings.m_bCDPlayer = 1;
    std::remove(kCdPlayerFile);
    std::string message;
    RunDialog({Check("CD player off without its file",
                     [&] {
                         HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                         EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_ALBUM_USE_CDPLAYER), BST_UNCHECKED);
                         EXPECT_EQ(m_registry.Number("bCDPlayer"), 0u);
                         ::CheckDlgButton(dialog, IDC_ALBUM_USE_FREEDB, BST_UNCHECKED);
                         Click(dialog, IDC_ALBUM_USE_FREEDB);
                         ::CheckDlgButton(dialog, IDC_ALBUM_USE_MP3, BST_UNCHECKED);
                         Click(dialog, IDC_ALBUM_USE_MP3);
                         ::CheckDlgButton(dialog, IDC_ALBUM_USE_CDPLAYER, BST_CHECKED);
                         Click(dialog, IDC_ALBUM_USE_CDPLAYER);
                     }),
               {"the refusal", [] { return FindDialogWith(IDC_MESSAGE_TEXT) != nullptr; },
                [&] {
                    HWND box = FindDialogWith(IDC_MESSAGE_TEXT);
                    message = WindowText(::GetDlgItem(box, IDC_MESSAGE_TEXT));
                    Click(box, IDC_MESSAGE_BUTTON1);
                }},
               Press("close", IDC_ALBUM_MATCHES, IDCANCEL)});
    EXPECT_EQ(message, "Please enter a vaild CDPlayer file in 'Advanced Settings'.");
    EXPECT_EQ(m_registry.Number("bFreedb"), 0u);
    EXPECT_EQ(m_registry.Number("bMp3"), 0u);
    EXPECT_EQ(m_registry.Number("bCDPlayer"), 0u);
    EXPECT_EQ(m_settings.m_bFreedb, 0);
    EXPECT_EQ(m_settings.m_bCDText, 1);
}

TEST_F(AlbumImportDlgTest, ChoosingAnotherMatchPreviewsAndWritesThatOne)
{
    std::vector<std::string> preview;
    RunDialog({StartSearch(), WaitForPhase(CAlbumImportDlg::kChooseMatch),
               {"choose the CD-Text match", [] { return FindDialogWith(IDC_ALBUM_MATCHES) != nullptr; },
                [&] {
                    HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                    HWND list = ::GetDlgItem(dialog, IDC_ALBUM_MATCHES);
                    ::SendMessageA(list, LB_SETCURSEL, 1, 0);
                    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ALBUM_MATCHES, LBN_SELCHANGE),
                                   reinterpret_cast<LPARAM>(list));
                    HWND view = ::GetDlgItem(dialog, IDC_ALBUM_PREVIEW);
                    char text[256];
                    for (int row = 0; row < 2; ++row) {
                        LVITEMA item{};
                        item.iSubItem = 2;
                        item.pszText = text;
                        item.cchTextMax = sizeof text;
                        ::SendMessageA(view, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
                        preview.push_back(text);
                    }
                    // A double click applies, as OK does.
                    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ALBUM_MATCHES, LBN_DBLCLK),
                                   reinterpret_cast<LPARAM>(list));
                }}});
    EXPECT_EQ(preview, (std::vector<std::string>{"The Album Band", "A Fifteen Chars"}));
    ASSERT_EQ(m_label.imports.size(), 1u);
    EXPECT_EQ(m_label.texts["Artist"], "The Album Band");
    EXPECT_EQ(TrackListNames(m_label.texts["Track List"].c_str())[3], "Closing");
}

TEST_F(AlbumImportDlgTest, ThePreviewKeepsItsPlaceWhenAnotherMatchIsChosen)
{
    // Two albums of twelve tracks for the disc: more rows than the preview shows.
    const std::string jazz = ReadCddbFixture("jazz-950c7e0c.xmcd");
    m_server.AddRecord("jazz", "950c7e0c", "Quiet Rooms", jazz);
    m_server.AddRecord("blues", "950c7e0c", "Quiet Rooms Again", jazz);
    m_drive.toc = MakeTocReply(
        1, {150, 20000, 41234, 60500, 83000, 99999, 120000, 140321, 160000, 181818, 200000, 222222}, 3200 * 75);
    const auto clickMatch = [](HWND dialog, int item) {
        HWND list = ::GetDlgItem(dialog, IDC_ALBUM_MATCHES);
        RECT rect{};
        ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(list, WM_LBUTTONUP, 0, at);
    };
    int rows = 0;
    int perPage = 0;
    std::vector<int> tops;
    std::vector<int> chosen;
    RunDialog({StartSearch(), WaitForPhase(CAlbumImportDlg::kChooseMatch),
               Check("scroll the preview, then choose other matches", [&] {
                   HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                   HWND preview = ::GetDlgItem(dialog, IDC_ALBUM_PREVIEW);
                   rows = static_cast<int>(::SendMessageA(preview, LVM_GETITEMCOUNT, 0, 0));
                   perPage = static_cast<int>(::SendMessageA(preview, LVM_GETCOUNTPERPAGE, 0, 0));
                   for (int line = 0; line < 3; ++line)
                       ::SendMessageA(preview, WM_VSCROLL, SB_LINEDOWN, 0);
                   for (const int item : {1, 0}) {
                       clickMatch(dialog, item);
                       chosen.push_back(m_dialog->ChosenMatch());
                       tops.push_back(static_cast<int>(::SendMessageA(preview, LVM_GETTOPINDEX, 0, 0)));
                   }
                   Click(dialog, IDCANCEL);
               })});
    ASSERT_GT(rows, perPage + 3) << "the preview must scroll for this test";
    EXPECT_EQ(chosen, (std::vector<int>{1, 0}));
    EXPECT_EQ(tops, (std::vector<int>{3, 3})) << "the preview jumped";
}

TEST_F(AlbumImportDlgTest, TheChosenDriveIsReadAndRemembered)
{
    DriveScript second;
    second.toc = MakeTocReply(1, {150, 30000}, 60000);
    m_secondDrive = &second;
    m_settings.m_bFreedb = m_settings.m_bCDText = m_settings.m_bCDPlayer = 0;
    RunDialog({{"choose the second drive", [] { return FindDialogWith(IDC_ALBUM_MATCHES) != nullptr; },
                [] {
                    HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                    HWND list = ::GetDlgItem(dialog, IDC_ALBUM_MATCHES);
                    EXPECT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
                    ::SendMessageA(list, LB_SETCURSEL, 1, 0);
                    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ALBUM_MATCHES, LBN_SELCHANGE),
                                   reinterpret_cast<LPARAM>(list));
                    Click(dialog, IDOK);
                }}});
    EXPECT_EQ(m_drive.opened, 0);
    EXPECT_EQ(second.opened, 1);
    EXPECT_EQ(m_settings.m_nSelectedDrive, 1);
    EXPECT_EQ(TrackListNames(m_label.texts["Track List"].c_str()).size(), 2u) << "the second drive's disc";

    // The next dialog starts on that drive.
    int selected = -1;
    RunDialog({{"look", [] { return FindDialogWith(IDC_ALBUM_MATCHES) != nullptr; }, [&] {
                    HWND dialog = FindDialogWith(IDC_ALBUM_MATCHES);
                    selected = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_ALBUM_MATCHES, LB_GETCURSEL, 0, 0));
                    Click(dialog, IDCANCEL);
                }}});
    EXPECT_EQ(selected, 1);
}
