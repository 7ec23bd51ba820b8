#include "uikit/PaintComboBox.h"

#include "framework/ErrorReport.h"

IMPLEMENT_DYNAMIC(CPaintComboBox, CComboBox)

void CPaintComboBox::OnPaint()
{
    Guarded(399, ErrorSink::Window(this), [&] {
        if (IsWindowEnabled()) {
            Default();
            return;
        }
        ValidateRect(nullptr);
    });
}
