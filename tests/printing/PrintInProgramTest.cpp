// The whole program printing to the private queue, driven as its user drives
// it: menu commands to the main window, the print and calibration dialogs'
// own buttons, the pages measured on the host (measure_printed_pages.py).
#include "PrintDialogDriver.h"
#include "PrintQueue.h"
#include "ScratchSettings.h"

#include "app/RunningApp.h"
#include "framework/Gdi.h"
#include "label/LabelRenderer.h"
#include "framework/Document.h"
#include "resources/resource.h"
#include "support/DialogAnswers.h"
#include "support/InsertionPoint.h"
#include "support/MessagePump.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// Marks the pixels of a reference drawing that are not compared.
constexpr BYTE kIgnored[3] = {255, 0, 255};

const char* const kPartSettings[] = {"PrintFront", "PrintBack", "PrintDisc1", "PrintDisc2"};
const int kPartButtons[] = {IDC_PRINT_FRONT, IDC_PRINT_BACK, IDC_PRINT_DISC1, IDC_PRINT_DISC2};

// A smooth photograph of mid tones: nowhere near white, nor as dark as text.
std::string WritePhoto(const std::string& path)
{
    constexpr int kSide = 96;
    constexpr int kRowBytes = kSide * 3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = kSide;
    info.biHeight = kSide;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + kRowBytes * kSide;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const BYTE blue = static_cast<BYTE>(200 - 60 * (x + y) / (2 * kSide));
            const BYTE green = static_cast<BYTE>(120 + 80 * y / kSide);
            const BYTE red = static_cast<BYTE>(90 + 100 * x / kSide);
            out.put(static_cast<char>(blue)).put(static_cast<char>(green)).put(static_cast<char>(red));
        }
    return path;
}

// A device context of the default printer, for its resolution and fonts.
class DefaultPrinterDc
{
public:
    DefaultPrinterDc()
    {
        char name[512] = {};
        DWORD size = sizeof name;
        if (::GetDefaultPrinterA(name, &size))
            m_dc = ::CreateDCA("WINSPOOL", name, nullptr, nullptr);
    }
    ~DefaultPrinterDc()
    {
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    DefaultPrinterDc(const DefaultPrinterDc&) = delete;
    DefaultPrinterDc& operator=(const DefaultPrinterDc&) = delete;

    HDC Get() const { return m_dc; }
    int Dpi() const { return m_dc ? ::GetDeviceCaps(m_dc, LOGPIXELSX) : 0; }

private:
    HDC m_dc = nullptr;
};

// A drawing in a top-down 24-bit memory bitmap, on a memory context of a
// device (whose resolution its fonts take).
class MemoryDrawing
{
public:
    MemoryDrawing(HDC device, SIZE size) : m_size(size)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = -size.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0));
        m_dc = ::CreateCompatibleDC(device);
        m_old = ::SelectObject(m_dc, m_bitmap);
        const RECT all{0, 0, size.cx, size.cy};
        ::FillRect(m_dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~MemoryDrawing()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    MemoryDrawing(const MemoryDrawing&) = delete;
    MemoryDrawing& operator=(const MemoryDrawing&) = delete;

    HDC Dc() const { return m_dc; }
    // Red, green and blue of a pixel.
    BYTE* Pixel(int x, int y) const { return m_bits + static_cast<size_t>(y) * Stride() + static_cast<size_t>(x) * 3; }
    void Ignore(int x, int y) const
    {
        BYTE* pixel = Pixel(x, y);
        pixel[0] = kIgnored[2];
        pixel[1] = kIgnored[1];
        pixel[2] = kIgnored[0];
    }
    // Writes a part as a binary PPM (red, green, blue).
    void WritePart(const std::string& path, const RECT& part) const
    {
        ::GdiFlush();
        std::ofstream out(path, std::ios::binary);
        out << "P6\n" << part.right - part.left << " " << part.bottom - part.top << "\n255\n";
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x) {
                const BYTE* pixel = Pixel(x, y);
                out.put(static_cast<char>(pixel[2])).put(static_cast<char>(pixel[1])).put(static_cast<char>(pixel[0]));
            }
    }

private:
    size_t Stride() const { return (static_cast<size_t>(m_size.cx) * 3 + 3) & ~size_t{3}; }

    SIZE m_size;
    CBitmap m_bitmap;
    BYTE* m_bits = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};
}  // namespace

class PrintInProgramTest : public ScratchSettingsTest
{
protected:
    void SetUp() override
    {
        ScratchSettingsTest::SetUp();
        if (!QueueReady())
            GTEST_SKIP() << m_skipReason;
        // Not a first start: the label paper was chosen and the help shown.
        PutNumberSetting("LabelUpdate", 0);
        PutNumberSetting("HelpScreen", 0);
    }
    void TearDown() override
    {
        m_program.reset();
        // The main window's end asked the thread to quit; the next test's
        // modal dialogs must not take that for theirs.
        test_support::PumpPending();
        ScratchSettingsTest::TearDown();
    }

    // Starts the program on its default label of one or two discs.
    CQuorbel6View* Start(DWORD discs)
    {
        PutNumberSetting("Template", discs);
        m_program.emplace();
        m_view = m_program->RunToLabel();
        return m_view;
    }

    void Command(UINT id) { ::SendMessageA(m_program->MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The print dialog of File > Print, answered by `act`; the job's PDF when
    // `act` printed, else empty.
    std::string PrintThroughDialog(const char* caption, UINT command, const std::function<void(HWND)>& act)
    {
        DialogDriver driver(caption, act);
        PrintQueue::Clear();
        Command(command);
        EXPECT_TRUE(driver.Found()) << caption << " did not appear";
        return m_view->LastPrintResult() == PrintJobResult::Printed ? PrintQueue::WaitForJob() : std::string();
    }

    // The part buttons' checks in a print dialog.
    static std::vector<bool> PartChecks(HWND dialog)
    {
        std::vector<bool> checks;
        for (const int id : kPartButtons)
            checks.push_back(::IsDlgButtonChecked(dialog, id) == BST_CHECKED);
        return checks;
    }

    // A picture set as the background of a surface, then a text and a track
    // list put on it, each by its menu command at a point of the surface.
    void DecorateSurface(UINT showCommand, const char* surface, POINT photoAt, POINT textAt, POINT tracksAt,
                         const std::string& photo)
    {
        Command(showCommand);
        ASSERT_EQ(m_view->Model().Shown().surface, surface);
        PointInsertionAt(*m_view, photoAt, "Inside");
        {
            DialogAnswers answers(ChooseFile(photo));
            Command(ID_INSERT_IMAGE);
        }
        Command(ID_LAYOUT_SET_AS_BACKGROUND);
        PointInsertionAt(*m_view, textAt, "Inside");
        Command(ID_INSERT_TEXT);
        PointInsertionAt(*m_view, tracksAt, "Inside");
        Command(ID_INSERT_TRACK_LIST);
    }

    std::optional<RunningApp> m_program;
    CQuorbel6View* m_view = nullptr;
    std::ostringstream m_expect;
};

// Texts and track lists printed over a picture look as the label draws them:
// each printed page against the label's own drawing of it at the printer's
// resolution, part by part (measure_printed_pages.py compares them).
TEST_F(PrintInProgramTest, TextsOverAPhotoPrintAsTheLabelDrawsThem)
{
    PutNumberSetting("PrintBack", 1);
    ASSERT_NE(Start(1), nullptr);
    const std::string photo = WritePhoto(m_folder + "photo.bmp");
    const SurfaceGeometry& sheet = m_view->Model().Geometry();
    const BackCoverGeometry back = sheet.back;
    const DiscGeometry disc = sheet.disc1;
    DecorateSurface(ID_VIEW_BACK_COVER, "Back Cover", POINT{back.left + back.width / 2, back.top + back.height / 2},
                    POINT{back.left + back.width / 3, back.top + back.height / 4},
                    POINT{back.left + back.width / 2, back.top + back.height * 2 / 3}, photo);
    const int centreX = disc.left + disc.outerDiameter / 2;
    DecorateSurface(ID_VIEW_DISC_LABEL, "Disc 1", POINT{centreX, disc.top + disc.outerDiameter / 2},
                    POINT{centreX, disc.top + disc.outerDiameter / 8},
                    POINT{centreX, disc.top + disc.outerDiameter * 7 / 8}, photo);

    const std::string pdf = PrintThroughDialog(" Print", ID_FILE_PRINT, [](HWND dialog) { Press(dialog, IDOK); });
    ASSERT_FALSE(pdf.empty()) << "the job did not reach the queue";
    ASSERT_EQ(PrintQueue::CountPages(pdf), 2) << "the disc sheet and the back cover's sheet";

    // The label's own drawing of each printed part at the printer's resolution.
    const DefaultPrinterDc printer;
    const int dpi = printer.Dpi();
    ASSERT_GT(dpi, 0);
    CLabelModel& model = m_view->Model();
    CLabelRenderer renderer(model, nullptr);
    renderer.SetScale(dpi, 10);
    const auto pixels = [&](int thousandths) { return renderer.ScaleLength(thousandths); };
    // Edges and folds print as outlines the drawing leaves out.
    const int margin = pixels(40);
    const std::string kept = PrintQueue::KeptFolder();
    const struct
    {
        int pdfPage;
        const char* page;
        Surface surface;
    } parts[] = {{1, "1", Surface::Disc1}, {2, "3", Surface::BackCover}};
    int compared = 0;
    for (const auto& part : parts) {
        SCOPED_TRACE(SurfaceName(part.surface));
        const CString shownPage = model.Shown().page;
        model.Shown().page = part.page;
        renderer.UpdateGeometry();
        const SIZE size = renderer.SurfaceSize(part.surface);
        MemoryDrawing drawing(printer.Get(), size);
        renderer.DrawSurface(drawing.Dc(), part.surface, CLabelRenderer::DrawMode::Plain);
        model.Shown().page = shownPage;
        ::GdiFlush();

        const ScreenGeometry& screen = renderer.Geometry();
        POINT origin{};
        const auto ignoreWhere = [&](auto outside) {
            for (int y = 0; y < size.cy; ++y)
                for (int x = 0; x < size.cx; ++x)
                    if (outside(x, y))
                        drawing.Ignore(x, y);
        };
        if (part.surface == Surface::Disc1) {
            origin = POINT{screen.disc1.left, screen.disc1.top};
            // Only the ring is printed: its edges and the hole are not compared.
            const double centre = screen.disc1.outerDiameter / 2.0;
            const double outer = centre - margin, inner = screen.disc1.innerDiameter / 2.0 + margin;
            ignoreWhere([&](int x, int y) {
                const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
                const double distance = std::sqrt(dx * dx + dy * dy);
                return distance > outer || distance < inner;
            });
        } else {
            origin = POINT{screen.back.left, screen.back.top};
            const int tab = screen.back.tab;
            ignoreWhere([&](int x, int y) {
                const auto onLine = [&](int at, int line) { return std::abs(at - line) <= margin; };
                return x < margin || y < margin || x >= size.cx - margin || y >= size.cy - margin ||
                       onLine(x, tab) || onLine(x, size.cx - tab);
            });
        }
        const auto keep = [&](const std::string& what, RECT box) {
            box.left = std::max<LONG>(box.left, 0);
            box.top = std::max<LONG>(box.top, 0);
            box.right = std::min<LONG>(box.right, size.cx);
            box.bottom = std::min<LONG>(box.bottom, size.cy);
            if (box.right <= box.left || box.bottom <= box.top)
                return;
            const std::string file = "over-photo-" + std::to_string(++compared) + ".ppm";
            drawing.WritePart(kept + file, box);
            m_expect << "match " << part.pdfPage << " " << dpi << " " << origin.x + box.left << " "
                     << origin.y + box.top << " " << file << " " << what << "\n";
        };
        // The whole part, then each text and track list of it on its own.
        keep(std::string(SurfaceName(part.surface)), RECT{0, 0, size.cx, size.cy});
        int texts = 0;
        for (int row = 0; row < model.RowCount(); row = model.NextObjectRow(row)) {
            const CString& name = model.Row(row).m_strObjectName;
            const CString& type = model.Row(row).m_strValue;
            if ((type != "Text" && type != "Track") || model.SurfaceOf(name) != part.surface)
                continue;
            const int left = pixels(model.LengthOf(name, "Left")) - origin.x;
            const int top = pixels(model.LengthOf(name, "Top")) - origin.y;
            keep(std::string(name.c_str()), RECT{left, top, left + pixels(model.LengthOf(name, "Width")),
                                                 top + pixels(model.LengthOf(name, "Height"))});
            ++texts;
        }
        EXPECT_EQ(texts, 2) << "a text and a track list on the picture";
    }
    PrintQueue::Keep("texts-over-photo", pdf, m_expect.str());
}

// Print on a label of one disc offers no second disc, and writes no choice
// the user did not make.
TEST_F(PrintInProgramTest, OpeningPrintOnOneDiscWritesNoSetting)
{
    ASSERT_NE(Start(1), nullptr);
    ASSERT_EQ(m_view->Model().Shown().layout, "Single");
    for (const int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button == IDOK ? "printed" : "cancelled");
        PrintThroughDialog(" Print", ID_FILE_PRINT, [&](HWND dialog) { Press(dialog, button); });
        for (const char* setting : kPartSettings)
            EXPECT_EQ(Setting(setting), "(missing)") << setting;
    }
}

// Printer Calibration chooses the sheets of its own job: the next Print
// offers the label's choices as they were, and a cancelled calibration
// keeps nothing of what was typed in it.
TEST_F(PrintInProgramTest, CalibrationLeavesThePrintChoicesAsTheyWere)
{
    ASSERT_NE(Start(2), nullptr);
    ASSERT_EQ(m_view->Model().Shown().layout, "Double");
    const struct
    {
        const char* name;
        std::vector<int> clicks;
        const char* offsetX;
        const char* offsetY;
        int button;
    } cases[] = {{"the disc sheet alone printed", {}, "7", "-3", IDOK},
                 {"front and back chosen, then cancelled", {IDC_PRINT_FRONT, IDC_PRINT_BACK}, "12", "5", IDCANCEL}};
    std::vector<bool> offered;
    PrintThroughDialog(" Print", ID_FILE_PRINT, [&](HWND dialog) {
        offered = PartChecks(dialog);
        Press(dialog, IDCANCEL);
    });
    ASSERT_EQ(offered, (std::vector<bool>{false, false, true, true})) << "the choices of a first start";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<bool> sheets;
        const std::string pdf = PrintThroughDialog(" Printer Calibration", ID_FILE_PRINTER_CALIBRATION, [&](HWND dialog) {
            for (const int id : c.clicks)
                Click(dialog, id);
            ::SetDlgItemTextA(dialog, IDC_PRINT_OFFSET_X, c.offsetX);
            ::SetDlgItemTextA(dialog, IDC_PRINT_OFFSET_Y, c.offsetY);
            sheets = PartChecks(dialog);
            Press(dialog, c.button);
        });
        EXPECT_EQ(sheets[2], true) << "the disc sheet is offered as the label's disc choice";
        EXPECT_EQ(pdf.empty(), c.button != IDOK);
        std::vector<bool> next;
        PrintThroughDialog(" Print", ID_FILE_PRINT, [&](HWND dialog) {
            next = PartChecks(dialog);
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(next, offered);
        for (const char* setting : kPartSettings)
            EXPECT_EQ(Setting(setting), "(missing)") << setting;
        // The offsets of the printed sheet stay; Cancel keeps none.
        EXPECT_EQ(Setting("PrintOffset"), "7,-3");
        EXPECT_EQ(m_view->m_nPrintOffsetX, 7);
        EXPECT_EQ(m_view->m_nPrintOffsetY, -3);
    }
}

// The front cover's calibration sheet reads upright on the paper: "Top" at
// the paper's top edge, the instructions on the paper and clear of the
// cover's outline.
TEST_F(PrintInProgramTest, FrontCalibrationSheetReadsUprightBesideTheCover)
{
    ASSERT_NE(Start(1), nullptr);
    const std::string pdf =
        PrintThroughDialog(" Printer Calibration", ID_FILE_PRINTER_CALIBRATION, [](HWND dialog) {
            Click(dialog, IDC_PRINT_FRONT);
            Click(dialog, IDC_PRINT_DISC1);
            Press(dialog, IDOK);
        });
    ASSERT_FALSE(pdf.empty());
    ASSERT_EQ(PrintQueue::CountPages(pdf), 1);
    EXPECT_EQ(Setting("PrintFront"), "(missing)");

    // The front cover's landscape sheet lies on portrait paper with the
    // sheet's right edge at the paper's top (the host turns such pages back
    // clockwise to measure them); all below is on the paper as it is read.
    const FrontCoverGeometry front = m_view->Model().Geometry().front;
    const CLabelDim* cover = m_view->m_labelTemplates[static_cast<size_t>(m_view->m_nJewelTemplate)].get();
    ASSERT_LT(cover->m_nSheetHeight1, cover->m_nSheetWidth1) << "a landscape sheet";
    const int sheetWidth = cover->m_nSheetWidth1;
    const auto onPaper = [&](int left, int top, int right, int bottom) {
        return RECT{top, sheetWidth - right, bottom, sheetWidth - left};
    };
    const SIZE paper{cover->m_nSheetHeight1, cover->m_nSheetWidth1};
    const RECT outline = onPaper(front.left, front.top, front.left + front.width, front.top + front.height);
    const POINT centre{paper.cx / 2, paper.cy / 2};
    // The crosshair with its scales and their words.
    const int reach = 2400;
    const auto line = [&](const char* kind, const RECT& box, const char* tail = "") {
        m_expect << kind << " 1 " << box.left << " " << box.top << " " << box.right << " " << box.bottom << tail
                 << "\n";
    };
    m_expect << "pages 1\n";
    line("ink", RECT{centre.x - 1500, 0, centre.x + 1500, 800});
    line("clear", RECT{centre.x - 1500, outline.bottom + 100, centre.x + 1500, paper.cy});
    std::ostringstream crosshair;
    crosshair << " " << centre.x - reach << " " << centre.y - reach << " " << centre.x + reach << " "
              << centre.y + reach;
    // Inside the outline, on either side of a folded cover's fold.
    const int fold = m_view->Model().Placement().folded ? (outline.top + outline.bottom) / 2 : outline.bottom;
    line("clear", RECT{outline.left + 100, outline.top + 100, outline.right - 100, fold - 100},
         crosshair.str().c_str());
    if (fold < outline.bottom)
        line("clear", RECT{outline.left + 100, fold + 100, outline.right - 100, outline.bottom - 100},
             crosshair.str().c_str());
    line("inside", RECT{150, 150, paper.cx - 150, paper.cy - 150});
    PrintQueue::Keep("calibration-front-upright", pdf, m_expect.str());
}

// Another disc paper and the other disc place chosen in the print dialog:
// the disc prints at that paper's other place, and both stay chosen for the
// next print, without a step in the undo history or a change to save.
TEST_F(PrintInProgramTest, DiscPaperAndPlaceChosenInThePrintDialogStayChosen)
{
    PutNumberSetting("PrintFront", 0);
    PutNumberSetting("PrintBack", 0);
    PutNumberSetting("PrintDisc1", 1);
    ASSERT_NE(Start(1), nullptr);
    ASSERT_EQ(m_view->Model().Shown().layout, "Single");
    // A disc paper whose two places lie elsewhere on the sheet.
    const int labelPaper = m_view->m_nDiscTemplate;
    CLabelDim shifted = *m_view->m_labelTemplates[static_cast<size_t>(labelPaper)];
    shifted.m_strName = "Shifted Disc Paper";
    shifted.m_nLeft1 += 450;
    shifted.m_nLeft2 -= 350;
    shifted.m_nTop2 += 150;
    m_view->m_labelTemplates.push_back(std::make_unique<CLabelDim>(shifted));
    const int shiftedIndex = static_cast<int>(m_view->m_labelTemplates.size()) - 1;
    SurfacePlacement& placement = m_view->Model().Placement();
    placement.disc1Border = placement.disc2Border = 1;
    const CString position = m_view->Model().GetPropertyValue("Disc 1", "Label Position");
    const bool wasTop = position != "Bottom";
    const CString shownSurface = m_view->Model().Shown().surface;
    const CString shownPage = m_view->Model().Shown().page;
    const int zoom = m_view->Model().Shown().zoom;
    const bool canUndo = m_view->UndoHistory().CanUndo();
    const BOOL modified = m_view->GetDocument()->IsModified();

    const std::string pdf = PrintThroughDialog(" Print", ID_FILE_PRINT, [&](HWND dialog) {
        if (HWND disc = ShownPaperPage(dialog)) {
            ChoosePaper(disc, shiftedIndex);
            ChooseRadio(disc, wasTop ? IDC_PAPER_BOTTOM : IDC_PAPER_TOP);
        }
        Press(dialog, IDOK);
    });
    ASSERT_FALSE(pdf.empty()) << "the job did not reach the queue";
    ASSERT_EQ(PrintQueue::CountPages(pdf), 1);
    const auto disc = [&](int place) {
        return place == 1 ? std::array<int, 4>{shifted.m_nLeft1 + shifted.m_nWidth1 / 2,
                                               shifted.m_nTop1 + shifted.m_nWidth1 / 2, shifted.m_nWidth1,
                                               shifted.m_nHeight1}
                          : std::array<int, 4>{shifted.m_nLeft2 + shifted.m_nWidth2 / 2,
                                               shifted.m_nTop2 + shifted.m_nWidth2 / 2, shifted.m_nWidth2,
                                               shifted.m_nHeight2};
    };
    const std::array<int, 4> printed = disc(wasTop ? 2 : 1), empty = disc(wasTop ? 1 : 2);
    m_expect << "pages 1\n";
    m_expect << "circle 1 " << printed[0] << " " << printed[1] << " " << printed[2] << "\n";
    m_expect << "circle 1 " << printed[0] << " " << printed[1] << " " << printed[3] << "\n";
    // Nothing at the place not chosen.
    const int inner = empty[3] / 2 + 100, reach = empty[2] / 2 - 100;
    m_expect << "clear 1 " << empty[0] - reach << " " << empty[1] - reach << " " << empty[0] - inner << " "
             << empty[1] + reach << "\n";
    PrintQueue::Keep("dialog-disc-paper-and-place", pdf, m_expect.str());

    EXPECT_EQ(m_view->m_nDiscTemplate, shiftedIndex);
    EXPECT_EQ(m_view->Model().GetPropertyValue("Disc 1", "Label Position"), wasTop ? "Bottom" : "Top");
    EXPECT_EQ(m_view->UndoHistory().CanUndo(), canUndo) << "a print is no step of the label's history";
    EXPECT_EQ(m_view->GetDocument()->IsModified(), modified);
    // The view shows what it showed before the job.
    EXPECT_EQ(m_view->Model().Shown().surface, shownSurface);
    EXPECT_EQ(m_view->Model().Shown().page, shownPage);
    EXPECT_EQ(m_view->Model().Shown().zoom, zoom);

    int offered = -1;
    bool topChecked = true, bottomChecked = true;
    PrintThroughDialog(" Print", ID_FILE_PRINT, [&](HWND dialog) {
        if (HWND page = ShownPaperPage(dialog)) {
            offered = ChosenPaper(page);
            topChecked = ::IsDlgButtonChecked(page, IDC_PAPER_TOP) == BST_CHECKED;
            bottomChecked = ::IsDlgButtonChecked(page, IDC_PAPER_BOTTOM) == BST_CHECKED;
        }
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(offered, shiftedIndex) << "the paper chosen is offered again";
    EXPECT_EQ(topChecked, !wasTop);
    EXPECT_EQ(bottomChecked, wasTop);
}
