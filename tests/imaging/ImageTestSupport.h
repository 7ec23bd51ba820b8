#pragma once
// Helpers of the image tests: a codec put in place for one test, packed DIBs
// built byte by byte, and scratch files.

#include "imaging/ImageCodecs.h"
#include "imaging/xImage.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

// Puts a codec in place of a format's for the scope (an empty one takes the
// format's codec away) and restores the previous one.
class ScopedImageCodec {
public:
    ScopedImageCodec(int format, ImageCodec codec) : m_format(format), m_previous(SetImageCodec(format, codec)) {}
    ~ScopedImageCodec() { SetImageCodec(m_format, m_previous); }
    ScopedImageCodec(const ScopedImageCodec&) = delete;
    ScopedImageCodec& operator=(const ScopedImageCodec&) = delete;

private:
    int m_format;
    ImageCodec m_previous;
};

// A packed DIB: a 40-byte header, then what the test appends.
class PackedDib {
public:
    PackedDib(LONG width, LONG height, WORD bpp, DWORD compression = BI_RGB, DWORD colorsUsed = 0)
    {
        BITMAPINFOHEADER header{};
        header.biSize = sizeof(header);
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = bpp;
        header.biCompression = compression;
        header.biXPelsPerMeter = 3780;  // 96 dpi
        header.biYPelsPerMeter = 11811;  // 300 dpi
        header.biClrUsed = colorsUsed;
        Append(&header, sizeof(header));
    }
    void Append(const void* data, std::size_t size)
    {
        const auto* bytes = static_cast<const BYTE*>(data);
        m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    }
    void AppendDword(DWORD value) { Append(&value, sizeof(value)); }
    void AppendWord(WORD value) { Append(&value, sizeof(value)); }
    void AppendBytes(std::initializer_list<BYTE> bytes) { Append(std::data(bytes), bytes.size()); }
    void AppendZeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }
    void AppendColor(BYTE red, BYTE green, BYTE blue) { AppendBytes({blue, green, red, 0}); }
    BITMAPINFOHEADER& Header() { return *reinterpret_cast<BITMAPINFOHEADER*>(m_bytes.data()); }

    const BYTE* Data() const { return m_bytes.data(); }
    std::size_t Size() const { return m_bytes.size(); }
    std::vector<BYTE>& Bytes() { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

// A file name in the temporary folder, deleted when the object goes.
class ScratchFile {
public:
    explicit ScratchFile(const char* name)
    {
        char folder[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, folder);
        m_path = std::string(folder) + "SleevoryImageTest_" + std::to_string(::GetCurrentProcessId()) + "_" + name;
        ::DeleteFileA(m_path.c_str());
    }
    ~ScratchFile() { ::DeleteFileA(m_path.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

inline bool SameColor(const RGBQUAD& a, const RGBQUAD& b)
{
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

inline RGBQUAD Quad(BYTE red, BYTE green, BYTE blue, BYTE reserved = 0)
{
    return RGBQUAD{blue, green, red, reserved};
}
