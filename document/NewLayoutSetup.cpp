#include "document/Quorbel6Doc.h"

#include "document/LabelView.h"
#include "framework/ErrorReport.h"
#include "framework/SettingsKey.h"

#include <stdexcept>

void CQuorbel6Doc::SetupNewLayout()
{
    Guarded(158, ErrorSink::App(), [&] {
        ILabelView* view = GetLabelView();
        if (!view)
            throw std::logic_error("a document without its view");

        view->BeginNewLabel();
        view->CreateSurfaceProperties(0);
        view->DrawEveryPage();
        StoreSettingValue("Number", "Template", m_label.Shown().layout == "Single" ? "1" : "2");
        DeleteRecords();
        SetModifiedFlag(FALSE);
        view->ShowNewLabel("Page " + m_label.Shown().page, true, true, m_bRefresh != FALSE);
    });
}
