#pragma once
// CHoverButton: the program's owner-drawn push button. In flat mode (the
// default) it shows a border only while the mouse is over it; it can show an
// icon or a masked bitmap beside or above its title, work as a two-state check
// button, show its own cursor and a tooltip, and on a click open a pop-up menu
// or a web address. Derived buttons paint their own face by overriding
// DrawBackground and DrawBorder.
//
//     CHoverButton m_button;
//     m_button.SubclassDlgItem(IDC_BROWSE, this);   // takes the window over
//     m_button.SetIcon(IDI_FOLDER, CHoverButton::kGrayCopy);
//     m_button.SetTooltipText("Choose a folder");

#include "framework/Button.h"
#include "framework/Gdi.h"
#include "framework/String.h"
#include "framework/UserHandles.h"

#include <windows.h>

#include <functional>

class CHoverButton : public CButton
{
    DECLARE_DYNAMIC(CHoverButton)

public:
    // Icon-out argument of SetIcon: a grey copy of the icon-in.
    static constexpr int kGrayCopy = -2;
    // Icon-out argument of SetIconHandles: a grey copy of the icon-in.
    static HICON GrayCopyHandle() { return reinterpret_cast<HICON>(static_cast<INT_PTR>(kGrayCopy)); }

    // Indices of the six colours.
    enum ColorIndex { BackIn, ForeIn, BackOut, ForeOut, BackFocus, ForeFocus, ColorCount };

    CHoverButton();
    ~CHoverButton() override;

    // Icons from the program's resources at their own size; an icon-out id of
    // 0 means none, kGrayCopy a grey copy of the icon-in. 1 when an icon could
    // not be read, else 0.
    DWORD SetIcon(int iconInId, int iconOutId);
    // The same with icons the button takes over (icon-out null: none;
    // GrayCopyHandle(): a grey copy).
    DWORD SetIconHandles(HICON iconInHandle, HICON iconOutHandle);
    // Bitmaps the button takes over, shown with the key colour transparent;
    // a null bitmap-out shows bitmap-in in every state. 1 on failure, else 0.
    DWORD SetBitmaps(HBITMAP bitmapIn, COLORREF keyIn, HBITMAP bitmapOut = nullptr, COLORREF keyOut = 0);
    // 0 image left of the title, 1 above, 2 right; 4 (and no change) for other values.
    DWORD SetAlign(int newAlign, bool repaint = true);
    int GetAlign() const { return align; }
    void SetFlat(bool on, bool repaint = true);
    bool GetFlat() const { return flat; }
    // Only a check button has a state of its own.
    void SetCheck(bool on, bool repaint = true);
    bool GetCheck() const { return checkState; }
    bool IsCheckButton() const { return checkMode; }
    bool IsDefaultButton() const { return isDefault; }
    bool IsHovered() const { return hover; }
    void SetDefaultColors(bool repaint = true);
    // 1 when the cursor could not be loaded, else 0; id 0 removes the cursor.
    DWORD SetBtnCursor(int cursorId, bool repaint = false);
    void SetTooltipText(LPCSTR text);
    HWND GetTooltipWindow() const { return tooltip; }
    // Paints the parent's pixels behind the button as its background.
    void DrawTransparent(bool repaint = false);
    // The address a click opens; at most 259 characters are kept.
    void SetURL(LPCSTR address);
    LPCSTR GetURL() const { return url; }

    // Opens a web address (the system shell by default); tests replace it.
    using AddressOpener = std::function<void(LPCSTR address)>;
    static AddressOpener SetAddressOpener(AddressOpener opener);

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    // Set directly by the owning dialog.
    bool autoGrayBitmap = true;
    bool useScaledFont = false;
    bool drawBorder = true;
    bool drawFlatFocus = false;
    bool alwaysTrack = true;
    COLORREF colors[ColorCount]{};
    HWND menuOwner = nullptr;
    OwnedMenu menu;  // its first pop-up is shown on a click

protected:
    virtual void DrawBackground(HDC dc, const RECT& rect);
    virtual void DrawBorder(HDC dc, const RECT& rect);
    // Invalidates the button when it has a window.
    void Repaint();

    void OnMouseMove(UINT flags, POINT point) override;
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message) override;
    void OnKillFocus(HWND newWindow) override;
    void OnActivate(UINT state, HWND other, BOOL minimized) override;
    void OnSysColorChange() override;

    // The state of the drawing under way.
    bool hover = false;
    bool pressed = false;
    bool focused = false;
    bool disabled = false;

private:
    struct IconSlot {
        OwnedIcon handle;
        SIZE size{};
    };
    struct BitmapSlot {
        CBitmap handle;
        CBitmap mask;
        SIZE size{};
    };

    void OnClicked();
    void CancelHover();
    void CreateTooltip();
    void FreeIcons();
    void FreeBitmaps();
    void DropBackgroundCache();
    void PaintParentBackground(HDC dc, const RECT& rect);
    // The image's rectangle in the item, and the title's rectangle made room for.
    RECT PlaceImage(const RECT& item, SIZE image, bool hasTitle, RECT& titleRect) const;
    void DrawIcon(HDC dc, const RECT& item, bool hasTitle, RECT& titleRect);
    void DrawBitmap(HDC dc, const RECT& item, bool hasTitle, RECT& titleRect);
    void DrawTitle(HDC dc, LPCSTR title, RECT titleRect);

    bool flat = true;
    bool transparent = false;
    bool isDefault = false;
    bool checkMode = false;
    bool checkState = false;
    bool menuShown = false;
    int align = 0;
    UINT buttonType = BS_TYPEMASK;
    OwnedCursor cursor;
    OwnedWindow tooltip;
    CString tooltipText;
    CString url;
    IconSlot iconIn;
    IconSlot iconOut;
    BitmapSlot bitmapIn;
    BitmapSlot bitmapOut;

    // The parent's pixels behind the button, copied once.
    CMemoryDC backgroundDC;
    CBitmap backgroundBitmap;
    HGDIOBJ backgroundOld = nullptr;
};
