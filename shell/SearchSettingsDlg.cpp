#include "shell/SearchSettingsDlg.h"

#include "album/FreedbOptions.h"
#include "framework/ErrorReport.h"
#include "framework/ProgramFolder.h"
#include "framework/ProgramHelp.h"
#include "framework/SettingsKey.h"
#include "framework/WindowTexts.h"
#include "resource.h"
#include "shell/AppMessageDlg.h"
#include "uikit/PanelBackground.h"
#include "uikit/UserInterfaceFont.h"

#include <commdlg.h>

#include <fstream>
#include <iterator>
#include <tuple>

IMPLEMENT_DYNAMIC(CSearchSettingsDlg, CNewDialog)

BEGIN_COMMAND_MAP(CSearchSettingsDlg, CNewDialog)
    ON_CMD(IDC_SEARCH_USE_PROXY, OnUseProxy)
    ON_CMD(IDC_SEARCH_BROWSE, OnBrowseCdPlayer)
    ON_CMD(IDC_SEARCH_GET_SERVERS, OnGetServerList)
    ON_CMD(IDC_SEARCH_USE_ID3, OnUseId3Tag)
    ON_CTL(EN_UPDATE, IDC_SEARCH_PROXY_HOST, OnFieldChanged)
    ON_CTL(EN_UPDATE, IDC_SEARCH_PROXY_PORT, OnFieldChanged)
    ON_CTL(EN_UPDATE, IDC_SEARCH_PROXY_USER, OnFieldChanged)
    ON_CTL(EN_UPDATE, IDC_SEARCH_PROXY_PASSWORD, OnFieldChanged)
    ON_CTL(EN_UPDATE, IDC_SEARCH_CDPLAYER_PATH, OnFieldChanged)
END_COMMAND_MAP()

namespace {

constexpr int kMaxCaptionWidth = 310;
constexpr int kListTimeoutMilliseconds = 20000;
constexpr const char kFetchingTitle[] = " Retrieving Freedb Server List ";
constexpr UINT kProxyFields[] = {IDC_SEARCH_PROXY_HOST, IDC_SEARCH_PROXY_PORT, IDC_SEARCH_PROXY_USER,
                                 IDC_SEARCH_PROXY_PASSWORD};
constexpr UINT kFrames[] = {IDC_SEARCH_FREEDB_GROUP, IDC_SEARCH_CDPLAYER_GROUP, IDC_SEARCH_MP3_GROUP};
constexpr UINT kLabels[] = {IDC_SEARCH_SERVER_LABEL,        IDC_SEARCH_PROXY_HOST_LABEL, IDC_SEARCH_PROXY_PORT_LABEL,
                            IDC_SEARCH_PROXY_USER_LABEL,    IDC_SEARCH_PROXY_PASSWORD_LABEL,
                            IDC_SEARCH_CDPLAYER_LABEL};
// Normal edits while the proxy is on, panel grey while it is off.
constexpr int kProxyFieldDisplayMode = 3;
constexpr UINT kTextFields[] = {IDC_SEARCH_PROXY_HOST, IDC_SEARCH_PROXY_PORT, IDC_SEARCH_PROXY_USER,
                                IDC_SEARCH_PROXY_PASSWORD, IDC_SEARCH_CDPLAYER_PATH};

bool FileOpens(const CString& path)
{
    return !path.IsEmpty() && std::ifstream(path.c_str()).is_open();
}

bool FolderExists(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int ListEntryOfServer(const std::vector<CCddbSite>& list, const CCddbSite& server)
{
    // A server is known by where it is; its description may have changed
    // since it was chosen. The same host, port and path first, else the host.
    const auto sameHost = [&](const CCddbSite& entry) { return entry.m_strHost.CompareNoCase(server.m_strHost) == 0; };
    for (size_t i = 0; i < list.size(); ++i) {
        if (sameHost(list[i]) && list[i].m_nPort == server.m_nPort && list[i].m_strPath == server.m_strPath)
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (sameHost(list[i]))
            return static_cast<int>(i);
    }
    return -1;
}

CSearchSettingsDlg::CSearchSettingsDlg(CWnd* parent, CAppSettings& settings)
    : CNewDialog(IDD_SEARCH_SETTINGS, parent), m_settings(settings), m_strListHost(kDefaultCddbHost)
{
}

CSearchSettingsDlg::~CSearchSettingsDlg() = default;

CString CSearchSettingsDlg::ServerLine(const CCddbSite& site) const
{
    return site.m_strHost + " - " + site.m_strDescription;
}

BOOL CSearchSettingsDlg::OnInitDialog()
{
    CNewDialog::OnInitDialog();
    return Guarded(405, ErrorSink::App(), FALSE, [&]() -> BOOL {
        m_windowIcon.Apply(*this);
        LOGFONTA bold{};
        ::GetObjectA(UserInterfaceFont(false), sizeof bold, &bold);
        bold.lfWeight = FW_BOLD;
        m_boldFont.CreateFontIndirect(bold);
        static_assert(std::size(kFrames) == std::tuple_size_v<decltype(m_frames)>);
        static_assert(std::size(kLabels) == std::tuple_size_v<decltype(m_labels)>);
        static_assert(std::size(kProxyFields) == std::tuple_size_v<decltype(m_proxyFields)>);
        for (size_t i = 0; i < m_frames.size(); ++i) {
            m_frames[i].SubclassDlgItem(static_cast<int>(kFrames[i]), this);
            m_frames[i].SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_boldFont.Get()), FALSE);
        }
        for (size_t i = 0; i < m_labels.size(); ++i)
            m_labels[i].SubclassDlgItem(static_cast<int>(kLabels[i]), this);
        m_useProxy.SubclassDlgItem(IDC_SEARCH_USE_PROXY, this);
        m_useId3.SubclassDlgItem(IDC_SEARCH_USE_ID3, this);
        for (size_t i = 0; i < m_proxyFields.size(); ++i) {
            m_proxyFields[i].SubclassDlgItem(static_cast<int>(kProxyFields[i]), this);
            m_proxyFields[i].m_nDisplayMode = kProxyFieldDisplayMode;
        }
        m_ok.SubclassDlgItem(IDOK, this);
        m_cancel.SubclassDlgItem(IDCANCEL, this);
        m_getServers.SubclassDlgItem(IDC_SEARCH_GET_SERVERS, this);
        m_browse.SubclassDlgItem(IDC_SEARCH_BROWSE, this);
        for (CBevelButton* button : {&m_ok, &m_cancel, &m_getServers, &m_browse})
            button->BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_servers.SubclassDlgItem(IDC_SEARCH_SERVER, this);

        const CCddbSite& site = m_settings.m_cddbSite;
        CheckDlgButton(IDC_SEARCH_USE_PROXY, site.m_bProxy ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_SEARCH_USE_ID3, m_settings.m_bMp3Tag ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemText(IDC_SEARCH_PROXY_HOST, site.m_strProxyHost);
        SetDlgItemText(IDC_SEARCH_PROXY_PORT, site.m_strProxyPort);
        SetDlgItemText(IDC_SEARCH_PROXY_USER, site.m_strProxyUser);
        SetDlgItemText(IDC_SEARCH_PROXY_PASSWORD,
                       site.m_strProxyPassword.IsEmpty() ? LoadProxyPassword() : site.m_strProxyPassword);
        FillServers();
        OnUseProxy();
        SetDlgItemText(IDC_SEARCH_CDPLAYER_PATH, m_settings.m_strCDPlayerPath);
        m_getServers.SetFocus();
        return FALSE;
    });
}

void CSearchSettingsDlg::FillServers()
{
    m_servers.ResetContent();
    const CString current = ServerLine(m_settings.m_cddbSite);
    if (m_settings.m_serverList.empty()) {
        m_servers.AddString(current);
        m_servers.SetCurSel(0);
        return;
    }
    for (const CCddbSite& site : m_settings.m_serverList)
        m_servers.AddString(ServerLine(site));
    const int entry = ListEntryOfServer(m_settings.m_serverList, m_settings.m_cddbSite);
    m_servers.SetCurSel(entry);
    if (entry < 0)
        m_servers.SetWindowText(current);  // a server the list no longer names stays shown
}

void CSearchSettingsDlg::OnUseProxy()
{
    Guarded(412, ErrorSink::App(), [&] {
        const bool on = IsDlgButtonChecked(IDC_SEARCH_USE_PROXY) == BST_CHECKED;
        for (UINT id : kProxyFields)
            ::EnableWindow(GetDlgItemHandle(static_cast<int>(id)), on);
    });
}

void CSearchSettingsDlg::OnUseId3Tag()
{
    Guarded(419, ErrorSink::App(), [&] {
        m_settings.m_bMp3Tag = IsDlgButtonChecked(IDC_SEARCH_USE_ID3) == BST_CHECKED ? 1 : 0;
        StoreSettingValue("Number", "bMp3Tag", m_settings.m_bMp3Tag ? "1" : "0");
    });
}

void CSearchSettingsDlg::OnFieldChanged()
{
    // A backtick separates the fields of the stored record: none gets in.
    const MSG* message = GetCurrentMessage();
    const HWND field = message ? reinterpret_cast<HWND>(message->lParam) : nullptr;
    if (!field)
        return;
    const CString typed = WindowTextOf(field);
    if (typed.Find('`') < 0)
        return;
    DWORD caret = 0;
    ::SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    const CString clean = FreedbOptionsField(typed);
    ::SetWindowTextA(field, clean);
    const DWORD at = std::min<DWORD>(caret, static_cast<DWORD>(clean.GetLength()));
    ::SendMessageA(field, EM_SETSEL, at, at);
}

void CSearchSettingsDlg::OnBrowseCdPlayer()
{
    Guarded(413, ErrorSink::App(), [&] {
        CString folder;
        const CString& current = m_settings.m_strCDPlayerPath;
        if (FileOpens(current)) {
            folder = current.Left(current.ReverseFind('\\') + 1);
        } else {
            const CString program = ProgramFolder();
            if (FolderExists(program.Left(2) + "\\Windows\\"))
                folder = program.Left(2) + "\\Windows\\";
            else if (FolderExists(program.Left(2) + "\\WINNT\\"))
                folder = program.Left(2) + "\\WINNT\\";
            else
                folder = program.Left(3);
        }
        char path[MAX_PATH] = {};
        OPENFILENAMEA open{};
        open.lStructSize = sizeof open;
        open.hwndOwner = m_hWnd;
        open.lpstrFilter = "CDPlayer Files (*.ini)\0*.ini\0All Files (*.*)\0*.*\0\0";
        open.lpstrFile = path;
        open.nMaxFile = MAX_PATH;
        open.lpstrInitialDir = folder;
        open.lpstrTitle = "CDPlayer File";
        open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        if (!::GetOpenFileNameA(&open))
            return;
        m_settings.m_strCDPlayerPath = FreedbOptionsField(path);
        StoreSettingValue("String", "CDPlayerPath", m_settings.m_strCDPlayerPath);
        SetDlgItemText(IDC_SEARCH_CDPLAYER_PATH, m_settings.m_strCDPlayerPath);
    });
}

void CSearchSettingsDlg::OnGetServerList()
{
    Guarded(414, ErrorSink::App(), [&] {
        // Fetched once a run.
        if (!m_settings.m_serverList.empty() || m_bFetching)
            return;
        m_strDots.Empty();
        SetWindowText(kFetchingTitle);
        if (!m_fetch.Start(m_strListHost, m_nListPort, kDefaultCddbPath, kListTimeoutMilliseconds))
            return;
        m_bFetching = true;
        SetTimer(kServerListTimer, 100);
    });
}

void CSearchSettingsDlg::OnTimer(UINT_PTR id)
{
    if (id != kServerListTimer) {
        CNewDialog::OnTimer(id);
        return;
    }
    Guarded(415, ErrorSink::App(), [&] {
        const int status = m_fetch.GetStatus();
        if (status == kServerListRunning) {
            ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
            m_strDots += ".";
            CString caption = CString(kFetchingTitle) + m_strDots;
            CClientDC dc(m_hWnd);
            CSelectGuard font(dc, m_boldFont.Get());
            SIZE size{};
            ::GetTextExtentPoint32A(dc, caption, caption.GetLength(), &size);
            if (size.cx > kMaxCaptionWidth)
                m_strDots.Empty();
            SetWindowText(caption);
            return;
        }
        KillTimer(kServerListTimer);
        m_bFetching = false;
        SetWindowText(" Search Settings");
        if (status == kServerListFetched) {
            m_settings.m_serverList = m_fetch.GetSites();
            FillServers();
        } else {
            CAppMessageDlg::Show("Error: Could not connect to the Freedb server.", CAppMessageDlg::kIconStop, "OK`");
        }
    });
}

void CSearchSettingsDlg::OnOK()
{
    Guarded(411, ErrorSink::App(), [&] {
        CString path;
        GetDlgItemText(IDC_SEARCH_CDPLAYER_PATH, path);
        path = FreedbOptionsField(path);
        if (path != m_settings.m_strCDPlayerPath) {
            StoreSettingValue("String", "CDPlayerPath", path);
            m_settings.m_strCDPlayerPath = path;
        }
        if (m_settings.m_bCDPlayer && !FileOpens(path)) {
            CAppMessageDlg::Show("The selected CDPlayer file does not exist.", CAppMessageDlg::kIconExclamation,
                                 "OK`");
            m_settings.m_bCDPlayer = 0;
            StoreSettingValue("Number", "bCDPlayer", "0");
            m_bCdPlayerSwitchedOff = true;
        }

        CCddbSite& site = m_settings.m_cddbSite;
        // Only an entry of the list may become the server; typed text keeps the one there is.
        const int chosen = m_servers.GetCurSel();
        if (chosen >= 0 && chosen < static_cast<int>(m_settings.m_serverList.size())) {
            const CCddbSite& entry = m_settings.m_serverList[static_cast<size_t>(chosen)];
            site.m_strHost = entry.m_strHost;
            site.m_nPort = entry.m_nPort;
            site.m_strPath = entry.m_strPath;
            site.m_strDescription = entry.m_strDescription;
        }
        site.m_bProxy = IsDlgButtonChecked(IDC_SEARCH_USE_PROXY) == BST_CHECKED ? 1 : 0;
        const auto fieldText = [&](UINT id) {
            CString text;
            GetDlgItemText(static_cast<int>(id), text);
            return FreedbOptionsField(text);
        };
        site.m_strProxyHost = fieldText(IDC_SEARCH_PROXY_HOST);
        site.m_strProxyPort = fieldText(IDC_SEARCH_PROXY_PORT);
        site.m_strProxyUser = fieldText(IDC_SEARCH_PROXY_USER);
        site.m_strProxyPassword = fieldText(IDC_SEARCH_PROXY_PASSWORD);
        StoreProxyPassword(site.m_strProxyPassword);

        m_settings.m_strFreedbOptions = MakeFreedbOptions(site);
        StoreSettingValue("String", "FreedbOptions", m_settings.m_strFreedbOptions);
        EndDialog(IDOK);
    });
}

BOOL CSearchSettingsDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(410, ErrorSink::App(), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

BOOL CSearchSettingsDlg::PreTranslateMessage(MSG* msg)
{
    // F1 or the caption's help button: the help's page on album information.
    if (Guarded(416, ErrorSink::App(), false,
                [&] { return AnswerHelpRequest(*msg, m_hWnd, kHelpAlbumInformation); }))
        return TRUE;
    return CNewDialog::PreTranslateMessage(msg);
}

void CSearchSettingsDlg::OnDestroy()
{
    Guarded(498, ErrorSink::App(), [&] {
        m_fetch.Stop();
        KillTimer(kServerListTimer);
        m_windowIcon.Release(*this);
    });
    CNewDialog::OnDestroy();
}
