#include "document/ImageNumbers.h"

#include <algorithm>

namespace {
constexpr int kImageNumberRow = 3;  // the "Image Number" row of an Image object
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
    std::vector<bool> used(static_cast<size_t>(std::max(imageCount, 0)), false);
    const int count = static_cast<int>(rows.size());
    for (int first = 0; first < count; first = LabelRows::NextObjectRow(rows, first)) {
        const PropertyEntry& typeRow = rows[static_cast<size_t>(first)];
        if (typeRow.m_strValue != "Image")
            continue;
        const int numberRow = first + kImageNumberRow;
        if (numberRow >= LabelRows::EndOfObject(rows, first))
            continue;
        int number = 0;
        if (ParseImageNumber(rows[static_cast<size_t>(numberRow)].m_strValue, number) && number < imageCount)
            used[static_cast<size_t>(number)] = true;
    }
    std::vector<int> kept;
    for (int number = 0; number < imageCount; ++number) {
        if (used[static_cast<size_t>(number)])
            kept.push_back(number);
    }
    return kept;
}
