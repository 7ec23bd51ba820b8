#pragma once

#include "framework/Gdi.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

// The four off-screen bitmaps the surfaces are drawn into: 32-bit top-down DIB
// sections selected into memory contexts, all released together.
class CSurfaceBitmaps
{
public:
    enum Surface
    {
        kBackCover = 0,
        kFrontCover = 1,
        kDisc1 = 2,
        kDisc2 = 3,
        kCount = 4
    };

    CSurfaceBitmaps() = default;
    CSurfaceBitmaps(const CSurfaceBitmaps&) = delete;
    CSurfaceBitmaps& operator=(const CSurfaceBitmaps&) = delete;

    // Makes the contexts and bitmaps at their fixed sizes; false (and nothing
    // kept) when the system refuses one of them.
    bool Create(HDC compatibleWith);
    void Release();
    bool IsValid() const { return m_surfaces[0].dc.m_hDC != nullptr; }

    HDC GetDC(int surface) const { return m_surfaces[static_cast<size_t>(surface)].dc.m_hDC; }
    SIZE GetSize(int surface) const { return m_surfaces[static_cast<size_t>(surface)].size; }
    // Fills (0, 0)-`area` of a bitmap. A white fill also covers everything drawn
    // into the bitmap since its last white fill, so a surface that has shrunk
    // (or whose size was not known yet) leaves no stale pixels behind.
    void Fill(int surface, SIZE area, COLORREF color);
    // The colour at (x, y) as a colour reference; CLR_INVALID outside the bitmap.
    COLORREF GetPixel(int surface, int x, int y) const;

private:
    struct Slot
    {
        CBitmap bitmap;
        CMemoryDC dc;
        std::unique_ptr<CSelectGuard> selected;  // restored before the context goes
        const uint32_t* bits = nullptr;
        SIZE size{};
    };
    std::array<Slot, kCount> m_surfaces;
};
