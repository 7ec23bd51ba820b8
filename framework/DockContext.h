#pragma once
// CDockContext: moves a control bar with the mouse. StartDrag runs a modal
// loop on the bar's mouse capture: while the button is held, an inverted
// rectangle shows where the bar would go (docked where it touches a dock bar
// the bar may dock at, else floating); releasing the button docks or floats
// it there; Escape, the right button or a lost capture leave it where it was.
// ToggleDocking floats a docked bar at its last floating place, or docks a
// floating one where it was docked last.

#include <windows.h>

class CControlBar;
class CDockBar;
class CFrameWnd;

class CDockContext {
public:
    explicit CDockContext(CControlBar& bar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    virtual void StartDrag(POINT screenPoint);
    void ToggleDocking();

    // Where the bar was docked last (0 before it ever was) and where it floated last.
    UINT m_uMRUDockID = 0;
    RECT m_rectMRUDockPos{};
    POINT m_ptMRUFloatPos{};
    bool m_bHasFloatPos = false;

    // The four shapes the bar can take during a drag (screen coordinates):
    // docked horizontally or vertically, and the floating frame's rectangle.
    RECT m_rectDragHorz{};
    RECT m_rectDragVert{};
    RECT m_rectFrameDragHorz{};
    RECT m_rectFrameDragVert{};
    POINT m_ptLast{};
    bool m_bDragging = false;

    // What the drag would do at the last point (null: float).
    CDockBar* TargetDockBar() const { return m_pTarget; }

protected:
    // Builds the four rectangles from the bar's layout at the point.
    virtual void ComputeDragRects(POINT screenPoint);
    // Moves a rectangle so that the point lies inside it.
    static void KeepPointInside(RECT& rect, POINT point);
    // The floating frame's rectangle for a bar of that floating size at (x, y).
    static RECT FloatingFrameRect(SIZE barSize, int x, int y);

    // The loop set-up: flushes paints and locks the screen for the tracker.
    void InitLoop();
    void CancelLoop();
    // The mouse loop; true when the bar was dropped.
    bool Track();
    void Move(POINT screenPoint);
    void EndDrag();
    void DrawFocusRect(bool erase);
    CDockBar* CanDock() const;

    CControlBar& m_bar;
    CFrameWnd* m_pDockSite;

private:
    CDockBar* m_pTarget = nullptr;
    RECT m_rectShown{};
    bool m_bShown = false;
    bool m_bShownThick = false;
};
