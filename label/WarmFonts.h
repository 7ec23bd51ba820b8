#pragma once
// Fonts held selected in small contexts of their own, so that the system keeps
// them realized together with the glyphs it has rendered for them. A font that
// no context holds is let go once a handful of other fonts have been used, and
// laying out a single text tries dozens: without this the next redraw would
// realize every font of the page again and render every glyph of every line.

#include "framework/Gdi.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class CWarmFonts
{
public:
    CWarmFonts() = default;
    CWarmFonts(const CWarmFonts&) = delete;
    CWarmFonts& operator=(const CWarmFonts&) = delete;

    // Keeps a copy of the font, which is drawn with on `drawing`, realized for
    // that context's kind of bitmap. Nothing changes on `drawing`; a font the
    // system refuses to copy is simply not kept.
    void Hold(HDC drawing, HFONT font);
    void Clear() { m_held.clear(); }
    size_t GetCount() const { return m_held.size(); }

    // Past this many fonts the one drawn with longest ago is let go. Every text
    // object may have a height of its own, so a page can draw with dozens; each
    // held font keeps a small context alive.
    static constexpr size_t kMostHeld = 64;

private:
    struct Held
    {
        CMemoryDC dc;
        CBitmap bitmap;
        CFont font;
        // Declared last, so they put the context's own objects back before the
        // font, the bitmap and the context go.
        std::unique_ptr<CSelectGuard> bitmapSelected;
        std::unique_ptr<CSelectGuard> fontSelected;
        uint64_t lastUse = 0;
    };
    std::map<std::string, std::unique_ptr<Held>> m_held;
    uint64_t m_clock = 0;
};
