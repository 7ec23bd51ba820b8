#include "uikit/ChangeNotifyEdit.h"

IMPLEMENT_DYNAMIC(CChangeNotifyEdit, CEdit)

BOOL CChangeNotifyEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        switch (HIWORD(wParam)) {
        case EN_CHANGE:
            OnChange();
            *result = 0;
            return TRUE;
        case EN_KILLFOCUS:
            OnKillFocus();
            *result = 0;
            return TRUE;
        default:
            break;
        }
    }
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}
