#pragma once
// CDockState: where a frame's control bars are, as the profile keeps it
// between runs: one entry per dock bar (its bars row by row, and for a
// floating one its frame's screen position) and one per bar (visible, docked
// or floating). A state read back is checked against the frame before it is
// used, so a damaged or stale one is refused as a whole.

#include <windows.h>

#include <vector>

class CFrameWnd;

struct CControlBarInfo {
    UINT m_nBarID = 0;
    bool m_bVisible = true;
    bool m_bFloating = false;
    bool m_bHorz = true;
    bool m_bDockBar = false;
    // A floating dock bar: its frame's screen position. A bar: its position
    // in its dock bar.
    POINT m_pointPos{};
    // A dock bar: the ids of its bars in order, 0 ending each row.
    std::vector<UINT> m_arrBarID;
};

class CDockState {
public:
    std::vector<CControlBarInfo> m_arrBarInfo;
    // The screen the state was saved on.
    SIZE m_sizeScreen{};

    // Sections "<name>-Summary" and "<name>-Bar<index>" of the application's profile.
    bool SaveState(const char* profileName) const;
    // False (and an empty state) when the state is missing or any entry of it is.
    bool LoadState(const char* profileName);
    // Writes one entry back under its index.
    bool SaveBarInfo(const char* profileName, int index) const;
    void Clear();

    // Whether the state fits the frame: every bar of the frame is named once,
    // every id names a bar or dock bar the frame has, every position lies on
    // the screen.
    bool IsUsableBy(const CFrameWnd& frame) const;
};
