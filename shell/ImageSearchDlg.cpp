#include "shell/ImageSearchDlg.h"

#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "framework/SettingsKey.h"
#include "framework/WindowTexts.h"
#include "shell/ImageBar.h"
#include "resource.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"
#include "uikit/UserInterfaceFont.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>

const char* const kImageFileTypeTexts[kImageFileTypeCount] = {
    "All Image Files",
    "JPEG Files (*.jpg;*.jpeg)",
    "Bitmap Files (*.bmp;*.dib)",
    "PNG Files (*.png)",
    "MetaFiles (*.wmf;*.emf)",
    "Icon Files (*.ico)",
    "PCX Files (*.pcx)",
};

namespace {

constexpr char kAllImagePatterns[] = "*.jpg;*.jpeg;*.png;*.bmp;*.wmf;*.ico;*.pcx;*.dib;*.emf";
constexpr char kSearchProperty[] = "SleevoryImageSearch";
constexpr char kWindowTitle[] = " Click on a folder to start your search.";
constexpr int kTitleMaxWidth = 260;
constexpr int kMaxStoredText = 263;

// Ends COM on this thread at every way out.
class ComScope {
public:
    ComScope() : m_ok(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope()
    {
        if (m_ok)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_ok;
};

HWND MakeControl(HWND parent, LPCSTR className, LPCSTR text, DWORD style, const RECT& rect, int id, HFONT font)
{
    HWND control = ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                     nullptr);
    if (control && font)
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

}  // namespace

CString PatternsOfFileTypeText(const CString& text)
{
    const int open = text.Find('(');
    if (open < 0)
        return kAllImagePatterns;
    const int close = text.Find(')', open + 1);
    return close < 0 ? text.Mid(open + 1) : text.Mid(open + 1, close - open - 1);
}

CString SearchingTitle(int found, const CString& dots)
{
    CString title;
    title.Format(" Searching Images (%d)", found);
    return title + dots;
}

CString FoundTitle(int found)
{
    CString title;
    title.Format(" %d %s", found, found == 1 ? "Image Found" : "Images Found");
    return title;
}

bool CImageFolderDlg::WriteSetting(const CString& kind, const CString& name, const CString& value)
{
    return Guarded(452, ErrorSink::App(), false, [&] {
        const CString stored = kind == "String" && value.GetLength() > kMaxStoredText ? value.Left(kMaxStoredText) : value;
        return StoreSettingValue(kind, name, stored);
    });
}

UINT ImageSearchThreadProc(LPVOID parameter)
{
    std::unique_ptr<std::shared_ptr<CImageSearchShared>> holder(static_cast<std::shared_ptr<CImageSearchShared>*>(parameter));
    if (!holder || !*holder)
        return 0;
    const std::shared_ptr<CImageSearchShared> shared = *holder;
    const UINT result = Guarded(443, ErrorSink::App(), 0u, [&] {
        // The shell's folder browser needs COM on the thread that shows it.
        ComScope com;
        CImageSearchDlg dialog(shared);
        dialog.Run();
        return 1u;
    });
    shared->browseWindow.store(nullptr);
    shared->running.store(false);
    return result;
}

CImageSearchDlg::CImageSearchDlg(std::shared_ptr<CImageSearchShared> shared) : m_shared(std::move(shared)) {}

CImageSearchDlg::~CImageSearchDlg()
{
    if (m_boldFont)
        ::DeleteObject(m_boldFont);
}

CAppSettings& CImageSearchDlg::Settings()
{
    static thread_local CAppSettings fallback;
    return m_shared->settings ? *m_shared->settings : fallback;
}

void CImageSearchDlg::Run()
{
    Guarded(458, ErrorSink::App(), [&] {
        BROWSEINFOA info{};
        info.hwndOwner = nullptr;
        info.pszDisplayName = m_path;
        info.lpfn = &CImageSearchDlg::BrowseCallback;
        info.lParam = reinterpret_cast<LPARAM>(this);
        LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
        if (chosen)
            ::CoTaskMemFree(chosen);
    });
}

int CALLBACK CImageSearchDlg::BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data)
{
    auto* self = reinterpret_cast<CImageSearchDlg*>(data);
    return Guarded(455, ErrorSink::Window(window), 0, [&] {
        if (message == BFFM_INITIALIZED) {
            self->OnInitialized(window);
        } else if (message == BFFM_SELCHANGED && !self->m_programmaticSelection && self->m_userSelection) {
            char path[MAX_PATH] = {};
            // A virtual folder without a path starts no search.
            if (lParam && ::SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path) && path[0])
                self->StartSearch(path);
        }
        return 0;
    });
}

void CImageSearchDlg::OnInitialized(HWND window)
{
    Guarded(456, ErrorSink::Window(window), [&] {
        m_window = window;
        m_shared->browseWindow.store(window);
        m_font = UserInterfaceFont(false);
        LOGFONTA bold{};
        if (m_font && ::GetObjectA(m_font, sizeof(bold), &bold) == sizeof(bold)) {
            bold.lfWeight = FW_BOLD;
            m_boldFont = ::CreateFontIndirectA(&bold);
        }
        ::SetPropA(window, kSearchProperty, this);
        m_oldProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CImageSearchDlg::BrowseWindowProc)));
        LayOutControls();
        m_currentFolder = Settings().m_strBrowseFolder;
        ::SetWindowTextA(m_folderField, m_currentFolder);
        if (!m_currentFolder.IsEmpty()) {
            m_programmaticSelection = true;
            ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_currentFolder.c_str()));
            m_programmaticSelection = false;
        }
    });
}

void CImageSearchDlg::LayOutControls()
{
    Guarded(447, ErrorSink::Window(m_window), [&] {
        ::SetWindowLongPtrA(m_window, GWL_EXSTYLE, ::GetWindowLongPtrA(m_window, GWL_EXSTYLE) & ~WS_EX_CONTEXTHELP);
        ::SetWindowPos(m_window, nullptr, 0, 0, 335, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowTextA(m_window, kWindowTitle);
        if (const CUiResources* resources = UiResources();
            resources && resources->MenuImages().GetImageCount() > MENU_IMAGE_IMAGE_SEARCH) {
            m_windowIcon = resources->MenuImages().ExtractIcon(MENU_IMAGE_IMAGE_SEARCH);
            ::SendMessageA(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_windowIcon));
            ::SendMessageA(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_windowIcon));
        }
        for (int id : {CImageFolderDlg::kBrowserTitleId, IDOK, IDCANCEL}) {
            if (HWND own = ::GetDlgItem(m_window, id))
                ::ShowWindow(own, SW_HIDE);
        }
        RECT client{};
        ::GetClientRect(m_window, &client);
        const int left = client.left + 12;
        const int right = client.right - 12;
        const int bottom = client.bottom - 12;
        MakeControl(m_window, "STATIC", "Current folder:", 0, RECT{left, 5, right, 17}, -1, m_font);
        m_folderField = MakeControl(m_window, "EDIT", "", ES_AUTOHSCROLL | ES_READONLY | WS_DISABLED,
                                    RECT{left, 22, right - 3, 36}, CImageFolderDlg::kCurrentFolderId, m_font);
        MakeControl(m_window, "STATIC", "Click on a folder to start your search:", 0, RECT{left, 45, right, 56}, -1,
                    m_font);
        if (HWND tree = ::GetDlgItem(m_window, CImageFolderDlg::kTreeId))
            ::SetWindowPos(tree, nullptr, left, 59, right - left, 220, SWP_NOZORDER | SWP_NOACTIVATE);
        MakeControl(m_window, "STATIC", "File Types:", 0, RECT{left, 285, right, 296}, -1, m_font);
        m_fileTypes = MakeControl(m_window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                  RECT{left, 299, right, 1000}, CImageFolderDlg::kFileTypeId, m_font);
        for (const char* text : kImageFileTypeTexts)
            ::SendMessageA(m_fileTypes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        const int filter = Settings().m_nBrowseFilter;
        ::SendMessageA(m_fileTypes, CB_SETCURSEL, filter >= 0 && filter < kImageFileTypeCount ? filter : 0, 0);
        MakeProgramButton(m_subFolders, "Search Subfolders", BS_OWNERDRAW | WS_TABSTOP,
                          RECT{left, bottom - 31, 120, bottom - 18}, CImageFolderDlg::kSubFoldersId);
        m_subFolders.SetChecked(Settings().m_nBrowseSubfolder != 0);
        MakeProgramButton(m_defaultFolder, "Set as default folder", BS_OWNERDRAW | WS_TABSTOP,
                          RECT{left, bottom - 11, 170, bottom + 2}, CImageFolderDlg::kDefaultFolderId);
        const bool isDefault = Settings().m_strBrowseFolder.CompareNoCase(Settings().m_strBrowseDefaultPath) == 0;
        m_defaultFolder.SetChecked(isDefault);
        m_defaultFolder.EnableWindow(!isDefault);
        MakeProgramButton(m_closeButton, "Close", BS_PUSHBUTTON | WS_TABSTOP,
                          RECT{right - 100, bottom - 23, right, bottom}, CImageFolderDlg::kCloseId);
        if (m_closeButton.m_hWnd)
            m_closeButton.BuildFaces(6, 8, 10, 0, 0);
        SetButtonText("Close");
    });
}

void CImageSearchDlg::MakeProgramButton(CButton& button, LPCSTR text, DWORD style, const RECT& rect, int id)
{
    if (HWND plain = MakeControl(m_window, "BUTTON", text, style, rect, id, m_font))
        button.SubclassWindow(plain);
}

void CImageSearchDlg::PaintBackground(HDC dc)
{
    Guarded(446, ErrorSink::Window(m_window), [&] {
        RECT client{};
        ::GetClientRect(m_window, &client);
        TileAppBackground(dc, client);
    });
}

int CImageSearchDlg::ChosenFileType() const
{
    const LRESULT chosen = ::SendMessageA(m_fileTypes, CB_GETCURSEL, 0, 0);
    return chosen >= 0 && chosen < kImageFileTypeCount ? static_cast<int>(chosen) : 0;
}

void CImageSearchDlg::StartSearch(const CString& folder)
{
    Guarded(457, ErrorSink::Window(m_window), [&] {
        auto request = std::make_unique<ImageFolderRequest>();
        request->folder = folder;
        request->patterns = PatternsOfFileTypeText(kImageFileTypeTexts[ChosenFileType()]);
        request->subFolders = m_subFolders.IsChecked() ? 1 : 0;

        m_currentFolder = folder;
        ::SetWindowTextA(m_folderField, folder);
        Settings().m_strBrowseFolder = folder;
        const bool isDefault = folder.CompareNoCase(Settings().m_strBrowseDefaultPath) == 0;
        m_defaultFolder.SetChecked(isDefault);
        m_defaultFolder.EnableWindow(!isDefault);

        // The bar owns the request once posted; a bar already gone never sees it.
        if (::PostMessageA(m_shared->bar, WM_IMAGE_FOLDER_CHOSEN, 0, reinterpret_cast<LPARAM>(request.get())))
            request.release();

        ::SetTimer(m_window, kProgressTimer, 100, nullptr);
        m_ticks = 0;
        m_dots = " ";
        m_searching = true;
        SetButtonText("Stop Search");
    });
}

void CImageSearchDlg::SetButtonText(LPCSTR text)
{
    if (!m_closeButton.m_hWnd)
        return;
    m_closeButton.SetWindowText(text);
    const int image = std::strcmp(text, "Stop Search") == 0 ? MENU_IMAGE_STOP_SEARCH : MENU_IMAGE_CLOSE;
    if (const CUiResources* resources = UiResources(); resources && resources->MenuImages().GetImageCount() > image)
        m_closeButton.SetIconHandles(resources->MenuImages().ExtractIcon(image), nullptr);
}

void CImageSearchDlg::OnProgressTimer()
{
    Guarded(459, ErrorSink::Window(m_window), [&] {
        const CImageFillState& fill = *m_shared->fill;
        if (fill.closing.load()) {
            ::KillTimer(m_window, kProgressTimer);
            ::PostMessageA(m_window, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        const int found = static_cast<int>(fill.list.Size()) - 1;
        if (fill.fillerRunning.load() || fill.feeding.load()) {
            m_dots += ".";
            CString title = SearchingTitle(std::max(found, 0), m_dots);
            HDC dc = ::GetDC(m_window);
            HGDIOBJ old = ::SelectObject(dc, m_boldFont ? m_boldFont : m_font);
            SIZE extent{};
            ::GetTextExtentPoint32A(dc, title, title.GetLength(), &extent);
            ::SelectObject(dc, old);
            ::ReleaseDC(m_window, dc);
            if (extent.cx > kTitleMaxWidth) {
                m_dots = " ";
                title = SearchingTitle(std::max(found, 0), m_dots);
            }
            ::SetWindowTextA(m_window, title);
            ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
            return;
        }
        ++m_ticks;
        ::SetWindowTextA(m_window, FoundTitle(std::max(found, 0)));
        if (m_ticks >= kFoundTicks) {
            ::KillTimer(m_window, kProgressTimer);
            m_searching = false;
            SetButtonText("Close");
            ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
        }
    });
}

void CImageSearchDlg::ShowFinalCount()
{
    // What the list holds once the filler has ended: the count the pane shows too.
    const int found = static_cast<int>(m_shared->fill->list.Size()) - 1;
    ::SetWindowTextA(m_window, FoundTitle(std::max(found, 0)));
}

void CImageSearchDlg::OnStopTimer()
{
    Guarded(449, ErrorSink::Window(m_window), [&] {
        if (m_shared->fill->fillerRunning.load())
            return;
        ::KillTimer(m_window, kStopTimer);
        m_shared->fill->stopFinder.store(false);
        // The filler went on to the end of the entry it was reading: the
        // title counts what it found up to the stop.
        ShowFinalCount();
    });
}

void CImageSearchDlg::OnCommand(int id, int code)
{
    CAppSettings& settings = Settings();
    if (id == CImageFolderDlg::kCloseId && code == BN_CLICKED) {
        Guarded(448, ErrorSink::Window(m_window), [&] {
            if (WindowTextOf(m_closeButton.m_hWnd) == "Stop Search") {
                SetButtonText("Close");
                ::KillTimer(m_window, kProgressTimer);
                m_searching = false;
                if (m_shared->fill->fillerRunning.load()) {
                    m_shared->fill->stopFinder.store(true);
                    ::SetTimer(m_window, kStopTimer, 100, nullptr);
                } else {
                    ShowFinalCount();
                }
            } else {
                ::PostMessageA(m_window, WM_COMMAND, IDCANCEL, 0);
            }
        });
    } else if (id == CImageFolderDlg::kFileTypeId && code == CBN_SELCHANGE) {
        Guarded(453, ErrorSink::Window(m_window), [&] {
            const int chosen = ChosenFileType();
            Guarded(450, ErrorSink::Window(m_window), [&] {
                if (!m_currentFolder.IsEmpty())
                    StartSearch(m_currentFolder);
            });
            CImageFolderDlg::WriteSetting("Number", "BrowseFilter", CString(std::to_string(chosen)));
            settings.m_nBrowseFilter = chosen;
            m_closeButton.SetFocus();
        });
    } else if (id == CImageFolderDlg::kSubFoldersId && code == BN_CLICKED) {
        Guarded(454, ErrorSink::Window(m_window), [&] {
            const bool subFolders = m_subFolders.IsChecked();
            Guarded(450, ErrorSink::Window(m_window), [&] {
                if (!m_currentFolder.IsEmpty())
                    StartSearch(m_currentFolder);
            });
            CImageFolderDlg::WriteSetting("Number", "BrowseSubfolder", subFolders ? "1" : "0");
            settings.m_nBrowseSubfolder = subFolders ? 1 : 0;
        });
    } else if (id == CImageFolderDlg::kDefaultFolderId && code == BN_CLICKED) {
        Guarded(451, ErrorSink::Window(m_window), [&] {
            m_defaultFolder.EnableWindow(FALSE);
            settings.m_strBrowseDefaultPath = settings.m_strBrowseFolder;
            CImageFolderDlg::WriteSetting("String", "BrowseDefaultPath", settings.m_strBrowseDefaultPath);
        });
    }
}

LRESULT CALLBACK CImageSearchDlg::BrowseWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CImageSearchDlg*>(::GetPropA(window, kSearchProperty));
    if (!self)
        return ::DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC old = self->m_oldProc;
    switch (message) {
    case WM_NOTIFY: {
        // Only a folder the user clicked or reached with the keys starts a
        // search: the tree also selects folders itself (its first one when
        // it takes the focus with nothing selected), and a search of that
        // would replace the pane's pictures with a whole drive's.
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->idFrom == static_cast<UINT_PTR>(CImageFolderDlg::kTreeId) &&
            (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
            const UINT action = reinterpret_cast<const NMTREEVIEWA*>(lParam)->action;
            self->m_userSelection = action == TVC_BYMOUSE || action == TVC_BYKEYBOARD;
            const LRESULT result = ::CallWindowProcA(old, window, message, wParam, lParam);
            self->m_userSelection = false;
            return result;
        }
        break;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == CImageFolderDlg::kCloseId || id == CImageFolderDlg::kFileTypeId ||
            id == CImageFolderDlg::kSubFoldersId || id == CImageFolderDlg::kDefaultFolderId) {
            self->OnCommand(id, HIWORD(wParam));
            return 0;
        }
        break;
    }
    case WM_DRAWITEM: {
        // The program's buttons draw themselves; the browse window is no
        // window of the framework that would hand them the message.
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        LRESULT result = 0;
        if (CWnd* control = item ? CWnd::FromHandlePermanent(item->hwndItem) : nullptr;
            control && control->OnChildNotify(message, wParam, lParam, &result))
            return result;
        break;
    }
    case WM_ERASEBKGND:
        self->PaintBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_TIMER:
        if (wParam == kProgressTimer) {
            self->OnProgressTimer();
            return 0;
        }
        if (wParam == kStopTimer) {
            self->OnStopTimer();
            return 0;
        }
        break;
    case WM_DESTROY:
        Guarded(496, ErrorSink::Window(window), [&] {
            ::KillTimer(window, kProgressTimer);
            ::KillTimer(window, kStopTimer);
            ::RemovePropA(window, kSearchProperty);
            ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            self->m_shared->browseWindow.store(nullptr);
            for (CButton* button : {static_cast<CButton*>(&self->m_subFolders),
                                    static_cast<CButton*>(&self->m_defaultFolder),
                                    static_cast<CButton*>(&self->m_closeButton)})
                if (button->m_hWnd)
                    button->DestroyWindow();
            ::SendMessageA(window, WM_SETICON, ICON_SMALL, 0);
            ::SendMessageA(window, WM_SETICON, ICON_BIG, 0);
            if (self->m_windowIcon)
                ::DestroyIcon(self->m_windowIcon);
            self->m_windowIcon = nullptr;
        });
        return ::CallWindowProcA(old, window, message, wParam, lParam);
    default:
        break;
    }
    return ::CallWindowProcA(old, window, message, wParam, lParam);
}
