#include "document/Quorbel6Doc.h"

IMPLEMENT_DYNCREATE(CQuorbel6Doc, CDocument)
