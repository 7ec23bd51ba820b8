#include "label/ScaledImageCache.h"

#include "imaging/xImage.h"

uint64_t CScaledImageCache::Fingerprint(const CxImage& image)
{
    // FNV-1a over the header and a spread of pixel bytes: a picture edited in
    // place, or another one at the same address, does not match an old copy.
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](uint64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash ^= (value >> (8 * i)) & 0xFF;
            hash *= 1099511628211ull;
        }
    };
    mix(static_cast<uint64_t>(image.GetWidth()));
    mix(static_cast<uint64_t>(image.GetHeight()));
    mix(static_cast<uint64_t>(image.GetBpp()));
    mix(reinterpret_cast<uintptr_t>(image.GetBits()));
    const BYTE* bits = image.GetBits();
    const uint64_t total = static_cast<uint64_t>(image.GetEffWidth()) * static_cast<uint64_t>(image.GetHeight());
    if (bits && total > 0) {
        constexpr uint64_t kSamples = 256;
        for (uint64_t i = 0; i < kSamples; ++i)
            mix(bits[(total - 1) * i / (kSamples - 1)]);
    }
    return hash;
}

std::unique_ptr<CScaledImageCache::Entry> CScaledImageCache::Make(const CxImage& image, uint64_t fingerprint, int w,
                                                                  int h) const
{
    auto entry = std::make_unique<Entry>();
    entry->image = &image;
    entry->fingerprint = fingerprint;
    entry->size = SIZE{w, h};
    entry->bytes = static_cast<size_t>(w) * static_cast<size_t>(h) * 4u;

    void* bits = nullptr;
    if (!entry->dc.CreateCompatibleDC(nullptr) || !entry->bitmap.CreateTopDownDIB32(entry->dc.m_hDC, w, h, &bits))
        return nullptr;
    entry->selected = std::make_unique<CSelectGuard>(entry->dc.m_hDC, entry->bitmap.Get());
    ::SetStretchBltMode(entry->dc.m_hDC, HALFTONE);
    ::SetBrushOrgEx(entry->dc.m_hDC, 0, 0, nullptr);
    const auto* header = reinterpret_cast<const BITMAPINFO*>(image.GetDIB());
    if (::StretchDIBits(entry->dc.m_hDC, 0, 0, w, h, 0, 0, image.GetWidth(), image.GetHeight(), image.GetBits(),
                        header, DIB_RGB_COLORS, SRCCOPY) <= 0)
        return nullptr;
    return entry;
}

bool CScaledImageCache::Draw(HDC dc, const CxImage& image, int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0 || !image.GetBits() || !image.GetDIB())
        return false;
    const size_t bytes = static_cast<size_t>(w) * static_cast<size_t>(h) * 4u;
    if (bytes > kBudgetBytes / 2)
        return false;
    const uint64_t fingerprint = Fingerprint(image);
    auto found = m_entries.begin();
    for (; found != m_entries.end(); ++found) {
        const Entry& entry = **found;
        if (entry.image == &image && entry.fingerprint == fingerprint && entry.size.cx == w && entry.size.cy == h)
            break;
    }
    if (found != m_entries.end()) {
        m_entries.splice(m_entries.begin(), m_entries, found);
    } else {
        std::unique_ptr<Entry> made = Make(image, fingerprint, w, h);
        if (!made)
            return false;
        m_bytes += made->bytes;
        m_entries.push_front(std::move(made));
        while (m_bytes > kBudgetBytes && m_entries.size() > 1) {
            m_bytes -= m_entries.back()->bytes;
            m_entries.pop_back();
        }
    }
    const Entry& entry = *m_entries.front();
    return ::BitBlt(dc, x, y, w, h, entry.dc.m_hDC, 0, 0, SRCCOPY) != FALSE;
}

void CScaledImageCache::Clear()
{
    m_entries.clear();
    m_bytes = 0;
}
