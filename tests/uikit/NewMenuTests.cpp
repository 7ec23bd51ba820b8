// CNewMenu: menus turned owner-drawn with a record per item, sub-menus,
// titles, mnemonics, icons from image lists and tool bars, item sizes.
#include "MenuTestSupport.h"

#include "resource.h"
#include "uikit/ColorHelpers.h"
#include "uikit/NewMenuIcons.h"

#include <gtest/gtest.h>

#include <string>

using namespace menu_test;

namespace {

MENUITEMINFOA ItemInfo(HMENU menu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info;
}

// Every item of the menu is owner-drawn and carries its own record, in order.
void ExpectConverted(const CNewMenu& menu)
{
    const int count = ::GetMenuItemCount(menu.m_hMenu);
    ASSERT_EQ(static_cast<int>(menu.GetItemData().size()), count);
    for (int position = 0; position < count; ++position) {
        const MENUITEMINFOA info = ItemInfo(menu.m_hMenu, position);
        SCOPED_TRACE(position);
        EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);
        EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(menu.GetItemDataAt(position)));
        EXPECT_EQ(menu.GetItemDataAt(position)->IsSeparator(), (info.fType & MFT_SEPARATOR) != 0);
    }
}

}  // namespace

TEST(NewMenu, LoadMenuMakesEveryItemOwnerDrawnAndKeepsTheTexts)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    ExpectConverted(menu);
    ASSERT_EQ(menu.GetItemData().size(), 5u);
    EXPECT_EQ(menu.GetItemDataAt(0)->m_strText, "&File");
    EXPECT_EQ(menu.GetItemDataAt(4)->m_strText, "&Help");
    EXPECT_FALSE(menu.IsPopup());

    for (int position = 0; position < 5; ++position) {
        SCOPED_TRACE(position);
        CNewMenu* popup = menu.GetSubMenu(position);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->m_hMenu, ::GetSubMenu(menu.m_hMenu, position));
        EXPECT_EQ(popup->GetParentMenu(), menu.m_hMenu);
        EXPECT_TRUE(popup->IsPopup());
        // The bar item's record stands for the pop-up it opens.
        EXPECT_EQ(menu.GetItemDataAt(position)->m_nCommandId, reinterpret_cast<UINT_PTR>(popup->m_hMenu));
        EXPECT_TRUE(menu.GetItemDataAt(position)->IsPopupItem());
        ExpectConverted(*popup);
    }

    CNewMenu* file = menu.GetSubMenu(0);
    const int newItem = PositionOf(*file, ID_FILE_NEW);
    ASSERT_GE(newItem, 0);
    EXPECT_EQ(file->GetItemDataAt(newItem)->m_strText, "&New\tCtrl+N");
    // The state an item had comes through the conversion.
    const int recent = PositionOf(*file, ID_FILE_MRU_FILE1);
    ASSERT_GE(recent, 0);
    EXPECT_NE(ItemInfo(file->m_hMenu, recent).fState & MFS_GRAYED, 0u);
    EXPECT_EQ(file->GetItemDataAt(recent)->m_strText, "Recent File");

    // Nested pop-ups get their own menu objects: Edit, Insert.
    CNewMenu* edit = menu.GetSubMenu(1);
    int insertPosition = -1;
    for (int position = 0; position < ::GetMenuItemCount(edit->m_hMenu); ++position) {
        if (::GetSubMenu(edit->m_hMenu, position))
            insertPosition = position;
    }
    ASSERT_GE(insertPosition, 0);
    CNewMenu* insert = edit->GetSubMenu(insertPosition);
    ASSERT_NE(insert, nullptr);
    EXPECT_EQ(insert->GetParentMenu(), edit->m_hMenu);
    EXPECT_GE(PositionOf(*insert, ID_INSERT_ARTIST), 0);
    // A position holding a command opens nothing.
    EXPECT_EQ(file->GetSubMenu(newItem), nullptr);
}

TEST(NewMenu, ALoadFailureOrAForeignHandleLeavesTheMenuEmpty)
{
    CNewMenu menu;
    EXPECT_FALSE(menu.LoadMenu(9999u));
    EXPECT_EQ(menu.m_hMenu, nullptr);
    EXPECT_FALSE(menu.AttachMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0x1234))));
    EXPECT_EQ(menu.m_hMenu, nullptr);
}

TEST(NewMenu, ItemsChangedBehindItsBackAreConvertedBeforeTheMenuActs)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 100, "&Alpha"));
    ::AppendMenuA(menu.m_hMenu, MF_STRING, 101, "&Quit now");
    ASSERT_EQ(menu.GetItemData().size(), 1u);

    // A mnemonic of the item added behind the menu's back is found.
    EXPECT_EQ(CNewMenu::OnMenuChar('q', MF_POPUP, menu.m_hMenu), MAKELRESULT(1, MNC_EXECUTE));
    ExpectConverted(menu);
    EXPECT_EQ(menu.GetItemDataAt(1)->m_strText, "&Quit now");

    // Removed items lose their records; survivors keep theirs.
    const CNewMenuItemData* alpha = menu.GetItemDataAt(0);
    ::DeleteMenu(menu.m_hMenu, 101, MF_BYCOMMAND);
    ::InsertMenuA(menu.m_hMenu, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    menu.SetMenuTitle("T", 0);
    ExpectConverted(menu);
    ASSERT_EQ(menu.GetItemData().size(), 2u);
    EXPECT_TRUE(menu.GetItemDataAt(0)->IsTitle());
    EXPECT_EQ(menu.GetItemDataAt(1), alpha);
}

TEST(NewMenu, MnemonicsFindTheFirstItemWhateverTheCase)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    CNewMenu* file = menu.GetSubMenu(0);
    const int newItem = PositionOf(*file, ID_FILE_NEW);
    const int saveItem = PositionOf(*file, ID_FILE_SAVE);
    const int saveAsItem = PositionOf(*file, ID_FILE_SAVE_AS);

    struct Case {
        UINT key;
        LRESULT expected;
    };
    const Case cases[] = {
        {'n', MAKELRESULT(newItem, MNC_EXECUTE)},
        {'N', MAKELRESULT(newItem, MNC_EXECUTE)},
        {'s', MAKELRESULT(saveItem, MNC_EXECUTE)},  // "&Save" before "Save &As"
        {'a', MAKELRESULT(saveAsItem, MNC_EXECUTE)},
        {'z', 0},                                    // no item has it
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(static_cast<char>(test.key));
        EXPECT_EQ(CNewMenu::OnMenuChar(test.key, MF_POPUP, file->m_hMenu), test.expected);
    }
    // The menu bar: "&Edit" is position 1.
    EXPECT_EQ(CNewMenu::OnMenuChar('e', 0, menu.m_hMenu), MAKELRESULT(1, MNC_EXECUTE));
    // A plain menu is none of the library's business.
    HMENU plain = ::CreatePopupMenu();
    ::AppendMenuA(plain, MF_STRING, 1, "&Plain");
    EXPECT_EQ(CNewMenu::OnMenuChar('p', MF_POPUP, plain), 0);
    ::DestroyMenu(plain);
}

TEST(NewMenu, MenuCharGoesThroughTheOwnersMessages)
{
    MenuOwner owner;
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 100, "&Alpha");
    menu.AppendMenu(MF_STRING, 101, "&Beta");
    EXPECT_EQ(::SendMessageA(owner.Get(), WM_MENUCHAR, MAKEWPARAM('b', MF_POPUP),
                             reinterpret_cast<LPARAM>(menu.m_hMenu)),
              MAKELRESULT(1, MNC_EXECUTE));
}

TEST(NewMenu, AVerticalTitleIsAColumnOfItsOwn)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    CNewMenu* view = menu.GetSubMenu(2);
    const int before = ::GetMenuItemCount(view->m_hMenu);
    const CNewMenuItemData* firstItem = view->GetItemDataAt(0);

    ASSERT_TRUE(view->SetMenuTitle(" ", kMenuTitleVertical | kMenuTitleGradient));
    EXPECT_EQ(::GetMenuItemCount(view->m_hMenu), before + 1);
    ExpectConverted(*view);
    const CNewMenuItemData* title = view->GetItemDataAt(0);
    EXPECT_TRUE(title->IsTitle());
    EXPECT_EQ(title->m_nTitleFlags, DWORD{kMenuTitle | kMenuTitleVertical | kMenuTitleGradient});
    EXPECT_EQ(view->GetItemDataAt(1), firstItem);
    EXPECT_NE(ItemInfo(view->m_hMenu, 1).fType & MFT_MENUBREAK, 0u);

    // Setting it again reuses the title item; a horizontal title needs no column.
    ASSERT_TRUE(view->SetMenuTitle("Title", kMenuTitleGradient));
    EXPECT_EQ(::GetMenuItemCount(view->m_hMenu), before + 1);
    EXPECT_EQ(view->GetItemDataAt(0)->m_strText, "Title");
    EXPECT_EQ(ItemInfo(view->m_hMenu, 1).fType & MFT_MENUBREAK, 0u);
}

TEST(NewMenu, ATitleWithoutItemsAfterItIsSetButReported)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_FALSE(menu.SetMenuTitle("Alone", kMenuTitleVertical));
    ASSERT_EQ(menu.GetItemData().size(), 1u);
    EXPECT_TRUE(menu.GetItemDataAt(0)->IsTitle());

    CNewMenu none;
    EXPECT_FALSE(none.SetMenuTitle("x", 0));
}

TEST(NewMenu, SetMenuDrawModeIgnoresUnknownKeys)
{
    ScopedDrawMode restore(2);
    for (int key = 0; key <= 5; ++key) {
        CMenuDrawStyle* mode = CNewMenu::SetMenuDrawMode(key);
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->GetKey(), key);
        EXPECT_EQ(mode->IsFlat() != FALSE, key % 2 == 0);
        EXPECT_EQ(CMenuDrawStyle::CurrentMode(), mode);
    }
    CMenuDrawStyle* current = CMenuDrawStyle::CurrentMode();
    EXPECT_EQ(CNewMenu::SetMenuDrawMode(7), nullptr);
    EXPECT_EQ(CNewMenu::SetMenuDrawMode(-1), nullptr);
    EXPECT_EQ(CMenuDrawStyle::CurrentMode(), current);
}

// ---- icons ---------------------------------------------------------------------

TEST(NewMenuIcons, SetItemIconGivesEveryItemOfTheCommandTheImage)
{
    SolidImages images({RGB(200, 30, 30), RGB(30, 200, 30)});
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_CONTEXT_MENU));
    CNewMenu* label = menu.GetSubMenu(0);
    ASSERT_NE(label, nullptr);
    CNewMenu* insert = label->GetSubMenu(0);
    ASSERT_NE(insert, nullptr);

    EXPECT_FALSE(menu.SetItemIcon(nullptr, ID_INSERT_TEXT, nullptr, 0));
    EXPECT_FALSE(menu.SetItemIcon(nullptr, ID_INSERT_TEXT, images.Get(), -1));
    EXPECT_FALSE(insert->GetItemDataAt(PositionOf(*insert, ID_INSERT_TEXT))->HasIcon());

    ASSERT_TRUE(menu.SetItemIcon("Te&xt object", ID_INSERT_TEXT, images.Get(), 1));
    const CNewMenuItemData* text = insert->GetItemDataAt(PositionOf(*insert, ID_INSERT_TEXT));
    ASSERT_TRUE(text->HasIcon());
    EXPECT_EQ(text->m_strText, "Te&xt object");
    EXPECT_EQ(text->m_nIconIndex % 3, 0);
    // Normal, shaded and disabled images of the command.
    EXPECT_GE(::ImageList_GetImageCount(text->m_pIconSet->GetImageList()), text->m_nIconIndex + 3);
    EXPECT_EQ(text->m_pIconSet->FindIndex(ID_INSERT_TEXT), text->m_nIconIndex);
    EXPECT_EQ(insert->GetIconSize().cx, 16);
    EXPECT_EQ(insert->GetIconSize().cy, 16);
    ExpectConverted(*insert);
}

TEST(NewMenuIcons, SetsAreSharedByCommandAndGoWithTheirLastHolder)
{
    SolidImages small({RGB(200, 30, 30)});
    SolidImages large({RGB(30, 30, 200)}, 24);
    const size_t setsBefore = CNewMenuIcons::AllIconSets().size();
    {
        CNewMenu first;
        CNewMenu second;
        ASSERT_TRUE(first.CreatePopupMenu());
        ASSERT_TRUE(second.CreatePopupMenu());
        first.AppendMenu(MF_STRING, 500, "&One", small.Get(), 0);
        second.AppendMenu(MF_STRING, 500, "&Same command", small.Get(), 0);
        second.AppendMenu(MF_STRING, 501, "&Big", large.Get(), 0);

        const CNewMenuItemData* one = first.GetItemDataAt(0);
        const CNewMenuItemData* same = second.GetItemDataAt(0);
        const CNewMenuItemData* big = second.GetItemDataAt(1);
        ASSERT_TRUE(one->HasIcon() && same->HasIcon() && big->HasIcon());
        EXPECT_EQ(one->m_pIconSet, same->m_pIconSet);
        // An icon of another size can't share the set of 16-pixel images.
        EXPECT_NE(big->m_pIconSet, one->m_pIconSet);
        EXPECT_EQ(big->m_pIconSet->GetImageSize().cx, 24);
        EXPECT_EQ(second.GetIconSize().cx, 24);
        EXPECT_EQ(one->m_pIconSet->GetRefCount(), 2);
        EXPECT_EQ(CNewMenuIcons::AllIconSets().size(), setsBefore + 2);
    }
    EXPECT_EQ(CNewMenuIcons::AllIconSets().size(), setsBefore);
}

TEST(NewMenuIcons, DerivedImagesAreDarkerAndGreyer)
{
    const COLORREF red = RGB(220, 40, 40);
    SolidImages images({red});
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 600, "&Red", images.Get(), 0);
    const CNewMenuItemData* data = menu.GetItemDataAt(0);
    ASSERT_TRUE(data->HasIcon());

    Canvas canvas(48, 16, RGB(0, 0, 255));
    for (int k = 0; k < 3; ++k)
        ::ImageList_Draw(data->m_pIconSet->GetImageList(), data->m_nIconIndex + k, canvas.DC(), 16 * k, 0,
                         ILD_TRANSPARENT);
    const COLORREF normal = canvas.Pixel(8, 8);
    const COLORREF shaded = canvas.Pixel(24, 8);
    const COLORREF disabled = canvas.Pixel(40, 8);
    EXPECT_TRUE(Near(normal, red, 2));
    EXPECT_LT(GetRValue(shaded), GetRValue(normal));
    EXPECT_TRUE(Near(shaded, DarkenColour(50, normal), 1)) << std::hex << normal << " " << shaded << " " << disabled;
    // Grey, lightened and mixed with the menu colour: the channels end up close together.
    EXPECT_LT(std::abs(GetRValue(disabled) - GetGValue(disabled)), 40);
    EXPECT_GT(GetGValue(disabled), GetGValue(normal));
    // The corner pixel stays transparent in every form.
    EXPECT_EQ(canvas.Pixel(16, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(32, 0), RGB(0, 0, 255));
}

TEST(NewMenuIcons, SetItemIconKeepsTheItemsState)
{
    SolidImages images({RGB(200, 30, 30)});
    CNewMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 700, "&Checked");
    ::CheckMenuItem(menu.m_hMenu, 700, MF_CHECKED);
    ::EnableMenuItem(menu.m_hMenu, 700, MF_GRAYED);
    ASSERT_TRUE(menu.SetItemIcon(nullptr, 700, images.Get(), 0));
    const UINT state = ::GetMenuState(menu.m_hMenu, 700, MF_BYCOMMAND);
    EXPECT_NE(state & MF_CHECKED, 0u);
    EXPECT_NE(state & MF_GRAYED, 0u);
}

TEST(NewMenuIcons, LoadToolBarGivesTheToolBarsCommandsTheirImagesInOrder)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    EXPECT_FALSE(menu.LoadToolBar(9999));
    ASSERT_TRUE(menu.LoadToolBar(IDR_STANDARD_TOOLBAR));

    // The tool bar's buttons in order, separators left out.
    const UINT buttons[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_EDIT_CUT,
                            ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, ID_EDIT_UNDO, ID_EDIT_REDO};
    const CNewMenuIcons* set = nullptr;
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(buttons[k]);
        const CNewMenuItemData* found = nullptr;
        for (int popup = 0; popup < 5 && !found; ++popup) {
            CNewMenu* sub = menu.GetSubMenu(popup);
            const int position = PositionOf(*sub, buttons[k]);
            if (position >= 0)
                found = sub->GetItemDataAt(position);
        }
        ASSERT_NE(found, nullptr);
        ASSERT_TRUE(found->HasIcon());
        EXPECT_EQ(found->m_nIconIndex, 3 * k);
        if (set) {
            EXPECT_EQ(found->m_pIconSet, set);
        }
        set = found->m_pIconSet;
    }
    CNewMenu* file = menu.GetSubMenu(0);
    EXPECT_FALSE(file->GetItemDataAt(PositionOf(*file, ID_FILE_SAVE_AS))->HasIcon());

    // A second menu loading the same tool bar shares the set.
    CNewMenu other;
    ASSERT_TRUE(other.LoadMenu(IDR_MAINFRAME));
    ASSERT_TRUE(other.LoadToolBar(IDR_STANDARD_TOOLBAR));
    CNewMenu* otherFile = other.GetSubMenu(0);
    EXPECT_EQ(otherFile->GetItemDataAt(PositionOf(*otherFile, ID_FILE_NEW))->m_pIconSet, set);
}

// ---- sizes -------------------------------------------------------------------------

TEST(NewMenuMeasure, SizesFollowTheTextTheIconsAndTheStyle)
{
    ScopedDrawMode mode(2);
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    CNewMenu* file = menu.GetSubMenu(0);
    const SIZE saveAs = Measure(*file, PositionOf(*file, ID_FILE_SAVE_AS));
    const SIZE template_ = Measure(*file, PositionOf(*file, ID_FILE_SAVE_AS_DEFAULT_TEMPLATE));
    const SIZE separator = Measure(*file, PositionOf(*file, ID_FILE_SAVE_AS_DEFAULT_TEMPLATE) + 1);
    ASSERT_GT(saveAs.cx, 0);
    EXPECT_GT(template_.cx, saveAs.cx);  // "Save As Default Template" is the longer text
    EXPECT_EQ(template_.cy, saveAs.cy);
    EXPECT_EQ(separator.cy, 3);
    EXPECT_LT(separator.cy, saveAs.cy);
    // Room for the icon column on both sides.
    EXPECT_GT(saveAs.cx, 2 * file->GetIconSize().cx);
    EXPECT_GE(saveAs.cy, file->GetIconSize().cy + 8);

    // The classic style is 4 pixels lower where the icon decides the height.
    CNewMenu::SetMenuDrawMode(0);
    const SIZE classic = Measure(*file, PositionOf(*file, ID_FILE_SAVE_AS));
    EXPECT_EQ(classic.cx, saveAs.cx);
    EXPECT_EQ(classic.cy, std::max<int>(::GetSystemMetrics(SM_CYMENU), file->GetIconSize().cy + 4));
}

TEST(NewMenuMeasure, BarItemsTabsTitlesAndSystemCommands)
{
    ScopedDrawMode mode(2);
    CNewMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_MAINFRAME));
    CNewMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 1, "&File");
    popup.AppendMenu(MF_STRING, 2, "&File\tF");
    popup.AppendMenu(MF_STRING, SC_CLOSE, "C");
    popup.AppendMenu(MF_STRING, 3, "A much longer item text");

    // A bar item has no icon room; the same text in a pop-up has.
    const SIZE barItem = Measure(bar, 0);
    const SIZE popupItem = Measure(popup, 0);
    EXPECT_EQ(popupItem.cx, barItem.cx + 2 * popup.GetIconSize().cx + 2);
    // A tab adds room beyond the accelerator's own width.
    EXPECT_GT(Measure(popup, 1).cx, popupItem.cx + 15);
    // A system command is as wide as the next command and of the standard height.
    const SIZE close = Measure(popup, 2);
    EXPECT_EQ(close.cx, Measure(popup, 3).cx);
    EXPECT_EQ(close.cy, ::GetSystemMetrics(SM_CYMENU));

    // A vertical title has next to no height of its own (its band runs down
    // the menu); a horizontal one has the text's.
    popup.SetMenuTitle("Title", kMenuTitleVertical);
    EXPECT_EQ(Measure(popup, 0).cy, 1);
    popup.SetMenuTitle("Title", 0);
    const SIZE horizontal = Measure(popup, 0);
    EXPECT_GT(horizontal.cy, 0);
    popup.SetMenuTitle("Title", kMenuTitleEtched);
    EXPECT_EQ(Measure(popup, 0).cy, horizontal.cy + 8);

    // Items of a plain menu are not the library's.
    MEASUREITEMSTRUCT foreign{};
    foreign.CtlType = ODT_MENU;
    foreign.itemID = 1;
    foreign.itemData = 12345;
    EXPECT_FALSE(CNewMenu::OnMeasureItem(nullptr, &foreign));
}
