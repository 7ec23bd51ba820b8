// A new layout: the surfaces, pages and spine tabs of an empty label built
// from the chosen label papers, the album texts of a single or double CD, the
// cached surface geometry and the rectangles of the named surface parts.
#include "view/Quorbel6View.h"
#include "view/ObjectRows.h"

#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "view/PlaceholderTracks.h"

namespace {

constexpr char kWhite[] = "255,255,255";
constexpr char kYesNo[] = "Yes|No|";
constexpr char kPages[] = "1|2|3|";
constexpr char kDefaultTextMargin[] = "0.050 ''";
constexpr int kNewLayoutZoom = 10;

// Row positions of a new layout that the cached geometry is read from.
constexpr int kFrontCoverRow = 0;
constexpr int kBackCoverRow = 9;
constexpr int kDisc1Row = 18;
constexpr int kDisc2Row = 49;


// The chosen paper of a kind, or the built-in one when the store has none.
CLabelDim ChosenPaper(const std::vector<std::unique_ptr<CLabelDim>>& papers, int index, int kind)
{
    if (index >= 0 && index < static_cast<int>(papers.size()) && papers[static_cast<size_t>(index)] &&
        papers[static_cast<size_t>(index)]->m_nType == kind)
        return *papers[static_cast<size_t>(index)];
    return kind == CLabelDim::kDiscLabels ? CLabelDim::GenericDiscLabels() : CLabelDim::PlainPaper();
}

void AddCover(CQuorbel6View& view, const char* name, const CString& page, int left, int top, int width, int height,
              const char* sixthKey, const CString& sixthValue, const char* sixthKind, const char* sixthChoices)
{
    ObjectRows rows(view, name, 9);
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

void AddDisc(CQuorbel6View& view, const char* name, int left, int top, int innerDiameter, int outerDiameter,
             const char* labelPosition)
{
    ObjectRows rows(view, name, 10);
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

void AddPage(CQuorbel6View& view, const char* name, const char* page, int sheetWidth, int sheetHeight)
{
    ObjectRows rows(view, name, 7);
    rows.Add("Item Type", "", "Page", "", 0);
    rows.Add("Page", "", page, "", 0);
    rows.Add("Orientation", "COMBO", sheetWidth > sheetHeight ? "Landscape" : "Portrait", "Landscape|Portrait|", 0);
    rows.Add("Left", "", "0", "", 0);
    rows.Add("Top", "", "0", "", 0);
    rows.Add("Width", "", LabelRows::SurfaceLengthText(sheetWidth), "", 0);
    rows.Add("Height", "", LabelRows::SurfaceLengthText(sheetHeight), "", 0);
}

// A boundary: a spine tab or the inside of a folded front cover.
void AddBoundary(CQuorbel6View& view, const char* part, const CString& page, const char* surface,
                 const char* lengthKind, int left, int top, int width, int height)
{
    ObjectRows rows(view, part, 8);
    rows.Add("Item Type", "", "Boundary", "", 0);
    rows.Add("Page", "", page, "", 0);
    rows.Add("View", "", surface, part, 0);
    rows.Add("Color", "COLOR", kWhite, "", 1);
    rows.Add("Left", lengthKind, LabelRows::ObjectLengthText(left), "", 0);
    rows.Add("Top", lengthKind, LabelRows::ObjectLengthText(top), "", 0);
    rows.Add("Width", lengthKind, LabelRows::ObjectLengthText(width), "", 0);
    rows.Add("Height", lengthKind, LabelRows::ObjectLengthText(height), "", 0);
}

void AddAlbumTexts(std::vector<TextEntry>& texts, const CString& disc)
{
    static const char* const kAlbumTexts[] = {"Artist", "Title", "Track List", "Time", "Year", "Genre"};
    for (const char* name : kAlbumTexts) {
        TextEntry text;
        text.m_strName = CString(name) + disc;
        const bool isTrackList = CString(name) == "Track List";
        text.m_strItemType = isTrackList ? "Track" : "Text";
        text.m_strValue = isTrackList ? PlaceholderTrackList(disc) : CString();
        text.m_nOrigin = 2;
        texts.push_back(text);
    }
}

}  // namespace

void CQuorbel6View::CreateSurfaceProperties(int)
{
    Guarded(44, ErrorSink::Window(this), [&] {
        m_strSurface = "Disc 1";
        m_nZoom = kNewLayoutZoom;
        m_bUndoRecording = FALSE;

        const CLabelDim jewel = ChosenPaper(m_labelTemplates, m_nJewelTemplate, CLabelDim::kJewelCase);
        const CLabelDim disc = ChosenPaper(m_labelTemplates, m_nDiscTemplate, CLabelDim::kDiscLabels);

        const bool folded = jewel.m_nFolded == 1;
        AddCover(*this, "Front Cover", "2", jewel.m_nLeft1, jewel.m_nTop1, jewel.m_nWidth1, jewel.m_nHeight1,
                 "Folded Cover", folded ? "Yes" : "No", "COMBO", kYesNo);
        AddCover(*this, "Back Cover", IntToStr(jewel.m_nPage2), jewel.m_nLeft2, jewel.m_nTop2, jewel.m_nWidth2,
                 jewel.m_nHeight2, "Tab", LabelRows::SurfaceLengthText(jewel.m_nTab), "EDIT", "");

        AddDisc(*this, "Disc 1", disc.m_nLeft1, disc.m_nTop1, disc.m_nHeight1, disc.m_nWidth1, "Top");
        m_strPage = "1";

        AddPage(*this, "Page 1", "1", disc.m_nSheetWidth1, disc.m_nSheetHeight1);
        AddPage(*this, "Page 2", "2", jewel.m_nSheetWidth1, jewel.m_nSheetHeight1);
        AddPage(*this, "Page 3", "3", jewel.m_nSheetWidth2, jewel.m_nSheetHeight2);

        AddDisc(*this, "Disc 2", disc.m_nLeft2, disc.m_nTop2, disc.m_nHeight2, disc.m_nWidth2, "Bottom");

        LoadLayoutGeometry();

        const BackCoverGeometry& back = m_geometry.back;
        AddBoundary(*this, "Left Tab", m_strBackCoverPage, "Back Cover", "EDIT", back.left, back.top, back.tab,
                    back.height);
        AddBoundary(*this, "Right Tab", m_strBackCoverPage, "Back Cover", "", back.left + back.width - back.tab,
                    back.top, back.tab, back.height);

        if (folded)
            AddInsideCoverBoundary();

        m_bUndoRecording = TRUE;

        if (m_strLayout == "Single") {
            AddAlbumTexts(m_textRows, "");
        } else if (m_strLayout == "Double") {
            AddAlbumTexts(m_textRows, " - Disc 1");
            AddAlbumTexts(m_textRows, " - Disc 2");
        }
    });
}

void CQuorbel6View::LoadLayoutGeometry()
{
    Guarded(43, ErrorSink::Window(this), [&] {
        const int rowCount = static_cast<int>(m_propertyRows.size());
        // Old or damaged models may lack rows: a missing row leaves its value as it was.
        auto read = [&](int index, auto&& apply) {
            if (index < rowCount)
                apply(m_propertyRows[static_cast<size_t>(index)].m_strValue);
        };
        auto length = [&](int index, int& target) { read(index, [&](const CString& v) { target = LabelRows::ReadLength(v); }); };
        auto text = [&](int index, CString& target) { read(index, [&](const CString& v) { target = v; }); };
        auto flag = [&](int index, BYTE& target) { read(index, [&](const CString& v) { target = v == "Yes" ? 1 : 0; }); };

        int row = kFrontCoverRow;
        text(row + 1, m_strFrontCoverPage);
        length(row + 2, m_geometry.front.left);
        length(row + 3, m_geometry.front.top);
        length(row + 4, m_geometry.front.width);
        length(row + 5, m_geometry.front.height);
        flag(row + 6, m_bFolded);
        flag(row + 7, m_bFrontCoverBorder);

        row = kBackCoverRow;
        text(row + 1, m_strBackCoverPage);
        length(row + 2, m_geometry.back.left);
        length(row + 3, m_geometry.back.top);
        length(row + 4, m_geometry.back.width);
        length(row + 5, m_geometry.back.height);
        length(row + 6, m_geometry.back.tab);
        flag(row + 7, m_bBackCoverBorder);

        row = kDisc1Row;
        text(row + 1, m_strDisc1Page);
        length(row + 2, m_geometry.disc1.left);
        length(row + 3, m_geometry.disc1.top);
        length(row + 4, m_geometry.disc1.innerDiameter);
        length(row + 5, m_geometry.disc1.outerDiameter);
        flag(row + 6, m_bDisc1Border);
        length(row + 9, m_geometry.disc1.textMargin);

        // Old documents have no second disc at its place; its values then stay.
        row = kDisc2Row;
        if (row + 1 < rowCount && m_propertyRows[static_cast<size_t>(row + 1)].m_strObjectName == "Disc 2" &&
            m_propertyRows[static_cast<size_t>(row + 1)].m_strKey == "Page") {
            text(row + 1, m_strDisc2Page);
            length(row + 2, m_geometry.disc2.left);
            length(row + 3, m_geometry.disc2.top);
            length(row + 4, m_geometry.disc2.innerDiameter);
            length(row + 5, m_geometry.disc2.outerDiameter);
            flag(row + 6, m_bDisc2Border);
            length(row + 9, m_geometry.disc2.textMargin);
        }
    });
}

void CQuorbel6View::AddInsideCoverBoundary()
{
    Guarded(1, ErrorSink::Window(this), [&] {
        const BOOL recording = m_bUndoRecording;
        m_bUndoRecording = FALSE;
        const FrontCoverGeometry& front = m_geometry.front;
        AddBoundary(*this, "Front Cover (Inside)", m_strFrontCoverPage, "Front Cover", "EDIT", front.left, front.top,
                    front.width / 2, front.height);
        m_bUndoRecording = recording;
    });
}

RECT CQuorbel6View::GetSurfaceRect(const CString& partName)
{
    return Guarded(32, ErrorSink::Window(this), RECT{}, [&]() -> RECT {
        const BackCoverGeometry& back = m_screenGeometry.back;
        const FrontCoverGeometry& front = m_screenGeometry.front;
        auto discSquare = [](const DiscGeometry& disc) {
            return RECT{disc.left, disc.top, disc.left + disc.outerDiameter, disc.top + disc.outerDiameter};
        };
        auto holeSquare = [](const DiscGeometry& disc) {
            const int offset = disc.outerDiameter / 2 - disc.innerDiameter / 2;
            return RECT{disc.left + offset, disc.top + offset, disc.left + offset + disc.innerDiameter,
                        disc.top + offset + disc.innerDiameter};
        };

        RECT rect{};
        if (partName == "Back Cover")
            rect = RECT{back.left + back.tab, back.top, back.left + back.width - back.tab, back.top + back.height};
        else if (partName == "Back Cover All")
            rect = RECT{back.left, back.top, back.left + back.width, back.top + back.height};
        else if (partName == "Front Cover")
            rect = RECT{front.left, front.top, front.left + front.width, front.top + front.height};
        else if (partName == "Left Tab")
            rect = RECT{back.left, back.top, back.left + back.tab, back.top + back.height};
        else if (partName == "Right Tab")
            rect = RECT{back.left + back.width - back.tab, back.top, back.left + back.width, back.top + back.height};
        else if (partName == "Outer Radius")
            rect = discSquare(m_screenGeometry.disc1);
        else if (partName == "Outer Radius2")
            rect = discSquare(m_screenGeometry.disc2);
        else if (partName == "Inner Radius")
            rect = holeSquare(m_screenGeometry.disc1);
        else if (partName == "Inner Radius2")
            rect = holeSquare(m_screenGeometry.disc2);
        else
            return RECT{};

        const POINT scroll = GetDeviceScrollPosition();
        OffsetRect(&rect, -m_ptPageOrigin.x - scroll.x, -m_ptPageOrigin.y - scroll.y);
        return rect;
    });
}

void CQuorbel6View::SetDragLimits()
{
    // An image may go anywhere on the sheet; everything else stays on its surface.
    const int selected = FindObjectRow(m_strSelectedObject);
    if (selected >= 0 && m_propertyRows[static_cast<size_t>(selected)].m_strValue == "Image") {
        m_rcDragLimits = RECT{0, 0, m_sizePaper.cx, m_sizePaper.cy};
        return;
    }
    if (m_strSurface == "Back Cover") {
        const BackCoverGeometry& back = m_geometry.back;
        m_rcDragLimits = RECT{back.left, back.top, back.left + back.width, back.top + back.height};
    } else if (m_strSurface == "Front Cover") {
        const FrontCoverGeometry& front = m_geometry.front;
        m_rcDragLimits = RECT{front.left, front.top, front.left + front.width, front.top + front.height};
    } else if (m_strSurface == "Disc 1" || m_strSurface == "Disc 2") {
        const DiscGeometry& disc = m_strSurface == "Disc 1" ? m_geometry.disc1 : m_geometry.disc2;
        m_rcDragLimits = RECT{disc.left, disc.top, disc.left + disc.outerDiameter, disc.top + disc.outerDiameter};
    }
}
