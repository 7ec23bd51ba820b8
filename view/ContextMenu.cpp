// The label view's context menu and the commands that open the panes.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "uikit/NewMenu.h"
#include "uikit/PaneCommands.h"
#include "uikit/UiResources.h"

#include <algorithm>

namespace {

// Items of the context menu that carry an icon of the application's image list.
struct MenuIcon {
    UINT commandId;
    int imageIndex;
};
constexpr MenuIcon kContextMenuIcons[] = {
    {ID_EDIT_CUT, 4},
    {ID_EDIT_COPY, 5},
    {ID_EDIT_PASTE, 6},
    {ID_EDIT_DELETE, 7},
    {ID_LAYOUT_CENTER_HORIZONTALLY, 13},
    {ID_LAYOUT_CENTER_VERTICALLY, 14},
    {ID_LAYOUT_SET_AS_BACKGROUND, 15},
    {ID_LAYOUT_BRING_TO_FRONT, 22},
};

}  // namespace

void CQuorbel6View::OnContextMenu(HWND, POINT point)
{
    Guarded(60, ErrorSink::Window(this), [&] {
        if (GetKeyState(VK_LBUTTON) < 0)
            return;
        m_bContextMenuOpen = 1;

        // Where the Insert commands place a new object: centred on the click,
        // standing upright and no wider than the tab on a spine tab.
        SIZE& drop = m_sizeContextMenuIcon;
        if (m_strCurrentPart == "Left Tab" || m_strCurrentPart == "Right Tab") {
            drop.cy = std::min<LONG>(drop.cy, m_renderer.Geometry().back.tab - 2);
            m_rectInsertion =
                RECT{point.x - drop.cy / 2, point.y - drop.cx / 2, point.x + drop.cy / 2, point.y + drop.cx / 2};
        } else {
            m_rectInsertion = RECT{point.x - drop.cx / 2, point.y - drop.cy / 2, point.x - drop.cx / 2 + drop.cx,
                                   point.y - drop.cy / 2 + drop.cy};
        }

        CNewMenu menu;
        if (menu.LoadMenu(IDR_CONTEXT_MENU)) {
            if (CNewMenu* popup = menu.GetSubMenu(0)) {
                const CUiResources* resources = UiResources();
                for (const MenuIcon& icon : kContextMenuIcons)
                    popup->SetItemIcon(nullptr, icon.commandId,
                                       resources ? resources->MenuImages().GetSafeHandle() : nullptr, icon.imageIndex);
                const auto check = [&](UINT id, bool on) {
                    CheckMenuItem(popup->GetSafeHmenu(), id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
                };
                check(ID_LAYOUT_SNAP_TO_GRID, m_bSnapToGrid != 0);
                check(ID_LAYOUT_SHOW_GRID, m_bShowGrid != 0);
                if (const IViewFrame* frame = ViewFrame()) {
                    check(ID_VIEW_PROPERTIES, frame->IsPropertiesPaneShown());
                    check(ID_VIEW_TEXT_EDITOR, frame->IsTextPaneShown());
                }
                HWND owner = GetAppMainWnd() ? GetAppMainWnd()->m_hWnd : m_hWnd;
                const UINT command = static_cast<UINT>(TrackPopupMenu(popup->GetSafeHmenu(),
                                                                      TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                                      point.x, point.y, 0, owner, nullptr));
                m_bContextMenuOpen = 0;
                // The chosen command runs now, while the menu's point is the
                // insertion place; a later Insert from the menu bar has none.
                if (command != 0) {
                    m_bInsertionPending = 1;
                    ::SendMessageA(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
                    m_bInsertionPending = 0;
                }
            }
        }
        m_bContextMenuOpen = 0;
    });
}

void CQuorbel6View::OnShowPropertiesAtCursor()
{
    Guarded(61, ErrorSink::Window(this), [&] {
        IViewFrame* frame = ViewFrame();
        if (!frame || frame->IsPropertiesPaneShown())
            return;
        POINT cursor{};
        ::GetCursorPos(&cursor);
        frame->ShowPropertiesPaneAt(cursor);
    });
}

void CQuorbel6View::OnViewProperties()
{
    Guarded(87, ErrorSink::Window(this), [&] {
        if (CPaneCommands* panes = MainWindowPaneCommands())
            panes->OnViewProperties();
    });
}

void CQuorbel6View::OnViewTextEditor()
{
    Guarded(88, ErrorSink::Window(this), [&] {
        if (CPaneCommands* panes = MainWindowPaneCommands())
            panes->OnViewTextEditor();
    });
}
