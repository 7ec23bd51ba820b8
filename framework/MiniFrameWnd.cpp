#include "framework/MiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

CMiniFrameWnd::~CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent)
{
    return CFrameWnd::Create(className, title, (style & ~WS_CHILD) | WS_POPUP, rect, parent, nullptr,
                             WS_EX_TOOLWINDOW, nullptr);
}
