#include "uikit/CaptionFrameButton.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "uikit/ControlText.h"
#include "uikit/EdgeDrawing.h"

IMPLEMENT_DYNAMIC(CCaptionFrameButton, CButton)

namespace {

constexpr int kCaptionIndent = 10;

// The outline of `r`, leaving out the top edge between gapLeft and gapRight.
void FrameWithGap(HDC dc, const RECT& r, int gapLeft, int gapRight, COLORREF color)
{
    if (gapRight > gapLeft) {
        DrawLine(dc, r.left, r.top, gapLeft, r.top, color);
        DrawLine(dc, gapRight, r.top, r.right - 1, r.top, color);
    } else {
        DrawLine(dc, r.left, r.top, r.right - 1, r.top, color);
    }
    DrawLine(dc, r.left, r.top, r.left, r.bottom - 1, color);
    DrawLine(dc, r.right - 1, r.top, r.right - 1, r.bottom, color);
    DrawLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, color);
}

}  // namespace

void CCaptionFrameButton::PreSubclassWindow()
{
    ModifyStyle(0, BS_TYPEMASK);
    EnableWindow(FALSE);
}

LRESULT CCaptionFrameButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CButton::WindowProc(message, wParam, lParam);
    // The system's button paints some changes at once, not through WM_PAINT;
    // the frame is painted over again.
    if (message == WM_SETTEXT || message == WM_ENABLE || message == WM_SETFONT)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return result;
}

void CCaptionFrameButton::OnPaint()
{
    CPaintDC paint(m_hWnd);
    Guarded(382, ErrorSink::Window(this), [&] {
        HDC dc = paint.m_hDC;
        CControlTextScope textScope(dc, m_hWnd);

        const CString text = WindowTextOf(m_hWnd);
        CString caption;
        caption.Format(" %s ", text.c_str());
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, caption, caption.GetLength(), &extent);
        const int captionWidth = text.IsEmpty() ? 0 : extent.cx;
        const int textHeight = extent.cy;

        RECT frame{};
        GetWindowRect(&frame);
        ScreenToClient(&frame);
        const DWORD exStyle = GetExStyle();
        const bool modalFrame = (exStyle & WS_EX_DLGMODALFRAME) != 0;
        if (modalFrame) {
            InflateRect(&frame, -2 * ::GetSystemMetrics(SM_CXEDGE), -2 * ::GetSystemMetrics(SM_CYEDGE));
            --frame.left;
        }
        if (exStyle & WS_EX_CLIENTEDGE) {
            InflateRect(&frame, -(::GetSystemMetrics(SM_CXEDGE) + 1), -(::GetSystemMetrics(SM_CYEDGE) + 1));
            --frame.left;
            if (modalFrame)
                ++frame.right;
        }
        if (exStyle & WS_EX_STATICEDGE) {
            InflateRect(&frame, -2 * ::GetSystemMetrics(SM_CXBORDER), -2 * ::GetSystemMetrics(SM_CYBORDER));
            --frame.left;
        }

        const DWORD style = GetStyle();
        int captionLeft = frame.left + kCaptionIndent;
        if ((style & BS_CENTER) == BS_CENTER)
            captionLeft = frame.left + (frame.right - frame.left - captionWidth) / 2;
        else if (style & BS_RIGHT)
            captionLeft = frame.right - kCaptionIndent - captionWidth;
        const int captionRight = captionLeft + captionWidth;

        RECT outline = frame;
        outline.top += textHeight / 2;
        RECT outer = outline;
        RECT inner = outline;
        if (style & BS_FLAT) {
            InflateRect(&inner, -1, -1);
            FrameWithGap(dc, outer, captionLeft, captionRight, RGB(0, 0, 0));
            FrameWithGap(dc, inner, captionLeft, captionRight, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        } else {
            --outer.right;
            --outer.bottom;
            ++inner.left;
            ++inner.top;
            FrameWithGap(dc, outer, captionLeft, captionRight, ::GetSysColor(COLOR_BTNSHADOW));
            FrameWithGap(dc, inner, captionLeft, captionRight, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }

        if (extraLine) {
            DrawLine(dc, outline.left, outline.bottom - 1, outline.right, outline.bottom - 1, RGB(0, 0, 0));
            DrawLine(dc, outline.right - 1, outline.top, outline.right - 1, outline.bottom, RGB(0, 0, 0));
        }

        if (!text.IsEmpty()) {
            RECT captionRect{captionLeft, frame.top, captionRight, frame.top + textHeight};
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
            ::DrawTextA(dc, caption, -1, &captionRect, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
        }
    });
}
