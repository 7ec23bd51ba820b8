#include "label/ClipboardStore.h"

#include "framework/Conversions.h"
#include "label/ObjectPlacement.h"

#include <algorithm>
#include <climits>

void CClipboardStore::Keep(PropertyRows rows, std::optional<TextEntry> text, std::unique_ptr<CxImage> picture)
{
    m_rows = std::move(rows);
    m_text = std::move(text);
    m_picture = std::move(picture);
}

void CClipboardStore::Clear()
{
    m_rows.clear();
    m_text.reset();
    m_picture.reset();
}

CString CClipboardStore::ItemType() const
{
    return m_rows.empty() ? CString() : m_rows.front().m_strValue;
}

bool CClipboardStore::IsBackground() const
{
    return ItemType() == "Image" && m_rows.front().m_strChoices == "Background";
}


namespace {

PropertyEntry* RowOf(PropertyRows& rows, const char* key)
{
    for (PropertyEntry& row : rows)
        if (row.m_strKey == key)
            return &row;
    return nullptr;
}

bool IsDiscName(const CString& surface)
{
    return surface == "Disc 1" || surface == "Disc 2";
}

// The largest a pasted text or track list may be on the surface shown.
SIZE TextSizeLimit(const PasteTarget& target)
{
    const SurfaceGeometry& geometry = target.geometry;
    if (target.surface == "Front Cover")
        return SIZE{target.folded ? geometry.front.width / 2 : geometry.front.width.Get(), geometry.front.height};
    if (target.surface == "Back Cover")
        return SIZE{geometry.back.width, geometry.back.height};
    if (target.surface == "Disc 1")
        return SIZE{geometry.disc1.outerDiameter, geometry.disc1.outerDiameter};
    if (target.surface == "Disc 2")
        return SIZE{geometry.disc2.outerDiameter, geometry.disc2.outerDiameter};
    return SIZE{INT_MAX, INT_MAX};
}

}  // namespace

PropertyRows PreparePaste(const PropertyRows& stored, const PasteTarget& target)
{
    PropertyRows rows = stored;
    for (PropertyEntry& row : rows)
        row.m_strObjectName = target.name;
    if (rows.size() > 1)
        rows[1].m_strValue = target.page;
    if (rows.empty())
        return rows;

    const CString itemType = rows.front().m_strValue;
    const bool isText = itemType == "Text" || itemType == "Track";
    if (!isText && itemType != "Image")
        return rows;

    CString part = target.part;
    if (itemType == "Track" && (part == "Left Tab" || part == "Right Tab"))
        part = "Inside";
    if (PropertyEntry* view = RowOf(rows, "View")) {
        view->m_strValue = target.surface;
        view->m_strChoices = part;
    }

    int width = 0, height = 0;
    if (const PropertyEntry* row = RowOf(rows, "Width"))
        width = LabelRows::ReadLength(row->m_strValue);
    if (const PropertyEntry* row = RowOf(rows, "Height"))
        height = LabelRows::ReadLength(row->m_strValue);

    if (isText) {
        if (PropertyEntry* cache = RowOf(rows, "Vector Data"))
            cache->m_strValue.Empty();
        const SIZE limit = TextSizeLimit(target);
        width = std::min<int>(width, limit.cx);
        height = std::min<int>(height, limit.cy);
        // A track list's thirteenth and fourteenth rows depend on the kind of surface.
        if (itemType == "Track" && rows.size() >= 15) {
            const bool toDisc = IsDiscName(target.surface);
            PropertyEntry& option = rows[13];
            if (!toDisc && option.m_strKey == "Skip Center") {
                option.m_strKey = "Offset Numbers";
                option.m_strValue = "Yes";
                rows[14].m_bShown = 0;
            } else if (toDisc && option.m_strKey == "Offset Numbers") {
                option.m_strKey = "Skip Center";
                option.m_strValue = "No";
                rows[14].m_bShown = 1;
            }
        }
    } else {
        rows.front().m_strChoices = IntToStr(target.stackingNumber);
        if (PropertyEntry* row = RowOf(rows, "Set as Background"))
            row->m_strValue = "No";
        if (PropertyEntry* row = RowOf(rows, "Bring to Front"))
            row->m_strValue = "Disabled On";
    }

    const int left = target.centre.x - width / 2;
    const int top = target.centre.y - height / 2;
    RECT box{left, top, left + width, top + height};
    const RECT limits = ObjectPlacement::DragLimits(itemType, target.surface, target.geometry, target.sheet);
    if (!IsRectEmpty(&limits))
        box = ObjectPlacement::KeepInside(box, limits);
    const std::pair<const char*, int> lengths[] = {
        {"Left", box.left}, {"Top", box.top}, {"Width", box.right - box.left}, {"Height", box.bottom - box.top}};
    for (const auto& [key, value] : lengths)
        if (PropertyEntry* row = RowOf(rows, key))
            row->m_strValue = LabelRows::ObjectLengthText(value);
    return rows;
}
