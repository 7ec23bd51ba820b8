#include "uikit/NewMenuIcons.h"

#include "framework/Module.h"
#include "framework/ToolBarResource.h"
#include "framework/UserHandles.h"
#include "uikit/ColorHelpers.h"
#include "uikit/MenuSystemSettings.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNAMIC(CNewMenuIcons, CObject)
IMPLEMENT_DYNAMIC(CNewMenuBitmaps, CNewMenuIcons)

namespace {

constexpr int kImagesPerCommand = 3;

// The list of all sets; deleted (and null) once the menu library has shut down.
std::vector<CNewMenuIcons*>*& IconSetList()
{
    static auto* list = new std::vector<CNewMenuIcons*>();
    return list;
}

// The colour and mask bitmaps of an icon, deleted when they go.
struct IconBitmaps {
    CBitmap colour;
    CBitmap mask;

    explicit IconBitmaps(HICON icon)
    {
        ICONINFO info{};
        if (icon && ::GetIconInfo(icon, &info)) {
            colour.Attach(info.hbmColor);
            mask.Attach(info.hbmMask);
        }
    }
};

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

COLORREF ShadedPixel(COLORREF c)
{
    return DarkenColour(50, c);
}

COLORREF DisabledPixel(COLORREF c)
{
    return MixColour86(LightenColour(100, GreyColour(c)), GetMenuColour());
}

// A copy of `icon` whose opaque pixels went through `change`; null on failure.
HICON TransformIcon(HICON icon, COLORREF (*change)(COLORREF))
{
    IconBitmaps bitmaps(icon);
    if (!bitmaps.colour.IsValid() || !bitmaps.mask.IsValid())
        return nullptr;
    const SIZE size = bitmaps.colour.GetSize();
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;
    BITMAPINFO info = TopDown32(size.cx, size.cy);
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy);
    std::vector<DWORD> maskPixels(pixels.size());
    // The screen's format: a memory DC would make the new bitmap monochrome.
    CClientDC screen(nullptr);
    if (!::GetDIBits(screen, bitmaps.colour, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS))
        return nullptr;
    BITMAPINFO maskInfo = TopDown32(size.cx, size.cy);
    if (!::GetDIBits(screen, bitmaps.mask, 0, size.cy, maskPixels.data(), &maskInfo, DIB_RGB_COLORS))
        return nullptr;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if ((maskPixels[i] & 0xFFFFFF) != 0)
            continue;  // transparent
        const DWORD pixel = pixels[i];
        const COLORREF changed = change(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
        pixels[i] = (pixel & 0xFF000000) | (static_cast<DWORD>(GetRValue(changed)) << 16) |
                    (static_cast<DWORD>(GetGValue(changed)) << 8) | GetBValue(changed);
    }
    CBitmap changedColour;
    if (!changedColour.CreateCompatibleBitmap(screen, size.cx, size.cy))
        return nullptr;
    info = TopDown32(size.cx, size.cy);
    if (!::SetDIBits(screen, changedColour, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS))
        return nullptr;
    ICONINFO result{TRUE, 0, 0, bitmaps.mask.Get(), changedColour.Get()};
    return ::CreateIconIndirect(&result);
}

// Puts `icon` at `target`, or appends it for -1.
BOOL PutIcon(HIMAGELIST list, int target, HICON icon)
{
    if (!icon)
        return FALSE;
    return ::ImageList_ReplaceIcon(list, target, icon) >= 0;
}

BOOL PutDerived(HIMAGELIST list, int normalIndex, int target, COLORREF (*change)(COLORREF))
{
    if (!list || normalIndex < 0 || normalIndex >= ::ImageList_GetImageCount(list))
        return FALSE;
    const OwnedIcon normal(::ImageList_GetIcon(list, normalIndex, ILD_NORMAL));
    const OwnedIcon derived(TransformIcon(normal.Get(), change));
    return PutIcon(list, target, derived.Get());
}

SIZE IconSize(HICON icon)
{
    IconBitmaps bitmaps(icon);
    if (bitmaps.colour.IsValid())
        return bitmaps.colour.GetSize();
    // A monochrome icon: its mask holds the AND and the XOR halves.
    SIZE size = bitmaps.mask.GetSize();
    size.cy /= 2;
    return size;
}

bool SameResource(UINT_PTR id, const CString& name, LPCSTR resource)
{
    if (IS_INTRESOURCE(resource))
        return id != 0 && id == reinterpret_cast<UINT_PTR>(resource);
    return id == 0 && name.CompareNoCase(resource) == 0;
}

// The colour a mask stands for: the image's top-left pixel for the default.
COLORREF ResolveMask(HBITMAP bitmap, COLORREF mask)
{
    if (mask != kMaskTopLeftPixel)
        return mask;
    CMemoryDC dc(nullptr);
    CSelectGuard selected(dc, bitmap);
    return ::GetPixel(dc, 0, 0);
}

}  // namespace

CBitmap LoadMenuBitmap(LPCSTR resource, HMODULE module, int& colourCount)
{
    colourCount = 0;
    HMODULE from = module ? module : GetResourceHandle();
    HRSRC found = ::FindResourceA(from, resource, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (!found)
        return CBitmap();
    HGLOBAL loaded = ::LoadResource(from, found);
    const auto* header = loaded ? static_cast<const BITMAPINFOHEADER*>(::LockResource(loaded)) : nullptr;
    if (!header || ::SizeofResource(from, found) < sizeof(BITMAPINFOHEADER))
        return CBitmap();
    if (header->biClrUsed != 0) {
        colourCount = static_cast<int>(header->biClrUsed);
    } else {
        switch (header->biBitCount) {
        case 1: colourCount = 2; break;
        case 4: colourCount = 16; break;
        case 8: colourCount = 256; break;
        default: colourCount = 0; break;
        }
    }
    if (colourCount == 16) {
        return CBitmap(static_cast<HBITMAP>(
            ::LoadImageA(from, resource, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
    }
    return CBitmap(::LoadBitmapA(from, resource));
}

// ---- CNewMenuIcons -----------------------------------------------------------

CNewMenuIcons::CNewMenuIcons()
{
    if (auto* list = IconSetList())
        list->push_back(this);
}

CNewMenuIcons::~CNewMenuIcons()
{
    if (auto* list = IconSetList())
        std::erase(*list, this);
}

void CNewMenuIcons::Release()
{
    if (m_nRefCount > 0 && --m_nRefCount == 0)
        delete this;  // the destructor takes it off the list
}

std::vector<CNewMenuIcons*> CNewMenuIcons::AllIconSets()
{
    auto* list = IconSetList();
    return list ? *list : std::vector<CNewMenuIcons*>();
}

void CNewMenuIcons::RefreshAllIconSets()
{
    for (CNewMenuIcons* set : AllIconSets())
        set->RefreshImages();
}

void CNewMenuIcons::DeleteIconSetList()
{
    // Sets still held stay with their holders; they just are no longer listed.
    auto*& list = IconSetList();
    delete list;
    list = nullptr;
}

bool CNewMenuIcons::CreateImageList(int width, int height)
{
    if (m_imageList.GetSafeHandle())
        return true;
    return m_imageList.Create(width, height, ILC_COLORDDB | ILC_MASK, 0, 10);
}

int CNewMenuIcons::FindIndex(UINT commandId) const
{
    for (size_t k = m_commandIds.size(); k-- > 0;) {
        if (m_commandIds[k] != commandId)
            continue;
        const int index = static_cast<int>(k) * kImagesPerCommand;
        return index < m_imageList.GetImageCount() ? index : -1;
    }
    return -1;
}

void CNewMenuIcons::RefreshImages()
{
    // A strip is loaded again: a 16-colour one follows the button colours.
    if (m_nResourceId == 0 && m_strResourceName.IsEmpty())
        return;
    const SIZE size = GetImageSize();
    m_imageList.DeleteImageList();
    if (!CreateImageList(size.cx, size.cy))
        return;
    LPCSTR name = m_nResourceId ? MAKEINTRESOURCEA(m_nResourceId) : m_strResourceName.c_str();
    if (LoadBitmapStrip(name, m_hModule, m_maskColour) > 0)
        RebuildAsTriples();
}

BOOL CNewMenuIcons::LoadToolBar(LPCSTR bitmapName, HMODULE module, int width, int height,
                                const std::vector<UINT>& ids, COLORREF maskColour)
{
    if (width <= 0 || height <= 0)
        return FALSE;
    m_imageList.DeleteImageList();
    m_commandIds.clear();
    if (!CreateImageList(width, height))
        return FALSE;
    if (IS_INTRESOURCE(bitmapName)) {
        m_nResourceId = reinterpret_cast<UINT_PTR>(bitmapName);
        m_strResourceName.Empty();
    } else {
        m_nResourceId = 0;
        m_strResourceName = bitmapName;
    }
    m_hModule = module;
    m_maskColour = maskColour;
    if (LoadBitmapStrip(bitmapName, module, maskColour) <= 0)
        return FALSE;
    for (UINT id : ids) {
        if (id != 0)
            m_commandIds.push_back(id);
    }
    return RebuildAsTriples();
}

BOOL CNewMenuIcons::LoadToolBar(LPCSTR toolBarName, HMODULE module, COLORREF maskColour)
{
    HMODULE from = module;
    ToolBarResource resource;
    bool loaded = from && LoadToolBarResource(from, toolBarName, resource);
    if (!loaded) {
        from = GetResourceHandle();
        loaded = LoadToolBarResource(from, toolBarName, resource);
    }
    if (!loaded)
        return FALSE;
    // Found in the program's resources after all: the set says so with a null module.
    return LoadToolBar(toolBarName, from == module ? module : nullptr, resource.imageWidth, resource.imageHeight,
                       resource.commands, maskColour);
}

BOOL CNewMenuIcons::MatchToolBar(const std::vector<UINT>& ids) const
{
    std::vector<UINT> nonZero;
    for (UINT id : ids) {
        if (id != 0)
            nonZero.push_back(id);
    }
    return nonZero == m_commandIds;
}

BOOL CNewMenuIcons::Match(LPCSTR resourceName, HMODULE module) const
{
    return module == m_hModule && SameResource(m_nResourceId, m_strResourceName, resourceName);
}

int CNewMenuIcons::LoadBitmapStrip(LPCSTR bitmapName, HMODULE module, COLORREF maskColour)
{
    if (!m_imageList.GetSafeHandle())
        return 0;
    CBitmap strip = LoadMenuBitmap(bitmapName, module, m_nColourCount);
    if (!strip.IsValid())
        return 0;
    const int before = m_imageList.GetImageCount();
    if (m_imageList.Add(strip, ResolveMask(strip, maskColour)) < 0)
        return 0;
    return m_imageList.GetImageCount() - before;
}

BOOL CNewMenuIcons::MakeShadedImage(int normalIndex, int targetIndex)
{
    return PutDerived(m_imageList, normalIndex, targetIndex, ShadedPixel);
}

BOOL CNewMenuIcons::MakeDisabledImage(int normalIndex, int targetIndex)
{
    return PutDerived(m_imageList, normalIndex, targetIndex, DisabledPixel);
}

BOOL CNewMenuIcons::RebuildAsTriples()
{
    const SIZE size = GetImageSize();
    const int count = m_imageList.GetImageCount();
    CImageList triples;
    if (!triples.Create(size.cx, size.cy, ILC_COLORDDB | ILC_MASK, 0, 10))
        return FALSE;
    for (int k = 0; k < count; ++k) {
        const OwnedIcon normal(m_imageList.ExtractIcon(k));
        const OwnedIcon shaded(TransformIcon(normal.Get(), ShadedPixel));
        const OwnedIcon disabled(TransformIcon(normal.Get(), DisabledPixel));
        if (!PutIcon(triples, -1, normal.Get()) || !PutIcon(triples, -1, shaded.Get()) ||
            !PutIcon(triples, -1, disabled.Get()))
            return FALSE;
    }
    m_imageList = std::move(triples);
    return TRUE;
}

// ---- CNewMenuBitmaps -----------------------------------------------------------

CNewMenuBitmaps::CNewMenuBitmaps(COLORREF maskColour)
{
    m_maskColour = maskColour;
}

BOOL CNewMenuBitmaps::AddIcon(UINT commandId, HICON icon)
{
    if (!icon)
        return FALSE;
    const SIZE size = IconSize(icon);
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;
    if (!m_imageList.GetSafeHandle()) {
        if (!CreateImageList(size.cx, size.cy))
            return FALSE;
    } else {
        const SIZE own = GetImageSize();
        if (own.cx != size.cx || own.cy != size.cy)
            return FALSE;
    }
    const int existing = FindIndex(commandId);
    if (existing >= 0) {
        return PutIcon(m_imageList, existing, icon) && MakeShadedImage(existing, existing + 1) &&
               MakeDisabledImage(existing, existing + 2);
    }
    const int normal = m_imageList.GetImageCount();
    if (!PutIcon(m_imageList, -1, icon))
        return FALSE;
    if (!MakeShadedImage(normal, -1) || !MakeDisabledImage(normal, -1)) {
        // Never leave half a triple: the indices of later commands depend on it.
        while (m_imageList.GetImageCount() > normal)
            m_imageList.Remove(m_imageList.GetImageCount() - 1);
        return FALSE;
    }
    m_commandIds.push_back(commandId);
    m_maskColours.push_back(CLR_NONE);
    return TRUE;
}

void CNewMenuBitmaps::RefreshImages()
{
    const int count = m_imageList.GetImageCount();
    for (int normal = 0; normal + 2 < count; normal += kImagesPerCommand) {
        MakeShadedImage(normal, normal + 1);
        MakeDisabledImage(normal, normal + 2);
    }
}
