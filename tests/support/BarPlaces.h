#pragma once
// Where a frame's control bars are, to compare a layout before and after:
// each bar's rectangle from the frame's client origin (a floating bar's on
// the screen), whether it shows, floats, and the dock bar that holds it.

#include "framework/ControlBar.h"
#include "framework/DockBar.h"
#include "framework/FrameWnd.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace test_support {

struct BarPlace {
    RECT rect{};
    bool visible = false;
    bool floating = false;
    UINT dockBar = 0;
};

// The bars of those ids the frame has.
inline std::map<UINT, BarPlace> BarPlaces(const CFrameWnd& frame, const std::vector<UINT>& ids)
{
    std::map<UINT, BarPlace> places;
    for (UINT id : ids) {
        CControlBar* bar = frame.GetControlBar(id);
        if (!bar)
            continue;
        BarPlace place;
        bar->GetWindowRect(&place.rect);
        place.floating = bar->IsFloating();
        if (!place.floating)
            ::MapWindowPoints(nullptr, frame.m_hWnd, reinterpret_cast<POINT*>(&place.rect), 2);
        place.visible = bar->IsVisible();
        place.dockBar = bar->GetDockBar() ? static_cast<UINT>(bar->GetDockBar()->GetDlgCtrlID()) : 0u;
        places[id] = place;
    }
    return places;
}

inline std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace test_support
