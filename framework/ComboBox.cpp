#include "framework/ComboBox.h"
#include "framework/OwnerDrawReflection.h"

#include <vector>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::~CComboBox() = default;

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("COMBOBOX", nullptr, style, rect, parent, id);
}

void CComboBox::GetLBText(int index, CString& text) const
{
    const int length = GetLBTextLen(index);
    if (length == CB_ERR || length < 0) {
        text.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    if (SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data())) == CB_ERR) {
        text.Empty();
        return;
    }
    text = buffer.data();
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    return ReflectOwnerDrawMessage(*this, message, lParam, result);
}
