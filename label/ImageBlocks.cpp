// The image blocks of the document file. A block is the format code and the
// byte length, each as decimal text ended by a line feed, and then the bytes.
// A block is never lost: one that can't be decoded, or whose format can't be
// written again, keeps its bytes in the image and is written back as it came.
#include "label/LabelModel.h"

#include "framework/Archive.h"
#include "imaging/ImageCodecs.h"

#include <oleauto.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// Longest decimal text of a block's code or length ("2147483647").
constexpr int kMaxNumberDigits = 10;

struct FreeBlock {
    void operator()(BYTE* block) const { std::free(block); }
};
using MallocBlock = std::unique_ptr<BYTE, FreeBlock>;

[[noreturn]] void ThrowDamaged(const CArchive& ar)
{
    throw CArchiveException(CArchiveException::genericException,
                            ar.GetFile() ? ar.GetFile()->GetFilePath() : CString());
}

// One line of a block header: decimal digits and a line feed, nothing else.
int ReadBlockNumber(CArchive& ar)
{
    long long value = 0;
    int digits = 0;
    for (;;) {
        char ch = 0;
        ar >> ch;
        if (ch == '\r' && digits > 0)
            ar >> ch;  // a line may end in "\r\n"
        if (ch == '\n')
            break;
        if (ch < '0' || ch > '9' || ++digits > kMaxNumberDigits)
            ThrowDamaged(ar);
        value = value * 10 + (ch - '0');
    }
    if (digits == 0 || value > 0x7FFFFFFF)
        ThrowDamaged(ar);
    return static_cast<int>(value);
}

// `length` bytes of the archive in a block of their own.
MallocBlock ReadBlockBytes(CArchive& ar, ULONGLONG length)
{
    if (length > kMaxImageBytes)
        ThrowDamaged(ar);
    ar.RequireBytes(length);
    MallocBlock block(static_cast<BYTE*>(std::malloc(static_cast<std::size_t>(length))));
    if (!block)
        throw std::bad_alloc();
    ar.ReadAll(block.get(), static_cast<UINT>(length));
    return block;
}

bool CanEncode(int format)
{
    return GetImageCodec(format == kImageFormatWmf ? kImageFormatPng : format).encode != nullptr;
}

// Fills `image` from a block's bytes. A JPEG keeps its bytes to be written
// unchanged; so does a block that would otherwise be lost: one that does not
// decode, or whose format has no encoder to write it again.
void TakeBlock(CxImage& image, MallocBlock block, DWORD length, int format)
{
    const bool decoded = image.DecodeMemory(block.get(), length, format);
    if (format == kImageFormatJpeg || !decoded || !CanEncode(image.GetFormat())) {
        image.SetFormat(format);
        image.SetUserBuffer(block.release(), length);
    }
}

// The first format an undecoded version-1 block looks like, for writing it back.
int GuessFormatOfBlock(const BYTE* bytes, DWORD length)
{
    if (length >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return kImageFormatJpeg;
    if (length >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0)
        return kImageFormatIco;
    return kImageFormatBmp;
}

// A variant as the framework's archive stores it, turned into its integer value.
class ArchivedVariant {
public:
    ArchivedVariant() { ::VariantInit(&m_value); }
    ~ArchivedVariant() { ::VariantClear(&m_value); }
    ArchivedVariant(const ArchivedVariant&) = delete;
    ArchivedVariant& operator=(const ArchivedVariant&) = delete;

    void Read(CArchive& ar)
    {
        WORD type = 0;
        ar >> type;
        switch (type) {
        case VT_EMPTY:
        case VT_NULL:
            break;
        case VT_I1:
        case VT_UI1:
            ar >> m_value.bVal;
            break;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            ar >> m_value.uiVal;
            break;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_ERROR:
        case VT_R4:
            ar >> m_value.ulVal;
            break;
        case VT_I8:
        case VT_UI8:
        case VT_R8:
        case VT_DATE:
        case VT_CY:
            ar >> m_value.ullVal;
            break;
        case VT_BSTR: {
            CString text;
            ar >> text;
            const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), text.GetLength(), nullptr, 0);
            std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength) + 1);
            ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), text.GetLength(), wide.data(), wideLength);
            m_value.bstrVal = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wideLength));
            if (!m_value.bstrVal)
                throw std::bad_alloc();
            break;
        }
        default:
            // Stored objects and arrays never hold a block length.
            ThrowDamaged(ar);
        }
        m_value.vt = type;
    }

    // The value as a 32-bit integer, as OLE Automation converts it.
    LONG ToLong(const CArchive& ar)
    {
        if (m_value.vt == VT_EMPTY || m_value.vt == VT_NULL)
            return 0;
        VARIANT number;
        ::VariantInit(&number);
        if (FAILED(::VariantChangeType(&number, &m_value, 0, VT_I4)))
            ThrowDamaged(ar);
        return number.lVal;
    }

private:
    VARIANT m_value;
};

}  // namespace

void CLabelModel::SerializeImageData(CArchive& ar, int imageNumber)
{
    if (ar.IsLoading()) {
        const int format = ReadBlockNumber(ar);
        const int length = ReadBlockNumber(ar);
        auto image = std::make_unique<CxImage>(format);
        image->SetFormat(format);
        if (length > 0)
            TakeBlock(*image, ReadBlockBytes(ar, static_cast<ULONGLONG>(length)), static_cast<DWORD>(length), format);
        // A block of length 0 still takes its slot, so later image numbers keep their images.
        m_images.push_back(std::move(image));
        return;
    }

    if (imageNumber < 0 || imageNumber >= static_cast<int>(m_images.size()) || !m_images[static_cast<size_t>(imageNumber)])
        throw std::out_of_range("no image of that number");
    CxImage& image = *m_images[static_cast<size_t>(imageNumber)];

    int format = image.GetFormat();
    const BYTE* bytes = nullptr;
    std::size_t length = 0;
    std::vector<BYTE> encoded;
    if (format == kImageFormatJpeg && image.GetUserBuffer()) {
        bytes = image.GetUserBuffer();
        length = image.GetUserValue();
    } else if (image.IsValid() &&
               image.EncodeToMemory(encoded, format == kImageFormatWmf ? kImageFormatPng : format)) {
        if (format == kImageFormatWmf)
            format = kImageFormatPng;
        bytes = encoded.data();
        length = encoded.size();
    } else if (image.GetUserBuffer()) {
        bytes = image.GetUserBuffer();
        length = image.GetUserValue();
    } else if (image.IsValid()) {
        // A picture that can be written neither way: the save must fail, not drop it.
        throw std::runtime_error(image.GetLastError());
    }

    CString header;
    header.Format("%d\n%u\n", format, static_cast<unsigned>(length));
    ar.WriteString(header);
    if (length > 0)
        ar.Write(bytes, static_cast<UINT>(length));
}

void CLabelModel::LoadPictureFromStream(CArchive& ar)
{
    ArchivedVariant variant;
    variant.Read(ar);
    const LONG length = variant.ToLong(ar);

    auto image = std::make_unique<CxImage>();
    if (length > 0) {
        MallocBlock block = ReadBlockBytes(ar, static_cast<ULONGLONG>(length));
        const DWORD size = static_cast<DWORD>(length);
        // Version-1 files say nothing of the format: an icon, a bitmap or a JPEG.
        bool decoded = false;
        for (const int format : {kImageFormatIco, kImageFormatBmp, kImageFormatJpeg}) {
            if (image->DecodeMemory(block.get(), size, format)) {
                decoded = true;
                break;
            }
        }
        const int format = decoded ? image->GetFormat() : GuessFormatOfBlock(block.get(), size);
        if (format == kImageFormatJpeg || !decoded || !CanEncode(format)) {
            image->SetFormat(format);
            image->SetUserBuffer(block.release(), size);
        }
    }
    m_images.push_back(std::move(image));
}
