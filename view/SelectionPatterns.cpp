#include "view/SelectionPatterns.h"

#include <cstdint>

bool CSelectionPatterns::Make(Pattern& pattern, HDC compatibleWith, int width, int height)
{
    void* bits = nullptr;
    if (!pattern.dc.CreateCompatibleDC(compatibleWith) ||
        !pattern.bitmap.CreateTopDownDIB32(pattern.dc.m_hDC, width, height, &bits) || !bits)
        return false;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels[i] = (i % 6) < 3 ? 0x000000u : 0xFFFFFFu;
    pattern.selected = std::make_unique<CSelectGuard>(pattern.dc.m_hDC, pattern.bitmap.Get());
    return true;
}

bool CSelectionPatterns::Create(HDC compatibleWith)
{
    if (IsValid())
        return true;
    if (Make(m_row, compatibleWith, kLength, 1) && Make(m_column, compatibleWith, 1, kLength))
        return true;
    for (Pattern* pattern : {&m_row, &m_column}) {
        pattern->selected.reset();
        pattern->dc.DeleteDC();
        pattern->bitmap.DeleteObject();
    }
    return false;
}
