#pragma once
// The Images pane's list of picture files and their thumbnails, and the flags
// of one fill, shared by the user-interface thread and the pane's two workers
// (the list filler and the thumbnail maker). Entries never move once
// appended; every read or write of an entry goes through the list's lock, and
// a painter holds its own reference to a thumbnail while it draws it.

#include "framework/String.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// A thumbnail's GDI bitmap, deleted when its last holder lets it go (never
// while selected into a painter's DC).
class CThumbnailBitmap {
public:
    CThumbnailBitmap(HBITMAP bitmap, SIZE size) : m_bitmap(bitmap), m_size(size) {}
    ~CThumbnailBitmap()
    {
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
    }
    CThumbnailBitmap(const CThumbnailBitmap&) = delete;
    CThumbnailBitmap& operator=(const CThumbnailBitmap&) = delete;

    HBITMAP Handle() const { return m_bitmap; }
    SIZE Size() const { return m_size; }

private:
    HBITMAP m_bitmap;
    SIZE m_size;
};

using ThumbnailPtr = std::shared_ptr<const CThumbnailBitmap>;

// The path of the entry that stands for "no background".
constexpr const char* kNoBackgroundPath = "-2";
constexpr const char* kNoBackgroundName = "[No Background]";

// One file of the list.
struct CImageListEntry {
    CString name;  // without folder
    CString path;  // full path; kNoBackgroundPath for "[No Background]"
    int size = 0;  // bytes, the low 32 bits
    ThumbnailPtr thumbnail;  // null until made, and again once far out of view
    int width = 0;   // of the picture; 0 until decoded
    int height = 0;
    // The file is no picture, or a damaged or unreadable one: it shows as such
    // and the maker does not try it again.
    bool unreadable = false;

    bool IsNoBackground() const { return path == kNoBackgroundPath; }
};

class CThumbnailList {
public:
    // Entries appended so far; entries below this count stay in place until Clear.
    std::size_t Size() const { return m_count.load(std::memory_order_acquire); }
    void Append(CImageListEntry entry);
    // A copy of an entry; false outside the list.
    bool Get(std::size_t index, CImageListEntry& entry) const;
    ThumbnailPtr Thumbnail(std::size_t index) const;
    void SetThumbnail(std::size_t index, ThumbnailPtr thumbnail, int width, int height);
    void MarkUnreadable(std::size_t index);
    // Lets go of the thumbnails of [first, end) (a painter's copy stays valid).
    void FreeThumbnails(std::size_t first, std::size_t end);
    // Empties the list; only while no worker runs.
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::deque<CImageListEntry> m_entries;
    std::atomic<std::size_t> m_count{0};
};

// One fill of the pane: the request, the list and the flags the pane and its
// workers poll. The request is written only while no worker runs.
struct CImageFillState {
    CThumbnailList list;
    CString folder;
    CString patterns;  // ";"-separated
    bool subFolders = false;

    std::atomic<bool> fillerRunning{false};
    std::atomic<bool> makerRunning{false};
    std::atomic<bool> stopFinder{false};
    std::atomic<bool> stopMaker{false};
    std::atomic<bool> closing{false};
    // The finder appends what it finds to the list.
    std::atomic<bool> feeding{false};
    // The entries the pane shows now; the maker works on these first.
    std::atomic<int> first{0};
    std::atomic<int> last{-1};
    // Paints what shows through a picture's transparent colour (the panel's
    // tiles); white without it. Set before the workers start, then only read.
    std::function<void(HDC dc, const RECT& rect)> paintBehindTransparent;
};
