#include "uikit/NewMDIFrameWnd.h"

IMPLEMENT_DYNAMIC(CNewMDIFrameWnd, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CNewMDIChildWnd, CMDIChildWnd)

CNewMDIFrameWnd::CNewMDIFrameWnd() = default;

CNewMDIFrameWnd::~CNewMDIFrameWnd() = default;

BOOL CNewMDIFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                             LPCSTR menuName, DWORD exStyle, CCreateContext* context)
{
    return m_menuGlue.CreateFrame(*this, className, title, style, rect, parent, menuName, exStyle, context);
}

LRESULT CNewMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
                                 [&] { return CMDIFrameWnd::WindowProc(message, wParam, lParam); }))
        return result;
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

CNewMDIChildWnd::CNewMDIChildWnd() = default;

CNewMDIChildWnd::~CNewMDIChildWnd() = default;

LRESULT CNewMDIChildWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_menuGlue.HandleMessage(*this, message, wParam, lParam, result,
                                 [&] { return CMDIChildWnd::WindowProc(message, wParam, lParam); }))
        return result;
    return CMDIChildWnd::WindowProc(message, wParam, lParam);
}
