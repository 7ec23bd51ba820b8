#include "framework/Conversions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

float StrToFloat(const CString& text)
{
    float value = 0.0f;
    if (std::sscanf(static_cast<const char*>(text), "%f", &value) != 1)
        return 0.0f;
    return std::isfinite(value) ? value : 0.0f;
}

double StrToDouble(const CString& text)
{
    double value = 0.0;
    if (std::sscanf(static_cast<const char*>(text), "%lf", &value) != 1)
        return 0.0;
    return std::isfinite(value) ? value : 0.0;
}

CString IntToStr(int value)
{
    return CString(std::to_string(value).c_str());
}

int ParseLeadingInt(const CString& text)
{
    const char* p = static_cast<const char*>(text);
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = (*p++ == '-');

    // Accumulate as a negative number so that the most negative int fits.
    constexpr long long kMin = std::numeric_limits<int>::min();
    long long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
    {
        value = value * 10 - (*p - '0');
        if (value < kMin)
        {
            value = kMin;
            // Skip the remaining digits; the result is already saturated.
            while (std::isdigit(static_cast<unsigned char>(*p)))
                ++p;
            break;
        }
    }
    if (negative)
        return static_cast<int>(value);
    return value == kMin ? std::numeric_limits<int>::max() : static_cast<int>(-value);
}
