#include "imaging/ThumbnailWorkers.h"

#include "framework/ErrorReport.h"
#include "imaging/FileFinder.h"
#include "imaging/ImageFormatFromPath.h"
#include "imaging/Thumbnail.h"
#include "imaging/ThumbnailJpeg.h"
#include "imaging/xImage.h"

#include <algorithm>

namespace {

std::shared_ptr<CImageFillState> TakeState(LPVOID parameter)
{
    std::unique_ptr<std::shared_ptr<CImageFillState>> holder(static_cast<std::shared_ptr<CImageFillState>*>(parameter));
    return holder ? *holder : nullptr;
}

class ListFeed : public IFoundFileFeed {
public:
    explicit ListFeed(CImageFillState& state) : m_state(state) {}
    void FileFound(const CString& name, const CString& path, DWORD sizeLow) override
    {
        if (!m_state.feeding.load())
            return;
        CImageListEntry entry;
        entry.name = name;
        entry.path = path;
        entry.size = static_cast<int>(sizeLow);
        m_state.list.Append(std::move(entry));
    }

private:
    CImageFillState& m_state;
};

// Makes one entry's thumbnail when it has none yet.
void MakeEntryThumbnail(CImageFillState& state, std::size_t index)
{
    CImageListEntry entry;
    if (!state.list.Get(index, entry) || entry.thumbnail || entry.unreadable)
        return;
    if (entry.IsNoBackground()) {
        state.list.SetThumbnail(index, MakeBlankThumbnail(), 0, 0);
        return;
    }
    const int format = GetImageFormatFromPath(entry.path);
    if (format < 0) {
        state.list.MarkUnreadable(index);
        return;
    }
    // A JPEG is decoded only as large as its thumbnail needs; what that
    // decoder does not take (CMYK, damage) goes through the full one.
    CxImage image(format);
    int width = 0;
    int height = 0;
    if (format != kImageFormatJpeg || !DecodeJpegForThumbnail(entry.path, kThumbnailBox, image, width, height)) {
        image.LoadFile(entry.path, format);
        width = image.GetWidth();
        height = image.GetHeight();
    }
    if (!image.IsValid() || image.GetWidth() < 1 || image.GetHeight() < 1) {
        state.list.MarkUnreadable(index);
        return;
    }
    ThumbnailPtr thumbnail = MakeThumbnail(image, SIZE{width, height}, state.paintBehindTransparent);
    if (thumbnail)
        state.list.SetThumbnail(index, std::move(thumbnail), width, height);
}

// One pass over the shown range; false when it must start again because the
// range moved, or the maker is to stop.
bool MakePass(CImageFillState& state, int first, int last)
{
    for (long long i = std::max(first, 0); i <= static_cast<long long>(last) + kThumbnailLookAhead; ++i) {
        if (static_cast<std::size_t>(i) >= state.list.Size())
            break;
        MakeEntryThumbnail(state, static_cast<std::size_t>(i));
        if (state.stopMaker.load())
            return false;
        if (state.first.load() != first || state.last.load() != last)
            return false;
    }
    // Thumbnails far out of view give their memory back.
    const std::size_t size = state.list.Size();
    if (first - kThumbnailFreeDistance > 0)
        state.list.FreeThumbnails(0, static_cast<std::size_t>(first - kThumbnailKeepDistance));
    if (static_cast<long long>(last) + kThumbnailFreeDistance < static_cast<long long>(size))
        state.list.FreeThumbnails(static_cast<std::size_t>(last + kThumbnailKeepDistance), size);
    return true;
}

}  // namespace

UINT ImageListThreadProc(LPVOID fillState)
{
    const std::shared_ptr<CImageFillState> state = TakeState(fillState);
    if (!state)
        return 0;
    const UINT result = Guarded(460, ErrorSink::App(), 0u, [&] {
        ListFeed feed(*state);
        CFileFinder finder;
        finder.SetRecursive(state->subFolders);
        finder.SetStopFlag(&state->stopFinder);
        finder.SetFeed(&feed);
        finder.ClearFolders();
        finder.Search(state->folder, state->patterns);
        finder.ClearFolders();
        finder.ClearResults();
        CImageListEntry none;
        none.name = kNoBackgroundName;
        none.path = kNoBackgroundPath;
        state->list.Append(std::move(none));
        return 1u;
    });
    state->fillerRunning.store(false);
    return result;
}

UINT ThumbnailThreadProc(LPVOID fillState)
{
    const std::shared_ptr<CImageFillState> state = TakeState(fillState);
    if (!state)
        return 0;
    const UINT result = Guarded(461, ErrorSink::App(), 0u, [&] {
        for (;;) {
            const int first = state->first.load();
            const int last = state->last.load();
            const bool passDone = MakePass(*state, first, last);
            if (state->stopMaker.load())
                break;
            if (passDone && state->first.load() == first && state->last.load() == last) {
                state->makerRunning.store(false);
                // The pane may have moved the range and seen this maker still
                // running just before: take the work back unless another maker has.
                if (state->first.load() == first && state->last.load() == last)
                    return 1u;
                bool expected = false;
                if (!state->makerRunning.compare_exchange_strong(expected, true))
                    return 1u;
            }
        }
        state->makerRunning.store(false);
        return 1u;
    });
    if (result == 0)
        state->makerRunning.store(false);  // a failed maker must not keep the next one from starting
    return result;
}
