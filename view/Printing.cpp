// The view's part of a print job: the job's dialog and page range, each
// page's paper and orientation, and the printed page itself, drawn through a
// label renderer at the printer's resolution.
#include "view/Quorbel6View.h"

#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "label/LabelDim.h"
#include "label/LabelGeometry.h"
#include "printing/DeviceOutlines.h"
#include "printing/PrintDlg.h"
#include "printing/PrintPageRange.h"
#include "shell/AppMessageDlg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{
// The print ring of a disc reaches this far past its edge and into its hole,
// so that a slightly misplaced sheet shows no white rim; thousandths of an inch.
constexpr int kRingBleed = 80;
// A disc's colour is filled this far past its square before the ring clips it.
constexpr int kColorBleed = 100;
// One calibration step, thousandths of an inch.
constexpr int kCalibrationStep = 25;
constexpr COLORREF kBorderColor = RGB(0, 0, 0);

// Changes made for one print job only: they record no undo step and leave
// the document's modified flag as it was.
class JobOnlyChanges
{
public:
    explicit JobOnlyChanges(CQuorbel6View& view)
        : m_view(view),
          m_recording(view.Model().IsUndoRecording()),
          m_modified(view.GetDocument() ? view.GetDocument()->IsModified() : FALSE)
    {
        view.Model().SetUndoRecording(false);
    }
    ~JobOnlyChanges()
    {
        m_view.Model().SetUndoRecording(m_recording);
        if (CDocument* doc = m_view.GetDocument())
            doc->SetModifiedFlag(m_modified);
    }
    JobOnlyChanges(const JobOnlyChanges&) = delete;
    JobOnlyChanges& operator=(const JobOnlyChanges&) = delete;

private:
    CQuorbel6View& m_view;
    bool m_recording;
    BOOL m_modified;
};

// The page shown, set to the page of what is drawn while it is drawn.
class ShownPageScope
{
public:
    ShownPageScope(CLabelModel& model, const CString& page) : m_model(model), m_saved(model.Shown().page)
    {
        model.Shown().page = page;
    }
    ~ShownPageScope() { m_model.Shown().page = m_saved; }
    ShownPageScope(const ShownPageScope&) = delete;
    ShownPageScope& operator=(const ShownPageScope&) = delete;

private:
    CLabelModel& m_model;
    CString m_saved;
};

const char kDisc1[] = "Disc 1";
const char kLabelPosition[] = "Label Position";

// What the print dialog reads and changes of the view.
class ViewPrintTarget : public IPrintDialogTarget
{
public:
    explicit ViewPrintTarget(CQuorbel6View& view) : m_view(view) {}

    bool IsPartPrinted(PrintPart part) const override { return Flag(part) != 0; }
    void SetPartPrinted(PrintPart part, bool printed) override
    {
        static const char* const kSettings[] = {"PrintFront", "PrintBack", "PrintDisc1", "PrintDisc2"};
        Flag(part) = printed ? 1 : 0;
        // The sheets of a calibration job are no choice of what labels to
        // print: the job's scope puts the label's choices back.
        if (!IsCalibrationMode())
            m_view.WriteSettingValue("Number", kSettings[static_cast<int>(part)], printed ? "1" : "0");
    }
    void SetPage2AsPage3(bool skip) override { m_view.AppSettings().m_bPrintPage2AsPage3 = skip ? 1 : 0; }
    bool IsDoubleLayout() const override { return m_view.Model().Shown().layout == "Double"; }
    bool IsCalibrationMode() const override { return m_view.m_bCalibrationMode != 0; }
    POINT PrintOffset() const override { return POINT{m_view.m_nPrintOffsetX, m_view.m_nPrintOffsetY}; }
    void SetPrintOffset(POINT offset) override
    {
        m_view.m_nPrintOffsetX = std::clamp<int>(offset.x, -kMaxPrintOffset, kMaxPrintOffset);
        m_view.m_nPrintOffsetY = std::clamp<int>(offset.y, -kMaxPrintOffset, kMaxPrintOffset);
        CString value;
        value.Format("%d,%d", m_view.m_nPrintOffsetX, m_view.m_nPrintOffsetY);
        m_view.WriteSettingValue("String", "PrintOffset", value);
    }
    int BackCoverPage() const override
    {
        const CLabelDim* cover = Paper(m_view.m_nJewelTemplate);
        return cover && cover->m_nPage2 == 2 ? 2 : 3;
    }
    CString DiscPaperName() const override
    {
        const CLabelDim* paper = Paper(m_view.m_nDiscTemplate);
        return paper ? paper->m_strName : CString();
    }
    CString CoverPaperName() const override
    {
        const CLabelDim* paper = Paper(m_view.m_nJewelTemplate);
        return paper ? paper->m_strName : CString();
    }
    void ShowCurrentSurface() override
    {
        if (m_view.m_bGeometryReady)
            m_view.ShowSurface("");
    }

    int PaperCount() const override { return static_cast<int>(m_view.m_labelTemplates.size()); }
    const CLabelDim* Paper(int index) const override
    {
        return index >= 0 && index < static_cast<int>(m_view.m_labelTemplates.size())
                   ? m_view.m_labelTemplates[static_cast<size_t>(index)].get()
                   : nullptr;
    }
    int DiscTemplate() const override { return m_view.m_nDiscTemplate; }
    int JewelTemplate() const override { return m_view.m_nJewelTemplate; }
    CString LabelPosition() const override
    {
        const CString position = m_view.Model().GetPropertyValue(kDisc1, kLabelPosition);
        return position == "Top" || position == "Bottom" ? position : CString();
    }
    SIZE ScreenDpi() const override
    {
        SIZE dpi{96, 96};
        if (HDC screen = ::GetDC(nullptr)) {
            dpi = SIZE{::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY)};
            ::ReleaseDC(nullptr, screen);
        }
        return dpi;
    }
    void ReportNothingToPrint(bool calibration) override
    {
        CAppMessageDlg::Show(calibration ? "Please select a calibration sheet to print."
                                         : "Please select a label to print.",
                             CAppMessageDlg::kIconExclamation, "OK`");
    }
    // The papers and the disc place chosen for the job stay chosen after it:
    // the user picked the sheet in the printer. Choosing them is no edit of the
    // label, so neither the undo history nor the modified flag learns of it.
    void ApplyPaperChoice(const PrintPaperChoice& choice) override
    {
        JobOnlyChanges quiet(m_view);
        bool changed = false;
        auto take = [&](int& current, int chosen, int kind) {
            const CLabelDim* paper = Paper(chosen);
            if (paper && paper->m_nType == kind && chosen != current) {
                current = chosen;
                changed = true;
            }
        };
        take(m_view.m_nDiscTemplate, choice.discTemplate, CLabelDim::kDiscLabels);
        take(m_view.m_nJewelTemplate, choice.jewelTemplate, CLabelDim::kJewelCase);
        const CString position = LabelPosition();
        if (choice.position == DiscPosition::Top && position == "Bottom") {
            m_view.ApplyProperty(kDisc1, kLabelPosition, "Top");
            changed = true;
        } else if (choice.position == DiscPosition::Bottom && position == "Top") {
            m_view.ApplyProperty(kDisc1, kLabelPosition, "Bottom");
            changed = true;
        } else if (choice.position == DiscPosition::Both) {
            m_view.m_nDuplicateDisc = 1;
        }
        if (changed && m_view.m_bGeometryReady) {
            m_view.LayoutPages();
            m_view.ScrollToCurrentPart(true);
        }
    }

    CBitmap MakeDesignSnapshot(Surface surface) override
    {
        CLabelModel& model = m_view.Model();
        if (!m_view.m_bGeometryReady)
            return CBitmap();
        // A renderer of its own: the view's page, zoom, guides and surface
        // drawings stay exactly as they are.
        CLabelRenderer renderer(model, &m_view);
        renderer.SetScale(m_view.m_nScreenDpi, kSnapshotZoom);
        const SIZE size = renderer.SurfaceSize(surface);
        if (size.cx <= 0 || size.cy <= 0)
            return CBitmap();
        CClientDC screen(m_view.m_hWnd);
        CBitmap snapshot;
        if (!snapshot.CreateCompatibleBitmap(screen, size.cx, size.cy))
            return CBitmap();
        {
            CMemoryDC dc(screen);
            CSelectGuard selected(dc, snapshot);
            const RECT all{0, 0, size.cx, size.cy};
            ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            ShownPageScope page(model, model.Placement().PageOf(surface));
            renderer.DrawSurface(dc, surface, CLabelRenderer::DrawMode::Plain);
        }
        return snapshot;
    }
    bool IsLabelFolded() const override { return m_view.Model().Placement().folded != 0; }
    bool EditPaper(int templateIndex, int side) override
    {
        return m_view.EditLabelPaper(templateIndex, side, CWnd::FromHandle(::GetActiveWindow()));
    }
    void ChangeLabelPaper() override { m_view.OnChangeLabelPaper(); }

private:
    // The previews' designs are drawn at 60 %.
    static constexpr int kSnapshotZoom = 6;

    BYTE& Flag(PrintPart part) const
    {
        CAppSettings& app = m_view.AppSettings();
        switch (part) {
        case PrintPart::Front: return app.m_bPrintFront;
        case PrintPart::Back: return app.m_bPrintBack;
        case PrintPart::Disc1: return app.m_bPrintDisc1;
        default: return app.m_bPrintDisc2;
        }
    }

    CQuorbel6View& m_view;
};

// The print dialog of the view's jobs, with the view as what it changes.
struct ViewPrintTargetHolder
{
    explicit ViewPrintTargetHolder(CQuorbel6View& view) : target(view) {}
    ViewPrintTarget target;
};
class ViewPrintDialog : private ViewPrintTargetHolder, public CPrintDlg
{
public:
    explicit ViewPrintDialog(CQuorbel6View& view)
        : ViewPrintTargetHolder(view), CPrintDlg(target, FALSE, CPrintDlg::kViewFlags, nullptr)
    {
    }
};

// The view's own state a job may change, put back when the job ends however
// it ends: printed, cancelled, failed, or stopped by an error. The papers and
// disc place chosen in the print dialog are the user's choice and stay.
class PrintJobScope
{
public:
    // partsForJobOnly: the dialog's part buttons choose this job's sheets
    // only (a calibration job), so the print choices come back afterwards.
    explicit PrintJobScope(CQuorbel6View& view, bool partsForJobOnly = false)
        : m_view(view),
          m_partsForJobOnly(partsForJobOnly),
          m_parts(partsForJobOnly ? PartChoices(view.AppSettings()) : std::array<BYTE, 4>{}),
          m_shown(view.Model().Shown()),
          m_showGuides(view.m_bShowGuides),
          m_calibration(view.m_bCalibrationMode),
          m_duplicateDisc(view.m_nDuplicateDisc),
          m_undoRecording(view.Model().IsUndoRecording())
    {
    }
    ~PrintJobScope()
    {
        Guarded(133, ErrorSink::Window(&m_view), [&] {
            CLabelModel& model = m_view.Model();
            m_view.m_bCalibrationMode = m_calibration;
            m_view.m_nDuplicateDisc = m_duplicateDisc;
            CAppSettings& app = m_view.AppSettings();
            app.m_bPrintPage2AsPage3 = 0;
            if (m_partsForJobOnly) {
                app.m_bPrintFront = m_parts[0];
                app.m_bPrintBack = m_parts[1];
                app.m_bPrintDisc1 = m_parts[2];
                app.m_bPrintDisc2 = m_parts[3];
            }
            m_view.OnEndPrinting(nullptr, nullptr);
            model.SetUndoRecording(m_undoRecording);
            const LabelShown& now = model.Shown();
            const bool moved = now.zoom != m_shown.zoom || now.page != m_shown.page ||
                               now.surface != m_shown.surface || now.layout != m_shown.layout ||
                               m_view.m_bShowGuides != m_showGuides;
            model.Shown() = m_shown;
            m_view.m_bShowGuides = m_showGuides;
            if (moved)
                m_view.UpdateScale();
            // The papers chosen may have moved the surfaces.
            if (m_view.m_bGeometryReady)
                m_view.ShowSurface("");
        });
    }
    PrintJobScope(const PrintJobScope&) = delete;
    PrintJobScope& operator=(const PrintJobScope&) = delete;

private:
    CQuorbel6View& m_view;
    static std::array<BYTE, 4> PartChoices(const CAppSettings& app)
    {
        return {app.m_bPrintFront, app.m_bPrintBack, app.m_bPrintDisc1, app.m_bPrintDisc2};
    }

    bool m_partsForJobOnly;
    std::array<BYTE, 4> m_parts;
    LabelShown m_shown;
    BYTE m_showGuides;
    BYTE m_calibration;
    int m_duplicateDisc;
    bool m_undoRecording;
};

int ThousandthsToDevice(int thousandths, int dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(thousandths) * dpi / 1000.0));
}

bool IsWhite(const CString& color)
{
    return color == "255,255,255";
}

bool ReadColor(const CString& text, COLORREF& color)
{
    int red = 0, green = 0, blue = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d", &red, &green, &blue) != 3)
        return false;
    color = RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
    return true;
}

// One surface drawn on the page: `source`'s design at `place`'s position
// (they differ only for the second copy of a single layout's disc).
struct PrintedSurface
{
    Surface source;
    Surface place;
};

POINT SurfaceOrigin(const ScreenGeometry& geometry, Surface surface)
{
    switch (surface) {
    case Surface::BackCover: return POINT{geometry.back.left, geometry.back.top};
    case Surface::FrontCover: return POINT{geometry.front.left, geometry.front.top};
    case Surface::Disc1: return POINT{geometry.disc1.left, geometry.disc1.top};
    case Surface::Disc2: return POINT{geometry.disc2.left, geometry.disc2.top};
    default: return POINT{};
    }
}

// The ring a disc's print is clipped to, in device pixels.
HRGN MakePrintRing(const ScreenDisc& disc, POINT origin, int bleed)
{
    const int d = disc.outerDiameter;
    const int inner = disc.innerDiameter;
    const int k = LabelGeometry::DiscRingOffset(disc);
    CRgn outer;
    outer.CreateEllipticRgn(origin.x - bleed, origin.y - bleed, origin.x + d + bleed, origin.y + d + bleed);
    if (inner > 2 * bleed) {
        CRgn hole;
        hole.CreateEllipticRgn(origin.x + k + bleed, origin.y + k + bleed, origin.x + k + inner - bleed,
                               origin.y + k + inner - bleed);
        outer.CombineRgn(outer, hole, RGN_DIFF);
    }
    return outer.Detach();
}
}  // namespace

// ---- the commands --------------------------------------------------------------

void CQuorbel6View::OnFilePrintCommand()
{
    PrintJobScope scope(*this);
    OnFilePrint();
}

void CQuorbel6View::OnFilePrintDirectCommand()
{
    PrintJobScope scope(*this);
    OnFilePrintDirect();
}

void CQuorbel6View::OnPrinterCalibration()
{
    Guarded(130, ErrorSink::Window(this), [&] {
        PrintJobScope scope(*this, true);
        m_bCalibrationMode = 1;
        OnFilePrint();
    });
}

void CQuorbel6View::PrintPaperTest(const PaperTestSheet& sheet)
{
    Guarded(571, ErrorSink::Window(this), [&] {
        PrintJobScope scope(*this);
        m_paperTest = std::make_unique<PaperTestSheet>(sheet);
        struct EndTest
        {
            std::unique_ptr<PaperTestSheet>& test;
            ~EndTest() { test.reset(); }
        } endTest{m_paperTest};
        OnFilePrint();
    });
}

// ---- pages and sheets ------------------------------------------------------------

CString CQuorbel6View::PrintedPage(int page, bool preview) const
{
    if (page == 2 && !preview && m_pAppSettings && m_pAppSettings->m_bPrintPage2AsPage3)
        page = 3;
    CString text;
    text.Format("%d", page);
    return text;
}

SIZE CQuorbel6View::SheetSizeOfPage(const CString& page) const
{
    auto paper = [&](int index) -> const CLabelDim* {
        return index >= 0 && index < static_cast<int>(m_labelTemplates.size())
                   ? m_labelTemplates[static_cast<size_t>(index)].get()
                   : nullptr;
    };
    if (page == "1") {
        if (const CLabelDim* disc = paper(m_nDiscTemplate))
            return SIZE{disc->m_nSheetWidth1, disc->m_nSheetHeight1};
    } else if (const CLabelDim* insert = paper(m_nJewelTemplate)) {
        return page == "2" ? SIZE{insert->m_nSheetWidth1, insert->m_nSheetHeight1}
                           : SIZE{insert->m_nSheetWidth2, insert->m_nSheetHeight2};
    }
    return SIZE{};
}

bool CQuorbel6View::IsSurfacePrinted(Surface surface, bool preview) const
{
    if (preview)
        return true;
    const CAppSettings* app = m_pAppSettings;
    if (!app)
        return false;
    switch (surface) {
    case Surface::FrontCover: return app->m_bPrintFront != 0;
    case Surface::BackCover: return app->m_bPrintBack != 0;
    case Surface::Disc1: return app->m_bPrintDisc1 != 0;
    case Surface::Disc2: return app->m_bPrintDisc2 != 0;
    default: return false;
    }
}

// ---- the framework's hooks ------------------------------------------------------

BOOL CQuorbel6View::OnPreparePrinting(CPrintInfo* info)
{
    return Guarded(135, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        if (!info)
            return FALSE;
        if (m_bNoPrinter) {
            CAppMessageDlg::Show("The are no printers attached to your system.", CAppMessageDlg::kIconExclamation,
                                 "OK`");
            return FALSE;
        }
        if (m_paperTest) {
            // One sheet on the printer the user chooses, in the window that asked for it.
            info->SetMinPage(1);
            info->SetMaxPage(1);
            info->m_pPD->m_pd.Flags |= PD_NOPAGENUMS | PD_NOSELECTION;
            info->m_pPD->m_pd.hwndOwner = ::GetActiveWindow();
            return DoPreparePrinting(info);
        }
        CAppSettings& app = AppSettings();
        app.m_bPrintPage2AsPage3 = 0;

        info->m_pPD = m_printDialogFactory ? m_printDialogFactory(*this) : std::make_unique<ViewPrintDialog>(*this);
        if (!info->m_pPD)
            return FALSE;
        info->SetMinPage(1);
        info->SetMaxPage(3);
        PRINTDLGA& request = info->m_pPD->m_pd;
        if (info->m_bPreview) {
            request.Flags &= ~PD_PAGENUMS;
        } else if (info->m_bDirect) {
            // Without the dialog the parts chosen give the pages.
            const CLabelDim* cover = m_nJewelTemplate >= 0 && m_nJewelTemplate < static_cast<int>(m_labelTemplates.size())
                                         ? m_labelTemplates[static_cast<size_t>(m_nJewelTemplate)].get()
                                         : nullptr;
            PrintParts parts;
            parts.front = app.m_bPrintFront != 0;
            parts.back = app.m_bPrintBack != 0;
            parts.disc1 = app.m_bPrintDisc1 != 0;
            parts.disc2 = app.m_bPrintDisc2 != 0;
            parts.doubleLayout = Model().Shown().layout == "Double";
            parts.backCoverPage = cover ? cover->m_nPage2 : 3;
            const PrintPageRange range = ComputePrintPageRange(parts);
            if (range.from == 0)
                return FALSE;
            request.Flags |= PD_PAGENUMS;
            request.nFromPage = static_cast<WORD>(range.from);
            request.nToPage = static_cast<WORD>(range.to);
            app.m_bPrintPage2AsPage3 = range.page2AsPage3 ? 1 : 0;
        }
        return DoPreparePrinting(info);
    });
}

void CQuorbel6View::OnBeginPrinting(CDC* dc, CPrintInfo*)
{
    m_printRenderer = std::make_unique<CLabelRenderer>(Model(), this);
    m_printRenderer->Options().objectGuides = false;
    m_printRenderer->Options().discGuides = false;
    const int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSX) : 0;
    m_printRenderer->SetScale(dpi > 0 ? dpi : 300, 10);
}

void CQuorbel6View::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_printRenderer.reset();
}

void CQuorbel6View::OnEndPrintPreview()
{
    Guarded(133, ErrorSink::Window(this), [&] {
        m_printRenderer.reset();
        if (!m_bGeometryReady)
            return;
        if (const HWND frame = ::GetAncestor(m_hWnd, GA_ROOT))
            ::DrawMenuBar(frame);
        ScrollToCurrentPart(false);
        ShowSurface("");
    });
}

void CQuorbel6View::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info || !dc->IsPrinting()) {
        CScrollView::OnPrepareDC(dc, info);
        return;
    }
    const bool prepared = Guarded(81, ErrorSink::Window(this), false, [&] {
        const SIZE sheet = m_paperTest ? m_paperTest->Sheet()
                                       : SheetSizeOfPage(PrintedPage(static_cast<int>(info->m_nCurPage), info->m_bPreview));
        // The preview's sheet is the printer's paper too.
        if (!info->m_pPD)
            return true;
        DEVMODEA* mode = info->m_pPD->LockDevMode();
        if (!mode)
            return true;
        mode->dmOrientation = sheet.cy < sheet.cx ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        mode->dmPaperSize = sheet.cx == 11000 || sheet.cy == 11000 ? DMPAPER_LETTER : DMPAPER_A4;
        mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
        const HDC reset = ::ResetDCA(dc->m_hDC, mode);
        info->m_pPD->UnlockDevMode();
        return reset != nullptr;
    });
    if (!prepared)
        info->m_bContinuePrinting = false;
    CScrollView::OnPrepareDC(dc, info);
}

POINT CQuorbel6View::SheetCorner(const CDC& dc, SIZE sheet, int dpi, bool preview) const
{
    // Where the sheet's corner lies on the device, with the calibration offset.
    const bool landscape = sheet.cx >= sheet.cy && sheet.cx > 0;
    POINT shift{};
    if (!preview) {
        shift = landscape ? POINT{kCalibrationStep * m_nPrintOffsetY, -kCalibrationStep * m_nPrintOffsetX}
                          : POINT{kCalibrationStep * m_nPrintOffsetX, kCalibrationStep * m_nPrintOffsetY};
    }
    return POINT{ThousandthsToDevice(shift.x, dpi) - dc.GetDeviceCaps(PHYSICALOFFSETX),
                 ThousandthsToDevice(shift.y, dpi) - dc.GetDeviceCaps(PHYSICALOFFSETY)};
}

void CQuorbel6View::OnPrint(CDC* dc, CPrintInfo* info)
{
    const bool printed = Guarded(83, ErrorSink::Window(this), false, [&] {
        if (!dc || !info)
            return false;
        const bool preview = info->m_bPreview;
        const CString page = PrintedPage(static_cast<int>(info->m_nCurPage), preview);
        if (m_bCalibrationMode) {
            PrintCalibrationPage(dc, info, static_cast<int>(info->m_nCurPage));
            return true;
        }
        if (m_paperTest) {
            const SIZE dpi{dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY)};
            m_paperTest->Draw(dc->m_hDC, SheetCorner(*dc, m_paperTest->Sheet(), dpi.cx, preview), dpi);
            return true;
        }
        if (!m_printRenderer)
            OnBeginPrinting(dc, info);
        CLabelRenderer& renderer = *m_printRenderer;
        CLabelModel& model = Model();
        renderer.SetModel(model);
        renderer.UpdateGeometry();
        renderer.SetLayoutFitPending(false);
        const int dpi = renderer.Dpi();
        const HDC hdc = dc->m_hDC;

        const POINT corner = SheetCorner(*dc, SheetSizeOfPage(page), dpi, preview);

        ShownPageScope shownPage(model, page);
        const SurfacePlacement& placement = model.Placement();
        const bool doubleLayout = model.Shown().layout == "Double";
        std::vector<PrintedSurface> surfaces;
        for (const Surface surface : {Surface::BackCover, Surface::FrontCover, Surface::Disc1, Surface::Disc2}) {
            if (placement.PageOf(surface) != page || !IsSurfacePrinted(surface, preview))
                continue;
            // A single layout's second disc is only a place for the first one.
            if (surface == Surface::Disc2 && !doubleLayout)
                continue;
            surfaces.push_back(PrintedSurface{surface, surface});
        }
        if (!preview && m_nDuplicateDisc == 1 && !doubleLayout && placement.PageOf(Surface::Disc1) == page &&
            placement.PageOf(Surface::Disc2) == page && IsSurfacePrinted(Surface::Disc1, false))
            surfaces.push_back(PrintedSurface{Surface::Disc1, Surface::Disc2});

        const ScreenGeometry& geometry = renderer.Geometry();
        auto originOf = [&](const PrintedSurface& item) {
            const POINT at = SurfaceOrigin(geometry, item.place);
            return POINT{corner.x + at.x, corner.y + at.y};
        };
        auto discOf = [&](Surface surface) -> const ScreenDisc& {
            return surface == Surface::Disc1 ? geometry.disc1 : geometry.disc2;
        };
        auto clipToRing = [&](const PrintedSurface& item) {
            if (!IsDisc(item.source))
                return;
            CRgn ring;
            ring.Attach(MakePrintRing(discOf(item.source), originOf(item), renderer.ScaleLength(kRingBleed)));
            ::SelectClipRgn(hdc, ring);
        };

        ::SetStretchBltMode(hdc, HALFTONE);
        // Colours and pictures of every surface first, then the texts, so the
        // page's text layout runs together as on screen.
        for (const PrintedSurface& item : surfaces) {
            CSaveDCGuard saved(hdc);
            const POINT origin = originOf(item);
            ::SetViewportOrgEx(hdc, origin.x, origin.y, nullptr);
            clipToRing(item);
            if (IsDisc(item.source)) {
                const CString colorText = model.GetPropertyValue(SurfaceName(item.source), "Color");
                COLORREF color = 0;
                if (!colorText.IsEmpty() && !IsWhite(colorText) && ReadColor(colorText, color)) {
                    const int grow = renderer.ScaleLength(kColorBleed);
                    const int d = discOf(item.source).outerDiameter;
                    CBrush brush;
                    brush.CreateSolidBrush(color);
                    const RECT square{-grow, -grow, d + grow, d + grow};
                    ::FillRect(hdc, &square, brush);
                }
            }
            renderer.DrawSurfaceGround(hdc, item.source, CLabelRenderer::DrawMode::Plain);
        }
        for (const PrintedSurface& item : surfaces) {
            CSaveDCGuard saved(hdc);
            const POINT origin = originOf(item);
            ::SetViewportOrgEx(hdc, origin.x, origin.y, nullptr);
            clipToRing(item);
            renderer.DrawSurfaceTexts(hdc, item.source);
        }

        // The borders the user asked for, one device pixel wide.
        const SurfaceGeometry& sheetGeometry = model.Geometry();
        const DeviceOutlines outlines(hdc, corner, SIZE{dpi, dpi});
        CPen pen;
        pen.CreatePen(PS_SOLID, 0, kBorderColor);
        CSaveDCGuard saved(hdc);
        ::SetMapMode(hdc, MM_TEXT);
        ::SetViewportOrgEx(hdc, 0, 0, nullptr);
        ::SetWindowOrgEx(hdc, 0, 0, nullptr);
        CSelectGuard penGuard(hdc, pen);
        CSelectGuard brushGuard(hdc, ::GetStockObject(NULL_BRUSH));
        for (const PrintedSurface& item : surfaces) {
            const BYTE border = item.source == Surface::BackCover    ? placement.backCoverBorder
                                : item.source == Surface::FrontCover ? placement.frontCoverBorder
                                : item.source == Surface::Disc1      ? placement.disc1Border
                                                                     : placement.disc2Border;
            if (!border)
                continue;
            switch (item.source) {
            case Surface::BackCover: {
                const BackCoverGeometry& back = sheetGeometry.back;
                const double right = back.left + back.width, bottom = back.top + back.height;
                outlines.Box(back.left, back.top, right, bottom);
                outlines.Box(back.left + back.tab, back.top, right - back.tab, bottom);
                break;
            }
            case Surface::FrontCover: {
                const FrontCoverGeometry& front = sheetGeometry.front;
                outlines.Box(front.left, front.top, front.left + front.width, front.top + front.height);
                if (placement.folded)
                    outlines.Vertical(front.left + front.width / 2.0, front.top, front.top + front.height);
                break;
            }
            default: {
                // The design's disc at the place it is printed.
                const DiscGeometry& design = item.source == Surface::Disc1 ? sheetGeometry.disc1 : sheetGeometry.disc2;
                const DiscGeometry& place = item.place == Surface::Disc1 ? sheetGeometry.disc1 : sheetGeometry.disc2;
                const double d = design.outerDiameter, hole = design.innerDiameter;
                const double centreX = place.left + d / 2, centreY = place.top + d / 2;
                outlines.Circle(place.left, place.top, place.left + d, place.top + d);
                outlines.Circle(centreX - hole / 2, centreY - hole / 2, centreX + hole / 2, centreY + hole / 2);
                break;
            }
            }
        }
        return true;
    });
    if (!printed && info)
        info->m_bContinuePrinting = false;
}
