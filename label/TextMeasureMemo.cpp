#include "label/TextMeasureMemo.h"

#include <algorithm>
#include <cstring>

namespace
{
template <class T>
void Append(std::string& key, const T& value)
{
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}
}  // namespace

std::string CTextMeasureMemo::Key(HDC dc, const LOGFONTA& font, int zoom, const CString& text)
{
    // What turns a point size into a font and text into an extent on this
    // context: its kind, resolution, mapping and spacing. The same label drawn
    // on the screen and on a printer is measured apart.
    SIZE windowExtent{}, viewportExtent{};
    ::GetWindowExtEx(dc, &windowExtent);
    ::GetViewportExtEx(dc, &viewportExtent);
    XFORM world{1, 0, 0, 1, 0, 0};
    ::GetWorldTransform(dc, &world);

    // Fonts are made with their orientation set to the escapement, and a face
    // name counts up to its end only.
    LOGFONTA described = font;
    described.lfOrientation = described.lfEscapement;
    const size_t faceLength = ::strnlen(described.lfFaceName, LF_FACESIZE);
    std::fill(described.lfFaceName + faceLength, described.lfFaceName + LF_FACESIZE, '\0');

    std::string key;
    key.reserve(128 + static_cast<size_t>(text.GetLength()));
    Append(key, ::GetDeviceCaps(dc, TECHNOLOGY));
    Append(key, ::GetDeviceCaps(dc, LOGPIXELSX));
    Append(key, ::GetDeviceCaps(dc, LOGPIXELSY));
    Append(key, ::GetMapMode(dc));
    Append(key, windowExtent);
    Append(key, viewportExtent);
    Append(key, world);
    Append(key, ::GetTextCharacterExtra(dc));
    Append(key, described);
    Append(key, zoom);
    key.append(text.c_str(), static_cast<size_t>(text.GetLength()));
    return key;
}
