// view_bench: how fast the label view redraws its surfaces, lays its texts out,
// changes the zoom and paints, on a new single and a new double layout filled
// with an album (20 tracks per disc) and a large background photo.
//
//   view_bench [--runs N] [--picture SIZE] [--client WIDTHxHEIGHT]
//       N timed runs per measurement after one warm-up (default 9); a SIZE x SIZE
//       background picture (default 3000); the view's window size (default
//       1200x800). Prints a table of medians and minimums in milliseconds, the
//       two goal ratios, and one "RESULT view NAME MEDIAN_MS" line per
//       measurement for scripts/bench.sh.
//
// Measurements, on each surface of each layout:
//   redraw, filled caches  DrawSurface(clear) then DrawSurface(full), every
//                          layout cache already filled;
//   redraw, empty caches   the same after emptying every layout cache, so that
//                          every text and track list of the page is laid out;
//   ... every text cache cold  the same after also forgetting the measurements
//                          and fonts the text drawing keeps between redraws:
//                          the label's very first redraw;
//   ... no picture         both again with the picture taken out of its slot,
//                          to show what the texts alone cost;
//   zoom out, zoom in      the zoom commands, each timed on its own;
// and on the front cover, with 50 text objects more on it and with no object
// on it at all: the redraw, the paint routine alone (OnDraw into a window-sized
// memory bitmap) and the whole WM_PAINT (RedrawWindow); and the paint routine
// with the grid shown at its smallest spacing against the same without it;
// and on disc 1 and the front cover at the largest zoom, a text dragged over
// the background photo: one step of the drag (a mouse move with the button
// held and what it draws) against a frame at 60 Hz, and the drop (the release
// and the redraw it causes).
#include "BenchLabel.h"
#include "BenchPicture.h"
#include "BenchTiming.h"
#include "ScratchSettings.h"

#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"
#include "imaging/xImage.h"
#include "view/Quorbel6View.h"
#include "view/ViewGeometry.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kLayoutGoal = 5.0;  // an empty-cache redraw at least this many times a filled one
constexpr double kPaintGoal = 1.1;   // painting 50 objects at most this many times painting none
constexpr int kExtraObjects = 50;
constexpr int kPaintBatch = 200;     // paints per timed run: one alone is close to the timer's grain
constexpr int kPaintRoundsPerRun = 4;  // paint runs per --runs
constexpr int kGridBatch = 20;         // paints per timed run with and without the grid
constexpr double kDragStepGoalMs = 16.0;  // one frame at 60 Hz
constexpr int kDragSteps = 30;            // mouse moves per timed drag

struct Options
{
    int runs = 9;
    int picture = 3000;
    SIZE client{1200, 800};
};

struct SurfaceCommand
{
    const char* name;
    void (CQuorbel6View::*show)();
};

const SurfaceCommand kSurfaces[] = {
    {"Front Cover", &CQuorbel6View::OnViewFrontCover},
    {"Back Cover", &CQuorbel6View::OnViewBackCover},
    {"Disc 1", &CQuorbel6View::OnViewDiscLabel},
    {"Disc 2", &CQuorbel6View::OnViewDisc2},
};

// "Front Cover" -> "front_cover".
std::string Key(const std::string& text)
{
    std::string key;
    for (const char ch : text) {
        if (std::isalnum(static_cast<unsigned char>(ch)))
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        else if (!key.empty() && key.back() != '_')
            key += '_';
    }
    while (!key.empty() && key.back() == '_')
        key.pop_back();
    return key;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void PrintRow(const std::string& layout, const std::string& label, const Timing& timing, const std::string& note = "")
{
    std::printf("  %-52s %10.2f %10.2f%s%s\n", label.c_str(), timing.median, timing.min, note.empty() ? "" : "  ",
                note.c_str());
    std::printf("RESULT view %s_%s %.3f\n", Key(layout).c_str(), Key(label).c_str(), timing.median);
}

struct LayoutRatio
{
    std::string where;
    double ratio;
};

struct PaintRatio
{
    std::string layout;
    double ratio;
};

struct DragFigure
{
    std::string where;
    double stepMs;
};

struct Results
{
    std::vector<DragFigure> drag;
    std::vector<LayoutRatio> layout;
    std::vector<LayoutRatio> layoutWithoutPicture;
    std::vector<LayoutRatio> layoutCold;
    std::vector<PaintRatio> paint;
    int failures = 0;
};

// A window-sized 32-bit memory bitmap the paint routine draws into.
class PaintTarget
{
public:
    explicit PaintTarget(SIZE size) : m_size(size), m_dc(nullptr)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = -size.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<DWORD*>(bits);
        if (m_bits)
            m_selected = std::make_unique<CSelectGuard>(m_dc, m_bitmap);
    }
    ~PaintTarget() { m_selected.reset(); }

    bool IsValid() const { return m_bits != nullptr; }
    CDC& DC() { return m_dc; }

    // Fills the bitmap with a colour the view never paints.
    void Mark()
    {
        ::GdiFlush();
        std::fill(m_bits, m_bits + static_cast<size_t>(m_size.cx) * m_size.cy, 0x00FF00FFu);
    }
    // The pixels painted since the mark.
    long Painted() const
    {
        ::GdiFlush();
        long painted = 0;
        for (size_t i = 0; i < static_cast<size_t>(m_size.cx) * m_size.cy; ++i)
            painted += (m_bits[i] & 0xFFFFFFu) != 0x00FF00FFu;
        return painted;
    }

private:
    SIZE m_size;
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    DWORD* m_bits = nullptr;
    std::unique_ptr<CSelectGuard> m_selected;
};

// The two zoom commands from the fitted zoom and back, each timed on its own;
// zooming in first when the fitted zoom is already the smallest.
void MeasureZoom(CQuorbel6View& view, const std::string& layout, const std::string& surface, int runs, Results& results)
{
    const int fitted = view.Model().Shown().zoom;
    const bool outFirst = fitted > ViewGeometry::kMinZoom;
    std::vector<double> outTimes;
    std::vector<double> inTimes;
    bool changed = true;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms up
        for (int step = 0; step < 2; ++step) {
            const bool zoomOut = (step == 0) == outFirst;
            const double ms = TimeMs([&] {
                if (zoomOut)
                    view.OnZoomOut();
                else
                    view.OnZoomIn();
            });
            if (step == 0)
                changed = changed && view.Model().Shown().zoom != fitted;
            if (run > 0)
                (zoomOut ? outTimes : inTimes).push_back(ms);
        }
        changed = changed && view.Model().Shown().zoom == fitted;
    }
    char note[64];
    std::snprintf(note, sizeof note, "zoom %d <-> %d", fitted, fitted + (outFirst ? -1 : 1) * ViewGeometry::kZoomStep);
    PrintRow(layout, surface + " zoom out", Summarise(outTimes), note);
    PrintRow(layout, surface + " zoom in", Summarise(inTimes), note);
    if (!changed) {
        std::printf("  !! the zoom did not change and come back (now %d, fitted %d)\n", view.Model().Shown().zoom, fitted);
        ++results.failures;
    }
}

void MeasureSurface(CQuorbel6View& view, const std::string& layout, const SurfaceCommand& command, int runs,
                    Results& results)
{
    (view.*command.show)();
    PumpMessages();
    const std::string surface = command.name;
    if (view.Model().Shown().surface != command.name) {
        std::printf("  !! the view did not switch to %s\n", command.name);
        ++results.failures;
        return;
    }
    const auto redraw = [&] {
        view.DrawSurface(CQuorbel6View::kDrawClear);
        view.DrawSurface(CQuorbel6View::kDrawFull);
    };

    // A filled-cache redraw and an empty-cache one take turns run by run (the
    // empty one fills the caches again), and the ratio is the median of the
    // runs' own ratios, so that a drift of the machine falls on both alike.
    struct Pair
    {
        Timing filled, empty;
        double ratio = 0;
    };
    const auto measurePair = [&](const auto& emptyCaches) {
        std::vector<double> filled, empty, ratios;
        for (int run = 0; run <= runs; ++run) {  // run 0 warms up
            const double filledMs = TimeMs(redraw);
            emptyCaches();
            const double emptyMs = TimeMs(redraw);
            if (run == 0)
                continue;
            filled.push_back(filledMs);
            empty.push_back(emptyMs);
            if (filledMs > 0)
                ratios.push_back(emptyMs / filledMs);
        }
        return Pair{Summarise(filled), Summarise(empty), Summarise(ratios).median};
    };

    const Pair withPicture = measurePair([&] { EmptyLayoutCaches(view.Model()); });
    const LayoutCount afterFilled = CountLayouts(view.Model());
    char note[96];
    std::snprintf(note, sizeof note, "%d of %d texts laid out, zoom %d", afterFilled.laidOut, afterFilled.objects,
                  view.Model().Shown().zoom);
    PrintRow(layout, surface + " redraw, filled caches", withPicture.filled, note);
    std::snprintf(note, sizeof note, "x%.2f of the filled redraw", withPicture.ratio);
    PrintRow(layout, surface + " redraw, empty caches", withPicture.empty, note);
    results.layout.push_back({layout + " " + surface, withPicture.ratio});
    if (afterFilled.laidOut != afterFilled.objects) {
        std::printf("  !! some texts keep no layout: every 'filled' redraw lays them out again\n");
        ++results.failures;
    }

    // The label's first redraw: nothing about its texts is known yet.
    const Pair cold = measurePair([&] { EmptyEveryTextCache(view.Model(), view.Renderer()); });
    std::snprintf(note, sizeof note, "x%.2f of the filled redraw", cold.ratio);
    PrintRow(layout, surface + " redraw, every text cache cold", cold.empty, note);
    results.layoutCold.push_back({layout + " " + surface, cold.ratio});

    // The same without the background picture: what the texts alone cost.
    std::unique_ptr<CxImage> picture = std::make_unique<CxImage>();
    picture = view.Model().ReplaceImage(0, std::move(picture));
    const Pair textOnly = measurePair([&] { EmptyLayoutCaches(view.Model()); });
    picture = view.Model().ReplaceImage(0, std::move(picture));
    PrintRow(layout, surface + " redraw, filled caches, no picture", textOnly.filled);
    std::snprintf(note, sizeof note, "x%.2f of the filled redraw", textOnly.ratio);
    PrintRow(layout, surface + " redraw, empty caches, no picture", textOnly.empty, note);
    results.layoutWithoutPicture.push_back({layout + " " + surface, textOnly.ratio});

    MeasureZoom(view, layout, surface, runs, results);
}

// The mouse at a client point of the view, as Windows tells a window of it
// before a press: the view picks its drag mode there.
void PointAt(CQuorbel6View& view, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(view.m_hWnd, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageA(view.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(view.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

LPARAM PointParam(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

// A text or track list of the surface shown whose box lies partly in the
// view's client area once selected; its visible part's centre in `press`.
CString SelectVisibleText(CQuorbel6View& view, const char* surface, POINT& press)
{
    const CLabelModel& model = view.Model();
    std::vector<CString> names;
    for (int first = 0; first < model.RowCount(); first = model.NextObjectRow(first)) {
        const PropertyEntry& head = model.Row(first);
        if (head.m_strKey == "Item Type" && (head.m_strValue == "Text" || head.m_strValue == "Track") &&
            model.GetPropertyValue(head.m_strObjectName, "View") == surface)
            names.push_back(head.m_strObjectName);
    }
    RECT client{};
    ::GetClientRect(view.m_hWnd, &client);
    for (const CString& name : names) {
        view.SelectObject(name);
        PumpMessages();
        RECT visible{};
        if (view.SelectedObjectName() == name && ::IntersectRect(&visible, &view.m_rcSelection, &client) &&
            visible.right - visible.left > 8 && visible.bottom - visible.top > 8) {
            press = POINT{(visible.left + visible.right) / 2, (visible.top + visible.bottom) / 2};
            return name;
        }
    }
    return CString();
}

// At the largest zoom of a surface: a text pressed, dragged in small steps and
// dropped, each move timed with what it draws, then the drop with its redraw;
// the move is undone after every run.
void MeasureDrag(CQuorbel6View& view, const std::string& layout, const SurfaceCommand& command, int runs,
                 Results& results)
{
    (view.*command.show)();
    PumpMessages();
    const int fitted = view.Model().Shown().zoom;
    for (int zoom = -1; zoom != view.Model().Shown().zoom;) {
        zoom = view.Model().Shown().zoom;
        view.OnZoomIn();
        PumpMessages();
    }
    const int largest = view.Model().Shown().zoom;
    const std::string where = std::string(command.name) + " at zoom " + std::to_string(largest);

    POINT press{};
    const CString name = SelectVisibleText(view, command.name, press);
    if (name.IsEmpty()) {
        std::printf("  !! no text of %s shows at the largest zoom\n", command.name);
        ++results.failures;
        return;
    }
    std::vector<double> steps;
    std::vector<double> drops;
    int moved = 0;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms up
        view.SelectObject(name);
        PumpMessages();
        PointAt(view, press);
        ::SendMessageA(view.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(press));
        PumpMessages();
        if (!view.m_bMouseDown || view.SelectedObjectName() != name) {
            std::printf("  !! the press on %s did not start a drag\n", name.c_str());
            ++results.failures;
            ::SendMessageA(view.m_hWnd, WM_LBUTTONUP, 0, PointParam(press));
            return;
        }
        const CString leftBefore = view.Model().GetPropertyValue(name, "Left");
        const CString topBefore = view.Model().GetPropertyValue(name, "Top");
        POINT at = press;
        for (int step = 1; step <= kDragSteps; ++step) {
            at = POINT{press.x + 3 * step, press.y + 2 * step};
            const double ms = TimeMs([&] {
                ::SendMessageA(view.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, PointParam(at));
                PumpMessages();
            });
            if (run > 0)
                steps.push_back(ms);
        }
        const double dropMs = TimeMs([&] {
            ::SendMessageA(view.m_hWnd, WM_LBUTTONUP, 0, PointParam(at));
            PumpMessages();
        });
        const CString left = view.Model().GetPropertyValue(name, "Left");
        const CString top = view.Model().GetPropertyValue(name, "Top");
        if (left != leftBefore || top != topBefore)
            ++moved;
        view.OnEditUndo();
        PumpMessages();
        if (run > 0)
            drops.push_back(dropMs);
    }
    const Timing step = Summarise(steps);
    char note[96];
    std::snprintf(note, sizeof note, "%s; x%.2f of a frame at 60 Hz", name.c_str(), step.median / kDragStepGoalMs);
    PrintRow(layout, where + " drag step", step, note);
    PrintRow(layout, where + " drop and redraw", Summarise(drops));
    results.drag.push_back({layout + " " + where, step.median});
    if (moved == 0) {
        std::printf("  !! the drag moved nothing\n");
        ++results.failures;
    }

    while (view.Model().Shown().zoom > fitted) {
        const int zoom = view.Model().Shown().zoom;
        view.OnZoomOut();
        PumpMessages();
        if (view.Model().Shown().zoom == zoom)
            break;
    }
}

// The paint routine alone, and the whole paint message, on the front cover:
// with 50 text objects more and with no object on it. The two states take
// turns run by run, so that a drift of the machine falls on both alike.
void MeasurePaint(CQuorbel6View& view, const std::string& layout, const Options& options, Results& results)
{
    PaintTarget target(options.client);
    if (!target.IsValid()) {
        std::printf("  !! no paint bitmap\n");
        ++results.failures;
        return;
    }
    view.OnViewFrontCover();
    PumpMessages();
    AddFrontCoverTexts(view.Model(), kExtraObjects);
    PropertyRows withObjects = view.Model().Rows();
    RemoveObjectsOfSurface(view.Model(), "Front Cover");
    PropertyRows withoutObjects = view.Model().Rows();

    struct State
    {
        const char* name;
        PropertyRows* rows;  // swapped into the view for its turn, caches and all
        std::vector<double> redraw, alone, window;
        long painted = 0;
        LayoutCount texts{};
    };
    State states[] = {{"50 objects more", &withObjects, {}, {}, {}}, {"no objects", &withoutObjects, {}, {}, {}}};
    const auto timeBatch = [](int count, auto&& work) {
        return TimeMs([&] {
                   for (int i = 0; i < count; ++i)
                       work();
               }) /
               count;
    };
    // More rounds than elsewhere: a paint is short, and the goal asks for a close ratio.
    const int rounds = kPaintRoundsPerRun * options.runs;
    for (int run = 0; run <= rounds; ++run) {  // run 0 warms up and lays the texts out
        for (State& state : states) {
            view.Model().SwapRows(*state.rows);
            const double redraw = timeBatch(1, [&] {
                view.DrawSurface(CQuorbel6View::kDrawClear);
                view.DrawSurface(CQuorbel6View::kDrawFull);
            });
            if (run == 0) {
                state.texts = CountLayouts(view.Model());
                target.Mark();
                view.OnPrepareDC(&target.DC());
                view.OnDraw(&target.DC());
                state.painted = target.Painted();
            }
            const double alone = timeBatch(kPaintBatch, [&] {
                view.OnPrepareDC(&target.DC());
                view.OnDraw(&target.DC());
            });
            const double window =
                timeBatch(kPaintBatch, [&] { view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
            view.Model().SwapRows(*state.rows);
            if (run > 0) {
                state.redraw.push_back(redraw);
                state.alone.push_back(alone);
                state.window.push_back(window);
            }
        }
    }
    for (const State& state : states) {
        char note[96];
        std::snprintf(note, sizeof note, "%d of %d texts laid out, %ld pixels painted", state.texts.laidOut,
                      state.texts.objects, state.painted);
        PrintRow(layout, std::string("Front Cover redraw, filled caches, ") + state.name, Summarise(state.redraw));
        PrintRow(layout, std::string("paint OnDraw, ") + state.name, Summarise(state.alone), note);
        PrintRow(layout, std::string("paint window, ") + state.name, Summarise(state.window));
        if (state.painted == 0) {
            std::printf("  !! OnDraw painted nothing\n");
            ++results.failures;
        }
    }
    // The grid at its smallest spacing over the same page, against the same
    // paint without it: the points must not cost a drawing call each.
    view.m_nGridSpacingX = view.m_nGridSpacingY = kMinGridSpacing;
    std::vector<double> withGrid, withoutGrid, gridRatios;
    for (int run = 0; run <= options.runs; ++run) {  // run 0 warms up
        view.m_bShowGrid = 1;
        const double on = timeBatch(kGridBatch, [&] {
            view.OnPrepareDC(&target.DC());
            view.OnDraw(&target.DC());
        });
        view.m_bShowGrid = 0;
        const double off = timeBatch(kGridBatch, [&] {
            view.OnPrepareDC(&target.DC());
            view.OnDraw(&target.DC());
        });
        if (run > 0) {
            withGrid.push_back(on);
            withoutGrid.push_back(off);
            if (off > 0)
                gridRatios.push_back(on / off);
        }
    }
    char gridNote[64];
    std::snprintf(gridNote, sizeof gridNote, "x%.2f of the paint without it, zoom %d", Summarise(gridRatios).median,
                  view.Model().Shown().zoom);
    PrintRow(layout, "paint OnDraw, grid every 0.010 in", Summarise(withGrid), gridNote);
    PrintRow(layout, "paint OnDraw, no grid", Summarise(withoutGrid));

    // Each run's two batches ran back to back: their ratio is free of the
    // machine's slower drifts, and the median of those ratios is the result.
    std::vector<double> ratios;
    for (size_t run = 0; run < states[0].alone.size(); ++run)
        if (states[1].alone[run] > 0)
            ratios.push_back(states[0].alone[run] / states[1].alone[run]);
    results.paint.push_back({layout, Summarise(ratios).median});
}

void MeasureLayout(const std::string& layout, const Options& options, std::unique_ptr<CxImage> picture,
                   CAppSettings& settings, Results& results)
{
    std::printf("\n%s layout (built-in label papers, %d tracks per disc, %d x %d background on every surface)\n",
                layout.c_str(), kBenchTracks, options.picture, options.picture);
    std::printf("  %-52s %10s %10s\n", "", "median ms", "min ms");

    CWnd host;
    if (!host.CreateEx(0, nullptr, "view_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, options.client.cx + 40,
                       options.client.cy + 80, nullptr, nullptr)) {
        std::printf("  !! no host window\n");
        ++results.failures;
        return;
    }
    CQuorbel6View view;
    view.m_bAutoDelete = false;
    view.AttachAppSettings(&settings);
    view.LoadLabelTemplates();
    view.m_bLabelPaperChosen = 1;
    BuildBenchLabel(view.Model(), layout.c_str(), std::move(picture));
    if (!view.Create(nullptr, nullptr, WS_VISIBLE, RECT{0, 0, options.client.cx, options.client.cy}, &host, 1)) {
        std::printf("  !! no view window\n");
        ++results.failures;
        return;
    }
    view.OnInitialUpdate();
    view.m_bDrawingEnabled = 1;
    PumpMessages();

    for (const SurfaceCommand& command : kSurfaces)
        if (layout == "Double" || std::strcmp(command.name, "Disc 2") != 0)
            MeasureSurface(view, layout, command, options.runs, results);
    for (const SurfaceCommand& command : kSurfaces)
        if (std::strcmp(command.name, "Disc 1") == 0 || std::strcmp(command.name, "Front Cover") == 0)
            MeasureDrag(view, layout, command, options.runs, results);
    MeasurePaint(view, layout, options, results);
    view.DestroyWindow();
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--runs") == 0 && hasValue) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--picture") == 0 && hasValue) {
            options.picture = std::atoi(argv[++i]);
            if (options.picture < 1)
                return false;
        } else if (std::strcmp(argv[i], "--client") == 0 && hasValue) {
            int width = 0;
            int height = 0;
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width < 100 || height < 100)
                return false;
            options.client = SIZE{width, height};
        } else {
            return false;
        }
    }
    return true;
}

// Prints one line and one RESULT line per surface; true when every ratio
// reaches the layout goal.
bool ReportLayoutRatios(const char* title, const char* key, const std::vector<LayoutRatio>& entries)
{
    bool met = !entries.empty();
    for (const LayoutRatio& entry : entries) {
        met = met && entry.ratio >= kLayoutGoal;
        std::printf("  %s %-*s x%.2f\n", title, 52 - static_cast<int>(std::strlen(title)), entry.where.c_str(),
                    entry.ratio);
        std::printf("RESULT view-ratio %s%s %.3f\n", key, Key(entry.where).c_str(), entry.ratio);
    }
    return met;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: view_bench [--runs N] [--picture SIZE] [--client WIDTHxHEIGHT]\n");
        return 2;
    }
    ScratchSettings scratch("ViewBench");
    std::vector<int> errors;
    ScopedErrorReportHook hook([&](const ErrorReport& report) { errors.push_back(report.number); });

    CxImage picture;
    if (!MakePhotoLikePicture(picture, options.picture, options.picture)) {
        std::printf("cannot make a %d x %d picture\n", options.picture, options.picture);
        return 1;
    }
    std::printf("view window %ld x %ld; %d runs after a warm-up, medians and minimums in ms;\n"
                "paints: %d runs of %d paints each, per paint\n",
                options.client.cx, options.client.cy, options.runs, kPaintRoundsPerRun * options.runs, kPaintBatch);

    Results results;
    CAppSettings settings;
    for (const char* layout : {"Single", "Double"}) {
        auto copy = std::make_unique<CxImage>();
        if (!copy->CopyFrom(picture, true, true)) {
            std::printf("cannot copy the picture\n");
            return 1;
        }
        MeasureLayout(layout, options, std::move(copy), settings, results);
    }

    std::printf("\nGoals\n");
    const bool layoutMet = ReportLayoutRatios("empty / filled cache redraw,", "layout_", results.layout);
    std::printf("  filled caches at least %.0fx faster on every surface: %s\n", kLayoutGoal,
                layoutMet ? "goal met" : "goal missed");
    const bool coldMet = ReportLayoutRatios("every text cache cold / filled,", "layout_cold_", results.layoutCold);
    std::printf("  (a first redraw at least %.0fx a filled one on every surface: %s)\n", kLayoutGoal,
                coldMet ? "yes" : "no");
    const bool textMet =
        ReportLayoutRatios("the same without the picture,", "layout_no_picture_", results.layoutWithoutPicture);
    std::printf("  (without the picture, at least %.0fx on every surface: %s)\n", kLayoutGoal,
                textMet ? "yes" : "no");
    bool paintMet = !results.paint.empty();
    for (const PaintRatio& entry : results.paint) {
        paintMet = paintMet && entry.ratio <= kPaintGoal;
        std::printf("  paint (OnDraw) with %d objects / with none, %-9s x%.2f (median of the runs' ratios)\n",
                    kExtraObjects, entry.layout.c_str(), entry.ratio);
        std::printf("RESULT view-ratio paint_%s %.3f\n", Key(entry.layout).c_str(), entry.ratio);
    }
    std::printf("  paint within %.1fx with %d objects: %s\n", kPaintGoal, kExtraObjects,
                paintMet ? "goal met" : "goal missed");
    bool dragMet = !results.drag.empty();
    for (const DragFigure& entry : results.drag) {
        dragMet = dragMet && entry.stepMs <= kDragStepGoalMs;
        std::printf("  drag step, %-44s %6.2f ms of %.0f ms: x%.2f\n", entry.where.c_str(), entry.stepMs,
                    kDragStepGoalMs, entry.stepMs / kDragStepGoalMs);
        std::printf("RESULT view-drag %s %.3f\n", Key(entry.where).c_str(), entry.stepMs);
    }
    std::printf("  a drag step within a frame at 60 Hz (%.0f ms) at the largest zoom: %s\n", kDragStepGoalMs,
                dragMet ? "goal met" : "goal missed");
    std::printf("RESULT view-goal layout %s\n", layoutMet ? "met" : "missed");
    std::printf("RESULT view-goal drag %s\n", dragMet ? "met" : "missed");
    std::printf("RESULT view-goal paint %s\n", paintMet ? "met" : "missed");

    if (!errors.empty()) {
        std::printf("\n!! %zu error reports:", errors.size());
        for (const int number : errors)
            std::printf(" %d", number);
        std::printf("\n");
    }
    std::fflush(stdout);
    return errors.empty() && results.failures == 0 ? 0 : 1;
}
