#include "uikit/ColorHelpers.h"

#include <algorithm>

namespace {

BYTE Channel(int value)
{
    return static_cast<BYTE>(std::clamp(value, 0, 255));
}

// a% of x plus b% of y, each term rounded on its own.
COLORREF Mix(COLORREF x, COLORREF y, int percentX, int percentY)
{
    return RGB(Channel(MulDiv(GetRValue(x), percentX, 100) + MulDiv(GetRValue(y), percentY, 100)),
               Channel(MulDiv(GetGValue(x), percentX, 100) + MulDiv(GetGValue(y), percentY, 100)),
               Channel(MulDiv(GetBValue(x), percentX, 100) + MulDiv(GetBValue(y), percentY, 100)));
}

// Each channel times `factor`, truncated and held to 0..255.
COLORREF ScaleChannels(COLORREF c, double factor)
{
    const auto scale = [factor](BYTE channel) { return Channel(static_cast<int>(channel * factor)); };
    return RGB(scale(GetRValue(c)), scale(GetGValue(c)), scale(GetBValue(c)));
}

}  // namespace

COLORREF DarkenColour(int a, COLORREF c)
{
    const int keep = 255 - a;
    return RGB(Channel(MulDiv(GetRValue(c), keep, 255)), Channel(MulDiv(GetGValue(c), keep, 255)),
               Channel(MulDiv(GetBValue(c), keep, 255)));
}

COLORREF LightenColour(int n, COLORREF c)
{
    const auto lighten = [n](int channel) { return Channel(channel + MulDiv(255 - channel, n, 255)); };
    return RGB(lighten(GetRValue(c)), lighten(GetGValue(c)), lighten(GetBValue(c)));
}

COLORREF MixColour86(COLORREF a, COLORREF b)
{
    return Mix(a, b, 86, 14);
}

COLORREF MixColour70(COLORREF a, COLORREF b)
{
    return Mix(a, b, 70, 30);
}

COLORREF GreyColour(COLORREF c)
{
    const BYTE grey = Channel(MulDiv(GetRValue(c) + GetGValue(c) + GetBValue(c), 1, 3));
    return RGB(grey, grey, grey);
}

COLORREF ShadowTint(COLORREF c)
{
    return RGB(Channel(MulDiv(GetRValue(c), 7, 10)), Channel(MulDiv(GetGValue(c), 7, 10)),
               Channel(MulDiv(GetBValue(c) + 55, 7, 10)));
}

COLORREF DarkenColor(COLORREF color, double factor)
{
    return ScaleChannels(color, std::clamp(factor, 0.0, 1.0));
}

COLORREF LightenColor(COLORREF color, double factor)
{
    return ScaleChannels(color, std::max(factor, 1.0));
}
