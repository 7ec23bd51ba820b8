// The main frame's menus: the menu bar's pop-ups get their icons from the
// application's image list and a vertical title band, and the system menu is
// owner-drawn too.
#include "app/Quorbel6App.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "uikit/MenuItemPainting.h"
#include "uikit/NewMenu.h"

#include <gtest/gtest.h>

namespace {

bool IsOwnerDrawn(HMENU menu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) && (info.fType & MFT_OWNERDRAW);
}

const CNewMenuItemData* FindCommand(CNewMenu& bar, UINT command)
{
    for (int popup = 0; popup < 5; ++popup) {
        CNewMenu* sub = bar.GetSubMenu(popup);
        if (!sub)
            continue;
        for (const auto& data : sub->GetItemData()) {
            if (data->m_nCommandId == command && !data->IsSeparator())
                return data.get();
        }
    }
    return nullptr;
}

}  // namespace

TEST(MainFrameMenus, PopupsGetIconsAndTitleBandsAndTheSystemMenuIsOwnerDrawn)
{
    CQuorbel6App app;
    CBitmap strip;
    ASSERT_TRUE(strip.LoadDIBSection(IDB_MENU_IMAGES));
    ASSERT_TRUE(app.m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, MENU_IMAGE_COUNT, 0));
    app.m_imageList.Add(strip, RGB(255, 0, 255));

    auto* frame = new CMainFrame;  // goes with its window
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
    HWND window = frame->GetSafeHwnd();

    CNewMenu& bar = frame->GetNewMenu();
    ASSERT_EQ(::GetMenu(window), bar.m_hMenu);
    for (int popup = 0; popup < 5; ++popup) {
        SCOPED_TRACE(popup);
        CNewMenu* sub = bar.GetSubMenu(popup);
        ASSERT_NE(sub, nullptr);
        ASSERT_FALSE(sub->GetItemData().empty());
        const CNewMenuItemData* title = sub->GetItemDataAt(0);
        EXPECT_TRUE(title->IsTitle());
        EXPECT_EQ(title->m_nTitleFlags, DWORD{kMenuTitle | kMenuTitleVertical | kMenuTitleGradient});
        EXPECT_EQ(title->m_strText, " ");
    }

    const UINT withIcons[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_EDIT_CUT, ID_EDIT_COPY,
                              ID_EDIT_PASTE, ID_EDIT_DELETE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_HELP_CONTENTS,
                              ID_FILE_PRINT_PREVIEW, ID_LAYOUT_CENTER_HORIZONTALLY, ID_LAYOUT_CENTER_VERTICALLY,
                              ID_LAYOUT_SET_AS_BACKGROUND, ID_LAYOUT_BRING_TO_FRONT, ID_FILE_CHANGE_LABEL_PAPER};
    for (UINT command : withIcons) {
        SCOPED_TRACE(command);
        const CNewMenuItemData* data = FindCommand(bar, command);
        ASSERT_NE(data, nullptr);
        EXPECT_TRUE(data->HasIcon());
    }
    const CNewMenuItemData* saveAs = FindCommand(bar, ID_FILE_SAVE_AS);
    ASSERT_NE(saveAs, nullptr);
    EXPECT_FALSE(saveAs->HasIcon());

    // XP-style items take the check mark and the listed commands' images from these.
    EXPECT_EQ(MenuHotImages(), app.m_imageList.GetSafeHandle());
    ASSERT_NE(MenuDisabledImages(), nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(MenuDisabledImages()), 24);

    HMENU system = ::GetSystemMenu(window, FALSE);
    EXPECT_EQ(frame->GetNewSystemMenu().m_hMenu, system);
    ASSERT_GT(::GetMenuItemCount(system), 0);
    for (int position = 0; position < ::GetMenuItemCount(system); ++position)
        EXPECT_TRUE(IsOwnerDrawn(system, position)) << position;

    ::DestroyWindow(window);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    // The frame's disabled list went with it.
    EXPECT_EQ(MenuDisabledImages(), nullptr);
}
