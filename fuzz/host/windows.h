#pragma once
// The few Windows types and calls that the document reader, the label model
// and the label-paper reader use, for the host build of their fuzz targets.
// The program itself is always built against the real <windows.h>; this
// folder is on the include path of the fuzz build only. Wide characters are
// two bytes there, as on Windows (the fuzz build uses -fshort-wchar).

// The image types (and RGB) that the codecs' host build declares already.
#include "imaging/ImageTypes.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

static_assert(sizeof(wchar_t) == 2, "the host build of the document reader needs -fshort-wchar");

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using BOOL = int;
using CHAR = char;
using WCHAR = wchar_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPVOID = void*;
using HANDLE = void*;
using HINSTANCE = struct HINSTANCE__*;
using HMODULE = HINSTANCE;
using HRESULT = LONG;
using COLORREF = DWORD;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define MAX_PATH 260
#define CP_ACP 0
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
struct POINT {
    LONG x;
    LONG y;
};
struct SIZE {
    LONG cx;
    LONG cy;
};

// The system error codes the file and archive exceptions sort into causes.
constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_DRIVE = 15;
constexpr DWORD ERROR_WRITE_PROTECT = 19;
constexpr DWORD ERROR_CRC = 23;
constexpr DWORD ERROR_SEEK = 25;
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_READ_FAULT = 30;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_LOCK_VIOLATION = 33;
constexpr DWORD ERROR_HANDLE_EOF = 38;
constexpr DWORD ERROR_HANDLE_DISK_FULL = 39;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_NEGATIVE_SEEK = 131;
constexpr DWORD ERROR_BAD_PATHNAME = 161;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_INVALID_NAME = 123;

// A font as the label's text objects describe it.
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_CHARSET = 1;
struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};

// Single-byte code page: the low 256 characters map one to one, the rest to '?'.
inline int WideCharToMultiByte(UINT, DWORD, const wchar_t* wide, int count, char* out, int outSize, const char*,
                               BOOL*)
{
    if (!out || outSize == 0)
        return count;
    const int n = count < outSize ? count : outSize;
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<unsigned>(wide[i]) < 256 ? static_cast<char>(wide[i]) : '?';
    return n;
}

inline int MultiByteToWideChar(UINT, DWORD, const char* text, int count, wchar_t* out, int outSize)
{
    if (count < 0)
        count = static_cast<int>(std::strlen(text)) + 1;
    if (!out || outSize == 0)
        return count;
    const int n = count < outSize ? count : outSize;
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    return n;
}

inline char* lstrcpynA(char* out, const char* text, int size)
{
    if (size <= 0)
        return out;
    std::strncpy(out, text, static_cast<std::size_t>(size - 1));
    out[size - 1] = '\0';
    return out;
}

// No string resources on the host.
inline HMODULE GetModuleHandleA(const char*) { return nullptr; }
inline int LoadStringA(HINSTANCE, UINT, char*, int) { return 0; }
