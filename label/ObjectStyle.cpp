#include "label/ObjectStyle.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
// The sizes the font dialog lets the user choose run from 1 to 1638 points;
// GDI weights from 0 to 1000. A document made elsewhere may hold any number:
// it is read without overflowing and kept inside what the drawing can make a
// font of (0 is the size of a font without one).
constexpr long kLargestPoints = 1638;
constexpr long kHeaviestWeight = 1000;

long ClampedNumber(const std::string& text, long highest)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return std::clamp(value, 0L, highest);
}
}  // namespace

LOGFONTA ParseFontText(const CString& text)
{
    const std::string fontText = static_cast<LPCSTR>(text);
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        const size_t comma = fontText.find(',', start);
        parts.push_back(fontText.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    LOGFONTA font{};
    lstrcpynA(font.lfFaceName, parts[0].c_str(), LF_FACESIZE);
    font.lfHeight = parts.size() > 1 ? static_cast<LONG>(ClampedNumber(parts[1], kLargestPoints) * 10) : 100;
    font.lfWeight = parts.size() > 2 ? static_cast<LONG>(ClampedNumber(parts[2], kHeaviestWeight)) : FW_NORMAL;
    font.lfItalic = parts.size() > 3 && std::strtol(parts[3].c_str(), nullptr, 10) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    return font;
}

HorizontalAlignment ParseHorizontalAlignment(const CString& align)
{
    if (align == "Left" || align == "Top Left" || align == "Bottom Left")
        return HorizontalAlignment::Left;
    if (align == "Right" || align == "Top Right" || align == "Bottom Right")
        return HorizontalAlignment::Right;
    return HorizontalAlignment::Center;
}

VerticalAlignment ParseVerticalAlignment(const CString& align)
{
    if (align == "Top" || align == "Top Left" || align == "Top Right")
        return VerticalAlignment::Top;
    if (align == "Bottom" || align == "Bottom Left" || align == "Bottom Right")
        return VerticalAlignment::Bottom;
    return VerticalAlignment::Center;
}

int ParseAngle(const CString& angle)
{
    return angle == "180 degrees" ? 1800 : angle == "90 degrees" ? 900 : angle == "270 degrees" ? -900 : 0;
}

bool ParseColor(const CString& text, COLORREF& color)
{
    const char* p = static_cast<LPCSTR>(text);
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        char* end = nullptr;
        const long value = std::strtol(p, &end, 10);
        if (end == p || value < 0 || value > 255)
            return false;
        parts[i] = static_cast<int>(value);
        p = end;
        if (i < 2) {
            if (*p != ',')
                return false;
            ++p;
        }
    }
    color = RGB(parts[0], parts[1], parts[2]);
    return true;
}

const char* AlignmentName(HorizontalAlignment alignment)
{
    switch (alignment) {
    case HorizontalAlignment::Left: return "Left";
    case HorizontalAlignment::Right: return "Right";
    default: return "Center";
    }
}

const char* AlignmentName(VerticalAlignment alignment)
{
    switch (alignment) {
    case VerticalAlignment::Top: return "Top";
    case VerticalAlignment::Bottom: return "Bottom";
    default: return "Center";
    }
}
