#pragma once
// CFrameWnd: a top-level window with a menu, accelerators and an icon from one
// resource id, holding the active view. Commands it receives go to the active
// view (then its document), then to the frame itself, then to the application.
// Pop-up menus are enabled and checked through the same route before they
// open; items nobody handles are disabled.
//
// Frames made by a document template live on the heap and delete themselves
// when their window goes.

#include "framework/Wnd.h"

#include <memory>
#include <vector>

class CControlBar;
class CDockBar;
class CDockState;
class CFrameDocking;
class CDocTemplate;
class CDocument;
class CView;

// Frame style bit: the frame's title shows the active document's title
// ("<document> - <frame title>").
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

// What a frame needs to create its view and bind it to a document; passed
// through window creation.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    class CFrameWnd* m_pCurrentFrame = nullptr;
};

// Sent by RecalcLayout to each child of the frame except the view, with a
// SizeParentLayout* in lParam: a bar takes its room from `remaining` and moves
// itself. The view gets what is left.
UINT FrameworkSizeParentMessage();
struct SizeParentLayout {
    RECT remaining;
    // Only measuring: nothing moves.
    bool queryOnly = false;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
    DECLARE_COMMAND_MAP()

public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Title from string resource `resourceId` (its part before the first '\n'),
    // menu, accelerators and icon of the same id; without a context the
    // children get their initial update at once.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    // Creates the window with the menu of the given name (none when null).
    // A menu that can't be loaded fails the creation.
    virtual BOOL Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                        LPCSTR menuName, DWORD exStyle, CCreateContext* context);
    using CWnd::Create;

    CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    // Creates a view of the context's class as a child with the given id.
    CView* CreateView(CCreateContext* context, UINT id);

    // Places the bars (FrameworkSizeParentMessage) and gives the rest to the view.
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Shows the frame; -1: as it was, or normal when hidden.
    virtual void ActivateFrame(int cmdShow = -1);
    // Initial update of the views, first show, title.
    void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    virtual void OnUpdateFrameTitle(BOOL addToTitle);

    // ---- control bars and docking (FrameWndDocking.cpp) ----------------------
    // Creates dock bars along the sides named by CBRS_ALIGN_ bits, of the class
    // m_pDockBarClass (CDockBar when null), in the order top, bottom, left, right.
    void EnableDocking(DWORD dockStyle);
    // Docks the bar in the dock bar of that id (0: the first one it may dock
    // at), at the screen rectangle's place when one is given.
    void DockControlBar(CControlBar* bar, UINT dockBarId = 0, const RECT* screenRect = nullptr);
    void DockControlBar(CControlBar* bar, CDockBar* dockBar, const RECT* screenRect = nullptr);
    // Floats the bar in a frame of m_pFloatingFrameClass whose top-left corner
    // is the screen point.
    void FloatControlBar(CControlBar* bar, POINT screenPoint, DWORD style = 0);
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    // The bar with that id, or null.
    CControlBar* GetControlBar(UINT id) const;
    CDockBar* GetDockBar(UINT dockBarId) const;
    // Every bar created in this frame, dock bars included.
    const std::vector<CControlBar*>& GetControlBars() const;
    // A layout soon (once, however often asked).
    void DelayRecalcLayout(BOOL notify = TRUE);
    // The client area the bars leave free, measured without moving anything.
    RECT GetFreeClientRect();

    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    void SaveBarState(LPCSTR profileName) const;
    // False, and nothing changed, when the saved state is missing or does not
    // fit the frame's bars; the caller then lays out its defaults.
    bool LoadBarState(LPCSTR profileName);

    const CRuntimeClass* m_pFloatingFrameClass = nullptr;
    const CRuntimeClass* m_pDockBarClass = nullptr;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Accelerators of the frame.
    BOOL PreTranslateMessage(MSG* msg) override;
    // View (and document), the frame, the application.
    bool OnCmdMsg(CommandRequest& request) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CString m_strTitle;
    HMENU m_hMenuDefault = nullptr;   // the menu loaded with the frame (destroyed with it)
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    // Disable menu items without any handler.
    bool m_bAutoMenuEnable = true;
    // Cleared for a frame that is not on the heap.
    bool m_bAutoDelete = true;

    static const RECT rectDefault;  // CW_USEDEFAULT position and size

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context);

    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnDestroy() override;
    void OnClose() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(HWND oldWindow) override;
    void OnInitMenuPopup(HMENU popup, UINT index, BOOL systemMenu) override;
    void PostNcDestroy() override;

    CView* m_pActiveView = nullptr;

private:
    CFrameDocking& Docking() const;
    // The frame's own docking messages; true when handled.
    bool HandleDockingMessage(UINT message, WPARAM wParam, LPARAM lParam);
    mutable std::unique_ptr<CFrameDocking> m_docking;
    bool m_bRecalcPending = false;

    friend class CControlBar;
};
