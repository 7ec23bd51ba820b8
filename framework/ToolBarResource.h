#pragma once
// A tool-bar resource (type 241): a version word (1), the image width and
// height, the button count, then one command id a button (0: separator), all
// 16-bit. Its strip bitmap has the same name.

#include <windows.h>

#include <vector>

constexpr WORD kToolBarResourceType = 241;

struct ToolBarResource {
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<UINT> commands;  // 0 for a separator
};

// False for a missing resource and for one whose version, image size or
// button count does not fit its data: a damaged resource loads no buttons.
bool LoadToolBarResource(HMODULE module, LPCSTR name, ToolBarResource& out);
// The same check over bytes already in memory.
bool ParseToolBarResource(const void* data, DWORD size, ToolBarResource& out);
