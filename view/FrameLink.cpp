#include "view/Quorbel6View.h"

#include "framework/EditingSwitch.h"
#include "framework/WinApp.h"

IViewFrame* CQuorbel6View::ViewFrame()
{
    return dynamic_cast<IViewFrame*>(GetAppMainWnd());
}

namespace {

// The button of the object tool bar whose size inserted objects take.
constexpr int kInsertionSizeButton = 1;

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

void CQuorbel6View::TellFramePanes()
{
    if (IViewFrame* frame = ViewFrame())
        frame->ShowObject(m_strSelectedObject);
}

void CQuorbel6View::TellFrameLayout()
{
    if (IViewFrame* frame = ViewFrame())
        frame->UpdateDiscMenus();
}

SIZE CQuorbel6View::FrameInsertionSize() const
{
    const IViewFrame* frame = ViewFrame();
    if (!frame)
        return SIZE{};
    const RECT button = frame->ObjectToolBarButtonRect(kInsertionSizeButton);
    if (::IsRectEmpty(&button))
        return SIZE{};
    return SIZE{button.right - button.left - 1, button.bottom - button.top};
}

void CQuorbel6View::TellFrameGuides()
{
    if (IViewFrame* frame = ViewFrame())
        frame->SetGuidesButton(m_bShowGuides != 0);
}

void CQuorbel6View::TellFramePanesAndBars()
{
    IViewFrame* frame = ViewFrame();
    if (!frame)
        return;
    const auto* editing = dynamic_cast<const IEditingSwitch*>(GetAppMainWnd());
    if (!editing || !editing->IsEditingDisabled())
        frame->RestorePaneStates();
    frame->CheckShownToolBars();
}

FramePanePlace CQuorbel6View::FramePaneState(FramePane pane) const
{
    const IViewFrame* frame = ViewFrame();
    return frame ? frame->PanePlace(pane) : FramePanePlace::Floating;
}
