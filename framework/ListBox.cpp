#include "framework/ListBox.h"
#include "framework/OwnerDrawReflection.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::~CListBox() = default;

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("LISTBOX", nullptr, style, rect, parent, id);
}

void CListBox::GetText(int index, CString& text) const
{
    const int length = GetTextLen(index);
    if (length == LB_ERR || length < 0) {
        text.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    if (SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data())) == LB_ERR) {
        text.Empty();
        return;
    }
    text = buffer.data();
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
