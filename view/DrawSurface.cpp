#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "app/Quorbel6App.h"
#include "view/TextLayout.h"
#include "view/ViewGeometry.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
constexpr COLORREF kOutlineColor = RGB(60, 119, 119);
constexpr COLORREF kMarginGuideColor = RGB(100, 100, 100);
constexpr COLORREF kPlaceholderColor = RGB(100, 100, 100);
constexpr COLORREF kShadeColor = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The filled area of a bitmap reaches this far past its surface.
constexpr int kClearOverhang = 20;

int SurfaceOfView(const CString& view)
{
    if (view == "Back Cover")
        return CSurfaceBitmaps::kBackCover;
    if (view == "Front Cover")
        return CSurfaceBitmaps::kFrontCover;
    if (view == "Disc 1")
        return CSurfaceBitmaps::kDisc1;
    if (view == "Disc 2")
        return CSurfaceBitmaps::kDisc2;
    return -1;
}

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
}  // namespace

// One image object into its surface's bitmap.
static void DrawImageObject(CQuorbel6View& view, const CString& name)
{
    const int surface = SurfaceOfView(view.GetPropertyValue(name, "View"));
    if (surface < 0)
        return;
    const HDC dc = view.m_surfaceBitmaps.GetDC(surface);
    const int number = std::atoi(view.GetPropertyValue(name, "Image Number"));
    if (!dc || number < 0 || number >= static_cast<int>(view.m_images.size()))
        return;
    const CxImage* image = view.m_images[static_cast<size_t>(number)].get();
    if (!image || !image->IsValid() || !image->GetBits())
        return;

    POINT surfaceOrigin{};
    const SurfaceGeometry& screen = view.m_screenGeometry;
    switch (surface) {
    case CSurfaceBitmaps::kBackCover: surfaceOrigin = POINT{screen.back.left, screen.back.top}; break;
    case CSurfaceBitmaps::kFrontCover: surfaceOrigin = POINT{screen.front.left, screen.front.top}; break;
    case CSurfaceBitmaps::kDisc1: surfaceOrigin = POINT{screen.disc1.left, screen.disc1.top}; break;
    default: surfaceOrigin = POINT{screen.disc2.left, screen.disc2.top}; break;
    }
    auto length = [&](const char* key) { return LabelRows::ReadLength(view.GetPropertyValue(name, key)); };
    const int x = view.DocToScreenLength(length("Left")) - surfaceOrigin.x;
    const int y = view.DocToScreenLength(length("Top")) - surfaceOrigin.y;
    const int w = view.DocToScreenLength(length("Width"));
    const int h = view.DocToScreenLength(length("Height"));

    if (image->GetBackgroundIndex() != -1) {
        image->DrawToDC(dc, x, y, w, h);
        return;
    }
    if (view.m_scaledImages.Draw(dc, *image, x, y, w, h))
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

// The Text and Track objects of the page, in row order, each by the drawing of
// its kind; the layout each returns is kept in its "Vector Data" row.
static void DrawTextObjects(CQuorbel6View& view)
{
    const int count = static_cast<int>(view.m_propertyRows.size());
    for (int first = 0; first < count; first = view.NextObjectRow(first)) {
        const PropertyEntry& head = view.m_propertyRows[static_cast<size_t>(first)];
        const bool isText = head.m_strValue == "Text";
        if (head.m_strKey != "Item Type" || (!isText && head.m_strValue != "Track"))
            continue;
        const CString name = head.m_strObjectName;
        if (view.GetPropertyValue(name, "Page") != view.m_strPage)
            continue;
        const CString surface = view.GetPropertyValue(name, "View");
        const int index = SurfaceOfView(surface);
        if (index < 0)
            continue;
        CDC dc(view.m_surfaceBitmaps.GetDC(index));
        CSaveDCGuard saved(dc.m_hDC);
        ::SelectObject(dc.m_hDC, ::GetStockObject(NULL_BRUSH));
        ::SelectObject(dc.m_hDC, ::GetStockObject(BLACK_PEN));
        ::SetTextAlign(dc.m_hDC, TA_BOTTOM | TA_LEFT);
        COLORREF color = 0;
        ViewGeometry::ParseColor(view.GetPropertyValue(name, "Color"), color);
        ::SetTextColor(dc.m_hDC, color);

        const TextEntry* textRow = view.FindTextOfObject(name);
        const CString text = textRow ? textRow->m_strValue : CString();
        auto length = [&](const char* key) { return LabelRows::ReadLength(view.GetPropertyValue(name, key)); };
        const int left = length("Left");
        const int top = length("Top");
        const int width = length("Width");
        const int height = length("Height");

        const CString align = view.GetPropertyValue(name, "Alignment");
        const CString vertical = (align == "Top" || align == "Top Left" || align == "Top Right")             ? "Top"
                                 : (align == "Bottom" || align == "Bottom Left" || align == "Bottom Right") ? "Bottom"
                                                                                                             : "Center";
        const CString horizontal = (align == "Left" || align == "Top Left" || align == "Bottom Left")     ? "Left"
                                   : (align == "Right" || align == "Top Right" || align == "Bottom Right") ? "Right"
                                                                                                             : "Center";
        // "face,size,weight,italic"
        const std::string fontText = static_cast<LPCSTR>(view.GetPropertyValue(name, "Font"));
        LOGFONTA font{};
        std::vector<std::string> parts;
        for (size_t start = 0;;) {
            const size_t comma = fontText.find(',', start);
            parts.push_back(fontText.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        lstrcpynA(font.lfFaceName, parts[0].c_str(), LF_FACESIZE);
        font.lfHeight = parts.size() > 1 ? std::atoi(parts[1].c_str()) * 10 : 100;
        font.lfWeight = parts.size() > 2 ? std::atoi(parts[2].c_str()) : FW_NORMAL;
        font.lfItalic = parts.size() > 3 && std::atoi(parts[3].c_str()) != 0;
        font.lfCharSet = DEFAULT_CHARSET;
        const CString angle = view.GetPropertyValue(name, "Angle");
        font.lfEscapement = angle == "180 degrees" ? 1800 : angle == "90 degrees" ? 900 : angle == "270 degrees" ? -900 : 0;
        font.lfOrientation = font.lfEscapement;

        CString cache = view.GetPropertyValue(name, "Vector Data");
        const bool onDisc = surface == "Disc 1" || surface == "Disc 2";
        auto yes = [&](const char* key) { return view.GetPropertyValue(name, key) == "Yes"; };
        if (isText) {
            const bool multiLine = yes("MultiLine");
            if (onDisc)
                view.DrawDiscText(&dc, font, cache, text, left, top, width, height, horizontal, vertical, multiLine,
                                  surface);
            else
                view.DrawTextObject(&dc, font, cache, text, left, top, width, height, horizontal, vertical, multiLine,
                                    surface);
        } else if (onDisc) {
            view.DrawDiscTrackList(&dc, font, cache, text, left, top, width, height, horizontal, vertical,
                                   yes("Track Numbers"), yes("Track Times"), yes("Skip Center"), yes("Wrap Tracks"),
                                   surface);
        } else {
            view.DrawTrackList(&dc, font, cache, text, left, top, width, height, horizontal, vertical,
                               yes("Track Numbers"), yes("Track Times"), yes("Offset Numbers"), surface,
                               yes("Wrap Tracks"));
        }
        // After an album import a list that no longer fits is tried once more
        // wrapped, without numbers and times; when that fits, it stays so.
        if (!isText && cache.IsEmpty() && !yes("Wrap Tracks") && view.IsLayoutFitPending()) {
            if (onDisc)
                view.DrawDiscTrackList(&dc, font, cache, text, left, top, width, height, horizontal, vertical, false,
                                       false, yes("Skip Center"), true, surface);
            else
                view.DrawTrackList(&dc, font, cache, text, left, top, width, height, horizontal, vertical, false,
                                   false, false, surface, true);
            if (!cache.IsEmpty()) {
                view.ReplacePropertyValue(name, "Wrap Tracks", "Yes");
                view.ReplacePropertyValue(name, "Track Times", "No");
                view.ReplacePropertyValue(name, "Track Numbers", "No");
                if (!onDisc)
                    view.ReplacePropertyValue(name, "Offset Numbers", "No");
            }
        }
        view.ReplacePropertyValue(name, "Vector Data", cache);
    }
}

// The words on the placeholder of the second disc, centred on the ring's chord
// at y and fitted to its length; not clipped to the ring.
void CQuorbel6View::DrawPlaceholderCaption(HDC dc, const DiscGeometry& disc, int y, bool upperBand)
{
    static const char kCaption[] = "Click here to switch the disc";
    const int d = disc.outerDiameter;
    int chordLeft = 0;
    int chordRight = d;
    int outcome = 0;
    if (FitLineInDiscRing(y, 0, 0, 0, 0, d, d, 0, 0, d, disc.innerDiameter, 0, outcome)) {
        chordLeft = m_nSpan1Left;
        chordRight = m_nSpan1Right;
    }

    LOGFONTA font{};
    const auto* app = dynamic_cast<const CQuorbel6App*>(GetApp());
    lstrcpynA(font.lfFaceName, app && !app->m_strFontFace.IsEmpty() ? static_cast<LPCSTR>(app->m_strFontFace) : "Arial",
              LF_FACESIZE);
    font.lfHeight = 120;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    // The fitted height depends only on the chord, the zoom and the face.
    PlaceholderFit& fit = m_placeholderFit;
    if (fit.chordPixels != chordRight - chordLeft || fit.zoom != m_nZoom || fit.face != font.lfFaceName) {
        CDC measuring(dc);
        const CString caption = kCaption;
        const int chordLength = ViewGeometry::PixelsToLength(chordRight - chordLeft, m_nScreenDpi, m_nZoom);
        FitFontToBox(&measuring, font, caption, chordLength, INT_MAX / 2, 1);
        GetZoomedFontHeight(&measuring, font, caption);
        fit = PlaceholderFit{chordRight - chordLeft, m_nZoom, font.lfFaceName, font.lfHeight};
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

void CQuorbel6View::DrawSurface(int mode)
{
    GuardedSteps(24, ErrorSink::Window(this), [&](int& step) {
        step = 0;
        if (!m_surfaceBitmaps.IsValid())
            return;
        // No text is being drawn here, so no kept font is selected anywhere.
        if (m_fonts.GetCount() > CFontCache::kTrimAbove)
            m_fonts.Clear();
        const SurfaceGeometry& screen = m_screenGeometry;
        struct OnPage
        {
            int surface;
            bool shown;
            SIZE size;
        };
        const OnPage surfaces[] = {
            {CSurfaceBitmaps::kBackCover, m_strBackCoverPage == m_strPage, {screen.back.width, screen.back.height}},
            {CSurfaceBitmaps::kFrontCover, m_strFrontCoverPage == m_strPage, {screen.front.width, screen.front.height}},
            {CSurfaceBitmaps::kDisc1, m_strDisc1Page == m_strPage,
             {screen.disc1.outerDiameter, screen.disc1.outerDiameter}},
            {CSurfaceBitmaps::kDisc2, m_strDisc2Page == m_strPage,
             {screen.disc2.outerDiameter, screen.disc2.outerDiameter}},
        };

        if (mode == kDrawShade || mode == kDrawClear) {
            for (const OnPage& entry : surfaces) {
                if (!entry.shown)
                    continue;
                m_surfaceBitmaps.Fill(entry.surface,
                                      SIZE{entry.size.cx + kClearOverhang, entry.size.cy + kClearOverhang},
                                      mode == kDrawShade ? kShadeColor : kWhite);
            }
            return;
        }
        if ((mode != kDrawFull && mode != kDrawPlain) || !m_bGeometryReady)
            return;
        const bool full = mode == kDrawFull;
        const bool disc1Shown = surfaces[2].shown;
        const bool disc2Shown = surfaces[3].shown;
        const HDC backDC = m_surfaceBitmaps.GetDC(CSurfaceBitmaps::kBackCover);
        const HDC frontDC = m_surfaceBitmaps.GetDC(CSurfaceBitmaps::kFrontCover);
        const HDC disc1DC = m_surfaceBitmaps.GetDC(CSurfaceBitmaps::kDisc1);
        const HDC disc2DC = m_surfaceBitmaps.GetDC(CSurfaceBitmaps::kDisc2);
        for (const OnPage& entry : surfaces)
            ::SetMapMode(m_surfaceBitmaps.GetDC(entry.surface), MM_TEXT);

        step = 1;
        // Everything drawn into a disc up to the outlines stays on the ring.
        auto clipRing = [](HDC dc, const DiscGeometry& disc) {
            const int k = ViewGeometry::DiscRingOffset(disc);
            CRgn ring;
            CRgn hole;
            ring.CreateEllipticRgn(0, 0, disc.outerDiameter, disc.outerDiameter);
            hole.CreateEllipticRgn(k, k, k + disc.innerDiameter, k + disc.innerDiameter);
            ring.CombineRgn(ring, hole, RGN_DIFF);
            ::SelectClipRgn(dc, ring);
        };
        if (full && disc1Shown)
            clipRing(disc1DC, screen.disc1);
        if (full && disc2Shown)
            clipRing(disc2DC, screen.disc2);

        step = 2;
        const int tab = screen.back.tab;
        const SIZE back{screen.back.width, screen.back.height};
        const SIZE front{screen.front.width, screen.front.height};
        const int count = static_cast<int>(m_propertyRows.size());
        for (int first = 0; first < count; first = NextObjectRow(first)) {
            const CString name = m_propertyRows[static_cast<size_t>(first)].m_strObjectName;
            const bool inside = name == "Front Cover (Inside)";
            if (inside && !m_bFolded)
                continue;
            if (GetPropertyValue(name, "Page") == m_strPage) {
                const CString colorText = GetPropertyValue(name, "Color");
                COLORREF color = 0;
                if (colorText != "255,255,255" && ViewGeometry::ParseColor(colorText, color)) {
                    if (name == "Front Cover")
                        FillRect(frontDC,
                                 m_bFolded ? RECT{front.cx / 2, 0, 2 * (front.cx / 2), front.cy}
                                           : RECT{0, 0, front.cx, front.cy},
                                 color);
                    else if (inside)
                        FillRect(frontDC, RECT{0, 0, front.cx / 2, front.cy}, color);
                    else if (name == "Back Cover")
                        FillRect(backDC, RECT{tab, 0, back.cx - tab, back.cy}, color);
                    else if (name == "Left Tab")
                        FillRect(backDC, RECT{0, 0, tab, back.cy}, color);
                    else if (name == "Right Tab")
                        FillRect(backDC, RECT{back.cx - tab, 0, back.cx, back.cy}, color);
                    else if (name == "Disc 1")
                        FillRect(disc1DC, RECT{0, 0, screen.disc1.outerDiameter, screen.disc1.outerDiameter}, color);
                    else if (name == "Disc 2" && m_strLayout == "Double")
                        FillRect(disc2DC, RECT{0, 0, screen.disc2.outerDiameter, screen.disc2.outerDiameter}, color);
                }
            }
            if (inside)
                break;
        }

        step = 3;
        for (const int row : ViewGeometry::ImageDrawOrder(m_propertyRows, m_strPage))
            DrawImageObject(*this, m_propertyRows[static_cast<size_t>(row)].m_strObjectName);

        step = 4;
        ::SelectClipRgn(disc1DC, nullptr);
        ::SelectClipRgn(disc2DC, nullptr);
        if (!full) {
            step = 6;
            DrawTextObjects(*this);
            ClearLayoutFit();
            return;
        }

        step = 5;
        CPen outline;
        outline.CreatePen(PS_SOLID, 1, kOutlineColor);
        if (surfaces[0].shown) {
            StrokeRect(backDC, outline, 0, 0, back.cx, back.cy);
            StrokeRect(backDC, outline, tab, 0, back.cx - tab, back.cy);
        }
        if (surfaces[1].shown) {
            StrokeRect(frontDC, outline, 0, 0, front.cx, front.cy);
            if (m_bFolded) {
                CSelectGuard pen(frontDC, outline);
                ::MoveToEx(frontDC, front.cx / 2, 0, nullptr);
                ::LineTo(frontDC, front.cx / 2, front.cy);
            }
        }
        CPen marginPen;
        marginPen.CreatePen(PS_SOLID, 1, kMarginGuideColor);
        auto drawDisc = [&](HDC dc, const DiscGeometry& disc, HPEN edgePen) {
            const int d = disc.outerDiameter;
            const int k = ViewGeometry::DiscRingOffset(disc);
            if (m_bShowDiscGuides) {
                const int m = disc.textMargin;
                StrokeEllipse(dc, marginPen, m, m, 2 * (d / 2) - m, 2 * (d / 2) - m);
                const int c = d / 2;
                const int r = static_cast<int>(disc.innerDiameter * 0.5 + m);
                StrokeEllipse(dc, marginPen, c - r, c - r, c + r, c + r);
            }
            StrokeEllipse(dc, edgePen, 0, 0, d, d);
            StrokeEllipse(dc, edgePen, k, k, k + disc.innerDiameter, k + disc.innerDiameter);
        };
        if (disc1Shown)
            drawDisc(disc1DC, screen.disc1, outline);
        if (disc2Shown) {
            if (m_strLayout == "Double") {
                drawDisc(disc2DC, screen.disc2, outline);
            } else {
                // A placeholder: the second disc of a single layout is switched to by a click.
                CPen dotted;
                dotted.CreatePen(PS_DOT, 1, kPlaceholderColor);
                const DiscGeometry& disc = screen.disc2;
                const int d = disc.outerDiameter;
                const int k = ViewGeometry::DiscRingOffset(disc);
                const int band = k;
                const bool upper = screen.disc1.top < disc.top;
                const int y = upper ? band - band / 2 : d - band / 2;
                DrawPlaceholderCaption(disc2DC, disc, y, upper);
                StrokeEllipse(disc2DC, dotted, 0, 0, d, d);
                StrokeEllipse(disc2DC, dotted, k, k, k + disc.innerDiameter, k + disc.innerDiameter);
            }
        }

        step = 6;
        DrawTextObjects(*this);
        ClearLayoutFit();
    });
}

bool CQuorbel6View::IsLayoutFitPending() const
{
    const int page = std::atoi(m_strPage) - 1;
    return m_pAppSettings && page >= 0 && page < 3 && m_pAppSettings->m_bLayoutFit[page];
}

void CQuorbel6View::ClearLayoutFit()
{
    const int page = std::atoi(m_strPage) - 1;
    if (m_pAppSettings && page >= 0 && page < 3)
        m_pAppSettings->m_bLayoutFit[page] = 0;
}
