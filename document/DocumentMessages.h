#pragma once

#include <windows.h>

// The document's messages to the user, in the program's own message box.
inline constexpr char kErrorOpeningFile[] = "Error opening file.";
inline constexpr char kErrorSavingFile[] = "Error saving file.";
inline constexpr char kErrorSavingDefaultFile[] = "Error saving the default file.";
inline constexpr char kReplaceExistingFile[] = "File already exists. Do you want to replace it?";
inline constexpr char kNewerVersionFile[] =
    "This file cannot be opened because it was created with a newer version of Sleevory. \r\n Please open this file "
    "with the latest version.";

// Shows a failure with the stop icon and an OK button.
void ShowDocumentError(LPCSTR text);

// Asks "Yes`No`" with the exclamation icon: 1 Yes, 2 No.
int AskYesNo(LPCSTR text);

// Asks "Yes`No`Cancel`" with the exclamation icon: 1 Yes, 2 No, 3 Cancel.
int AskYesNoCancel(LPCSTR text);
