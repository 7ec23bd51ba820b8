// RLE8 and RLE4 pixel data of BMP files: runs, absolute runs, end of line, end
// of bitmap and delta moves, written straight into the picture's rows.
#include "imaging/BmpImage.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <cstdint>

namespace {

// Writes indices into one picture row at a time; pixels past the row or past
// the last row are dropped.
class RowWriter {
public:
    RowWriter(CxImage& image, int bitsPerIndex) : m_image(image), m_bits(bitsPerIndex) {}

    bool Done() const { return m_y >= m_image.GetHeight(); }
    void NextLine()
    {
        m_x = 0;
        ++m_y;
    }
    void Move(int dx, int dy)
    {
        m_x = std::min<std::int64_t>(m_x + dx, m_image.GetWidth());
        m_y += dy;
    }
    void Put(BYTE index)
    {
        if (m_x < m_image.GetWidth() && m_y < m_image.GetHeight()) {
            BYTE* row = m_image.GetBits(static_cast<int>(m_y));
            if (m_bits == 8) {
                row[m_x] = index;
            } else {
                BYTE& pair = row[m_x / 2];
                pair = (m_x & 1) ? static_cast<BYTE>((pair & 0xF0) | (index & 0x0F))
                                 : static_cast<BYTE>((pair & 0x0F) | (index << 4));
            }
        }
        // x never needs to go far past the row: every later pixel is dropped anyway.
        if (m_x < m_image.GetWidth())
            ++m_x;
    }
    bool RowFull() const { return m_x >= m_image.GetWidth(); }

private:
    CxImage& m_image;
    int m_bits;
    std::int64_t m_x = 0;
    std::int64_t m_y = 0;
};

}  // namespace

void DecodeBmpRunLength(const BYTE* data, std::size_t size, int bitsPerIndex, CxImage& image)
{
    if (!data || !image.IsValid() || (bitsPerIndex != 4 && bitsPerIndex != 8) || image.GetBpp() != bitsPerIndex)
        return;
    RowWriter writer(image, bitsPerIndex);
    std::size_t at = 0;
    while (at + 2 <= size && !writer.Done()) {
        const BYTE count = data[at];
        const BYTE value = data[at + 1];
        at += 2;
        if (count > 0) {
            // An encoded run: one index, or two alternating nibbles.
            for (int i = 0; i < count && !writer.RowFull(); ++i)
                writer.Put(bitsPerIndex == 8 ? value : static_cast<BYTE>((i & 1) ? value & 0x0F : value >> 4));
            continue;
        }
        switch (value) {
        case 0:
            writer.NextLine();
            break;
        case 1:
            return;
        case 2:
            if (at + 2 > size)
                return;
            writer.Move(data[at], data[at + 1]);
            at += 2;
            break;
        default: {
            // An absolute run of `value` indices, padded to a 16-bit boundary.
            const std::size_t bytes = bitsPerIndex == 8 ? value : (value + 1u) / 2u;
            const std::size_t padded = (bytes + 1) & ~std::size_t{1};
            const std::size_t available = std::min(bytes, size - at);
            for (std::size_t i = 0; i < value; ++i) {
                const std::size_t byte = bitsPerIndex == 8 ? i : i / 2;
                if (byte >= available)
                    break;
                const BYTE index =
                    bitsPerIndex == 8 ? data[at + byte] : static_cast<BYTE>((i & 1) ? data[at + byte] & 0x0F : data[at + byte] >> 4);
                writer.Put(index);
            }
            at += std::min(padded, size - at);
            break;
        }
        }
    }
}
