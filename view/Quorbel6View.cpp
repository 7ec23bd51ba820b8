#include "view/Quorbel6View.h"

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
    ON_CMD(ID_EDIT_UNDO, OnEditUndo)
    ON_CMD(ID_EDIT_REDO, OnEditRedo)
END_COMMAND_MAP()

CQuorbel6View::CQuorbel6View() = default;

CQuorbel6View::~CQuorbel6View()
{
    LendPanelBackground(false);
}
