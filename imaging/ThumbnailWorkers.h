#pragma once
// The Images pane's two workers. Each takes a heap-made
// std::shared_ptr<CImageFillState>* and deletes it when done, so the state
// lives as long as the longest of the pane and its workers. Neither worker
// touches a window: the pane polls the state's flags with its timers.

#include "imaging/ThumbnailList.h"

#include <windows.h>

#include <memory>

// Runs the file finder over the fill's folder and patterns, appending an
// entry per file while the feed flag is up, then "[No Background]"; lowers
// the filler flag at the end.
UINT ImageListThreadProc(LPVOID fillState);

// Makes the thumbnails of the shown entries and the 20 after them, starting
// over whenever the shown range changes, and frees those far out of view;
// lowers the maker flag when a pass ends with the range unchanged.
UINT ThumbnailThreadProc(LPVOID fillState);

// The parameter both workers take.
inline LPVOID MakeWorkerParameter(const std::shared_ptr<CImageFillState>& state)
{
    return new std::shared_ptr<CImageFillState>(state);
}

// Entries made ahead of the shown range, and how far from it thumbnails are kept.
constexpr int kThumbnailLookAhead = 20;
constexpr int kThumbnailKeepDistance = 500;
constexpr int kThumbnailFreeDistance = 600;
