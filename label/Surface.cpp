#include "label/Surface.h"

namespace {
const char* const kSurfaceNames[kSurfaceCount] = {"Back Cover", "Front Cover", "Disc 1", "Disc 2"};
}

Surface SurfaceFromName(const CString& name)
{
    for (int i = 0; i < kSurfaceCount; ++i)
        if (name == kSurfaceNames[i])
            return static_cast<Surface>(i);
    return Surface::None;
}

const char* SurfaceName(Surface surface)
{
    const int index = static_cast<int>(surface);
    return index >= 0 && index < kSurfaceCount ? kSurfaceNames[index] : "";
}
