#include "label/FontCache.h"

#include <algorithm>
#include <cstring>

HFONT CFontCache::Get(const LOGFONTA& description, HDC dc)
{
    LOGFONTA turned = description;
    turned.lfOrientation = turned.lfEscapement;
    std::optional<LOGFONTA> logical = CFont::PointFontToLogical(turned, dc);
    if (!logical)
        return nullptr;
    // The face name is compared up to its end only, not by the bytes after it.
    LOGFONTA keyed = *logical;
    const size_t faceLength = ::strnlen(keyed.lfFaceName, LF_FACESIZE);
    std::fill(keyed.lfFaceName + faceLength, keyed.lfFaceName + LF_FACESIZE, '\0');
    std::string key(reinterpret_cast<const char*>(&keyed), sizeof keyed);
    auto found = m_fonts.find(key);
    if (found == m_fonts.end()) {
        auto font = std::make_unique<CFont>();
        if (!font->CreateFontIndirect(*logical))
            return nullptr;
        found = m_fonts.emplace(std::move(key), std::move(font)).first;
    }
    return found->second->Get();
}
