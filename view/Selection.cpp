#include "view/Quorbel6View.h"

void CQuorbel6View::LoadSelection() {}
