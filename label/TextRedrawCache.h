#pragma once
// What the drawing of laid-out texts keeps from one redraw to the next. None
// of it changes what is drawn, so nothing has to clear it.

#include "label/TextMeasureMemo.h"
#include "label/WarmFonts.h"

struct CTextRedrawCache
{
    CTextMeasureMemo m_measures;  // widest cached lines and zoomed heights
    CWarmFonts m_warmFonts;       // the fonts the lines are drawn with, kept realized
};
