// A new layout: the surfaces, pages and spine tabs of an empty label built
// from two label papers, and the album texts of a single or double CD.
#include "label/NewLayout.h"

#include "framework/Conversions.h"
#include "label/ObjectRows.h"
#include "label/PlaceholderTracks.h"

namespace {

constexpr char kWhite[] = "255,255,255";
constexpr char kYesNo[] = "Yes|No|";
constexpr char kPages[] = "1|2|3|";
constexpr char kDefaultTextMargin[] = "0.050 ''";
constexpr int kNewLayoutZoom = 10;

void AddCover(CLabelModel& model, const char* name, const CString& page, int left, int top, int width, int height,
              const char* sixthKey, const CString& sixthValue, const char* sixthKind, const char* sixthChoices)
{
    ObjectRows rows(model, name, 9);
    rows.Add("Item Type", "", "Cover", "", 0);
    rows.Add("Page", "COMBO", page, kPages, 0);
    rows.Add("Left", "EDIT", LabelRows::SurfaceLengthText(left), "", 0);
    rows.Add("Top", "EDIT", LabelRows::SurfaceLengthText(top), "", 0);
    rows.Add("Width", "EDIT", LabelRows::SurfaceLengthText(width), "", 0);
    rows.Add("Height", "EDIT", LabelRows::SurfaceLengthText(height), "", 0);
    rows.Add(sixthKey, sixthKind, sixthValue, sixthChoices, 0);
    rows.Add("Print Border", "COMBO", "Yes", kYesNo, 1);
    rows.Add("Color", "COLOR", kWhite, "", 1);
}

void AddDisc(CLabelModel& model, const char* name, int left, int top, int innerDiameter, int outerDiameter,
             const char* labelPosition)
{
    ObjectRows rows(model, name, 10);
    rows.Add("Item Type", "", "Cover", "", 0);
    rows.Add("Page", "COMBO", "1", kPages, 0);
    rows.Add("Left", "EDIT", LabelRows::SurfaceLengthText(left), "", 0);
    rows.Add("Top", "EDIT", LabelRows::SurfaceLengthText(top), "", 0);
    rows.Add("Inner Diameter", "EDIT", LabelRows::SurfaceLengthText(innerDiameter), "", 0);
    rows.Add("Outer Diameter", "EDIT", LabelRows::SurfaceLengthText(outerDiameter), "", 0);
    rows.Add("Print Border", "COMBO", "No", kYesNo, 1);
    rows.Add("Color", "COLOR", kWhite, "", 1);
    rows.Add("Label Position", "COMBO", labelPosition, "Top|Bottom|", 1);
    rows.Add("Text Margin", "EDIT", kDefaultTextMargin, "", 1);
}

void AddPage(CLabelModel& model, const char* name, const char* page, int sheetWidth, int sheetHeight)
{
    ObjectRows rows(model, name, 7);
    rows.Add("Item Type", "", "Page", "", 0);
    rows.Add("Page", "", page, "", 0);
    rows.Add("Orientation", "COMBO", sheetWidth > sheetHeight ? "Landscape" : "Portrait", "Landscape|Portrait|", 0);
    rows.Add("Left", "", "0", "", 0);
    rows.Add("Top", "", "0", "", 0);
    rows.Add("Width", "", LabelRows::SurfaceLengthText(sheetWidth), "", 0);
    rows.Add("Height", "", LabelRows::SurfaceLengthText(sheetHeight), "", 0);
}

// A boundary: a spine tab or the inside of a folded front cover.
void AddBoundary(CLabelModel& model, const char* part, const CString& page, const char* surface,
                 const char* lengthKind, int left, int top, int width, int height)
{
    ObjectRows rows(model, part, 8);
    rows.Add("Item Type", "", "Boundary", "", 0);
    rows.Add("Page", "", page, "", 0);
    rows.Add("View", "", surface, part, 0);
    rows.Add("Color", "COLOR", kWhite, "", 1);
    rows.Add("Left", lengthKind, LabelRows::ObjectLengthText(left), "", 0);
    rows.Add("Top", lengthKind, LabelRows::ObjectLengthText(top), "", 0);
    rows.Add("Width", lengthKind, LabelRows::ObjectLengthText(width), "", 0);
    rows.Add("Height", lengthKind, LabelRows::ObjectLengthText(height), "", 0);
}

void AddAlbumTexts(CLabelModel& model, const CString& disc)
{
    static const char* const kAlbumTexts[] = {"Artist", "Title", "Track List", "Time", "Year", "Genre"};
    for (const char* name : kAlbumTexts) {
        TextEntry text;
        text.m_strName = CString(name) + disc;
        const bool isTrackList = CString(name) == "Track List";
        text.m_strItemType = isTrackList ? "Track" : "Text";
        text.m_strValue = isTrackList ? PlaceholderTrackList(disc) : CString();
        text.m_nOrigin = 2;
        model.AppendTextRow(text);
    }
}

}  // namespace

void AddLayoutRows(CLabelModel& model, const CLabelDim& jewel, const CLabelDim& disc)
{
    LabelShown& shown = model.Shown();
    shown.surface = "Disc 1";
    shown.zoom = kNewLayoutZoom;
    model.SetUndoRecording(false);

    const bool folded = jewel.m_nFolded == 1;
    AddCover(model, "Front Cover", "2", jewel.m_nLeft1, jewel.m_nTop1, jewel.m_nWidth1, jewel.m_nHeight1,
             "Folded Cover", folded ? "Yes" : "No", "COMBO", kYesNo);
    AddCover(model, "Back Cover", IntToStr(jewel.m_nPage2), jewel.m_nLeft2, jewel.m_nTop2, jewel.m_nWidth2,
             jewel.m_nHeight2, "Tab", LabelRows::SurfaceLengthText(jewel.m_nTab), "EDIT", "");

    AddDisc(model, "Disc 1", disc.m_nLeft1, disc.m_nTop1, disc.m_nHeight1, disc.m_nWidth1, "Top");
    shown.page = "1";

    AddPage(model, "Page 1", "1", disc.m_nSheetWidth1, disc.m_nSheetHeight1);
    AddPage(model, "Page 2", "2", jewel.m_nSheetWidth1, jewel.m_nSheetHeight1);
    AddPage(model, "Page 3", "3", jewel.m_nSheetWidth2, jewel.m_nSheetHeight2);

    AddDisc(model, "Disc 2", disc.m_nLeft2, disc.m_nTop2, disc.m_nHeight2, disc.m_nWidth2, "Bottom");

    model.LoadLayoutGeometry();

    const SurfacePlacement& placement = model.Placement();
    const BackCoverGeometry& back = placement.geometry.back;
    AddBoundary(model, "Left Tab", placement.backCoverPage, "Back Cover", "EDIT", back.left, back.top, back.tab,
                back.height);
    AddBoundary(model, "Right Tab", placement.backCoverPage, "Back Cover", "", back.left + back.width - back.tab,
                back.top, back.tab, back.height);

    if (folded)
        AddInsideCoverBoundary(model);

    model.SetUndoRecording(true);

    if (shown.layout == "Single") {
        AddAlbumTexts(model, "");
    } else if (shown.layout == "Double") {
        AddAlbumTexts(model, " - Disc 1");
        AddAlbumTexts(model, " - Disc 2");
    }
}

void AddInsideCoverBoundary(CLabelModel& model)
{
    const bool recording = model.IsUndoRecording();
    model.SetUndoRecording(false);
    const FrontCoverGeometry& front = model.Placement().geometry.front;
    AddBoundary(model, "Front Cover (Inside)", model.Placement().frontCoverPage, "Front Cover", "EDIT", front.left,
                front.top, front.width / 2, front.height);
    model.SetUndoRecording(recording);
}
