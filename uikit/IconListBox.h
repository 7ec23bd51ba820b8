#pragma once
// CIconListBox: an owner-drawn list box (variable item height, with strings)
// whose items carry an icon from an image list and a word-wrapped text. Items
// can be marked disabled: they still draw, but a double click on them does
// not reach the parent. While the list box is disabled its items are drawn
// over the panel background, or hidden altogether.
//
// Items get a record (IconListItem) owned by the list box; AddItem makes one.

#include "framework/ImageList.h"
#include "framework/ListBox.h"

#include <memory>
#include <vector>

struct IconListItem {
    int m_nData1 = 0;      // free for the owner
    int m_nData2 = 0;      // free for the owner
    int m_nIconIndex = 0;  // image of the list's image list
    int m_nReserved = 0;
    UINT m_nFlags = 0;     // bit 0: the item is disabled
};

constexpr UINT kIconListItemDisabled = 0x0001;

// Mask bits of CIconListBox::SetItemInfo.
constexpr UINT kIconListData1 = 0x0001;
constexpr UINT kIconListData2 = 0x0002;
constexpr UINT kIconListIcon = 0x0004;
constexpr UINT kIconListFlags = 0x0008;
constexpr UINT kIconListAll = 0x000F;

class CIconListBox : public CListBox {
    DECLARE_DYNAMIC(CIconListBox)

public:
    CIconListBox() = default;
    ~CIconListBox() override;

    // LB_ADDSTRING; the new item's record gets the icon and zeros. The index,
    // or the list box's error code.
    int AddItem(LPCSTR text, int iconIndex);
    // Frees every record, then empties the list.
    void ResetContent();
    // Sets the record's values whose mask bit is set, making the record (all
    // zero) when the item has none. False for an index out of range.
    bool SetItemInfo(int item, int data1, int data2, int iconIndex, UINT flags, UINT mask);
    // The item's record, or null.
    IconListItem* GetItemInfo(int item) const;
    // The list is not owned; null removes the icons.
    void SetImageList(CImageList* imageList);
    // 0: the highlight covers icon and text column; 1: the text column only;
    // 2: only the text itself. Other values change nothing.
    void SetHighlightStyle(BYTE style, BOOL redraw);
    BYTE GetHighlightStyle() const { return m_nHighlightStyle; }
    bool IsItemEnabled(int item) const;

    bool m_bHideWhenDisabled = false;

    void MeasureItem(LPMEASUREITEMSTRUCT item) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void DeleteItem(LPDELETEITEMSTRUCT item) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Painting steps derived lists may replace.
    virtual void FillItemBackground(HDC dc, const RECT& rect, COLORREF color);
    virtual void FillIconBackground(HDC dc, const RECT& rect, COLORREF color);
    virtual void DrawItemIcon(HDC dc, const IconListItem& item, POINT topLeft);

protected:
    void OnDestroy() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    // LBN_DBLCLK: true when the double click was on a disabled item (swallowed).
    bool OnDblClk();

private:
    void FreeRecords();
    // The item's text word-wrapped into `width`: its size.
    SIZE WrappedTextSize(HDC dc, const CString& text, int width) const;

    BYTE m_nHighlightStyle = 0;
    CImageList* m_pImageList = nullptr;
    int m_nIconWidth = 0;
    int m_nIconHeight = 0;
    std::vector<std::unique_ptr<IconListItem>> m_records;
};
