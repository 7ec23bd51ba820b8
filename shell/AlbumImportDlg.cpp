#include "shell/AlbumImportDlg.h"

#include "album/FreedbOptions.h"
#include "framework/ErrorReport.h"
#include "framework/ProgramFolder.h"
#include "framework/ProgramHelp.h"
#include "framework/SettingsKey.h"
#include "framework/WaitCursor.h"
#include "resource.h"
#include "shell/AppMessageDlg.h"
#include "shell/DiscChoiceDlg.h"
#include "shell/SearchSettingsDlg.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"
#include "uikit/UserInterfaceFont.h"

#include <fstream>

IMPLEMENT_DYNAMIC(CAlbumImportDlg, CNewDialog)

BEGIN_COMMAND_MAP(CAlbumImportDlg, CNewDialog)
    ON_CTL(LBN_SELCHANGE, IDC_ALBUM_MATCHES, OnSelChangeMatch)
    ON_CTL(LBN_DBLCLK, IDC_ALBUM_MATCHES, OnDoubleClickMatch)
    ON_CMD(IDC_ALBUM_USE_FREEDB, OnUseOnlineDatabase)
    ON_CMD(IDC_ALBUM_USE_CDTEXT, OnUseCdText)
    ON_CMD(IDC_ALBUM_USE_CDPLAYER, OnUseCdPlayerIni)
    ON_CMD(IDC_ALBUM_USE_MP3, OnUseMp3)
    ON_CMD(IDC_ALBUM_TIMES_ONLY, OnTimesOnly)
    ON_CMD(IDC_ALBUM_ADVANCED, OnAdvancedSettings)
    ON_CMD(IDC_ALBUM_ROW_UP, OnMoveRowUp)
    ON_CMD(IDC_ALBUM_ROW_DOWN, OnMoveRowDown)
END_COMMAND_MAP()

namespace {

constexpr int kDriveIcon = 2;
constexpr int kNothingFoundIcon = 3;
constexpr int kMaxCaptionWidth = 325;
// Pictures of the program's image list on the MP3 phase's buttons.
constexpr int kRowUpImage = 16;
constexpr int kRowDownImage = 17;
constexpr int kSortImage = 19;
constexpr const char kNothingFound[] = "The album information could not be found.\r\nThe track times will still be added.";
constexpr UINT kSourceChecks[] = {IDC_ALBUM_USE_FREEDB, IDC_ALBUM_USE_CDTEXT, IDC_ALBUM_USE_CDPLAYER,
                                  IDC_ALBUM_USE_MP3};

bool FileOpens(const CString& path)
{
    return !path.IsEmpty() && std::ifstream(path.c_str()).is_open();
}

CString TrimmedTitle(const std::string& text)
{
    CString title = text;
    title.Replace('`', '\'');
    title.Trim();
    return title;
}

}  // namespace

CAlbumImportDlg::CAlbumImportDlg(CWnd* parent, int mode, IAlbumLabel& label, CAppSettings& settings,
                                 std::vector<CString> driveNames)
    : CNewDialog(IDD_ALBUM_IMPORT, parent),
      m_nMode(mode),
      m_label(label),
      m_settings(settings),
      m_driveNames(std::move(driveNames))
{
}

CAlbumImportDlg::~CAlbumImportDlg() = default;

void CAlbumImportDlg::SetSearchSources(CAlbumSearch::ReaderFactory readers, std::shared_ptr<IMp3FileFinder> finder)
{
    m_search = std::make_unique<CAlbumSearch>(std::move(readers), std::move(finder));
}

BOOL CAlbumImportDlg::OnInitDialog()
{
    CNewDialog::OnInitDialog();
    return Guarded(357, ErrorSink::App(), FALSE, [&]() -> BOOL {
        m_windowIcon.Apply(*this);
        LOGFONTA bold{};
        ::GetObjectA(UserInterfaceFont(false), sizeof bold, &bold);
        bold.lfWeight = FW_BOLD;
        m_boldFont.CreateFontIndirect(bold);
        for (UINT id : {IDC_ALBUM_PROMPT, IDC_ALBUM_PREVIEW_LABEL, IDC_ALBUM_SOURCES})
            ::SendMessageA(GetDlgItemHandle(static_cast<int>(id)), WM_SETFONT,
                           reinterpret_cast<WPARAM>(m_boldFont.Get()), FALSE);

        m_ok.SubclassDlgItem(IDOK, this);
        m_cancel.SubclassDlgItem(IDCANCEL, this);
        m_advanced.SubclassDlgItem(IDC_ALBUM_ADVANCED, this);
        m_rowUp.SubclassDlgItem(IDC_ALBUM_ROW_UP, this);
        m_rowDown.SubclassDlgItem(IDC_ALBUM_ROW_DOWN, this);
        for (CBevelButton* button : {&m_ok, &m_cancel, &m_advanced, &m_rowUp, &m_rowDown})
            button->BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_matches.SubclassDlgItem(IDC_ALBUM_MATCHES, this);
        if (const CUiResources* resources = UiResources())
            m_matches.SetImageList(const_cast<CImageList*>(&resources->MenuImages()));
        m_preview.SubclassDlgItem(IDC_ALBUM_PREVIEW, this);

        SetWindowText(" Read CD");
        SetDlgItemText(IDC_ALBUM_PROMPT, "Select the CD-Rom drive.");
        for (const CString& drive : m_driveNames)
            m_matches.AddItem("Drive [" + drive + "]", kDriveIcon);
        if (m_settings.m_nSelectedDrive < 0 || m_settings.m_nSelectedDrive >= static_cast<int>(m_driveNames.size()))
            m_settings.m_nSelectedDrive = 0;
        m_matches.SetCurSel(m_settings.m_nSelectedDrive);

        ChooseCdPlayerFile();
        CheckDlgButton(IDC_ALBUM_USE_FREEDB, m_settings.m_bFreedb ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_ALBUM_USE_CDTEXT, m_settings.m_bCDText ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_ALBUM_USE_CDPLAYER, m_settings.m_bCDPlayer ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_ALBUM_USE_MP3, m_settings.m_bMp3 ? BST_CHECKED : BST_UNCHECKED);
        m_ok.SetFocus();
        return FALSE;
    });
}

void CAlbumImportDlg::ChooseCdPlayerFile()
{
    if (m_settings.m_strCDPlayerPath.IsEmpty()) {
        // The CD player of older systems keeps its file in the system folder.
        const CString folder = ProgramFolder();
        const CString candidates[] = {folder.Left(2) + "\\Windows\\cdplayer.ini",
                                      folder.Left(3) + "WINNT\\cdplayer.ini"};
        for (const CString& path : candidates) {
            if (FileOpens(path)) {
                m_settings.m_strCDPlayerPath = path;
                StoreSettingValue("String", "CDPlayerPath", path);
                break;
            }
        }
    }
    m_bCdPlayerUsable = FileOpens(m_settings.m_strCDPlayerPath);
    if (m_settings.m_bCDPlayer && !m_bCdPlayerUsable) {
        m_settings.m_bCDPlayer = 0;
        StoreSettingValue("Number", "bCDPlayer", "0");
    }
}

AlbumSearchSettings CAlbumImportDlg::MakeSearchSettings() const
{
    AlbumSearchSettings search;
    search.drive = m_settings.m_nSelectedDrive;
    search.useOnlineDatabase = m_settings.m_bFreedb != 0;
    search.useCdText = m_settings.m_bCDText != 0;
    search.useCdPlayer = m_settings.m_bCDPlayer != 0 && m_bCdPlayerUsable;
    search.useMp3 = m_settings.m_bMp3 != 0;
    search.cdPlayerPath = m_settings.m_strCDPlayerPath;
    search.site = m_settings.m_cddbSite;
    if (search.site.m_strProxyPassword.IsEmpty())
        search.site.m_strProxyPassword = LoadProxyPassword();
    search.timeoutMilliseconds = m_nNetworkTimeout;
    return search;
}

void CAlbumImportDlg::ShowControl(UINT id, bool show)
{
    ::ShowWindow(GetDlgItemHandle(static_cast<int>(id)), show ? SW_SHOW : SW_HIDE);
}

void CAlbumImportDlg::EnableControl(UINT id, bool enable)
{
    ::EnableWindow(GetDlgItemHandle(static_cast<int>(id)), enable);
}

void CAlbumImportDlg::OnOK()
{
    Guarded(361, ErrorSink::App(), [&] {
        switch (m_nPhase) {
        case kChooseDrive:
            if (!m_bSearching)
                StartSearch();
            break;
        case kChooseMatch: {
            const bool timesOnly = IsDlgButtonChecked(IDC_ALBUM_TIMES_ONLY) == BST_CHECKED;
            const bool haveMatch = m_nChosenMatch >= 0 && m_nChosenMatch < GetCandidateCount();
            ApplyToDocument(haveMatch && !timesOnly ? m_candidates[static_cast<size_t>(m_nChosenMatch)].get()
                                                    : nullptr);
            break;
        }
        case kMp3List:
            if (!m_bSearching)
                ApplyMp3List();
            break;
        }
    });
}

void CAlbumImportDlg::OnCancel()
{
    // The search stops at its next check; it holds nothing of this dialog.
    m_search->Stop();
    KillTimer(kSearchTimer);
    EndDialog(IDCANCEL);
}

void CAlbumImportDlg::StartSearch()
{
    EnableControl(IDC_ALBUM_MATCHES, false);
    ShowControl(IDOK, false);
    ShowControl(IDC_ALBUM_ADVANCED, false);
    for (UINT id : kSourceChecks)
        EnableControl(id, false);
    EnableControl(IDC_ALBUM_NOTE, false);
    m_strDots.Empty();
    m_strLastStatus = kSearchScanningCd;
    SetWindowText(kSearchScanningCd);
    m_candidates.clear();
    m_nTagRowsFilled = m_nTimeRowsFilled = 0;
    if (!m_search->Start(MakeSearchSettings())) {
        BackToStart();
        return;
    }
    m_bSearching = true;
    SetTimer(kSearchTimer, kSearchPollMilliseconds);
}

void CAlbumImportDlg::BackToStart()
{
    m_search->Stop();
    m_bSearching = false;
    EnableControl(IDC_ALBUM_MATCHES, true);
    ShowControl(IDOK, true);
    ShowControl(IDC_ALBUM_ADVANCED, true);
    for (UINT id : kSourceChecks)
        EnableControl(id, true);
    EnableControl(IDC_ALBUM_NOTE, true);
    SetWindowText(" Read CD");
}

void CAlbumImportDlg::OnTimer(UINT_PTR id)
{
    if (id != kSearchTimer) {
        CNewDialog::OnTimer(id);
        return;
    }
    Guarded(362, ErrorSink::App(), [&] { PollSearch(); });
}

void CAlbumImportDlg::ShowCaptionWithDots(const CString& statusText)
{
    if (statusText != m_strLastStatus) {
        m_strDots.Empty();
        m_strLastStatus = statusText;
    }
    m_strDots += ".";
    CString caption = statusText + m_strDots;
    CClientDC dc(m_hWnd);
    CSelectGuard font(dc, m_boldFont.Get());
    SIZE size{};
    ::GetTextExtentPoint32A(dc, caption, caption.GetLength(), &size);
    if (size.cx > kMaxCaptionWidth) {
        m_strDots.Empty();
        caption = statusText;
    }
    SetWindowText(caption);
}

void CAlbumImportDlg::PollSearch()
{
    const AlbumSearchProgress progress = m_search->GetProgress();
    if (m_nPhase != kMp3List && !progress.mp3Names.empty())
        ShowMp3Phase(progress);
    if (m_nPhase == kMp3List)
        FillMp3Rows(progress);
    if (progress.status == kAlbumSearchRunning) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        ShowCaptionWithDots(progress.statusText);
        return;
    }
    KillTimer(kSearchTimer);
    m_bSearching = false;
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    if (m_nPhase == kMp3List)
        FinishMp3Phase();
    else
        HandleResult(progress);
    if (!progress.errorText.IsEmpty() && m_hWnd)
        CAppMessageDlg::Show(progress.errorText, CAppMessageDlg::kIconStop, "OK`");
}

void CAlbumImportDlg::HandleResult(const AlbumSearchProgress& progress)
{
    Guarded(366, ErrorSink::App(), [&] {
        switch (progress.status) {
        case kAlbumSearchAudioDone:
            m_candidates = m_search->TakeCandidates();
            m_toc = m_search->GetToc();
            if (m_settings.m_bFreedb || m_settings.m_bCDText || m_settings.m_bCDPlayer) {
                ShowMatches();
                m_nPhase = kChooseMatch;
            } else {
                ApplyToDocument(nullptr);
            }
            break;
        case kAlbumSearchNoMusic:
            CAppMessageDlg::Show("The CD does not contain any music tracks.", CAppMessageDlg::kIconStop, "OK`");
            m_search->Stop();
            EndDialog(IDCANCEL);
            break;
        case kAlbumSearchNoDisc:
            if (CAppMessageDlg::Show("The CD-ROM drive is not ready.", CAppMessageDlg::kIconStop, "Retry`Cancel`") ==
                1) {
                StartSearch();
            } else {
                BackToStart();
            }
            break;
        default:
            BackToStart();
            break;
        }
    });
}

void CAlbumImportDlg::ShowMatches()
{
    Guarded(364, ErrorSink::App(), [&] {
        const int count = GetCandidateCount();
        CString caption;
        if (count >= 2)
            caption.Format(" Found %d matches", count);
        else if (count == 1)
            caption = " Found 1 match";
        else
            caption = " No matches were found";
        SetWindowText(caption);
        ShowControl(IDC_ALBUM_SOURCES, false);
        for (UINT id : kSourceChecks)
            ShowControl(id, false);
        ShowControl(IDC_ALBUM_NOTE, false);
        ShowControl(IDOK, true);
        m_matches.ResetContent();
        EnableControl(IDC_ALBUM_MATCHES, true);
        if (count > 0) {
            RECT list{}, preview{};
            m_matches.GetWindowRect(&list);
            m_preview.GetWindowRect(&preview);
            ScreenToClient(&list);
            ScreenToClient(&preview);
            m_matches.MoveWindow(list.left, list.top, preview.left - 2 - list.left, list.bottom - list.top);
            ShowControl(IDC_ALBUM_PREVIEW, true);
            ShowControl(IDC_ALBUM_PREVIEW_LABEL, true);
            ShowControl(IDC_ALBUM_TIMES_ONLY, true);
            SetDlgItemText(IDC_ALBUM_PROMPT, "Match:");
            ShowControl(IDC_ALBUM_PROMPT, true);
            m_preview.InsertColumn(0, "", LVCFMT_LEFT, 2);
            m_preview.InsertColumn(1, "", LVCFMT_LEFT, 58);
            m_preview.InsertColumn(2, "", LVCFMT_LEFT, 100);
            for (int i = 0; i < count; ++i) {
                CString item;
                item.Format(" %d. [%s]", i + 1, m_candidates[static_cast<size_t>(i)]->m_strLabel.c_str());
                m_matches.AddItem(item, kDriveIcon);
            }
            m_nChosenMatch = 0;
            m_matches.SetCurSel(0);
            FillPreview();
        } else {
            m_matches.AddItem(kNothingFound, kNothingFoundIcon);
            m_matches.SetCurSel(0);
            ShowControl(IDC_ALBUM_PROMPT, false);
            ShowControl(IDC_ALBUM_PREVIEW_LABEL, false);
        }
    });
}

void CAlbumImportDlg::FillPreview()
{
    Guarded(365, ErrorSink::App(), [&] {
        m_preview.DeleteAllItems();
        if (!m_preview.IsWindowEnabled() || m_nChosenMatch < 0 || m_nChosenMatch >= GetCandidateCount()) {
            m_preview.SetColumnWidth(1, 0);
            m_preview.SetColumnWidth(2, 0);
            return;
        }
        const CCddbDiscInfo& candidate = *m_candidates[static_cast<size_t>(m_nChosenMatch)];
        std::vector<std::pair<CString, CString>> rows = {
            {"Artist:", TrimmedTitle(candidate.m_strArtist)},
            {"Title:", TrimmedTitle(candidate.m_strTitle)},
            {"Year:", candidate.m_nYear ? CString(std::to_string(candidate.m_nYear)) : CString()},
            {"Genre:", TrimmedTitle(candidate.m_strGenre)},
        };
        for (size_t track = 0; track < candidate.m_trackTitles.size(); ++track) {
            CString label;
            label.Format("Track %d:", static_cast<int>(track) + 1);
            rows.emplace_back(label, TrimmedTitle(candidate.m_trackTitles[track]));
        }
        CClientDC dc(m_preview.GetSafeHwnd());
        CSelectGuard font(dc, m_preview.GetFont());
        int widest = 0;
        for (size_t row = 0; row < rows.size(); ++row) {
            const int item = m_preview.InsertItem(static_cast<int>(row), "");
            m_preview.SetItemText(item, 1, rows[row].first);
            m_preview.SetItemText(item, 2, rows[row].second);
            SIZE size{};
            ::GetTextExtentPoint32A(dc, rows[row].second, rows[row].second.GetLength(), &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
        SIZE label{};
        ::GetTextExtentPoint32A(dc, "Track 88:", 9, &label);
        m_preview.SetColumnWidth(1, label.cx + 14);
        m_preview.SetColumnWidth(2, widest + 15);
    });
}

void CAlbumImportDlg::OnSelChangeMatch()
{
    Guarded(360, ErrorSink::App(), [&] {
        const int selected = m_matches.GetCurSel();
        if (m_nPhase == kChooseDrive) {
            if (selected >= 0)
                m_settings.m_nSelectedDrive = selected;
        } else if (m_nPhase == kChooseMatch && GetCandidateCount() > 0 && selected >= 0) {
            m_nChosenMatch = selected;
            // The preview keeps its place: the rows scrolled past stay scrolled past.
            const int top = m_preview.GetTopIndex();
            FillPreview();
            m_preview.ScrollToTop(top);
        }
    });
}

void CAlbumImportDlg::OnDoubleClickMatch()
{
    OnOK();
}

bool CAlbumImportDlg::ChooseDisc(const char* prompt, CString& suffix)
{
    if (!m_label.IsDoubleLayout()) {
        suffix = DiscSuffix(false, 1);
        return true;
    }
    CDiscChoiceDlg chooser(prompt, this);
    const INT_PTR disc = chooser.DoModal();
    if (disc != 1 && disc != 2)
        return false;
    suffix = DiscSuffix(true, static_cast<int>(disc));
    return true;
}

void CAlbumImportDlg::ApplyToDocument(const CCddbDiscInfo* candidate)
{
    Guarded(363, ErrorSink::App(), [&] {
        CString suffix;
        // Cancel in the disc chooser writes nothing; the dialog stays for another try.
        if (!ChooseDisc("Which disc do you want this data attached to?", suffix)) {
            // Nothing was written: the search can be run again.
            if (m_nPhase == kChooseDrive)
                BackToStart();
            return;
        }
        const CString trackList = m_label.ObjectText("Track List" + suffix);
        const AlbumTextWrites writes = candidate ? PlanAlbum(*candidate, trackList, m_toc.data(), suffix)
                                                 : PlanTrackTimes(trackList, m_toc.data(), suffix);
        if (!m_label.WriteAlbumTexts(writes))
            return;
        m_search->Stop();
        EndDialog(IDOK);
    });
}

void CAlbumImportDlg::ApplyMp3List()
{
    CString suffix;
    if (!ChooseDisc("Which disc do you want this object attached to?", suffix)) {
        OnCancel();
        return;
    }
    std::vector<CString> names, times;
    for (int row = 0; row < m_mp3List.GetItemCount(); ++row) {
        names.push_back(m_mp3List.GetItemText(row, CMp3ListCtrl::kNameColumn));
        times.push_back(m_mp3List.GetItemText(row, CMp3ListCtrl::kTimeColumn));
    }
    if (!m_label.WriteAlbumTexts(PlanMp3TrackList(names, times, suffix)))
        return;
    m_search->Stop();
    EndDialog(IDOK);
}

void CAlbumImportDlg::ShowMp3Phase(const AlbumSearchProgress& progress)
{
    m_nPhase = kMp3List;
    SetDlgItemText(IDC_ALBUM_PROMPT, "MP3 Track Information");
    for (UINT id : {IDC_ALBUM_SOURCES, IDC_ALBUM_NOTE, IDC_ALBUM_PREVIEW, IDC_ALBUM_MATCHES})
        ShowControl(id, false);
    for (UINT id : kSourceChecks)
        ShowControl(id, false);
    RECT list{}, preview{};
    m_matches.GetWindowRect(&list);
    m_preview.GetWindowRect(&preview);
    ScreenToClient(&list);
    ScreenToClient(&preview);
    const RECT area{list.left, list.top, preview.right, preview.bottom};
    m_mp3List.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, area, this,
                       IDC_ALBUM_MP3_LIST);
    m_mp3List.Init(progress.mp3Names, UserInterfaceFont(false));
}

void CAlbumImportDlg::FillMp3Rows(const AlbumSearchProgress& progress)
{
    for (; m_nTagRowsFilled < progress.mp3TagNames.size(); ++m_nTagRowsFilled)
        m_mp3List.OfferTagName(static_cast<int>(m_nTagRowsFilled), progress.mp3TagNames[m_nTagRowsFilled],
                               m_settings.m_bMp3Tag != 0);
    for (; m_nTimeRowsFilled < progress.mp3Times.size(); ++m_nTimeRowsFilled)
        m_mp3List.SetTime(static_cast<int>(m_nTimeRowsFilled), progress.mp3Times[m_nTimeRowsFilled]);
}

void CAlbumImportDlg::FinishMp3Phase()
{
    m_mp3List.FitColumnsToContent();
    m_mp3List.SetClicksEnabled(true);
    CString caption;
    caption.Format(" Found %d Tracks", m_mp3List.GetItemCount());
    SetWindowText(caption);
    ShowControl(IDOK, true);
    ShowControl(IDC_ALBUM_ROW_UP, true);
    ShowControl(IDC_ALBUM_ROW_DOWN, true);
    // The settings button becomes the sort button beside the row buttons.
    RECT down{};
    ::GetWindowRect(GetDlgItemHandle(IDC_ALBUM_ROW_DOWN), &down);
    ScreenToClient(&down);
    m_advanced.MoveWindow(down.right + 4, down.top, down.right - down.left, down.bottom - down.top);
    ShowControl(IDC_ALBUM_ADVANCED, true);
    MakePictureButton(m_rowUp, kRowUpImage, "Move Row Up");
    MakePictureButton(m_rowDown, kRowDownImage, "Move Row Down");
    MakePictureButton(m_advanced, kSortImage, "Sort Track Names");
}

void CAlbumImportDlg::MakePictureButton(CBevelButton& button, int image, const char* tip)
{
    const CUiResources* resources = UiResources();
    if (resources && resources->MenuImages().GetImageCount() > image) {
        button.SetWindowText("");
        button.SetIconHandles(resources->MenuImages().ExtractIcon(image), nullptr);
    } else {
        // Without the program's pictures the button says what it does.
        button.SetWindowText(tip);
    }
    button.SetTooltipText(tip);
}

void CAlbumImportDlg::WriteSourceSetting(const char* name, BYTE& flag, UINT checkId)
{
    flag = IsDlgButtonChecked(static_cast<int>(checkId)) == BST_CHECKED ? 1 : 0;
    StoreSettingValue("Number", name, flag ? "1" : "0");
}

void CAlbumImportDlg::OnUseOnlineDatabase()
{
    Guarded(408, ErrorSink::App(), [&] { WriteSourceSetting("bFreedb", m_settings.m_bFreedb, IDC_ALBUM_USE_FREEDB); });
}

void CAlbumImportDlg::OnUseCdText()
{
    Guarded(406, ErrorSink::App(), [&] { WriteSourceSetting("bCDText", m_settings.m_bCDText, IDC_ALBUM_USE_CDTEXT); });
}

void CAlbumImportDlg::OnUseMp3()
{
    Guarded(418, ErrorSink::App(), [&] { WriteSourceSetting("bMp3", m_settings.m_bMp3, IDC_ALBUM_USE_MP3); });
}

void CAlbumImportDlg::OnUseCdPlayerIni()
{
    Guarded(407, ErrorSink::App(), [&] {
        if (IsDlgButtonChecked(IDC_ALBUM_USE_CDPLAYER) == BST_CHECKED &&
            !FileOpens(m_settings.m_strCDPlayerPath)) {
            CheckDlgButton(IDC_ALBUM_USE_CDPLAYER, BST_UNCHECKED);
            CAppMessageDlg::Show("Please enter a vaild CDPlayer file in 'Advanced Settings'.",
                                 CAppMessageDlg::kIconExclamation, "OK`");
        }
        m_bCdPlayerUsable = FileOpens(m_settings.m_strCDPlayerPath);
        WriteSourceSetting("bCDPlayer", m_settings.m_bCDPlayer, IDC_ALBUM_USE_CDPLAYER);
    });
}

void CAlbumImportDlg::OnTimesOnly()
{
    Guarded(417, ErrorSink::App(), [&] {
        const bool timesOnly = IsDlgButtonChecked(IDC_ALBUM_TIMES_ONLY) == BST_CHECKED;
        EnableControl(IDC_ALBUM_MATCHES, !timesOnly);
        EnableControl(IDC_ALBUM_PREVIEW, !timesOnly);
        FillPreview();
    });
}

void CAlbumImportDlg::OnAdvancedSettings()
{
    Guarded(409, ErrorSink::App(), [&] {
        if (m_nPhase == kMp3List) {
            m_mp3List.SortByName();
        } else if (m_nPhase == kChooseDrive && !m_bSearching) {
            CSearchSettingsDlg settings(this, m_settings);
            settings.DoModal();
            m_bCdPlayerUsable = FileOpens(m_settings.m_strCDPlayerPath);
            CheckDlgButton(IDC_ALBUM_USE_CDPLAYER, m_settings.m_bCDPlayer ? BST_CHECKED : BST_UNCHECKED);
        }
    });
}

void CAlbumImportDlg::OnMoveRowUp()
{
    m_mp3List.MoveSelectedRows(true);
}

void CAlbumImportDlg::OnMoveRowDown()
{
    m_mp3List.MoveSelectedRows(false);
}

BOOL CAlbumImportDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(368, ErrorSink::App(), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

BOOL CAlbumImportDlg::PreTranslateMessage(MSG* msg)
{
    // F1 or the caption's help button: the help's page on album information.
    if (Guarded(404, ErrorSink::App(), false,
                [&] { return AnswerHelpRequest(*msg, m_hWnd, kHelpAlbumInformation); }))
        return TRUE;
    return CNewDialog::PreTranslateMessage(msg);
}

void CAlbumImportDlg::OnDestroy()
{
    Guarded(513, ErrorSink::App(), [&] {
        m_search->Stop();
        KillTimer(kSearchTimer);
        m_windowIcon.Release(*this);
        m_candidates.clear();
    });
    CNewDialog::OnDestroy();
}
