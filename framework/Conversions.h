#pragma once

#include "framework/String.h"

// Text to a single-precision number as "%f" reads it. A text without a leading
// number, or one that reads as infinity or NaN, gives 0: callers multiply the
// result and truncate it to an int, which a non-finite value would make undefined.
float StrToFloat(const CString& text);

// Text to a double-precision number as "%lf" reads it, with the same rules: a
// text without a leading number, or a non-finite one, gives 0. Decimal texts
// of up to 15 digits read back exactly as written.
double StrToDouble(const CString& text);

// The value as decimal text, with a minus sign for negatives.
CString IntToStr(int value);

// The decimal number at the start of the text: leading blanks and one sign are
// skipped, reading stops at the first other character, no digits give 0. Values
// beyond the range of an int are clamped to it.
int ParseLeadingInt(const CString& text);
