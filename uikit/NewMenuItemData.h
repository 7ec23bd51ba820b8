#pragma once
// The record an owner-drawn menu item carries as its item data.

#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>

class CNewMenuIcons;

// Title flags of a menu's title item.
enum MenuTitleFlags : DWORD {
    kMenuTitle = 0x01,            // this item is the menu's title
    kMenuTitleVertical = 0x02,    // a band down the left side
    kMenuTitleGradient = 0x04,    // gradient background
    kMenuTitleFrame = 0x08,       // 3-D frame
    kMenuTitleEtched = 0x10,      // etched line beside or under the title
    kMenuTitleRounded = 0x20,     // rounded rectangle
    kMenuTitleCentred = 0x40,     // text centred
};

class CNewMenuItemData : public CObject {
    DECLARE_DYNAMIC(CNewMenuItemData)

public:
    CNewMenuItemData() = default;
    ~CNewMenuItemData() override;
    CNewMenuItemData(const CNewMenuItemData&) = delete;
    CNewMenuItemData& operator=(const CNewMenuItemData&) = delete;

    // The icon set and the index of the item's normal image in it; the set is
    // shared and counted, null with -1 for none.
    void SetIcon(CNewMenuIcons* iconSet, int iconIndex);
    bool HasIcon() const { return m_pIconSet && m_nIconIndex >= 0; }
    bool IsSeparator() const { return (m_nMenuFlags & MF_SEPARATOR) != 0; }
    bool IsTitle() const { return IsSeparator() && (m_nTitleFlags & kMenuTitle) != 0; }
    bool IsPopupItem() const { return (m_nMenuFlags & MF_POPUP) != 0; }

    CString m_strText;            // may hold a tab and the accelerator text
    DWORD m_nTitleFlags = 0;      // MenuTitleFlags, for a title item
    UINT m_nMenuFlags = 0;        // the flags the item was inserted or last changed with
    UINT_PTR m_nCommandId = 0;    // the command, or the sub-menu handle of a pop-up item
    BYTE m_bSyncMark = 0;         // matched against the live menu during a conversion
    CNewMenuIcons* m_pIconSet = nullptr;
    int m_nIconIndex = -1;
};
