// The view's part of the start-up: the first-time set-up, the start-up timer,
// window placement and the first run with its help, Help > Contents and Index,
// and the view's destroy and system-setting handlers.
#include "view/Quorbel6View.h"

#include "document/AppSettings.h"
#include "document/DocumentNames.h"
#include "document/FirstDocument.h"
#include "framework/Document.h"
#include "framework/EditingSwitch.h"
#include "framework/ErrorReport.h"
#include "framework/ProgramHelp.h"
#include "framework/WinApp.h"
#include "uikit/SplashWnd.h"

namespace {

constexpr UINT_PTR kStartUpTimer = 1081;
constexpr UINT_PTR kSelectionTimer = 1121;
constexpr UINT kStartUpTimerPeriod = 10;  // milliseconds
constexpr int kRestoredWindowInset = 100;  // pixels off each side of the work area

IEditingSwitch* EditingSwitch()
{
    return dynamic_cast<IEditingSwitch*>(GetAppMainWnd());
}

// A label with a file of its own: not a default template, not a new layout.
bool IsReadFromItsOwnFile(const CDocument* doc)
{
    return doc && !doc->GetPathName().IsEmpty() && !IsDefaultTemplateName(doc->GetTitle());
}

}  // namespace

void CQuorbel6View::InitView()
{
    Guarded(76, ErrorSink::Window(this), [&] {
        m_sizeContextMenuIcon = FrameInsertionSize();
        if (auto* owner = dynamic_cast<IAppSettingsOwner*>(GetApp()))
            AttachAppSettings(&owner->SharedSettings());
        LoadSettings();
        LinkImagesPane();
        TellFrameGuides();

        // The first label: the command line's file, the preset of the last
        // layout used, or the New Document dialog's choice.
        const bool firstRun = !m_bLabelPaperChosen;
        // On a first run the window stays disabled until the label paper is chosen.
        if (IEditingSwitch* editing = EditingSwitch(); editing && firstRun)
            editing->EnableEditing(TRUE);
        if (auto* doc = dynamic_cast<IFirstDocument*>(GetDocument()))
            doc->MakeFirstDocument(firstRun);
        if (firstRun)
            m_ptPageOrigin = POINT{0, 0};
        SetTimer(kStartUpTimer, kStartUpTimerPeriod);
    });
}

void CQuorbel6View::OnTimer(UINT_PTR id)
{
    Guarded(108, ErrorSink::Window(this), [&] {
        if (id == kSelectionTimer) {
            OnSelectionTimer();
            return;
        }
        if (id != kStartUpTimer) {
            CScrollView::OnTimer(id);
            return;
        }
        // The main window waits for the splash picture, which hides itself.
        auto* owner = dynamic_cast<ISplashOwner*>(GetApp());
        HWND splash = owner ? owner->Splash().GetSafeHwnd() : nullptr;
        if (splash && ::IsWindowVisible(splash))
            return;
        KillTimer(kStartUpTimer);
        if (splash)
            owner->Splash().DestroyWindow();
        ShowFirstRunHelp();
    });
}

void CQuorbel6View::ShowFirstRunHelp()
{
    Guarded(107, ErrorSink::Window(this), [&] {
        m_bDrawingEnabled = 1;

        // The program's main frame is the one that can switch editing off.
        IEditingSwitch* editing = EditingSwitch();
        CWnd* frame = editing ? GetAppMainWnd() : nullptr;
        if (frame) {
            // Maximised, with the work area less a margin as its restored size.
            RECT workArea{};
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
            InflateRect(&workArea, -kRestoredWindowInset, -kRestoredWindowInset);
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            placement.showCmd = SW_SHOWMAXIMIZED;
            placement.rcNormalPosition = workArea;
            ::SetWindowPlacement(frame->m_hWnd, &placement);
        }

        const bool firstRun = !m_bLabelPaperChosen;
        if (firstRun) {
            m_bLabelPaperChosen = 1;
            // The user says first which label paper the printer is fed.
            OnChangeLabelPaper();
            // Asked once for good: a first start that read no document (a
            // default template made anew) must not ask again on the next.
            WriteSettingValue("Number", "LabelUpdate", "0");
            if (editing)
                editing->EnableEditing(FALSE);
            TellFramePanes();
            TellFrameLayout();
        }

        // The window has its final size now. A label read from a file of its
        // own (the command line's) keeps the zoom and surface it was saved
        // with, brought into view; a template or a new label is fitted.
        CenterSurface();
        if (IsReadFromItsOwnFile(GetDocument())) {
            ShowSurface("");  // scale and scroll sizes for the stored zoom first
            ScrollToCurrentPart(false);
        } else {
            ScrollToCurrentPart(true);
            if (firstRun)
                LoadSelection();
            ShowSurface("");
        }

        TellFramePanesAndBars();
        if (frame)
            frame->SetFocus();

        if (m_bHelpScreen) {
            ShowProgramHelp(frame ? frame->m_hWnd : m_hWnd, kHelpGettingStarted);
            WriteSettingValue("Number", "HelpScreen", "0");
            m_bHelpScreen = 0;
        }
    });
}

void CQuorbel6View::OnHelpContents()
{
    Guarded(132, ErrorSink::Window(this), [&] {
        CWnd* frame = GetAppMainWnd();
        ShowProgramHelp(frame ? frame->m_hWnd : m_hWnd, kHelpContents);
    });
}

void CQuorbel6View::OnSettingChange(UINT flags, LPCSTR section)
{
    const bool passOn = Guarded(556, ErrorSink::Window(this), false, [&] {
        // The default printer may have changed, and with it the printable area.
        if (section && lstrcmpiA(section, "Windows") == 0) {
            GetDefaultPrinter();
            if (m_bGeometryReady)
                ShowSurface("");
        }
        return true;
    });
    if (passOn)
        CScrollView::OnSettingChange(flags, section);
}

void CQuorbel6View::OnDestroy()
{
    UnlinkImagesPane();
    // The selection's timer and hit lists go with the window.
    KillSelectionTimer();
    m_hitList.clear();
    m_keptHitList.clear();
    // The panel bitmap lent to the application goes with the view.
    LendPanelBackground(false);
    m_surfaceBitmaps.Release();
    m_renderer.ForgetCaches();
    m_bGeometryReady = 0;
    CScrollView::OnDestroy();
}
