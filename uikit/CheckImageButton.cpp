#include "uikit/CheckImageButton.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "uikit/ControlText.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CCheckImageButton, CButton)

namespace {

constexpr int kImageSize = 13;
constexpr int kTextLeft = 18;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

enum Image { ClearImage, SetImage, DisabledImage };

}  // namespace

CCheckImageButton::CCheckImageButton()
{
    Guarded(584, ErrorSink::Window(static_cast<HWND>(nullptr)), [&] {
        m_images.Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 3, 0);
        for (UINT id : {IDB_CHECK_BOX_CLEAR, IDB_CHECK_BOX_SET, IDB_CHECK_BOX_DISABLED}) {
            CBitmap bitmap;
            if (bitmap.LoadBitmap(id))
                m_images.Add(bitmap, kTransparent);
        }
    });
}

void CCheckImageButton::SetChecked(bool checked)
{
    checkState = checked;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CCheckImageButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Guarded(585, ErrorSink::Window(this), [&] {
        HDC dc = item->hDC;
        POINT position{0, 0};
        ::MapWindowPoints(m_hWnd, ::GetParent(m_hWnd), &position, 1);
        // Tiled as the parent's background is, so the button's piece lines up with the panel around it.
        TilePanelTexture(dc, item->rcItem, POINT{-position.x, -position.y});

        const int image = !IsWindowEnabled() ? DisabledImage : checkState ? SetImage : ClearImage;
        m_images.Draw(dc, image, POINT{0, 0}, ILD_TRANSPARENT);

        CControlTextScope textScope(dc, m_hWnd);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        const CString text = WindowTextOf(m_hWnd);
        RECT textRect = item->rcItem;
        textRect.left = kTextLeft;
        ::DrawTextA(dc, text, -1, &textRect, DT_NOCLIP);
    });
}

void CCheckImageButton::OnLButtonDown(UINT flags, POINT point)
{
    Guarded(588, ErrorSink::Window(this), [&] { checkState = !checkState; });
    CButton::OnLButtonDown(flags, point);
}
