#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

namespace {
constexpr int kClearedZoom = 22;
}

void CQuorbel6View::ClearObjects()
{
    Guarded(18, ErrorSink::Window(this), [&] {
        m_propertyRows.clear();
        m_textRows.clear();
        m_images.clear();
        m_scaledImages.Clear();
        m_fonts.Clear();
        m_nZoom = kClearedZoom;
        m_nStackingCounter = 0;
        m_bUndoRecording = TRUE;
        m_strSelectedObject.Empty();
        m_nSelectionHandles = 0;
        m_ptPageOrigin = POINT{0, 0};
    });
}
