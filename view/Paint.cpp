#include "view/Quorbel6View.h"

void CQuorbel6View::OnDraw(CDC* /*dc*/)
{
    // Until the start-up has shown the main window nothing is painted; the
    // surfaces themselves are drawn into their off-screen bitmaps elsewhere.
    if (!m_bDrawingEnabled)
        return;
}
