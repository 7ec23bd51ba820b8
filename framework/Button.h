#pragma once
// CButton: a push button, check box, radio button or group box. Owner-drawn
// buttons get their parent's WM_DRAWITEM back as DrawItem. A derived class
// that changes the window when it takes it over (styles, state) does it in
// PreSubclassWindow, which runs after Create and after SubclassWindow /
// SubclassDlgItem called through the button.
//
//     CMyButton button;
//     button.SubclassDlgItem(IDOK, this);   // PreSubclassWindow runs
//     button.Create("Go", WS_VISIBLE | BS_PUSHBUTTON, rect, this, 1001);

#include "framework/Wnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)

public:
    CButton() = default;
    ~CButton() override = default;

    // A child button window of the system's button class.
    BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // BST_CHECKED ... and BST_PUSHED / BST_FOCUS bits.
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }

    // Draws an owner-drawn button; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    // Adjusts the window once the object holds it.
    virtual void PreSubclassWindow();

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
