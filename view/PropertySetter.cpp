// The property setter: the rules of label/PropertyRules.h work a change out,
// and the view writes it into the label, records it for undo and keeps its
// surface geometry in step. It neither redraws nor closes the undo step.
#include "view/Quorbel6View.h"

#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "shell/MessageBoxRequest.h"

#include <string>

PropertyRuleContext CQuorbel6View::PropertyRulesContext()
{
    PropertyRuleContext context;
    context.guide = m_rcGuide;
    context.undoRecording = IsUndoRecording();
    context.guideClamp = m_bGuideClamp != 0;
    context.printerAvailable = m_bNoPrinter == 0;
    context.units = m_strUnits;
    context.keepImageAspect = [this](double& width, double& height, int imageNumber) {
        return KeepImageAspect(width, height, imageNumber);
    };
    context.shiftLayoutCache = [this](CString& cache, const CString& axis, int distance) {
        m_renderer.ShiftLayoutCache(cache, axis, distance);
    };
    return context;
}

CString CQuorbel6View::ApplyProperty(CString name, CString caption, CString value, bool skipRow)
{
    const ErrorSink errors = ErrorSink::Window(this).WithDetail(std::string(static_cast<LPCSTR>(caption)));
    return Guarded(14, errors, CString(), [&]() -> CString {
        if (caption == "Text Margin")
            return ApplyTextMargin(name, value);
        const PropertyEdit edit =
            PropertyRules::PlanChange(Model(), PropertyRulesContext(), name, caption, value, skipRow);
        ApplyPropertyEdit(edit);
        return edit.result;
    });
}

CString CQuorbel6View::ApplyTextMargin(CString discName, CString value)
{
    // A failure hands back the value as far as it was converted.
    const CString inches = PropertyRules::TextMarginInInches(value, m_strUnits);
    return Guarded(119, ErrorSink::Window(this), inches, [&]() -> CString {
        const PropertyEdit edit = PropertyRules::PlanTextMargin(Model(), PropertyRulesContext(), discName, value);
        ApplyPropertyEdit(edit);
        return edit.result;
    });
}

void CQuorbel6View::ApplyPropertyEdit(const PropertyEdit& edit)
{
    CLabelModel& model = Model();
    for (const TextChange& text : edit.texts)
        model.SetTextRowValue(text.textRow, text.value);

    for (const RowChange& change : edit.rows) {
        const bool choices = change.field == RowField::Choices;
        auto copyWith = [&](const CString& text) {
            PropertyEntry copy = model.Row(change.row);
            (choices ? copy.m_strChoices : copy.m_strValue) = text;
            return copy;
        };
        if (change.recorded)
            AddUndoRecord(copyWith(change.recordedFrom), "Change", "From");
        if (choices)
            model.SetRowChoices(change.row, change.stored);
        else
            model.SetRowValue(change.row, change.stored);
        if (change.recorded)
            AddUndoRecord(copyWith(change.recordedTo), "Change", "To");
    }

    if (edit.shownSurface)
        model.Shown().surface = *edit.shownSurface;
    if (edit.shownPage)
        model.Shown().page = *edit.shownPage;
    if (edit.placement) {
        model.Placement() = *edit.placement;
        m_renderer.SetModel(model);
        m_renderer.UpdateGeometry();
    }
    if (edit.addInsideCoverBoundary)
        AddInsideCoverBoundary();

    if (edit.message) {
        if (auto* request = dynamic_cast<CMessageBoxRequest*>(GetApp()))
            request->m_strMessageText = *edit.message;
    }
    // A call that changed nothing leaves the document as it was.
    if (edit.ChangesLabel()) {
        if (CDocument* doc = GetDocument())
            doc->SetModifiedFlag(TRUE);
    }

    if (edit.setImageAsBackground)
        SetImageAsBackground();
    if (edit.bringImageToFront)
        BringImageToFront(edit.frontRole, edit.frontImageNumber);
    if (!edit.discToSwitch.IsEmpty())
        LayoutDiscPage();
}
