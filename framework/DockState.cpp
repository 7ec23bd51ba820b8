#include "framework/DockState.h"

#include "framework/CommandIds.h"
#include "framework/ControlBar.h"
#include "framework/DockBar.h"
#include "framework/FrameWnd.h"
#include "framework/String.h"
#include "framework/WinApp.h"

#include <algorithm>
#include <climits>
#include <set>

namespace {

// Stored ids, counts and positions beyond these are damage, not layout.
constexpr int kMaxEntries = 256;
constexpr int kMaxIdsPerDockBar = 1024;
constexpr int kMissing = INT_MIN;

CString SummarySection(const char* profileName)
{
    CString section;
    section.Format("%s-Summary", profileName);
    return section;
}

CString BarSection(const char* profileName, int index)
{
    CString section;
    section.Format("%s-Bar%d", profileName, index);
    return section;
}

int ReadInt(const CWinApp& app, const CString& section, const char* entry)
{
    return static_cast<int>(app.GetProfileInt(section, entry, kMissing));
}

bool IsDockBarId(UINT id)
{
    return id >= FWID_DOCKBAR_TOP && id <= FWID_DOCKBAR_FLOAT;
}

}  // namespace

void CDockState::Clear()
{
    m_arrBarInfo.clear();
    m_sizeScreen = SIZE{};
}

bool CDockState::SaveBarInfo(const char* profileName, int index) const
{
    CWinApp* app = GetApp();
    if (!app || index < 0 || index >= static_cast<int>(m_arrBarInfo.size()))
        return false;
    const CControlBarInfo& info = m_arrBarInfo[index];
    const CString section = BarSection(profileName, index);
    app->WriteProfileString(section, nullptr, nullptr);
    bool written = app->WriteProfileInt(section, "BarID", static_cast<int>(info.m_nBarID)) &&
                   app->WriteProfileInt(section, "Visible", info.m_bVisible) &&
                   app->WriteProfileInt(section, "Horz", info.m_bHorz) &&
                   app->WriteProfileInt(section, "Floating", info.m_bFloating) &&
                   app->WriteProfileInt(section, "DockBar", info.m_bDockBar) &&
                   app->WriteProfileInt(section, "XPos", info.m_pointPos.x) &&
                   app->WriteProfileInt(section, "YPos", info.m_pointPos.y);
    if (info.m_bDockBar) {
        written = written && app->WriteProfileInt(section, "Bars", static_cast<int>(info.m_arrBarID.size()));
        for (size_t i = 0; written && i < info.m_arrBarID.size(); ++i) {
            CString entry;
            entry.Format("Bar#%d", static_cast<int>(i));
            written = app->WriteProfileInt(section, entry, static_cast<int>(info.m_arrBarID[i]));
        }
    }
    return written;
}

bool CDockState::SaveState(const char* profileName) const
{
    CWinApp* app = GetApp();
    if (!app)
        return false;
    // Entries of an older, longer state must not be read as part of this one.
    const CString summary = SummarySection(profileName);
    const int oldCount = ReadInt(*app, summary, "Bars");
    for (int i = static_cast<int>(m_arrBarInfo.size()); i < std::min(oldCount, kMaxEntries); ++i)
        app->WriteProfileString(BarSection(profileName, i), nullptr, nullptr);
    bool written = app->WriteProfileInt(summary, "Bars", static_cast<int>(m_arrBarInfo.size())) &&
                   app->WriteProfileInt(summary, "ScreenCX", m_sizeScreen.cx) &&
                   app->WriteProfileInt(summary, "ScreenCY", m_sizeScreen.cy);
    for (int i = 0; written && i < static_cast<int>(m_arrBarInfo.size()); ++i)
        written = SaveBarInfo(profileName, i);
    return written;
}

bool CDockState::LoadState(const char* profileName)
{
    Clear();
    CWinApp* app = GetApp();
    if (!app)
        return false;
    const CString summary = SummarySection(profileName);
    const int count = ReadInt(*app, summary, "Bars");
    m_sizeScreen = SIZE{ReadInt(*app, summary, "ScreenCX"), ReadInt(*app, summary, "ScreenCY")};
    if (count <= 0 || count > kMaxEntries)
        return false;
    for (int index = 0; index < count; ++index) {
        const CString section = BarSection(profileName, index);
        CControlBarInfo info;
        const int values[] = {ReadInt(*app, section, "BarID"),   ReadInt(*app, section, "Visible"),
                              ReadInt(*app, section, "Horz"),    ReadInt(*app, section, "Floating"),
                              ReadInt(*app, section, "DockBar"), ReadInt(*app, section, "XPos"),
                              ReadInt(*app, section, "YPos")};
        if (std::find(std::begin(values), std::end(values), kMissing) != std::end(values)) {
            Clear();
            return false;
        }
        info.m_nBarID = static_cast<UINT>(values[0]);
        info.m_bVisible = values[1] != 0;
        info.m_bHorz = values[2] != 0;
        info.m_bFloating = values[3] != 0;
        info.m_bDockBar = values[4] != 0;
        info.m_pointPos = POINT{values[5], values[6]};
        if (info.m_bDockBar) {
            const int ids = ReadInt(*app, section, "Bars");
            if (ids < 0 || ids > kMaxIdsPerDockBar) {
                Clear();
                return false;
            }
            for (int i = 0; i < ids; ++i) {
                CString entry;
                entry.Format("Bar#%d", i);
                const int id = ReadInt(*app, section, entry);
                if (id == kMissing || id < 0) {
                    Clear();
                    return false;
                }
                info.m_arrBarID.push_back(static_cast<UINT>(id));
            }
        }
        m_arrBarInfo.push_back(std::move(info));
    }
    return true;
}

bool CDockState::IsUsableBy(const CFrameWnd& frame) const
{
    if (m_arrBarInfo.empty() || m_sizeScreen.cx <= 0 || m_sizeScreen.cy <= 0 || m_sizeScreen.cx > 32767 ||
        m_sizeScreen.cy > 32767)
        return false;
    RECT screen{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    screen.right = screen.left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);

    std::set<UINT> frameBars;
    for (CControlBar* bar : frame.GetControlBars()) {
        if (!bar->IsDockBar() && bar->m_hWnd)
            frameBars.insert(static_cast<UINT>(bar->GetDlgCtrlID()));
    }
    std::set<UINT> described, placed;
    for (const CControlBarInfo& info : m_arrBarInfo) {
        if (info.m_bDockBar) {
            if (!IsDockBarId(info.m_nBarID) || info.m_bFloating != (info.m_nBarID == FWID_DOCKBAR_FLOAT))
                return false;
            if (!info.m_bFloating && !frame.GetDockBar(info.m_nBarID))
                return false;
            if (info.m_bFloating && !::PtInRect(&screen, info.m_pointPos))
                return false;
            for (UINT id : info.m_arrBarID) {
                if (id != 0 && (!frameBars.count(id) || !placed.insert(id).second))
                    return false;
            }
        } else {
            if (!frameBars.count(info.m_nBarID) || !described.insert(info.m_nBarID).second)
                return false;
            // Positions inside a dock bar: within the screen, less the overlap.
            if (info.m_pointPos.x < -2 || info.m_pointPos.y < -2 ||
                info.m_pointPos.x > screen.right - screen.left || info.m_pointPos.y > screen.bottom - screen.top)
                return false;
        }
    }
    return described == frameBars && placed == frameBars;
}
