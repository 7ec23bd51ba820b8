// The metafile reader: placeable WMF and EMF files played into a bitmap.
#include "imaging/WmfImage.h"

#include "imaging/CodecIo.h"
#include "imaging/ImageFile.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#ifdef _WIN32
#include "framework/Gdi.h"
#endif

using namespace codec_io;

WmfPlaceableHeader WmfPlaceableHeader::Parse(const BYTE* bytes)
{
    WmfPlaceableHeader header;
    header.key = Le32(bytes);
    header.handle = Le16(bytes + 4);
    header.left = static_cast<std::int16_t>(Le16(bytes + 6));
    header.top = static_cast<std::int16_t>(Le16(bytes + 8));
    header.right = static_cast<std::int16_t>(Le16(bytes + 10));
    header.bottom = static_cast<std::int16_t>(Le16(bytes + 12));
    header.unitsPerInch = Le16(bytes + 14);
    header.reserved = Le32(bytes + 16);
    header.checksum = Le16(bytes + 20);
    return header;
}

bool WmfCheckHeader(const WmfPlaceableHeader& header)
{
    if (header.key != WmfPlaceableHeader::kKey)
        return false;
    const WORD words[10] = {static_cast<WORD>(header.key),      static_cast<WORD>(header.key >> 16),
                            header.handle,                      static_cast<WORD>(header.left),
                            static_cast<WORD>(header.top),      static_cast<WORD>(header.right),
                            static_cast<WORD>(header.bottom),   header.unitsPerInch,
                            static_cast<WORD>(header.reserved), static_cast<WORD>(header.reserved >> 16)};
    WORD sum = 0;
    for (const WORD word : words)
        sum ^= word;
    return sum == header.checksum && header.unitsPerInch >= 1 && header.unitsPerInch <= 2540;
}

void LimitSize(std::int64_t& width, std::int64_t& height)
{
    constexpr std::int64_t kLongest = 1000;
    if (width > kLongest) {
        height = height * kLongest / width;
        width = kLongest;
    }
    if (height > kLongest) {
        width = width * kLongest / height;
        height = kLongest;
    }
    // A very thin picture keeps one row or column.
    width = std::max<std::int64_t>(width, 1);
    height = std::max<std::int64_t>(height, 1);
}

bool CWmfImage::Encode(CxImage& image, CImageFile& /*file*/)
{
    image.SetLastError("Save WMF not supported");
    return false;
}

#ifdef _WIN32

namespace {

struct EnhMetaFileDeleter {
    void operator()(HENHMETAFILE metafile) const { ::DeleteEnhMetaFile(metafile); }
};
using UniqueEnhMetaFile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetaFileDeleter>;

constexpr std::size_t kMetaHeaderBytes = 18;
// No metafile of a label picture comes near this; a damaged size field must
// not make the reader ask for gigabytes.
constexpr std::uint64_t kMaxMetafileBytes = 64ull * 1024 * 1024;

// Reads `bytes` bytes at the position into a vector; empty when they are not there.
std::vector<BYTE> ReadBlock(CImageFile& file, std::uint64_t bytes)
{
    std::vector<BYTE> block;
    if (bytes == 0 || bytes > kMaxMetafileBytes || Lacks(file, bytes))
        return block;
    try {
        block.resize(static_cast<std::size_t>(bytes));
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (!ReadExact(file, block.data(), block.size()))
        block.clear();
    return block;
}

// A placeable WMF at the position, converted into an enhanced metafile; its
// size in screen pixels goes to width and height.
UniqueEnhMetaFile WmfReadPlaceable(CImageFile& file, HDC screen, std::int64_t& width, std::int64_t& height)
{
    const std::int32_t start = file.Tell();
    BYTE bytes[WmfPlaceableHeader::kBytes] = {};
    if (start < 0 || !ReadExact(file, bytes, sizeof(bytes)))
        return nullptr;
    const WmfPlaceableHeader header = WmfPlaceableHeader::Parse(bytes);
    if (!WmfCheckHeader(header))
        return nullptr;

    // The metafile's own header gives its length in 16-bit words.
    BYTE metaHeader[kMetaHeaderBytes] = {};
    if (!ReadExact(file, metaHeader, sizeof(metaHeader)))
        return nullptr;
    const std::uint64_t metafileBytes = static_cast<std::uint64_t>(Le32(metaHeader + 6)) * 2;
    if (metafileBytes < kMetaHeaderBytes || !file.Seek(start + static_cast<std::int32_t>(sizeof(bytes)), 0))
        return nullptr;
    const std::vector<BYTE> metafile = ReadBlock(file, metafileBytes);
    if (metafile.empty())
        return nullptr;

    const std::int64_t dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
    const std::int64_t dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    const std::int64_t spanX = static_cast<std::int64_t>(header.right) - header.left;
    const std::int64_t spanY = static_cast<std::int64_t>(header.bottom) - header.top;
    width = spanX * dpiX / header.unitsPerInch;
    height = spanY * dpiY / header.unitsPerInch;

    // The suggested picture size, enlarged in steps of ten while it is small.
    std::int64_t xExt = width;
    std::int64_t yExt = height;
    if (xExt < 6554) {
        while (yExt < 6554 && xExt < 6553) {
            xExt *= 10;
            yExt *= 10;
            if (xExt <= 0 || yExt <= 0)
                break;
        }
    }
    METAFILEPICT picture{};
    picture.mm = MM_ANISOTROPIC;
    picture.xExt = static_cast<LONG>(std::clamp<std::int64_t>(xExt, -0x7FFFFFFF, 0x7FFFFFFF));
    picture.yExt = static_cast<LONG>(std::clamp<std::int64_t>(yExt, -0x7FFFFFFF, 0x7FFFFFFF));
    picture.hMF = nullptr;
    return UniqueEnhMetaFile(
        ::SetWinMetaFileBits(static_cast<UINT>(metafile.size()), metafile.data(), screen, &picture));
}

// An enhanced metafile from the position to the end of the file; its bounds
// in device pixels go to width and height.
UniqueEnhMetaFile EmfRead(CImageFile& file, std::int64_t& width, std::int64_t& height)
{
    const std::int64_t left = BytesLeft(file);
    if (left < static_cast<std::int64_t>(sizeof(ENHMETAHEADER)))
        return nullptr;
    const std::vector<BYTE> metafile = ReadBlock(file, static_cast<std::uint64_t>(left));
    if (metafile.empty())
        return nullptr;
    // The header record must be one and say no more than the data holds.
    ENHMETAHEADER claimed{};
    std::memcpy(&claimed, metafile.data(), sizeof(claimed));
    if (claimed.iType != EMR_HEADER || claimed.dSignature != ENHMETA_SIGNATURE || claimed.nBytes > metafile.size() ||
        claimed.nSize < 88 || claimed.nSize > claimed.nBytes)
        return nullptr;
    UniqueEnhMetaFile emf(::SetEnhMetaFileBits(claimed.nBytes, metafile.data()));
    if (!emf)
        return nullptr;
    ENHMETAHEADER header{};
    if (::GetEnhMetaFileHeader(emf.get(), sizeof(header), &header) == 0)
        return nullptr;
    width = static_cast<std::int64_t>(header.rclBounds.right) - header.rclBounds.left;
    height = static_cast<std::int64_t>(header.rclBounds.bottom) - header.rclBounds.top;
    return emf;
}

// The metafile's own palette, selected and realised for a scope.
class MetafilePalette {
public:
    MetafilePalette(HDC dc, HENHMETAFILE metafile) : m_dc(dc)
    {
        const UINT count = ::GetEnhMetaFilePaletteEntries(metafile, 0, nullptr);
        if (count == 0 || count == GDI_ERROR)
            return;
        if (count > 256) {
            m_failed = true;
            return;
        }
        std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
        auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(count);
        ::GetEnhMetaFilePaletteEntries(metafile, count, logical->palPalEntry);
        if (!m_palette.CreatePalette(logical)) {
            m_failed = true;
            return;
        }
        m_old = ::SelectPalette(dc, m_palette, FALSE);
        ::RealizePalette(dc);
    }
    ~MetafilePalette()
    {
        if (m_old)
            ::SelectPalette(m_dc, m_old, TRUE);
    }
    MetafilePalette(const MetafilePalette&) = delete;
    MetafilePalette& operator=(const MetafilePalette&) = delete;

    bool Failed() const { return m_failed; }

private:
    HDC m_dc;
    CPalette m_palette;
    HPALETTE m_old = nullptr;
    bool m_failed = false;
};

const char* DecodeMetafile(CxImage& image, CImageFile& file)
{
    CClientDC screen(nullptr);
    if (!screen.GetSafeHdc())
        return "No screen to draw on";

    const std::int32_t start = file.Tell();
    std::int64_t width = 0;
    std::int64_t height = 0;
    UniqueEnhMetaFile metafile = WmfReadPlaceable(file, screen, width, height);
    if (!metafile) {
        if (start < 0 || !file.Seek(start, 0))
            return "corrupted WMF";
        metafile = EmfRead(file, width, height);
    }
    if (!metafile)
        return "corrupted WMF";
    if (image.IsCancelled())
        return "Cancelled";
    if (width <= 0 || height <= 0)
        return "empty WMF";
    LimitSize(width, height);

    const RECT area{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    CMemoryDC memory(screen);
    CBitmap bitmap;
    if (!memory.GetSafeHdc() || !bitmap.CreateCompatibleBitmap(screen, area.right, area.bottom))
        return "Can't allocate memory";
    {
        CSelectGuard selected(memory, bitmap);
        // Whatever the metafile does not paint stays white.
        ::SetBkColor(memory, RGB(255, 255, 255));
        ::ExtTextOutA(memory, 0, 0, ETO_OPAQUE, &area, "", 0, nullptr);
        MetafilePalette palette(memory, metafile.get());
        if (palette.Failed())
            return "Cancelled";
        ::PlayEnhMetaFile(memory, metafile.get(), &area);
    }
    metafile.reset();
    if (image.IsCancelled())
        return "Cancelled";

    // The bitmap is no longer selected, so the system can read it out.
    if (!image.LoadFromBitmapHandle(bitmap))
        return *image.GetLastError() ? image.GetLastError() : "Can't allocate memory";
    image.SetFormat(kImageFormatWmf);
    return nullptr;
}

}  // namespace

bool CWmfImage::Decode(CxImage& image, CImageFile& file)
{
    if (const char* failure = DecodeMetafile(image, file)) {
        image.SetLastError(failure);
        return false;
    }
    return true;
}

#else

bool CWmfImage::Decode(CxImage& image, CImageFile& /*file*/)
{
    image.SetLastError("Metafiles need Windows");
    return false;
}

#endif
