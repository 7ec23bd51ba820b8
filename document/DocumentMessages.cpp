#include "document/DocumentMessages.h"

#include "framework/UserMessages.h"
#include "framework/WinApp.h"

namespace
{
int ShowInProgramBox(LPCSTR text, IUserMessages::Icon icon, LPCSTR buttons)
{
    auto* messages = dynamic_cast<IUserMessages*>(GetApp());
    return messages ? messages->ShowUserMessage(text, icon, buttons) : -1;
}
}  // namespace

void ShowDocumentError(LPCSTR text)
{
    // Without the program's own box (it could not be created) the system's
    // box still says what went wrong.
    if (ShowInProgramBox(text, IUserMessages::kStop, "OK`") < 0)
        AppMessageBox(text, MB_OK | MB_ICONSTOP);
}

int AskYesNo(LPCSTR text)
{
    const int answer = ShowInProgramBox(text, IUserMessages::kExclamation, "Yes`No`");
    if (answer >= 0)
        return answer;
    return AppMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES ? 1 : 2;
}

int AskYesNoCancel(LPCSTR text)
{
    const int answer = ShowInProgramBox(text, IUserMessages::kExclamation, "Yes`No`Cancel`");
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
