// The rules of texts, track lists, images, boundaries and pages: they keep a
// text's cached layout in step with what shapes it, keep the track-list
// options consistent, and fit an image to its picture's proportions. A row
// another row changes along with is recorded too, so that one undo takes back
// the whole change.
#include "label/PropertyPlanner.h"

#include "framework/Conversions.h"

#include <cmath>
#include <cstdlib>

namespace {

// Rows counted from the first row of a Text or Track object.
constexpr int kFontRow = 4;
constexpr int kTextCacheRow = 10;

bool IsDiscName(const CString& surface)
{
    return surface == "Disc 1" || surface == "Disc 2";
}

}  // namespace

bool PropertyPlanner::ApplyObjectRule(int row, const CString& caption, const CString& value)
{
    if (caption == "Lock Aspect Ratio")
        LockAspectRatio(row, value);
    else if (caption == "Alignment")
        StoreAndForgetLayout(row, value, IsDiscName(NearRow(row, -6).m_strValue) ? 1 : 0);
    else if (caption == "Set as Background")
        SetAsBackground(row, value);
    else if (caption == "Item Type" || caption == "View")
        ChoicesField(row, value);
    else if (caption == "Bring to Front")
        BringToFront(row, value);
    else if (caption == "Font")
        StoreAndForgetLayout(row, value, 6);
    else if (caption == "Track Times")
        StoreAndForgetLayout(row, value, -2);
    else if (caption == "Track Numbers")
        StoreAndForgetLayout(row, value, -1);
    else if (caption == "Offset Numbers" || caption == "Skip Center" || caption == "Wrap Tracks")
        OffsetOrWrap(row, caption, value);
    else if (caption == "MultiLine")
        StoreAndForgetLayout(row, value, -1);
    else if (caption == "Angle")
        StoreAndForgetLayout(row, value, -2);
    else
        return false;
    return true;
}

// A distance of 0 stores the value only.
void PropertyPlanner::StoreAndForgetLayout(int row, const CString& value, int cacheDistance)
{
    if (Row(row).m_strValue == value)
        return;
    SetRecorded(row, value);
    if (cacheDistance != 0)
        EmptyLayoutCache(Near(row, cacheDistance));
}

void PropertyPlanner::ObjectLength(int row, const CString& caption, const CString& value)
{
    const CString old = Row(row).m_strValue;
    if (old == value)
        return;
    SetRecorded(row, value);
    if (caption == "Left" || caption == "Top") {
        const bool top = caption == "Top";
        if (NearRow(row, top ? -2 : -1).m_strKey != "Font")
            return;
        const int cache = Near(row, top ? 4 : 5);
        if (IsDiscName(NearRow(row, top ? -3 : -2).m_strValue)) {
            EmptyLayoutCache(cache);
        } else {
            const int distance = LabelRows::ReadLength(value) - LabelRows::ReadLength(old);
            ShiftLayoutCache(cache, caption, distance);
        }
        return;
    }
    // Width and Height: a text fits itself to its box again.
    const int first = FirstRowOf(row);
    if (first + kFontRow < RowCount() && Row(first + kFontRow).m_strObjectName == Row(row).m_strObjectName &&
        Row(first + kFontRow).m_strKey == "Font")
        EmptyLayoutCache(Near(first, kTextCacheRow));
}

void PropertyPlanner::LockAspectRatio(int row, const CString& value)
{
    if (Row(row).m_strValue == value)
        return;
    if (value != "Yes") {
        SetRecorded(row, value);
        return;
    }
    const int widthRow = Near(row, -2);
    const int heightRow = Near(row, -1);
    double width = StrToDouble(Row(widthRow).m_strValue);
    double height = StrToDouble(Row(heightRow).m_strValue);
    const int imageNumber = std::atoi(NearRow(row, -5).m_strValue);
    const bool fitted = m_context.keepImageAspect && m_context.keepImageAspect(width, height, imageNumber);
    if (!fitted) {
        // The picture can't give its proportions: the switch stays off.
        if (Row(row).m_strValue != "No")
            SetRecorded(row, "No");
        m_edit.result = "No";
        return;
    }
    SetRecorded(row, value);
    CString text;
    text.Format("%.3f ''", height);
    if (Row(heightRow).m_strValue != text)
        SetRecorded(heightRow, text);
    text.Format("%.3f ''", width);
    if (Row(widthRow).m_strValue != text)
        SetRecorded(widthRow, text);
}

void PropertyPlanner::SetAsBackground(int row, const CString& value)
{
    const CString old = Row(row).m_strValue;
    if (old == value)
        return;
    const CString stored = value == "Yes" ? CString("Disabled On") : value;
    // Asked again, the picture is fitted to its part again: only what that
    // changes makes an undo step, not the unchanged row.
    if (stored != old)
        SetRecorded(row, stored);
    m_edit.result = stored;
    if (stored == "Disabled On")
        m_edit.setImageAsBackground = true;
}

void PropertyPlanner::BringToFront(int row, const CString& value)
{
    // Undo and redo hand the value back marked, to store it without acting on it again.
    if (value.Left(1) == "U") {
        m_edit.result = value.Mid(1);
        Set(row, m_edit.result);
        return;
    }
    const CString old = Row(row).m_strValue;
    if (old == value)
        return;
    const CString stored = value == "Yes" ? CString("Disabled On") : value;
    SetRecorded(row, stored, "U" + old, "U" + stored);
    m_edit.result = stored;
    if (stored == "Disabled On") {
        m_edit.bringImageToFront = true;
        m_edit.frontRole = NearRow(row, -10).m_strChoices;
        m_edit.frontImageNumber = std::atoi(NearRow(row, -7).m_strValue);
    }
}

void PropertyPlanner::ChoicesField(int row, const CString& value)
{
    if (Row(row).m_strChoices == value)
        return;
    SetRecorded(row, value, RowField::Choices);
}

void PropertyPlanner::OffsetOrWrap(int row, const CString& caption, const CString& value)
{
    if (Row(row).m_strValue == value)
        return;
    SetRecorded(row, value);
    // On flat surfaces numbers set off and wrapped lines exclude each other.
    if (caption == "Offset Numbers" && value == "Yes") {
        const int wrap = Near(row, 1);
        if (Row(wrap).m_strValue != "No")
            SetRecorded(wrap, "No");
    } else if (caption == "Wrap Tracks" && value == "Yes") {
        const int offset = Near(row, -1);
        if (Row(offset).m_strKey == "Offset Numbers" && Row(offset).m_strValue != "No")
            SetRecorded(offset, "No");
    }
    EmptyLayoutCache(Near(row, caption == "Wrap Tracks" ? -4 : -3));
}
