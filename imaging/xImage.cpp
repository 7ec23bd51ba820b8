// CxImage: construction, the DIB block, copying, transfer, ghosts and settings.
#include "imaging/xImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

CxImage::CxImage(int format)
{
    Reset(format);
}

CxImage::CxImage(int width, int height, int bpp, int format)
{
    Reset(format);
    Create(width, height, bpp, format);
}

CxImage::CxImage(const CxImage& source, bool copyPixels, bool copyAlpha)
{
    Reset(source.GetFormat());
    CopyFrom(source, copyPixels, copyAlpha);
}

CxImage::CxImage(const char* path, int format)
{
    Reset(format);
    LoadFile(path, format);
}

CxImage::CxImage(const BYTE* block, std::size_t size, int format)
{
    Reset(format);
    DecodeMemory(block, size, format);
}

CxImage::~CxImage()
{
    Destroy();
}

void CxImage::Reset(int format)
{
    m_dib = nullptr;
    m_alpha = nullptr;
    m_dibBorrowed = false;
    m_alphaBorrowed = false;
    m_userBuffer = nullptr;
    m_userLength = 0;
    m_header = BITMAPINFOHEADER{};
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_info = ImageInfo{};
    m_info.format = format;
    SetXDPI(72);
    SetYDPI(72);
}

void CxImage::Destroy()
{
    if (!m_dibBorrowed)
        std::free(m_dib);
    m_dib = nullptr;
    m_dibBorrowed = false;
    FreeAlpha();
    std::free(m_userBuffer);
    m_userBuffer = nullptr;
    m_userLength = 0;
    // An empty image has no geometry either, so nothing sized by it is trusted
    // later; the resolution stays.
    m_header.biWidth = 0;
    m_header.biHeight = 0;
    m_header.biBitCount = 0;
    m_header.biSizeImage = 0;
    m_header.biClrUsed = 0;
    m_info.rowBytes = 0;
    // Whatever was borrowed is let go: the image is now an ordinary empty one.
    m_info.ghostSource = nullptr;
}

void CxImage::FreeAlpha()
{
    if (!m_alphaBorrowed)
        std::free(m_alpha);
    m_alpha = nullptr;
    m_alphaBorrowed = false;
}

BYTE* CxImage::Create(int width, int height, int bpp, int format)
{
    return Allocate(width, height, bpp, format, true);
}

BYTE* CxImage::CreateForOverwrite(int width, int height, int bpp, int format)
{
    return Allocate(width, height, bpp, format, false);
}

BYTE* CxImage::Allocate(int width, int height, int bpp, int format, bool clearRows)
{
    Destroy();

    if (bpp <= 1)
        bpp = 1;
    else if (bpp <= 4)
        bpp = 4;
    else if (bpp <= 8)
        bpp = 8;
    else
        bpp = 24;

    if (width < 1 || height < 1) {
        SetLastError("Invalid image size");
        return nullptr;
    }
    // All sizes in 64 bits: a damaged header must not wrap around into a small
    // allocation. The alpha mask (a byte per pixel) has the same limit.
    const std::uint64_t colors = bpp == 24 ? 0 : (1u << bpp);
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
    const std::uint64_t imageSize = rowBytes * static_cast<std::uint64_t>(height);
    const std::uint64_t blockSize = sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD) + imageSize;
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (blockSize > kMaxImageBytes || pixelCount > kMaxImageBytes) {
        SetLastError("Image too large");
        return nullptr;
    }

    BYTE* block = static_cast<BYTE*>(clearRows ? std::calloc(static_cast<std::size_t>(blockSize), 1)
                                               : std::malloc(static_cast<std::size_t>(blockSize)));
    if (!block)
        return nullptr;
    if (!clearRows) {
        // Header and palette, and the bytes past each row's last pixel: a
        // decoder never writes those, and they go into saved files.
        const std::size_t rowsAt = static_cast<std::size_t>(blockSize - imageSize);
        std::memset(block, 0, rowsAt);
        const std::size_t used = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bpp) + 7) / 8;
        if (used < rowBytes) {
            for (std::uint64_t row = 0; row < static_cast<std::uint64_t>(height); ++row)
                std::memset(block + rowsAt + row * rowBytes + used, 0, static_cast<std::size_t>(rowBytes) - used);
        }
    }

    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = static_cast<WORD>(bpp);
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = static_cast<DWORD>(imageSize);
    m_header.biClrUsed = static_cast<DWORD>(colors);
    m_header.biClrImportant = 0;
    m_info.rowBytes = static_cast<DWORD>(rowBytes);
    m_info.format = format;
    m_dib = block;
    SyncDibHeader();
    return m_dib;
}

void CxImage::SyncDibHeader()
{
    if (m_dib)
        std::memcpy(m_dib, &m_header, sizeof(BITMAPINFOHEADER));
}

bool CxImage::CopyFrom(const CxImage& source, bool copyPixels, bool copyAlpha)
{
    if (&source == this)
        return true;
    if (!source.IsValid()) {
        Destroy();
        m_header = source.m_header;
        m_info = source.m_info;
        m_info.ghostSource = nullptr;
        return true;
    }
    ImageInfo info = source.m_info;
    info.ghostSource = nullptr;
    if (!Create(source.GetWidth(), source.GetHeight(), source.GetBpp(), source.GetFormat()))
        return false;
    m_info = info;
    m_header.biXPelsPerMeter = source.m_header.biXPelsPerMeter;
    m_header.biYPelsPerMeter = source.m_header.biYPelsPerMeter;
    SyncDibHeader();

    if (copyPixels)
        std::memcpy(m_dib + sizeof(BITMAPINFOHEADER), source.m_dib + sizeof(BITMAPINFOHEADER),
                    GetSize() - sizeof(BITMAPINFOHEADER));
    else if (GetPaletteSize())
        std::memcpy(GetPalette(), source.GetPalette(), GetPaletteSize());

    if (copyAlpha && source.m_alpha) {
        if (!AlphaCreate())
            return false;
        std::memcpy(m_alpha, source.m_alpha, PixelCount());
    }
    return true;
}

void CxImage::Transfer(CxImage& from)
{
    if (&from == this)
        return;
    if (!m_dibBorrowed)
        std::free(m_dib);
    FreeAlpha();

    m_header = from.m_header;
    m_info = from.m_info;
    m_dib = std::exchange(from.m_dib, nullptr);
    m_dibBorrowed = std::exchange(from.m_dibBorrowed, false);
    m_alpha = std::exchange(from.m_alpha, nullptr);
    m_alphaBorrowed = std::exchange(from.m_alphaBorrowed, false);

    from.m_header = BITMAPINFOHEADER{};
    from.m_header.biSize = sizeof(BITMAPINFOHEADER);
    from.m_info = ImageInfo{};
}

void CxImage::Ghost(CxImage& from)
{
    if (&from == this)
        return;
    Destroy();
    m_header = from.m_header;
    m_info = from.m_info;
    m_dib = from.m_dib;
    m_dibBorrowed = m_dib != nullptr;
    m_alpha = from.m_alpha;
    m_alphaBorrowed = m_alpha != nullptr;
    m_info.ghostSource = &from;
}

BYTE* CxImage::GetBits()
{
    return m_dib ? m_dib + sizeof(BITMAPINFOHEADER) + GetPaletteSize() : nullptr;
}

const BYTE* CxImage::GetBits() const
{
    return m_dib ? m_dib + sizeof(BITMAPINFOHEADER) + GetPaletteSize() : nullptr;
}

BYTE* CxImage::GetBits(int row)
{
    if (!m_dib || row < 0 || row >= GetHeight())
        return nullptr;
    return GetBits() + static_cast<std::size_t>(row) * m_info.rowBytes;
}

const BYTE* CxImage::GetBits(int row) const
{
    if (!m_dib || row < 0 || row >= GetHeight())
        return nullptr;
    return GetBits() + static_cast<std::size_t>(row) * m_info.rowBytes;
}

DWORD CxImage::GetSize() const
{
    return m_header.biSize + GetPaletteSize() + m_header.biSizeImage;
}

bool CxImage::IsInside(int x, int y) const
{
    return x >= 0 && y >= 0 && x < GetWidth() && y < GetHeight();
}

void CxImage::SetLastError(const char* text)
{
    if (!text) {
        m_info.lastError[0] = '\0';
        return;
    }
    const std::size_t length = std::min(std::strlen(text), sizeof(m_info.lastError) - 1);
    std::memmove(m_info.lastError, text, length);
    m_info.lastError[length] = '\0';
}

void CxImage::SetJpegQuality(int quality)
{
    m_info.jpegQuality = static_cast<BYTE>(std::clamp(quality, 0, 100));
}

LONG CxImage::PelsPerMeterFromDpi(int dpi)
{
    return static_cast<LONG>(std::floor(dpi * 39.37007874015748 + 0.5));
}

int CxImage::DpiFromPelsPerMeter(LONG pelsPerMeter)
{
    return static_cast<int>(std::floor(pelsPerMeter * 0.0254 + 0.5));
}

void CxImage::SetXDPI(int dpi)
{
    // Past about 54 million dpi the pixels per metre would not fit a LONG.
    dpi = std::clamp(dpi, -50'000'000, 50'000'000);
    m_info.xDpi = dpi;
    m_header.biXPelsPerMeter = PelsPerMeterFromDpi(dpi);
    if (m_dib && !m_dibBorrowed)
        SyncDibHeader();
}

void CxImage::SetYDPI(int dpi)
{
    dpi = std::clamp(dpi, -50'000'000, 50'000'000);
    m_info.yDpi = dpi;
    m_header.biYPelsPerMeter = PelsPerMeterFromDpi(dpi);
    if (m_dib && !m_dibBorrowed)
        SyncDibHeader();
}

int CxImage::GetColorType() const
{
    if (m_alpha)
        return 4;
    return GetBpp() <= 8 ? 1 : 2;
}

RGBQUAD CxImage::GetTransColor() const
{
    if (GetBpp() < 24 && m_info.backgroundIndex != -1)
        return GetPaletteColor(static_cast<BYTE>(m_info.backgroundIndex));
    return m_info.backgroundColor;
}

int CxImage::CompareColors(const RGBQUAD& a, const RGBQUAD& b)
{
    const int lumaA = (30 * a.rgbRed + 59 * a.rgbGreen + 11 * a.rgbBlue) / 100;
    const int lumaB = (30 * b.rgbRed + 59 * b.rgbGreen + 11 * b.rgbBlue) / 100;
    if (lumaA == lumaB)
        return 0;
    return lumaB < lumaA ? 1 : -1;
}

void CxImage::SetUserBuffer(BYTE* block, DWORD length)
{
    if (block == m_userBuffer) {
        m_userLength = block ? length : 0;
        return;
    }
    std::free(m_userBuffer);
    m_userBuffer = block;
    m_userLength = block ? length : 0;
}

bool CxImage::CopyUserBuffer(const void* data, std::size_t length)
{
    if (!data || length == 0) {
        SetUserBuffer(nullptr, 0);
        return true;
    }
    if (length > kMaxImageBytes)
        return false;
    BYTE* block = static_cast<BYTE*>(std::malloc(length));
    if (!block)
        return false;
    std::memcpy(block, data, length);
    SetUserBuffer(block, static_cast<DWORD>(length));
    return true;
}
