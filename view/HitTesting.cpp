// Presses in the view: what lies under the pointer, which of it becomes the
// selection, and the start of a drag of the selected object.
#include "view/Quorbel6View.h"

#include "framework/ClipboardOwner.h"

#include "framework/ErrorReport.h"
#include "label/HitTest.h"
#include <algorithm>

CString CQuorbel6View::HitTestObject(POINT screenPoint)
{
    return Guarded(92, ErrorSink::Window(this), CString(), [&] {
        POINT client = screenPoint;
        if (m_hWnd)
            ::ScreenToClient(m_hWnd, &client);
        const CLabelModel& model = Model();
        std::vector<HitTest::DiscRing> rings;
        const struct
        {
            const char* name;
            const char* outer;
            const char* inner;
            const DiscGeometry& geometry;
        } discs[] = {{"Disc 1", "Outer Radius", "Inner Radius", model.Geometry().disc1},
                     {"Disc 2", "Outer Radius2", "Inner Radius2", model.Geometry().disc2}};
        for (const auto& disc : discs) {
            HitTest::DiscRing ring;
            ring.name = disc.name;
            ring.onPage = model.GetPropertyValue(disc.name, "Page") == model.Shown().page;
            if (ring.onPage) {
                ring.outer = GetSurfaceRect(disc.outer);
                ring.inner = GetSurfaceRect(disc.inner);
            }
            ring.outerDiameter = disc.geometry.outerDiameter;
            rings.push_back(ring);
        }
        const HitTest::Probe probe{client, ScreenToDocPoint(screenPoint), m_sizePaper, model.Shown().page};
        const HitTest::Hit hit = HitTest::BestHit(model.Rows(), rings, probe, m_hitList);
        if (!hit.name.IsEmpty())
            m_strCurrentPart = hit.part;
        return hit.name;
    });
}

std::vector<CString> CQuorbel6View::CollectHits(POINT clientPoint)
{
    POINT screen = clientPoint;
    if (m_hWnd)
        ::ClientToScreen(m_hWnd, &screen);
    m_hitList.clear();
    m_keptHitList.clear();
    for (;;) {
        const CString name = HitTestObject(screen);
        // A name met twice would never end the walk.
        if (name.IsEmpty() || std::find(m_hitList.begin(), m_hitList.end(), name) != m_hitList.end())
            break;
        m_hitList.push_back(name);
        m_keptHitList.push_back(name);
    }
    return m_keptHitList;
}

void CQuorbel6View::TellFramePress()
{
    IViewFrame* frame = ViewFrame();
    if (!frame)
        return;
    frame->ClearTextFieldFocus();
    CClipboardOwner clipboard(m_hWnd, 1);  // busy: leave the flag as it is
    if (clipboard.IsOpen())
        frame->SetPastePossible(::IsClipboardFormatAvailable(CF_DIB) != FALSE || HasCopiedObjects());
}

void CQuorbel6View::SelectHit(const CString& name)
{
    m_strSelectedObject = name;
    m_strDragMode.Empty();
    m_nSelectionHandles = 0;
    ReloadSelection();
    const CString surface = SurfaceOfObject(m_strSelectedObject);
    if (!surface.IsEmpty())
        Model().Shown().surface = surface;

    // A single CD has one disc: a press on the second disc's place moves it there.
    if (m_strSelectedObject == "Disc 2" && Model().Shown().layout == "Single") {
        ApplyProperty("Disc 1", "Label Position", m_selectionCache[8] == "Top" ? "Top" : "Bottom");
        CommitUndoStep();
        Model().Shown().surface = "Disc 1";
        m_strSelectedObject = "Disc 1";
    }
    ShowSurface("");
}

void CQuorbel6View::OnLButtonDown(UINT, POINT point)
{
    Guarded(78, ErrorSink::Window(this), [&] {
        KillSelectionTimer();
        m_ptPress = point;
        m_ptCurrent = point;
        m_ptLastClick = point;
        SetCapture();
        m_bMouseDown = 1;
        TellFramePress();

        bool startsDrag = !m_strDragMode.IsEmpty() && m_strDragMode != "Cover" && !m_bReselect;
        const std::vector<CString> previous = m_keptHitList;
        std::vector<CString> hits;
        CString smallerOnTop;
        if (startsDrag && m_strDragMode == "Move") {
            // Inside the selection a smaller object lying on it (a text on a
            // background picture) takes the press, as it would without a
            // selection: the smallest object under the pointer comes first.
            hits = CollectHits(point);
            HitTest::ApplyPrecedence(hits);
            smallerOnTop = HitTest::SmallerObjectAbove(Model().Rows(), hits, m_strSelectedObject);
            if (!smallerOnTop.IsEmpty())
                startsDrag = false;
            else
                m_keptHitList = previous;
        }
        if (!startsDrag) {
            m_bReselect = 0;
            if (smallerOnTop.IsEmpty()) {
                hits = CollectHits(point);
                HitTest::ApplyPrecedence(hits);
            }
            if (hits.empty()) {
                if (IViewFrame* frame = ViewFrame())
                    frame->SetSelectionState(FALSE);
                return;
            }
            m_keptHitList = hits;
            // Not a step of cycling: the selection was under the object pressed.
            const CString chosen = !smallerOnTop.IsEmpty()
                                       ? smallerOnTop
                                       : HitTest::ChooseHit(hits, previous, m_strSelectedObject,
                                                            m_bSurfaceJustSwitched != 0);
            m_bSurfaceJustSwitched = 0;
            SelectHit(chosen);
        }

        m_nSelectionHandles = 8;
        UpdateSelection();

        if (m_strDragMode.IsEmpty() || m_strDragMode == "Cover") {
            if (IViewFrame* frame = ViewFrame())
                frame->ShowObject(m_strSelectedObject);
            if (m_hWnd)
                SetFocus();
            return;
        }
        // A drag begins: only the rubber band shows until the release.
        RestoreUnderSelection();
        CClientDC dc(m_hWnd);
        DrawInvertFrame(dc.m_hDC, m_rcSelection.left, m_rcSelection.top, m_rcSelection.right, m_rcSelection.bottom);
        RECT converted = DocToScreenRect(m_rcSelectionLabel);
        if (m_hWnd)
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&converted), 2);
        m_sizeBandCorrection =
            SIZE{converted.right - m_rcSelection.right, converted.bottom - m_rcSelection.bottom};
    });
}

void CQuorbel6View::OnLButtonDblClk(UINT flags, POINT point)
{
    // A double click selects anew (and cycles) instead of dragging.
    m_bReselect = 1;
    OnLButtonDown(flags, point);
}

void CQuorbel6View::OnRButtonDown(UINT flags, POINT point)
{
    Guarded(84, ErrorSink::Window(this), [&] {
        m_ptLastClick = point;
        if (m_bMouseDown)
            return;
        std::vector<CString> hits = CollectHits(point);
        if (hits.empty())
            return;
        // Only the page rule: a right press never cycles.
        HitTest::DropPageUnlessAlone(hits);
        m_keptHitList = hits;
        const bool keep = std::find(hits.begin(), hits.end(), m_strSelectedObject) != hits.end();
        SelectHit(keep ? m_strSelectedObject : hits.front());
        m_strDragMode.Empty();
        m_nSelectionHandles = 8;
        UpdateSelection();
        if (IViewFrame* frame = ViewFrame())
            frame->ShowObject(m_strSelectedObject);
        TellFramePress();
    });
    CScrollView::OnRButtonDown(flags, point);
}
