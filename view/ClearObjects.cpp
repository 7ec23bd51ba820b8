#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

void CQuorbel6View::ClearObjects()
{
    Guarded(18, ErrorSink::Window(this), [&] {
        Model().Clear();
        m_renderer.SetModel(Model());
        m_renderer.ForgetCaches();
        ResetSelection();
        // A new label starts without anything to undo.
        m_undoHistory.Reset();
        TellFrameUndoState(false, false);
        TellFrameSelection();
        m_ptPageOrigin = POINT{0, 0};
    });
}
