#pragma once

#include "document/AppSettings.h"
#include "framework/TileBackground.h"
#include "framework/ScrollView.h"
#include "framework/String.h"
#include "imaging/xImage.h"
#include "printing/LabelDim.h"
#include "view/LabelRows.h"
#include "view/FontCache.h"
#include "view/ScaledImageCache.h"
#include "view/SurfaceBitmaps.h"
#include "view/SurfaceGeometry.h"
#include "view/TextRedrawCache.h"
#include "resource.h"

#include <windows.h>

#include <memory>
#include <vector>

class CArchive;

// The label view. It holds the live label model (property rows and text rows),
// the settings that belong to the view, the label-paper store and the start-up
// state. The class is split across files by concern:
//   view/Quorbel6View.cpp construction and the command table
//   view/StartUp.cpp      first-time set-up, start-up timer, destroy, system settings
//   view/Paint.cpp        the paint routine: copies the surface bitmaps, draws the overlays
//   view/DrawSurface.cpp  drawing the surfaces of the page into their bitmaps
//   view/ViewScale.cpp    screen scale, page placement, showing a surface
//   view/Zoom.cpp         zoom in and out
//   view/SurfaceCommands.cpp the surface commands and Show Guides
//   view/ScreenConversions.cpp screen points and document units, scrolling to a part
//   view/LabelModel.cpp   the row operations of the label model
//   view/Settings.cpp     reading and writing the settings, grid commands
//   view/LabelPaper.cpp   the label-paper store
//   view/NewLayout.cpp    a new layout, the cached surface geometry, surface rectangles
//   view/ClearObjects.cpp emptying the model
//   view/ImageBlocks.cpp  image blocks of the document file
//   view/PlaceholderTracks.cpp the track list of a new track-list object
//   view/TextMeasure.cpp  sizing text: fitting fonts, zoomed fonts, shifting layout caches
//   view/TextRefresh.cpp  laying out the objects of one text again; the widest line of a text
//   view/TextRowValue.cpp texts entering the text rows
//   view/TextOnFlat.cpp   text objects on the covers
//   view/TrackListOnFlat.cpp track lists on the covers
class CQuorbel6View : public CScrollView
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

    // ---- label model ----------------------------------------------------------
    // Appends a copy of the row at the end of the property rows.
    void AddObjectRecord(const PropertyEntry& row);
    // name -> name(n), the smallest n from 1 that no object carries.
    void MakeUniqueObjectName(CString& name);
    // name -> "name n", the smallest n from 1 that no text row carries.
    void MakeUniqueTextName(CString& name);

    // The first row of the named object; -1 when there is none.
    int FindObjectRow(const CString& objectName) const;
    // The first row of the object after the one holding row `index`; the row
    // count at the end of the rows.
    int NextObjectRow(int index) const;
    // The row of one property of an object; -1 when either is missing.
    int FindPropertyRow(const CString& objectName, const CString& key) const;
    // The value of one property; empty when it is missing.
    CString GetPropertyValue(const CString& objectName, const CString& key) const;
    // Replaces a value in place, without undo; false when the property is missing.
    bool ReplacePropertyValue(const CString& objectName, const CString& key, const CString& value);
    // Removes every row of the object; the number of rows removed.
    int EraseObjectRows(const CString& objectName);
    // The text row of that name; -1 when there is none.
    int FindTextRow(const CString& textName) const;
    // The text row an object shows (by its name up to the first "("), or null.
    TextEntry* FindTextOfObject(const CString& objectName);

    // ---- new layout and surface geometry (view/NewLayout.cpp) ------------------
    // Fills the emptied model with the surfaces, pages and spine tabs of a new
    // layout from the chosen label papers, then the album texts of the layout.
    void CreateSurfaceProperties(int unused = 0);
    // Reads the surface rows at their fixed places into the cached geometry.
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

    // ---- image blocks of the document file (view/ImageBlocks.cpp) --------------
    // Storing: writes the block of image `imageNumber`. Loading: reads one block
    // and appends its image (the number is not used). A failure throws, so the
    // document's reader and writer see a damaged file or a failed save as a whole.
    void SerializeImageData(CArchive& ar, int imageNumber);
    // Reads one image block of a version-1 file and appends its image.
    void LoadPictureFromStream(CArchive& ar);

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

    // ---- text and track lists on disc labels ---------------------------------
    // view/DiscRingFit.cpp, view/TextOnDisc.cpp, view/TrackListOnDisc.cpp
    // Whether a band of the ring (bottom y, needed width, height) has room inside
    // the box; writes the span fields and the outcome (0 chord, 1 left of the
    // hole, 2 right of it, 3 both sides, -1 neither). One unit for all lengths.
    bool FitLineInDiscRing(int bandBottom, int widthNeeded, int bandHeight, int boxLeft, int boxTop,
                           int boxRight, int boxBottom, int discLeft, int discTop, int outerDiameter,
                           int innerDiameter, int margin, int& outcome);
    // Draws one Text object of a disc into the disc's bitmap; lays it out into
    // `cache` ("Vector Data") first when that is empty. False after an error report.
    bool DrawDiscText(CDC* dc, LOGFONTA& font, CString& cache, const CString& text, int left, int top,
                      int width, int height, const CString& horizontalAlignment,
                      const CString& verticalAlignment, BOOL multiLine, const CString& surface);
    // The same for one Track object of a disc.
    bool DrawDiscTrackList(CDC* dc, LOGFONTA& font, CString& cache, const CString& trackList, int left,
                           int top, int width, int height, const CString& horizontalAlignment,
                           const CString& verticalAlignment, BOOL trackNumbers, BOOL trackTimes,
                           BOOL skipCenter, BOOL wrapTracks, const CString& surface);

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
    POINT GetClientCentreDoc() const;
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
    // The caption of the second disc's placeholder in a single layout.
    void DrawPlaceholderCaption(HDC dc, const DiscGeometry& disc, int y, bool upperBand);

    // ---- text measuring (view/TextMeasure.cpp) ------------------------------------
    // Fonts are point-font descriptions whose lfHeight is in tenths of a point;
    // every operation that adjusts a font writes the last height tried back.
    // The widest number text, name and time of a track list; combined: the
    // three parts of the track whose whole line is widest.
    void FindWidestTrackParts(CDC* dc, const CString& trackList, CString& number, CString& name, CString& time,
                              bool combined);
    // Shrinks the font until the text fits the box width and lineCount lines
    // fit its height (thousandths of an inch); false below one point.
    bool FitFontToBox(CDC* dc, LOGFONTA& font, const CString& text, int boxWidth, int boxHeight, int lineCount);
    // Scales the font height to the zoom without the text outgrowing its
    // proportional width.
    void GetZoomedFontHeight(CDC* dc, LOGFONTA& font, const CString& text);
    // Moves every line box of a layout cache along "Left" or "Top".
    void ShiftLayoutCache(CString& cache, const CString& axis, int offset);
    // Lowers the font until the cache's widest line is no wider on the target
    // than it was measured on screen.
    void MeasureTrackList(CDC* target, LOGFONTA& font, const CString& cache);

    // ---- text row values (view/TextRowValue.cpp) ---------------------------------
    // The one way a new text enters a text row: a backtick in a text, or in a
    // track's name or time, is stored as an apostrophe so that it can split
    // neither the track list nor a layout cache. False for a missing row.
    bool SetTextRowValue(int textRow, const CString& value);
    // A track list from names and times, cleaned the same way.
    static CString MakeTrackListText(const std::vector<CString>& names, const std::vector<CString>& times);

    // ---- text refresh and widest line (view/TextRefresh.cpp) ----------------------
    // Every object showing the named text lays itself out again; the view repaints.
    void UpdateTextObjects(CString name);
    // The widest line text of a layout cache in the context's font and its
    // extent; the first of equal widths.
    static void FindWidestCachedLine(CDC* dc, const CString& cache, CString& widest, SIZE& size);
    // The widest of the CR LF separated lines of a text and the line count.
    CString MeasureTextBlock(CDC* dc, const CString& text, int* lineCount);

    // ---- text objects and track lists on the covers ----------------------------------
    // (view/TextOnFlat.cpp, view/TrackListOnFlat.cpp) Lay out into the cache when it
    // is empty, then draw the cache at the zoom. True when they ran through.
    bool DrawTextObject(CDC* dc, LOGFONTA& font, CString& cache, const CString& text, int left, int top, int width,
                        int height, const CString& horizontalAlignment, const CString& verticalAlignment,
                        bool multiLine, const CString& surface);
    bool DrawTrackList(CDC* dc, LOGFONTA& font, CString& cache, const CString& trackList, int left, int top,
                       int width, int height, const CString& horizontalAlignment, const CString& verticalAlignment,
                       bool trackNumbers, bool trackTimes, bool offsetNumbers, const CString& surface,
                       bool wrapTracks);
    // Draws a cover object's layout cache at the zoom (both of the above); the
    // font is left at the zoomed height, 0 when lines became strokes. A record
    // whose x0 equals x1 ends at that x when rightAlignPoints is set.
    void RenderFlatLayout(CDC* dc, LOGFONTA& font, const CString& cache, const CString& horizontalAlignment,
                          const CString& verticalAlignment, const CString& surface, bool rightAlignPoints);
    // The guides frame of an object's box on a cover.
    void DrawObjectGuides(CDC* dc, int left, int top, int width, int height, const CString& surface);

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
    // ---- the live label model ---------------------------------------------------
    std::vector<PropertyEntry> m_propertyRows;
    std::vector<TextEntry> m_textRows;
    // Rows and changes are recorded for undo while set; off while a file is read
    // and while undo or redo replays a step.
    BOOL m_bUndoRecording = TRUE;

    // ---- the layout shown, saved with the document -------------------------------
    int m_nZoom = 22;             // tenths
    CString m_strSurface;         // the surface shown
    CString m_strPage;            // "1", "2" or "3": the page shown
    CString m_strLayout;          // "Single" or "Double"
    int m_nStackingCounter = 0;   // stacking number of the image brought to front last
    // Image slots: an Image object names its slot by its "Image Number".
    std::vector<std::unique_ptr<CxImage>> m_images;

    // ---- cached surface geometry, from the surface rows --------------------------
    SurfaceGeometry m_geometry;        // thousandths of an inch
    SurfaceGeometry m_screenGeometry;  // pixels at the current zoom
    CString m_strBackCoverPage;
    CString m_strFrontCoverPage;
    CString m_strDisc1Page;
    CString m_strDisc2Page;
    BYTE m_bFolded = 0;
    BYTE m_bBackCoverBorder = 0;   // print-border flags
    BYTE m_bFrontCoverBorder = 0;
    BYTE m_bDisc1Border = 0;
    BYTE m_bDisc2Border = 0;
    SIZE m_sizePaper = {};         // sheet of the page shown, thousandths of an inch

    // ---- spans of the last ring fit (scratch, read right after the fit) ------------
    int m_nSpan1Left = -1;
    int m_nSpan1Right = -1;
    int m_nSpan2Left = -1;
    int m_nSpan2Right = -1;

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
    CSurfaceBitmaps m_surfaceBitmaps;
    CScaledImageCache m_scaledImages;  // pictures at the size they are drawn
    CFontCache m_fonts;                // fonts the drawing of the texts asks for again and again
    struct PlaceholderFit
    {
        int chordPixels = -1;
        int zoom = -1;
        CString face;
        LONG height = 0;  // tenths of a point, at the zoom
    };
    PlaceholderFit m_placeholderFit;   // the second disc's caption, fitted last
    CTextRedrawCache m_textRedraw;     // measurements and fonts the redraws of laid-out texts reuse

    // ---- selection ------------------------------------------------------------------
    CString m_strSelectedObject;
    int m_nSelectionHandles = 0;
    RECT m_rcDragLimits = {};      // thousandths of an inch

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
