#pragma once

#include "framework/String.h"
#include "framework/ToolBar.h"
#include "framework/UserHandles.h"
#include "label/ObjectDrop.h"

#include <windows.h>

#include <functional>

class IObjectDropHost;

// The tool bar of the eight Add buttons. A button is not clicked but dragged:
// its outline follows the pointer out of the bar, the cursor tells whether a
// part of the label lies under it, and the new object is made where it is
// dropped. A plain click puts the object near the middle of the view.
class CObjectToolBar : public CToolBar
{
    DECLARE_DYNAMIC(CObjectToolBar)

public:
    CObjectToolBar();

    void AttachHost(IObjectDropHost* host) { m_host = host; }
    // Which disc a new object belongs to on a double CD: 1, 2 or -1 (cancelled).
    // The disc chooser by default; tests answer it themselves.
    void SetDiscQuestion(std::function<int()> ask) { m_askDisc = std::move(ask); }

    int PressedButton() const { return m_nButton; }
    ObjectDrop::DragState State() const { return m_state; }
    // The outline in screen pixels; empty when there is none.
    const RECT& Outline() const { return m_outline; }
    bool IsDragging() const { return m_bDragging; }
    // The cursor the drag shows now.
    HCURSOR CurrentCursor() const { return m_hCurrentCursor; }
    HCURSOR DropCursor() const { return m_dropCursor.Get(); }
    HCURSOR NoDropCursor() const { return m_noDropCursor.Get(); }

protected:
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override;
    BOOL OnEraseBkgnd(HDC dc) override;

private:
    // Draws or erases the outline on the screen (drawing twice leaves no trace).
    void DrawOutline() const;
    void SetDragCursor(HCURSOR cursor);
    POINT ToScreen(POINT client) const;
    // The drop itself: where, which disc, then the view makes the object.
    void Drop(POINT point);
    // Which disc a new object belongs to, proposing `proposedDisc` (1 or 2;
    // 0 proposes the disc chosen last).
    int AskDisc(int proposedDisc) const;

    IObjectDropHost* m_host = nullptr;
    std::function<int()> m_askDisc;
    OwnedCursor m_noDropCursor;
    OwnedCursor m_dropCursor;
    HCURSOR m_hArrow = nullptr;
    HCURSOR m_hCurrentCursor = nullptr;
    ObjectDrop::DragState m_state = ObjectDrop::DragState::Outside;
    int m_nButton = -1;
    SIZE m_buttonSize{};
    RECT m_outline{};
    bool m_bOutlineDrawn = false;
    bool m_bOutlineInverted = false;
    POINT m_lastPoint{};
    ObjectDrop::DropParts m_parts;
    bool m_bDragging = false;
};
