#include "label/LabelModel.h"

#include "label/TextFields.h"
#include "framework/Conversions.h"

#include <algorithm>

namespace {
constexpr int kClearedZoom = 22;

// Row positions of a layout that the surface placement is read from.
constexpr int kFrontCoverRow = 0;
constexpr int kBackCoverRow = 9;
constexpr int kDisc1Row = 18;
constexpr int kDisc2Row = 49;

// Rows whose change alters an object's style.
bool IsStyleKey(const CString& key)
{
    return key == "Font" || key == "Alignment" || key == "Angle" || key == "Color";
}
}  // namespace

const CString& SurfacePlacement::PageOf(Surface surface) const
{
    static const CString none;
    switch (surface) {
    case Surface::BackCover: return backCoverPage;
    case Surface::FrontCover: return frontCoverPage;
    case Surface::Disc1: return disc1Page;
    case Surface::Disc2: return disc2Page;
    default: return none;
    }
}

// ---- property rows ------------------------------------------------------------------

int CLabelModel::FindObjectRow(const CString& objectName) const
{
    return LabelRows::FindObjectRow(m_rows, objectName);
}

int CLabelModel::NextObjectRow(int index) const
{
    return LabelRows::NextObjectRow(m_rows, index);
}

int CLabelModel::FindPropertyRow(const CString& objectName, const CString& key) const
{
    return LabelRows::FindPropertyRow(m_rows, objectName, key);
}

CString CLabelModel::GetPropertyValue(const CString& objectName, const CString& key) const
{
    CString value;
    LabelRows::ReadPropertyValue(m_rows, objectName, key, value);
    return value;
}

CString CLabelModel::UniqueObjectName(const CString& name) const
{
    return LabelRows::UniqueObjectName(m_rows, name);
}

void CLabelModel::AppendRow(const PropertyEntry& row)
{
    m_rows.push_back(row);
    ForgetStyle(row.m_strObjectName);
}

void CLabelModel::InsertObjectRows(int index, const std::vector<PropertyEntry>& rows)
{
    const bool atObjectStart = index >= 0 && index < RowCount() &&
                               (index == 0 || LabelRows::NextObjectRow(m_rows, index - 1) == index);
    const auto at = atObjectStart ? m_rows.begin() + index : m_rows.end();
    m_rows.insert(at, rows.begin(), rows.end());
    for (const PropertyEntry& row : rows)
        ForgetStyle(row.m_strObjectName);
}

bool CLabelModel::ReplacePropertyValue(const CString& objectName, const CString& key, const CString& value)
{
    if (!LabelRows::ReplacePropertyValue(m_rows, objectName, key, value))
        return false;
    if (IsStyleKey(key))
        ForgetStyle(objectName);
    return true;
}

bool CLabelModel::SetRowValue(int index, const CString& value)
{
    if (index < 0 || index >= RowCount())
        return false;
    PropertyEntry& row = m_rows[static_cast<size_t>(index)];
    row.m_strValue = value;
    if (IsStyleKey(row.m_strKey))
        ForgetStyle(row.m_strObjectName);
    return true;
}

bool CLabelModel::SetRowChoices(int index, const CString& choices)
{
    if (index < 0 || index >= RowCount())
        return false;
    m_rows[static_cast<size_t>(index)].m_strChoices = choices;
    return true;
}

int CLabelModel::EraseObjectRows(const CString& objectName)
{
    ForgetStyle(objectName);
    return LabelRows::EraseObjectRows(m_rows, objectName);
}

void CLabelModel::SwapRows(PropertyRows& rows)
{
    m_rows.swap(rows);
    m_styles.clear();
}

// ---- text rows -------------------------------------------------------------------------

int CLabelModel::FindTextRow(const CString& textName) const
{
    return LabelRows::FindTextRow(m_texts, textName);
}

const TextEntry* CLabelModel::FindTextOfObject(const CString& objectName) const
{
    const int index = LabelRows::FindTextRow(m_texts, LabelRows::TextNameOfObject(objectName));
    return index < 0 ? nullptr : &m_texts[static_cast<size_t>(index)];
}

CString CLabelModel::UniqueTextName(const CString& name) const
{
    return LabelRows::UniqueTextName(m_texts, name);
}

void CLabelModel::AppendTextRow(const TextEntry& row)
{
    TextEntry entry = row;
    entry.m_strValue.Empty();
    m_texts.push_back(std::move(entry));
    SetTextRowValue(static_cast<int>(m_texts.size()) - 1, row.m_strValue);
}

bool CLabelModel::EraseTextRow(int textRow)
{
    if (textRow < 0 || textRow >= static_cast<int>(m_texts.size()))
        return false;
    m_texts.erase(m_texts.begin() + textRow);
    return true;
}

void CLabelModel::InsertTextRow(int index, const TextEntry& row)
{
    const int count = static_cast<int>(m_texts.size());
    const int place = index < 0 || index > count ? count : index;
    TextEntry entry = row;
    entry.m_strValue.Empty();
    m_texts.insert(m_texts.begin() + place, std::move(entry));
    SetTextRowValue(place, row.m_strValue);
}

// ---- image slots -------------------------------------------------------------------------

bool CLabelModel::RefersToImage(int number) const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [number](const PropertyEntry& row) {
        return row.m_strKey == "Image Number" && LabelRows::ReadImageNumber(row.m_strValue) == number;
    });
}

bool CLabelModel::RemoveImageSlot(int number)
{
    if (number < 0 || number >= static_cast<int>(m_images.size()))
        return false;
    m_images.erase(m_images.begin() + number);
    for (PropertyEntry& row : m_rows) {
        if (row.m_strKey != "Image Number")
            continue;
        const int named = LabelRows::ReadImageNumber(row.m_strValue);
        if (named > number)
            row.m_strValue = IntToStr(named - 1);
    }
    return true;
}

const CxImage* CLabelModel::Image(int number) const
{
    if (number < 0 || number >= static_cast<int>(m_images.size()))
        return nullptr;
    return m_images[static_cast<size_t>(number)].get();
}

void CLabelModel::AppendImage(std::unique_ptr<CxImage> image)
{
    m_images.push_back(std::move(image));
}

std::unique_ptr<CxImage> CLabelModel::ReplaceImage(int number, std::unique_ptr<CxImage> image)
{
    if (number < 0 || number >= static_cast<int>(m_images.size()))
        return image;
    m_images[static_cast<size_t>(number)].swap(image);
    return image;
}

// ---- surfaces ------------------------------------------------------------------------------

void CLabelModel::LoadLayoutGeometry()
{
    const int rowCount = static_cast<int>(m_rows.size());
    auto read = [&](int index, auto&& apply) {
        if (index < rowCount)
            apply(m_rows[static_cast<size_t>(index)].m_strValue);
    };
    auto length = [&](int index, DocLength& target) {
        read(index, [&](const CString& v) { target = LabelRows::ReadLength(v); });
    };
    auto text = [&](int index, CString& target) { read(index, [&](const CString& v) { target = v; }); };
    auto flag = [&](int index, BYTE& target) { read(index, [&](const CString& v) { target = v == "Yes" ? 1 : 0; }); };

    SurfacePlacement& p = m_placement;
    SurfaceGeometry& g = p.geometry;
    int row = kFrontCoverRow;
    text(row + 1, p.frontCoverPage);
    length(row + 2, g.front.left);
    length(row + 3, g.front.top);
    length(row + 4, g.front.width);
    length(row + 5, g.front.height);
    flag(row + 6, p.folded);
    flag(row + 7, p.frontCoverBorder);

    row = kBackCoverRow;
    text(row + 1, p.backCoverPage);
    length(row + 2, g.back.left);
    length(row + 3, g.back.top);
    length(row + 4, g.back.width);
    length(row + 5, g.back.height);
    length(row + 6, g.back.tab);
    flag(row + 7, p.backCoverBorder);

    // A disc's rows: page, left, top, hole and outer diameters, border, and
    // its text margin three rows further on.
    auto disc = [&](int first, CString& page, DiscGeometry& geometry, BYTE& border) {
        text(first + 1, page);
        length(first + 2, geometry.left);
        length(first + 3, geometry.top);
        length(first + 4, geometry.innerDiameter);
        length(first + 5, geometry.outerDiameter);
        flag(first + 6, border);
        length(first + 9, geometry.textMargin);
    };
    disc(kDisc1Row, p.disc1Page, g.disc1, p.disc1Border);
    // Old documents have no second disc at its place; its values then stay.
    if (kDisc2Row + 1 < rowCount && m_rows[static_cast<size_t>(kDisc2Row + 1)].m_strObjectName == "Disc 2" &&
        m_rows[static_cast<size_t>(kDisc2Row + 1)].m_strKey == "Page")
        disc(kDisc2Row, p.disc2Page, g.disc2, p.disc2Border);
}

// ---- typed readers ------------------------------------------------------------------------------

Surface CLabelModel::SurfaceOf(const CString& objectName) const
{
    return SurfaceFromName(GetPropertyValue(objectName, "View"));
}

DocLength CLabelModel::LengthOf(const CString& objectName, const CString& key) const
{
    return LabelRows::ReadLength(GetPropertyValue(objectName, key));
}

bool CLabelModel::IsYes(const CString& objectName, const CString& key) const
{
    return GetPropertyValue(objectName, key) == "Yes";
}

const ObjectStyle& CLabelModel::StyleOf(const CString& objectName) const
{
    const std::string key = static_cast<LPCSTR>(objectName);
    if (const auto found = m_styles.find(key); found != m_styles.end())
        return found->second;
    ObjectStyle style;
    style.font = ParseFontText(GetPropertyValue(objectName, "Font"));
    style.font.lfEscapement = ParseAngle(GetPropertyValue(objectName, "Angle"));
    style.font.lfOrientation = style.font.lfEscapement;
    const CString alignment = GetPropertyValue(objectName, "Alignment");
    style.horizontal = ParseHorizontalAlignment(alignment);
    style.vertical = ParseVerticalAlignment(alignment);
    ParseColor(GetPropertyValue(objectName, "Color"), style.color);
    return m_styles.emplace(key, style).first->second;
}

void CLabelModel::ForgetStyle(const CString& objectName) const
{
    m_styles.erase(static_cast<LPCSTR>(objectName));
}

void CLabelModel::Clear()
{
    m_rows.clear();
    m_texts.clear();
    m_images.clear();
    m_styles.clear();
    m_shown.zoom = kClearedZoom;
    m_stackingCounter = 0;
    m_undoRecording = true;
}
