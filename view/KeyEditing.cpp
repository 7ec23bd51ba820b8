// The keys of the view: Delete and Backspace delete the selected object, the
// arrows nudge or resize it by one screen pixel, or scroll a page larger than
// the window.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "view/ViewGeometry.h"

namespace
{
bool IsEditKey(UINT key)
{
    return key == VK_BACK || key == VK_DELETE || key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
}

// The first step of each arrow key in the error numbering.
int FirstStepOfKey(UINT key)
{
    switch (key) {
    case VK_UP: return 5;
    case VK_DOWN: return 8;
    case VK_LEFT: return 11;
    default: return 14;
    }
}
}  // namespace

BOOL CQuorbel6View::PreTranslateMessage(MSG* msg)
{
    if (!msg || msg->message != WM_KEYDOWN)
        return CScrollView::PreTranslateMessage(msg);
    int handled = 0;
    GuardedSteps(93, ErrorSink::Window(this), [&](int& step) {
        step = 1;
        const UINT key = static_cast<UINT>(msg->wParam);
        step = 2;
        if (!IsEditKey(key))
            return;
        if (!m_bGeometryReady) {
            handled = 1;  // no surface shown yet: nothing to move or scroll
            return;
        }
        handled = HandleEditKey(key, step) ? 1 : 0;
    });
    // A failed key counts as handled: it must not reach the window a second time.
    if (handled)
        return TRUE;
    return CScrollView::PreTranslateMessage(msg);
}

bool CQuorbel6View::HandleEditKey(UINT key, int& step)
{
    if (key == VK_BACK || key == VK_DELETE) {
        step = key == VK_BACK ? 3 : 4;
        // Only the view's own keys reach here: in the panes' edit fields the
        // keys keep editing text. Covers, tabs and pages are never deleted.
        if (m_strSelectedObject.IsEmpty())
            return false;
        const CString itemType = Model().GetPropertyValue(m_strSelectedObject, "Item Type");
        if (itemType != "Image" && itemType != "Text" && itemType != "Track")
            return false;
        OnEditDelete();
        return true;
    }
    step = FirstStepOfKey(key);
    const int zoom = Model().Shown().zoom;
    const double scale = 1000.0 / m_nScreenDpi;  // thousandths of an inch per pixel
    const int px = zoom > 0 ? static_cast<int>(scale / (zoom * 0.1)) : 0;
    const int py = px;
    const bool vertical = key == VK_UP || key == VK_DOWN;
    const int sign = key == VK_UP || key == VK_LEFT ? -1 : 1;

    if (!m_strSelectedObject.IsEmpty()) {
        step += 1;
        ReloadSelection();
        const bool resize = ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_SHIFT) < 0;
        RECT& box = m_rcSelectionLabel;
        if (resize) {
            m_strDragMode = vertical ? "Bottom" : "Right";
            if (vertical)
                box.bottom += sign * py;
            else
                box.right += sign * px;
        } else {
            m_strDragMode = "Move";
            ::OffsetRect(&box, vertical ? 0 : sign * px, vertical ? sign * py : 0);
        }
        // Both drag points are 0: the box is taken as it is, without snapping.
        m_ptPress = POINT{};
        m_ptCurrent = POINT{};
        const bool changed = ApplyDrag();
        m_strDragMode.Empty();
        if (changed) {
            ShowSurface("");
            if (IViewFrame* frame = ViewFrame())
                frame->ShowProperties(m_strSelectedObject);
        }
        return true;
    }

    step += 2;
    // Without a selection the arrows scroll a page that is larger than the window.
    const LONG origin = vertical ? m_ptPageOrigin.y : m_ptPageOrigin.x;
    if (origin != -ViewGeometry::kPageMargin)
        return false;
    POINT scroll = GetDeviceScrollPosition();
    (vertical ? scroll.y : scroll.x) -= sign * 10;
    ScrollToDevicePosition(scroll);
    DrawNow();
    return true;
}
