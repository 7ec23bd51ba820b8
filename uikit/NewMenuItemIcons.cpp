// Icons of CNewMenu items: from tool-bar resources and from image lists.
#include "uikit/NewMenu.h"

#include "framework/UserHandles.h"
#include "uikit/NewMenuIcons.h"

#include <algorithm>

namespace {

// Holds a counted set for the length of an operation.
class CIconSetHold {
public:
    explicit CIconSetHold(CNewMenuIcons* set) : m_set(set)
    {
        if (m_set)
            m_set->AddRef();
    }
    ~CIconSetHold()
    {
        if (m_set)
            m_set->Release();
    }
    CIconSetHold(const CIconSetHold&) = delete;
    CIconSetHold& operator=(const CIconSetHold&) = delete;

private:
    CNewMenuIcons* m_set;
};

}  // namespace

void CNewMenu::ApplyItemIcon(int position, CNewMenuItemData& data, CNewMenuIcons* set, int index, LPCSTR text)
{
    data.SetIcon(set, index);
    if (text)
        data.m_strText = text;
    data.m_nMenuFlags |= MF_OWNERDRAW;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(position), TRUE, &info)) {
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        info.fType |= MFT_OWNERDRAW;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(&data);
        ::SetMenuItemInfoA(m_hMenu, static_cast<UINT>(position), TRUE, &info);
    }
    if (set)
        GrowIconSize(set->GetImageSize());
}

BOOL CNewMenu::SetItemIcon(LPCSTR text, UINT commandId, HIMAGELIST imageList, int imageIndex)
{
    if (!imageList || imageIndex < 0 || !m_hMenu)
        return FALSE;
    const OwnedIcon icon(::ImageList_GetIcon(imageList, imageIndex, ILD_NORMAL));
    if (!icon.Get())
        return FALSE;

    CNewMenuBitmaps* set = nullptr;
    for (CNewMenuIcons* candidate : CNewMenuIcons::AllIconSets()) {
        auto* bitmaps = dynamic_cast<CNewMenuBitmaps*>(candidate);
        if (bitmaps && bitmaps->AddIcon(commandId, icon.Get())) {
            set = bitmaps;
            break;
        }
    }
    // A new set is owned by its count: the hold below, then the items.
    auto* fresh = set ? nullptr : new CNewMenuBitmaps(m_maskColour);
    CIconSetHold freshHold(fresh);
    if (fresh) {
        if (!fresh->AddIcon(commandId, icon.Get()))
            return FALSE;
        set = fresh;
    }
    CIconSetHold hold(set);
    const int index = set->FindIndex(commandId);
    if (index < 0)
        return FALSE;

    std::vector<CNewMenu*> menus;
    CollectTree(menus);
    for (CNewMenu* menu : menus) {
        menu->ConvertItemsIfChanged();
        for (size_t position = 0; position < menu->m_itemData.size(); ++position) {
            CNewMenuItemData& data = *menu->m_itemData[position];
            if (!data.IsSeparator() && !data.IsPopupItem() && data.m_nCommandId == commandId)
                menu->ApplyItemIcon(static_cast<int>(position), data, set, index, text);
        }
    }
    return TRUE;
}

BOOL CNewMenu::LoadToolBar(UINT toolBarId, HMODULE module)
{
    if (!m_hMenu)
        return FALSE;
    LPCSTR name = MAKEINTRESOURCEA(toolBarId);
    CNewMenuIcons* set = nullptr;
    for (CNewMenuIcons* candidate : CNewMenuIcons::AllIconSets()) {
        if (!dynamic_cast<CNewMenuBitmaps*>(candidate) && candidate->Match(name, module)) {
            set = candidate;
            break;
        }
    }
    auto* fresh = set ? nullptr : new CNewMenuIcons();  // owned by its count
    CIconSetHold freshHold(fresh);
    if (fresh) {
        if (!fresh->LoadToolBar(name, module, m_maskColour))
            return FALSE;
        set = fresh;
    }
    CIconSetHold hold(set);

    std::vector<CNewMenu*> menus;
    CollectTree(menus);
    for (CNewMenu* menu : menus)
        menu->ConvertItemsIfChanged();
    const std::vector<UINT>& ids = set->GetCommandIds();
    const int imageCount = ::ImageList_GetImageCount(set->GetImageList());
    for (size_t k = ids.size(); k-- > 0;) {
        const int index = static_cast<int>(k) * 3;
        if (index >= imageCount)
            continue;
        for (CNewMenu* menu : menus) {
            for (size_t position = 0; position < menu->m_itemData.size(); ++position) {
                CNewMenuItemData& data = *menu->m_itemData[position];
                if (!data.IsSeparator() && !data.IsPopupItem() && data.m_nCommandId == ids[k])
                    menu->ApplyItemIcon(static_cast<int>(position), data, set, index, nullptr);
            }
        }
    }
    return TRUE;
}
