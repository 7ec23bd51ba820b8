// Texts entering the text rows. Track lists and layout caches separate their
// fields with backticks and have no escape for one, so none may enter a field.
#include "label/LabelModel.h"
#include "label/TextFields.h"

bool CLabelModel::SetTextRowValue(int textRow, const CString& value)
{
    if (textRow < 0 || textRow >= static_cast<int>(m_texts.size()))
        return false;
    TextEntry& row = m_texts[static_cast<size_t>(textRow)];
    // A track list keeps its separators; rebuilding it also makes its count
    // the number of tracks it really holds.
    row.m_strValue = row.m_strItemType == "Track" ? TextLayout::BuildTrackList(TextLayout::ParseTrackList(value))
                                                  : TextLayout::WithoutBackticks(value);
    return true;
}

CString CLabelModel::MakeTrackListText(const std::vector<CString>& names, const std::vector<CString>& times)
{
    std::vector<TextLayout::Track> tracks;
    for (size_t i = 0; i < names.size(); ++i)
        tracks.push_back({names[i], i < times.size() ? times[i] : CString()});
    return TextLayout::BuildTrackList(tracks);
}
