#include "label/UndoHistory.h"

#include "framework/Conversions.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace
{
// Distinct image numbers named by a range of entries, highest first.
template <typename Iterator>
std::vector<int> ImageNumbersOf(Iterator first, Iterator last)
{
    std::vector<int> numbers;
    for (Iterator entry = first; entry != last; ++entry) {
        const int number = entry->ImageNumber();
        if (number >= 0 && std::find(numbers.begin(), numbers.end(), number) == numbers.end())
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end(), std::greater<int>());
    return numbers;
}
}  // namespace

int CUndoEntry::ImageNumber() const
{
    return m_payload.m_strKey == "Image Number" ? LabelRows::ReadImageNumber(m_payload.m_strValue) : -1;
}

// ---- recording ----------------------------------------------------------------------------

void CUndoHistory::Record(const PropertyEntry& payload, const CString& kind, const CString& direction,
                          const CString& surface, int rowIndex)
{
    CUndoEntry entry(payload, m_current, kind, direction, surface);
    entry.m_nRowIndex = rowIndex;
    Store(std::move(entry));
}

void CUndoHistory::RecordRemovedText(const PropertyEntry& payload, const TextEntry& text, int textIndex,
                                     const CString& direction, const CString& surface)
{
    CUndoEntry entry(payload, m_current, UndoKind::kAddText, direction, surface);
    entry.m_text = text;
    entry.m_nTextIndex = textIndex;
    Store(std::move(entry));
}

void CUndoHistory::Store(CUndoEntry entry)
{
    if (!m_recording)
        return;
    if (m_dropTail) {
        m_dropTail = false;
        const std::vector<int> dropped = DropFrom(m_current);
        m_imagesToRelease.insert(m_imagesToRelease.end(), dropped.begin(), dropped.end());
        m_highest = m_current;
    }
    m_entries.push_back(std::move(entry));
    m_stepRecorded = true;
}

std::vector<int> CUndoHistory::Commit()
{
    if (!m_recording)
        return {};
    // Only a step with entries is opened: a command that changed nothing leaves no step to undo.
    if (!m_stepRecorded)
        return {};
    m_stepRecorded = false;
    ++m_current;
    m_highest = std::max(m_highest, m_current);
    std::vector<int> released;
    released.swap(m_imagesToRelease);
    if (m_highest - m_floor > kMaxUndoSteps) {
        m_floor = m_highest - kMaxUndoSteps;
        const std::vector<int> trimmed = DropBelow(m_floor);
        released.insert(released.end(), trimmed.begin(), trimmed.end());
    }
    std::sort(released.begin(), released.end(), std::greater<int>());
    released.erase(std::unique(released.begin(), released.end()), released.end());
    return released;
}

// ---- undo and redo --------------------------------------------------------------------------

bool CUndoHistory::StepBack()
{
    m_dropTail = true;
    if (m_current == m_floor)
        return false;
    m_stepRecorded = false;
    --m_current;
    return true;
}

void CUndoHistory::StepForward()
{
    if (m_current < m_highest) {
        m_stepRecorded = false;
        ++m_current;
    }
}

std::vector<CUndoEntry> CUndoHistory::ActingEntries(const CString& direction) const
{
    std::vector<CUndoEntry> acting;
    if (direction == UndoDirection::kFrom) {
        for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
            if (entry->m_nStep < m_current)
                break;
            if (entry->m_nStep == m_current && entry->m_strDirection == direction)
                acting.push_back(*entry);
        }
    } else {
        for (const CUndoEntry& entry : m_entries) {
            if (entry.m_nStep > m_current)
                break;
            if (entry.m_nStep == m_current && entry.m_strDirection == direction)
                acting.push_back(entry);
        }
    }
    return acting;
}

void CUndoHistory::KeepRemovedText(int step, const CString& direction, const PropertyEntry& payload,
                                   const TextEntry& text, int textIndex, const CString& surface)
{
    const auto known = std::find_if(m_entries.begin(), m_entries.end(), [&](const CUndoEntry& entry) {
        return entry.m_nStep == step && entry.m_strKind == UndoKind::kAddText && entry.m_strDirection == direction &&
               entry.m_text.m_strName == text.m_strName;
    });
    if (known != m_entries.end())
        return;
    // At the end of its step, so that the scans of that step meet it.
    const auto after = std::find_if(m_entries.begin(), m_entries.end(),
                                    [step](const CUndoEntry& entry) { return entry.m_nStep > step; });
    CUndoEntry entry(payload, step, UndoKind::kAddText, direction, surface);
    entry.m_text = text;
    entry.m_nTextIndex = textIndex;
    m_entries.insert(after, std::move(entry));
}

// ---- image numbers -------------------------------------------------------------------------

bool CUndoHistory::RefersToImage(int imageNumber) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [imageNumber](const CUndoEntry& entry) { return entry.ImageNumber() == imageNumber; });
}

void CUndoHistory::LowerImageNumbersAbove(int imageNumber)
{
    for (CUndoEntry& entry : m_entries) {
        const int number = entry.ImageNumber();
        if (number > imageNumber)
            entry.m_payload.m_strValue = IntToStr(number - 1);
    }
    m_imagesToRelease.erase(std::remove(m_imagesToRelease.begin(), m_imagesToRelease.end(), imageNumber),
                            m_imagesToRelease.end());
    for (int& number : m_imagesToRelease) {
        if (number > imageNumber)
            --number;
    }
}

// ---- state ------------------------------------------------------------------------------------

void CUndoHistory::Reset()
{
    m_entries.clear();
    m_current = 0;
    m_highest = 0;
    m_floor = 0;
    m_recording = true;
    m_dropTail = false;
    m_stepRecorded = false;
    m_imagesToRelease.clear();
}

std::vector<int> CUndoHistory::DropFrom(int step)
{
    const auto first = std::find_if(m_entries.begin(), m_entries.end(),
                                    [step](const CUndoEntry& entry) { return entry.m_nStep >= step; });
    std::vector<int> numbers = ImageNumbersOf(first, m_entries.end());
    m_entries.erase(first, m_entries.end());
    return numbers;
}

std::vector<int> CUndoHistory::DropBelow(int step)
{
    // Only the entries of older steps go: a missing step never takes the rest with it.
    const auto last = std::find_if(m_entries.begin(), m_entries.end(),
                                   [step](const CUndoEntry& entry) { return entry.m_nStep >= step; });
    std::vector<int> numbers = ImageNumbersOf(m_entries.begin(), last);
    m_entries.erase(m_entries.begin(), last);
    return numbers;
}
