// The BMP codec: decoding bitmap files and bare DIBs, and writing bitmap files.
#include "imaging/BmpImage.h"

#include "imaging/CodecIo.h"
#include "imaging/ImageFile.h"
#include "imaging/xImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

using namespace codec_io;

namespace {

constexpr WORD kBmpMagic = 0x4D42;  // "BM"
constexpr DWORD kCoreHeaderSize = 12;
constexpr DWORD kInfoHeaderSize = 40;
// The largest header known has 124 bytes; anything far beyond is damage.
constexpr DWORD kMaxHeaderSize = 4096;

// Bytes of one stored pixel row of the file.
std::uint64_t FileRowBytes(std::uint64_t width, int bitCount)
{
    return (width * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

// Bytes of a row that carry pixels; the rest is padding, which the last row
// of a file may lack.
std::uint64_t UsedRowBytes(std::uint64_t width, int bitCount)
{
    return (width * static_cast<std::uint64_t>(bitCount) + 7) / 8;
}

bool IsSupportedDepth(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// The reason the compression does not suit the depth, or null.
const char* CompressionProblem(int bitCount, DWORD compression)
{
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
        if (compression == BI_RGB || (compression == BI_RLE8 && bitCount == 8) ||
            (compression == BI_RLE4 && bitCount == 4))
            return nullptr;
        return "compression type not supported";
    case 16:
    case 32:
        return compression == BI_RGB || compression == BI_BITFIELDS ? nullptr : "unknown compression";
    default:
        return compression == BI_RGB ? nullptr : "unknown compression";
    }
}

// Decodes into `image`; the reason of a failure, or null.
const char* DecodeBmp(CxImage& image, CImageFile& file)
{
    const std::int32_t start = file.Tell();
    if (start < 0)
        return "Not a BMP";

    BYTE fileHeader[sizeof(BITMAPFILEHEADER)] = {};
    if (!ReadExact(file, fileHeader, sizeof(fileHeader)))
        return "Not a BMP";
    const bool hasFileHeader = Le16(fileHeader) == kBmpMagic;
    const DWORD pixelOffset = hasFileHeader ? Le32(fileHeader + 10) : 0;
    // Without the magic the data is a bare DIB that starts with its info header.
    if (!hasFileHeader && !file.Seek(start, 0))
        return "Not a BMP";

    BmpInfoHeader info;
    if (!CBmpImage::ReadInfoHeader(file, info))
        return "Error reading BMP info";
    const BITMAPINFOHEADER& header = info.header;
    const int bitCount = header.biBitCount;
    const DWORD compression = header.biCompression;
    if (!IsSupportedDepth(bitCount))
        return "Unsupported BMP bit depth";
    if (const char* problem = CompressionProblem(bitCount, compression))
        return problem;

    // Rows are stored top-down when the height is negative.
    const std::int64_t width = header.biWidth;
    const bool topDown = header.biHeight < 0;
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
    if (width < 1 || height < 1 || height > INT32_MAX)
        return "Invalid image size";
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (pixelCount > kMaxImageBytes)
        return "Image too large";

    // The colour table: palette depths keep at most 2^bits entries; a longer
    // table (and the optional one of deeper images) is skipped.
    const std::uint64_t tableEntries = header.biClrUsed;
    const std::uint64_t paletteEntries =
        bitCount <= 8 ? std::min<std::uint64_t>(tableEntries, 1u << bitCount) : 0;
    const std::uint64_t entryBytes = info.core ? 3 : 4;
    const std::uint64_t tableBytes = tableEntries * entryBytes;
    const std::int64_t tableStart = file.Tell();
    if (tableStart < 0)
        return "Error reading BMP info";

    // Where the pixels start: at the file header's offset, else right after the table.
    std::uint64_t dataStart = static_cast<std::uint64_t>(tableStart) + tableBytes;
    if (hasFileHeader) {
        if (pixelOffset < sizeof(BITMAPFILEHEADER) + header.biSize)
            return "Invalid BMP pixel offset";
        dataStart = static_cast<std::uint64_t>(start) + pixelOffset;
    }
    const std::int64_t fileSize = file.Size();
    if (Lacks(file, paletteEntries * entryBytes))
        return "BMP palette truncated";
    if (fileSize >= 0 && dataStart > static_cast<std::uint64_t>(fileSize))
        return "BMP data truncated";
    const std::uint64_t dataAvailable =
        fileSize >= 0 ? static_cast<std::uint64_t>(fileSize) - dataStart : UINT64_MAX;

    // How many bytes of pixel data the picture needs, checked before any
    // memory is asked for.
    const bool runLength = compression == BI_RLE8 || compression == BI_RLE4;
    const std::uint64_t sourceRow = FileRowBytes(static_cast<std::uint64_t>(width), bitCount);
    const std::uint64_t sourceBytes = sourceRow * static_cast<std::uint64_t>(height);
    std::uint64_t dataBytes = 0;
    if (runLength) {
        if (info.imageSizeGiven) {
            dataBytes = header.biSizeImage;
            if (dataBytes > dataAvailable)
                return "BMP data truncated";
        } else {
            if (dataAvailable == UINT64_MAX)
                return "BMP data size unknown";
            dataBytes = dataAvailable;
        }
        if (dataBytes > kMaxImageBytes)
            return "Image too large";
    } else {
        if (sourceBytes > kMaxImageBytes)
            return "Image too large";
        const std::uint64_t lastRowPadding = sourceRow - UsedRowBytes(static_cast<std::uint64_t>(width), bitCount);
        if (sourceBytes - lastRowPadding > dataAvailable)
            return "BMP data truncated";
        dataBytes = std::min(sourceBytes, dataAvailable);
    }

    if (!image.Create(static_cast<int>(width), static_cast<int>(height), bitCount, kImageFormatBmp))
        return *image.GetLastError() ? image.GetLastError() : "Can't allocate memory";
    image.SetXDPI(CxImage::DpiFromPelsPerMeter(header.biXPelsPerMeter));
    image.SetYDPI(CxImage::DpiFromPelsPerMeter(header.biYPelsPerMeter));
    if (image.IsCancelled())
        return "Cancelled";

    if (paletteEntries > 0) {
        std::vector<BYTE> table(static_cast<std::size_t>(paletteEntries * entryBytes));
        if (!ReadExact(file, table.data(), table.size()))
            return "BMP palette truncated";
        for (std::size_t i = 0; i < paletteEntries; ++i) {
            const BYTE* entry = table.data() + i * entryBytes;
            // The reserved byte is not alpha in a bitmap file.
            image.SetPaletteColor(static_cast<BYTE>(i), RGBQUAD{entry[0], entry[1], entry[2], 0});
        }
    }
    if (image.IsCancelled())
        return "Cancelled";
    if (dataStart > INT32_MAX || !file.Seek(static_cast<std::int32_t>(dataStart), 0))
        return "BMP data truncated";

    if (runLength) {
        std::vector<BYTE> packed;
        try {
            packed.resize(static_cast<std::size_t>(dataBytes));
        } catch (const std::bad_alloc&) {
            return "can't allocate memory";
        }
        if (!ReadExact(file, packed.data(), packed.size()))
            return "BMP data truncated";
        DecodeBmpRunLength(packed.data(), packed.size(), bitCount, image);
    } else if (bitCount == 16 || bitCount == 32) {
        std::vector<BYTE> source;
        try {
            source.assign(static_cast<std::size_t>(sourceBytes), 0);
        } catch (const std::bad_alloc&) {
            return "can't allocate memory";
        }
        if (!ReadExact(file, source.data(), static_cast<std::size_t>(dataBytes)))
            return "BMP data truncated";
        // Without bit fields: 5-5-5 in 16 bits, one byte each (blue lowest) in 32.
        DWORD red = bitCount == 32 ? 0x00FF0000 : 0x7C00;
        DWORD green = bitCount == 32 ? 0x0000FF00 : 0x03E0;
        DWORD blue = bitCount == 32 ? 0x000000FF : 0x001F;
        if (compression == BI_BITFIELDS) {
            red = info.redMask;
            green = info.greenMask;
            blue = info.blueMask;
        }
        if (!image.ConvertBitfieldDib(source.data(), source.size(), red, green, blue, bitCount))
            return "BMP data truncated";
    } else {
        if (!ReadExact(file, image.GetBits(), static_cast<std::size_t>(dataBytes)))
            return "BMP data truncated";
    }

    if (topDown && !image.Flip())
        return "Can't allocate memory";
    return nullptr;
}

}  // namespace

bool CBmpImage::ReadInfoHeader(CImageFile& file, BmpInfoHeader& info)
{
    info = BmpInfoHeader{};
    const std::int32_t headerStart = file.Tell();
    BYTE bytes[kInfoHeaderSize] = {};
    if (headerStart < 0 || !ReadExact(file, bytes, 4))
        return false;
    const DWORD size = Le32(bytes);
    BITMAPINFOHEADER& header = info.header;

    if (size == kCoreHeaderSize) {
        if (!ReadExact(file, bytes + 4, kCoreHeaderSize - 4))
            return false;
        info.core = true;
        header.biSize = kCoreHeaderSize;
        header.biWidth = Le16(bytes + 4);
        header.biHeight = Le16(bytes + 6);
        header.biPlanes = Le16(bytes + 8);
        header.biBitCount = Le16(bytes + 10);
    } else {
        if (size < kInfoHeaderSize || size > kMaxHeaderSize)
            return false;
        if (!ReadExact(file, bytes + 4, kInfoHeaderSize - 4))
            return false;
        header.biSize = size;
        header.biWidth = static_cast<LONG>(Le32(bytes + 4));
        header.biHeight = static_cast<LONG>(Le32(bytes + 8));
        header.biPlanes = Le16(bytes + 12);
        header.biBitCount = Le16(bytes + 14);
        header.biCompression = Le32(bytes + 16);
        header.biSizeImage = Le32(bytes + 20);
        header.biXPelsPerMeter = static_cast<LONG>(Le32(bytes + 24));
        header.biYPelsPerMeter = static_cast<LONG>(Le32(bytes + 28));
        header.biClrUsed = Le32(bytes + 32);
        header.biClrImportant = Le32(bytes + 36);

        // The masks are part of the larger headers and follow the 40-byte one.
        if (header.biCompression == BI_BITFIELDS) {
            BYTE masks[12] = {};
            if (!ReadExact(file, masks, sizeof(masks)))
                return false;
            info.redMask = Le32(masks);
            info.greenMask = Le32(masks + 4);
            info.blueMask = Le32(masks + 8);
        }
        const std::int64_t afterHeader = static_cast<std::int64_t>(headerStart) + size;
        const std::int64_t position = file.Tell();
        if (position < afterHeader) {
            if (afterHeader > INT32_MAX || Lacks(file, static_cast<std::uint64_t>(afterHeader - position)) ||
                !file.Seek(static_cast<std::int32_t>(afterHeader), 0))
                return false;
        }
    }

    info.imageSizeGiven = header.biSizeImage != 0;
    if (header.biSizeImage == 0 && header.biWidth > 0) {
        const std::uint64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
        const std::uint64_t imageSize =
            FileRowBytes(static_cast<std::uint64_t>(header.biWidth), header.biBitCount) * height;
        header.biSizeImage = imageSize > UINT32_MAX ? UINT32_MAX : static_cast<DWORD>(imageSize);
    }
    if (header.biClrUsed == 0 && header.biBitCount <= 8)
        header.biClrUsed = 1u << header.biBitCount;
    return true;
}

bool CBmpImage::Decode(CxImage& image, CImageFile& file)
{
    if (const char* failure = DecodeBmp(image, file)) {
        image.SetLastError(failure);
        return false;
    }
    return true;
}

bool CBmpImage::Encode(CxImage& image, CImageFile& file)
{
    if (!image.IsValid()) {
        image.SetLastError("No image to encode");
        return false;
    }
    // The object's header is the truth; the rest of the DIB block (palette
    // and pixel rows) follows it in the file as it is in memory.
    BITMAPINFOHEADER header = image.GetHeader();
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biCompression = BI_RGB;
    header.biClrImportant = 0;
    const DWORD rest = image.GetPaletteSize() + header.biSizeImage;

    BYTE fileHeader[sizeof(BITMAPFILEHEADER)] = {};
    PutLe16(fileHeader, kBmpMagic);
    PutLe32(fileHeader + 2, image.GetSize() + sizeof(BITMAPFILEHEADER));
    PutLe32(fileHeader + 10, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + image.GetPaletteSize());

    if (!WriteExact(file, fileHeader, sizeof(fileHeader)) || !WriteExact(file, &header, sizeof(header)) ||
        !WriteExact(file, image.GetDIB() + sizeof(BITMAPINFOHEADER), rest)) {
        image.SetLastError("Can't write BMP");
        return false;
    }
    return true;
}
