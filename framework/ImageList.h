#pragma once
// CImageList: owns one common-controls image list (HIMAGELIST).

#include <windows.h>

#include <commctrl.h>

#include <utility>

class CImageList {
public:
    CImageList() = default;
    explicit CImageList(HIMAGELIST list) : m_hImageList(list) {}
    ~CImageList() { DeleteImageList(); }
    CImageList(CImageList&& other) noexcept : m_hImageList(other.Detach()) {}
    CImageList& operator=(CImageList&& other) noexcept
    {
        if (this != &other) {
            DeleteImageList();
            m_hImageList = other.Detach();
        }
        return *this;
    }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    // flags: ILC_COLOR24 | ILC_MASK ...; grow 0 keeps the list at its size.
    bool Create(int width, int height, UINT flags, int initial, int grow);
    void DeleteImageList();
    bool Attach(HIMAGELIST list);
    HIMAGELIST Detach() { return std::exchange(m_hImageList, nullptr); }

    // Adds the images of a bitmap (copied; the caller keeps the bitmap). The
    // index of the first image added, -1 on failure.
    int Add(HBITMAP bitmap, COLORREF transparent) { return ImageList_AddMasked(m_hImageList, bitmap, transparent); }
    int Add(HBITMAP bitmap, HBITMAP mask) { return ImageList_Add(m_hImageList, bitmap, mask); }
    int AddIcon(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    bool Remove(int index) { return ImageList_Remove(m_hImageList, index) != FALSE; }
    int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
    // Width and height of one image; 0, 0 without a list.
    SIZE GetImageSize() const;
    bool Draw(HDC dc, int index, POINT point, UINT style = ILD_NORMAL) const
    {
        return ImageList_Draw(m_hImageList, index, dc, point.x, point.y, style) != FALSE;
    }
    // A new icon of one image; the caller destroys it.
    HICON ExtractIcon(int index) const { return ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }

private:
    HIMAGELIST m_hImageList = nullptr;
};
