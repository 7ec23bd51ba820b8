#pragma once
// A label as a new layout makes it from the built-in papers, and the rows of
// the user objects placed on it, in the row order of each kind.
#include "label/LabelDim.h"
#include "label/LabelModel.h"
#include "label/NewLayout.h"
#include "label/ObjectRows.h"

#include <string>

namespace TestLabel
{
// A laid-out line, as the drawing leaves it in "Vector Data": font height,
// then text, left, right, top, bottom.
inline constexpr char kCache[] = "720`Artist`1000`2000`1500`1700`";

// The covers, discs, pages and spine tabs of "[Plain Paper]" and "[Generic]":
// a folded front cover at (0.8, 0.8) inch, 9.52 x 4.76; discs at (1.938,
// 0.688) and (1.938, 5.688) with 4.625 and 1.6 inch diameters.
inline void AddLayout(CLabelModel& model, const char* layout = "Single")
{
    model.Shown().layout = layout;
    AddLayoutRows(model, CLabelDim::PlainPaper(), CLabelDim::GenericDiscLabels());
}

inline CString Length(int thousandths)
{
    return LabelRows::ObjectLengthText(thousandths);
}

inline bool OnDisc(const char* surface)
{
    return std::string(surface) == "Disc 1" || std::string(surface) == "Disc 2";
}

// Rows 0 to 10 of a Text or Track object.
inline void AddTextRows(ObjectRows& rows, const char* type, const char* page, const char* surface, const char* part,
                        RECT box)
{
    rows.Add("Item Type", "", type, "", 0);
    rows.Add("Page", "", page, "", 0);
    rows.Add("Color", "COLOR", "0,0,0", "", 1);
    rows.Add("View", "", surface, part, 0);
    rows.Add("Font", "FONT", "Arial,72,400,0", "", 1);
    rows.Add("Left", "EDIT", Length(box.left), "", 0);
    rows.Add("Top", "EDIT", Length(box.top), "", 0);
    rows.Add("Width", "EDIT", Length(box.right - box.left), "", 0);
    rows.Add("Height", "EDIT", Length(box.bottom - box.top), "", 0);
    rows.Add("Alignment", "COMBO", "Center", "Center|Left|Right|Top|Bottom|Top Left|Top Right|Bottom Left|Bottom Right|",
             1);
    rows.Add("Vector Data", "", kCache, "", 0);
}

inline void AddText(CLabelModel& model, const char* name, const char* page, const char* surface, RECT box,
                    const char* part = "Inside")
{
    ObjectRows rows(model, name, 13);
    AddTextRows(rows, "Text", page, surface, part, box);
    rows.Add("MultiLine", "COMBO", "Yes", "Yes|No|", 1);
    rows.Add("Angle", "COMBO", "0 degrees", "0 degrees|90 degrees|180 degrees|270 degrees|", 1);
}

inline void AddTrackList(CLabelModel& model, const char* name, const char* page, const char* surface, RECT box)
{
    ObjectRows rows(model, name, 15);
    AddTextRows(rows, "Track", page, surface, "Inside", box);
    rows.Add("Track Numbers", "COMBO", "Yes", "Yes|No|", 1);
    rows.Add("Track Times", "COMBO", "Yes", "Yes|No|", 1);
    if (OnDisc(surface))
        rows.Add("Skip Center", "COMBO", "No", "Yes|No|", 1);
    else
        rows.Add("Offset Numbers", "COMBO", "Yes", "Yes|No|", 1);
    rows.Add("Wrap Tracks", "COMBO", OnDisc(surface) ? "Yes" : "No", "Yes|No|", 1);
}

inline void AddImage(CLabelModel& model, const char* name, const char* page, const char* surface, RECT box,
                     int imageNumber = 0, const char* stacking = "1")
{
    ObjectRows rows(model, name, 11);
    rows.Add("Item Type", "", "Image", stacking, 0);
    rows.Add("Page", "", page, "", 0);
    rows.Add("View", "", surface, "Inside", 0);
    rows.Add("Image Number", "", std::to_string(imageNumber).c_str(), "", 0);
    rows.Add("Left", "EDIT", Length(box.left), "", 0);
    rows.Add("Top", "EDIT", Length(box.top), "", 0);
    rows.Add("Width", "EDIT", Length(box.right - box.left), "", 0);
    rows.Add("Height", "EDIT", Length(box.bottom - box.top), "", 0);
    rows.Add("Lock Aspect Ratio", "COMBO", "No", "Yes|No|", 1);
    rows.Add("Set as Background", "COMBO", "No", "Yes|No|", 1);
    rows.Add("Bring to Front", "COMBO", "Disabled On", "Yes|No|", 1);
}

// One object on each surface: texts, track lists and images, and a text on
// the inside of the folded front cover.
inline void AddUserObjects(CLabelModel& model)
{
    AddText(model, "Artist(1)", "2", "Front Cover", RECT{5500, 1000, 8500, 2000});
    AddText(model, "Artist(2)", "1", "Disc 1", RECT{2500, 1500, 5500, 2000});
    AddText(model, "Inside Note(1)", "2", "Front Cover", RECT{1000, 1000, 3000, 2000}, "Front Cover (Inside)");
    AddTrackList(model, "Track List(1)", "3", "Back Cover", RECT{1800, 1000, 6000, 4000});
    AddTrackList(model, "Track List(2)", "1", "Disc 1", RECT{2500, 3000, 5500, 4500});
    AddImage(model, "Image(1)", "2", "Front Cover", RECT{6000, 3000, 8000, 4000}, 0, "1");
    AddImage(model, "Image(2)", "2", "Front Cover", RECT{900, 900, 2000, 2000}, 0, "2");
    AddImage(model, "Image(3)", "3", "Back Cover", RECT{2000, 1000, 3000, 2000}, 7, "3");  // no picture in slot 7
}
}  // namespace TestLabel
