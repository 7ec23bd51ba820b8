#pragma once
// The multiple-document frames: CMDIFrameWnd holds the system's MDI client
// window (as its pane, so bars and the client share the frame like a view
// does) and CMDIChildWnd frames live inside that client, one per document
// window. The children share the main frame's menu.
//
// Commands reaching the MDI frame go to the active child (its view and
// document) first, then the frame's own route.

#include "framework/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)

public:
    CMDIFrameWnd() = default;
    ~CMDIFrameWnd() override;

    HWND m_hWndMDIClient = nullptr;

    // The active child frame; `maximized` tells whether it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(HWND child) { ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0); }
    void MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
    void MDITile(UINT how = MDITILE_VERTICAL) { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, how, 0); }
    void MDIIconArrange() { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }

    CDocument* GetActiveDocument() override;
    bool OnCmdMsg(CommandRequest& request) override;
    // MDI system keys (Ctrl+F4, Ctrl+F6 ...), then the frame's accelerators.
    BOOL PreTranslateMessage(MSG* msg) override;
    // The MDI client's own handling of what the frame leaves alone.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Creates the MDI client; its window list goes into the frame menu's
    // second-to-last pop-up (the usual "Window" menu) when there is one.
    BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context) override;
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)

public:
    CMDIChildWnd() = default;
    ~CMDIChildWnd() override;

    // A child of the MDI frame `parent` (the application's main window when
    // null) with the title and icon of `resourceId`; its view comes from the context.
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    // A child window of the MDI frame's client.
    BOOL Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                CCreateContext* context = nullptr);
    using CFrameWnd::Create;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();

    // The MDI child's own handling of what the frame leaves alone.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // An MDI child's creation parameters arrive wrapped in an MDICREATESTRUCT.
    int OnCreate(LPCREATESTRUCTA cs) override;
};
