#pragma once
// CMiniFrameWnd: a small pop-up frame with a tool-window caption, owned by
// another window (floating palettes and bars). It has no menu.

#include "framework/FrameWnd.h"

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)

public:
    CMiniFrameWnd() = default;
    ~CMiniFrameWnd() override;

    // A pop-up tool window (WS_POPUP and WS_EX_TOOLWINDOW are added) owned by
    // `parent`; a null class name takes the framework's frame class.
    BOOL Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent = nullptr);
    using CFrameWnd::Create;
};
