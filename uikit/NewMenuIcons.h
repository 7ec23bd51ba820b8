#pragma once
// Icon sets of the owner-drawn menus. A set holds an image list in which
// command number k owns three images: 3k the normal icon, 3k+1 its shaded form
// and 3k+2 its disabled form. Sets are shared by the items that show their
// icons and counted; a set is deleted when its last holder lets go of it.

#include "framework/Gdi.h"
#include "framework/ImageList.h"
#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>

#include <vector>

// The image list's default mask: the colour of an image's top-left pixel is transparent.
constexpr COLORREF kMaskTopLeftPixel = 0xFF000000;

// A bitmap resource for menu icons. `colourCount` becomes the bitmap's used
// colours, else 2, 16 or 256 for 1, 4 or 8 bits a pixel, else 0. A 16-colour
// bitmap is loaded with its black, greys and white mapped to the button
// colours. Null (with count 0) when the resource is missing; a null module
// means the program's resources.
CBitmap LoadMenuBitmap(LPCSTR resource, HMODULE module, int& colourCount);

class CNewMenuIcons : public CObject {
    DECLARE_DYNAMIC(CNewMenuIcons)

public:
    CNewMenuIcons();
    ~CNewMenuIcons() override;
    CNewMenuIcons(const CNewMenuIcons&) = delete;
    CNewMenuIcons& operator=(const CNewMenuIcons&) = delete;

    // The index of the command's normal image (3k), or -1. The last entry of
    // a command recorded twice wins.
    virtual int FindIndex(UINT commandId) const;
    // Makes the derived images again after the system colours changed.
    virtual void RefreshImages();
    // A strip bitmap of `width` x `height` images whose image k belongs to the
    // k-th non-zero id of `ids`.
    virtual BOOL LoadToolBar(LPCSTR bitmapName, HMODULE module, int width, int height,
                             const std::vector<UINT>& ids, COLORREF maskColour);
    // A tool-bar resource (type 241) and the strip bitmap of the same name,
    // from `module`, else from the program's resources.
    virtual BOOL LoadToolBar(LPCSTR toolBarName, HMODULE module, COLORREF maskColour);
    // Whether the set holds exactly these commands (zeros skipped).
    virtual BOOL MatchToolBar(const std::vector<UINT>& ids) const;
    // Whether the set was loaded from this resource.
    virtual BOOL Match(LPCSTR resourceName, HMODULE module) const;
    // Adds the images of a strip bitmap; the number added, 0 on failure.
    virtual int LoadBitmapStrip(LPCSTR bitmapName, HMODULE module, COLORREF maskColour);
    // The shaded and disabled forms of the image at `normalIndex`, put at
    // `targetIndex` (appended for -1).
    virtual BOOL MakeShadedImage(int normalIndex, int targetIndex);
    virtual BOOL MakeDisabledImage(int normalIndex, int targetIndex);
    // Turns a list of plain images into triples.
    virtual BOOL RebuildAsTriples();

    void AddRef() { ++m_nRefCount; }
    // The set leaves the list of sets and is deleted when the count drops to 0.
    void Release();
    int GetRefCount() const { return m_nRefCount; }

    HIMAGELIST GetImageList() const { return m_imageList.GetSafeHandle(); }
    SIZE GetImageSize() const { return m_imageList.GetImageSize(); }
    const std::vector<UINT>& GetCommandIds() const { return m_commandIds; }

    // Every set alive, oldest first; empty once the menu library has shut down.
    static std::vector<CNewMenuIcons*> AllIconSets();
    // Asks every set to refresh its derived images.
    static void RefreshAllIconSets();
    // Called once by the menu library at exit.
    static void DeleteIconSetList();

protected:
    bool CreateImageList(int width, int height);

    UINT_PTR m_nResourceId = 0;   // an id up to 0xFFFF, else 0 and a name
    CString m_strResourceName;
    HMODULE m_hModule = nullptr;  // null: the program's resources
    int m_nColourCount = 0;
    COLORREF m_maskColour = kMaskTopLeftPixel;
    CImageList m_imageList;
    std::vector<UINT> m_commandIds;
    int m_nRefCount = 0;
};

// A set built icon by icon (SetItemIcon): each icon is copied in together with
// its derived forms.
class CNewMenuBitmaps : public CNewMenuIcons {
    DECLARE_DYNAMIC(CNewMenuBitmaps)

public:
    explicit CNewMenuBitmaps(COLORREF maskColour = kMaskTopLeftPixel);

    // Takes a copy of `icon` as the command's image (replacing one it had);
    // FALSE when the icon's size differs from the set's images.
    BOOL AddIcon(UINT commandId, HICON icon);
    void RefreshImages() override;

private:
    std::vector<COLORREF> m_maskColours;  // one per icon added; CLR_NONE for icons
};
