#include "uikit/UiResources.h"

#include "framework/WinApp.h"

CUiResources* UiResources()
{
    return dynamic_cast<CUiResources*>(GetApp());
}
