#pragma once

#include "framework/String.h"

// The file patterns of the Images pane, chosen by the setting "BrowseFilter".
constexpr int kImageFilterCount = 7;

// The pattern at that index; an index outside the table (a damaged or
// hand-edited setting) gives the pattern of every image type, index 0.
CString ImageFilterForIndex(int index);
