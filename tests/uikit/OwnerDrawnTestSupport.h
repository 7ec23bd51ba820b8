// Helpers of the tests of the owner-drawn controls: a visible host window on a
// plain background, pixels read back from the windows' own surfaces, and the
// program's application object with a main frame and an active label view
// for the painters that go through the view.
#pragma once

#include "app/Quorbel6App.h"
#include "framework/CommandIds.h"
#include "framework/ErrorReport.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/ImageList.h"
#include "framework/Wnd.h"
#include "view/Quorbel6View.h"

#include <windows.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace uikit_test {

// The background of the host window: no control paints it by itself.
constexpr COLORREF kHostColor = RGB(20, 160, 60);
constexpr COLORREF kPanelGreyColor = RGB(185, 185, 185);

inline void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Paints the window and its children now.
inline void RepaintNow(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// A pixel of the window's client area as the window surface holds it (the
// null display driver keeps a surface for visible windows).
inline COLORREF PixelOf(HWND window, int x, int y)
{
    CClientDC dc(window);
    return ::GetPixel(dc, x, y) & 0xFFFFFF;
}

inline COLORREF SysColor(int index)
{
    return ::GetSysColor(index) & 0xFFFFFF;
}

// How many pixels of a client rectangle have exactly that colour.
inline int CountPixels(HWND window, const RECT& rect, COLORREF color)
{
    CClientDC dc(window);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if ((::GetPixel(dc, x, y) & 0xFFFFFF) == color)
                ++count;
    return count;
}

// The leftmost column of the rectangle holding a pixel that differs from
// `background`; -1 when there is none.
inline int FirstInkColumn(HWND window, const RECT& rect, COLORREF background)
{
    CClientDC dc(window);
    for (int x = rect.left; x < rect.right; ++x)
        for (int y = rect.top; y < rect.bottom; ++y)
            if ((::GetPixel(dc, x, y) & 0xFFFFFF) != background)
                return x;
    return -1;
}

// A visible top-level window with a plain background that does not clip its
// children, so whatever a control leaves unpainted shows the host's colour.
// It counts the control notifications that reach it.
class CHostWindow : public CWnd {
public:
    CHostWindow()
    {
        static CBrush background;
        if (!background.IsValid())
            background.CreateSolidBrush(kHostColor);
        LPCSTR className = RegisterFrameworkWindowClass(0, ::LoadCursorA(nullptr, IDC_ARROW), background);
        CreateEx(0, className, "host", WS_POPUP | WS_VISIBLE, 0, 0, 420, 320, nullptr, nullptr);
    }
    ~CHostWindow() override
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }

    // Notifications seen, by (control id, code).
    std::map<std::pair<UINT, UINT>, int> m_notifications;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (CWnd::OnCommand(wParam, lParam))
            return TRUE;
        if (lParam)
            ++m_notifications[{LOWORD(wParam), HIWORD(wParam)}];
        return TRUE;
    }
    int Count(UINT id, UINT code) const
    {
        const auto found = m_notifications.find({id, code});
        return found == m_notifications.end() ? 0 : found->second;
    }
};

// The program's application object with a main frame whose active view is a
// label view: the panel painters of the controls need it. Without a bitmap
// on the application the panel is plain grey.
class ProgramWithView {
public:
    ProgramWithView()
    {
        m_frame = new CFrameWnd;  // deletes itself with its window
        m_frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, nullptr, 0,
                        nullptr);
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CQuorbel6View);
        m_view = dynamic_cast<CQuorbel6View*>(m_frame->CreateView(&context, FWID_PANE_FIRST));
        m_frame->SetActiveView(m_view, FALSE);
        m_app.m_pMainWnd = m_frame;
    }
    ~ProgramWithView()
    {
        HWND frame = m_frame->GetSafeHwnd();
        m_app.m_pMainWnd = nullptr;
        if (frame)
            ::DestroyWindow(frame);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    ProgramWithView(const ProgramWithView&) = delete;
    ProgramWithView& operator=(const ProgramWithView&) = delete;

    CQuorbel6App& App() { return m_app; }
    CQuorbel6View* View() { return m_view; }

private:
    CQuorbel6App m_app;
    CFrameWnd* m_frame = nullptr;
    CQuorbel6View* m_view = nullptr;
};

// Reports go to the test instead of message boxes.
class NoErrorBoxes {
public:
    NoErrorBoxes() : m_hook([this](const ErrorReport& report) { m_reports.push_back(report.number); }) {}
    const std::vector<int>& Reports() const { return m_reports; }

private:
    std::vector<int> m_reports;
    ScopedErrorReportHook m_hook;
};

// A 16 x 16 image list of one image in a single colour.
inline void MakeSolidImageList(CImageList& list, COLORREF color)
{
    list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
    CClientDC screen(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen, 16, 16);
    {
        CMemoryDC memory(screen);
        CSelectGuard selected(memory, bitmap);
        memory.FillSolidRect(RECT{0, 0, 16, 16}, color);
    }
    list.Add(bitmap, RGB(255, 0, 255));
}

inline RECT ClientOf(const CWnd& window)
{
    RECT rect{};
    window.GetClientRect(&rect);
    return rect;
}

}  // namespace uikit_test
