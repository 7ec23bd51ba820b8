#pragma once
// A frame window standing in for the main frame in the view tests: it answers
// everything the view asks of its frame with nothing, and a test's own frame
// overrides what it records or forwards to a real pane.
#include "document/AppSettings.h"
#include "framework/CommandIds.h"
#include "framework/FrameWnd.h"
#include "framework/ProgramFolder.h"
#include "framework/WinApp.h"
#include "shell/FrameView.h"
#include "view/Quorbel6View.h"

#include "support/MessagePump.h"

#include <windows.h>

#include <string>

class StandInFrame : public CFrameWnd, public IViewFrame
{
public:
    void SetSelectionState(BOOL) override {}
    void UpdateDiscMenus() override {}
    void ShowObject(const CString&) override {}
    void ShowProperties(const CString&) override {}
    void SetPastePossible(bool) override {}
    void ClearTextFieldFocus() override {}
    HWND FocusedTextField() const override { return nullptr; }
    bool IsPropertiesPaneShown() const override { return true; }
    bool IsTextPaneShown() const override { return false; }
    int CdDriveCount() const override { return 0; }
    void SetUndoAvailable(bool) override {}
    void SetRedoAvailable(bool) override {}
    void SetGuidesButton(bool) override {}
    void CheckSnapToGrid(BOOL) override {}
    void CheckShowGrid(BOOL) override {}
    void CheckShownToolBars() override {}
    void RestorePaneStates() override {}
    // The object tool bar's buttons are 24 x 22 here.
    RECT ObjectToolBarButtonRect(int index) const override { return RECT{24 * index, 0, 24 * index + 24, 22}; }
    FramePanePlace PanePlace(FramePane) const override { return FramePanePlace::Floating; }
    void ShowPropertiesPaneAt(POINT) override {}
};

// A scratch folder of the test's own as the program folder (its settings
// files land there); CloseViewInFrame removes it again.
inline std::string UseScratchProgramFolder(const char* tag)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + tag + "_" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    SetProgramFolder(folder.c_str());
    return folder;
}

// A new stand-in frame holding a label view, made the application's main
// window. The frame deletes itself with its window. Null on failure.
template <typename Frame>
CQuorbel6View* OpenViewInFrame(CWinApp& app, Frame*& frame)
{
    frame = new Frame;
    if (!frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, RECT{0, 0, 1000, 760}, nullptr, nullptr, 0, nullptr))
        return nullptr;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CQuorbel6View);
    auto* view = dynamic_cast<CQuorbel6View*>(frame->CreateView(&context, FWID_PANE_FIRST));
    if (!view)
        return nullptr;
    frame->SetActiveView(view, FALSE);
    app.m_pMainWnd = frame;
    return view;
}

// A new label of the layout on the built-in papers, drawn at 96 dots per inch.
inline void PrepareLabelView(CQuorbel6View& view, CAppSettings& settings, const char* layout)
{
    view.AttachAppSettings(&settings);
    view.PrepareBitmaps();
    view.m_nScreenDpi = 96;
    view.LoadLabelTemplates();
    view.Model().Shown().layout = layout;
    view.CreateSurfaceProperties();
    view.m_bDrawingEnabled = 1;
}

inline void CloseViewInFrame(CWinApp& app, CFrameWnd* frame, const std::string& folder)
{
    HWND window = frame ? frame->GetSafeHwnd() : nullptr;
    app.m_pMainWnd = nullptr;
    if (window)
        ::DestroyWindow(window);
    test_support::PumpPending();
    SetProgramFolder("");
    ::RemoveDirectoryA(folder.c_str());
}
