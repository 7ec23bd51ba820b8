#include "view/ImageFilters.h"

namespace
{
constexpr const char* kImageFilters[kImageFilterCount] = {
    "*.jpg;*.jpeg;*.png;*.bmp;*.wmf;*.ico;*.pcx;*.dib;*.emf",
    "*.jpg;*.jpeg",
    "*.bmp;*.dib",
    "*.png",
    "*.wmf;*.emf",
    "*.ico",
    "*.pcx",
};
}  // namespace

CString ImageFilterForIndex(int index)
{
    if (index < 0 || index >= kImageFilterCount)
        index = 0;
    return CString(kImageFilters[index]);
}
