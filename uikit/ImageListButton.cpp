#include "uikit/ImageListButton.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "uikit/UiResources.h"

IMPLEMENT_DYNAMIC(CImageListButton, CButton)

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);

bool LoadSideBitmap(CBitmap& bitmap, UINT id)
{
    const CUiResources* resources = UiResources();
    // Windows 95 reads bitmap resources as device-dependent bitmaps only.
    if (resources && resources->IsWindows95())
        return bitmap.LoadBitmap(id);
    return bitmap.LoadDIBSection(id);
}

}  // namespace

CImageListButton::CImageListButton()
{
    Guarded(574, ErrorSink::App(), [&] {
        if (!m_images.Create(kWidth, kHeight, ILC_COLOR24 | ILC_MASK, 2, 0))
            return;
        for (UINT id : {IDB_SIDE_SWITCH_FRONT, IDB_SIDE_SWITCH_BACK}) {
            CBitmap bitmap;
            if (LoadSideBitmap(bitmap, id))
                m_images.Add(bitmap, kTransparent);
        }
    });
}

void CImageListButton::PreSubclassWindow()
{
    Guarded(575, ErrorSink::Window(this), [&] {
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
        SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

void CImageListButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Guarded(576, ErrorSink::Window(this),
            [&] { m_images.Draw(item->hDC, m_bLeftPart ? 0 : 1, POINT{0, 0}, ILD_NORMAL); });
}

void CImageListButton::OnLButtonDown(UINT flags, POINT point)
{
    Guarded(577, ErrorSink::Window(this), [&] {
        m_bLeftPart = point.x < kLeftPartWidth;
        CButton::OnLButtonDown(flags, point);
        auto* owner = dynamic_cast<CImageListButtonOwner*>(GetParent());
        if (owner)
            owner->OnImageListButtonClicked();
    });
}
