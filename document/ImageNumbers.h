#pragma once

#include "framework/String.h"
#include "label/LabelRows.h"

#include <vector>

// The value of an "Image Number" row as a slot number: plain decimal digits
// only; false for anything else, which names no slot.
bool ParseImageNumber(const CString& text, int& number);

// The slot numbers below `imageCount` that Image objects refer to, ascending
// and each once: the images a document file keeps. The k-th of them is image k
// in the file.
std::vector<int> UsedImageNumbers(const PropertyRows& rows, int imageCount);
