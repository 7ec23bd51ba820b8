#pragma once
// Owner of a kernel object handle that CloseHandle releases (events, mutexes,
// semaphores). Handles that report failure as INVALID_HANDLE_VALUE (files,
// devices) are not for it.

#include "framework/UserHandles.h"

using OwnedKernelHandle = UserHandle<HANDLE, ::CloseHandle>;
