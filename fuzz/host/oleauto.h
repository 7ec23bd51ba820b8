#pragma once
// The variant calls the reader of version-1 image blocks uses, for the host
// build of the fuzz targets only. A variant turns into a 32-bit integer when
// its value fits one; anything else fails, as a length that can't be a
// length must. The program itself uses the system's OLE Automation.

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

using BSTR = wchar_t*;
using VARTYPE = WORD;

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
};

constexpr HRESULT S_OK = 0;
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1, wReserved2, wReserved3;
    union {
        BYTE bVal;
        USHORT uiVal;
        ULONG ulVal;
        LONG lVal;
        ULONGLONG ullVal;
        BSTR bstrVal;
    };
};

// A BSTR keeps its length in characters in front of its text; kept here as a
// whole heap block so SysFreeString frees what SysAllocStringLen made.
inline BSTR SysAllocStringLen(const wchar_t* text, UINT length)
{
    auto* block = static_cast<wchar_t*>(std::calloc(length + 3, sizeof(wchar_t)));
    if (!block)
        return nullptr;
    block[0] = static_cast<wchar_t>(length & 0xFFFF);
    block[1] = static_cast<wchar_t>(length >> 16);
    for (UINT i = 0; text && i < length; ++i)
        block[2 + i] = text[i];
    return block + 2;
}
inline void SysFreeString(BSTR text)
{
    if (text)
        std::free(text - 2);
}
inline UINT SysStringLen(BSTR text)
{
    return text ? static_cast<UINT>(static_cast<unsigned short>(text[-2])) |
                      (static_cast<UINT>(static_cast<unsigned short>(text[-1])) << 16)
                : 0;
}

inline void VariantInit(VARIANT* value)
{
    value->vt = VT_EMPTY;
    value->ullVal = 0;
}
inline HRESULT VariantClear(VARIANT* value)
{
    if (value->vt == VT_BSTR)
        SysFreeString(value->bstrVal);
    VariantInit(value);
    return S_OK;
}

inline HRESULT VariantChangeType(VARIANT* out, const VARIANT* in, USHORT, VARTYPE type)
{
    if (type != VT_I4)
        return DISP_E_TYPEMISMATCH;
    long double number = 0;
    switch (in->vt) {
    case VT_EMPTY: number = 0; break;
    case VT_I1: number = static_cast<signed char>(in->bVal); break;
    case VT_UI1: number = in->bVal; break;
    case VT_I2: number = static_cast<SHORT>(in->uiVal); break;
    case VT_BOOL: number = static_cast<SHORT>(in->uiVal); break;
    case VT_UI2: number = in->uiVal; break;
    case VT_I4: case VT_INT: case VT_ERROR: number = static_cast<LONG>(in->ulVal); break;
    case VT_UI4: case VT_UINT: number = in->ulVal; break;
    case VT_I8: number = static_cast<LONGLONG>(in->ullVal); break;
    case VT_UI8: number = in->ullVal; break;
    case VT_CY: number = static_cast<long double>(static_cast<LONGLONG>(in->ullVal)) / 10000; break;
    case VT_R4: {
        float value;
        std::memcpy(&value, &in->ulVal, sizeof value);
        number = value;
        break;
    }
    case VT_R8: case VT_DATE: {
        double value;
        std::memcpy(&value, &in->ullVal, sizeof value);
        number = value;
        break;
    }
    case VT_BSTR: {
        std::string text;
        for (UINT i = 0; i < SysStringLen(in->bstrVal); ++i)
            text += static_cast<unsigned>(in->bstrVal[i]) < 128 ? static_cast<char>(in->bstrVal[i]) : '?';
        char* end = nullptr;
        number = std::strtold(text.c_str(), &end);
        if (text.empty() || *end != '\0')
            return DISP_E_TYPEMISMATCH;
        break;
    }
    default: return DISP_E_TYPEMISMATCH;
    }
    number = std::nearbyint(number);
    if (!(number >= std::numeric_limits<LONG>::min() && number <= std::numeric_limits<LONG>::max()))
        return DISP_E_OVERFLOW;
    out->vt = VT_I4;
    out->lVal = static_cast<LONG>(number);
    return S_OK;
}
