#pragma once
// The font of menu titles: "Arial", 16 pixels, bold; turned 90 degrees for a
// vertical title band.

#include "framework/Gdi.h"

#include <windows.h>

LOGFONTA MenuTitleLogFont(bool vertical);
CFont CreateMenuTitleFont(bool vertical);
