#include "framework/WindowTexts.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Controls that cannot tell a text's length copy at most the buffer they are
// given: the buffer grows until the text ends inside it. `read` fills a
// buffer of the given size in characters; false when there is no text to read.
// What a control answers about the count copied differs between controls, so
// the end of the text is where its terminator is.
template <class Read>
CString ReadGrowing(Read read)
{
    constexpr size_t kFirstSize = 256;
    // A text this long cannot come from any control: a safe end to the loop.
    constexpr size_t kLargestSize = size_t{1} << 28;
    for (size_t size = kFirstSize; size <= kLargestSize; size *= 4) {
        std::vector<char> buffer(size, '\0');
        if (!read(buffer.data(), static_cast<int>(size)))
            return CString();
        const size_t length = strnlen(buffer.data(), size);
        if (length + 1 < size)
            return CString(buffer.data(), static_cast<int>(length));
    }
    return CString();
}

// Items whose length the control tells first (list boxes and combo boxes).
CString ReadMeasuredItem(HWND control, UINT lengthMessage, UINT textMessage, int index, LRESULT error)
{
    if (!control || index < 0)
        return CString();
    const LRESULT length = ::SendMessageA(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length == error || length < 0)
        return CString();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        ::SendMessageA(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == error || copied < 0)
        return CString();
    // The item may have changed between the two messages; never past the buffer.
    const size_t kept = std::min(static_cast<size_t>(copied), static_cast<size_t>(length));
    return CString(buffer.data(), static_cast<int>(strnlen(buffer.data(), kept)));
}

}  // namespace

CString WindowTextOf(HWND window)
{
    if (!window)
        return CString();
    // The length may be larger than the text (a text of double-byte characters):
    // the copy says how much there is.
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0)
        return CString();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(window, buffer.data(), length + 1);
    return CString(buffer.data(), copied > 0 ? std::min(copied, length) : 0);
}

CString DlgItemTextOf(HWND dialog, int controlId)
{
    return dialog ? WindowTextOf(::GetDlgItem(dialog, controlId)) : CString();
}

CString ComboItemTextOf(HWND combo, int index)
{
    return ReadMeasuredItem(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, CB_ERR);
}

CString ListBoxItemTextOf(HWND list, int index)
{
    return ReadMeasuredItem(list, LB_GETTEXTLEN, LB_GETTEXT, index, LB_ERR);
}

CString ListViewItemTextOf(HWND list, int index, int column)
{
    if (!list || index < 0)
        return CString();
    return ReadGrowing([&](char* buffer, int size) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = size;
        ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return true;
    });
}

CString TabItemTextOf(HWND tab, int index)
{
    if (!tab || index < 0)
        return CString();
    return ReadGrowing([&](char* buffer, int size) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = size;
        if (!::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
            return false;
        // The control may hand back its own text instead of filling the buffer.
        if (item.pszText && item.pszText != buffer)
            lstrcpynA(buffer, item.pszText, size);
        return true;
    });
}

CString MenuItemTextOf(HMENU menu, UINT item, UINT flags)
{
    if (!menu)
        return CString();
    const int length = ::GetMenuStringA(menu, item, nullptr, 0, flags);
    if (length <= 0)
        return CString();
    // Twice the length and more: room for any character set's conversion.
    const int size = length * 2 + 2;
    std::vector<char> buffer(static_cast<size_t>(size), '\0');
    const int copied = ::GetMenuStringA(menu, item, buffer.data(), size, flags);
    return CString(buffer.data(), copied > 0 ? std::min(copied, size - 1) : 0);
}

CString WindowClassNameOf(HWND window)
{
    if (!window)
        return CString();
    return ReadGrowing([&](char* buffer, int size) { return ::GetClassNameA(window, buffer, size) > 0; });
}
