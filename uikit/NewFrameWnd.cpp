#include "uikit/NewFrameWnd.h"


IMPLEMENT_DYNCREATE(CNewFrameWnd, CFrameWnd)

CNewFrameWnd::CNewFrameWnd() = default;

CNewFrameWnd::~CNewFrameWnd() = default;

BOOL CNewFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    // The framework's steps are the ones wanted; the menu comes through Create below.
    return CFrameWnd::LoadFrame(resourceId, style, parent, context);
}

BOOL CNewFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                          LPCSTR menuName, DWORD exStyle, CCreateContext* context)
{
    return m_menuGlue.CreateFrame(*this, className, title, style, rect, parent, menuName, exStyle, context);
}

LRESULT CNewFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
                                 [&] { return CFrameWnd::WindowProc(message, wParam, lParam); }))
        return result;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}
