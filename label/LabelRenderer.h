#pragma once

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/String.h"
#include "label/DiscRingFit.h"
#include "label/FontCache.h"
#include "label/LabelModel.h"
#include "label/ScaledImageCache.h"
#include "label/SurfaceGeometry.h"
#include "label/TextRedrawCache.h"

#include <windows.h>

class CWnd;

// How the renderer draws besides the label itself.
struct RenderOptions
{
    bool objectGuides = false;  // frames around the boxes of texts and track lists
    bool discGuides = false;    // the disc margin circles
    CString placeholderFace = "Arial";  // the caption of the second disc's placeholder
};

// Draws a label into any device context: one surface at a time, at a
// resolution and zoom, its top-left corner at the context's origin. The
// renderer lays texts out into their layout caches ("Vector Data") as it
// draws, so it changes those rows of the model and nothing else. It keeps what
// repeated drawing reuses (fonts, pictures at their drawn size, text
// measurements); none of that changes what is drawn.
class CLabelRenderer
{
public:
    // Errors are reported on `errorOwner`'s message box (null: none).
    explicit CLabelRenderer(CLabelModel& model, const CWnd* errorOwner = nullptr);
    CLabelRenderer(const CLabelRenderer&) = delete;
    CLabelRenderer& operator=(const CLabelRenderer&) = delete;

    // The label drawn; a new label lets go of the pictures kept for the last one.
    void SetModel(CLabelModel& model);
    CLabelModel& Model() const { return *m_model; }

    // ---- scale --------------------------------------------------------------------
    // Sets the resolution and zoom (tenths) and recomputes the drawn geometry.
    void SetScale(int dpi, int zoom);
    // The surface geometry again, after the model's placement changed.
    void UpdateGeometry();
    int Dpi() const { return m_dpi; }
    int Zoom() const { return m_zoom; }
    // The surfaces in pixels at the scale, kept from the last SetScale/UpdateGeometry.
    const ScreenGeometry& Geometry() const { return m_screen; }
    // A length in thousandths of an inch as pixels at the scale.
    int ScaleLength(int length) const;
    // Thousandths of an inch in one pixel at the resolution (zoom aside).
    float PixelScale() const { return 1000.0f / static_cast<float>(m_dpi > 0 ? m_dpi : 96); }
    // A surface's size in pixels.
    SIZE SurfaceSize(Surface surface) const;

    RenderOptions& Options() { return m_options; }
    const RenderOptions& Options() const { return m_options; }

    // ---- drawing ------------------------------------------------------------------
    enum class DrawMode
    {
        Full,   // ring clip and outlines
        Plain   // neither: what is printed
    };
    // Draws one surface of the page shown into `dc`, whose (0, 0) is the
    // surface's top-left corner. The context is expected white (or shaded) already.
    void DrawSurface(HDC dc, Surface surface, DrawMode mode);
    // The two halves of DrawSurface: everything under the texts (colours,
    // pictures, and in full mode the outlines and guides), then the texts and
    // track lists. A page draws every surface's ground before any text, so the
    // text layout of the whole page runs together.
    void DrawSurfaceGround(HDC dc, Surface surface, DrawMode mode);
    void DrawSurfaceTexts(HDC dc, Surface surface);
    // The dotted ring and caption that stand for the second disc of a single
    // CD, into a context whose (0, 0) is that disc's top-left corner.
    void DrawDiscPlaceholder(HDC dc);
    // Track lists that no longer fit are tried once more wrapped while this is
    // set (after an album import); the caller clears it after the page.
    void SetLayoutFitPending(bool pending) { m_layoutFitPending = pending; }
    // Lets go of the kept fonts when there are many. To be called before a page's
    // surfaces are drawn, where no kept font is selected anywhere; not between
    // the surfaces of one page, which share many of their fonts.
    void TrimFonts();
    // Forgets everything kept between redraws.
    void ForgetCaches();
    // Forgets the measurements and fonts of the text drawing only.
    CTextRedrawCache& TextRedraw() { return m_textRedraw; }

    // ---- texts and track lists -------------------------------------------------------
    // Lay out into the cache when it is empty, then draw the cache at the zoom.
    // True when they ran through.
    bool DrawTextObject(CDC* dc, LOGFONTA& font, CString& cache, const CString& text, int left, int top, int width,
                        int height, const CString& horizontalAlignment, const CString& verticalAlignment,
                        bool multiLine, const CString& surface);
    bool DrawTrackList(CDC* dc, LOGFONTA& font, CString& cache, const CString& trackList, int left, int top,
                       int width, int height, const CString& horizontalAlignment, const CString& verticalAlignment,
                       bool trackNumbers, bool trackTimes, bool offsetNumbers, const CString& surface,
                       bool wrapTracks);
    bool DrawDiscText(CDC* dc, LOGFONTA& font, CString& cache, const CString& text, int left, int top, int width,
                      int height, const CString& horizontalAlignment, const CString& verticalAlignment,
                      BOOL multiLine, const CString& surface);
    // placeWhatFits: a list longer than the ring holds even in the smallest
    // type is drawn with its first tracks, as many as find a place; without
    // it such a list leaves the cache empty.
    bool DrawDiscTrackList(CDC* dc, LOGFONTA& font, CString& cache, const CString& trackList, int left, int top,
                           int width, int height, const CString& horizontalAlignment,
                           const CString& verticalAlignment, BOOL trackNumbers, BOOL trackTimes, BOOL skipCenter,
                           BOOL wrapTracks, const CString& surface, bool placeWhatFits = true);
    // Draws a cover object's layout cache at the zoom; the font is left at the
    // zoomed height, 0 when lines became strokes. A record whose x0 equals x1
    // ends at that x when rightAlignPoints is set.
    void RenderFlatLayout(CDC* dc, LOGFONTA& font, const CString& cache, const CString& horizontalAlignment,
                          const CString& verticalAlignment, const CString& surface, bool rightAlignPoints);
    // The guides frame of an object's box on a cover.
    void DrawObjectGuides(CDC* dc, int left, int top, int width, int height, const CString& surface);
    // The caption of the second disc's placeholder in a single layout.
    void DrawPlaceholderCaption(HDC dc, const ScreenDisc& disc, int y, bool upperBand);

    // ---- text measuring ------------------------------------------------------------------
    // Fonts are point-font descriptions whose lfHeight is in tenths of a point;
    // every operation that adjusts a font writes the last height tried back.
    // The widest number text, name and time of a track list; combined: the
    // three parts of the track whose whole line is widest.
    void FindWidestTrackParts(CDC* dc, const CString& trackList, CString& number, CString& name, CString& time,
                              bool combined);
    // Shrinks the font until the text fits the box width and lineCount lines
    // fit its height (thousandths of an inch); false below one point.
    bool FitFontToBox(CDC* dc, LOGFONTA& font, const CString& text, int boxWidth, int boxHeight, int lineCount);
    // Scales the font height to the zoom without the text outgrowing its proportional width.
    void GetZoomedFontHeight(CDC* dc, LOGFONTA& font, const CString& text);
    // Moves every line box of a layout cache along "Left" or "Top".
    void ShiftLayoutCache(CString& cache, const CString& axis, int offset);
    // Lowers the font until the cache's widest line is no wider on the target
    // than it was measured on screen.
    void MeasureTrackList(CDC* target, LOGFONTA& font, const CString& cache);
    // The widest line text of a layout cache in the context's font and its
    // extent; the first of equal widths.
    static void FindWidestCachedLine(CDC* dc, const CString& cache, CString& widest, SIZE& size);
    // The widest of the CR LF separated lines of a text and the line count.
    CString MeasureTextBlock(CDC* dc, const CString& text, int* lineCount);

    // The pictures kept at their drawn size.
    const CScaledImageCache& ScaledImages() const { return m_scaledImages; }
    // The fonts the text drawing keeps.
    CFontCache& Fonts() { return m_fonts; }

private:
    ErrorSink Errors() const;
    void DrawImageObject(HDC dc, Surface surface, const CString& name);
    void DrawTextObjects(HDC dc, Surface surface);
    // Whether a track list that found no room is tried once more in the
    // fitting mode (wrapped, without numbers and times) after an album import.
    bool FitRetryPending(bool wrapped) const { return !wrapped && m_layoutFitPending; }
    void FillBackgrounds(HDC dc, Surface surface);
    void DrawOutlines(HDC dc, Surface surface);

    CLabelModel* m_model;
    const CWnd* m_errorOwner;
    int m_dpi = 96;
    int m_zoom = 10;
    ScreenGeometry m_screen;
    RenderOptions m_options;
    bool m_layoutFitPending = false;

    CScaledImageCache m_scaledImages;  // pictures at the size they are drawn
    CFontCache m_fonts;                // fonts the drawing of the texts asks for again and again
    CTextRedrawCache m_textRedraw;     // measurements and fonts the redraws of laid-out texts reuse
    struct PlaceholderFit
    {
        int chordPixels = -1;
        int zoom = -1;
        CString face;
        LONG height = 0;  // tenths of a point, at the zoom
    };
    PlaceholderFit m_placeholderFit;   // the second disc's caption, fitted last
};
