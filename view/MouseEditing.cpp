// Dragging and resizing the selected object with the mouse: the rubber band
// while the button is held, the rows written once at the release.
#include "view/Quorbel6View.h"

#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "label/DragGeometry.h"
#include "label/LabelRows.h"

RECT CQuorbel6View::DraggedLabelRect() const
{
    const RECT offset = DeviceToDocRect(RECT{0, 0, m_ptCurrent.x - m_ptPress.x, m_ptCurrent.y - m_ptPress.y});
    return DragGeometry::DraggedRect(m_rcSelectionLabel, m_strDragMode, offset.right, offset.bottom,
                                     m_bSnapToGrid != 0, SIZE{m_nGridSpacingX, m_nGridSpacingY});
}

RECT CQuorbel6View::ClampDragRect(const RECT& rect) const
{
    return Guarded(106, ErrorSink::Window(this), rect, [&] {
        DragGeometry::AspectFit fit;
        if (m_selectionCache[0] == "Image" && m_selectionCache[8] == "Yes") {
            const int imageNumber = ParseLeadingInt(m_selectionCache[3]);
            fit = [this, imageNumber](double& width, double& height) {
                return KeepImageAspect(width, height, imageNumber);
            };
        }
        return DragGeometry::ClampDragRect(rect, m_strDragMode, m_rcDragLimits, fit);
    });
}

void CQuorbel6View::OnMouseMove(UINT flags, POINT point)
{
    Guarded(80, ErrorSink::Window(this), [&] {
        const RECT none{};
        if (!m_bMouseDown || flags != MK_LBUTTON || m_strDragMode.IsEmpty() || m_strDragMode == "Cover" ||
            ::EqualRect(&m_rcSelection, &none))
            return;
        KillSelectionTimer();
        m_ptCurrent = point;
        RECT band = DocToScreenRect(ClampDragRect(DraggedLabelRect()));
        if (m_hWnd)
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&band), 2);
        band.right -= m_sizeBandCorrection.cx;
        band.bottom -= m_sizeBandCorrection.cy;
        const RECT old = m_rcSelection;
        m_rcSelection = band;
        if (!m_hWnd)
            return;
        CClientDC dc(m_hWnd);
        DrawInvertFrame(dc.m_hDC, old.left, old.top, old.right, old.bottom);
        DrawInvertFrame(dc.m_hDC, band.left, band.top, band.right, band.bottom);
    });
    CScrollView::OnMouseMove(flags, point);
}

void CQuorbel6View::OnLButtonUp(UINT flags, POINT point)
{
    if (!m_bMouseDown)
        return;
    ::ReleaseCapture();
    m_bMouseDown = 0;
    CScrollView::OnLButtonUp(flags, point);
    Guarded(79, ErrorSink::Window(this), [&] {
        if (m_strSelectedObject.IsEmpty()) {
            ShowSurface("");
            return;
        }
        const bool moved = m_ptCurrent.x != m_ptPress.x || m_ptCurrent.y != m_ptPress.y;
        if (!moved) {
            m_strDragMode.Empty();
            if (m_nSelectionHandles != 0)
                UpdateSelection();
            return;
        }
        if (m_nSelectionHandles > 0) {
            ApplyDrag();
            m_strDragMode.Empty();
            ShowSurface("");
            if (IViewFrame* frame = ViewFrame())
                frame->ShowProperties(m_strSelectedObject);
        }
        m_strDragMode.Empty();
    });
}

bool CQuorbel6View::ApplyDrag()
{
    return Guarded(47, ErrorSink::Window(this), false, [&] {
        const CString itemType = m_selectionCache[0];
        if (itemType != "Text" && itemType != "Track" && itemType != "Image")
            return false;
        RECT rect = m_rcSelectionLabel;
        if (m_ptCurrent.x != m_ptPress.x || m_ptCurrent.y != m_ptPress.y)
            rect = DraggedLabelRect();
        m_ptPress = POINT{};
        m_ptCurrent = POINT{};
        rect = ClampDragRect(rect);
        m_nSelectionHandles = 8;

        const int position = itemType == "Image" ? 4 : 5;
        bool written = false;
        // Writes one length when it differs from the row; the stored value
        // (the setter may refuse or correct it) comes back into the cache.
        auto write = [&](int entry, const char* caption, int wanted, int& stored) {
            CString& cached = m_selectionCache[static_cast<size_t>(entry)];
            if (wanted == LabelRows::ReadLength(cached)) {
                stored = wanted;
                return;
            }
            const CString result =
                ApplyProperty(m_strSelectedObject, caption, LabelRows::ObjectLengthText(wanted));
            written = true;
            if (result.IsEmpty()) {
                // A failed write leaves the row as it was.
                stored = LabelRows::ReadLength(cached);
                return;
            }
            cached = result;
            stored = LabelRows::ReadLength(result);
        };
        int left = rect.left, top = rect.top;
        write(position, "Left", rect.left, left);
        write(position + 1, "Top", rect.top, top);
        int width = rect.right - rect.left, height = rect.bottom - rect.top;
        if (m_strDragMode != "Move") {
            write(position + 2, "Width", width, width);
            write(position + 3, "Height", height, height);
        }
        m_rcSelectionLabel = RECT{left, top, left + width, top + height};
        if (written)
            CommitUndoStep();
        return written;
    });
}
