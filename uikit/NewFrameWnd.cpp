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
    HMENU menu = nullptr;
    if (menuName) {
        menu = m_menuGlue.LoadMenu(menuName);
        if (!menu) {
            PostNcDestroy();
            return FALSE;
        }
    }
    const int width = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    return CreateEx(exStyle, className, title, style, rect.left, rect.top, width, height,
                    parent ? parent->GetSafeHwnd() : nullptr, menu, context);
}

LRESULT CNewFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
                                 [&] { return CFrameWnd::WindowProc(message, wParam, lParam); }))
        return result;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}
