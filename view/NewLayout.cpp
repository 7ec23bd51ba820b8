// A new layout from the chosen label papers, the rectangles of the named
// surface parts and the drag limits.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "label/NewLayout.h"

namespace {

// The chosen paper of a kind, or the built-in one when the store has none.
CLabelDim ChosenPaper(const std::vector<std::unique_ptr<CLabelDim>>& papers, int index, int kind)
{
    if (index >= 0 && index < static_cast<int>(papers.size()) && papers[static_cast<size_t>(index)] &&
        papers[static_cast<size_t>(index)]->m_nType == kind)
        return *papers[static_cast<size_t>(index)];
    return kind == CLabelDim::kDiscLabels ? CLabelDim::GenericDiscLabels() : CLabelDim::PlainPaper();
}

}  // namespace

void CQuorbel6View::CreateSurfaceProperties(int)
{
    Guarded(44, ErrorSink::Window(this), [&] {
        AddLayoutRows(Model(), ChosenPaper(m_labelTemplates, m_nJewelTemplate, CLabelDim::kJewelCase),
                      ChosenPaper(m_labelTemplates, m_nDiscTemplate, CLabelDim::kDiscLabels));
        m_renderer.SetModel(Model());
        m_renderer.UpdateGeometry();
    });
}

void CQuorbel6View::LoadLayoutGeometry()
{
    Guarded(43, ErrorSink::Window(this), [&] {
        Model().LoadLayoutGeometry();
        m_renderer.SetModel(Model());
        m_renderer.UpdateGeometry();
    });
}

void CQuorbel6View::AddInsideCoverBoundary()
{
    Guarded(1, ErrorSink::Window(this), [&] { ::AddInsideCoverBoundary(Model()); });
}

RECT CQuorbel6View::GetSurfaceRect(const CString& partName)
{
    return Guarded(32, ErrorSink::Window(this), RECT{}, [&]() -> RECT {
        const ScreenBackCover& back = m_renderer.Geometry().back;
        const ScreenFrontCover& front = m_renderer.Geometry().front;
        auto discSquare = [](const ScreenDisc& disc) {
            return RECT{disc.left, disc.top, disc.left + disc.outerDiameter, disc.top + disc.outerDiameter};
        };
        auto holeSquare = [](const ScreenDisc& disc) {
            const int offset = disc.outerDiameter / 2 - disc.innerDiameter / 2;
            return RECT{disc.left + offset, disc.top + offset, disc.left + offset + disc.innerDiameter,
                        disc.top + offset + disc.innerDiameter};
        };

        RECT rect{};
        if (partName == "Back Cover")
            rect = RECT{back.left + back.tab, back.top, back.left + back.width - back.tab, back.top + back.height};
        else if (partName == "Back Cover All")
            rect = RECT{back.left, back.top, back.left + back.width, back.top + back.height};
        else if (partName == "Front Cover")
            rect = RECT{front.left, front.top, front.left + front.width, front.top + front.height};
        else if (partName == "Left Tab")
            rect = RECT{back.left, back.top, back.left + back.tab, back.top + back.height};
        else if (partName == "Right Tab")
            rect = RECT{back.left + back.width - back.tab, back.top, back.left + back.width, back.top + back.height};
        else if (partName == "Outer Radius")
            rect = discSquare(m_renderer.Geometry().disc1);
        else if (partName == "Outer Radius2")
            rect = discSquare(m_renderer.Geometry().disc2);
        else if (partName == "Inner Radius")
            rect = holeSquare(m_renderer.Geometry().disc1);
        else if (partName == "Inner Radius2")
            rect = holeSquare(m_renderer.Geometry().disc2);
        else
            return RECT{};

        const POINT scroll = GetDeviceScrollPosition();
        OffsetRect(&rect, -m_ptPageOrigin.x - scroll.x, -m_ptPageOrigin.y - scroll.y);
        return rect;
    });
}

void CQuorbel6View::SetDragLimits()
{
    // An image may go anywhere on the sheet; everything else stays on its surface.
    const int selected = FindObjectRow(m_strSelectedObject);
    if (selected >= 0 && Model().Rows()[static_cast<size_t>(selected)].m_strValue == "Image") {
        m_rcDragLimits = RECT{0, 0, m_sizePaper.cx, m_sizePaper.cy};
        return;
    }
    // The object's own surface bounds it, whichever surface is shown.
    CString surface = SurfaceOfObject(m_strSelectedObject);
    if (surface.IsEmpty())
        surface = Model().Shown().surface;
    if (surface == "Back Cover") {
        const BackCoverGeometry& back = Model().Placement().geometry.back;
        m_rcDragLimits = RECT{back.left, back.top, back.left + back.width, back.top + back.height};
    } else if (surface == "Front Cover") {
        const FrontCoverGeometry& front = Model().Placement().geometry.front;
        m_rcDragLimits = RECT{front.left, front.top, front.left + front.width, front.top + front.height};
    } else if (surface == "Disc 1" || surface == "Disc 2") {
        const DiscGeometry& disc = surface == "Disc 1" ? Model().Placement().geometry.disc1 : Model().Placement().geometry.disc2;
        m_rcDragLimits = RECT{disc.left, disc.top, disc.left + disc.outerDiameter, disc.top + disc.outerDiameter};
    }
}
