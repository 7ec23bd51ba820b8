#include "app/Quorbel6App.h"

#include <windows.h>

// The one application object, constructed before WinMain runs.
CQuorbel6App theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return FrameworkWinMain(instance, commandLine, showCommand);
}
