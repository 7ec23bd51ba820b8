#include "framework/CmdUI.h"

#include "framework/CmdTarget.h"
#include "framework/CommandIds.h"
#include "framework/Wnd.h"

void CCmdUI::Enable(bool on)
{
    if (m_hMenu) {
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther && m_pOther->GetSafeHwnd()) {
        // Never leave the focus on a control being disabled: it would be stuck there.
        if (!on && ::GetFocus() == m_pOther->GetSafeHwnd()) {
            HWND parent = ::GetParent(m_pOther->GetSafeHwnd());
            if (parent)
                ::SendMessageA(parent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->GetSafeHwnd(), on ? TRUE : FALSE);
    }
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int check)
{
    if (m_hMenu) {
        if (m_hSubMenu)
            return;  // a pop-up item carries no check mark
        ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther && m_pOther->GetSafeHwnd()) {
        const LRESULT code = ::SendMessageA(m_pOther->GetSafeHwnd(), WM_GETDLGCODE, 0, 0);
        if (code & DLGC_BUTTON)
            ::SendMessageA(m_pOther->GetSafeHwnd(), BM_SETCHECK, static_cast<WPARAM>(check), 0);
    }
}

void CCmdUI::SetRadio(bool on)
{
    if (m_hMenu && !m_hSubMenu) {
        if (on) {
            ::CheckMenuRadioItem(m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        } else {
            ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        }
        return;
    }
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR text)
{
    if (!text)
        text = "";
    if (m_hMenu) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<LPSTR>(text);
        ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &info);
    } else if (m_pOther && m_pOther->GetSafeHwnd()) {
        ::SetWindowTextA(m_pOther->GetSafeHwnd(), text);
    }
}

bool CCmdUI::DoUpdate(CCmdTarget& target, bool disableIfNoHandler)
{
    m_bEnableChanged = false;
    m_bContinueRouting = false;
    CommandRequest request = CommandRequest::Update(this, m_nID);
    const bool answered = target.OnCmdMsg(request);
    if (!answered && disableIfNoHandler && !m_bEnableChanged)
        Enable(target.HasCommandHandler(m_nID));
    return answered;
}

void UpdateMenuCommandUI(CCmdTarget& target, HMENU popup, bool autoDisable)
{
    if (!popup)
        return;
    int count = ::GetMenuItemCount(popup);
    for (int index = 0; index < count; ++index) {
        CCmdUI ui;
        ui.m_hMenu = popup;
        ui.m_nIndex = static_cast<UINT>(index);
        ui.m_nIndexMax = static_cast<UINT>(count);
        const UINT id = ::GetMenuItemID(popup, index);
        if (id == 0)
            continue;  // separator
        if (id == static_cast<UINT>(-1)) {
            HMENU subMenu = ::GetSubMenu(popup, index);
            if (!subMenu)
                continue;
            const UINT firstId = ::GetMenuItemID(subMenu, 0);
            if (firstId == 0 || firstId == static_cast<UINT>(-1))
                continue;
            ui.m_nID = firstId;
            ui.m_hSubMenu = subMenu;
            ui.DoUpdate(target, false);
        } else {
            ui.m_nID = id;
            ui.DoUpdate(target, autoDisable && id < FWID_FIRST_SYSTEM_COMMAND);
        }
        // Handlers may have added items (skipped through m_nIndex) or removed some.
        index = static_cast<int>(ui.m_nIndex);
        count = ::GetMenuItemCount(popup);
    }
}
