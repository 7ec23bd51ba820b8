#pragma once
// A top-down 32-bit picture with a memory DC to draw it through, read back
// pixel by pixel: what a window or a view painted, for a test to measure.
#include "framework/Gdi.h"

#include <windows.h>

#include <cstdint>

class DibPicture
{
public:
    explicit DibPicture(SIZE size) : m_size(size)
    {
        void* bits = nullptr;
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateTopDownDIB32(m_dc.m_hDC, m_size.cx, m_size.cy, &bits);
        m_bits = static_cast<const uint32_t*>(bits);
        m_selected = ::SelectObject(m_dc.m_hDC, m_bitmap.Get());
    }
    ~DibPicture()
    {
        if (m_selected)
            ::SelectObject(m_dc.m_hDC, m_selected);
    }
    DibPicture(const DibPicture&) = delete;
    DibPicture& operator=(const DibPicture&) = delete;

    // The DC the picture is selected into.
    CMemoryDC& Dc() { return m_dc; }
    SIZE Size() const { return m_size; }
    const uint32_t* Bits() const { return m_bits; }
    // CLR_INVALID outside the picture. Drawing still queued needs a GdiFlush first.
    COLORREF Pixel(int x, int y) const
    {
        if (!m_bits || x < 0 || y < 0 || x >= m_size.cx || y >= m_size.cy)
            return CLR_INVALID;
        const uint32_t pixel = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_size.cx) + static_cast<size_t>(x)];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    SIZE m_size;
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    const uint32_t* m_bits = nullptr;
    HGDIOBJ m_selected = nullptr;
};
