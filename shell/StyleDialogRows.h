#pragma once
// What the colour and font dialogs do alike with the rows they change: show a
// value in them as a preview, put the opening values back, and hand the
// changes to the view on OK.

#include "framework/String.h"
#include "shell/ColorDlgHost.h"
#include "shell/ColorDlgRows.h"

#include <vector>

class CWnd;

namespace StyleDialogRows
{
// Whether "Set all ..." is shown and ticked; the dialog itself may not be shown yet.
bool IsSetAllChecked(const CWnd& dialog);
// The value in the selected object's row, and with `all` in every row of its kind.
void Preview(IStyleDialogHost& host, const std::vector<StyleRows::RowRef>& rows, const CString& value, bool all);
// Every row back to its value when the dialog opened.
void Restore(IStyleDialogHost& host, const std::vector<StyleRows::RowRef>& rows);
// The rows whose value `value` changes; nothing when it changes none.
std::vector<IStyleDialogHost::StyleChange> Changes(const std::vector<StyleRows::RowRef>& rows, const CString& value,
                                                   bool all);
}  // namespace StyleDialogRows
