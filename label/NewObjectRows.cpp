#include "label/NewObjectRows.h"

#include "framework/Conversions.h"

namespace {

bool IsDiscSurface(const CString& surface)
{
    return surface == "Disc 1" || surface == "Disc 2";
}

// Collects an object's rows; the rows-after counts are set when it is done.
class RowList
{
public:
    explicit RowList(const CString& name) : m_name(name) {}

    void Add(const char* key, const char* kind, const CString& value, const CString& choices, BYTE shown)
    {
        m_rows.push_back(PropertyEntry{m_name, key, value, shown, kind, choices, 0});
    }
    PropertyRows Done()
    {
        int after = static_cast<int>(m_rows.size());
        for (PropertyEntry& row : m_rows)
            row.m_nRowsAfter = --after;
        return std::move(m_rows);
    }

private:
    CString m_name;
    PropertyRows m_rows;
};

// Rows 0 to 10 of Text and Track objects.
void AddTextHead(RowList& rows, const char* itemType, const NewObjectPlace& place, const CString& font)
{
    rows.Add("Item Type", "", itemType, "", 0);
    rows.Add("Page", "", place.page, "", 0);
    rows.Add("Color", "COLOR", "0,0,0", "", 1);
    rows.Add("View", "", place.surface, place.part, 0);
    rows.Add("Font", "FONT", font, "", 1);
    rows.Add("Left", "EDIT", LabelRows::ObjectLengthText(place.box.left), "", 0);
    rows.Add("Top", "EDIT", LabelRows::ObjectLengthText(place.box.top), "", 0);
    rows.Add("Width", "EDIT", LabelRows::ObjectLengthText(place.box.width), "", 0);
    rows.Add("Height", "EDIT", LabelRows::ObjectLengthText(place.box.height), "", 0);
    rows.Add("Alignment", "COMBO", "Center",
             "Center|Left|Right|Top|Bottom|Top Left|Top Right|Bottom Left|Bottom Right|", 1);
    rows.Add("Vector Data", "", "", "", 0);
}

void AddBox(RowList& rows, const DocBox& box)
{
    rows.Add("Left", "EDIT", LabelRows::ObjectLengthText(box.left), "", 0);
    rows.Add("Top", "EDIT", LabelRows::ObjectLengthText(box.top), "", 0);
    rows.Add("Width", "EDIT", LabelRows::ObjectLengthText(box.width), "", 0);
    rows.Add("Height", "EDIT", LabelRows::ObjectLengthText(box.height), "", 0);
}

}  // namespace

namespace NewObjectRows
{

PropertyRows Text(const NewObjectPlace& place, const CString& font)
{
    RowList rows(place.name);
    AddTextHead(rows, "Text", place, font);
    const bool onTab = place.part == "Left Tab" || place.part == "Right Tab";
    rows.Add("MultiLine", "COMBO", onTab ? "No" : "Yes", "Yes|No|", 1);
    const char* angle = place.part == "Left Tab" ? "90 degrees" : place.part == "Right Tab" ? "270 degrees" : "0 degrees";
    // Text on a disc follows the ring, so it has no angle to choose.
    const bool disc = IsDiscSurface(place.surface);
    rows.Add("Angle", "COMBO", angle, disc ? "" : "0 degrees|90 degrees|180 degrees|270 degrees|", disc ? 0 : 1);
    return rows.Done();
}

PropertyRows Track(const NewObjectPlace& place, const CString& font)
{
    RowList rows(place.name);
    AddTextHead(rows, "Track", place, font);
    rows.Add("Track Numbers", "COMBO", "Yes", "Yes|No|", 1);
    rows.Add("Track Times", "COMBO", "Yes", "Yes|No|", 1);
    const bool disc = IsDiscSurface(place.surface);
    if (disc)
        rows.Add("Skip Center", "COMBO", "No", "Yes|No|", 1);
    else
        rows.Add("Offset Numbers", "COMBO", "Yes", "Yes|No|", 1);
    rows.Add("Wrap Tracks", "COMBO", disc ? "Yes" : "No", "Yes|No|", 1);
    return rows.Done();
}

PropertyRows Image(const NewObjectPlace& place, int imageNumber, int stackingNumber, bool lockAspect)
{
    RowList rows(place.name);
    rows.Add("Item Type", "", "Image", IntToStr(stackingNumber), 0);
    rows.Add("Page", "", place.page, "", 0);
    rows.Add("View", "", place.surface, place.part, 0);
    rows.Add("Image Number", "", IntToStr(imageNumber), "", 0);
    AddBox(rows, place.box);
    rows.Add("Lock Aspect Ratio", "COMBO", lockAspect ? "Yes" : "No", "Yes|No|", 1);
    rows.Add("Set as Background", "COMBO", "No", "Yes|No|", 1);
    rows.Add("Bring to Front", "COMBO", "Disabled On", "Yes|No|", 1);
    return rows.Done();
}

PropertyRows Background(const NewObjectPlace& place, int imageNumber)
{
    RowList rows(place.name);
    rows.Add("Item Type", "", "Image", "Background", 0);
    rows.Add("Page", "", place.page, "", 0);
    rows.Add("View", "", place.surface, place.part, 0);
    rows.Add("Image Number", "", IntToStr(imageNumber), "", 0);
    rows.Add("Left", "", LabelRows::ObjectLengthText(place.box.left), "", 0);
    rows.Add("Top", "", LabelRows::ObjectLengthText(place.box.top), "", 0);
    rows.Add("Width", "", LabelRows::ObjectLengthText(place.box.width), "", 0);
    rows.Add("Height", "", LabelRows::ObjectLengthText(place.box.height), "", 0);
    rows.Add("Lock Aspect Ratio", "COMBO", "No", "Yes|No|", 1);
    rows.Add("Set as Background", "COMBO", "Disabled On", "Yes|No|", 1);
    rows.Add("Bring to Front", "COMBO", "No", "Yes|No|", 1);
    return rows.Done();
}

PropertyEntry InsertionMarker(const CString& objectName, const CString& surface)
{
    return PropertyEntry{objectName, "", surface, 0, "", "", 0};
}

}  // namespace NewObjectRows
