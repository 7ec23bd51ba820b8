#pragma once

#include "framework/String.h"

// The four surfaces a label is drawn on. Their names are stored in the "View"
// rows of objects and in documents; everything else works with the enum.
enum class Surface
{
    BackCover = 0,
    FrontCover = 1,
    Disc1 = 2,
    Disc2 = 3,
    None = -1
};

constexpr int kSurfaceCount = 4;

// "Back Cover", "Front Cover", "Disc 1", "Disc 2"; None for any other name.
Surface SurfaceFromName(const CString& name);
// The stored name of a surface; empty for None.
const char* SurfaceName(Surface surface);
inline bool IsDisc(Surface surface) { return surface == Surface::Disc1 || surface == Surface::Disc2; }
inline int SurfaceIndex(Surface surface) { return static_cast<int>(surface); }
