// Item sizes of the draw modes.
#include "uikit/NewMenu.h"

#include "uikit/MenuItemPainting.h"
#include "uikit/MenuTitleFont.h"

#include <algorithm>

namespace {

constexpr int kSeparatorHeight = 3;
constexpr int kTabRoom = 15;
constexpr int kEtchedLineRoom = 8;
constexpr UINT kBoldMeasureFlag = 0x20;

int TextWidth(HDC dc, const CString& text)
{
    if (text.IsEmpty())
        return 0;
    RECT area{0, 0, 0, 0};
    ::DrawTextA(dc, text, text.GetLength(), &area, DT_SINGLELINE | DT_CALCRECT);
    return area.right - area.left;
}

void MeasureTitle(const CNewMenuItemData& data, LPMEASUREITEMSTRUCT item)
{
    CClientDC screen(nullptr);
    CFont font = CreateMenuTitleFont(false);
    CSelectGuard selected(screen, font);
    SIZE size{};
    ::GetTextExtentPoint32A(screen, data.m_strText, data.m_strText.GetLength(), &size);
    const int etched = (data.m_nTitleFlags & kMenuTitleEtched) ? kEtchedLineRoom : 0;
    if (data.m_nTitleFlags & kMenuTitleVertical) {
        // The system adds the check-mark width to an owner-drawn item itself.
        // The band is drawn down the whole menu; the item itself is one pixel
        // high, as some systems never draw an item without height.
        item->itemWidth = static_cast<UINT>(std::max<int>(0, size.cy - ::GetSystemMetrics(SM_CXMENUCHECK) + etched));
        item->itemHeight = 1;
    } else {
        item->itemWidth = static_cast<UINT>(size.cx);
        item->itemHeight = static_cast<UINT>(size.cy + etched);
    }
}

// Width and height of an ordinary item; `padding` is what the style adds to the icon height.
SIZE MeasurePlainItem(const CNewMenuItemData& data, SIZE iconSize, BOOL menuBarItem, int padding)
{
    CClientDC screen(nullptr);
    const bool bold = (data.m_nMenuFlags & (kBoldMeasureFlag | MFS_DEFAULT)) != 0;
    CFont font = CreateMenuFont(bold);
    CSelectGuard selected(screen, font);
    const MenuItemText text = SplitMenuText(data.m_strText);
    int width = TextWidth(screen, text.label) + TextWidth(screen, text.accelerator);
    if (!menuBarItem)
        width += 2 * iconSize.cx + 2;
    if (data.m_strText.Find('\t') >= 0)
        width += kTabRoom;
    const int height = std::max<int>(::GetSystemMetrics(SM_CYMENU), iconSize.cy + padding);
    return SIZE{width, height};
}

void MeasureMenuItem(const CNewMenu& menu, LPMEASUREITEMSTRUCT item, BOOL menuBarItem, int padding)
{
    const auto* data = reinterpret_cast<const CNewMenuItemData*>(item->itemData);
    if (!data)
        return;
    if (data->IsSeparator()) {
        if (data->IsTitle()) {
            MeasureTitle(*data, item);
        } else {
            item->itemWidth = 0;
            item->itemHeight = kSeparatorHeight;
        }
        return;
    }
    SIZE size = MeasurePlainItem(*data, menu.GetIconSize(), menuBarItem, padding);
    if (IsSystemCommand(data->m_nCommandId)) {
        // System-menu items are as wide as the next command after them, and of
        // the standard height.
        const auto& records = menu.GetItemData();
        bool afterThis = false;
        for (const auto& record : records) {
            if (record.get() == data) {
                afterThis = true;
                continue;
            }
            if (!afterThis || record->IsSeparator() || record->m_nCommandId == 0)
                continue;
            const SIZE next = MeasurePlainItem(*record, menu.GetIconSize(), menuBarItem, padding);
            size.cx = std::max(size.cx, next.cx);
            break;
        }
        size.cy = ::GetSystemMetrics(SM_CYMENU);
    }
    item->itemWidth = static_cast<UINT>(size.cx);
    item->itemHeight = static_cast<UINT>(size.cy);
}

}  // namespace

void CNewMenu::MeasureItemClassic(LPMEASUREITEMSTRUCT item, BOOL menuBarItem)
{
    MeasureMenuItem(*this, item, menuBarItem, 4);
}

void CNewMenu::MeasureItemXP(LPMEASUREITEMSTRUCT item, BOOL menuBarItem)
{
    MeasureMenuItem(*this, item, menuBarItem, 8);
}
