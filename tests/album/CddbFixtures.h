#pragma once
// The album-database replies and xmcd records of tests/data/cddb (also the
// seeds of the reply and record fuzz targets).

#include "support/TestDataPath.h"

#include <cstdio>
#include <string>

inline std::string CddbFixturePath(const std::string& name)
{
    return TestDataPath("cddb/" + name);
}

inline std::string ReadCddbFixture(const std::string& name)
{
    std::string text;
    if (std::FILE* file = std::fopen(CddbFixturePath(name).c_str(), "rb")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
            text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

// The same text with every line ended by "\r\n", as servers send it.
inline std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n' && (out.empty() || out.back() != '\r'))
            out += '\r';
        out += c;
    }
    return out;
}
