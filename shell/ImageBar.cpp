#include "shell/ImageBar.h"

#include "framework/ErrorReport.h"
#include "document/AppSettings.h"
#include "framework/Gdi.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "shell/ImageSearchDlg.h"
#include "resource.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNAMIC(CImageBar, CSizingControlBarCF)

namespace {

constexpr RECT kSearchButtonRect{18, 7, 119, 30};

}  // namespace

CImageBar::CImageBar()
{
    // The three size slots: docked at the top or bottom, at a side, floating.
    sizeHorz = SIZE{175, 150};
    sizeVert = SIZE{154, 157};
    sizeFloat = SIZE{150, 168};
}

CImageBar::~CImageBar() = default;

int CImageBar::OnCreate(LPCREATESTRUCTA cs)
{
    if (CSizingControlBarCF::OnCreate(cs) == -1)
        return -1;
    return Guarded(220, ErrorSink::Window(this), -1, [&] {
        if (!m_panel.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, kPanelTop, 100, 100},
                              this, 0))
            return -1;
        m_scrollBar = ::CreateWindowExA(0, "SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, 0, kPanelTop, kScrollBarWidth,
                                        100, m_hWnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        m_panel.AttachBar(this, m_scrollBar);
        if (m_searchButton.Create("Image Search", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kSearchButtonRect, this,
                                  kImageSearchId)) {
            m_searchButton.BuildFaces(6, 8, 10, 0, 0);
            if (const CUiResources* resources = UiResources();
                resources && resources->MenuImages().GetImageCount() > MENU_IMAGE_IMAGE_SEARCH)
                m_searchButton.SetIconHandles(resources->MenuImages().ExtractIcon(MENU_IMAGE_IMAGE_SEARCH), nullptr);
        }
        return 0;
    });
}

void CImageBar::OnSize(UINT type, int cx, int cy)
{
    CSizingControlBarCF::OnSize(type, cx, cy);
    Guarded(221, ErrorSink::Window(this), [&] {
        const int height = std::max(cy - kPanelTop, 0);
        if (m_scrollBar)
            ::MoveWindow(m_scrollBar, cx - kScrollBarWidth, kPanelTop, kScrollBarWidth, height, TRUE);
        if (m_panel.m_hWnd)
            ::MoveWindow(m_panel.m_hWnd, 0, kPanelTop, std::max(cx - kScrollBarWidth, 0), height, TRUE);
    });
}

BOOL CImageBar::OnEraseBkgnd(HDC dc)
{
    return Guarded(219, ErrorSink::Window(this), FALSE, [&] {
        RECT client{};
        GetClientRect(&client);
        const int saved = ::SaveDC(dc);
        if (m_scrollBar && ::IsWindowVisible(m_scrollBar)) {
            RECT bar{};
            ::GetWindowRect(m_scrollBar, &bar);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&bar), 2);
            ::ExcludeClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
        }
        TilePanelTexture(dc, client, POINT{0, 0});
        ::RestoreDC(dc, saved);
        return TRUE;
    });
}

void CImageBar::OnPaint()
{
    CSizingControlBarCF::OnPaint();
    Guarded(441, ErrorSink::Window(this), [&] {
        RECT client{};
        GetClientRect(&client);
        const int width = client.right;
        CClientDC dc(m_hWnd);
        // An etched line under the search button.
        CPen shadow;
        shadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CPen highlight;
        highlight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        {
            CSelectGuard pen(dc.m_hDC, shadow.Get());
            ::MoveToEx(dc.m_hDC, width - 2, kSeparatorY - 1, nullptr);
            ::LineTo(dc.m_hDC, 0, kSeparatorY - 1);
            ::LineTo(dc.m_hDC, 0, kSeparatorY + 1);
        }
        CSelectGuard pen(dc.m_hDC, highlight.Get());
        ::MoveToEx(dc.m_hDC, 1, kSeparatorY, nullptr);
        ::LineTo(dc.m_hDC, width - 1, kSeparatorY);
        ::LineTo(dc.m_hDC, width - 1, kSeparatorY - 2);
    });
}

void CImageBar::OnVScroll(UINT code, UINT pos, HWND scrollBar)
{
    Guarded(223, ErrorSink::Window(this), [&] {
        if (m_panel.m_hWnd)
            m_panel.SendMessage(WM_VSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(scrollBar));
    });
}

BOOL CImageBar::OnMouseWheel(UINT flags, short delta, POINT point)
{
    return Guarded(403, ErrorSink::Window(this), TRUE, [&] {
        if (m_panel.m_hWnd)
            m_panel.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(flags, static_cast<WORD>(delta)),
                                MAKELPARAM(point.x, point.y));
        return TRUE;
    });
}

void CImageBar::OnLButtonDown(UINT flags, POINT point)
{
    SetFocus();
    CSizingControlBarCF::OnLButtonDown(flags, point);
}

BOOL CImageBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kImageSearchId && HIWORD(wParam) == BN_CLICKED) {
        OnImageSearch();
        return TRUE;
    }
    return CSizingControlBarCF::OnCommand(wParam, lParam);
}

HWND CImageBar::BrowseWindow() const
{
    return m_search ? m_search->browseWindow.load() : nullptr;
}

bool CImageBar::IsBrowserRunning() const
{
    return m_search && m_search->running.load();
}

void CImageBar::OnImageSearch()
{
    Guarded(444, ErrorSink::Window(this), [&] {
        if (IsBrowserRunning())
            return;
        CWaitCursor wait;
        m_searchThread.Wait(INFINITE);  // a browser that has just closed is at its very end
        m_search = std::make_shared<CImageSearchShared>();
        m_search->bar = m_hWnd;
        m_search->fill = m_panel.SharedFillState();
        auto* owner = dynamic_cast<IAppSettingsOwner*>(GetApp());
        m_search->settings = owner ? &owner->SharedSettings() : nullptr;
        m_search->running.store(true);
        m_searchThread = BeginThread(&ImageSearchThreadProc, new std::shared_ptr<CImageSearchShared>(m_search));
        if (!m_searchThread)
            m_search->running.store(false);
    });
}

void CImageBar::CloseBrowser()
{
    if (!m_search)
        return;
    // The browser ends itself once it sees the pane closing; a window that
    // shows no sign of that is asked to close.
    for (int attempt = 0; attempt < 100 && m_search->running.load(); ++attempt) {
        if (HWND browser = m_search->browseWindow.load())
            ::PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        m_searchThread.Wait(50);
    }
    m_searchThread.Wait(INFINITE);
    m_searchThread.Close();
    // Requests posted while the bar was going are freed here.
    MSG pending;
    while (::PeekMessageA(&pending, m_hWnd, WM_IMAGE_FOLDER_CHOSEN, WM_IMAGE_FOLDER_CHOSEN, PM_REMOVE))
        delete reinterpret_cast<ImageFolderRequest*>(pending.lParam);
}

void CImageBar::OnFolderChosen(LPARAM request)
{
    const std::unique_ptr<ImageFolderRequest> owned(reinterpret_cast<ImageFolderRequest*>(request));
    Guarded(442, ErrorSink::Window(this), [&] {
        if (owned)
            m_panel.LoadImages(owned->folder, owned->patterns, owned->subFolders != 0);
    });
}

LRESULT CImageBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_IMAGE_FOLDER_CHOSEN) {
        OnFolderChosen(lParam);
        return 0;
    }
    return CSizingControlBarCF::WindowProc(message, wParam, lParam);
}

void CImageBar::OnDestroy()
{
    Guarded(493, ErrorSink::Window(this), [&] {
        if (m_searchButton.m_hWnd)
            m_searchButton.DestroyWindow();
        if (m_scrollBar)
            ::DestroyWindow(m_scrollBar);
        m_scrollBar = nullptr;
        m_panel.AttachBar(this, nullptr);
        if (m_panel.m_hWnd)
            m_panel.DestroyWindow();
        CloseBrowser();
    });
    CSizingControlBarCF::OnDestroy();
}
