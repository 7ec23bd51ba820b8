#pragma once

#include "framework/Gdi.h"

#include <windows.h>

#include <cstdint>
#include <list>
#include <memory>

class CxImage;

// Pictures already stretched to the size they are drawn at. Stretching a large
// picture with halftoning costs tens of milliseconds; a label is redrawn after
// every edit at an unchanged zoom, so each picture is stretched once per size
// and copied after that. Entries are keyed by the picture's identity, a
// fingerprint of its pixels and the drawn size; the least recently used go
// first when the copies outgrow their budget.
class CScaledImageCache
{
public:
    CScaledImageCache() = default;
    CScaledImageCache(const CScaledImageCache&) = delete;
    CScaledImageCache& operator=(const CScaledImageCache&) = delete;

    // Copies the picture, stretched to w x h, to (x, y) of `dc`. False when no
    // copy can be kept (too large, or the system refused the stretch): the
    // caller then draws the picture itself.
    bool Draw(HDC dc, const CxImage& image, int x, int y, int w, int h);
    void Clear();

    size_t GetEntryCount() const { return m_entries.size(); }
    static constexpr size_t kBudgetBytes = 96u * 1024u * 1024u;

private:
    struct Entry
    {
        const CxImage* image = nullptr;
        uint64_t fingerprint = 0;
        SIZE size{};
        size_t bytes = 0;
        CBitmap bitmap;
        CMemoryDC dc;
        std::unique_ptr<CSelectGuard> selected;  // released before the context goes
    };
    static uint64_t Fingerprint(const CxImage& image);
    std::unique_ptr<Entry> Make(const CxImage& image, uint64_t fingerprint, int w, int h) const;

    std::list<std::unique_ptr<Entry>> m_entries;  // most recently used first
    size_t m_bytes = 0;
};
