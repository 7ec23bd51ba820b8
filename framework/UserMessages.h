#pragma once

#include <windows.h>

// Whoever shows the program's own message box: the application. Callers below
// the shell ask through this, and fall back on the system's box without it.
class IUserMessages
{
public:
    enum Icon
    {
        kStop = 1,
        kExclamation = 2,
    };
    // Shows `text` with the icon and the backtick-separated buttons ("Yes`No`");
    // the 1-based button pressed, or a negative number when no box could be shown.
    virtual int ShowUserMessage(LPCSTR text, Icon icon, LPCSTR buttons) = 0;

protected:
    ~IUserMessages() = default;
};
