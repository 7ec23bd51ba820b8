// thumbnail_bench: how fast the Images pane shows a folder of pictures.
//
//   thumbnail_bench FOLDER [VISIBLE]
//       fills a real Images pane from FOLDER and prints, as "RESULT" lines for
//       scripts/thumbnail-bench.sh, the milliseconds until the first VISIBLE
//       entries (default 8) show their thumbnails, the longest time one
//       message of the user-interface thread took meanwhile, and then the
//       milliseconds the two workers take to list and make every thumbnail.
#include "framework/FrameWnd.h"
#include "framework/Thread.h"
#include "framework/WinApp.h"
#include "imaging/ThumbnailList.h"
#include "imaging/ThumbnailWorkers.h"
#include "shell/ImageBar.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr char kAllPictures[] = "*.jpg;*.jpeg;*.png;*.bmp;*.wmf;*.ico;*.pcx;*.dib;*.emf";
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool Made(const CImageFillState& state, std::size_t count)
{
    if (state.list.Size() < count)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        CImageListEntry entry;
        if (!state.list.Get(i, entry) || (!entry.thumbnail && !entry.unreadable))
            return false;
    }
    return true;
}

class CBenchFrame : public CFrameWnd {
public:
    CBenchFrame() { m_bAutoDelete = false; }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: thumbnail_bench FOLDER [VISIBLE]\n");
        return 2;
    }
    const CString folder = argv[1];
    const std::size_t visible = argc > 2 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[2]))) : 8;

    // The pane as the program shows it, in a frame of its own.
    CWinApp app("ThumbnailBench");
    CBenchFrame frame;
    if (!frame.Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW, RECT{0, 0, 800, 900}, nullptr, nullptr, 0, nullptr))
        return 1;
    CImageBar bar;
    if (!bar.Create("Images", &frame, 1057, WS_CHILD | WS_VISIBLE | CBRS_TOP))
        return 1;
    const int columns = 2;
    const int rows = static_cast<int>((visible + columns - 1) / columns);
    ::SetWindowPos(bar.Panel().m_hWnd, nullptr, 0, CImageBar::kPanelTop, columns * CImagePanel::kCellWidth,
                   rows * CImagePanel::kCellHeight - 1, SWP_NOZORDER);

    const Clock::time_point start = Clock::now();
    bar.Panel().LoadImages(folder, kAllPictures, false);
    double longestMessage = 0;
    while (!Made(bar.Panel().State(), visible) || bar.Panel().State().fillerRunning.load()) {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            const Clock::time_point dispatched = Clock::now();
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            longestMessage = std::max(longestMessage, MsSince(dispatched));
        } else {
            ::Sleep(1);
        }
        if (MsSince(start) > 600000)
            break;
    }
    const double visibleMs = MsSince(start);
    const std::size_t entries = bar.Panel().State().list.Size();
    frame.DestroyWindow();

    // Every thumbnail of the folder: the two workers in turn, on this thread.
    auto state = std::make_shared<CImageFillState>();
    state->folder = folder;
    state->patterns = kAllPictures;
    const Clock::time_point allStart = Clock::now();
    state->feeding.store(true);
    state->fillerRunning.store(true);
    ImageListThreadProc(MakeWorkerParameter(state));
    state->first.store(0);
    state->last.store(static_cast<int>(state->list.Size()) - 1);
    state->makerRunning.store(true);
    ThumbnailThreadProc(MakeWorkerParameter(state));
    const double allMs = MsSince(allStart);

    std::printf("RESULT entries %zu\n", entries);
    std::printf("RESULT visible %zu %.1f\n", visible, visibleMs);
    std::printf("RESULT longest-message %.1f\n", longestMessage);
    std::printf("RESULT all %.1f\n", allMs);
    return 0;
}
