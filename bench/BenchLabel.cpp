// The model benchmark's label: album texts, the objects of every surface and a
// background photo, built the way the program's own insertions build them.
#include "BenchLabel.h"
#include "label/ObjectRows.h"

#include "imaging/xImage.h"
#include "label/LabelRows.h"
#include "label/LabelModel.h"
#include "label/LabelRenderer.h"
#include "label/NewLayout.h"

#include <utility>
#include <vector>

namespace {

constexpr char kYesNo[] = "Yes|No|";
constexpr char kAlignments[] = "Center|Left|Right|Top|Bottom|Top Left|Top Right|Bottom Left|Bottom Right|";
constexpr char kAngles[] = "0 degrees|90 degrees|180 degrees|270 degrees|";

struct Box
{
    int left, top, width, height;  // thousandths of an inch, on the page
};


bool OnDisc(const CString& surface)
{
    return surface == "Disc 1" || surface == "Disc 2";
}

CString PageOf(const CLabelModel& model, const CString& surface)
{
    if (surface == "Front Cover")
        return model.Placement().frontCoverPage;
    if (surface == "Back Cover")
        return model.Placement().backCoverPage;
    return surface == "Disc 1" ? model.Placement().disc1Page : model.Placement().disc2Page;
}

struct TextObject
{
    CString text;     // the text row it shows
    CString surface;  // "Front Cover", "Back Cover", "Disc 1", "Disc 2"
    CString part;     // "Inside", "Left Tab", "Right Tab" or the disc
    Box box;
    CString font;     // "face,points,weight,italic"
    CString alignment;
    CString angle = "0 degrees";
};

// Rows 0 to 10, which a Text and a Track object share.
void AddCommonRows(CLabelModel& model, ObjectRows& rows, const TextObject& object, const char* itemType)
{
    rows.Add("Item Type", "", itemType, "", 0);
    rows.Add("Page", "", PageOf(model, object.surface), "", 0);
    rows.Add("Color", "COLOR", "0,0,0", "", 1);
    rows.Add("View", "", object.surface, object.part, 0);
    rows.Add("Font", "FONT", object.font, "", 1);
    rows.Add("Left", "EDIT", LabelRows::ObjectLengthText(object.box.left), "", 0);
    rows.Add("Top", "EDIT", LabelRows::ObjectLengthText(object.box.top), "", 0);
    rows.Add("Width", "EDIT", LabelRows::ObjectLengthText(object.box.width), "", 0);
    rows.Add("Height", "EDIT", LabelRows::ObjectLengthText(object.box.height), "", 0);
    rows.Add("Alignment", "COMBO", object.alignment, kAlignments, 1);
    rows.Add("Vector Data", "", "", "", 0);
}

void AddText(CLabelModel& model, const TextObject& object)
{
    CString name = object.text;
    name = model.UniqueObjectName(name);
    const bool disc = OnDisc(object.surface);
    const bool tab = object.part == "Left Tab" || object.part == "Right Tab";
    ObjectRows rows(model, name, 13);
    AddCommonRows(model, rows, object, "Text");
    rows.Add("MultiLine", "COMBO", tab ? "No" : "Yes", kYesNo, 1);
    rows.Add("Angle", "COMBO", object.angle, disc ? "" : kAngles, disc ? 0 : 1);
}

void AddTrackList(CLabelModel& model, const TextObject& object)
{
    CString name = object.text;
    name = model.UniqueObjectName(name);
    const bool disc = OnDisc(object.surface);
    ObjectRows rows(model, name, 15);
    AddCommonRows(model, rows, object, "Track");
    rows.Add("Track Numbers", "COMBO", "Yes", kYesNo, 1);
    rows.Add("Track Times", "COMBO", "Yes", kYesNo, 1);
    // Around the hole on a disc: the ring fit splits the lines left and right of it.
    rows.Add(disc ? "Skip Center" : "Offset Numbers", "COMBO", "Yes", kYesNo, 1);
    rows.Add("Wrap Tracks", "COMBO", disc ? "Yes" : "No", kYesNo, 1);
}

void AddBackground(CLabelModel& model, const CString& surface, const CString& part, const Box& box)
{
    CString name = "Image";
    name = model.UniqueObjectName(name);
    ObjectRows rows(model, name, 11);
    rows.Add("Item Type", "", "Image", "Background", 0);
    rows.Add("Page", "", PageOf(model, surface), "", 0);
    rows.Add("View", "", surface, part, 0);
    rows.Add("Image Number", "", "0", "", 0);
    rows.Add("Left", "EDIT", LabelRows::ObjectLengthText(box.left), "", 0);
    rows.Add("Top", "EDIT", LabelRows::ObjectLengthText(box.top), "", 0);
    rows.Add("Width", "EDIT", LabelRows::ObjectLengthText(box.width), "", 0);
    rows.Add("Height", "EDIT", LabelRows::ObjectLengthText(box.height), "", 0);
    rows.Add("Lock Aspect Ratio", "COMBO", "No", kYesNo, 1);
    rows.Add("Set as Background", "COMBO", "Yes", kYesNo, 1);
    rows.Add("Bring to Front", "COMBO", "No", kYesNo, 1);
}

void SetText(CLabelModel& model, const CString& name, const CString& value)
{
    model.SetTextRowValue(model.FindTextRow(name), value);
}

// Twenty tracks of plausible names and lengths; the second disc's differ.
CString BenchTrackList(int disc)
{
    static const char* const kNames[kBenchTracks] = {
        "Morning Tide",        "Lanterns on the Quay", "Salt and Cedar",      "The Keeper's Waltz",
        "North Light",         "A Letter Never Sent",  "Driftwood Choir",     "Harbour Lights (Reprise)",
        "Long Way Round",      "Fog Signal",           "Small Hours",         "The Cartographer",
        "Weathervane",         "Under Copper Skies",   "Low Water",           "Paper Boats",
        "Second Crossing",     "What the Gulls Said",  "Evening Tide",        "Home by the Coast Road",
    };
    std::vector<CString> names;
    std::vector<CString> times;
    for (int track = 0; track < kBenchTracks; ++track) {
        CString name = kNames[disc == 1 ? track : kBenchTracks - 1 - track];
        if (disc == 2)
            name += " (Live)";
        names.push_back(name);
        const int seconds = 151 + (track * 97 + disc * 31) % 240;
        CString time;
        time.Format("%d:%02d", seconds / 60, seconds % 60);
        times.push_back(time);
    }
    return CLabelModel::MakeTrackListText(names, times);
}

void FillAlbumTexts(CLabelModel& model, const CString& suffix, int disc)
{
    SetText(model, "Artist" + suffix, "The Quiet Harbour Ensemble");
    SetText(model, "Title" + suffix, disc == 2 ? "Songs from the Lighthouse (Disc 2)" : "Songs from the Lighthouse");
    SetText(model, "Track List" + suffix, BenchTrackList(disc));
    SetText(model, "Time" + suffix, disc == 2 ? "68:05" : "72:41");
    SetText(model, "Year" + suffix, "2026");
    SetText(model, "Genre" + suffix, "Folk");
}

void AddDiscObjects(CLabelModel& model, const CString& surface, const DiscGeometry& disc, const CString& suffix)
{
    const int d = disc.outerDiameter;
    AddText(model, {"Artist" + suffix, surface, surface, {disc.left + 600, disc.top + 250, d - 1200, 450},
                   "Tahoma,36,700,0", "Center"});
    AddText(model, {"Title" + suffix, surface, surface, {disc.left + 700, disc.top + 700, d - 1400, 350},
                   "Tahoma,24,400,1", "Center"});
    AddTrackList(model, {"Track List" + suffix, surface, surface, {disc.left + 300, disc.top + 1100, d - 600, d - 1400},
                        "Tahoma,12,400,0", "Center"});
}

}  // namespace

void BuildBenchLabel(CLabelModel& model, const CString& layout, std::unique_ptr<CxImage> picture)
{
    model.Shown().layout = layout;
    AddLayoutRows(model, CLabelDim::PlainPaper(), CLabelDim::GenericDiscLabels());
    model.Shown().page = "1";
    const bool twoDiscs = layout == "Double";
    const CString first = twoDiscs ? " - Disc 1" : "";
    const CString second = " - Disc 2";
    FillAlbumTexts(model, first, 1);
    if (twoDiscs)
        FillAlbumTexts(model, second, 2);

    model.AppendImage(std::move(picture));
    const SurfaceGeometry& g = model.Placement().geometry;

    // Front cover: artist and title on the outside (the right half of a folded cover).
    const int outsideLeft = model.Placement().folded ? g.front.left + g.front.width / 2 : g.front.left.Get();
    const int outsideWidth = model.Placement().folded ? g.front.width / 2 : g.front.width.Get();
    AddBackground(model, "Front Cover", "Inside", {g.front.left, g.front.top, g.front.width, g.front.height});
    AddText(model, {"Artist" + first, "Front Cover", "Inside", {outsideLeft + 300, g.front.top + 400, outsideWidth - 600, 800},
                   "Tahoma,72,700,0", "Center"});
    AddText(model, {"Title" + first, "Front Cover", "Inside", {outsideLeft + 300, g.front.top + 1300, outsideWidth - 600, 600},
                   "Tahoma,48,400,1", "Center"});

    // Back cover: the track lists side by side, the small texts below, artist and title on the spine tabs.
    const int insideLeft = g.back.left + g.back.tab;
    const int insideWidth = g.back.width - 2 * g.back.tab;
    AddBackground(model, "Back Cover", "Inside", {g.back.left, g.back.top, g.back.width, g.back.height});
    const int columns = twoDiscs ? 2 : 1;
    const int columnWidth = (insideWidth - 250 * (columns + 1)) / columns;
    for (int column = 0; column < columns; ++column)
        AddTrackList(model, {"Track List" + (column == 0 ? first : second), "Back Cover", "Inside",
                            {insideLeft + 250 + column * (columnWidth + 250), g.back.top + 300, columnWidth,
                             g.back.height - 1100},
                            "Tahoma,12,400,0", "Top Left"});
    const int smallWidth = (insideWidth - 500) / 3;
    const char* const smallTexts[] = {"Time", "Year", "Genre"};
    for (int i = 0; i < 3; ++i)
        AddText(model, {smallTexts[i] + first, "Back Cover", "Inside",
                       {insideLeft + 250 + i * smallWidth, g.back.top + g.back.height - 650, smallWidth, 400},
                       "Tahoma,14,400,0", "Center"});
    AddText(model, {"Artist" + first, "Back Cover", "Left Tab", {g.back.left, g.back.top + 200, g.back.tab, g.back.height - 400},
                   "Tahoma,14,700,0", "Center", "90 degrees"});
    AddText(model, {"Title" + first, "Back Cover", "Right Tab",
                   {g.back.left + g.back.width - g.back.tab, g.back.top + 200, g.back.tab, g.back.height - 400},
                   "Tahoma,14,400,0", "Center", "270 degrees"});

    // The discs.
    const DiscGeometry& disc1 = g.disc1;
    AddBackground(model, "Disc 1", "Disc 1", {disc1.left, disc1.top, disc1.outerDiameter, disc1.outerDiameter});
    AddDiscObjects(model, "Disc 1", disc1, first);
    if (twoDiscs) {
        const DiscGeometry& disc2 = g.disc2;
        AddBackground(model, "Disc 2", "Disc 2", {disc2.left, disc2.top, disc2.outerDiameter, disc2.outerDiameter});
        AddDiscObjects(model, "Disc 2", disc2, second);
    }
}

void AddFrontCoverTexts(CLabelModel& model, int count)
{
    const FrontCoverGeometry& front = model.Placement().geometry.front;
    const int columns = 10;
    const int rows = (count + columns - 1) / columns;
    const int cellWidth = front.width / columns;
    const int cellHeight = front.height / rows;
    const CString title = model.FindTextRow("Title") >= 0 ? "Title" : "Title - Disc 1";
    for (int i = 0; i < count; ++i) {
        const Box box{front.left + (i % columns) * cellWidth + 20, front.top + (i / columns) * cellHeight + 20,
                      cellWidth - 40, cellHeight - 40};
        AddText(model, {title, "Front Cover", "Inside", box, "Tahoma,72,400,0", "Center"});
    }
}

void AddOutsideTitle(CLabelModel& model)
{
    const FrontCoverGeometry& front = model.Placement().geometry.front;
    const int left = model.Placement().folded ? front.left + front.width / 2 : front.left.Get();
    const int width = model.Placement().folded ? front.width / 2 : front.width.Get();
    const CString title = model.FindTextRow("Title") >= 0 ? "Title" : "Title - Disc 1";
    AddText(model, {title, "Front Cover", "Inside", {left + 100, front.top + 100, width - 200, front.height - 200},
                   "Tahoma,48,700,0", "Center"});
}

void RemoveObjectsOfSurface(CLabelModel& model, const CString& surface)
{
    std::vector<CString> names;
    const int count = static_cast<int>(model.Rows().size());
    for (int first = 0; first < count; first = model.NextObjectRow(first)) {
        const PropertyEntry& head = model.Rows()[static_cast<size_t>(first)];
        const bool ordinary = head.m_strValue == "Text" || head.m_strValue == "Track" || head.m_strValue == "Image";
        if (head.m_strKey == "Item Type" && ordinary && model.GetPropertyValue(head.m_strObjectName, "View") == surface)
            names.push_back(head.m_strObjectName);
    }
    for (const CString& name : names)
        model.EraseObjectRows(name);
}

void EmptyLayoutCaches(CLabelModel& model)
{
    for (int first = 0; first < model.RowCount(); first = model.NextObjectRow(first))
        model.ReplacePropertyValue(model.Row(first).m_strObjectName, "Vector Data", "");
}

void EmptyEveryTextCache(CLabelModel& model, CLabelRenderer& renderer)
{
    EmptyLayoutCaches(model);
    renderer.TextRedraw().m_measures.Clear();
    renderer.TextRedraw().m_warmFonts.Clear();
}

LayoutCount CountLayouts(const CLabelModel& model)
{
    LayoutCount result;
    const int count = static_cast<int>(model.Rows().size());
    for (int first = 0; first < count; first = model.NextObjectRow(first)) {
        const PropertyEntry& head = model.Rows()[static_cast<size_t>(first)];
        if (head.m_strKey != "Item Type" || (head.m_strValue != "Text" && head.m_strValue != "Track"))
            continue;
        if (model.GetPropertyValue(head.m_strObjectName, "Page") != model.Shown().page)
            continue;
        ++result.objects;
        if (!model.GetPropertyValue(head.m_strObjectName, "Vector Data").IsEmpty())
            ++result.laidOut;
    }
    return result;
}
