// The Search Settings dialog run modally and driven from its message loop:
// its fields through the registry, the protected proxy password, and the
// server list from the sites command of the server on 127.0.0.1.
#include "CddbTestServer.h"

#include "AlbumDialogDriver.h"

#include "app/Quorbel6App.h"
#include "album/FreedbOptions.h"
#include "framework/ErrorReport.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsKey.h"
#include "resource.h"
#include "shell/SearchSettingsDlg.h"
#include "support/RecordingHelpEngine.h"
#include "framework/TileBackground.h"
#include "uikit/CaptionFrameButton.h"
#include "uikit/DisplayEdit.h"
#include "uikit/PanelBackground.h"
#include "uikit/PictureStatic.h"
#include "uikit/TransparentButton.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using namespace album_test;

namespace {

const std::string kLongPassword = std::string(300, 'p') + " with blanks & \"quotes\" 42";

class SearchSettingsDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = "Software\\SleevoryTests\\SearchSettings_" + std::to_string(::GetCurrentProcessId());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        SetSettingsKeyLocation(HKEY_CURRENT_USER, m_path.c_str(), HKEY_CURRENT_USER);
        CRegistryKey key;
        CreateSettingsKey(key);
        m_settings.m_cddbSite = ParseFreedbOptions(
            CString(kDefaultCddbHost) + "`80`/~cddb/cddb.cgi`Random freedb server`0`````");
        m_settings.m_bCDPlayer = 0;
    }
    void TearDown() override
    {
        SetSettingsKeyLocation(nullptr, "");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    }

    std::string StoredString(const char* name) const
    {
        CSettingsReader reader;
        CString value;
        reader.ReadString(name, value);
        return value.c_str();
    }
    std::vector<BYTE> StoredBytes(const char* name) const
    {
        std::vector<BYTE> bytes(4096);
        DWORD size = static_cast<DWORD>(bytes.size());
        if (::RegGetValueA(HKEY_CURRENT_USER, m_path.c_str(), name, RRF_RT_REG_BINARY, nullptr, bytes.data(), &size) !=
            ERROR_SUCCESS)
            return {};
        bytes.resize(size);
        return bytes;
    }

    void Run(std::vector<ScriptStep> steps)
    {
        CSearchSettingsDlg dialog(nullptr, m_settings);
        dialog.SetListServer("127.0.0.1", m_server.Port());
        ModalScript script(std::move(steps), std::chrono::seconds(30));
        dialog.DoModal();
    }
    static ScriptStep Do(const char* name, std::function<void(HWND)> action)
    {
        return {name, [] { return FindDialogWith(IDC_SEARCH_USE_ID3) != nullptr; },
                [action] { action(FindDialogWith(IDC_SEARCH_USE_ID3)); }};
    }
    static std::string Field(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

    ScopedErrorReportHook m_noReports{[](const ErrorReport& report) { ADD_FAILURE() << report.Text(); }};
    // Holds what the program's message box shows.
    CQuorbel6App m_app;
    std::string m_path;
    WinsockSession m_winsock;
    CddbTestServer m_server;
    CAppSettings m_settings;
};

}  // namespace

TEST(FreedbOptionsRecord, NineFieldsWhateverIsTyped)
{
    CCddbSite site;
    site.m_strHost = kDefaultCddbHost;
    site.m_strDescription = "Random freedb server";
    EXPECT_EQ(MakeFreedbOptions(site), CString(kDefaultCddbHost) + "`80`/~cddb/cddb.cgi`Random freedb server`0`````");

    site.m_bProxy = 1;
    site.m_strProxyHost = "proxy`.example";
    site.m_strProxyPort = "8`080";
    site.m_strProxyUser = "`user`";
    site.m_strProxyPassword = "secret";
    const CString record = MakeFreedbOptions(site);
    EXPECT_EQ(std::count(record.c_str(), record.c_str() + record.GetLength(), '`'), 9);
    const CCddbSite read = ParseFreedbOptions(record);
    EXPECT_EQ(read.m_strProxyHost, "proxy.example");
    EXPECT_EQ(read.m_strProxyPort, "8080");
    EXPECT_EQ(read.m_strProxyUser, "user");
    EXPECT_TRUE(read.m_strProxyPassword.IsEmpty()) << "the password is not kept in the record";
    EXPECT_EQ(read.m_bProxy, 1);
    EXPECT_EQ(ParseFreedbOptions("host`99999`").m_nPort, 80);
}

TEST_F(SearchSettingsDlgTest, FieldsGoThroughTheRegistryAndThePasswordIsProtected)
{
    Run({Do("type the proxy",
            [](HWND dialog) {
                EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_SEARCH_PROXY_HOST)));
                EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dialog, IDC_SEARCH_PROXY_PASSWORD), GWL_STYLE) &
                            ES_PASSWORD);
                ::CheckDlgButton(dialog, IDC_SEARCH_USE_PROXY, BST_CHECKED);
                Click(dialog, IDC_SEARCH_USE_PROXY);
                EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_SEARCH_PROXY_HOST)));
                ::SetDlgItemTextA(dialog, IDC_SEARCH_PROXY_HOST, "proxy.example`1`2");
                ::SetDlgItemTextA(dialog, IDC_SEARCH_PROXY_PORT, "3128");
                ::SetDlgItemTextA(dialog, IDC_SEARCH_PROXY_USER, "some`one");
                ::SetDlgItemTextA(dialog, IDC_SEARCH_PROXY_PASSWORD, kLongPassword.c_str());
                EXPECT_EQ(Field(dialog, IDC_SEARCH_PROXY_HOST), "proxy.example12") << "a backtick never stays";
                ::CheckDlgButton(dialog, IDC_SEARCH_USE_ID3, BST_UNCHECKED);
                Click(dialog, IDC_SEARCH_USE_ID3);
                Click(dialog, IDOK);
            })});
    const std::string record = StoredString("FreedbOptions");
    EXPECT_EQ(record, std::string(kDefaultCddbHost) +
                          "`80`/~cddb/cddb.cgi`Random freedb server`1`proxy.example12`3128`someone``");
    EXPECT_EQ(record.find('p' + std::string(20, 'p')), std::string::npos);
    EXPECT_EQ(std::string(LoadProxyPassword()), kLongPassword);
    const std::vector<BYTE> sealed = StoredBytes("ProxyPassword");
    ASSERT_FALSE(sealed.empty());
    EXPECT_EQ(std::search(sealed.begin(), sealed.end(), kLongPassword.begin(), kLongPassword.begin() + 20),
              sealed.end())
        << "the stored bytes are not the plain password";
    EXPECT_EQ(m_settings.m_bMp3Tag, 0);

    // Opened again, the dialog shows what was stored.
    std::string host, password;
    Run({Do("read back", [&](HWND dialog) {
        host = Field(dialog, IDC_SEARCH_PROXY_HOST);
        password = Field(dialog, IDC_SEARCH_PROXY_PASSWORD);
        EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_SEARCH_USE_PROXY), BST_CHECKED);
        EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_SEARCH_USE_ID3), BST_UNCHECKED);
        Click(dialog, IDCANCEL);
    })});
    EXPECT_EQ(host, "proxy.example12");
    EXPECT_EQ(password, kLongPassword);
}

TEST_F(SearchSettingsDlgTest, TheServerListComesFromTheSitesCommandOnce)
{
    int count = 0;
    Run({Do("ask for the list", [](HWND dialog) { Click(dialog, IDC_SEARCH_GET_SERVERS); }),
         WaitUntil("the list arrives",
                   [] {
                       HWND dialog = FindDialogWith(IDC_SEARCH_USE_ID3);
                       return dialog && ::SendDlgItemMessageA(dialog, IDC_SEARCH_SERVER, CB_GETCOUNT, 0, 0) == 2;
                   }),
         Do("choose the second",
            [&](HWND dialog) {
                count = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_SEARCH_SERVER, CB_GETCOUNT, 0, 0));
                Click(dialog, IDC_SEARCH_GET_SERVERS);  // once a run: no second request
                ::SendDlgItemMessageA(dialog, IDC_SEARCH_SERVER, CB_SETCURSEL, 1, 0);
                Click(dialog, IDOK);
            })});
    EXPECT_EQ(count, 2);
    EXPECT_EQ(m_server.Requests().size(), 1u);
    ASSERT_EQ(m_settings.m_serverList.size(), 2u);
    EXPECT_EQ(m_settings.m_cddbSite.m_strHost, "eu.example");
    EXPECT_EQ(m_settings.m_cddbSite.m_nPort, 8080);
    EXPECT_EQ(m_settings.m_cddbSite.m_strPath, "/cgi/cddb.cgi");
    EXPECT_EQ(StoredString("FreedbOptions"), "eu.example`8080`/cgi/cddb.cgi`A mirror down under`0`````");
}

TEST_F(SearchSettingsDlgTest, TheCurrentServerIsChosenInTheListWhateverItsDescriptionNowSays)
{
    // Chosen once from a list that described it otherwise.
    m_settings.m_cddbSite =
        ParseFreedbOptions("eu.example`8080`/cgi/cddb.cgi`Mirror in Sydney (old list)`0`````");
    const auto chosenLine = [](HWND dialog) {
        const LRESULT chosen = ::SendDlgItemMessageA(dialog, IDC_SEARCH_SERVER, CB_GETCURSEL, 0, 0);
        char line[256] = {};
        if (chosen >= 0)
            ::SendDlgItemMessageA(dialog, IDC_SEARCH_SERVER, CB_GETLBTEXT, static_cast<WPARAM>(chosen),
                                  reinterpret_cast<LPARAM>(line));
        return std::string(line);
    };
    std::string afterFetch;
    std::string reopened;
    Run({Do("ask for the list", [](HWND dialog) { Click(dialog, IDC_SEARCH_GET_SERVERS); }),
         WaitUntil("the list arrives",
                   [] {
                       HWND dialog = FindDialogWith(IDC_SEARCH_USE_ID3);
                       return dialog && ::SendDlgItemMessageA(dialog, IDC_SEARCH_SERVER, CB_GETCOUNT, 0, 0) == 2;
                   }),
         Do("press OK", [&](HWND dialog) {
             afterFetch = chosenLine(dialog);
             Click(dialog, IDOK);
         })});
    EXPECT_EQ(afterFetch, "eu.example - A mirror down under");
    EXPECT_EQ(StoredString("FreedbOptions"), "eu.example`8080`/cgi/cddb.cgi`A mirror down under`0`````");

    // Opened again with the list of this run and a description it does not give.
    m_settings.m_cddbSite.m_strDescription = "Described some other way";
    Run({Do("look", [&](HWND dialog) {
        reopened = chosenLine(dialog);
        Click(dialog, IDCANCEL);
    })});
    EXPECT_EQ(reopened, "eu.example - A mirror down under");
}

namespace {

template <class Control>
bool AttachedAs(HWND dialog, int id)
{
    return dynamic_cast<Control*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog, id))) != nullptr;
}

// A pixel of a control as the screen shows it.
COLORREF ShownPixel(HWND control, int x, int y)
{
    HDC dc = ::GetDC(control);
    const COLORREF pixel = ::GetPixel(dc, x, y) & 0xFFFFFF;
    ::ReleaseDC(control, dc);
    return pixel;
}

// What the dialog's own background is at a point of a control: the panel
// background tiled from the dialog's client origin.
COLORREF BackgroundPixel(HWND dialog, HWND control, int x, int y)
{
    RECT client{};
    ::GetClientRect(dialog, &client);
    POINT at{x, y};
    ::MapWindowPoints(control, dialog, &at, 1);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    TileAppBackground(memory, client);
    const COLORREF pixel = ::GetPixel(memory, at.x, at.y) & 0xFFFFFF;
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixel;
}

// A point of the control's client area that its text does not reach: the
// middle of its right edge.
POINT RightEdge(HWND control)
{
    RECT client{};
    ::GetClientRect(control, &client);
    return POINT{client.right - 2, client.bottom / 2};
}

void RepaintAll(HWND dialog)
{
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

// The dialog's frames, labels, checks and proxy fields are the program's own
// controls on the panel background. The proxy fields are grey while "Use Proxy
// Server" is off; ticked, they are white edits that the user tabs into (a
// click does not put the caret there) and types in, and OK keeps what was typed.
TEST_F(SearchSettingsDlgTest, ItsControlsSitOnThePanelAndTheProxyFieldsFollowTheCheck)
{
    const int frames[] = {IDC_SEARCH_FREEDB_GROUP, IDC_SEARCH_CDPLAYER_GROUP, IDC_SEARCH_MP3_GROUP};
    const int labels[] = {IDC_SEARCH_SERVER_LABEL,     IDC_SEARCH_PROXY_HOST_LABEL,     IDC_SEARCH_PROXY_PORT_LABEL,
                          IDC_SEARCH_PROXY_USER_LABEL, IDC_SEARCH_PROXY_PASSWORD_LABEL, IDC_SEARCH_CDPLAYER_LABEL};
    const int checks[] = {IDC_SEARCH_USE_PROXY, IDC_SEARCH_USE_ID3};
    const int proxyFields[] = {IDC_SEARCH_PROXY_HOST, IDC_SEARCH_PROXY_PORT, IDC_SEARCH_PROXY_USER,
                               IDC_SEARCH_PROXY_PASSWORD};
    const auto fieldPixel = [](HWND dialog, int id) {
        HWND field = ::GetDlgItem(dialog, id);
        const POINT at = RightEdge(field);
        return ShownPixel(field, at.x, at.y);
    };
    const auto focusIs = [](int id) {
        HWND dialog = FindDialogWith(IDC_SEARCH_USE_ID3);
        return dialog && ::GetFocus() == ::GetDlgItem(dialog, id);
    };
    auto tabPressed = std::chrono::steady_clock::now();
    const auto pressTab = [&](HWND dialog) {
        if (!dialog)
            return;
        HWND check = ::GetDlgItem(dialog, IDC_SEARCH_USE_PROXY);
        if (::GetFocus() != check) {
            ::SetForegroundWindow(dialog);
            ::SetFocus(check);
        }
        ::PostMessageA(check, WM_KEYDOWN, VK_TAB, 0x000F0001);
        ::PostMessageA(check, WM_KEYUP, VK_TAB, 0xC00F0001);
        tabPressed = std::chrono::steady_clock::now();
    };

    Run({Do("look at the controls",
            [&](HWND dialog) {
                for (int id : frames) {
                    SCOPED_TRACE(id);
                    EXPECT_TRUE(AttachedAs<CCaptionFrameButton>(dialog, id));
                    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, id))) << "only a frame";
                    LOGFONTA font{};
                    ::GetObjectA(reinterpret_cast<HFONT>(::SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0)),
                                 sizeof font, &font);
                    EXPECT_EQ(font.lfWeight, FW_BOLD);
                }
                for (int id : labels)
                    EXPECT_TRUE(AttachedAs<CPictureStatic>(dialog, id)) << id;
                for (int id : checks)
                    EXPECT_TRUE(AttachedAs<CTransparentButton>(dialog, id)) << id;
                for (int id : proxyFields) {
                    auto* field = dynamic_cast<CDisplayEdit*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog, id)));
                    ASSERT_NE(field, nullptr) << id;
                    EXPECT_EQ(field->m_nDisplayMode, 3);
                }

                RepaintAll(dialog);
                // Labels and checks show the dialog's background around their text.
                for (int id : {IDC_SEARCH_PROXY_HOST_LABEL, IDC_SEARCH_SERVER_LABEL, IDC_SEARCH_USE_PROXY,
                               IDC_SEARCH_USE_ID3}) {
                    HWND control = ::GetDlgItem(dialog, id);
                    const POINT at = RightEdge(control);
                    EXPECT_EQ(ShownPixel(control, at.x, at.y), BackgroundPixel(dialog, control, at.x, at.y)) << id;
                }
                for (int id : proxyFields)
                    EXPECT_EQ(fieldPixel(dialog, id), kPanelGrey) << "off: grey " << id;

                HWND check = ::GetDlgItem(dialog, IDC_SEARCH_USE_PROXY);
                ::SendMessageA(check, BM_CLICK, 0, 0);
                EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_SEARCH_USE_PROXY), BST_CHECKED);
                RepaintAll(dialog);
                for (int id : proxyFields) {
                    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, id)));
                    EXPECT_EQ(fieldPixel(dialog, id), ::GetSysColor(COLOR_WINDOW) & 0xFFFFFF) << "on: an edit " << id;
                }

                // A click leaves the caret where it was; Tab moves it on.
                ::SetFocus(check);
                HWND host = ::GetDlgItem(dialog, IDC_SEARCH_PROXY_HOST);
                ::SendMessageA(host, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                ::SendMessageA(host, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                EXPECT_EQ(::GetFocus(), check);
                pressTab(dialog);
            }),
         WaitUntil("the host field has the caret",
                   [&] {
                       if (focusIs(IDC_SEARCH_PROXY_HOST))
                           return true;
                       // Another test's window may have taken the activation
                       // while the Tab was on its way: give it back and press
                       // Tab again from the check.
                       if (std::chrono::steady_clock::now() - tabPressed > std::chrono::milliseconds(500))
                           pressTab(FindDialogWith(IDC_SEARCH_USE_ID3));
                       return false;
                   }),
         Do("type the host",
            [](HWND dialog) {
                HWND host = ::GetDlgItem(dialog, IDC_SEARCH_PROXY_HOST);
                for (char ch : std::string("cache.example"))
                    ::PostMessageA(host, WM_CHAR, static_cast<WPARAM>(ch), 1);
            }),
         WaitUntil("the host is typed",
                   [] {
                       HWND dialog = FindDialogWith(IDC_SEARCH_USE_ID3);
                       return dialog && Field(dialog, IDC_SEARCH_PROXY_HOST) == "cache.example";
                   }),
         Do("press OK", [](HWND dialog) { ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); })});
    EXPECT_EQ(m_settings.m_cddbSite.m_bProxy, 1);
    EXPECT_EQ(m_settings.m_cddbSite.m_strProxyHost, "cache.example");
    EXPECT_EQ(StoredString("FreedbOptions"),
              std::string(kDefaultCddbHost) + "`80`/~cddb/cddb.cgi`Random freedb server`1`cache.example````");
}

TEST(ServerListEntry, FoundByWhereTheServerIs)
{
    const auto site = [](const char* host, int port, const char* path, const char* description) {
        CCddbSite entry;
        entry.m_strHost = host;
        entry.m_nPort = port;
        entry.m_strPath = path;
        entry.m_strDescription = description;
        return entry;
    };
    const std::vector<CCddbSite> list = {site("a.example", 80, "/~cddb/cddb.cgi", "First"),
                                         site("b.example", 80, "/~cddb/cddb.cgi", "Second"),
                                         site("b.example", 8080, "/cgi/cddb.cgi", "Second, other port")};
    const struct {
        CCddbSite server;
        int entry;
    } cases[] = {{site("a.example", 80, "/~cddb/cddb.cgi", "First"), 0},
                 {site("A.EXAMPLE", 80, "/~cddb/cddb.cgi", "Renamed"), 0},
                 {site("b.example", 8080, "/cgi/cddb.cgi", "Other words"), 2},
                 {site("b.example", 81, "/x", "Moved"), 1},
                 {site("c.example", 80, "/~cddb/cddb.cgi", "First"), -1}};
    for (const auto& c : cases)
        EXPECT_EQ(ListEntryOfServer(list, c.server), c.entry) << c.server.m_strHost.c_str() << ":" << c.server.m_nPort;
}

TEST_F(SearchSettingsDlgTest, AFailedListAndAMissingPlayerFileAreSaid)
{
    m_server.AnswerRaw("HTTP/1.0 500 Internal Server Error\r\n\r\n");
    m_settings.m_bCDPlayer = 1;
    std::vector<std::string> messages;
    const auto answer = [&messages](const char* name) {
        return ScriptStep{name, [] { return FindDialogWith(IDC_MESSAGE_TEXT) != nullptr; }, [&messages] {
                              HWND box = FindDialogWith(IDC_MESSAGE_TEXT);
                              messages.push_back(WindowText(::GetDlgItem(box, IDC_MESSAGE_TEXT)));
                              Click(box, IDC_MESSAGE_BUTTON1);
                          }};
    };
    Run({Do("ask for the list", [](HWND dialog) { Click(dialog, IDC_SEARCH_GET_SERVERS); }), answer("no list"),
         Do("a missing file",
            [](HWND dialog) {
                ::SetDlgItemTextA(dialog, IDC_SEARCH_CDPLAYER_PATH, "no-such-folder\\cdplayer.ini");
                Click(dialog, IDOK);
            }),
         answer("no file")});
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Error: Could not connect to the Freedb server.");
    EXPECT_EQ(messages[1], "The selected CDPlayer file does not exist.");
    EXPECT_EQ(m_settings.m_bCDPlayer, 0);
    EXPECT_EQ(StoredString("CDPlayerPath"), "no-such-folder\\cdplayer.ini");
    EXPECT_EQ(m_settings.m_cddbSite.m_strHost, kDefaultCddbHost) << "without a list the server stays";
}

TEST_F(SearchSettingsDlgTest, F1AndTheCaptionsHelpButtonOpenTheHelpAtAlbumInformation)
{
    const auto calls = RecordHelpCalls(m_app.Help());
    std::vector<ScriptStep> steps = AskForHelp(IDC_SEARCH_USE_ID3, [calls] { return calls->size(); });
    steps.push_back(Do("cancel", [](HWND dialog) { Click(dialog, IDCANCEL); }));
    Run(std::move(steps));
    EXPECT_EQ(*calls, (HelpCalls{HelpFileAt(kHelpAlbumInformation), HelpFileAt(kHelpAlbumInformation)}));
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST(ServerListFetch, FetchesTheSitesOnItsWorker)
{
    WinsockSession winsock;
    CddbTestServer server;
    CServerListFetch fetch;
    ASSERT_TRUE(fetch.Start("127.0.0.1", server.Port(), kDefaultCddbPath, 5000));
    ASSERT_TRUE(fetch.Wait(10000));
    EXPECT_EQ(fetch.GetStatus(), kServerListFetched);
    EXPECT_EQ(fetch.GetSites().size(), 2u);

    // A server that does not answer: stopped, the worker ends at once.
    server.StallAfter(1, 20000);
    ASSERT_TRUE(fetch.Start("127.0.0.1", server.Port(), kDefaultCddbPath, 20000));
    ::Sleep(200);
    fetch.Stop();
    EXPECT_TRUE(fetch.Wait(2000));
    EXPECT_NE(fetch.GetStatus(), kServerListFetched);
}
