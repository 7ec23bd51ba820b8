// The Insert commands, the three creating operations they share with the
// object tool bar and the clipboard, Delete and Read track data.
#include "view/AlbumImport.h"
#include "view/Quorbel6View.h"

#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "imaging/PictureFile.h"
#include "label/NewObjectRows.h"
#include "label/DragGeometry.h"
#include "label/ObjectPlacement.h"
#include "label/PlaceholderTracks.h"
#include "shell/AlbumImportDlg.h"
#include "shell/AppMessageDlg.h"
#include "shell/DiscChoiceDlg.h"
#include "uikit/UiResources.h"

#include <commdlg.h>

namespace {

constexpr char kImageFilter[] =
    "All Image Files|*.JPG;*.JPEG;*.BMP;*ICO;*.WMF;*.PNG;*.PCX;*.EMF;*.DIB|JPEG Files (*.jpg;*.jpeg)|*.JPG;*.JPEG|"
    "Bitmap Files (*.bmp;*.dib)|*.BMP;*.DIB|PNG Files (*.png)|*.PNG|MetaFiles (*.wmf;*.emf)|*.WMF;*.EMF|"
    "Icon Files (*.ico)|*.ICO|PCX Files (*.pcx)|*.PCX|All Files (*.*)|*.*||";

// The filter with its bars turned into the separators the file dialog reads.
std::string DialogFilter(const char* filter)
{
    std::string text(filter);
    for (char& ch : text)
        if (ch == '|')
            ch = '\0';
    return text;
}

// The pixel size of a name in Times New Roman at the zoom, as the object's first outline.
SIZE MeasureObjectName(HWND window, const CString& name, int zoom, bool onTab)
{
    CClientDC dc(window);
    CFont font;
    LOGFONTA description{};
    description.lfHeight = zoom * 10;
    description.lfWeight = FW_NORMAL;
    lstrcpynA(description.lfFaceName, "Times New Roman", LF_FACESIZE);
    SIZE extent{};
    if (font.CreatePointFontIndirect(description, dc)) {
        CSelectGuard select(dc, font);
        ::GetTextExtentPoint32A(dc, name, name.GetLength(), &extent);
    }
    if (onTab) {
        // Text runs along a tab: room for one more character, then turned.
        CSelectGuard system(dc, ::GetStockObject(SYSTEM_FONT));
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        extent.cx += static_cast<LONG>(0.14 * metrics.tmMaxCharWidth);
        std::swap(extent.cx, extent.cy);
    }
    return extent;
}

// Grows a box about its centre to at least `size`.
RECT GrowToFit(RECT area, SIZE size)
{
    const LONG width = area.right - area.left;
    const LONG height = area.bottom - area.top;
    if (size.cx > width) {
        area.left -= (size.cx - width) / 2;
        area.right = area.left + size.cx;
    }
    if (size.cy > height) {
        area.top -= (size.cy - height) / 2;
        area.bottom = area.top + size.cy;
    }
    return area;
}

}  // namespace

void CQuorbel6View::OnInsertArtist()
{
    Guarded(55, ErrorSink::Window(this), [&] { InsertAlbumField("Artist", false); });
}
void CQuorbel6View::OnInsertTitle()
{
    Guarded(63, ErrorSink::Window(this), [&] { InsertAlbumField("Title", false); });
}
void CQuorbel6View::OnInsertTrackList()
{
    Guarded(64, ErrorSink::Window(this), [&] { InsertAlbumField("Track List", true); });
}
void CQuorbel6View::OnInsertYear()
{
    Guarded(65, ErrorSink::Window(this), [&] { InsertAlbumField("Year", false); });
}
void CQuorbel6View::OnInsertTime()
{
    Guarded(62, ErrorSink::Window(this), [&] { InsertAlbumField("Time", false); });
}
void CQuorbel6View::OnInsertGenre()
{
    Guarded(58, ErrorSink::Window(this), [&] { InsertAlbumField("Genre", false); });
}

void CQuorbel6View::OnInsertText()
{
    Guarded(56, ErrorSink::Window(this), [&] {
        const InsertionPlace place = CurrentInsertionPlace();
        AddTextObject("Text", place.area, place.part);
    });
}

CQuorbel6View::InsertionPlace CQuorbel6View::CurrentInsertionPlace()
{
    if (m_bInsertionPending)
        return InsertionPlace{m_rectInsertion, m_strCurrentPart};
    // A menu command, its accelerator or a tool bar: no point was chosen, so the
    // object goes where a click on the object tool bar's button puts it.
    const POINT centre = PointOnShownSurface();
    const SIZE size = m_sizeContextMenuIcon;
    const RECT area{centre.x - size.cx / 2, centre.y - size.cy / 2, centre.x - size.cx / 2 + size.cx,
                    centre.y - size.cy / 2 + size.cy};
    return InsertionPlace{area, "Inside"};
}

void CQuorbel6View::InsertAlbumField(const char* field, bool trackList)
{
    CString name = field;
    if (Model().Shown().layout == "Double") {
        CDiscChoiceDlg dialog("Which disc do you want this object attached to?", this);
        const INT_PTR disc = dialog.DoModal();
        if (disc == 1)
            name += " - Disc 1";
        else if (disc == 2)
            name += " - Disc 2";
        else
            return;
    }
    const InsertionPlace place = CurrentInsertionPlace();
    if (trackList)
        AddTrackListObject(name, place.area, place.part);
    else
        AddTextObject(name, place.area, place.part);
}

void CQuorbel6View::OnInsertImage()
{
    Guarded(59, ErrorSink::Window(this), [&] {
        const int side = DocToScreenLength(1250);
        const int half = side / 2;
        const RECT area = CurrentInsertionPlace().area;
        const POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        AddImageObject(RECT{centre.x - half, centre.y - half, centre.x + half, centre.y + half}, "Inside", true,
                       true);
    });
}

CString CQuorbel6View::DefaultObjectFont() const
{
    CString face = "Tahoma";
    if (const CUiResources* resources = UiResources())
        if (HFONT font = resources->UiFont(false)) {
            LOGFONTA description{};
            if (::GetObjectA(font, sizeof description, &description) && description.lfFaceName[0])
                face = description.lfFaceName;
        }
    return face + ",72,400,0";
}

void CQuorbel6View::AddTextObject(CString name, RECT area, CString part)
{
    Guarded(4, ErrorSink::Window(this), [&] {
        const int textRow = FindTextRow(name);
        if (textRow >= 0) {
            if (Model().Texts()[static_cast<size_t>(textRow)].m_strValue.IsEmpty())
                SetTextRowValue(textRow, name);
        } else if (name == "Text") {
            MakeUniqueTextName(name);
            Model().AppendTextRow(TextEntry{name, "Text", "", 1});
            SetTextRowValue(FindTextRow(name), name);
        }
        CString objectName = name;
        MakeUniqueObjectName(objectName);

        const bool onTab = part == "Left Tab" || part == "Right Tab";
        const SIZE extent = MeasureObjectName(m_hWnd, objectName, Model().Shown().zoom, onTab);
        const DocBox box = OnGrid(ObjectPlacement::FitTextBox(DocBox::FromRect(ScreenToDocRect(GrowToFit(area, extent))),
                                                              part, Model().Shown().surface, Model().Geometry()));

        AddUndoRecord(NewObjectRows::InsertionMarker(objectName, Model().Shown().surface), "Delete", "From");
        const NewObjectPlace place{objectName, Model().Shown().page, Model().Shown().surface, part, box};
        for (const PropertyEntry& row : NewObjectRows::Text(place, DefaultObjectFont()))
            AddObjectRecord(row);
        CommitUndoStep();
        SelectNewObject(objectName);
    });
}

void CQuorbel6View::AddTrackListObject(CString name, RECT area, CString part)
{
    Guarded(5, ErrorSink::Window(this), [&] {
        const int textRow = FindTextRow(name);
        if (textRow >= 0 && Model().Texts()[static_cast<size_t>(textRow)].m_strValue.IsEmpty())
            SetTextRowValue(textRow, PlaceholderTrackList(""));
        CString objectName = name;
        MakeUniqueObjectName(objectName);

        const RECT label = ScreenToDocRect(area);
        const DocBox box = OnGrid(ObjectPlacement::FitTrackListBox(POINT{label.left, label.top},
                                                                   Model().Shown().surface, Model().Geometry()));

        AddUndoRecord(NewObjectRows::InsertionMarker(objectName, Model().Shown().surface), "Delete", "From");
        const NewObjectPlace place{objectName, Model().Shown().page, Model().Shown().surface, part, box};
        for (const PropertyEntry& row : NewObjectRows::Track(place, DefaultObjectFont()))
            AddObjectRecord(row);
        CommitUndoStep();
        SelectNewObject(objectName);
    });
}

CString CQuorbel6View::AskImageFile()
{
    const std::string filter = DialogFilter(kImageFilter);
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_hWnd;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = "Image to load";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    return ::GetOpenFileNameA(&dialog) ? CString(path) : CString();
}

void CQuorbel6View::AddImageObject(RECT area, CString part, bool askForFile, bool finish)
{
    Guarded(2, ErrorSink::Window(this), [&] {
        if (area.right - area.left < 5)
            area.right = area.left + 5;
        if (area.bottom - area.top < 5)
            area.bottom = area.top + 5;
        const CString surface = GetSurfaceUnderRect(area);
        if (surface.IsEmpty())
            return;

        DocBox box = DocBox::FromRect(ScreenToDocRect(area));
        box = ObjectPlacement::FitImageBox(box, surface, Model().Geometry());
        part = ObjectPlacement::ImagePart(box, part, surface, Model().Geometry(), Model().Placement().folded != 0);

        if (askForFile) {
            // Nothing changes, not even the surface shown, until a picture is stored.
            const CString path = AskImageFile();
            if (path.IsEmpty())
                return;
            CWaitCursor wait;
            if (!LoadImageFile(ReadPictureFile(path), path, -1))
                return;
        }
        if (Model().ImageCount() == 0)
            return;
        if (Model().Shown().surface != surface)
            ShowSurface(surface);

        CString objectName = "Image";
        MakeUniqueObjectName(objectName);
        SendOtherImagesBack(objectName);
        AddUndoRecord(NewObjectRows::InsertionMarker(objectName, surface), "Delete", "From");

        const int newest = Model().ImageCount() - 1;
        double width = box.width, height = box.height;
        const bool lockAspect = KeepImageAspect(width, height, newest);
        box.width = static_cast<int>(width);
        box.height = static_cast<int>(height);
        if (finish)
            box = OnGrid(box);

        Model().SetStackingCounter(Model().StackingCounter() + 1);
        const NewObjectPlace place{objectName, Model().Shown().page, surface, part, box};
        for (const PropertyEntry& row : NewObjectRows::Image(place, newest, Model().StackingCounter(), lockAspect))
            AddObjectRecord(row);
        if (finish) {
            CommitUndoStep();
            SelectNewObject(objectName);
            TellFrameSelection();
        } else {
            m_strSelectedObject = objectName;
            m_strDragMode.Empty();
            m_nSelectionHandles = 8;
            LoadSelection();
        }
    });
}

void CQuorbel6View::SendOtherImagesBack(const CString& keep)
{
    const CString surface = Model().Shown().surface;
    std::vector<CString> others;
    for (int row = 0; row < Model().RowCount(); row = NextObjectRow(row)) {
        const PropertyEntry& head = Model().Row(row);
        if (head.m_strValue == "Image" && head.m_strObjectName != keep &&
            GetPropertyValue(head.m_strObjectName, "View") == surface)
            others.push_back(head.m_strObjectName);
    }
    for (const CString& name : others)
        ApplyProperty(name, "Bring to Front", "No");
}

DocBox CQuorbel6View::OnGrid(DocBox box) const
{
    // A new object starts on the grid, as if moved there by a drag of nothing.
    if (m_bSnapToGrid) {
        box.left = DragGeometry::SnapToGrid(box.left, m_nGridSpacingX);
        box.top = DragGeometry::SnapToGrid(box.top, m_nGridSpacingY);
    }
    return box;
}

void CQuorbel6View::SelectNewObject(const CString& objectName)
{
    m_strSelectedObject = objectName;
    m_strDragMode.Empty();
    m_nSelectionHandles = 8;
    LoadSelection();
    DrawSurface(kDrawClear);
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag(TRUE);
    ShowSurface("");
    TellFramePanes();
    if (m_hWnd)
        ::SetFocus(m_hWnd);
}

void CQuorbel6View::OnEditDelete()
{
    Guarded(57, ErrorSink::Window(this), [&] {
        if (PassToTextField(WM_CLEAR))
            return;
        if (m_strSelectedObject.IsEmpty() || FindObjectRow(m_strSelectedObject) < 0)
            return;
        RemoveObject(m_strSelectedObject, true);
        CommitUndoStep();
        m_strDragMode.Empty();
        if (CDocument* doc = GetDocument())
            doc->SetModifiedFlag(TRUE);
        ShowSurface("");
    });
}

void CQuorbel6View::OnReadTrackData()
{
    Guarded(53, ErrorSink::Window(this), [&] { RunAlbumImport(CAlbumImportDlg::kReadTrackData); });
}

void CQuorbel6View::OnDownloadAlbumInfo()
{
    Guarded(73, ErrorSink::Window(this), [&] { RunAlbumImport(CAlbumImportDlg::kDownloadAlbumInfo); });
}

void CQuorbel6View::RunAlbumImport(int mode)
{
    const IViewFrame* frame = ViewFrame();
    if (!frame || frame->CdDriveCount() == 0) {
        CAppMessageDlg::Show("There are no CD-ROM drives attached to your system.", CAppMessageDlg::kIconExclamation,
                             "OK`");
        return;
    }
    std::vector<CString> drives;
    for (int drive = 0; drive < frame->CdDriveCount(); ++drive)
        drives.push_back(frame->CdDriveName(drive));
    CViewAlbumLabel label(*this);
    CAlbumImportDlg dialog(this, mode, label, AppSettings(), std::move(drives));
    dialog.DoModal();
}
