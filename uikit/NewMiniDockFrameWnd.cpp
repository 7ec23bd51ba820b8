#include "uikit/NewMiniDockFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewMiniDockFrameWnd, CMiniDockFrameWnd)

CNewMiniDockFrameWnd::CNewMiniDockFrameWnd() = default;

CNewMiniDockFrameWnd::~CNewMiniDockFrameWnd() = default;

LRESULT CNewMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
                                 [&] { return CMiniDockFrameWnd::WindowProc(message, wParam, lParam); }))
        return result;
    return CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
}
