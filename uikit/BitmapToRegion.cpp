#include "uikit/BitmapToRegion.h"

#include "framework/Gdi.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD kGrowthInRects = 100;
// Regions are made in batches: older systems refuse very large region data.
constexpr DWORD kRectsPerRegion = 2000;

// RGNDATA in a growable buffer: a header, then the rectangles.
class RegionBuilder
{
public:
    RegionBuilder() : m_buffer(sizeof(RGNDATAHEADER) + kGrowthInRects * sizeof(RECT)) { StartBatch(); }
    RegionBuilder(const RegionBuilder&) = delete;
    RegionBuilder& operator=(const RegionBuilder&) = delete;
    ~RegionBuilder() { ::DeleteObject(m_result); }

    bool Add(int left, int top, int right, int bottom)
    {
        if (Capacity() == Header().nCount)
            m_buffer.resize(m_buffer.size() + kGrowthInRects * sizeof(RECT));
        RGNDATAHEADER& header = Header();
        Rects()[header.nCount++] = RECT{left, top, right, bottom};
        RECT& bound = header.rcBound;
        bound.left = std::min<LONG>(bound.left, left);
        bound.top = std::min<LONG>(bound.top, top);
        bound.right = std::max<LONG>(bound.right, right);
        bound.bottom = std::max<LONG>(bound.bottom, bottom);
        return header.nCount < kRectsPerRegion || Flush();
    }

    // Joins the rectangles gathered so far to the result.
    bool Flush()
    {
        if (Header().nCount == 0)
            return true;
        const DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + Header().nCount * sizeof(RECT));
        HRGN batch = ::ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(m_buffer.data()));
        if (!batch)
            return false;
        if (!m_result) {
            m_result = batch;
        } else {
            ::CombineRgn(m_result, m_result, batch, RGN_OR);
            ::DeleteObject(batch);
        }
        StartBatch();
        return true;
    }

    HRGN Release()
    {
        HRGN result = m_result;
        m_result = nullptr;
        return result;
    }

private:
    RGNDATAHEADER& Header() { return *reinterpret_cast<RGNDATAHEADER*>(m_buffer.data()); }
    RECT* Rects() { return reinterpret_cast<RECT*>(m_buffer.data() + sizeof(RGNDATAHEADER)); }
    DWORD Capacity() const { return static_cast<DWORD>((m_buffer.size() - sizeof(RGNDATAHEADER)) / sizeof(RECT)); }

    void StartBatch()
    {
        RGNDATAHEADER& header = Header();
        header.dwSize = sizeof(RGNDATAHEADER);
        header.iType = RDH_RECTANGLES;
        header.nCount = 0;
        header.nRgnSize = 0;
        header.rcBound = RECT{LONG_MAX, LONG_MAX, 0, 0};
    }

    std::vector<BYTE> m_buffer;
    HRGN m_result = nullptr;
};

}  // namespace

HRGN BitmapToRegion(HBITMAP bitmap, COLORREF key, bool excludeKey)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    const int width = info.bmWidth;
    const int height = info.bmHeight;

    CMemoryDC work(nullptr);
    CMemoryDC source(nullptr);
    if (!work.m_hDC || !source.m_hDC)
        return nullptr;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;  // bottom-up
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap copy(::CreateDIBSection(work.m_hDC, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy.IsValid() || !bits)
        return nullptr;
    {
        CSelectGuard copySelected(work, copy);
        CSelectGuard sourceSelected(source, bitmap);
        ::BitBlt(work, 0, 0, width, height, source, 0, 0, SRCCOPY);
        ::GdiFlush();
    }

    const BYTE keyRed = GetRValue(key);
    const BYTE keyGreen = GetGValue(key);
    const BYTE keyBlue = GetBValue(key);
    const auto* pixels = static_cast<const RGBQUAD*>(bits);
    RegionBuilder builder;
    for (int y = 0; y < height; ++y) {
        const RGBQUAD* row = pixels + static_cast<size_t>(height - 1 - y) * width;  // top row first
        auto qualifies = [&](int x) {
            const bool isKey = row[x].rgbRed == keyRed && row[x].rgbGreen == keyGreen && row[x].rgbBlue == keyBlue;
            return isKey != excludeKey;
        };
        for (int x = 0; x < width; ++x) {
            const int start = x;
            while (x < width && qualifies(x))
                ++x;
            if (x > start && !builder.Add(start, y, x, y + 1))
                return nullptr;
        }
    }
    if (!builder.Flush())
        return nullptr;
    return builder.Release();
}
