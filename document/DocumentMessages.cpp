#include "document/DocumentMessages.h"

#include "framework/WinApp.h"
#include "shell/AppMessageDlg.h"

void ShowDocumentError(LPCSTR text)
{
    // Without the program's own box (it could not be created) the system's
    // box still says what went wrong.
    if (CAppMessageDlg::Show(text, CAppMessageDlg::kIconStop, "OK`") < 0)
        AppMessageBox(text, MB_OK | MB_ICONSTOP);
}

int AskYesNoCancel(LPCSTR text)
{
    const int answer = CAppMessageDlg::Show(text, CAppMessageDlg::kIconExclamation, "Yes`No`Cancel`");
    if (answer >= 0)
        return answer;
    switch (AppMessageBox(text, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return 1;
    case IDNO:
        return 2;
    default:
        return 3;
    }
}
