// The printer calibration sheet: a crosshair at the centre of the sheet with
// two scales in calibration steps, the outlines of the parts printed on that
// sheet, and the instructions. Drawn in thousandths of an inch.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "uikit/UiResources.h"
#include "view/CalibrationSheet.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr int kStep = 25;          // one calibration step
constexpr int kScaleReach = 1000;  // the scales run this far either side of the centre
constexpr int kCrossReach = 1500;  // the crosshair lines and the white bars
constexpr int kBarHalfWidth = 250;
// Room kept between the words and the other marks of the sheet.
constexpr int kKeepClear = 150;

const char* const kInstructions[] = {
    "",
    "To calibrate the printer, a horizontal and vertical crosshair have been printed exactly where the center of the",
    "page should be. By determining how far the crosshairs are from the center, the printer can be adjusted.",
    "",
    "1. Carefully fold this sheet in half vertically.",
    "2. Unfold the paper and note the position where the fold crosses the horizontal printed scale. This is the "
    "horizontal offset.",
    "3. Carefully fold this sheet in half horizontally.",
    "4. Unfold the paper and note the position where the fold crosses the vertical printed scale. This is the "
    "vertical offset.",
    "5. Enter the horizontal and vertical offset values in the 'Print Calibration' dialog box that was used to print "
    "this sheet.",
    "6. Repeat this process until the crosshairs line up with the folds.",
    "",
    "*** Please Note: The horizontal and vertical offsets may be a negative number. Also, the paper often feeds into "
    "the printer",
    "slightly different each time, so perfect calibration may not be possible.",
};

CString InterfaceFace()
{
    LOGFONTA font{};
    if (const CUiResources* resources = UiResources(); resources && resources->UiFont(false) &&
                                                         ::GetObjectA(resources->UiFont(false), sizeof font, &font) &&
                                                         font.lfFaceName[0])
        return font.lfFaceName;
    return "Arial";
}

// A point font of the interface face for the device, in its logical units.
HFONT MakeSheetFont(HDC dc, const CString& face, int points, int weight, int escapement)
{
    LOGFONTA font{};
    lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
    font.lfHeight = points * 10;
    font.lfWeight = weight;
    font.lfEscapement = escapement;
    font.lfOrientation = escapement;
    font.lfCharSet = DEFAULT_CHARSET;
    CFont made;
    if (!made.CreatePointFontIndirect(font, dc))
        return nullptr;
    return made.Detach();
}

SIZE TextSize(HDC dc, const char* text)
{
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    return size;
}

void Out(HDC dc, UINT align, int x, int y, const char* text)
{
    ::SetTextAlign(dc, align);
    ::TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
}

// The alignment that keeps a word in its place when it is turned half round.
UINT TurnedAround(UINT align)
{
    const UINT horizontal = align & (TA_LEFT | TA_RIGHT | TA_CENTER);
    const UINT vertical = align & (TA_TOP | TA_BOTTOM | TA_BASELINE);
    const UINT turnedHorizontal = horizontal == TA_CENTER ? TA_CENTER : horizontal == TA_RIGHT ? TA_LEFT : TA_RIGHT;
    const UINT turnedVertical = vertical == TA_BASELINE ? TA_BASELINE : vertical == TA_BOTTOM ? TA_TOP : TA_BOTTOM;
    return (align & ~(TA_LEFT | TA_RIGHT | TA_CENTER | TA_TOP | TA_BOTTOM | TA_BASELINE)) | turnedHorizontal |
           turnedVertical;
}

// How the printer of the job turns a landscape sheet onto its paper.
int LandscapeDegrees(const CPrintInfo* info)
{
    if (!info || !info->m_pPD)
        return 90;
    const CString device = info->m_pPD->GetDeviceName();
    const int degrees =
        device.IsEmpty() ? 0 : ::DeviceCapabilitiesA(device.c_str(), nullptr, DC_ORIENTATION, nullptr, nullptr);
    return degrees == 270 ? 270 : 90;
}

// The sheet's fonts by point size, made once each, the device's own.
class SheetFonts
{
public:
    SheetFonts(HDC dc, const CString& face, int escapement)
        : m_dc(dc), m_face(face), m_escapement(escapement), m_original(::GetCurrentObject(dc, OBJ_FONT))
    {
    }
    ~SheetFonts() { Deselect(); }
    SheetFonts(const SheetFonts&) = delete;
    SheetFonts& operator=(const SheetFonts&) = delete;

    void Select(int points)
    {
        auto found = m_fonts.find(points);
        if (found == m_fonts.end()) {
            CFont font;
            font.Attach(MakeSheetFont(m_dc, m_face, points, 500, m_escapement));
            found = m_fonts.emplace(points, std::move(font)).first;
        }
        ::SelectObject(m_dc, found->second.Get() ? static_cast<HGDIOBJ>(found->second.Get())
                                                 : ::GetStockObject(DEVICE_DEFAULT_FONT));
    }
    // The fonts leave the context before they go.
    void Deselect() { ::SelectObject(m_dc, m_original); }

private:
    HDC m_dc;
    CString m_face;
    int m_escapement;
    HGDIOBJ m_original;
    std::map<int, CFont> m_fonts;
};
}  // namespace

void CQuorbel6View::PrintCalibrationPage(CDC* dc, CPrintInfo* info, int page)
{
    Guarded(131, ErrorSink::Window(this), [&] {
        if (!dc || !info)
            return;
        const HDC hdc = dc->m_hDC;
        const bool preview = info->m_bPreview;
        // The sheet being printed: the skip rule may have turned page 2 into 3.
        const CString printed = PrintedPage(page, preview);
        const SIZE sheet = SheetSizeOfPage(printed);
        const int w = sheet.cx;
        const int h = sheet.cy;
        if (w <= 0 || h <= 0)
            return;
        const bool landscape = h < w;

        // One logical unit is one thousandth of an inch; the calibration
        // offset moves the whole sheet's drawing.
        const int dpiX = dc->GetDeviceCaps(LOGPIXELSX);
        const int dpiY = dc->GetDeviceCaps(LOGPIXELSY);
        if (dpiX <= 0 || dpiY <= 0)
            return;
        const int px = static_cast<int>(static_cast<long long>(dc->GetDeviceCaps(PHYSICALOFFSETX)) * 1000 / dpiX);
        const int py = static_cast<int>(static_cast<long long>(dc->GetDeviceCaps(PHYSICALOFFSETY)) * 1000 / dpiY);
        ::SetMapMode(hdc, MM_ANISOTROPIC);
        ::SetWindowExtEx(hdc, w, h, nullptr);
        ::SetViewportExtEx(hdc, static_cast<int>(static_cast<long long>(w) * dpiX / 1000),
                           static_cast<int>(static_cast<long long>(h) * dpiY / 1000), nullptr);
        POINT origin{px, py};
        if (!preview) {
            origin = landscape ? POINT{px - kStep * m_nPrintOffsetY, py + kStep * m_nPrintOffsetX}
                               : POINT{px - kStep * m_nPrintOffsetX, py - kStep * m_nPrintOffsetY};
        }
        ::SetWindowOrgEx(hdc, origin.x, origin.y, nullptr);
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, RGB(0, 0, 0));

        CPen pen;
        pen.CreatePen(PS_SOLID, 4, RGB(0, 0, 0));
        CSelectGuard penGuard(hdc, pen);
        CSelectGuard brushGuard(hdc, ::GetStockObject(NULL_BRUSH));

        // The parts printed on this sheet, whatever the preview; the words
        // keep clear of them.
        std::vector<RECT> keepOut;
        auto keepClearOf = [&](int left, int top, int right, int bottom) {
            keepOut.push_back(RECT{left - kKeepClear, top - kKeepClear, right + kKeepClear, bottom + kKeepClear});
        };
        const CLabelModel& model = Model();
        const SurfacePlacement& placement = model.Placement();
        const SurfaceGeometry& geometry = model.Geometry();
        if (placement.backCoverPage == printed && IsSurfacePrinted(Surface::BackCover, false)) {
            const BackCoverGeometry& back = geometry.back;
            ::Rectangle(hdc, back.left, back.top, back.left + back.width, back.top + back.height);
            ::Rectangle(hdc, back.left + back.tab, back.top, back.left + back.width - back.tab,
                        back.top + back.height);
            keepClearOf(back.left, back.top, back.left + back.width, back.top + back.height);
        }
        if (placement.frontCoverPage == printed && IsSurfacePrinted(Surface::FrontCover, false)) {
            const FrontCoverGeometry& front = geometry.front;
            ::Rectangle(hdc, front.left, front.top, front.left + front.width, front.top + front.height);
            if (placement.folded) {
                ::MoveToEx(hdc, front.left + front.width / 2, front.top, nullptr);
                ::LineTo(hdc, front.left + front.width / 2, front.top + front.height);
            }
            keepClearOf(front.left, front.top, front.left + front.width, front.top + front.height);
        }
        for (const Surface surface : {Surface::Disc1, Surface::Disc2}) {
            if (placement.PageOf(surface) != printed || !IsSurfacePrinted(surface, false))
                continue;
            const DiscGeometry& disc = surface == Surface::Disc1 ? geometry.disc1 : geometry.disc2;
            const int d = disc.outerDiameter;
            const int k = d / 2 - disc.innerDiameter / 2;
            ::Ellipse(hdc, disc.left, disc.top, disc.left + d, disc.top + d);
            ::Ellipse(hdc, disc.left + k, disc.top + k, disc.left + k + disc.innerDiameter,
                      disc.top + k + disc.innerDiameter);
            keepClearOf(disc.left, disc.top, disc.left + d, disc.top + d);
        }

        const int cx = w / 2;
        const int cy = h / 2;
        const CString face = InterfaceFace();
        // The sheet's words read upright on the paper it is printed on.
        const PaperFrame frame(sheet, SheetTurnOf(landscape, LandscapeDegrees(info)));
        SheetFonts fonts(hdc, face, frame.Escapement());
        // The words beside the scales are placed for a sheet whose paper top
        // is its left edge; on a sheet turned the other way they stand in the
        // same places, each turned half round about itself.
        auto word = [&](UINT align, int x, int y, const char* text) {
            Out(hdc, frame.Turn() == SheetTurn::TopAtRight ? TurnedAround(align) : align, x, y, text);
        };
        // The printable area: the device's pixels from the origin on.
        const RECT printable = frame.ToPaper(
            RECT{origin.x, origin.y,
                 origin.x + static_cast<int>(static_cast<long long>(dc->GetDeviceCaps(HORZRES)) * 1000 / dpiX),
                 origin.y + static_cast<int>(static_cast<long long>(dc->GetDeviceCaps(VERTRES)) * 1000 / dpiY)});
        const SIZE paper = frame.Paper();

        // "Top" at the top edge of the paper, centred.
        fonts.Select(14);
        const char* top = "^ ^ ^ Top ^ ^ ^";
        const POINT topAt = frame.ToSheet(POINT{paper.cx / 2, printable.top});
        Out(hdc, TA_CENTER | TA_TOP, topAt.x, topAt.y, top);
        const int topHeight = TextSize(hdc, top).cy;

        fonts.Select(8);
        // White bars under the crosshair, so it shows on a printed label too.
        CBrush white;
        white.CreateSolidBrush(RGB(255, 255, 255));
        const RECT vertical{cx - kBarHalfWidth, cy - kCrossReach, cx + kBarHalfWidth, cy + kCrossReach};
        const RECT horizontal{cx - kCrossReach, cy - kBarHalfWidth, cx + kCrossReach, cy + kBarHalfWidth};
        ::FillRect(hdc, &vertical, white);
        ::FillRect(hdc, &horizontal, white);
        ::MoveToEx(hdc, cx - kCrossReach, cy, nullptr);
        ::LineTo(hdc, cx + kCrossReach, cy);
        ::MoveToEx(hdc, cx, cy - kCrossReach, nullptr);
        ::LineTo(hdc, cx, cy + kCrossReach);

        const int textHeight = TextSize(hdc, "0").cy;
        char label[16];
        // The horizontal scale.
        int value = -40;
        for (int x = cx - kScaleReach; x <= cx + kScaleReach; x += kStep) {
            const int along = x - cx + kScaleReach;
            const int reach = along % 125 == 0 ? 50 : 25;
            ::MoveToEx(hdc, x, cy - reach, nullptr);
            ::LineTo(hdc, x, cy + reach);
            if (along % 250 != 0)
                continue;
            if (value != 0) {
                std::snprintf(label, sizeof label, "%d", value);
                if (landscape)
                    word(value < 1 ? TA_RIGHT | TA_TOP : TA_LEFT | TA_TOP, x - textHeight / 2,
                         value < 1 ? cy + 50 : cy - 50, label);
                else
                    word(value < 1 ? TA_CENTER | TA_TOP : TA_CENTER | TA_BOTTOM, x, value < 1 ? cy + 50 : cy - 50,
                         label);
            }
            value += 10;
        }
        // The vertical scale.
        value = landscape ? 40 : -40;
        for (int y = cy - kScaleReach; y <= cy + kScaleReach; y += kStep) {
            const int along = y - cy + kScaleReach;
            const int reach = along % 125 == 0 ? 50 : 25;
            ::MoveToEx(hdc, cx - reach, y, nullptr);
            ::LineTo(hdc, cx + reach, y);
            if (along % 250 != 0)
                continue;
            if (value != 0) {
                std::snprintf(label, sizeof label, "%d", value);
                if (landscape)
                    word(value < 1 ? TA_CENTER | TA_TOP : TA_CENTER | TA_BOTTOM, value < 1 ? cx + 50 : cx - 50, y,
                         label);
                else if (value < 1)
                    word(TA_RIGHT | TA_BOTTOM, cx - 50, y + textHeight / 2, label);
                else
                    word(TA_LEFT | TA_BOTTOM, cx + 60, y + textHeight / 2, label);
            }
            value += landscape ? -10 : 10;
        }

        // The axis names.
        if (landscape) {
            word(TA_LEFT | TA_BOTTOM, cx + textHeight / 2, cy - kCrossReach, "Horizontal");
            word(TA_RIGHT | TA_BOTTOM, cx + textHeight / 2, cy + kCrossReach, "Horizontal");
            word(TA_CENTER | TA_BOTTOM, cx - kCrossReach, cy, "Vertical");
            word(TA_CENTER | TA_TOP, cx + kCrossReach, cy, "Vertical");
        } else {
            word(TA_RIGHT | TA_BOTTOM, cx - kCrossReach - 5, cy + textHeight / 2, "Horizontal");
            word(TA_LEFT | TA_BOTTOM, cx + kCrossReach + 5, cy + textHeight / 2, "Horizontal");
            word(TA_CENTER | TA_BOTTOM, cx, cy - kCrossReach - 5, "Vertical");
            word(TA_CENTER | TA_TOP, cx, cy + kCrossReach, "Vertical");
        }

        // The title and the instructions, on the free part of the paper:
        // clear of the outlines, the crosshair with its words and "Top".
        const int reach = kCrossReach + std::max(TextSize(hdc, "Horizontal").cx, TextSize(hdc, "Vertical").cx) +
                          kKeepClear;
        keepOut.push_back(RECT{cx - reach, cy - reach, cx + reach, cy + reach});
        std::vector<RECT> keepOutOnPaper;
        for (const RECT& rect : keepOut)
            keepOutOnPaper.push_back(frame.ToPaper(rect));
        keepOutOnPaper.push_back(
            RECT{printable.left, printable.top, printable.right, printable.top + topHeight + kKeepClear});
        const RECT area{printable.left + kKeepClear, printable.top + kKeepClear, printable.right - kKeepClear,
                        printable.bottom - kKeepClear};
        std::map<std::pair<std::string, int>, SIZE> measured;
        const MeasureText measure = [&](const std::string& text, int points) {
            auto [found, added] = measured.try_emplace(std::pair{text, points});
            if (added) {
                fonts.Select(points);
                found->second = TextSize(hdc, text.c_str());
            }
            return found->second;
        };
        const std::vector<std::string> lines(std::begin(kInstructions), std::end(kInstructions));
        for (const PlacedLine& line :
             PlaceInstructions("Sleevory Printer Calibration", lines, area, keepOutOnPaper, measure)) {
            fonts.Select(line.points);
            const POINT at = frame.ToSheet(line.at);
            Out(hdc, TA_LEFT | TA_TOP, at.x, at.y, line.text.c_str());
        }
        fonts.Deselect();
    });
}
