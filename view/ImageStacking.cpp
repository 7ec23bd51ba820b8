// The image operations the property setter sets off. Backgrounds and the
// stacking order come with the image commands; until then the rows the
// setter wrote are all there is to them.
#include "view/Quorbel6View.h"

void CQuorbel6View::SetImageAsBackground() {}

void CQuorbel6View::BringImageToFront(CString, int) {}
