#include "framework/Archive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

static_assert(std::endian::native == std::endian::little, "the archive writes numbers as they lie in memory");

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
// Indices must stay below the bit that marks a class in the 32-bit form.
constexpr DWORD kMaxIndex = 0x7FFFFFFEu;
// Longer class names are refused as damage; ours are a few characters.
constexpr WORD kMaxClassNameLength = 255;
constexpr std::size_t kMinBufferSize = 128;

}  // namespace

CArchive::CArchive(CByteStream* file, UINT mode, int bufferSize)
    : m_pFile(file),
      m_nMode(mode),
      m_buffer(std::max<std::size_t>(bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 0, kMinBufferSize))
{
    if (!m_pFile)
        throw CArchiveException(CArchiveException::genericException, CString());
    if (IsLoading()) {
        m_loaded.emplace_back();  // index 0: the null object
        try {
            const ULONGLONG length = m_pFile->GetLength();
            const ULONGLONG position = m_pFile->GetPosition();
            m_streamAvailable = length > position ? length - position : 0;
            m_lengthKnown = true;
        } catch (const CFrameworkException&) {
            m_lengthKnown = false;  // a stream of unknown length: counts go unchecked
        }
    }
}

CArchive::~CArchive()
{
    if (m_pFile && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (...) {
            // A destructor must not throw; Close reports write errors.
        }
    }
}

void CArchive::ThrowArchive(int cause) const
{
    throw CArchiveException(static_cast<CArchiveException::Cause>(cause),
                            m_pFile ? m_pFile->GetFilePath() : CString());
}

void CArchive::RequireOpen() const
{
    if (!m_pFile)
        ThrowArchive(CArchiveException::genericException);
}

void CArchive::RequireLoading() const
{
    RequireOpen();
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
}

void CArchive::RequireStoring() const
{
    RequireOpen();
    if (IsLoading())
        ThrowArchive(CArchiveException::readOnly);
}

void CArchive::Flush()
{
    RequireOpen();
    if (IsStoring() && m_bufferPos > 0) {
        const UINT count = static_cast<UINT>(m_bufferPos);
        m_bufferPos = 0;  // dropped even if the write throws, so the destructor does not retry it
        m_pFile->Write(m_buffer.data(), count);
    }
}

void CArchive::Close()
{
    if (!m_pFile)
        return;
    if (IsStoring()) {
        Flush();
    } else if (m_bufferEnd > m_bufferPos) {
        m_pFile->Seek(-static_cast<LONGLONG>(m_bufferEnd - m_bufferPos), CByteStream::current);
    }
    m_pFile = nullptr;
}

void CArchive::Abort() noexcept
{
    m_pFile = nullptr;
}

bool CArchive::FillBuffer()
{
    m_bufferPos = 0;
    m_bufferEnd = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    m_streamConsumed += m_bufferEnd;
    return m_bufferEnd > 0;
}

UINT CArchive::Read(void* buffer, UINT count)
{
    RequireLoading();
    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (m_bufferPos == m_bufferEnd) {
            const UINT left = count - done;
            if (left >= m_buffer.size()) {
                // Large blocks go straight from the stream, not through the buffer.
                const UINT got = m_pFile->Read(out + done, left);
                m_streamConsumed += got;
                if (got == 0)
                    break;
                done += got;
                continue;
            }
            if (!FillBuffer())
                break;
        }
        const std::size_t n = std::min<std::size_t>(count - done, m_bufferEnd - m_bufferPos);
        std::memcpy(out + done, m_buffer.data() + m_bufferPos, n);
        m_bufferPos += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CArchive::ReadAll(void* buffer, UINT count)
{
    RequireLoading();
    if (m_bufferEnd - m_bufferPos >= count) {
        std::memcpy(buffer, m_buffer.data() + m_bufferPos, count);
        m_bufferPos += count;
        return;
    }
    if (Read(buffer, count) != count)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buffer, UINT count)
{
    RequireStoring();
    const BYTE* in = static_cast<const BYTE*>(buffer);
    if (count <= m_buffer.size() - m_bufferPos) {
        std::memcpy(m_buffer.data() + m_bufferPos, in, count);
        m_bufferPos += count;
        return;
    }
    Flush();
    if (count >= m_buffer.size()) {
        m_pFile->Write(in, count);
    } else {
        std::memcpy(m_buffer.data(), in, count);
        m_bufferPos = count;
    }
}

ULONGLONG CArchive::GetBytesRemaining() const
{
    RequireLoading();
    if (!m_lengthKnown)
        return std::numeric_limits<ULONGLONG>::max();
    const ULONGLONG inStream = m_streamAvailable > m_streamConsumed ? m_streamAvailable - m_streamConsumed : 0;
    return inStream + (m_bufferEnd - m_bufferPos);
}

void CArchive::RequireBytes(ULONGLONG count) const
{
    if (count > GetBytesRemaining())
        ThrowArchive(CArchiveException::endOfFile);
}

CArchive& CArchive::operator<<(const RECT& value)
{
    return *this << value.left << value.top << value.right << value.bottom;
}

CArchive& CArchive::operator<<(const POINT& value)
{
    return *this << value.x << value.y;
}

CArchive& CArchive::operator<<(const SIZE& value)
{
    return *this << value.cx << value.cy;
}

CArchive& CArchive::operator>>(RECT& value)
{
    return *this >> value.left >> value.top >> value.right >> value.bottom;
}

CArchive& CArchive::operator>>(POINT& value)
{
    return *this >> value.x >> value.y;
}

CArchive& CArchive::operator>>(SIZE& value)
{
    return *this >> value.cx >> value.cy;
}

CArchive& CArchive::operator<<(const CString& value)
{
    const std::size_t length = value.str().size();
    if (length < 0xFF) {
        *this << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else {
        if (length > 0xFFFFFFFFu)
            ThrowArchive(CArchiveException::genericException);
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(length);
    }
    Write(value.c_str(), static_cast<UINT>(length));
    return *this;
}

ULONGLONG CArchive::ReadStringLength(bool& wide)
{
    wide = false;
    BYTE byteLength = 0;
    *this >> byteLength;
    if (byteLength < 0xFF)
        return byteLength;
    WORD wordLength = 0;
    *this >> wordLength;
    if (wordLength == 0xFFFE) {
        // Marker of a wide-character string; its length follows in the same form.
        wide = true;
        *this >> byteLength;
        if (byteLength < 0xFF)
            return byteLength;
        *this >> wordLength;
    }
    if (wordLength < 0xFFFF)
        return wordLength;
    DWORD dwordLength = 0;
    *this >> dwordLength;
    return dwordLength;
}

CArchive& CArchive::operator>>(CString& value)
{
    return ReadBoundedString(value, ~ULONGLONG{0});
}

CArchive& CArchive::ReadBoundedString(CString& value, ULONGLONG maxLength)
{
    bool wide = false;
    const ULONGLONG length = ReadStringLength(wide);
    if (length > maxLength)
        ThrowArchive(CArchiveException::tooLong);
    const ULONGLONG bytes = wide ? length * sizeof(wchar_t) : length;
    RequireBytes(bytes);
    if (bytes > 0x7FFFFFFFu)
        ThrowArchive(CArchiveException::endOfFile);
    if (!wide) {
        CString text;
        char* buffer = text.GetBufferSetLength(static_cast<int>(length));
        ReadAll(buffer, static_cast<UINT>(length));
        value = std::move(text);
        return *this;
    }
    std::vector<wchar_t> characters(static_cast<std::size_t>(length));
    ReadAll(characters.data(), static_cast<UINT>(bytes));
    CString text;
    if (length > 0) {
        const int count = static_cast<int>(length);
        const int needed = ::WideCharToMultiByte(CP_ACP, 0, characters.data(), count, nullptr, 0, nullptr, nullptr);
        if (needed > 0) {
            char* buffer = text.GetBufferSetLength(needed);
            const int converted =
                ::WideCharToMultiByte(CP_ACP, 0, characters.data(), count, buffer, needed, nullptr, nullptr);
            text.ReleaseBuffer(std::max(converted, 0));
        }
    }
    value = std::move(text);
    return *this;
}

CArchive& CArchive::operator<<(const CObject* object)
{
    WriteObject(object);
    return *this;
}

CArchive& CArchive::operator>>(CObject*& object)
{
    object = ReadObject(nullptr);
    return *this;
}

DWORD CArchive::NextIndex()
{
    if (m_nNextIndex > kMaxIndex)
        ThrowArchive(CArchiveException::genericException);
    return m_nNextIndex++;
}

void CArchive::WriteIndexTag(DWORD index, bool isClass)
{
    if (index < kBigObjectTag) {
        *this << static_cast<WORD>(isClass ? (kClassTag | index) : index);
    } else {
        *this << kBigObjectTag << static_cast<DWORD>(isClass ? (kBigClassTag | index) : index);
    }
}

void CArchive::WriteClass(const CRuntimeClass* runtimeClass)
{
    const auto known = m_storedClasses.find(runtimeClass);
    if (known != m_storedClasses.end()) {
        WriteIndexTag(known->second, true);
        return;
    }
    const std::size_t nameLength = std::strlen(runtimeClass->m_lpszClassName);
    if (nameLength == 0 || nameLength > kMaxClassNameLength)
        ThrowArchive(CArchiveException::badClass);
    *this << kNewClassTag << static_cast<WORD>(runtimeClass->GetSchemaNumber()) << static_cast<WORD>(nameLength);
    Write(runtimeClass->m_lpszClassName, static_cast<UINT>(nameLength));
    m_storedClasses.emplace(runtimeClass, NextIndex());
}

void CArchive::WriteObject(const CObject* object)
{
    RequireStoring();
    if (!object) {
        *this << kNullTag;
        return;
    }
    const auto known = m_storedObjects.find(object);
    if (known != m_storedObjects.end()) {
        WriteIndexTag(known->second, false);
        return;
    }
    const CRuntimeClass* runtimeClass = object->GetRuntimeClass();
    if (!runtimeClass->IsSerializable())
        ThrowArchive(CArchiveException::badClass);
    WriteClass(runtimeClass);
    // Numbered before its fields are written, so the object can refer to itself.
    m_storedObjects.emplace(object, NextIndex());
    const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requestedClass, UINT& schema, DWORD& objectIndex)
{
    WORD tag = 0;
    *this >> tag;
    DWORD fullTag = 0;
    if (tag == kBigObjectTag)
        *this >> fullTag;
    else
        fullTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);

    if (!(fullTag & kBigClassTag)) {
        objectIndex = fullTag;
        return nullptr;
    }

    const CRuntimeClass* runtimeClass = nullptr;
    if (tag == kNewClassTag) {
        WORD storedSchema = 0;
        WORD nameLength = 0;
        *this >> storedSchema >> nameLength;
        if (nameLength == 0 || nameLength > kMaxClassNameLength)
            ThrowArchive(CArchiveException::badClass);
        char name[kMaxClassNameLength + 1] = {};
        ReadAll(name, nameLength);
        runtimeClass = CRuntimeClass::FromName(name);
        if (!runtimeClass || !runtimeClass->IsSerializable())
            ThrowArchive(CArchiveException::badClass);
        if (!runtimeClass->IsVersionable() && runtimeClass->GetSchemaNumber() != storedSchema)
            ThrowArchive(CArchiveException::badSchema);
        if (m_nNextIndex > kMaxIndex)
            ThrowArchive(CArchiveException::badIndex);
        LoadedEntry entry;
        entry.runtimeClass = runtimeClass;
        entry.schema = storedSchema;
        m_loaded.push_back(entry);
        ++m_nNextIndex;
        schema = storedSchema;
    } else {
        const DWORD classIndex = fullTag & ~kBigClassTag;
        if (classIndex == 0 || classIndex >= m_loaded.size() || !m_loaded[classIndex].runtimeClass)
            ThrowArchive(CArchiveException::badIndex);
        runtimeClass = m_loaded[classIndex].runtimeClass;
        schema = m_loaded[classIndex].schema;
    }
    if (requestedClass && !runtimeClass->IsDerivedFrom(requestedClass))
        ThrowArchive(CArchiveException::badClass);
    return runtimeClass;
}

CArchive::ReadResult CArchive::ReadObjectTracked(const CRuntimeClass* requestedClass)
{
    RequireLoading();
    if (m_bObjectReadFailed)
        ThrowArchive(CArchiveException::genericException);
    if (m_nDepth >= kMaxObjectDepth) {
        m_bObjectReadFailed = true;
        ThrowArchive(CArchiveException::badIndex);
    }
    // Whatever goes wrong below (damage, or an exception from an object's own
    // Serialize), pointers handed out so far may not survive the unwinding.
    struct FailureMark {
        bool& failed;
        bool done = false;
        ~FailureMark()
        {
            if (!done)
                failed = true;
        }
    } failureMark{m_bObjectReadFailed};

    UINT schema = 0;
    DWORD objectIndex = 0;
    const CRuntimeClass* runtimeClass = ReadClass(requestedClass, schema, objectIndex);
    if (!runtimeClass) {
        if (objectIndex >= m_loaded.size() || (objectIndex != 0 && !m_loaded[objectIndex].object))
            ThrowArchive(CArchiveException::badIndex);
        CObject* object = m_loaded[objectIndex].object;
        if (object && requestedClass && !object->IsKindOf(requestedClass))
            ThrowArchive(CArchiveException::badClass);
        failureMark.done = true;
        return {object, false};
    }

    std::unique_ptr<CObject> object = runtimeClass->CreateObject();
    if (!object)
        ThrowArchive(CArchiveException::badClass);
    if (m_nNextIndex > kMaxIndex)
        ThrowArchive(CArchiveException::badIndex);
    // Entered before its fields are read, so the object can refer to itself.
    LoadedEntry entry;
    entry.object = object.get();
    const std::size_t entryIndex = m_loaded.size();
    m_loaded.push_back(entry);
    ++m_nNextIndex;

    const UINT outerSchema = m_nObjectSchema;
    m_nObjectSchema = schema;
    ++m_nDepth;
    try {
        object->Serialize(*this);
    } catch (...) {
        --m_nDepth;
        m_nObjectSchema = outerSchema;
        m_loaded[entryIndex].object = nullptr;
        throw;
    }
    --m_nDepth;
    m_nObjectSchema = outerSchema;
    failureMark.done = true;
    return {object.release(), true};
}

CObject* CArchive::ReadObject(const CRuntimeClass* requestedClass)
{
    return ReadObjectTracked(requestedClass).object;
}

std::unique_ptr<CObject> CArchive::ReadNewObject(const CRuntimeClass* requestedClass)
{
    const ReadResult result = ReadObjectTracked(requestedClass);
    if (!result.isNew) {
        if (result.object) {
            m_bObjectReadFailed = true;
            ThrowArchive(CArchiveException::badIndex);
        }
        return nullptr;
    }
    return std::unique_ptr<CObject>(result.object);
}

CObject* ReadObjectOfClass(CArchive& ar, const CRuntimeClass* requestedClass)
{
    return ar.ReadObject(requestedClass);
}

void CArchive::WriteCount(ULONGLONG count)
{
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
    } else {
        if (count > 0xFFFFFFFFu)
            ThrowArchive(CArchiveException::genericException);
        *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(count);
    }
}

ULONGLONG CArchive::ReadCount(UINT minBytesPerItem)
{
    WORD shortCount = 0;
    *this >> shortCount;
    ULONGLONG count = shortCount;
    if (shortCount == 0xFFFF) {
        DWORD longCount = 0;
        *this >> longCount;
        count = longCount;
    }
    RequireBytes(count * minBytesPerItem);  // at most 2^32 * 2^32: no overflow in 64 bits
    return count;
}

void CArchive::WriteString(const char* text)
{
    if (text)
        Write(text, static_cast<UINT>(std::strlen(text)));
}

bool CArchive::ReadString(CString& line)
{
    RequireLoading();
    std::string text;
    bool any = false;
    for (;;) {
        if (m_bufferPos == m_bufferEnd && !FillBuffer())
            break;
        any = true;
        const BYTE* start = m_buffer.data() + m_bufferPos;
        const std::size_t available = m_bufferEnd - m_bufferPos;
        const void* newline = std::memchr(start, '\n', available);
        if (newline) {
            const std::size_t n = static_cast<const BYTE*>(newline) - start;
            text.append(reinterpret_cast<const char*>(start), n);
            m_bufferPos += n + 1;
            break;
        }
        text.append(reinterpret_cast<const char*>(start), available);
        m_bufferPos = m_bufferEnd;
    }
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    line = CString(std::move(text));
    return any;
}
