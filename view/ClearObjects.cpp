#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

void CQuorbel6View::ClearObjects()
{
    Guarded(18, ErrorSink::Window(this), [&] {
        Model().Clear();
        m_renderer.SetModel(Model());
        m_renderer.ForgetCaches();
        ResetSelection();
        TellFrameSelection();
        m_ptPageOrigin = POINT{0, 0};
    });
}
