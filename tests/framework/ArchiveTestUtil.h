#pragma once
// Helpers to write an archive into memory and read it back.

#include "framework/Archive.h"
#include "framework/File.h"

#include <windows.h>

#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

template <class WriteFn>
Bytes StoreToBytes(WriteFn write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    return file.Detach();
}

template <class ReadFn>
void LoadFromBytes(const Bytes& bytes, ReadFn read)
{
    CMemFile file(bytes.data(), bytes.size());
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// Little-endian pieces for building expected bytes.
inline void AppendWord(Bytes& out, unsigned value)
{
    out.push_back(static_cast<BYTE>(value & 0xFF));
    out.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
}

inline void AppendDword(Bytes& out, unsigned long value)
{
    AppendWord(out, value & 0xFFFF);
    AppendWord(out, (value >> 16) & 0xFFFF);
}

inline void AppendText(Bytes& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}

// A new-class record: 0xFFFF, schema, name length, name.
inline void AppendClassRecord(Bytes& out, unsigned schema, const std::string& name)
{
    AppendWord(out, 0xFFFF);
    AppendWord(out, schema);
    AppendWord(out, static_cast<unsigned>(name.size()));
    AppendText(out, name);
}
