#pragma once
// CControlBar: a bar along an edge of a frame (tool bars, panes). It sits in
// one of the frame's dock bars (CDockBar) or floats in a small frame of its
// own (CMiniDockFrameWnd); the dock bar asks it for its size through
// CalcDynamicLayout, which by default is CalcFixedLayout.
//
// The bar's own style bits (CBRS_...) are kept apart from the window style.
// A bar registers with the frame it is created in (its dock site) and leaves
// its list when its window goes.

#include "framework/CommandIds.h"
#include "framework/Wnd.h"

#include <memory>

class CDockBar;
class CDockContext;
class CFrameWnd;

// Sides a bar lies along or may dock at.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
// Edges that get a border line.
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
// Several bars may share one floating frame.
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
// The bar's size follows the room it is given.
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_FLOATING = 0x0001;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
// Every bit that belongs to the bar style rather than the window style.
constexpr DWORD CBRS_ALL = 0x0000FFFF;

// Layout modes of CalcDynamicLayout.
constexpr DWORD LM_STRETCH = 0x01;   // fill the whole length of the dock bar
constexpr DWORD LM_HORZ = 0x02;      // lying horizontally
constexpr DWORD LM_MRUWIDTH = 0x04;  // the last floating size, unchanged
constexpr DWORD LM_HORZDOCK = 0x08;  // docked at the top or bottom
constexpr DWORD LM_VERTDOCK = 0x10;  // docked at the left or right
constexpr DWORD LM_LENGTHY = 0x20;   // the length given is a height
constexpr DWORD LM_COMMIT = 0x40;    // the size is final

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)

public:
    CControlBar();
    ~CControlBar() override;

    // The size the bar wants: `stretch` asks for the full length, `horz` for
    // the horizontal form.
    virtual SIZE CalcFixedLayout(BOOL stretch, BOOL horz);
    // `length` is the room offered along the bar (-1: none in particular).
    virtual SIZE CalcDynamicLayout(int length, DWORD mode);
    // Called at idle time with the frame the commands go to.
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler);

    // Sides (CBRS_ALIGN_...) the bar may dock at; 0 switches docking off.
    void EnableDocking(DWORD dockStyle);
    DWORD GetDockStyle() const { return m_dwDockStyle; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD style) { m_dwStyle = style & CBRS_ALL; }
    bool IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    bool IsVisible() const { return m_hWnd && (GetStyle() & WS_VISIBLE) != 0; }
    // In a floating frame's dock bar.
    bool IsFloating() const;
    virtual bool IsDockBar() const { return false; }

    // The frame whose dock bars the bar docks in; set when the bar is created.
    CFrameWnd* GetDockSite() const { return m_pDockSite; }
    CDockBar* GetDockBar() const { return m_pDockBar; }
    CDockContext* GetDockContext() const { return m_pDockContext.get(); }
    // The frame the bar sits in now: the dock site, or its floating frame.
    CFrameWnd* GetDockingFrame() const;

    // Border lines of the CBRS_BORDER_ bits; `rect` (window coordinates)
    // shrinks by what they took.
    void DrawBorders(HDC dc, RECT& rect) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The drag and toggle behaviour of the bar; derived bars bring their own.
    virtual std::unique_ptr<CDockContext> MakeDockContext();

    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnDestroy() override;
    // In a dock bar: the button drags the bar, a double click docks or floats it.
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override;

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    std::unique_ptr<CDockContext> m_pDockContext;

    friend class CDockBar;
    friend class CFrameDocking;
};
