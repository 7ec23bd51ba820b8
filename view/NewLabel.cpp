// The view's side of a new label coming into the document's model: drawing
// stops while it is read or made, and the label is shown once it is complete.
#include "view/Quorbel6View.h"

#include "framework/EditingSwitch.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "shell/NewDocumentDlg.h"
#include "view/ViewGeometry.h"

#include <algorithm>

void CQuorbel6View::BeginNewLabel()
{
    m_bDrawingEnabled = 0;
    ClearObjects();
    Model().SetUndoRecording(false);
}

void CQuorbel6View::DrawEveryPage()
{
    LabelShown& shown = Model().Shown();
    for (const char* page : {"1", "2", "3"}) {
        shown.page = page;
        UpdateScale();
        DrawSurface(kDrawClear);
        DrawSurface(kDrawFull);
    }
    shown.page = "1";
}

void CQuorbel6View::KeepZoomInsideBitmaps()
{
    LabelShown& shown = Model().Shown();
    UpdateScale();
    while (shown.zoom > ViewGeometry::kMinZoom && !ZoomFitsBitmaps()) {
        shown.zoom = std::max(shown.zoom - ViewGeometry::kZoomStep, ViewGeometry::kMinZoom);
        UpdateScale();
    }
}

void CQuorbel6View::ShowNewLabel(const CString& selected, bool show, bool fit, bool enableEditing)
{
    Guarded(15, ErrorSink::Window(this), [&] {
        m_strSelectedObject = selected;
        m_nSelectionHandles = 0;
        TellFrameSelection();
        TellFrameLayout();
        TellFramePanes();
        KeepZoomInsideBitmaps();
        if (enableEditing) {
            if (auto* frame = dynamic_cast<IEditingSwitch*>(GetAppMainWnd()))
                frame->EnableEditing(FALSE);
        }
        m_bDrawingEnabled = 1;
        if (show) {
            ScrollToCurrentPart(fit);
            ShowSurface("");
        }
        // The new label's selection, its part above all, is loaded: Insert
        // and the drags start from it.
        ReloadSelection();
        Model().SetUndoRecording(true);
    });
}

int CQuorbel6View::TakeStartPreset()
{
    const int preset = m_nStartPreset;
    m_nStartPreset = -1;
    return preset;
}

int CQuorbel6View::AskNewLabelKind()
{
    CNewDocumentDlg dialog;
    return static_cast<int>(dialog.DoModal());
}
