// Loading the selected object: its first rows into the selection cache and
// its box on the screen and on the sheet.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "label/LabelRows.h"

namespace
{
// The cache entry of an object's "Left" row, by item type.
int FirstPositionEntry(const CString& itemType)
{
    if (itemType == "Text" || itemType == "Track")
        return 5;
    if (itemType == "Image" || itemType == "Boundary")
        return 4;
    if (itemType == "Page")
        return 3;
    return 2;  // "Cover"
}

bool IsDiscName(const CString& name)
{
    return name == "Disc 1" || name == "Disc 2";
}
}  // namespace

CQuorbel6View::SelectionBox CQuorbel6View::LoadSelection()
{
    return Guarded(40, ErrorSink::Window(this), SelectionBox{m_rcSelection, m_rcSelectionLabel}, [&] {
        SelectionBox box{m_rcSelection, m_rcSelectionLabel};
        int first = FindObjectRow(m_strSelectedObject);
        if (first < 0) {
            // A selection whose object has gone falls back to the page shown,
            // once; a label without that page has nothing to select.
            m_strSelectedObject = "Page " + Model().Shown().page;
            first = FindObjectRow(m_strSelectedObject);
            if (first < 0) {
                m_strSelectedObject.Empty();
                m_strCurrentPart.Empty();
                m_selectionCache.fill(CString());
                m_nSelectionHandles = 0;
                m_hitRegion.DeleteObject();
                return SelectionBox{};
            }
        }

        const PropertyRows& rows = Model().Rows();
        const int end = LabelRows::EndOfObject(rows, first);
        m_strCurrentPart.Empty();
        for (int entry = 0; entry < kSelectionCacheSize; ++entry) {
            const int row = first + entry;
            if (row < end) {
                const PropertyEntry& property = rows[static_cast<size_t>(row)];
                m_selectionCache[static_cast<size_t>(entry)] = property.m_strValue;
                if (property.m_strKey == "View")
                    m_strCurrentPart = property.m_strChoices;
            } else {
                m_selectionCache[static_cast<size_t>(entry)].Empty();
            }
        }
        if (m_strCurrentPart.IsEmpty())
            m_strCurrentPart =
                m_strSelectedObject == "Left Tab" || m_strSelectedObject == "Right Tab" ? m_strSelectedObject : "Inside";

        const CString& itemType = m_selectionCache[0];
        const int position = FirstPositionEntry(itemType);
        auto length = [&](int entry) { return LabelRows::ReadLength(m_selectionCache[static_cast<size_t>(entry)]); };
        RECT screen{};
        if (IsDiscName(m_strSelectedObject)) {
            const int x = DocToScreenLength(length(2));
            const int y = DocToScreenLength(length(3));
            const int radius = DocToScreenLength(length(5)) / 2;
            screen = RECT{x, y, x + 2 * radius, y + 2 * radius};
        } else {
            const int left = length(position);
            const int top = length(position + 1);
            const int width = length(position + 2);
            const int height = length(position + 3);
            box.label = RECT{left, top, left + width, top + height};
            screen.left = DocToScreenLength(left);
            screen.top = DocToScreenLength(top);
            screen.right = screen.left + DocToScreenLength(width);
            screen.bottom = screen.top + DocToScreenLength(height);
        }

        // The box on screen meets the surfaces' drawn edges.
        const ScreenGeometry& drawn = m_renderer.Geometry();
        const CString& surface = Model().Shown().surface;
        if (m_strSelectedObject == "Left Tab") {
            screen.right = drawn.back.left + drawn.back.tab + 1;
        } else if (m_strSelectedObject == "Right Tab") {
            screen.right = drawn.back.left + drawn.back.width;
            screen.left = screen.right - drawn.back.tab - 1;
        } else if (m_strSelectedObject == "Front Cover (Inside)") {
            screen.right += 1;
        } else if (IsDiscName(surface) && itemType != "Page") {
            const ScreenDisc& disc = surface == "Disc 1" ? drawn.disc1 : drawn.disc2;
            if (screen.left < disc.left)
                screen.left += 1;
            if (screen.top < disc.top)
                screen.top += 1;
        }

        const POINT scroll = GetDeviceScrollPosition();
        ::OffsetRect(&screen, -scroll.x - m_ptPageOrigin.x, -scroll.y - m_ptPageOrigin.y);
        box.screen = screen;

        m_hitRegion.DeleteObject();
        if (IsDiscName(m_strSelectedObject))
            m_hitRegion.CreateEllipticRgn(screen.left, screen.top, screen.right, screen.bottom);
        else
            m_hitRegion.CreateRectRgn(0, 0, 0, 0);
        SetDragLimits();
        return box;
    });
}

CString CQuorbel6View::SurfaceOfObject(const CString& objectName) const
{
    const CLabelModel& model = Model();
    const int first = model.FindObjectRow(objectName);
    if (first < 0)
        return CString();
    const int end = model.NextObjectRow(first);
    const auto value = [&](int entry) { return first + entry < end ? model.Row(first + entry).m_strValue : CString(); };
    const CString itemType = value(0);
    if (itemType == "Text" || itemType == "Track")
        return value(3);
    if (itemType == "Image" || itemType == "Boundary")
        return value(2);
    if (itemType == "Cover")
        return objectName;
    return CString();
}

void CQuorbel6View::ShowSurfaceOfSelection()
{
    const CString surface = SurfaceOfObject(m_strSelectedObject);
    LabelShown& shown = Model().Shown();
    if (surface.IsEmpty() || surface == shown.surface)
        return;
    shown.surface = surface;
    const CString& page = Model().Placement().PageOf(SurfaceFromName(surface));
    if (!page.IsEmpty() && page != shown.page) {
        // Another sheet: the page is placed anew and the surface scrolled into view.
        shown.page = page;
        ScrollToCurrentPart(false);
    }
    ShowSurface("");
    ReloadSelection();
}

void CQuorbel6View::ReloadSelection()
{
    const SelectionBox box = LoadSelection();
    m_rcSelection = box.screen;
    m_rcSelectionLabel = box.label;
}

void CQuorbel6View::ResetSelection()
{
    KillSelectionTimer();
    m_strSelectedObject.Empty();
    m_strCurrentPart.Empty();
    m_strDragMode.Empty();
    m_bSurfaceJustSwitched = 0;
    m_bReselect = 0;
    m_selectionCache.fill(CString());
    m_ptPress = POINT{};
    m_ptCurrent = POINT{};
    m_hitList.clear();
    m_keptHitList.clear();
    m_nSelectionHandles = 0;
    m_rcHandles.fill(RECT{});
    m_rcSelection = RECT{};
    m_rcSelectionLabel = RECT{};
    m_hitRegion.DeleteObject();
}
