#pragma once
// CTabCtrl: a window of the common controls' tab class. Owner-drawn tabs
// (TCS_OWNERDRAWFIXED) get their parent's WM_DRAWITEM back as DrawItem. Like
// CButton, a derived class adjusts the window in PreSubclassWindow, which runs
// after Create and after SubclassWindow / SubclassDlgItem.

#include "framework/String.h"
#include "framework/Wnd.h"

#include <commctrl.h>

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)

public:
    CTabCtrl() = default;
    ~CTabCtrl() override;

    // A child tab control with WS_CHILD added to the style.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    // A new tab with a caption and an image of the control's image list (-1:
    // none); the index, or -1.
    int InsertItem(int index, LPCSTR text, int image = -1);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    BOOL GetItem(int index, TCITEMA* item) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    // The tab's caption; empty for an index out of range.
    CString GetItemText(int index) const;
    BOOL GetItemRect(int index, RECT* rect) const
    {
        return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
    // larger FALSE: the display area of a window rectangle; TRUE: the reverse.
    void AdjustRect(BOOL larger, RECT* rect) const
    {
        SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect));
    }
    HIMAGELIST GetImageList() const { return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)); }
    HIMAGELIST SetImageList(HIMAGELIST list)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
    }
    // Width and height of the tabs (the second argument of TCM_SETITEMSIZE).
    void SetItemSize(int width, int height) { SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(width, height)); }

    // Draws an owner-drawn tab; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    // Adjusts the window once the object holds it.
    virtual void PreSubclassWindow();

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
