#pragma once
// The dashed row and column the marching ants are copied from: one pixel
// high (wide), three black and three white pixels in turn.
#include "framework/Gdi.h"

#include <windows.h>

#include <memory>

class CSelectionPatterns
{
public:
    // Longer than any frame on screen plus the six pixels of a phase.
    static constexpr int kLength = 8192;

    CSelectionPatterns() = default;
    CSelectionPatterns(const CSelectionPatterns&) = delete;
    CSelectionPatterns& operator=(const CSelectionPatterns&) = delete;

    // Makes both patterns; false (and nothing kept) when the system refuses.
    bool Create(HDC compatibleWith);
    bool IsValid() const { return m_row.dc.m_hDC != nullptr && m_column.dc.m_hDC != nullptr; }
    HDC Row() const { return m_row.dc.m_hDC; }
    HDC Column() const { return m_column.dc.m_hDC; }

private:
    struct Pattern
    {
        CBitmap bitmap;
        CMemoryDC dc;
        std::unique_ptr<CSelectGuard> selected;  // restored before the context goes
    };
    static bool Make(Pattern& pattern, HDC compatibleWith, int width, int height);
    Pattern m_row;
    Pattern m_column;
};
