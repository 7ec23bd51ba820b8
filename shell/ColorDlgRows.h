#pragma once
// Which rows the colour and font dialogs change, without any window: the
// selected object's row, and with "Set all ..." the same row of every object
// of its kind. Rows are named by object and caption, never held by place, so
// that nothing points into the label's rows while they change.

#include "framework/String.h"
#include "label/LabelRows.h"

#include <windows.h>

#include <vector>

namespace StyleRows
{
// One row a dialog may change, and its value when the dialog opened.
struct RowRef
{
    CString object;
    CString caption;
    CString saved;
};

// The kind of an object: its name before the first "(", then before the
// character in front of the first "-" ("Artist - Disc 1" is an "Artist").
// With `coverRule`, covers and spine tabs are all of the kind "Cover".
CString KindName(const CString& objectName, const CString& itemType, bool coverRule);
// Whether the dialog offers to change every object of the kind: free texts
// ("Text", "Text 2" ...) are each their own.
bool OffersSetAll(const CString& kind);

// The rows the colour dialog works on: element 0 is the selected object's
// `caption` row; then, unless the kind is a free text, the "Color" row of
// every other object of the kind.
std::vector<RowRef> ColorRows(const PropertyRows& rows, const CString& selected, const CString& selectedType,
                              const CString& caption);
// The same for the font dialog: the "Font" rows of the kind, without the cover rule.
std::vector<RowRef> FontRows(const PropertyRows& rows, const CString& selected, const CString& caption);

// "r,g,b" and back.
CString ColorText(COLORREF color);
COLORREF ParseColor(const CString& text);
// The check box's texts.
CString SetAllColorText(const CString& kind);
CString SetAllFontText(const CString& kind);

// A font value: face, size, weight ("700" for "Bold" and "Bold Italic", else
// "400") and italic ("1" for "Italic" and "Bold Italic", else "0"), comma separated.
CString FontValue(const CString& face, const CString& size, const CString& style);
// The size field of a font value (between the first and the second comma).
CString FontSizeField(const CString& fontValue);
// A typed size as the font value takes it: any number of points the fonts can
// have (1 to 1638, rounded to whole points); anything else keeps the previous size.
CString AcceptedSize(const CString& typed, const CString& previous);
// The fitted size of a text object from its layout cache (tenths of a point
// before the first backtick) as shown: "125" is "12.5"; empty without one.
CString FittedSizeText(const CString& layoutCache);
// "AutoFit On" when the text had to be made smaller than the chosen size.
CString AutoFitText(const CString& fitted, const CString& chosen);
}  // namespace StyleRows
