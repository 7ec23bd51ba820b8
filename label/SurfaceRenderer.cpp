// Drawing one surface of the label: its background colours, its pictures, the
// outlines of the surface and then its texts and track lists.
#include "label/LabelRenderer.h"

#include "framework/ErrorReport.h"
#include "label/LabelGeometry.h"
#include "label/TextLayout.h"

#include <climits>
#include <cstdlib>
#include <vector>

namespace
{
constexpr COLORREF kOutlineColor = RGB(60, 119, 119);
constexpr COLORREF kMarginGuideColor = RGB(100, 100, 100);
constexpr COLORREF kPlaceholderColor = RGB(100, 100, 100);

void FillRect(HDC dc, const RECT& rect, COLORREF color)
{
    CBrush brush;
    brush.CreateSolidBrush(color);
    ::FillRect(dc, &rect, brush);
}

void StrokeEllipse(HDC dc, HPEN pen, int left, int top, int right, int bottom)
{
    CSelectGuard penGuard(dc, pen);
    CSelectGuard brushGuard(dc, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc, left, top, right, bottom);
}

void StrokeRect(HDC dc, HPEN pen, int left, int top, int right, int bottom)
{
    CSelectGuard penGuard(dc, pen);
    CSelectGuard brushGuard(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, left, top, right, bottom);
}

// Everything drawn into a disc up to the outlines stays on the ring.
void ClipToRing(HDC dc, const ScreenDisc& disc)
{
    const int k = LabelGeometry::DiscRingOffset(disc);
    CRgn ring;
    CRgn hole;
    ring.CreateEllipticRgn(0, 0, disc.outerDiameter, disc.outerDiameter);
    hole.CreateEllipticRgn(k, k, k + disc.innerDiameter, k + disc.innerDiameter);
    ring.CombineRgn(ring, hole, RGN_DIFF);
    ::SelectClipRgn(dc, ring);
}
}  // namespace

CLabelRenderer::CLabelRenderer(CLabelModel& model, const CWnd* errorOwner) : m_model(&model), m_errorOwner(errorOwner)
{
}

void CLabelRenderer::SetModel(CLabelModel& model)
{
    if (m_model == &model)
        return;
    m_model = &model;
    m_scaledImages.Clear();
    UpdateGeometry();
}

ErrorSink CLabelRenderer::Errors() const
{
    return ErrorSink::Window(m_errorOwner);
}

void CLabelRenderer::SetScale(int dpi, int zoom)
{
    m_dpi = dpi;
    m_zoom = zoom;
    UpdateGeometry();
}

void CLabelRenderer::UpdateGeometry()
{
    m_screen = LabelGeometry::ScaleGeometry(m_model->Geometry(), m_dpi, m_zoom);
}

int CLabelRenderer::ScaleLength(int length) const
{
    return LabelGeometry::LengthToPixels(length, m_dpi, m_zoom);
}

SIZE CLabelRenderer::SurfaceSize(Surface surface) const
{
    switch (surface) {
    case Surface::BackCover: return SIZE{m_screen.back.width, m_screen.back.height};
    case Surface::FrontCover: return SIZE{m_screen.front.width, m_screen.front.height};
    case Surface::Disc1: return SIZE{m_screen.disc1.outerDiameter, m_screen.disc1.outerDiameter};
    case Surface::Disc2: return SIZE{m_screen.disc2.outerDiameter, m_screen.disc2.outerDiameter};
    default: return SIZE{0, 0};
    }
}

void CLabelRenderer::TrimFonts()
{
    if (m_fonts.GetCount() > CFontCache::kTrimAbove)
        m_fonts.Clear();
}

void CLabelRenderer::ForgetCaches()
{
    m_scaledImages.Clear();
    m_fonts.Clear();
}

// The colours of the surface's parts, in row order up to the inside of a folded cover.
void CLabelRenderer::FillBackgrounds(HDC dc, Surface surface)
{
    const CLabelModel& model = *m_model;
    const SurfacePlacement& placement = model.Placement();
    const CString& page = model.Shown().page;
    const SIZE back{m_screen.back.width, m_screen.back.height};
    const SIZE front{m_screen.front.width, m_screen.front.height};
    const int tab = m_screen.back.tab;
    const int count = model.RowCount();
    for (int first = 0; first < count; first = model.NextObjectRow(first)) {
        const CString& name = model.Row(first).m_strObjectName;
        const bool inside = name == "Front Cover (Inside)";
        if (inside && !placement.folded)
            continue;
        if (model.GetPropertyValue(name, "Page") == page) {
            const CString colorText = model.GetPropertyValue(name, "Color");
            COLORREF color = 0;
            if (colorText != "255,255,255" && ParseColor(colorText, color)) {
                if (surface == Surface::FrontCover && name == "Front Cover")
                    FillRect(dc,
                             placement.folded ? RECT{front.cx / 2, 0, 2 * (front.cx / 2), front.cy}
                                              : RECT{0, 0, front.cx, front.cy},
                             color);
                else if (surface == Surface::FrontCover && inside)
                    FillRect(dc, RECT{0, 0, front.cx / 2, front.cy}, color);
                else if (surface == Surface::BackCover && name == "Back Cover")
                    FillRect(dc, RECT{tab, 0, back.cx - tab, back.cy}, color);
                else if (surface == Surface::BackCover && name == "Left Tab")
                    FillRect(dc, RECT{0, 0, tab, back.cy}, color);
                else if (surface == Surface::BackCover && name == "Right Tab")
                    FillRect(dc, RECT{back.cx - tab, 0, back.cx, back.cy}, color);
                else if (surface == Surface::Disc1 && name == "Disc 1")
                    FillRect(dc, RECT{0, 0, m_screen.disc1.outerDiameter, m_screen.disc1.outerDiameter}, color);
                else if (surface == Surface::Disc2 && name == "Disc 2" && model.Shown().layout == "Double")
                    FillRect(dc, RECT{0, 0, m_screen.disc2.outerDiameter, m_screen.disc2.outerDiameter}, color);
            }
        }
        if (inside)
            break;
    }
}

// One image object of the surface.
void CLabelRenderer::DrawImageObject(HDC dc, Surface surface, const CString& name)
{
    const CLabelModel& model = *m_model;
    const CxImage* image = model.Image(std::atoi(model.GetPropertyValue(name, "Image Number")));
    if (!image || !image->IsValid() || !image->GetBits())
        return;

    POINT surfaceOrigin{};
    switch (surface) {
    case Surface::BackCover: surfaceOrigin = POINT{m_screen.back.left, m_screen.back.top}; break;
    case Surface::FrontCover: surfaceOrigin = POINT{m_screen.front.left, m_screen.front.top}; break;
    case Surface::Disc1: surfaceOrigin = POINT{m_screen.disc1.left, m_screen.disc1.top}; break;
    default: surfaceOrigin = POINT{m_screen.disc2.left, m_screen.disc2.top}; break;
    }
    const int x = ScaleLength(model.LengthOf(name, "Left")) - surfaceOrigin.x;
    const int y = ScaleLength(model.LengthOf(name, "Top")) - surfaceOrigin.y;
    const int w = ScaleLength(model.LengthOf(name, "Width"));
    const int h = ScaleLength(model.LengthOf(name, "Height"));

    if (image->GetBackgroundIndex() != -1) {
        image->DrawToDC(dc, x, y, w, h);
        return;
    }
    if (m_scaledImages.Draw(dc, *image, x, y, w, h))
        return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(image->GetDIB());
    const int imageWidth = image->GetWidth();
    const int imageHeight = image->GetHeight();
    if (::StretchDIBits(dc, x, y, w, h, 0, 0, imageWidth, imageHeight, image->GetBits(), info, DIB_RGB_COLORS,
                        SRCCOPY) > 0)
        return;
    // Some drivers refuse very large stretches; four strips go through.
    const int stripWidth = w / 4;
    const int sourceWidth = imageWidth / 4;
    for (int i = 0; i < 4; ++i) {
        const int width = i < 3 ? stripWidth : w - 3 * stripWidth;
        ::StretchDIBits(dc, x + i * stripWidth, y, width, h, i * sourceWidth, 0, sourceWidth, imageHeight,
                        image->GetBits(), info, DIB_RGB_COLORS, SRCCOPY);
    }
}

namespace
{
// Whether text measured on the context has the sizes the layouts are made
// with: a display context at the screen's resolution, mapped one to one.
bool MeasuresAsTheScreen(HDC dc)
{
    return ::GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY && ::GetMapMode(dc) == MM_TEXT &&
           1000.0f / static_cast<float>(::GetDeviceCaps(dc, LOGPIXELSX)) == TextLayout::ScreenScale() &&
           ::GetDeviceCaps(dc, LOGPIXELSY) == ::GetDeviceCaps(dc, LOGPIXELSX);
}
}  // namespace

// The Text and Track objects of the surface on the page shown, in row order,
// each by the drawing of its kind; the layout each returns is kept in its
// "Vector Data" row.
void CLabelRenderer::DrawTextObjects(HDC surfaceDC, Surface surface)
{
    CLabelModel& model = *m_model;
    const CString surfaceName = SurfaceName(surface);
    const bool onDisc = IsDisc(surface);
    const int count = model.RowCount();
    for (int first = 0; first < count; first = model.NextObjectRow(first)) {
        const PropertyEntry& head = model.Row(first);
        const bool isText = head.m_strValue == "Text";
        if (head.m_strKey != "Item Type" || (!isText && head.m_strValue != "Track"))
            continue;
        const CString name = head.m_strObjectName;
        if (model.GetPropertyValue(name, "Page") != model.Shown().page || model.SurfaceOf(name) != surface)
            continue;
        CDC dc(surfaceDC);
        CSaveDCGuard saved(dc.m_hDC);
        ::SelectObject(dc.m_hDC, ::GetStockObject(NULL_BRUSH));
        ::SelectObject(dc.m_hDC, ::GetStockObject(BLACK_PEN));
        ::SetTextAlign(dc.m_hDC, TA_BOTTOM | TA_LEFT);
        // Texts stand over the pictures without a box of their own, whatever
        // the context was left with (a printer's is restored between passes).
        ::SetBkMode(dc.m_hDC, TRANSPARENT);
        const ObjectStyle& style = model.StyleOf(name);
        ::SetTextColor(dc.m_hDC, style.color);

        const TextEntry* textRow = model.FindTextOfObject(name);
        const CString text = textRow ? textRow->m_strValue : CString();
        const int left = model.LengthOf(name, "Left");
        const int top = model.LengthOf(name, "Top");
        const int width = model.LengthOf(name, "Width");
        const int height = model.LengthOf(name, "Height");
        const CString horizontal = AlignmentName(style.horizontal);
        const CString vertical = AlignmentName(style.vertical);
        CString cache = model.GetPropertyValue(name, "Vector Data");
        auto yes = [&](const char* key) { return model.IsYes(name, key); };
        // Lays the object out when its cache is empty, then draws the cache.
        // Every call starts from the object's own font: a layout leaves the
        // size it tried last in the font it was given.
        auto draw = [&](CDC& target, bool wrapped, bool placeWhatFits) {
            LOGFONTA font = style.font;
            if (isText) {
                const bool multiLine = yes("MultiLine");
                if (onDisc)
                    DrawDiscText(&target, font, cache, text, left, top, width, height, horizontal, vertical,
                                 multiLine, surfaceName);
                else
                    DrawTextObject(&target, font, cache, text, left, top, width, height, horizontal, vertical,
                                   multiLine, surfaceName);
            } else if (onDisc) {
                DrawDiscTrackList(&target, font, cache, text, left, top, width, height, horizontal, vertical,
                                  !wrapped && yes("Track Numbers"), !wrapped && yes("Track Times"), yes("Skip Center"),
                                  wrapped || yes("Wrap Tracks"), surfaceName, placeWhatFits);
            } else {
                DrawTrackList(&target, font, cache, text, left, top, width, height, horizontal, vertical,
                              !wrapped && yes("Track Numbers"), !wrapped && yes("Track Times"),
                              !wrapped && yes("Offset Numbers"), surfaceName, wrapped || yes("Wrap Tracks"));
            }
        };
        auto drawWithRetry = [&](CDC& target) {
            // After an album import a list that no longer fits is tried once more
            // wrapped, without numbers and times; when that fits, it stays so.
            // Until then a disc list is not cut to the tracks that fit.
            const bool retry = !isText && FitRetryPending(yes("Wrap Tracks"));
            draw(target, false, !retry);
            if (!retry || !cache.IsEmpty())
                return;
            draw(target, true, false);
            if (!cache.IsEmpty()) {
                model.ReplacePropertyValue(name, "Wrap Tracks", "Yes");
                model.ReplacePropertyValue(name, "Track Times", "No");
                model.ReplacePropertyValue(name, "Track Numbers", "No");
                if (!onDisc)
                    model.ReplacePropertyValue(name, "Offset Numbers", "No");
            } else if (onDisc) {
                // Not even so: the list as it is set, with the tracks that fit.
                draw(target, false, true);
            }
        };
        if (cache.IsEmpty() && !text.IsEmpty() && !MeasuresAsTheScreen(dc.m_hDC)) {
            // The layout belongs to the label, not to the device: its sizes are
            // measured as on the screen, also when a printer or a preview meets
            // an object no screen drawing has laid out yet. The same rows then
            // always give the same fitted size.
            CMemoryDC reference(nullptr);
            ::SetTextAlign(reference.m_hDC, TA_BOTTOM | TA_LEFT);
            drawWithRetry(reference);
            if (cache.IsEmpty()) {
                model.ReplacePropertyValue(name, "Vector Data", cache);
                continue;  // it fits nowhere: nothing to draw
            }
        }
        drawWithRetry(dc);
        model.ReplacePropertyValue(name, "Vector Data", cache);
    }
}

void CLabelRenderer::DrawOutlines(HDC dc, Surface surface)
{
    CPen outline;
    outline.CreatePen(PS_SOLID, 1, kOutlineColor);
    switch (surface) {
    case Surface::BackCover: {
        const SIZE back{m_screen.back.width, m_screen.back.height};
        const int tab = m_screen.back.tab;
        StrokeRect(dc, outline, 0, 0, back.cx, back.cy);
        StrokeRect(dc, outline, tab, 0, back.cx - tab, back.cy);
        return;
    }
    case Surface::FrontCover: {
        const SIZE front{m_screen.front.width, m_screen.front.height};
        StrokeRect(dc, outline, 0, 0, front.cx, front.cy);
        if (m_model->Placement().folded) {
            CSelectGuard pen(dc, outline);
            ::MoveToEx(dc, front.cx / 2, 0, nullptr);
            ::LineTo(dc, front.cx / 2, front.cy);
        }
        return;
    }
    case Surface::Disc1:
    case Surface::Disc2: break;
    default: return;
    }

    const ScreenDisc& disc = surface == Surface::Disc1 ? m_screen.disc1 : m_screen.disc2;
    const int d = disc.outerDiameter;
    const int k = LabelGeometry::DiscRingOffset(disc);
    if (surface == Surface::Disc2 && m_model->Shown().layout != "Double") {
        // A placeholder: the second disc of a single layout is switched to by a click.
        CPen dotted;
        dotted.CreatePen(PS_DOT, 1, kPlaceholderColor);
        const int band = k;
        const bool upper = m_screen.disc1.top < disc.top;
        const int y = upper ? band - band / 2 : d - band / 2;
        DrawPlaceholderCaption(dc, disc, y, upper);
        StrokeEllipse(dc, dotted, 0, 0, d, d);
        StrokeEllipse(dc, dotted, k, k, k + disc.innerDiameter, k + disc.innerDiameter);
        return;
    }
    if (m_options.discGuides) {
        CPen marginPen;
        marginPen.CreatePen(PS_SOLID, 1, kMarginGuideColor);
        const int m = disc.textMargin;
        StrokeEllipse(dc, marginPen, m, m, 2 * (d / 2) - m, 2 * (d / 2) - m);
        const int c = d / 2;
        const int r = static_cast<int>(disc.innerDiameter * 0.5 + m);
        StrokeEllipse(dc, marginPen, c - r, c - r, c + r, c + r);
    }
    StrokeEllipse(dc, outline, 0, 0, d, d);
    StrokeEllipse(dc, outline, k, k, k + disc.innerDiameter, k + disc.innerDiameter);
}

// The words on the placeholder of the second disc, centred on the ring's chord
// at y and fitted to its length; not clipped to the ring.
void CLabelRenderer::DrawPlaceholderCaption(HDC dc, const ScreenDisc& disc, int y, bool upperBand)
{
    static const char kCaption[] = "Click here to switch the disc";
    const int d = disc.outerDiameter;
    int chordLeft = 0;
    int chordRight = d;
    if (const RingFit fit = FitLineInDiscRing(y, 0, 0, 0, 0, d, d, 0, 0, d, disc.innerDiameter, 0); fit.fits) {
        chordLeft = fit.first.left;
        chordRight = fit.first.right;
    }

    LOGFONTA font{};
    lstrcpynA(font.lfFaceName, m_options.placeholderFace.IsEmpty() ? "Arial" : m_options.placeholderFace.c_str(),
              LF_FACESIZE);
    font.lfHeight = 120;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    // The fitted height depends only on the chord, the zoom and the face.
    PlaceholderFit& fit = m_placeholderFit;
    if (fit.chordPixels != chordRight - chordLeft || fit.zoom != m_zoom || fit.face != font.lfFaceName) {
        CDC measuring(dc);
        const CString caption = kCaption;
        const int chordLength = LabelGeometry::PixelsToLength(chordRight - chordLeft, m_dpi, m_zoom);
        FitFontToBox(&measuring, font, caption, chordLength, INT_MAX / 2, 1);
        GetZoomedFontHeight(&measuring, font, caption);
        fit = PlaceholderFit{chordRight - chordLeft, m_zoom, font.lfFaceName, font.lfHeight};
    }
    font.lfHeight = fit.height;

    const HFONT zoomed = m_fonts.Get(font, dc);
    if (!zoomed)
        return;
    CSelectGuard selected(dc, zoomed);
    const UINT align = ::SetTextAlign(dc, (upperBand ? TA_TOP : TA_BOTTOM) | TA_CENTER);
    const COLORREF color = ::SetTextColor(dc, kPlaceholderColor);
    ::TextOutA(dc, (chordLeft + chordRight) / 2, y, kCaption, static_cast<int>(sizeof(kCaption) - 1));
    ::SetTextColor(dc, color);
    ::SetTextAlign(dc, align);
}

void CLabelRenderer::DrawSurface(HDC dc, Surface surface, DrawMode mode)
{
    DrawSurfaceGround(dc, surface, mode);
    DrawSurfaceTexts(dc, surface);
}

void CLabelRenderer::DrawSurfaceGround(HDC dc, Surface surface, DrawMode mode)
{
    GuardedSteps(24, Errors(), [&](int& step) {
        step = 0;
        if (!dc || surface == Surface::None)
            return;
        ::SetMapMode(dc, MM_TEXT);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetStretchBltMode(dc, HALFTONE);
        ::SetBrushOrgEx(dc, 0, 0, nullptr);
        const bool full = mode == DrawMode::Full;

        step = 1;
        if (full && IsDisc(surface))
            ClipToRing(dc, surface == Surface::Disc1 ? m_screen.disc1 : m_screen.disc2);

        step = 2;
        FillBackgrounds(dc, surface);

        step = 3;
        const CLabelModel& model = *m_model;
        for (const int row : LabelGeometry::ImageDrawOrder(model.Rows(), model.Shown().page)) {
            const CString& name = model.Row(row).m_strObjectName;
            if (model.SurfaceOf(name) == surface)
                DrawImageObject(dc, surface, name);
        }

        step = 4;
        if (IsDisc(surface))
            ::SelectClipRgn(dc, nullptr);
        if (full) {
            step = 5;
            DrawOutlines(dc, surface);
        }
    });
}

void CLabelRenderer::DrawSurfaceTexts(HDC dc, Surface surface)
{
    GuardedSteps(24, Errors(), [&](int& step) {
        step = 6;
        if (dc && surface != Surface::None)
            DrawTextObjects(dc, surface);
    });
}
