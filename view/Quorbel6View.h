#pragma once

#include "document/AppSettings.h"
#include "document/LabelView.h"
#include "framework/TileBackground.h"
#include "framework/ScrollView.h"
#include "framework/String.h"
#include "imaging/xImage.h"
#include "label/LabelDim.h"
#include "label/LabelModel.h"
#include "label/LabelRenderer.h"
#include "label/UndoHistory.h"
#include "view/SurfaceBitmaps.h"
#include "resource.h"
#include "shell/FrameView.h"

#include <windows.h>

#include <memory>
#include <vector>

class CArchive;

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
class CQuorbel6View : public CScrollView, public ILabelView, public IFrameView
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
    // Reads "labels.ini" into the store; false (store untouched) when the file
    // is missing or damaged.
    bool ReadLabelTemplateFile();

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

    // ---- undo and redo (view/UndoRedo.cpp) ---------------------------------------------
    // Stores a copy of one row in the step being recorded: kind "Change", "Delete"
    // or "Add", direction "From" (replayed by Undo) or "To" (replayed by Redo).
    void AddUndoRecord(const PropertyEntry& payload, const CString& kind, const CString& direction);
    // Closes the step being recorded; a step that recorded nothing is not opened.
    void CommitUndoStep();
    // Whether changes are being recorded (off while a file is read or a step replayed).
    bool IsUndoRecording() const;
    // Replays the entries of the current step in one direction.
    void UndoRedo(const CString& direction);
    void OnEditUndo();
    void OnEditRedo();
    const CUndoHistory& UndoHistory() const { return m_undoHistory; }

    // ---- selection (view/Selection.cpp) ----------------------------------------------------
    // Reloads the selected object's rows into the selection cache and its box on
    // screen and in label units.
    void LoadSelection();

    // ---- removing objects and image slots (view/RemoveObject.cpp) --------------------
    // Removes every row of the named object; with refresh the surface is redrawn.
    void RemoveObject(const CString& objectName, bool refresh);
    // Frees an image slot once no row and no undo entry refers to it any more.
    void ReleaseImageSlot(int imageNumber);

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
    void ShowReplayedSelection();

public:

    // ---- text refresh (view/TextRefresh.cpp) ----------------------------------------
    // Every object showing the named text lays itself out again; the view repaints.
    void UpdateTextObjects(CString name);
    // Tiles a panel background over `rect` of `dc` from `origin`: source 1 is
    // the application's panel bitmap, 2 the view's own surround; grey without one.
    void PaintPanelBackground(HDC dc, const RECT& rect, POINT origin, int source) const;
    static constexpr int kPanelBackground = 1;
    static constexpr int kViewSurround = 2;

    // The paint routine: draws nothing while drawing is disabled.
    void OnDraw(CDC* dc) override;

protected:
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    void OnSettingChange(UINT flags, LPCSTR section) override;
    void OnContextMenu(HWND window, POINT point) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
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

    // ---- selection ------------------------------------------------------------------
    // What the main frame reads (view/FrameLink.cpp).
    CString SelectedObjectType() const override;
    bool IsDoubleLayout() const override;
    bool AreGuidesShown() const override { return m_bShowGuides != 0; }
    // Tells the main frame whether an object (not a surface or page) is selected.
    void TellFrameSelection();
    // Tells the main frame that the layout may have changed.
    void TellFrameLayout();

    CString m_strSelectedObject;
    int m_nSelectionHandles = 0;
    RECT m_rcDragLimits = {};      // thousandths of an inch
    CString m_strDragMode;         // empty, "Move", "Cover", "Top", ... (what a press would drag)
    BYTE m_bGuideClamp = 1;        // surfaces are kept inside the printable guide while set

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
    SIZE m_sizeContextMenuIcon = {};
    BYTE m_bContextMenuOpen = 0;   // the context menu is being tracked
    RECT m_rectInsertion = {};     // where Insert from the context menu places an object, screen pixels

    // ---- label paper ----------------------------------------------------------
    std::vector<std::unique_ptr<CLabelDim>> m_labelTemplates;
    int m_nDiscTemplate = 0;   // index of the disc-label paper in use
    int m_nJewelTemplate = 0;  // index of the jewel-case paper in use

private:
    CLabelModel m_ownModel;                 // the label while no document holds one
    CUndoHistory m_undoHistory;             // the changes of the label, for Undo and Redo
    mutable const CDocument* m_modelDocument = nullptr;
    mutable CLabelModel* m_model = &m_ownModel;
    CLabelRenderer m_renderer{m_ownModel, this};
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
