#include "uikit/NewMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewMiniFrameWnd, CMiniFrameWnd)

CNewMiniFrameWnd::CNewMiniFrameWnd() = default;

CNewMiniFrameWnd::~CNewMiniFrameWnd() = default;

BOOL CNewMiniFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                              LPCSTR menuName, DWORD exStyle, CCreateContext* context)
{
    return m_menuGlue.CreateFrame(*this, className, title, style, rect, parent, menuName, exStyle, context);
}

LRESULT CNewMiniFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
                                 [&] { return CMiniFrameWnd::WindowProc(message, wParam, lParam); }))
        return result;
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}
