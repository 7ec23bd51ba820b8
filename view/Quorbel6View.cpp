#include "view/Quorbel6View.h"

#include "framework/CommandIds.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CQuorbel6View, CScrollView)

BEGIN_COMMAND_MAP(CQuorbel6View, CScrollView)
    ON_CMD(ID_LAYOUT_SNAP_TO_GRID, OnSnapToGrid)
    ON_CMD(ID_LAYOUT_SHOW_GRID, OnShowGrid)
    ON_CMD(ID_LAYOUT_GRID_SIZE, OnGridSize)
    ON_CMD(ID_LAYOUT_UNITS, OnUnits)
    ON_CMD(ID_VIEW_ZOOM_IN, OnZoomIn)
    ON_CMD(ID_VIEW_ZOOM_OUT, OnZoomOut)
    ON_CMD(ID_VIEW_DISC2, OnViewDisc2)
    ON_CMD(ID_VIEW_DISC_LABEL, OnViewDiscLabel)
    ON_CMD(ID_VIEW_FRONT_COVER, OnViewFrontCover)
    ON_CMD(ID_VIEW_BACK_COVER, OnViewBackCover)
    ON_CMD(ID_VIEW_SHOW_GUIDES, OnViewShowGuides)
    ON_CMD(ID_SHOW_PROPERTIES_AT_CURSOR, OnShowPropertiesAtCursor)
    ON_CMD(ID_VIEW_PROPERTIES, OnViewProperties)
    ON_CMD(ID_VIEW_TEXT_EDITOR, OnViewTextEditor)
    ON_CMD(ID_INSERT_ARTIST, OnInsertArtist)
    ON_CMD(ID_INSERT_TITLE, OnInsertTitle)
    ON_CMD(ID_INSERT_TRACK_LIST, OnInsertTrackList)
    ON_CMD(ID_INSERT_YEAR, OnInsertYear)
    ON_CMD(ID_INSERT_TIME, OnInsertTime)
    ON_CMD(ID_INSERT_GENRE, OnInsertGenre)
    ON_CMD(ID_INSERT_TEXT, OnInsertText)
    ON_CMD(ID_INSERT_IMAGE, OnInsertImage)
    ON_CMD(ID_EDIT_DELETE, OnEditDelete)
    ON_CMD(ID_READ_TRACK_DATA, OnReadTrackData)
    ON_CMD(ID_DOWNLOAD_ALBUM_INFO, OnDownloadAlbumInfo)
    ON_CMD(ID_LAYOUT_CENTER_HORIZONTALLY, OnCenterHorizontally)
    ON_CMD(ID_LAYOUT_CENTER_VERTICALLY, OnCenterVertically)
    ON_CMD(ID_LAYOUT_SET_AS_BACKGROUND, OnSetAsBackground)
    ON_CMD(ID_LAYOUT_BRING_TO_FRONT, OnBringToFront)
    ON_CMD(ID_EDIT_COPY, OnEditCopy)
    ON_CMD(ID_EDIT_CUT, OnEditCut)
    ON_CMD(ID_EDIT_PASTE, OnEditPaste)
    ON_CMD(ID_EDIT_UNDO, OnEditUndo)
    ON_CMD(ID_EDIT_REDO, OnEditRedo)
    ON_CMD(ID_FILE_PRINT, OnFilePrintCommand)
    ON_CMD(FWID_FILE_PRINT_DIRECT, OnFilePrintDirectCommand)
    ON_CMD(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
    ON_CMD(ID_FILE_PRINTER_CALIBRATION, OnPrinterCalibration)
    ON_CMD(ID_FILE_CHANGE_LABEL_PAPER, OnChangeLabelPaper)
    ON_CMD(ID_HELP_CONTENTS, OnHelpContents)
END_COMMAND_MAP()

CQuorbel6View::CQuorbel6View() = default;

CQuorbel6View::~CQuorbel6View()
{
    LendPanelBackground(false);
}
