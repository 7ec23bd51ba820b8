#include "framework/ToolBar.h"

#include "framework/CmdUI.h"
#include "framework/CommonControls.h"
#include "framework/DockBar.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/Module.h"
#include "framework/String.h"
#include "framework/ToolBarResource.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

constexpr int kSeparatorWidth = 6;
// The control lays itself out; the dock bar places and sizes it.
constexpr DWORD kControlLayoutStyle = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;

// A button of the bar while update handlers run.
class CToolCmdUI : public CCmdUI {
public:
    explicit CToolCmdUI(CToolBar& bar) : m_bar(bar) {}

    void Enable(bool on) override
    {
        m_bar.SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(on ? TRUE : FALSE, 0));
        m_bEnableChanged = true;
    }
    void SetCheck(int check) override { m_bar.SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(check ? TRUE : FALSE, 0)); }
    void SetRadio(bool on) override { SetCheck(on ? 1 : 0); }
    void SetText(LPCSTR) override {}

private:
    CToolBar& m_bar;
};

TBBUTTON ButtonAt(const CToolBar& bar, int index)
{
    TBBUTTON button{};
    if (!bar.SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
        button.idCommand = 0;
    return button;
}

bool IsSeparator(const TBBUTTON& button)
{
    return (button.fsStyle & TBSTYLE_SEP) != 0;
}

}  // namespace

CToolBar::CToolBar() = default;

CToolBar::~CToolBar()
{
    // The control may still point at the images: it goes before them.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CToolBar::CreateEx(CWnd* parent, DWORD controlStyle, DWORD style, RECT borders, UINT id)
{
    if (!parent || !EnsureCommonControls(ICC_BAR_CLASSES))
        return FALSE;
    m_borders = borders;
    m_bGripper = (style & CBRS_GRIPPER) != 0;
    SetBarStyle(style);
    DWORD windowStyle = (style & ~(CBRS_ALL | CBRS_GRIPPER)) | WS_CHILD | controlStyle | kControlLayoutStyle;
    if (style & CBRS_TOOLTIPS)
        windowStyle |= TBSTYLE_TOOLTIPS;
    const RECT empty{0, 0, 0, 0};
    return CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, empty, parent, id);
}

int CToolBar::OnCreate(LPCREATESTRUCTA cs)
{
    if (CControlBar::OnCreate(cs) == -1)
        return -1;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    // Clicks and tips go to the frame whichever dock bar holds the bar.
    if (m_pDockSite)
        SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(m_pDockSite->m_hWnd));
    return 0;
}

BOOL CToolBar::LoadToolBar(UINT resourceId, COLORREF transparent)
{
    ToolBarResource resource;
    if (!m_hWnd || !LoadToolBarResource(GetResourceHandle(), MAKEINTRESOURCEA(resourceId), resource))
        return FALSE;
    // The classic margins of a button around its image.
    const SIZE image{resource.imageWidth, resource.imageHeight};
    if (!SetSizes(SIZE{image.cx + 7, image.cy + 6}, image))
        return FALSE;
    return LoadBitmap(resourceId, transparent) && SetButtons(resource.commands);
}

BOOL CToolBar::LoadBitmap(UINT bitmapId, COLORREF transparent)
{
    CBitmap strip;
    if (!m_hWnd || !strip.LoadBitmap(bitmapId))
        return FALSE;
    BITMAP info{};
    ::GetObjectA(strip, sizeof info, &info);
    // A strip narrower or lower than one image holds none.
    if (info.bmWidth < m_sizeImage.cx || info.bmHeight < m_sizeImage.cy)
        return FALSE;
    CImageList images;
    if (!images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, info.bmWidth / m_sizeImage.cx, 0) ||
        images.Add(strip, transparent) < 0)
        return FALSE;
    SetImageList(TB_SETIMAGELIST, images);
    m_ownImages = std::move(images);
    return TRUE;
}

BOOL CToolBar::SetButtons(const std::vector<UINT>& commands)
{
    if (!m_hWnd)
        return FALSE;
    while (SendMessage(TB_DELETEBUTTON, 0)) {
    }
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT command : commands) {
        TBBUTTON button{};
        if (command == 0) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = kSeparatorWidth;
        } else {
            button.idCommand = static_cast<int>(command);
            button.fsStyle = TBSTYLE_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = image++;
        }
        button.iString = -1;
        buttons.push_back(button);
    }
    const BOOL added = buttons.empty() ||
                       SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    m_bUpright = false;
    ArrangeButtons(IsUpright());
    return added;
}

void CToolBar::SetButtonInfo(int index, UINT command, UINT style, int image)
{
    if (index < 0 || index >= GetCount())
        return;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_IMAGE;
    info.idCommand = static_cast<int>(command);
    info.fsStyle = static_cast<BYTE>(style);
    info.iImage = (style & TBSTYLE_SEP) ? kSeparatorWidth : image;
    SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    Invalidate();
}

void CToolBar::GetButtonInfo(int index, UINT& command, UINT& style, int& image) const
{
    const TBBUTTON button = ButtonAt(*this, index);
    command = static_cast<UINT>(button.idCommand);
    style = button.fsStyle;
    image = IsSeparator(button) ? -1 : button.iBitmap;
}

int CToolBar::GetCount() const
{
    return m_hWnd ? static_cast<int>(SendMessage(TB_BUTTONCOUNT)) : 0;
}

UINT CToolBar::GetItemID(int index) const
{
    return static_cast<UINT>(ButtonAt(*this, index).idCommand);
}

int CToolBar::CommandToIndex(UINT command) const
{
    for (int index = 0; index < GetCount(); ++index) {
        const TBBUTTON button = ButtonAt(*this, index);
        if (!IsSeparator(button) && static_cast<UINT>(button.idCommand) == command)
            return index;
    }
    return -1;
}

RECT CToolBar::GetItemRect(int index) const
{
    RECT rect{};
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

BOOL CToolBar::SetSizes(SIZE button, SIZE image)
{
    if (!m_hWnd || image.cx <= 0 || image.cy <= 0 || button.cx <= image.cx || button.cy <= image.cy)
        return FALSE;
    m_sizeImage = image;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
    m_sizeButton = button;
    return TRUE;
}

SIZE CToolBar::GetButtonSize() const
{
    return m_sizeButton;
}

void CToolBar::SetImageList(UINT message, HIMAGELIST images)
{
    if (m_hWnd)
        SendMessage(message, 0, reinterpret_cast<LPARAM>(images));
    // Setting the images may make the control take their size for its buttons.
    if (m_hWnd && message == TB_SETIMAGELIST)
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_sizeButton.cx, m_sizeButton.cy));
}

bool CToolBar::IsButtonEnabled(int index) const
{
    return (ButtonAt(*this, index).fsState & TBSTATE_ENABLED) != 0;
}

bool CToolBar::IsButtonChecked(int index) const
{
    return (ButtonAt(*this, index).fsState & TBSTATE_CHECKED) != 0;
}

// ---- layout ------------------------------------------------------------------

bool CToolBar::IsUpright() const
{
    return m_pDockBar && !m_pDockBar->IsFloatingDockBar() && (m_pDockBar->GetBarStyle() & CBRS_ORIENT_VERT) != 0;
}

RECT CToolBar::NonClientInsets(bool upright) const
{
    RECT insets = m_borders;
    if (m_bGripper)
        (upright ? insets.top : insets.left) += kGripperRoom;
    return insets;
}

SIZE CToolBar::ButtonsExtent(bool upright) const
{
    int along = 0;
    int buttons = 0;
    for (int index = 0; index < GetCount(); ++index) {
        const TBBUTTON button = ButtonAt(*this, index);
        if (IsSeparator(button)) {
            along += upright ? 0 : (button.iBitmap > 0 ? button.iBitmap : kSeparatorWidth);
        } else {
            along += upright ? m_sizeButton.cy : m_sizeButton.cx;
            ++buttons;
        }
    }
    if (upright)
        return SIZE{buttons ? m_sizeButton.cx : 0, along};
    return SIZE{along, buttons ? m_sizeButton.cy : 0};
}

SIZE CToolBar::CalcFixedLayout(BOOL, BOOL horz)
{
    const bool upright = !horz;
    const SIZE extent = ButtonsExtent(upright);
    const RECT insets = NonClientInsets(upright);
    return SIZE{extent.cx + insets.left + insets.right, extent.cy + insets.top + insets.bottom};
}

SIZE CToolBar::CalcDynamicLayout(int length, DWORD mode)
{
    const bool upright = (mode & LM_VERTDOCK) != 0;
    // The dock bar's own layout (no length offered) places the bar: the
    // buttons take the arrangement now; a drag only measures.
    if (length == -1)
        ArrangeButtons(upright);
    return CalcFixedLayout(FALSE, upright ? FALSE : TRUE);
}

void CToolBar::ArrangeButtons(bool upright)
{
    if (!m_hWnd)
        return;
    for (int index = 0; index < GetCount(); ++index) {
        const TBBUTTON button = ButtonAt(*this, index);
        BYTE state = button.fsState & ~(TBSTATE_WRAP | TBSTATE_HIDDEN);
        if (upright)
            state |= IsSeparator(button) ? TBSTATE_HIDDEN : TBSTATE_WRAP;
        if (state != button.fsState) {
            TBBUTTONINFOA info{};
            info.cbSize = sizeof info;
            info.dwMask = TBIF_BYINDEX | TBIF_STATE;
            info.fsState = state;
            SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
        }
    }
    if (upright != m_bUpright) {
        m_bUpright = upright;
        // The gripper moves from the left to the top or back.
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// ---- command updates and tips ------------------------------------------------

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    if (!target)
        return;
    for (int index = 0; index < GetCount(); ++index) {
        const TBBUTTON button = ButtonAt(*this, index);
        if (IsSeparator(button) || button.idCommand == 0)
            continue;
        CToolCmdUI ui(*this);
        ui.m_nID = static_cast<UINT>(button.idCommand);
        ui.m_nIndex = static_cast<UINT>(index);
        ui.m_nIndexMax = static_cast<UINT>(GetCount());
        ui.DoUpdate(*target, disableIfNoHandler != FALSE);
    }
}

BOOL CToolBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (message != WM_NOTIFY || !header || header->code != TBN_GETINFOTIPA)
        return CControlBar::OnChildNotify(message, wParam, lParam, result);
    auto* tip = reinterpret_cast<NMTBGETINFOTIPA*>(lParam);
    // The command's prompt string: the tip is its part after the line break.
    CString prompt;
    if (tip->pszText && tip->cchTextMax > 0 && prompt.LoadString(static_cast<UINT>(tip->iItem))) {
        const char* text = prompt;
        const char* tipText = std::strchr(text, '\n');
        tipText = tipText ? tipText + 1 : text;
        lstrcpynA(tip->pszText, tipText, tip->cchTextMax);
    }
    if (result)
        *result = 0;
    return TRUE;
}

// ---- the gripper, and mouse ----------------------------------------------------

bool CToolBar::IsOnButton(POINT point) const
{
    const LRESULT hit = SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point));
    if (hit < 0)
        return false;
    return !IsSeparator(ButtonAt(*this, static_cast<int>(hit)));
}

void CToolBar::OnLButtonDown(UINT flags, POINT point)
{
    if (IsOnButton(point))
        Default();
    else
        CControlBar::OnLButtonDown(flags, point);
}

void CToolBar::OnLButtonDblClk(UINT flags, POINT point)
{
    if (IsOnButton(point))
        Default();
    else
        CControlBar::OnLButtonDblClk(flags, point);
}

void CToolBar::PaintGripper()
{
    CWindowDC dc(m_hWnd);
    if (!dc.m_hDC)
        return;
    RECT window;
    GetWindowRect(&window);
    ::OffsetRect(&window, -window.left, -window.top);
    RECT client;
    GetClientRect(&client);
    const RECT insets = NonClientInsets(m_bUpright);
    ::OffsetRect(&client, insets.left, insets.top);
    // The frame around the buttons only: the control paints its client area.
    CSaveDCGuard saved(dc.m_hDC);
    ::ExcludeClipRect(dc.m_hDC, client.left, client.top, client.right, client.bottom);
    dc.FillSolidRect(window, ::GetSysColor(COLOR_BTNFACE));
    if (m_bGripper) {
        // A raised ridge across the bar, just inside its border.
        RECT ridge = m_bUpright ? RECT{window.left + 2, m_borders.top + 2, window.right - 2, m_borders.top + 5}
                                : RECT{m_borders.left + 2, window.top + 2, m_borders.left + 5, window.bottom - 2};
        ::DrawEdge(dc.m_hDC, &ridge, BDR_RAISEDINNER, BF_RECT);
    }
}

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const RECT insets = NonClientInsets(m_bUpright);
        rect->left += insets.left;
        rect->top += insets.top;
        rect->right = std::max(rect->left, rect->right - insets.right);
        rect->bottom = std::max(rect->top, rect->bottom - insets.bottom);
        return 0;
    }
    case WM_NCPAINT:
        PaintGripper();
        return 0;
    case WM_NCHITTEST: {
        // The gripper belongs to the bar: its clicks drag, a double click floats.
        RECT window;
        GetWindowRect(&window);
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return ::PtInRect(&window, point) ? HTCLIENT : HTNOWHERE;
    }
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}
