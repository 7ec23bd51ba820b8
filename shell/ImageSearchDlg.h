#pragma once
// The image search: the system's folder browser on a thread of its own,
// extended with a current-folder field, the file types, "Search Subfolders",
// "Set as default folder" and a "Stop Search"/"Close" button. Every folder
// clicked is handed to the Images bar (a posted request), and the browser's
// title counts the pictures the pane's list filler finds.

#include "framework/String.h"
#include "imaging/ThumbnailList.h"
#include "uikit/BevelButton.h"
#include "uikit/CheckImageButton.h"

#include <windows.h>

#include <atomic>
#include <memory>

struct CAppSettings;

constexpr int kImageFileTypeCount = 7;
// The file-type list, in the order of the setting "BrowseFilter".
extern const char* const kImageFileTypeTexts[kImageFileTypeCount];
// The patterns of a file-type text: what its parentheses hold; every image
// type when it has none.
CString PatternsOfFileTypeText(const CString& text);
// The browser's title while the list filler runs, and once it has finished
// (the "[No Background]" entry is not counted).
CString SearchingTitle(int found, const CString& dots);
CString FoundTitle(int found);

// What the browser thread shares with the Images bar.
struct CImageSearchShared {
    HWND bar = nullptr;
    std::shared_ptr<CImageFillState> fill;
    CAppSettings* settings = nullptr;
    // The folder whose selection starts no search while re-running one.
    CString helpFolder;
    std::atomic<bool> running{false};
    std::atomic<HWND> browseWindow{nullptr};
};

// The browser thread; takes a heap-made std::shared_ptr<CImageSearchShared>*.
UINT ImageSearchThreadProc(LPVOID shared);

// Takes over the system's browse window and adds the program's controls.
class CImageFolderDlg {
public:
    static constexpr int kFileTypeId = 1095;
    static constexpr int kCloseId = 1097;
    static constexpr int kSubFoldersId = 1111;
    static constexpr int kDefaultFolderId = 1112;
    static constexpr int kCurrentFolderId = 1113;
    static constexpr int kTreeId = 14145;
    static constexpr int kBrowserTitleId = 14146;

    // "String" stores the text (at most 263 characters), "Number" the text as a
    // decimal number; false when the settings key could not be opened.
    static bool WriteSetting(const CString& kind, const CString& name, const CString& value);
};

class CImageSearchDlg {
public:
    static constexpr UINT_PTR kProgressTimer = 1103;
    static constexpr UINT_PTR kStopTimer = 1102;
    static constexpr int kFoundTicks = 5;

    explicit CImageSearchDlg(std::shared_ptr<CImageSearchShared> shared);
    ~CImageSearchDlg();
    CImageSearchDlg(const CImageSearchDlg&) = delete;
    CImageSearchDlg& operator=(const CImageSearchDlg&) = delete;

    // Runs the browser modally on the calling thread.
    void Run();

private:
    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);
    static LRESULT CALLBACK BrowseWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitialized(HWND window);
    void LayOutControls();
    void StartSearch(const CString& folder);
    void OnProgressTimer();
    void OnStopTimer();
    void ShowFinalCount();
    void OnCommand(int id, int code);
    // The push button's text and its icon (20 "Stop Search", 21 "Close").
    void SetButtonText(LPCSTR text);
    // A program control over a plain one made on the browse window.
    void MakeProgramButton(CButton& button, LPCSTR text, DWORD style, const RECT& rect, int id);
    void PaintBackground(HDC dc);
    CAppSettings& Settings();
    int ChosenFileType() const;

    std::shared_ptr<CImageSearchShared> m_shared;
    HWND m_window = nullptr;
    WNDPROC m_oldProc = nullptr;
    HFONT m_boldFont = nullptr;
    HFONT m_font = nullptr;
    int m_ticks = 0;
    CString m_dots;
    bool m_searching = false;
    bool m_programmaticSelection = false;
    // Raised while the tree reports a selection the user made.
    bool m_userSelection = false;
    CString m_currentFolder;
    HWND m_folderField = nullptr;
    HWND m_fileTypes = nullptr;
    CCheckImageButton m_subFolders;
    CCheckImageButton m_defaultFolder;
    CBevelButton m_closeButton;
    // The browse window's icon, destroyed with the window.
    HICON m_windowIcon = nullptr;
    char m_path[MAX_PATH] = {};
};
