#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

namespace
{
struct SurfaceCommand
{
    const char* surface;
    int errorNumber;
};
}  // namespace

// One family of commands: each switches the view to its surface and the page it lies on.
static void SwitchToSurface(CQuorbel6View& view, const SurfaceCommand& command)
{
    Guarded(command.errorNumber, ErrorSink::Window(&view), [&] {
        view.m_bDrawingEnabled = 0;
        const CString surface = command.surface;
        CLabelModel& model = view.Model();
        model.Shown().surface = surface;
        model.Shown().page = model.Placement().PageOf(SurfaceFromName(surface));
        view.m_nSelectionHandles = 0;
        view.m_strDragMode.Empty();
        view.m_strSelectedObject = surface;
        view.m_bSurfaceJustSwitched = 1;
        view.ScrollToCurrentPart(true);
        // The selection (its part above all, where Insert puts new objects)
        // is the surface's own now, and the panes list what this page holds.
        // A label still without the surface's rows keeps the surface's name.
        if (view.FindObjectRow(surface) >= 0)
            view.ReloadSelection();
        view.TellFrameSelection();
        view.TellFramePanes();
        view.m_bDrawingEnabled = 1;
        view.ShowSurface(surface);
        if (view.m_hWnd)
            view.SetFocus();
    });
}

void CQuorbel6View::OnViewDisc2()
{
    SwitchToSurface(*this, {"Disc 2", 136});
}

void CQuorbel6View::OnViewDiscLabel()
{
    SwitchToSurface(*this, {"Disc 1", 51});
}

void CQuorbel6View::OnViewFrontCover()
{
    SwitchToSurface(*this, {"Front Cover", 52});
}

void CQuorbel6View::OnViewBackCover()
{
    SwitchToSurface(*this, {"Back Cover", 50});
}

void CQuorbel6View::OnViewShowGuides()
{
    Guarded(54, ErrorSink::Window(this), [&] {
        m_bShowGuides = m_bShowGuides ? 0 : 1;
        m_bShowDiscGuides = m_bShowGuides;
        WriteSettingValue("Number", "Guides", m_bShowGuides ? "1" : "0");
        ShowSurface("");
        TellFrameLayout();
    });
}
