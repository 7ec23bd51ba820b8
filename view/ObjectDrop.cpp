// What the object tool bar asks of the view: the parts of the page shown that
// take a drop, where a click puts a new object, and the object made there.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

#include <vector>

ObjectDrop::DropParts CQuorbel6View::DropPartsOnScreen()
{
    ObjectDrop::DropParts parts;
    Guarded(615, ErrorSink::Window(this), [&] {
        const CString page = Model().Shown().page;
        const auto onPage = [&](const char* surface) { return GetPropertyValue(surface, "Page") == page; };
        const auto onScreen = [&](const char* part) {
            RECT rect = GetSurfaceRect(part);
            ClientToScreen(&rect);
            return rect;
        };
        if (onPage("Disc 1"))
            parts.disc1 = ObjectDrop::Ring{onScreen("Outer Radius"), onScreen("Inner Radius")};
        if (onPage("Disc 2") && IsDoubleLayout())
            parts.disc2 = ObjectDrop::Ring{onScreen("Outer Radius2"), onScreen("Inner Radius2")};
        if (onPage("Front Cover"))
            parts.frontCover = onScreen("Front Cover");
        if (onPage("Back Cover")) {
            parts.backCover = onScreen("Back Cover");
            parts.leftTab = onScreen("Left Tab");
            parts.rightTab = onScreen("Right Tab");
        }
        RECT client{};
        GetClientRect(&client);
        ClientToScreen(&client);
        parts.client = client;
    });
    return parts;
}

POINT CQuorbel6View::ClickDropPoint()
{
    RECT client{};
    GetClientRect(&client);
    POINT place{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(&place);
    Guarded(616, ErrorSink::Window(this), [&] {
        // The object at the middle decides the surface; the hit list is not this press's.
        const std::vector<CString> kept = m_hitList;
        m_hitList.clear();
        const CString hit = HitTestObject(place);
        m_hitList = kept;
        if (!hit.IsEmpty()) {
            const CString surface = SurfaceOfObject(hit);
            if (!surface.IsEmpty())
                Model().Shown().surface = surface;
        }
        place = PointOnShownSurface();
    });
    return place;
}

POINT CQuorbel6View::PointOnShownSurface()
{
    RECT client{};
    GetClientRect(&client);
    POINT place{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    Guarded(618, ErrorSink::Window(this), [&] {
        const CString shown = Model().Shown().surface;
        if (shown == "Disc 1" || shown == "Disc 2") {
            // The disc's left edge, half way down: the new object's box is
            // then fitted into the disc from there.
            const DiscGeometry& disc = shown == "Disc 2" ? Model().Geometry().disc2 : Model().Geometry().disc1;
            const POINT screen = DocToScreenPoint(POINT{disc.left, disc.top + disc.outerDiameter / 2});
            place = screen;
            ScreenToClient(&place);
            return;
        }
        const auto surfaceRect = [&] { return GetSurfaceRect(shown == "Back Cover" ? "Back Cover" : "Front Cover"); };
        RECT visible{};
        if (const RECT surface = surfaceRect(); !::IntersectRect(&visible, &surface, &client)) {
            // Scrolled out of sight: the surface comes back into view first.
            ScrollToCurrentPart(false);
            ShowSurface("");
            const RECT again = surfaceRect();
            ::IntersectRect(&visible, &again, &client);
        }
        if (!::PtInRect(&visible, place) && !::IsRectEmpty(&visible))
            place = POINT{(visible.left + visible.right) / 2, (visible.top + visible.bottom) / 2};
    });
    ClientToScreen(&place);
    return place;
}

void CQuorbel6View::ShowDropSurface(const CString& surface)
{
    Model().Shown().surface = surface;
}

void CQuorbel6View::CreateDroppedObject(int button, const CString& name, const RECT& outline, const CString& part)
{
    Guarded(617, ErrorSink::Window(this), [&] {
        if (button == ObjectDrop::kAddImage) {
            // A square of 1.25 inches at the zoom, centred on the drop.
            const int half = DocToScreenLength(1250) / 2;
            const POINT centre{(outline.left + outline.right) / 2, (outline.top + outline.bottom) / 2};
            AddImageObject(RECT{centre.x - half, centre.y - half, centre.x + half, centre.y + half}, "Inside", true,
                           true);
        } else if (button == ObjectDrop::kAddTrackList) {
            AddTrackListObject(name, outline, part);
        } else {
            AddTextObject(name, outline, part);
        }
        if (IViewFrame* frame = ViewFrame())
            frame->ShowObject(m_strSelectedObject);
    });
}
