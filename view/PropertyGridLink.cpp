#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/FrameWnd.h"

#include <cmath>
#include <cstdlib>

GridRowContext CQuorbel6View::GridContext() const
{
    GridRowContext context;
    context.millimeters = m_strUnits == "Millimeters";
    context.shownSurface = Model().Shown().surface;
    context.backCoverBorder = Model().Placement().backCoverBorder != 0;
    context.frontCoverBorder = Model().Placement().frontCoverBorder != 0;
    auto paperName = [this](int index) {
        return index >= 0 && static_cast<size_t>(index) < m_labelTemplates.size() && m_labelTemplates[index]
                   ? m_labelTemplates[static_cast<size_t>(index)]->m_strName
                   : CString();
    };
    context.discPaperName = paperName(m_nDiscTemplate);
    context.jewelPaperName = paperName(m_nJewelTemplate);
    return context;
}

void CQuorbel6View::SelectObject(const CString& objectName)
{
    m_strSelectedObject = objectName;
    m_strDragMode.Empty();
    m_nSelectionHandles = 8;
    ReloadSelection();
    // The object list holds both discs of a page: an object chosen there for
    // the other disc brings its own disc into view before anything edits it.
    ShowSurfaceOfSelection();
    TellFrameSelection();
}

CString CQuorbel6View::ApplyBoxEdit(const CString& objectName, const CString& caption, const CString& value)
{
    m_strSelectedObject = objectName;
    ReloadSelection();
    const CString itemType = m_selectionCache[0];
    const size_t first = itemType == "Track" || itemType == "Text" ? 5 : itemType == "Image" ? 4 : 1;
    const int oldLeft = LabelRows::ReadLength(m_selectionCache[first]);
    const int oldTop = LabelRows::ReadLength(m_selectionCache[first + 1]);
    const int wanted = static_cast<int>(std::lround(std::atof(value) * 1000.0));
    RECT box = m_rcSelectionLabel;
    if (caption == "Left") {
        m_strDragMode = "Move";
        ::OffsetRect(&box, wanted - oldLeft, 0);
    } else if (caption == "Top") {
        m_strDragMode = "Move";
        ::OffsetRect(&box, 0, wanted - oldTop);
    } else if (caption == "Width") {
        m_strDragMode = "Right";
        box.right = box.left + wanted;
    } else {
        m_strDragMode = "Bottom";
        box.bottom = box.top + wanted;
    }
    m_rcSelectionLabel = box;
    m_ptPress = m_ptCurrent = POINT{};
    ApplyDrag();
    m_strDragMode.Empty();
    ReloadSelection();
    return GetPropertyValue(objectName, caption);
}

void CQuorbel6View::ChangeLabelPaper()
{
    if (CWnd* frame = GetParentFrame())
        frame->SendMessage(WM_COMMAND, ID_FILE_CHANGE_LABEL_PAPER);
}

void CQuorbel6View::FocusLabel()
{
    if (m_hWnd)
        SetFocus();
}
