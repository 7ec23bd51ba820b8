#pragma once

#include "document/AppSettings.h"
#include "document/LabelView.h"
#include "framework/TileBackground.h"
#include "framework/PrintInfo.h"
#include "framework/ScrollView.h"
#include "framework/String.h"
#include "imaging/xImage.h"
#include "label/ClipboardStore.h"
#include "label/LabelDim.h"
#include "label/LabelModel.h"
#include "label/LabelRenderer.h"
#include "label/ObjectPlacement.h"
#include "label/PropertyRules.h"
#include "view/SelectionPatterns.h"
#include "label/UndoHistory.h"
#include "printing/PaperTestSheet.h"
#include "view/SurfaceBitmaps.h"
#include "resource.h"
#include "shell/FrameView.h"
#include "shell/ImagePaneTarget.h"
#include "shell/PropertyGridHost.h"
#include "shell/TextPaneHost.h"
#include "shell/ColorDlgHost.h"
#include "shell/ObjectToolBarHost.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CArchive;
struct LabelTemplateList;

// The label view: the window that shows a label and edits it. The label
// itself is a model apart (label/LabelModel.h), held by the document; the view
// keeps the window's state (the page's place, the zoom's pixels, the surface
// bitmaps, the selection), the settings that belong to it, the label-paper
// store and the start-up state, and draws through the label renderer. The
// class is split across files by concern:
//   view/Quorbel6View.cpp construction and the command table
//   view/StartUp.cpp      first-time set-up, start-up timer, destroy, system settings
//   view/Paint.cpp        the paint routine: copies the surface bitmaps, draws the overlays
//   view/DrawSurface.cpp  drawing the surfaces of the page into their bitmaps
//   view/ViewScale.cpp    screen scale, page placement, showing a surface
//   view/Zoom.cpp         zoom in and out
//   view/SurfaceCommands.cpp the surface commands and Show Guides
//   view/ScreenConversions.cpp screen points and document units, scrolling to a part
//   view/LabelModel.cpp   which model the view shows, and its row operations
//   view/Settings.cpp     reading and writing the settings, grid commands
//   view/LabelPaper.cpp   the label-paper store
//   view/NewLayout.cpp    a new layout, surface rectangles, drag limits
//   view/ClearObjects.cpp emptying the model
//   view/TextRefresh.cpp  laying out the objects of one text again
//   view/FrameLink.cpp    what the main frame reads from the view and is told by it
//   view/PropertySetter.cpp the property setter: applies the rules of label/PropertyRules.h
//   view/Selection.cpp    loading the selected object's box
//   view/HitTesting.cpp   presses: what lies under the pointer and what becomes selected
//   view/SelectionFrame.cpp the selection frame, its timer, handles and the cursor
//   view/MouseEditing.cpp dragging and resizing with the mouse
//   view/KeyEditing.cpp   the arrow and delete keys
//   view/ContextMenu.cpp  the context menu and the pane commands
//   view/InsertObjects.cpp the Insert commands, the creating operations and Delete
//   view/ImagesOnLabel.cpp image slots, stacking, Set as Background and the centring commands
//   view/Background.cpp   the background picture of a surface part
//   view/Clipboard.cpp    Cut, Copy and Paste
//   view/Printing.cpp     the print hooks: page set-up and the printed page
//   view/CalibrationPage.cpp the printer calibration sheet
//   view/ImagesPaneLink.cpp what the Images pane asks of the view
//   view/TextPaneLink.cpp what the Text pane reads and writes
//   view/StyleDialogLink.cpp the colour and font dialogs' previews and commits
//   view/ObjectDrop.cpp   new objects dropped from the object tool bar
class CQuorbel6View : public CScrollView,
                      public ILabelView,
                      public IFrameView,
                      public IPropertyGridHost,
                      public IImagePaneTarget,
                      public ITextPaneHost,
                      public IStyleDialogHost,
                      public IObjectDropHost
{
    DECLARE_DYNCREATE(CQuorbel6View)
    DECLARE_COMMAND_MAP()

public:
    CQuorbel6View();
    ~CQuorbel6View() override;

    // ---- start-up -----------------------------------------------------------
    // The view's first-time set-up: reads the settings and makes the first document.
    void InitView();
    // Window placement and the actions of a first run, once the splash has gone.
    void ShowFirstRunHelp();

    // ---- label model ------------------------------------------------------------
    // The label shown: the document's, or the view's own while it has none.
    CLabelModel& Model();
    const CLabelModel& Model() const;
    // The renderer that draws the label into the surface bitmaps.
    CLabelRenderer& Renderer() { return m_renderer; }
    const CLabelRenderer& Renderer() const { return m_renderer; }

    // The row operations of the label model, for the view's own commands.
    // Appends a copy of the row at the end of the property rows.
    void AddObjectRecord(const PropertyEntry& row);
    // name -> name(n), the smallest n from 1 that no object carries.
    void MakeUniqueObjectName(CString& name);
    // name -> "name n", the smallest n from 1 that no text row carries.
    void MakeUniqueTextName(CString& name);
    int FindObjectRow(const CString& objectName) const { return Model().FindObjectRow(objectName); }
    int NextObjectRow(int index) const { return Model().NextObjectRow(index); }
    int FindPropertyRow(const CString& objectName, const CString& key) const
    {
        return Model().FindPropertyRow(objectName, key);
    }
    CString GetPropertyValue(const CString& objectName, const CString& key) const
    {
        return Model().GetPropertyValue(objectName, key);
    }
    // Replaces a value in place, without undo; false when the property is missing.
    bool ReplacePropertyValue(const CString& objectName, const CString& key, const CString& value)
    {
        return Model().ReplacePropertyValue(objectName, key, value);
    }
    int EraseObjectRows(const CString& objectName) { return Model().EraseObjectRows(objectName); }
    int FindTextRow(const CString& textName) const { return Model().FindTextRow(textName); }
    const TextEntry* FindTextOfObject(const CString& objectName) const { return Model().FindTextOfObject(objectName); }
    bool SetTextRowValue(int textRow, const CString& value) { return Model().SetTextRowValue(textRow, value); }
    static CString MakeTrackListText(const std::vector<CString>& names, const std::vector<CString>& times)
    {
        return CLabelModel::MakeTrackListText(names, times);
    }

    // ---- new layout and surface geometry (view/NewLayout.cpp) ------------------
    // Fills the emptied model with the surfaces, pages and spine tabs of a new
    // layout from the chosen label papers, then the album texts of the layout.
    void CreateSurfaceProperties(int unused = 0) override;
    // Reads the surface rows at their fixed places into the model's placement
    // and the renderer's geometry.
    void LoadLayoutGeometry();
    // Appends the boundary "Front Cover (Inside)": the left half of a folded cover.
    void AddInsideCoverBoundary();
    // A named part of a surface in client pixels; empty for an unknown name.
    RECT GetSurfaceRect(const CString& partName);
    // The bounds a drag keeps the selected object in, in thousandths of an inch.
    void SetDragLimits();

    // ---- model reset (view/ClearObjects.cpp) -----------------------------------
    // Empties the model before a new or opened label.
    void ClearObjects();

    // ---- a new label in the model (view/NewLabel.cpp) ---------------------------
    void BeginNewLabel() override;
    void DrawEveryPage() override;
    void ShowNewLabel(const CString& selected, bool show, bool fit, bool enableEditing) override;
    bool IsLabelPaperChosen() const override { return m_bLabelPaperChosen != 0; }
    int TakeStartPreset() override;
    int AskNewLabelKind() override;
    // Lowers the zoom in steps until every surface of the page shown fits its
    // bitmap; a zoom stored by another screen or a damaged file may not.
    void KeepZoomInsideBitmaps();

    // ---- settings -------------------------------------------------------------
    // Reads every setting of the program at start, after the label paper.
    void LoadSettings();
    // Writes one setting: kind "String" or "Number". FALSE when the settings key
    // could not be opened (it is never created here); nothing is written for
    // another kind.
    BOOL WriteSettingValue(const CString& kind, const CString& name, const CString& value);

    // The settings that live on the application object. The application attaches
    // its own; tests attach one of theirs.
    void AttachAppSettings(CAppSettings* settings) { m_pAppSettings = settings; }
    CAppSettings& AppSettings();

    // Layout menu commands.
    void OnSnapToGrid();
    void OnShowGrid();
    // The Grid Size and Units dialogs; each stores its setting itself.
    void OnGridSize();
    void OnUnits();

    // ---- label paper ------------------------------------------------------------
    // Fills the label-paper store from "labels.ini", or with the two built-in
    // papers when the file is missing or unreadable.
    void LoadLabelTemplates();
    // Writes the whole store and the two choices to "labels.ini"; FALSE (after
    // telling the user) when it could not be written.
    BOOL SaveLabelTemplates();
    // Turns the paper geometry of an older document into two templates of the
    // user's own, chooses them and saves the store.
    void ResetDefaultTemplates() override;
    // The store as a list of copies, and a list taken over as the store.
    LabelTemplateList CopyLabelTemplates() const;
    void TakeLabelTemplates(LabelTemplateList list);

    // ---- view geometry, zoom and surfaces (view/ViewScale.cpp, view/Zoom.cpp,
    //      view/SurfaceCommands.cpp) ------------------------------------------------
    // Drawing stays off until a layout is shown; the surface bitmaps are made here.
    void OnInitialUpdate() override;
    // Makes the surface bitmaps and reads the screen's resolution.
    void PrepareBitmaps();
    // Recomputes every on-screen member from the document units at the zoom.
    void UpdateScale();
    // Scroll sizes: the page in pixels plus both margins.
    void UpdateScrollSizes();
    // Hides both scroll bars; the next scroll sizes show the ones a new zoom needs.
    void HideScrollBars();
    // Places the page in the client area.
    void CenterSurface();
    // Switches to the named surface (an empty name keeps it), recomputes the page and redraws.
    void ShowSurface(const CString& surfaceName);
    // The sheet of the page shown and its printable-area guide, from the chosen papers.
    void UpdatePaperSize();
    // Chooses the largest zoom at which the shown surface fits the client area.
    void FitZoomToSurface();
    // True when every surface of the page shown, and the shown one, fits its bitmap.
    bool ZoomFitsBitmaps() const;
    void OnZoomIn();
    void OnZoomOut();
    void OnViewDisc2();
    void OnViewDiscLabel();
    void OnViewFrontCover();
    void OnViewBackCover();
    void OnViewShowGuides();
    // Length conversions at the current zoom; scaling only.
    int DocToScreenLength(int length) const;
    RECT DocToScreenRectScale(const RECT& rect) const;
    RECT DeviceToDocRect(const RECT& rect) const;
    SIZE DocToScreenSize(SIZE size) const;
    // Screen coordinates to document units and back, through the scroll
    // position and the page origin (view/ScreenConversions.cpp).
    RECT ScreenToDocRect(const RECT& screenRect) const;
    POINT ScreenToDocPoint(POINT screenPoint) const;
    POINT DocToScreenPoint(POINT docPoint) const;
    RECT DocToScreenRect(const RECT& docRect) const;
    // The client area's centre in document units; (0, 0) after a failure.
    POINT GetClientCentreDoc() const override;
    // Scrolls the shown surface's centre to the client's centre on each axis
    // that scrolls; with fit, chooses the zoom for the surface first.
    void ScrollToCurrentPart(bool fit);
    // Adapts a box (in/out) to the proportions of an image; false, changing
    // nothing, for a missing or degenerate image.
    bool KeepImageAspect(double& width, double& height, int imageNumber) const;
    // Reads the default printer's printable areas on A4 and Letter paper, or
    // sets the no-printer flag and zeroes them (view/DefaultPrinter.cpp).
    void GetDefaultPrinter();
    // A printer context's printable area on its paper, thousandths of an inch.
    static RECT PrintableArea(HDC printer);
    // Paints the view at once on a fresh window context, outside WM_PAINT.
    void DrawNow();

    // ---- surface drawing (view/DrawSurface.cpp) ----------------------------------
    // Renders the surfaces of the page shown into their bitmaps: 23 shades them
    // grey, 1044 clears them white, 1045 draws, 1046 draws without ring clip and outlines.
    void DrawSurface(int mode);
    static constexpr int kDrawShade = 23;
    static constexpr int kDrawClear = 1044;
    static constexpr int kDrawFull = 1045;
    static constexpr int kDrawPlain = 1046;
    // Whether the track lists of the page shown are to refit once after an
    // album import; clearing it ends the request for that page.
    bool IsLayoutFitPending() const;
    void ClearLayoutFit();
    // After an album import: every page's track lists refit at their next drawing.
    void RequestLayoutFit();
    // ---- text drawing and measuring, done by the renderer at the view's zoom -------
    RingFit FitLineInDiscRing(int bandBottom, int widthNeeded, int bandHeight, int boxLeft, int boxTop, int boxRight,
                              int boxBottom, int discLeft, int discTop, int outerDiameter, int innerDiameter,
                              int margin) const
    {
        return ::FitLineInDiscRing(bandBottom, widthNeeded, bandHeight, boxLeft, boxTop, boxRight, boxBottom,
                                   discLeft, discTop, outerDiameter, innerDiameter, margin);
    }
    bool FitFontToBox(CDC* dc, LOGFONTA& font, const CString& text, int boxWidth, int boxHeight, int lineCount)
    {
        return m_renderer.FitFontToBox(dc, font, text, boxWidth, boxHeight, lineCount);
    }
    void GetZoomedFontHeight(CDC* dc, LOGFONTA& font, const CString& text)
    {
        m_renderer.GetZoomedFontHeight(dc, font, text);
    }
    void MeasureTrackList(CDC* target, LOGFONTA& font, const CString& cache)
    {
        m_renderer.MeasureTrackList(target, font, cache);
    }
    CString MeasureTextBlock(CDC* dc, const CString& text, int* lineCount)
    {
        return m_renderer.MeasureTextBlock(dc, text, lineCount);
    }
    void ShiftLayoutCache(CString& cache, const CString& axis, int offset)
    {
        m_renderer.ShiftLayoutCache(cache, axis, offset);
    }

    // ---- the property setter (view/PropertySetter.cpp) ------------------------------
    // Every change of a property value goes through here: finds the object's
    // row, applies the caption's rules, records the change for undo and returns
    // the value stored (an empty text after a failure). An empty name acts on
    // every object of the surface shown. Neither redraws nor closes the undo step.
    CString ApplyProperty(CString name, CString caption, CString value, bool skipRow = false);
    // The text margin of a disc, given and returned in the unit of the "Units"
    // setting; bounded by the disc's ring.
    CString ApplyTextMargin(CString discName, CString value);
    // What the property rules need of the view: the printable guide, the
    // recording and clamp switches, the units and the image and cache helpers.
    PropertyRuleContext PropertyRulesContext();

    // ---- operations the setter sets off (view/LayoutDiscPage.cpp; the image ones below) ----
    // Exchanges the two disc labels' positions on their sheet.
    void LayoutDiscPage();

    // ---- page layout on label paper (view/LayoutPages.cpp) ------------------------------
    // Writes the chosen papers' sheets and positions into the pages, covers and
    // discs as one undo step; nothing while a choice names no paper of its kind.
    void LayoutPages();
    void LayoutPagesOnPaper(bool keepFold) override;
    // Lays the pages out again, clears their drawings and shows the current surface.
    void RefreshAllParts();
    // Clears the drawings of the surfaces of pages 1 to 3.
    void ClearPageDrawings();
    // The Change Label Paper command: the dialog, then the pages laid out again.
    void OnChangeLabelPaper();
    // The alignment wizard on one paper of the store (side 1 its first sheet,
    // 0 the back cover's); true when the user saved it.
    bool EditLabelPaper(int templateIndex, int side, CWnd* parent);

    // ---- undo and redo (view/UndoRedo.cpp) ---------------------------------------------
    // Stores a copy of one row in the step being recorded: kind "Change", "Delete"
    // or "Add", direction "From" (replayed by Undo) or "To" (replayed by Redo).
    // `rowIndex`: for the first row of an object being removed, its place among the rows.
    void AddUndoRecord(const PropertyEntry& payload, const CString& kind, const CString& direction,
                       int rowIndex = -1);
    // Closes the step being recorded; a step that recorded nothing is not opened.
    void CommitUndoStep();
    // Whether changes are being recorded (off while a file is read or a step replayed).
    bool IsUndoRecording() const;
    // Replays the entries of the current step in one direction.
    void UndoRedo(const CString& direction);
    void OnEditUndo();
    void OnEditRedo();
    const CUndoHistory& UndoHistory() const { return m_undoHistory; }

    // ---- selection (view/Selection.cpp, view/HitTesting.cpp, view/SelectionFrame.cpp) ------
    // The selected object's box: in client pixels, and in thousandths of an
    // inch (left, top, left + width, top + height).
    struct SelectionBox
    {
        RECT screen{};
        RECT label{};
    };
    // Reloads the selected object's rows into the selection cache and returns
    // its box on screen and in label units; a disc's label box is the one held.
    SelectionBox LoadSelection();
    // LoadSelection stored as the selection rectangles.
    void ReloadSelection();
    // The surface an object lies on: a text's or picture's "View", a cover's
    // own name; empty for a page or a missing object.
    CString SurfaceOfObject(const CString& objectName) const;
    // Shows the surface the selected object lies on when another is shown, so
    // that it is never edited through another surface's geometry.
    void ShowSurfaceOfSelection();
    // The smallest object under a screen point that the current press has not
    // returned yet (the hit list); empty when there is none.
    CString HitTestObject(POINT screenPoint);
    // Loads the selection and draws its frame on a window context.
    void UpdateSelection();
    // Copies the surface back over the frame and handles before a drag.
    void RestoreUnderSelection();
    // A one-pixel frame inverted on the screen; drawing it twice leaves no trace.
    void DrawInvertFrame(HDC dc, int left, int top, int right, int bottom) const;
    // Paints what the surface shows under one handle.
    void DrawHandle(HDC dc, const RECT& rect) const;
    // Resets the selection state, as for a new label.
    void ResetSelection();

    // ---- mouse and keyboard editing (view/MouseEditing.cpp, view/KeyEditing.cpp) ---------------
    // Writes the dragged box into the selected object's rows: one undo step.
    // True when a row was written.
    bool ApplyDrag();
    // Keeps a dragged box inside the drag limits; thousandths of an inch.
    RECT ClampDragRect(const RECT& rect) const;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnShowPropertiesAtCursor();
    void OnViewProperties();
    void OnViewTextEditor();

    // ---- removing objects and image slots (view/RemoveObject.cpp) --------------------
    // Removes every row of the named object; with refresh the surface is redrawn.
    void RemoveObject(const CString& objectName, bool refresh);
    // Frees an image slot once no row and no undo entry refers to it any more.
    void ReleaseImageSlot(int imageNumber);

    // ---- inserting objects (view/InsertObjects.cpp) ------------------------------------
    void OnInsertArtist();
    void OnInsertTitle();
    void OnInsertTrackList();
    void OnInsertYear();
    void OnInsertTime();
    void OnInsertGenre();
    void OnInsertText();
    void OnInsertImage();
    void OnEditDelete();
    void OnReadTrackData();
    void OnDownloadAlbumInfo();
    // The album dialog in mode 1 (read track data) or 2 (download album info),
    // once the main frame has found a CD drive.
    void RunAlbumImport(int mode);
    // The creating operations: each builds the object's rows, places it inside
    // its part, records one undo step and selects it. `area` is in screen pixels.
    void AddTextObject(CString name, RECT area, CString part);
    void AddTrackListObject(CString name, RECT area, CString part);
    // With `askForFile` the picture is chosen in the file dialog, else it is the
    // newest slot's; without `finish` the undo step stays open for the caller.
    void AddImageObject(RECT area, CString part, bool askForFile, bool finish);

    // ---- images on the label (view/ImagesOnLabel.cpp) ----------------------------------
    // Stores a decoded picture in a new slot (slot -1) or in place of a slot's
    // picture; 1 when stored, 0 (after telling the user) otherwise.
    int LoadImageFile(std::unique_ptr<CxImage> image, const CString& path, int slot);
    // Makes the selected image the background of its surface part.
    void SetImageAsBackground();
    // Gives an image the next stacking number, so that it is drawn last; a
    // background becomes an ordinary image in front.
    void BringImageToFront(CString role, int imageNumber);
    // Appends a full copy of a slot's picture, kept file bytes included.
    void DuplicateImageSlot(int imageNumber);
    // A spot on the shown surface for a new image, screen pixels.
    RECT GetNewImageRect();
    // The surface under a screen rectangle's corners; empty when none.
    CString GetSurfaceUnderRect(const RECT& screenRect);
    // Stretches the selected image over its part of the surface shown.
    void FitImageToSurface();
    void OnCenterHorizontally();
    void OnCenterVertically();
    void OnSetAsBackground();
    void OnBringToFront();

    // ---- the background of a surface part (view/Background.cpp) -------------------------
    // Makes a picture file the background of the part being worked on.
    void SetBackgroundFromFile(CString path);
    // Removes the part's background unless it is `keep`; with commit as one undo step, redrawn.
    void RemoveOtherBackground(bool commit, CString keep);

    // ---- what the Images pane asks of the view (view/ImagesPaneLink.cpp) ---------------
    void ApplyBackgroundFile(const CString& path) override;
    void ClearShownBackground() override;
    bool IsImageDropTarget(const RECT& screenRect, const RECT& leftOut) override;
    bool DropImageFile(const CString& path, const RECT& screenRect) override;
    void RefuseImageDrop(const RECT& screenRect) override;
    // Hands the pane this view and the folder, file types and sub-folder
    // choice of the settings; the unlink before the view goes.
    void LinkImagesPane();
    void UnlinkImagesPane();

    // ---- clipboard (view/Clipboard.cpp) ----------------------------------------------------
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    // The copied object; its "Image Number" counts as a reference to its slot.
    const CClipboardStore& ClipboardStore() const { return m_clipboardStore; }

private:
    // Insert Artist, Title ...: on a double CD the disc is asked first.
    void InsertAlbumField(const char* field, bool trackList);
    // Where an Insert command puts its object (screen pixels) and the part it
    // belongs to: around the context menu's point while a command of that menu
    // runs, else as a click on the object tool bar's button does.
    struct InsertionPlace
    {
        RECT area{};
        CString part;
    };
    InsertionPlace CurrentInsertionPlace();
    // The open-file dialog for a picture; empty when cancelled.
    CString AskImageFile();
    // Selects a new object and redraws, as every creating operation ends.
    void SelectNewObject(const CString& objectName);
    // The box moved onto the grid when snap to grid is on.
    DocBox OnGrid(DocBox box) const;
    // Writes the choices field of an object's "Item Type" or "View" row (its
    // role or part), recorded as a change.
    void SetObjectChoice(const CString& objectName, const CString& key, const CString& choices);
    // The left-right centre of the selected object, thousandths of an inch.
    int SelectionCentreX() const;
    // Every other image on the surface shown stops being the front one.
    void SendOtherImagesBack(const CString& keep);
    // The font of a new text: the user-interface face at 72 points.
    CString DefaultObjectFont() const;
    // Tells the user the clipboard stayed busy.
    void ReportClipboardBusy();

private:
    // A text row removed with the last object that showed it, and its place.
    struct RemovedText
    {
        TextEntry text;
        int index = -1;  // -1: none was removed
    };
    // Removes the object's rows (recording them while recording is on) and the
    // text row only it showed; which text row went.
    RemovedText RemoveObjectRows(const CString& objectName, bool refresh);
    // Releases the slots that dropped undo entries named, highest first.
    void ReleaseImageSlots(const std::vector<int>& imageNumbers);
    // Tells the main frame whether Undo and Redo can run.
    void TellFrameUndoState(bool undo, bool redo);
    // The value of the selected object's row `index` (0: its Item Type); empty past its rows.
    CString SelectedRowValue(int index) const;
    // After a replay: the surface, page and handles follow the new selection.
    // `surfaceBefore`: the surface shown before the replay.
    void ShowReplayedSelection(const CString& surfaceBefore);

public:

    // ---- text refresh (view/TextRefresh.cpp) ----------------------------------------
    // Every object showing the named text lays itself out again; the view repaints.
    void UpdateTextObjects(CString name);
    // Delete, Cut, Copy and Paste act on the Text pane's field that has the
    // focus, when one has: `message` (WM_CLEAR ...) goes there. False when none has.
    bool PassToTextField(UINT message);
    // Tiles a panel background over `rect` of `dc` from `origin`: source 1 is
    // the application's panel bitmap, 2 the view's own surround; grey without one.
    void PaintPanelBackground(HDC dc, const RECT& rect, POINT origin, int source) const;
    static constexpr int kPanelBackground = 1;
    static constexpr int kViewSurround = 2;

    // The paint routine: draws nothing while drawing is disabled.
    void OnDraw(CDC* dc) override;

    // ---- what the Properties pane and the object list ask (view/PropertyGridLink.cpp) ----
    const PropertyRows& PropertyTable() const override { return Model().Rows(); }
    GridRowContext GridContext() const override;
    CString ShownPage() const override { return Model().Shown().page; }
    CString ShownLayout() const override { return Model().Shown().layout; }
    CString SelectedObjectName() const override { return m_strSelectedObject; }
    CString SelectedItemType() const override { return m_selectionCache[0]; }
    void SelectObject(const CString& objectName) override;
    void ClearSurfaces() override { DrawSurface(kDrawClear); }
    CString ApplyBoxEdit(const CString& objectName, const CString& caption, const CString& value) override;
    CString ApplyGridProperty(const CString& objectName, const CString& caption, const CString& value) override
    {
        return ApplyProperty(objectName, caption, value, false);
    }
    void ShowCurrentSurface() override { ShowSurface(""); }
    void ChooseObjectColor(const CString& objectName, COLORREF color) override;
    void ChooseObjectFont(const CString& objectName, const LOGFONTA& font) override;
    void ChangeLabelPaper() override;
    void FocusLabel() override;
    // ---- end of the Properties pane block ----

    // ---- what the Text pane asks (view/TextPaneLink.cpp) ----
    bool FindPaneText(const CString& key, CString& itemType, CString& value) const override;
    void WritePaneText(const CString& key, const CString& value) override;
    void CommitPaneText(const CString& objectName, const CString& oldValue, const CString& newValue) override;
    void RefreshTextObjects(const CString& key) override;

    // ---- what the colour and font dialogs ask (view/StyleDialogLink.cpp) ----
    void PreviewRowValue(const CString& objectName, const CString& caption, const CString& value) override;
    void RepaintLabel() override;
    void CommitStyleChanges(const std::vector<StyleChange>& changes) override;

    // ---- what the object tool bar asks (view/ObjectDrop.cpp) ----
    ObjectDrop::DropParts DropPartsOnScreen() override;
    POINT ClickDropPoint() override;
    // A screen point on the visible part of the surface shown, near the
    // client area's middle; on a disc, on its ring.
    POINT PointOnShownSurface();
    void ShowDropSurface(const CString& surface) override;
    void CreateDroppedObject(int button, const CString& name, const RECT& outline, const CString& part) override;

protected:
    void OnTimer(UINT_PTR id) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override;
    void OnRButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message) override;
    void OnDestroy() override;
    void OnSettingChange(UINT flags, LPCSTR section) override;
    void OnContextMenu(HWND window, POINT point) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    // The press's hits after the precedence rules, smallest first.
    std::vector<CString> CollectHits(POINT clientPoint);
    // Makes the chosen hit the selection and shows its surface; a single-CD
    // layout's second disc place moves disc 1 there.
    void SelectHit(const CString& name);
    // What every press tells the main frame: the Text pane's fields lose their
    // focus marks and Paste follows the clipboard.
    void TellFramePress();
    // Timer 1121: the ants' steps or the end of a flash.
    void StartSelectionTimer(UINT milliseconds);
    void KillSelectionTimer();
    // The selection frame for the selected object, drawn on a client context.
    void DrawSelectionFrame(HDC dc);
    // The four ant lines of the frame at the current phase.
    void DrawAnts(HDC dc) const;
    // The selection timer's tick: the ants march, a flash ends.
    void OnSelectionTimer();
    // The dragged box of the current drag, before clamping; thousandths of an inch.
    RECT DraggedLabelRect() const;
    // A key on the view; true when it is handled here. `step` names the stage for an error.
    bool HandleEditKey(UINT key, int& step);
    // Sets or clears a check mark in the main window's menu.
    void CheckMainMenuItem(UINT commandId, BOOL checked);
    // Repaints the view at once, when it has a window.
    void RepaintNow();
    // Lends the panel bitmap to the application, or takes it back.
    void LendPanelBackground(bool lend);
    // Scrolls a document point to the client's centre on each axis that scrolls.
    void ScrollPointToClientCentre(POINT docPoint);
    // Copies the nine fields of the "FreedbOptions" record into the current server.
    void ApplyFreedbOptions(CAppSettings& settings);
    // Writes a planned property change into the label, records its undo
    // entries, updates the surface geometry and runs what it sets off.
    void ApplyPropertyEdit(const PropertyEdit& edit);

public:
    // ---- screen geometry -------------------------------------------------------------
    int m_nScreenDpi = 96;          // LOGPIXELSX, used for both axes
    BYTE m_bGeometryReady = 0;      // set by the first ShowSurface
    BYTE m_bRawContext = 0;         // the next OnDraw applies the scroll position itself
    SIZE m_sizePaperScreen = {};    // the page in pixels
    RECT m_rcGuide = {};            // printable area of the sheet shown, thousandths of an inch
    RECT m_rcGuideScreen = {};
    RECT m_rcPrintableA4 = {};      // portrait, filled by the default-printer query
    RECT m_rcPrintableLetter = {};
    BYTE m_bNoPrinter = 0;          // no default printer was found
    SIZE m_sizePaper = {};          // sheet of the page shown, thousandths of an inch
    CSurfaceBitmaps m_surfaceBitmaps;
    CSelectionPatterns m_selectionPatterns;  // the marching ants' dashes

    // ---- selection ------------------------------------------------------------------
    // What the main frame reads (view/FrameLink.cpp).
    CString SelectedObjectType() const override;
    bool IsDoubleLayout() const override;
    bool AreGuidesShown() const override { return m_bShowGuides != 0; }
    CString ShownSurfaceName() const override { return Model().Shown().surface; }
    // Tells the main frame whether an object (not a surface or page) is selected.
    void TellFrameSelection();
    // Tells the main frame that the layout may have changed.
    void TellFrameLayout();
    // The Properties pane, the Text pane and the object list show the selected object.
    void TellFramePanes();
    // Whether the program's own clipboard store holds a copied object.
    bool HasCopiedObjects() const override { return !m_clipboardStore.IsEmpty(); }
    // What the start-up takes from the main frame and gives it (view/FrameLink.cpp).
    // The size of the object tool bar's second button less one pixel across:
    // the size of objects inserted by the context menu. Empty without the frame.
    SIZE FrameInsertionSize() const;
    // The Show Guides button follows the guides flag.
    void TellFrameGuides();
    // The saved pane layout (unless editing is off) and the View menu's tool bar marks.
    void TellFramePanesAndBars();
    // Where the main frame's pane lies; floating when there is no frame.
    FramePanePlace FramePaneState(FramePane pane) const;
    // The main frame as the view talks to it; null without one.
    static IViewFrame* ViewFrame();

    CString m_strSelectedObject;
    CString m_strCurrentPart;      // "Inside", "Left Tab", "Right Tab", or empty
    static constexpr int kSelectionCacheSize = 14;
    std::array<CString, kSelectionCacheSize> m_selectionCache;  // the first rows' values of the selection
    RECT m_rcSelection = {};       // the selected box in client pixels
    RECT m_rcSelectionLabel = {};  // the same box in thousandths of an inch
    CRgn m_hitRegion;              // a selected disc's ellipse, client pixels
    std::vector<CString> m_hitList;      // names the hit test has returned during this press
    std::vector<CString> m_keptHitList;  // the last press's hits after precedence, for cycling
    std::array<RECT, 8> m_rcHandles{};   // Top, Bottom, Left, Right, TopLeft, BottomRight, BottomLeft, TopRight
    int m_nAntPhase = 0;           // 0..5
    POINT m_ptPress = {};          // client point of the press that may start a drag; 0 when none is pending
    POINT m_ptCurrent = {};        // the drag's latest point
    POINT m_ptLastClick = {};      // client point of the last left or right press
    SIZE m_sizeBandCorrection = {};  // screen box less the converted label box, right and bottom
    BYTE m_bMouseDown = 0;         // the left button is held after a press in the view
    BYTE m_bSurfaceJustSwitched = 0;  // the next press selects the smallest hit again
    BYTE m_bReselect = 0;          // a double click: the next press selects anew
    int m_nSelectionHandles = 0;
    RECT m_rcDragLimits = {};      // thousandths of an inch
    CString m_strDragMode;         // empty, "Move", "Cover", "Top", ... (what a press would drag)
    BYTE m_bGuideClamp = 1;        // surfaces are kept inside the printable guide while set

    // ---- objects and the clipboard -----------------------------------------------
    CClipboardStore m_clipboardStore;

    // ---- settings kept by the view ---------------------------------------------
    CString m_strUnits;  // "Inches" or "Millimeters"
    BYTE m_bShowGuides = 0;      // printable-area rectangle, drawn over the page
    BYTE m_bShowDiscGuides = 0;  // disc margin circles, drawn into the surfaces
    BYTE m_bSnapToGrid = 0;
    BYTE m_bShowGrid = 0;
    int m_nGridSpacingX = 0;  // thousandths of an inch
    int m_nGridSpacingY = 0;
    int m_nPrintOffsetX = 0;  // calibration steps of 25 thousandths of an inch
    int m_nPrintOffsetY = 0;

    // ---- start-up state -------------------------------------------------------
    BYTE m_bLabelPaperChosen = 0;  // clear on a first run
    BYTE m_bHelpScreen = 0;        // open the help once at start
    int m_nStartPreset = 0;        // 1 single CD, other non-zero double CD, 0 ask, -1 used
    BYTE m_bDrawingEnabled = 0;    // OnDraw does nothing while clear
    POINT m_ptPageOrigin = {};     // window origin of the page, pixels
    SIZE m_sizeContextMenuIcon = {};  // default drop size of an object inserted from the context menu
    BYTE m_bContextMenuOpen = 0;   // the context menu is being tracked
    RECT m_rectInsertion = {};     // where Insert from the context menu places an object, screen pixels
    BYTE m_bInsertionPending = 0;  // a command of the context menu runs: Insert takes m_rectInsertion

    // ---- printing (view/Printing.cpp, view/CalibrationPage.cpp) ---------------------
    // File > Print: the print dialog, then the pages; whatever way the job
    // ends, the view and the job's flags are as they were before it.
    void OnFilePrintCommand();
    // The same without the dialog, on the default printer (the command line's
    // print): the print switches choose the pages.
    void OnFilePrintDirectCommand();
    // Printer Calibration: the same job with every page a calibration sheet.
    void OnPrinterCalibration();
    // The alignment wizard's Print Test: a job of one page, the test sheet,
    // through the printer's dialog, with the calibration offset as labels get it.
    void PrintPaperTest(const PaperTestSheet& sheet);
    // Help > Contents and Index: the help file at its table of contents.
    void OnHelpContents();
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    // The preview has gone: the label is shown as before.
    void OnEndPrintPreview() override;
    // The calibration sheet of one page, drawn in thousandths of an inch.
    void PrintCalibrationPage(CDC* dc, CPrintInfo* info, int page);
    // The sheet a job's page is printed on, after the skip rule: "1", "2" or "3".
    CString PrintedPage(int page, bool preview) const;
    // That sheet's size in thousandths of an inch; empty without a template.
    SIZE SheetSizeOfPage(const CString& page) const;
    // Where a sheet's top-left corner lies on the device, in its pixels: the
    // calibration offset applied unless previewing.
    POINT SheetCorner(const CDC& dc, SIZE sheet, int dpi, bool preview) const;
    // Whether a surface is printed on this job's pages (always in preview).
    bool IsSurfacePrinted(Surface surface, bool preview) const;
    // Makes the print dialog of a job; the printing dialog by default.
    using PrintDialogFactory = std::function<std::unique_ptr<CPrintDialog>(CQuorbel6View&)>;
    void SetPrintDialogFactory(PrintDialogFactory factory) { m_printDialogFactory = std::move(factory); }

    BYTE m_bCalibrationMode = 0;  // every printed page is the calibration sheet
    std::unique_ptr<PaperTestSheet> m_paperTest;  // while the wizard's test sheet is printed
    int m_nDuplicateDisc = 0;     // 1: a single layout's disc printed on both disc labels of the sheet

    // ---- label paper ----------------------------------------------------------
    std::vector<std::unique_ptr<CLabelDim>> m_labelTemplates;
    int m_nDiscTemplate = 0;   // index of the disc-label paper in use
    int m_nJewelTemplate = 0;  // index of the jewel-case paper in use
    // "labels.ini" was damaged at start: the built-ins stand in, and nothing
    // rewrites the file until the user saves a change of the papers.
    bool m_bLabelFileDamaged = false;

private:
    CLabelModel m_ownModel;                 // the label while no document holds one
    CUndoHistory m_undoHistory;             // the changes of the label, for Undo and Redo
    mutable const CDocument* m_modelDocument = nullptr;
    mutable CLabelModel* m_model = &m_ownModel;
    CLabelRenderer m_renderer{m_ownModel, this};
    std::unique_ptr<CLabelRenderer> m_printRenderer;  // the printer's scale, for one job
    PrintDialogFactory m_printDialogFactory;
    CAppSettings* m_pAppSettings = nullptr;
    CTexture m_surround{IDB_VIEW_SURROUND};  // tiled around the label
    CTexture m_panelTexture{IDB_PANEL_TEXTURE};  // handed to the application for every panel
};

// The range a stored grid spacing is kept to, thousandths of an inch. The
// Grid Size dialog offers 30 to 1000; the floor is lower so that a spacing
// stored by hand still counts, yet never 0, which would stall the grid loops.
constexpr int kMinGridSpacing = 10;
constexpr int kMaxGridSpacing = 1000;
constexpr int kDefaultGridSpacing = 100;
// Calibration offsets, in steps of 25 thousandths of an inch.
constexpr int kMaxPrintOffset = 40;
