#include "framework/Static.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::~CStatic() = default;

BOOL CStatic::Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("STATIC", text, style, rect, parent, id);
}
