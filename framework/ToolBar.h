#pragma once
// CToolBar: a control bar on the common tool-bar control. Its buttons come
// from a tool-bar resource (type 241) with its strip bitmap, or are set in
// code; the idle update enables and checks them through the command route of
// the dock site, and their clicks go to the dock site as commands. It docks
// at any side (standing upright, one button a row, at the left and right) and
// floats; the gripper drags it, a double click on the gripper floats or
// docks it.

#include "framework/ControlBar.h"
#include "framework/ImageList.h"

#include <commctrl.h>

#include <vector>

// Bar style bits of tool bars: tool tips, prompts while the mouse is over a
// button, and a gripper before the first button (a window-style bit the bar
// takes away from the window).
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_GRIPPER = 0x00400000;

// The default id of a frame's tool bar.
constexpr UINT FWID_TOOLBAR = 0xE800;

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)

public:
    CToolBar();
    ~CToolBar() override;

    // `controlStyle` holds the common control's TBSTYLE_ bits, `style` the
    // window and bar style (WS_VISIBLE, CBRS_...), `borders` the room kept
    // around the buttons (left, top, right, bottom).
    BOOL CreateEx(CWnd* parent, DWORD controlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, RECT borders = RECT{},
                  UINT id = FWID_TOOLBAR);
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = FWID_TOOLBAR)
    {
        return CreateEx(parent, TBSTYLE_FLAT, style, RECT{}, id);
    }
    using CWnd::Create;

    // The tool-bar resource's buttons and sizes, and its strip bitmap of the
    // same id as the images, `transparent` marking the see-through pixels.
    // FALSE (and the buttons left alone) for a missing or damaged resource.
    BOOL LoadToolBar(UINT resourceId, COLORREF transparent = RGB(255, 0, 255));
    // The strip bitmap alone, as the bar's own normal images.
    BOOL LoadBitmap(UINT bitmapId, COLORREF transparent = RGB(255, 0, 255));
    // One button per id, 0 a separator; the buttons take the images in order.
    BOOL SetButtons(const std::vector<UINT>& commands);
    // The button at `index`: its command, TBBS style (TBSTYLE_BUTTON,
    // TBSTYLE_SEP ...) and image.
    void SetButtonInfo(int index, UINT command, UINT style, int image);
    void GetButtonInfo(int index, UINT& command, UINT& style, int& image) const;
    int GetCount() const;
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT command) const;
    // The button's rectangle in the bar's client coordinates.
    RECT GetItemRect(int index) const;
    // Button and image sizes; the buttons must be larger than the images.
    BOOL SetSizes(SIZE button, SIZE image);
    SIZE GetButtonSize() const;
    // Normal, hot or disabled images owned by the caller (TB_SETIMAGELIST,
    // TB_SETHOTIMAGELIST, TB_SETDISABLEDIMAGELIST).
    void SetImageList(UINT message, HIMAGELIST images);

    // Whether the button at `index` is enabled, checked.
    bool IsButtonEnabled(int index) const;
    bool IsButtonChecked(int index) const;

    SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;
    SIZE CalcDynamicLayout(int length, DWORD mode) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Room of the gripper across the bar's length.
    static constexpr int kGripperRoom = 8;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override;

private:
    // Whether the bar stands upright: docked at the left or right.
    bool IsUpright() const;
    // One button a row with the separators hidden when upright, one row otherwise.
    void ArrangeButtons(bool upright);
    // The room around the buttons (gripper and borders), window less client.
    RECT NonClientInsets(bool upright) const;
    // The size of the buttons' area lying either way.
    SIZE ButtonsExtent(bool upright) const;
    void PaintGripper();
    // Whether the client point lies on a button.
    bool IsOnButton(POINT point) const;

    CImageList m_ownImages;
    RECT m_borders{};
    // The control's defaults until SetSizes.
    SIZE m_sizeImage{16, 15};
    SIZE m_sizeButton{23, 22};
    bool m_bGripper = false;
    bool m_bUpright = false;
};
