#pragma once
// CAlbumImportDlg: the album-information dialog. The user picks the drive and
// the sources and starts the search; the dialog polls it, lists the candidate
// albums with a preview (or, for a data CD, the MP3 files in an editable
// list) and writes the chosen one into the label as one undo step.
//
//     CViewAlbumLabel label(view);
//     CAlbumImportDlg dialog(&view, CAlbumImportDlg::kReadTrackData, label, settings, driveNames);
//     dialog.DoModal();

#include "album/AlbumLabel.h"
#include "album/AlbumSearch.h"
#include "album/Mp3ListCtrl.h"
#include "document/AppSettings.h"
#include "framework/Gdi.h"
#include "framework/ListCtrl.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/IconListBox.h"
#include "uikit/NewDialog.h"

#include <memory>
#include <vector>

class CAlbumImportDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CAlbumImportDlg)
    DECLARE_COMMAND_MAP()

public:
    enum Mode : int { kReadTrackData = 1, kDownloadAlbumInfo = 2 };
    enum Phase : int { kChooseDrive = 1, kChooseMatch = 2, kMp3List = 3 };
    static constexpr UINT_PTR kSearchTimer = 1119;
    static constexpr int kSearchPollMilliseconds = 100;

    CAlbumImportDlg(CWnd* parent, int mode, IAlbumLabel& label, CAppSettings& settings,
                    std::vector<CString> driveNames);
    ~CAlbumImportDlg() override;

    // Where the search reads the disc and finds MP3 files (tests: a drive stand-in).
    void SetSearchSources(CAlbumSearch::ReaderFactory readers, std::shared_ptr<IMp3FileFinder> finder);
    // The album-database wait of each request (tests shorten it).
    void SetNetworkTimeout(int milliseconds) { m_nNetworkTimeout = milliseconds; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    int GetPhase() const { return m_nPhase; }
    // The match the preview shows (-1 none).
    int ChosenMatch() const { return m_nChosenMatch; }
    int GetCandidateCount() const { return static_cast<int>(m_candidates.size()); }
    const CAlbumSearch& Search() const { return *m_search; }
    CMp3ListCtrl& Mp3List() { return m_mp3List; }

protected:
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

    void OnSelChangeMatch();
    void OnDoubleClickMatch();
    void OnUseOnlineDatabase();
    void OnUseCdText();
    void OnUseCdPlayerIni();
    void OnUseMp3();
    void OnTimesOnly();
    void OnAdvancedSettings();
    void OnMoveRowUp();
    void OnMoveRowDown();

private:
    void StartSearch();
    void PollSearch();
    void HandleResult(const AlbumSearchProgress& progress);
    void BackToStart();
    void ShowMatches();
    void FillPreview();
    void ShowMp3Phase(const AlbumSearchProgress& progress);
    void FillMp3Rows(const AlbumSearchProgress& progress);
    void FinishMp3Phase();
    void ShowCaptionWithDots(const CString& statusText);
    // A button of the MP3 phase shows image `image` of the program's list, with a tip.
    void MakePictureButton(CBevelButton& button, int image, const char* tip);
    // Asks which disc of a double CD gets the data: the object names' suffix,
    // or false when the user cancelled.
    bool ChooseDisc(const char* prompt, CString& suffix);
    // Writes the TOC's times (and, given a candidate, the album) and closes.
    void ApplyToDocument(const CCddbDiscInfo* candidate);
    void ApplyMp3List();
    void WriteSourceSetting(const char* name, BYTE& flag, UINT checkId);
    void ShowControl(UINT id, bool show);
    void EnableControl(UINT id, bool enable);
    void ChooseCdPlayerFile();
    AlbumSearchSettings MakeSearchSettings() const;

    int m_nMode;
    IAlbumLabel& m_label;
    CAppSettings& m_settings;
    std::vector<CString> m_driveNames;
    std::unique_ptr<CAlbumSearch> m_search = std::make_unique<CAlbumSearch>();
    int m_nNetworkTimeout = kAlbumDatabaseTimeout;

    int m_nPhase = kChooseDrive;
    int m_nChosenMatch = -1;
    bool m_bCdPlayerUsable = true;
    bool m_bSearching = false;
    CString m_strDots;
    CString m_strLastStatus;
    CAlbumCandidates m_candidates;
    TocBuffer m_toc{};
    size_t m_nTagRowsFilled = 0;
    size_t m_nTimeRowsFilled = 0;

    CIconListBox m_matches;
    CListCtrl m_preview;
    CMp3ListCtrl m_mp3List;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CBevelButton m_advanced;
    CFont m_boldFont;
    CDialogWindowIcon m_windowIcon;
    CBevelButton m_rowUp;
    CBevelButton m_rowDown;
};
