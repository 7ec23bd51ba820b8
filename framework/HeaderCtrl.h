#pragma once
// CHeaderCtrl: a window of the common controls' header class, mostly the
// column header of a report list view, taken over with SubclassWindow.

#include "framework/Wnd.h"

#include <commctrl.h>

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)

public:
    CHeaderCtrl() = default;
    ~CHeaderCtrl() override;

    // A child header with WS_CHILD added to the style.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItemRect(int index, RECT* rect) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    // A new item with a text and a width; the index, or -1.
    int InsertItem(int index, LPCSTR text, int width);
};
