#include "shell/StyleDialogRows.h"

#include "framework/Wnd.h"
#include "resource.h"

namespace StyleDialogRows
{
bool IsSetAllChecked(const CWnd& dialog)
{
    HWND check = dialog.GetDlgItemHandle(IDC_STYLE_SET_ALL);
    // The style bit: the dialog itself may not be shown yet.
    return check && (::GetWindowLongA(check, GWL_STYLE) & WS_VISIBLE) &&
           dialog.IsDlgButtonChecked(IDC_STYLE_SET_ALL) == BST_CHECKED;
}

void Preview(IStyleDialogHost& host, const std::vector<StyleRows::RowRef>& rows, const CString& value, bool all)
{
    for (size_t i = 0; i < rows.size(); ++i)
        host.PreviewRowValue(rows[i].object, rows[i].caption, i == 0 || all ? value : rows[i].saved);
}

void Restore(IStyleDialogHost& host, const std::vector<StyleRows::RowRef>& rows)
{
    for (const StyleRows::RowRef& row : rows)
        host.PreviewRowValue(row.object, row.caption, row.saved);
}

std::vector<IStyleDialogHost::StyleChange> Changes(const std::vector<StyleRows::RowRef>& rows, const CString& value,
                                                   bool all)
{
    std::vector<IStyleDialogHost::StyleChange> changes;
    for (size_t i = 0; i < rows.size(); ++i)
        if ((i == 0 || all) && rows[i].saved != value)
            changes.push_back({rows[i].object, rows[i].caption, rows[i].saved, value});
    return changes;
}
}  // namespace StyleDialogRows
