#pragma once
// What the disc text and disc track-list drawing share: the font they keep
// re-selecting while they shrink, measuring in thousandths of an inch, the
// disc cache's records and the rendering of a cache into a disc's bitmap.

#include "framework/Gdi.h"
#include "framework/String.h"
#include "label/SurfaceGeometry.h"

#include <windows.h>

#include <memory>
#include <vector>

class CLabelRenderer;
class CFontCache;

namespace DiscText
{
// A point font selected into a context; selecting another one puts the old
// font back first, and the context gets its original font when this goes.
class CSelectedFont
{
public:
    // With a cache the fonts come from it and stay there; without, each is made and deleted here.
    explicit CSelectedFont(HDC dc, CFontCache* cache = nullptr) : m_dc(dc), m_cache(cache) {}
    ~CSelectedFont() { Release(); }
    CSelectedFont(const CSelectedFont&) = delete;
    CSelectedFont& operator=(const CSelectedFont&) = delete;

    // The description's lfHeight is in tenths of a point.
    void Select(const LOGFONTA& font);
    void Release();

private:
    HDC m_dc;
    CFontCache* m_cache;
    CFont m_font;
    std::unique_ptr<CSelectGuard> m_selected;
};

// Thousandths of an inch per screen pixel, across and down (both from the
// screen's horizontal dots per inch).
struct ScreenScale
{
    int dpi = 96;
    float perPixel = 1000.0f / 96.0f;
};
ScreenScale GetScreenScale();

// The text's width in the selected font in thousandths of an inch, truncated.
int TextWidth(HDC dc, const CString& text, const ScreenScale& scale);
int LineHeight(HDC dc, const ScreenScale& scale);
// The slant of an italic font in thousandths of an inch; 0 for an upright one.
int ItalicOverhang(HDC dc, const LOGFONTA& font, const ScreenScale& scale);

// One line of a disc cache: text, span left, span right, an empty field and the
// band's bottom, absolute on the layout in thousandths of an inch.
struct CacheRecord
{
    CString text;
    int left = 0;
    int right = 0;
    int bottom = 0;
};
CString FormatRecord(const CacheRecord& record);
// The fitted height before the first backtick, and the records after it.
int CachedHeight(const CString& cache);
std::vector<CacheRecord> ParseCache(const CString& cache);

// Where and how a cache is drawn.
struct RenderFrame
{
    DiscGeometry disc;          // thousandths of an inch
    POINT discPixels{};         // the disc's top-left corner at the zoom
    int zoom = 10;
    ScreenScale scale;
    int boxLeft = 0, boxTop = 0, boxWidth = 0, boxHeight = 0;
    CString horizontalAlignment;
    bool centreInBox = true;    // texts centre in the object's box, track lists in their spans
};
// The object's box in the disc bitmap's pixels, its top-left corner kept on the bitmap.
RECT BoxInPixels(const RenderFrame& frame);
// Draws the records at the zoom, as text or, below 2.5 points, as strokes on
// the band bottoms.
void RenderCache(CLabelRenderer& renderer, HDC dc, LOGFONTA font, const CString& cache, const RenderFrame& frame);
// One disc object at the zoom: its layout cache when it has one, then the
// frame of its box when the guides are shown. The box is in thousandths of an
// inch; texts centre in it, track lists in their spans.
void RenderDiscObject(CLabelRenderer& renderer, HDC dc, const LOGFONTA& font, const CString& cache,
                      const DiscGeometry& disc, const ScreenDisc& discPixels, const ScreenScale& scale,
                      const RECT& box, const CString& horizontalAlignment, bool centreInBox);
}  // namespace DiscText
