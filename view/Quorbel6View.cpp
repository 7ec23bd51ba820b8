#include "view/Quorbel6View.h"

#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CQuorbel6View, CScrollView)

BEGIN_COMMAND_MAP(CQuorbel6View, CScrollView)
    ON_CMD(ID_LAYOUT_SNAP_TO_GRID, OnSnapToGrid)
    ON_CMD(ID_LAYOUT_SHOW_GRID, OnShowGrid)
    ON_CMD(ID_LAYOUT_GRID_SIZE, OnGridSize)
    ON_CMD(ID_LAYOUT_UNITS, OnUnits)
END_COMMAND_MAP()

CQuorbel6View::CQuorbel6View() = default;

CQuorbel6View::~CQuorbel6View() = default;
