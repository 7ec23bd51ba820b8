#pragma once
// The longest texts the reader takes from a document file: far beyond what
// the program writes, so that no real label is refused, and small enough that
// a file made elsewhere cannot hand the panes and controls a text they were
// never meant to show. A longer text makes the file unreadable.

#include <windows.h>

namespace RecordLimits {

// Each text of a property row (object name, caption, value, editor kind,
// choices) and the name and item type of a text record, in characters.
inline constexpr ULONGLONG kRowTextLength = 64 * 1024;
// The text of a Text or Track object.
inline constexpr ULONGLONG kTextValueLength = 8 * 1024 * 1024;
// The line layout an object keeps of its text ("Vector Data"): the text again
// with the places of its lines, so it is allowed more than the text itself.
// The reader drops it anyway.
inline constexpr ULONGLONG kLayoutCacheLength = 16 * kTextValueLength;

}  // namespace RecordLimits
