#include "view/Quorbel6View.h"

#include "framework/WinApp.h"

IViewFrame* CQuorbel6View::ViewFrame()
{
    return dynamic_cast<IViewFrame*>(GetAppMainWnd());
}

namespace {

// Surfaces and pages can be selected too, but they are not objects to edit.
bool IsEditableObjectType(const CString& type)
{
    return !type.IsEmpty() && type != "Cover" && type != "Boundary" && type != "Page";
}

}  // namespace

CString CQuorbel6View::SelectedObjectType() const
{
    if (m_strSelectedObject.IsEmpty())
        return CString();
    const int row = Model().FindObjectRow(m_strSelectedObject);
    return row < 0 ? CString() : Model().Row(row).m_strValue;
}

bool CQuorbel6View::IsDoubleLayout() const
{
    return Model().Shown().layout == "Double";
}

void CQuorbel6View::TellFrameSelection()
{
    if (IViewFrame* frame = ViewFrame())
        frame->SetSelectionState(IsEditableObjectType(SelectedObjectType()) ? TRUE : FALSE);
}

void CQuorbel6View::TellFrameLayout()
{
    if (IViewFrame* frame = ViewFrame())
        frame->UpdateDiscMenus();
}
