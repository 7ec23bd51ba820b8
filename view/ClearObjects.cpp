#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

void CQuorbel6View::ClearObjects()
{
    Guarded(18, ErrorSink::Window(this), [&] {
        Model().Clear();
        m_renderer.SetModel(Model());
        m_renderer.ForgetCaches();
        m_strSelectedObject.Empty();
        m_nSelectionHandles = 0;
        TellFrameSelection();
        m_ptPageOrigin = POINT{0, 0};
    });
}
