#include "framework/ListBox.h"
#include "framework/OwnerDrawReflection.h"
#include "framework/WindowTexts.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::~CListBox() = default;

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("LISTBOX", nullptr, style, rect, parent, id);
}

void CListBox::GetText(int index, CString& text) const
{
    text = ListBoxItemTextOf(m_hWnd, index);
}

UINT CListBox::ItemFromPoint(POINT point, BOOL& outside) const
{
    const auto answer = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
    outside = HIWORD(answer) != 0;
    return LOWORD(answer);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    return ReflectOwnerDrawMessage(*this, message, lParam, result);
}
