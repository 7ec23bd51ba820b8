// The menu loop of CNewMenu: pop-ups opening and closing, mnemonics, the draw
// mode and the icon refresh.
#include "uikit/NewMenu.h"

#include "uikit/MenuDrawStyle.h"
#include "uikit/MenuLibrary.h"
#include "uikit/NewMenuIcons.h"
#include "uikit/OsVersion.h"

namespace {

constexpr DWORD kIconRefreshInterval = 2000;  // ms
// How far a menu-bar item's redraw reaches beyond it: the room of its shadow.
constexpr int kBarItemShadowRoom = 10;

// On Windows XP the caption commands of a system menu get ids of their own
// while it is open, so that the system draws no bitmaps of its own for them.
struct SwappedCommand {
    UINT normal;
    UINT whileOpen;
};
constexpr SwappedCommand kSwappedCommands[] = {{61728, 61729}, {61536, 61537}, {61472, 61473}};

CNewMenu* NewMenuOf(HMENU menu)
{
    return dynamic_cast<CNewMenu*>(CMenu::FromHandlePermanent(menu));
}

}  // namespace

void CNewMenu::OnEnterMenuLoop()
{
    m_bIsPopup = 1;
    ConvertItems();
    if (OSVersionCode() == 7)
        SwapSystemCommands(true);
}

void CNewMenu::OnExitMenuLoop(HWND window)
{
    if (OSVersionCode() == 7)
        SwapSystemCommands(false);
    CNewMenu* parent = NewMenuOf(m_hParentMenu);
    if (!parent)
        return;
    if (parent->m_nLoopDepth > 0)
        --parent->m_nLoopDepth;
    if (!parent->m_bIsPopup) {
        parent->m_nLoopDepth = 0;
        RedrawBarItem(window, m_barItemRect);
    }
}

void CNewMenu::SwapSystemCommands(bool entering)
{
    if (!m_hMenu)
        return;
    for (const SwappedCommand& command : kSwappedCommands) {
        const UINT from = entering ? command.normal : command.whileOpen;
        const UINT to = entering ? command.whileOpen : command.normal;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        info.wID = to;
        if (::SetMenuItemInfoA(m_hMenu, from, FALSE, &info)) {
            for (auto& data : m_itemData) {
                if (data->m_nCommandId == from)
                    data->m_nCommandId = to;
            }
        }
    }
}

void CNewMenu::RedrawBarItem(HWND window, const RECT& screenRect) const
{
    if (!window || !::IsWindow(window) || ::IsRectEmpty(&screenRect))
        return;
    RECT rect = screenRect;
    rect.right += kBarItemShadowRoom;
    rect.bottom += kBarItemShadowRoom;
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::ScreenToClient(window, &corners[0]);
    ::ScreenToClient(window, &corners[1]);
    const RECT client{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    ::RedrawWindow(window, &client, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CNewMenu::OnInitMenuPopup(HWND window, HMENU popup, UINT, BOOL)
{
    MenuLibrary().pendingPopup = popup;
    CNewMenu* menu = NewMenuOf(popup);
    if (!menu)
        return;
    menu->OnEnterMenuLoop();
    CNewMenu* parent = NewMenuOf(menu->m_hParentMenu);
    if (!parent)
        return;
    const int depthBefore = parent->m_nLoopDepth++;
    if (depthBefore == 0 && !parent->m_bIsPopup)
        menu->RedrawBarItem(window, menu->m_barItemRect);
}

LRESULT CNewMenu::OnMenuChar(UINT character, UINT, HMENU menuHandle)
{
    CNewMenu* menu = NewMenuOf(menuHandle);
    if (!menu)
        return 0;
    menu->ConvertItemsIfChanged();
    char key[3] = {'&', static_cast<char>(character), 0};
    ::CharLowerBuffA(key, 2);
    for (size_t position = 0; position < menu->m_itemData.size(); ++position) {
        CString text = menu->m_itemData[position]->m_strText;
        if (text.IsEmpty())
            continue;
        ::CharLowerBuffA(text.GetBuffer(text.GetLength()), static_cast<DWORD>(text.GetLength()));
        text.ReleaseBuffer(text.GetLength());
        if (text.Find(key) >= 0)
            return MAKELRESULT(static_cast<WORD>(position), MNC_EXECUTE);
    }
    return 0;
}

CMenuDrawStyle* CNewMenu::SetMenuDrawMode(int key)
{
    MenuLibrary();
    CMenuDrawStyle* mode = CMenuDrawStyle::FindMode(key);
    if (mode)
        CMenuDrawStyle::SetCurrentMode(mode);
    return mode;
}

void CNewMenu::RefreshMenuIcons()
{
    MenuLibraryState& library = MenuLibrary();
    const DWORD now = ::GetTickCount();
    if (library.iconRefreshDone && now - library.lastIconRefresh < kIconRefreshInterval)
        return;
    library.iconRefreshDone = true;
    library.lastIconRefresh = now;
    CNewMenuIcons::RefreshAllIconSets();
}
