#pragma once

#include "framework/String.h"

// The track list of a new track-list object and of a default template: seven
// tracks "Track 1" to "Track 7" (each name followed by `disc`, e.g. " - Disc 1")
// of 0:01 to 0:07.
CString PlaceholderTrackList(const CString& disc);
