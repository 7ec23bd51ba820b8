// print_bench: how long printing the whole page set of a finished label takes,
// from the print command to the finished PDF on disk, through the program's own
// print path (Print direct, to the default printer, no dialog).
//
//   print_bench --queue FOLDER [--runs N] [--picture SIZE] [--layout Single|Double]
//       FOLDER is the private print queue's folder as Wine names it (its default
//       queue writes every job to FOLDER\out\print.pdf); N timed runs after one
//       warm-up (default 5); a SIZE x SIZE background photo on every surface
//       (default 3000); the layout (default Single). Every part is printed:
//       front and back cover, disc 1 (and disc 2 of a double layout).
//       Prints each run and one "RESULT print NAME VALUE" line per figure for
//       scripts/print-bench.sh.
#include "BenchLabel.h"
#include "BenchPicture.h"
#include "BenchTiming.h"
#include "ScratchSettings.h"

#include "document/AppSettings.h"
#include "framework/ErrorReport.h"
#include "framework/PrintInfo.h"
#include "framework/Wnd.h"
#include "imaging/xImage.h"
#include "view/Quorbel6View.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kJobTimeoutMs = 120000;
constexpr DWORD kPollMs = 20;

struct Options
{
    std::string queue;
    int runs = 5;
    int picture = 3000;
    std::string layout = "Single";
};

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// A PDF is finished once it starts as one and its last bytes carry the end
// marker.
bool IsCompletePdf(const std::string& content)
{
    if (content.rfind("%PDF-", 0) != 0)
        return false;
    const size_t tail = content.size() > 64 ? content.size() - 64 : 0;
    return content.find("%%EOF", tail) != std::string::npos;
}

// The file's size, or -1 while there is none.
long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int CountPages(const std::string& pdf)
{
    int pages = 0;
    for (size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 5)) {
        size_t name = at + 5;
        while (name < pdf.size() && (pdf[name] == ' ' || pdf[name] == '\r' || pdf[name] == '\n'))
            ++name;
        if (pdf.compare(name, 5, "/Page") == 0 && (name + 5 >= pdf.size() || pdf[name + 5] != 's'))
            ++pages;
    }
    return pages;
}

struct Job
{
    bool printed = false;
    double commandMs = 0;  // the print command alone: the pages handed to the spooler
    double totalMs = 0;    // to the finished PDF on disk
    std::string pdf;
};

// The queue writes the file in pieces: it is finished when its size has held
// still for two polls and it reads as a whole PDF. Only the size is polled, so
// that reading a large file over and over does not slow the job it waits for;
// the time of the last poll that saw the size change is when it was finished.
Job PrintOnce(CQuorbel6View& view, const std::string& output)
{
    Job job;
    ::DeleteFileA(output.c_str());
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    view.OnFilePrintDirectCommand();
    job.commandMs = elapsed();
    if (view.LastPrintResult() != PrintJobResult::Printed)
        return job;
    long long lastSize = -1;
    double changedAt = 0;
    int stable = 0;
    while (elapsed() < kJobTimeoutMs) {
        const long long size = FileSize(output);
        const double now = elapsed();
        if (size != lastSize) {
            changedAt = now;
            stable = 0;
        } else if (size > 0 && ++stable >= 2) {
            std::string content = ReadFile(output);
            if (IsCompletePdf(content) && static_cast<long long>(content.size()) == FileSize(output)) {
                job.printed = true;
                job.totalMs = changedAt;
                job.pdf = std::move(content);
                return job;
            }
            stable = 0;
        }
        lastSize = size;
        ::Sleep(kPollMs);
    }
    return job;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--queue") == 0 && hasValue) {
            options.queue = argv[++i];
        } else if (std::strcmp(argv[i], "--runs") == 0 && hasValue) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--picture") == 0 && hasValue) {
            options.picture = std::atoi(argv[++i]);
            if (options.picture < 1)
                return false;
        } else if (std::strcmp(argv[i], "--layout") == 0 && hasValue) {
            options.layout = argv[++i];
            if (options.layout != "Single" && options.layout != "Double")
                return false;
        } else {
            return false;
        }
    }
    if (options.queue.empty())
        return false;
    if (options.queue.back() != '\\')
        options.queue += '\\';
    return true;
}

double PeakMemoryMb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: print_bench --queue FOLDER [--runs N] [--picture SIZE] [--layout Single|Double]\n");
        return 2;
    }
    const std::string output = options.queue + "out\\print.pdf";
    ScratchSettings scratch("PrintBench");
    std::vector<int> errors;
    ScopedErrorReportHook hook([&](const ErrorReport& report) { errors.push_back(report.number); });

    auto picture = std::make_unique<CxImage>();
    if (!MakePhotoLikePicture(*picture, options.picture, options.picture)) {
        std::printf("cannot make a %d x %d picture\n", options.picture, options.picture);
        return 1;
    }

    CAppSettings settings;
    settings.m_bPrintFront = 1;
    settings.m_bPrintBack = 1;
    settings.m_bPrintDisc1 = 1;
    settings.m_bPrintDisc2 = options.layout == "Double";

    CWnd host;
    if (!host.CreateEx(0, nullptr, "print_bench", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 800, nullptr, nullptr)) {
        std::printf("no host window\n");
        return 1;
    }
    CQuorbel6View view;
    view.m_bAutoDelete = false;
    view.AttachAppSettings(&settings);
    view.LoadLabelTemplates();
    view.m_bLabelPaperChosen = 1;
    BuildBenchLabel(view.Model(), options.layout.c_str(), std::move(picture));
    if (!view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 960, 740}, &host, 1)) {
        std::printf("no view window\n");
        return 1;
    }
    view.OnInitialUpdate();
    view.m_bDrawingEnabled = 1;
    view.GetDefaultPrinter();

    std::printf("%s layout, %d tracks per disc, %d x %d background photo on every surface;\n"
                "every part printed direct to the default printer, timed to the finished PDF;\n"
                "%d runs after a warm-up\n\n",
                options.layout.c_str(), kBenchTracks, options.picture, options.picture, options.runs);
    std::printf("  %-6s %14s %14s %8s %10s\n", "run", "command ms", "to PDF ms", "pages", "PDF bytes");

    std::vector<double> commandTimes;
    std::vector<double> totalTimes;
    int pages = 0;
    size_t bytes = 0;
    for (int run = 0; run <= options.runs; ++run) {  // run 0 warms up
        const Job job = PrintOnce(view, output);
        if (!job.printed) {
            std::printf("  !! run %d: no finished PDF (print result %d)\n", run,
                        static_cast<int>(view.LastPrintResult()));
            view.DestroyWindow();
            return 1;
        }
        pages = CountPages(job.pdf);
        bytes = job.pdf.size();
        std::printf("  %-6s %14.1f %14.1f %8d %10zu\n", run == 0 ? "warm" : std::to_string(run).c_str(), job.commandMs,
                    job.totalMs, pages, bytes);
        if (run == 0)
            continue;
        commandTimes.push_back(job.commandMs);
        totalTimes.push_back(job.totalMs);
    }
    view.DestroyWindow();

    const Timing command = Summarise(commandTimes);
    const Timing total = Summarise(totalTimes);
    std::printf("\n  median: command %.1f ms, to the finished PDF %.1f ms (fastest %.1f ms); %d pages\n",
                command.median, total.median, total.min, pages);
    std::printf("  peak working set of the program: %.1f MB\n", PeakMemoryMb());
    std::printf("RESULT print command_ms %.1f\n", command.median);
    std::printf("RESULT print total_ms %.1f\n", total.median);
    std::printf("RESULT print pages %d\n", pages);
    std::printf("RESULT print pdf_bytes %zu\n", bytes);
    std::printf("RESULT print peak_mb %.1f\n", PeakMemoryMb());
    if (!errors.empty()) {
        std::printf("\n!! %zu error reports:", errors.size());
        for (const int number : errors)
            std::printf(" %d", number);
        std::printf("\n");
    }
    std::fflush(stdout);
    return errors.empty() ? 0 : 1;
}
