#pragma once
// What a frame keeps for its control bars: the list of bars created in it,
// its dock bars and the floating frames it owns. Used by FrameWndDocking.cpp.

#include "framework/DockBar.h"
#include "framework/MiniDockFrameWnd.h"

#include <memory>
#include <vector>

class CFrameDocking {
public:
    CFrameDocking() = default;
    ~CFrameDocking();
    CFrameDocking(const CFrameDocking&) = delete;
    CFrameDocking& operator=(const CFrameDocking&) = delete;

    // Floating frames whose dock bar holds no bar any more go (not while one
    // of them may be inside its own message).
    void DestroyEmptyFloatingFrames();

    std::vector<CControlBar*> bars;
    std::vector<std::unique_ptr<CDockBar>> dockBars;
    std::vector<std::unique_ptr<CMiniDockFrameWnd>> floatingFrames;
};
