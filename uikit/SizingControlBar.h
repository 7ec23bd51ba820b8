#pragma once
// CSizingControlBar: a control bar that docks at any side of a frame or
// floats, and that the user resizes by dragging its inner edges. It keeps one
// size per dock state (docked at the top or bottom, at the left or right,
// floating), shares the length of its dock row with the other sizing bars of
// the row, and keeps its sizes in the application's profile between runs.

#include "framework/ControlBar.h"
#include "framework/DockContext.h"

#include <vector>

class CDockBar;

// The sizing bar's dock context: the framework's drag, whose rectangles come
// from the bar's own layout (the floating one is the bar's floating size).
class CSizingDockContext : public CDockContext {
public:
    using CDockContext::CDockContext;
};

class CSizingControlBar : public CControlBar {
    DECLARE_DYNAMIC(CSizingControlBar)

public:
    CSizingControlBar();
    ~CSizingControlBar() override;

    SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;
    SIZE CalcDynamicLayout(int length, DWORD mode) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    virtual BOOL Create(LPCSTR title, CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    virtual BOOL CreateWithSize(LPCSTR title, CWnd* parent, SIZE defaultSize, UINT id,
                                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    using CWnd::Create;

    // Section "<profile>-SCBar-<id>", values "sizeHorzCX" ... "sizeFloatCY";
    // sizes below the minimums load as the minimums.
    virtual void LoadState(LPCSTR profileName);
    virtual void SaveState(LPCSTR profileName);
    static void LoadAllStates(CFrameWnd* frame, LPCSTR profileName);
    static void SaveAllStates(CFrameWnd* frame, LPCSTR profileName);

    // In the top or bottom dock bar; in the left or right one.
    bool IsHorzDocked() const;
    bool IsVertDocked() const;
    // Docked neither way: floating, or not yet in any dock bar (where the
    // control bar's own answer, which asks its dock bar, would say no).
    bool IsFloating() const { return !IsHorzDocked() && !IsVertDocked(); }

    void SetCurrentHeight(int height);
    // `state` is "Float", "Horz" or "Vert"; any other name changes no size.
    void SetStateWidth(int width, LPCSTR state);
    void SetStateHeight(int height, LPCSTR state);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- state (pixels) --------------------------------------------------------
    UINT edgeFlags = 0;  // 1 left, 2 right, 4 top, 8 bottom
    UINT trackEdge = 0;  // HTLEFT, HTRIGHT, HTTOP or HTBOTTOM while dragging
    SIZE sizeHorz{200, 200};
    SIZE sizeVert{200, 200};
    SIZE sizeFloat{180, 230};
    SIZE minHorz{33, 32};
    SIZE minVert{33, 32};
    SIZE minFloat{37, 32};
    int trackPosMin = 0;
    int trackPosMax = 0;
    int trackPosOld = 0;
    int trackEdgeOffset = 0;
    bool tracking = false;
    bool keepSize = false;
    bool parentSizing = false;
    bool dragShowContent = false;
    UINT dockBarId = 0;
    int edgeWidth = 5;

    static constexpr UINT kEdgeLeft = 1;
    static constexpr UINT kEdgeRight = 2;
    static constexpr UINT kEdgeTop = 4;
    static constexpr UINT kEdgeBottom = 8;

protected:
    virtual void BeginTracking(UINT hitCode, POINT screenPoint);
    virtual void EndTracking();
    virtual void TrackSize(POINT screenPoint);
    virtual void DrawTracker();
    // Draws the gripper or caption into the non-client picture; `client` is
    // the client rectangle in window coordinates.
    virtual void PaintNcDecoration(HDC dc, const RECT& client);
    // Shrinks the client rectangle (window coordinates) by the frame around it.
    virtual void CalcNcInsets(RECT& client, UINT dockBar);
    virtual void AlignDockRow();

    std::unique_ptr<CDockContext> MakeDockContext() override;
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnSettingChange(UINT flags, LPCSTR section) override;
    void OnPaint() override;
    void OnClose() override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnRButtonDown(UINT flags, POINT point) override;
    void OnCaptureChanged(HWND newCapture) override;

    // The dock bar id of the parent window now.
    UINT CurrentDockBarId() const;
    // The row of this bar in its dock bar: indexes of its first and last entries.
    bool GetRowInfo(int& first, int& last, int& thisIndex) const;
    // The visible sizing bars of the row, in order, and this bar's place among them.
    std::vector<CSizingControlBar*> GetRowSizingBars(int* thisIndex = nullptr) const;
    // Shares the row's length; false when the row had to be broken first.
    bool NegotiateSpace(int total, bool horz);
    // The edge's rectangle in screen coordinates; false when the bar has no such edge.
    bool GetEdgeRect(UINT hitCode, RECT& rect) const;
    void PaintNonClient();

    // Length along the row and width across it of a docked size.
    int LengthOf(bool horz) const { return horz ? sizeHorz.cx : sizeVert.cy; }
    int MinLengthOf(bool horz) const { return horz ? minHorz.cx : minVert.cy; }
    void SetLength(bool horz, int length) { (horz ? sizeHorz.cx : sizeVert.cy) = length; }
    int WidthOf(bool horz) const { return horz ? sizeHorz.cy : sizeVert.cx; }
    int MinWidthOf(bool horz) const { return horz ? minHorz.cy : minVert.cx; }
    void SetWidth(bool horz, int width) { (horz ? sizeHorz.cy : sizeVert.cx) = width; }
    void DelayLayout();
    // The size of the state named "Float", "Horz" or "Vert"; null for any other name.
    SIZE* StateSize(LPCSTR state);
};
