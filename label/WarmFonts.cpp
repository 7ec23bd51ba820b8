#include "label/WarmFonts.h"

#include <algorithm>
#include <cstring>

void CWarmFonts::Hold(HDC drawing, HFONT font)
{
    LOGFONTA description{};
    if (!drawing || !font || ::GetObjectA(font, sizeof description, &description) != sizeof description)
        return;
    const size_t faceLength = ::strnlen(description.lfFaceName, LF_FACESIZE);
    std::fill(description.lfFaceName + faceLength, description.lfFaceName + LF_FACESIZE, '\0');
    std::string key(reinterpret_cast<const char*>(&description), sizeof description);

    ++m_clock;
    const auto found = m_held.find(key);
    if (found != m_held.end()) {
        found->second->lastUse = m_clock;
        return;
    }

    auto held = std::make_unique<Held>();
    // A bitmap like the drawing context's: the system renders glyphs apart for
    // smoothed and for plain text, and only a like context shares them.
    if (!held->dc.CreateCompatibleDC(drawing) || !held->bitmap.CreateCompatibleBitmap(drawing, 1, 1) ||
        !held->font.CreateFontIndirect(description))
        return;
    held->bitmapSelected = std::make_unique<CSelectGuard>(held->dc, held->bitmap);
    held->fontSelected = std::make_unique<CSelectGuard>(held->dc, held->font);
    held->lastUse = m_clock;

    if (m_held.size() >= kMostHeld) {
        const auto oldest = std::min_element(m_held.begin(), m_held.end(), [](const auto& a, const auto& b) {
            return a.second->lastUse < b.second->lastUse;
        });
        m_held.erase(oldest);
    }
    m_held.emplace(std::move(key), std::move(held));
}
