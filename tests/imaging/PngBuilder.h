#pragma once
// Builds small PNG files chunk by chunk, for the cases no tool writes on
// request (a chosen tRNS, gamma, a damaged or oversized header). Rows are
// given unfiltered and get filter byte 0; zlib compresses them.

#include "imaging/ImageTypes.h"

#include <zlib.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class PngBuilder {
public:
    PngBuilder() { m_bytes = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}; }

    PngBuilder& Header(std::uint32_t width, std::uint32_t height, BYTE bitDepth, BYTE colorType, BYTE interlace = 0)
    {
        std::vector<BYTE> data;
        AppendBig(data, width);
        AppendBig(data, height);
        data.insert(data.end(), {bitDepth, colorType, 0, 0, interlace});
        return Chunk("IHDR", data);
    }
    PngBuilder& Palette(std::initializer_list<BYTE> rgbTriples) { return Chunk("PLTE", rgbTriples); }
    PngBuilder& Transparency(std::initializer_list<BYTE> values) { return Chunk("tRNS", values); }
    PngBuilder& Background(std::initializer_list<BYTE> values) { return Chunk("bKGD", values); }
    // gAMA of 1/2.2, what most files carry.
    PngBuilder& Gamma()
    {
        std::vector<BYTE> data;
        AppendBig(data, 45455);
        return Chunk("gAMA", data);
    }
    // Rows of raw samples, each given without its filter byte.
    PngBuilder& Rows(const std::vector<std::vector<BYTE>>& rows)
    {
        std::vector<BYTE> raw;
        for (const auto& row : rows) {
            raw.push_back(0);
            raw.insert(raw.end(), row.begin(), row.end());
        }
        uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
        std::vector<BYTE> packed(packedSize);
        compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
        packed.resize(packedSize);
        return Chunk("IDAT", packed);
    }
    PngBuilder& End() { return Chunk("IEND", {}); }

    PngBuilder& Chunk(const char* type, const std::vector<BYTE>& data)
    {
        AppendBig(m_bytes, static_cast<std::uint32_t>(data.size()));
        const std::size_t typeAt = m_bytes.size();
        m_bytes.insert(m_bytes.end(), type, type + 4);
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        const uLong crc = crc32(0L, m_bytes.data() + typeAt, static_cast<uInt>(4 + data.size()));
        AppendBig(m_bytes, static_cast<std::uint32_t>(crc));
        return *this;
    }
    PngBuilder& Chunk(const char* type, std::initializer_list<BYTE> data)
    {
        return Chunk(type, std::vector<BYTE>(data));
    }

    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    static void AppendBig(std::vector<BYTE>& bytes, std::uint32_t value)
    {
        bytes.insert(bytes.end(), {static_cast<BYTE>(value >> 24), static_cast<BYTE>(value >> 16),
                                   static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)});
    }

    std::vector<BYTE> m_bytes;
};
