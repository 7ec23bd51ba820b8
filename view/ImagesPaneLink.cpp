// What the Images pane asks of the view: a picture file as the background of
// the part shown, and a picture dropped on a cover or disc as an image object.
#include "view/Quorbel6View.h"

#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "imaging/PictureFile.h"
#include "label/Surface.h"
#include "shell/AppMessageDlg.h"
#include "shell/MainFrame.h"
#include "view/ImageFilters.h"

namespace {

constexpr char kImageDropRefused[] =
    "The image was not inserted: drop it on a cover, or on the printable ring of a disc.";

CImageBar* FrameImagesPane()
{
    auto* frame = dynamic_cast<CMainFrame*>(GetAppMainWnd());
    return frame && frame->ImagesPane().m_hWnd ? &frame->ImagesPane() : nullptr;
}

// Adds an ellipse in the square `rect` to `region`, or takes it out.
void CombineEllipse(HRGN region, const RECT& rect, int mode)
{
    HRGN ellipse = ::CreateEllipticRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    if (!ellipse)
        return;
    ::CombineRgn(region, region, ellipse, mode);
    ::DeleteObject(ellipse);
}

void AddRect(HRGN region, const RECT& rect)
{
    HRGN part = ::CreateRectRgnIndirect(&rect);
    if (!part)
        return;
    ::CombineRgn(region, region, part, RGN_OR);
    ::DeleteObject(part);
}

}  // namespace

void CQuorbel6View::ApplyBackgroundFile(const CString& path)
{
    SetBackgroundFromFile(path);
}

void CQuorbel6View::ClearShownBackground()
{
    RemoveOtherBackground(true, "");
}

bool CQuorbel6View::IsImageDropTarget(const RECT& screenRect, const RECT& leftOut)
{
    return Guarded(489, ErrorSink::Window(this), false, [&] {
        if (!m_hWnd)
            return false;
        // The covers and the disc rings of the page shown, in client pixels.
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        if (!region)
            return false;
        const CString page = Model().Shown().page;
        auto onPage = [&](const char* surface) { return Model().Placement().PageOf(SurfaceFromName(surface)) == page; };
        if (onPage("Disc 1")) {
            CombineEllipse(region, GetSurfaceRect("Outer Radius"), RGN_OR);
            CombineEllipse(region, GetSurfaceRect("Inner Radius"), RGN_DIFF);
        }
        if (Model().Shown().layout == "Double" && onPage("Disc 2")) {
            HRGN ring = ::CreateRectRgn(0, 0, 0, 0);
            CombineEllipse(ring, GetSurfaceRect("Outer Radius2"), RGN_OR);
            CombineEllipse(ring, GetSurfaceRect("Inner Radius2"), RGN_DIFF);
            ::CombineRgn(region, region, ring, RGN_OR);
            ::DeleteObject(ring);
        }
        if (onPage("Back Cover"))
            AddRect(region, GetSurfaceRect("Back Cover All"));
        if (onPage("Front Cover"))
            AddRect(region, GetSurfaceRect("Front Cover"));
        RECT client{};
        GetClientRect(&client);
        HRGN visible = ::CreateRectRgnIndirect(&client);
        ::CombineRgn(region, region, visible, RGN_AND);
        ::DeleteObject(visible);
        if (!::IsRectEmpty(&leftOut)) {
            RECT excluded = leftOut;
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&excluded), 2);
            HRGN cut = ::CreateRectRgnIndirect(&excluded);
            ::CombineRgn(region, region, cut, RGN_DIFF);
            ::DeleteObject(cut);
        }

        RECT target = screenRect;
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&target), 2);
        const bool touches = ::RectInRegion(region, &target) != FALSE;
        ::DeleteObject(region);
        return touches;
    });
}

bool CQuorbel6View::DropImageFile(const CString& path, const RECT& screenRect)
{
    return Guarded(490, ErrorSink::Window(this), false, [&] {
        // Checked before the picture is stored: a place no surface takes
        // would leave it in a slot nothing uses.
        if (GetSurfaceUnderRect(screenRect).IsEmpty()) {
            RefuseImageDrop(screenRect);
            return false;
        }
        if (!LoadImageFile(ReadPictureFile(path), path, -1))
            return false;
        AddImageObject(screenRect, "Inside", false, true);
        return true;
    });
}

void CQuorbel6View::RefuseImageDrop(const RECT& screenRect)
{
    Guarded(618, ErrorSink::Window(this), [&] {
        if (!m_hWnd)
            return;
        RECT client{};
        GetClientRect(&client);
        RECT released = screenRect;
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&released), 2);
        RECT overlap{};
        if (::IntersectRect(&overlap, &client, &released))
            CAppMessageDlg::Show(kImageDropRefused, CAppMessageDlg::kIconExclamation, "OK`");
    });
}

void CQuorbel6View::LinkImagesPane()
{
    Guarded(76, ErrorSink::Window(this), [&] {
        CImageBar* pane = FrameImagesPane();
        if (!pane)
            return;
        pane->AttachTarget(this);
        const CAppSettings& settings = AppSettings();
        pane->Panel().LoadImages(settings.m_strBrowseDefaultPath, ImageFilterForIndex(settings.m_nBrowseFilter),
                                 settings.m_nBrowseSubfolder != 0);
    });
}

void CQuorbel6View::UnlinkImagesPane()
{
    if (CImageBar* pane = FrameImagesPane())
        pane->AttachTarget(nullptr);
}
