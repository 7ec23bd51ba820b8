#include "uikit/NewMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewMiniFrameWnd, CMiniFrameWnd)

CNewMiniFrameWnd::CNewMiniFrameWnd() = default;

CNewMiniFrameWnd::~CNewMiniFrameWnd() = default;

LRESULT CNewMiniFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
                                 [&] { return CMiniFrameWnd::WindowProc(message, wParam, lParam); }))
        return result;
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}
