// Watches the first start of the program in another process, as a user
// would: answers the label-paper question with OK, then waits for the main
// window and for the help viewer showing the program's help. Fails on a
// message box of the program (a missing help file says so in one).
//   WatchFirstStart.exe [seconds]
// Prints what it saw; exit code 0 when the main window and the help appeared.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kMessageText = 1114;  // the program's message box: its text

struct Seen {
    HWND labelPaper = nullptr;
    HWND mainWindow = nullptr;
    HWND help = nullptr;
    std::string message;
};

std::string Text(HWND window)
{
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK Look(HWND window, LPARAM param)
{
    auto* seen = reinterpret_cast<Seen*>(param);
    if (!::IsWindowVisible(window))
        return TRUE;
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    const std::string caption = Text(window);
    if (std::string(className) == "HH Parent") {
        if (caption == "Sleevory Help")
            seen->help = window;
    } else if (caption == " Change Label Paper") {
        seen->labelPaper = window;
    } else if (HWND text = ::GetDlgItem(window, kMessageText)) {
        seen->message = Text(text);
    } else if (caption.size() >= 8 && caption.compare(caption.size() - 8, 8, "Sleevory") == 0 &&
               !(::GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
        seen->mainWindow = window;
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 60;
    const DWORD start = ::GetTickCount();
    Seen seen;
    bool answered = false;
    while (::GetTickCount() - start < seconds * 1000) {
        seen = Seen{};
        ::EnumWindows(&Look, reinterpret_cast<LPARAM>(&seen));
        if (!seen.message.empty())
            break;
        if (seen.labelPaper && !answered) {
            std::printf("the first start asks for the label paper: OK\n");
            ::PostMessageA(seen.labelPaper, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            answered = true;
        }
        if (seen.mainWindow && seen.help)
            break;
        ::Sleep(200);
    }
    std::printf("main window: %s\n", seen.mainWindow ? Text(seen.mainWindow).c_str() : "(none)");
    std::printf("help viewer: %s\n", seen.help ? Text(seen.help).c_str() : "(none)");
    if (!seen.message.empty())
        std::printf("message box: %s\n", seen.message.c_str());
    const bool ok = seen.mainWindow && seen.help && seen.message.empty();
    if (seen.mainWindow)
        ::PostMessageA(seen.mainWindow, WM_CLOSE, 0, 0);
    std::fflush(stdout);
    return ok ? 0 : 1;
}
