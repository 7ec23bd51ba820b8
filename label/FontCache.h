#pragma once

#include "framework/Gdi.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

// Fonts kept alive between redraws. A label redrawn at the same zoom asks for
// the same fonts again; creating and deleting them each time also throws away
// the glyphs the system had rendered for them. Fonts are keyed by their final
// logical description, so one description sized for two resolutions is two fonts.
// Handles stay valid until Clear, which is only called where no cached font is
// selected into a context.
class CFontCache
{
public:
    CFontCache() = default;
    CFontCache(const CFontCache&) = delete;
    CFontCache& operator=(const CFontCache&) = delete;

    // A font of the description's height (tenths of a point) for the DC, turned
    // by its escapement; null when the system refuses it.
    HFONT Get(const LOGFONTA& description, HDC dc);
    void Clear() { m_fonts.clear(); }
    size_t GetCount() const { return m_fonts.size(); }

    // More fonts than this are let go at the next safe point.
    static constexpr size_t kTrimAbove = 256;

private:
    std::map<std::string, std::unique_ptr<CFont>> m_fonts;
};
