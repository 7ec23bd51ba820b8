#include "document/ImageNumbers.h"

#include <algorithm>

namespace {
constexpr int kMaxImageNumberDigits = 9;
}  // namespace

bool ParseImageNumber(const CString& text, int& number)
{
    if (text.IsEmpty() || text.GetLength() > kMaxImageNumberDigits)
        return false;
    int value = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char ch = text[i];
        if (ch < '0' || ch > '9')
            return false;
        value = value * 10 + (ch - '0');
    }
    number = value;
    return true;
}

std::vector<int> UsedImageNumbers(const PropertyRows& rows, int imageCount)
{
    // Every "Image Number" row counts, wherever the walk over objects would
    // put it: a document made elsewhere may carry rows-after counts that hide
    // the row from the walk, and the reader and the writer's renumbering find
    // the row by its key. A picture a row names is never left out of the file.
    std::vector<bool> used(static_cast<size_t>(std::max(imageCount, 0)), false);
    for (const PropertyEntry& row : rows) {
        int number = 0;
        if (row.m_strKey == "Image Number" && ParseImageNumber(row.m_strValue, number) && number < imageCount)
            used[static_cast<size_t>(number)] = true;
    }
    std::vector<int> kept;
    for (int number = 0; number < imageCount; ++number) {
        if (used[static_cast<size_t>(number)])
            kept.push_back(number);
    }
    return kept;
}
