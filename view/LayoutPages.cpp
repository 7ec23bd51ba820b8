// Laying the pages and surfaces out on the chosen label papers, and redoing it
// for every part after a paper changed.
#include "view/Quorbel6View.h"

#include "framework/EditingSwitch.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "printing/AlignWizardDlg.h"
#include "printing/LabelPaperDlg.h"
#include "printing/LabelPaperHost.h"
#include "printing/PageLayoutPlan.h"
#include "shell/AppMessageDlg.h"
#include "shell/FrameView.h"
#include "shell/MainFrame.h"

namespace
{
bool NamesPaperOfKind(const std::vector<std::unique_ptr<CLabelDim>>& papers, int index, int kind)
{
    return index >= 0 && index < static_cast<int>(papers.size()) && papers[static_cast<size_t>(index)]->m_nType == kind;
}

// Puts a value back when the scope ends, also when a failure ends it early.
template <class T>
class Restore
{
public:
    Restore(T& target, T during) : m_target(target), m_kept(target) { m_target = during; }
    ~Restore() { m_target = m_kept; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& m_target;
    T m_kept;
};
}  // namespace

void CQuorbel6View::LayoutPages()
{
    LayoutPagesOnPaper(false);
}

void CQuorbel6View::LayoutPagesOnPaper(bool keepFold)
{
    Guarded(117, ErrorSink::Window(this), [&] {
        // A choice that names no paper of its kind never reaches the layout.
        if (!NamesPaperOfKind(m_labelTemplates, m_nDiscTemplate, CLabelDim::kDiscLabels) ||
            !NamesPaperOfKind(m_labelTemplates, m_nJewelTemplate, CLabelDim::kJewelCase))
            return;
        const CLabelDim& disc = *m_labelTemplates[static_cast<size_t>(m_nDiscTemplate)];
        const CLabelDim& jewel = *m_labelTemplates[static_cast<size_t>(m_nJewelTemplate)];

        CLabelModel& model = Model();
        LayoutState state;
        state.coverFolded = model.Placement().folded != 0;
        state.disc1AtBottom = model.GetPropertyValue("Disc 1", "Label Position") == "Bottom";
        state.keepFold = keepFold;
        bool changed = false;
        {
            Restore<CString> surface(model.Shown().surface, model.Shown().surface);
            Restore<CString> page(model.Shown().page, model.Shown().page);
            // The paper decides where the surfaces lie, even outside the printable guide.
            Restore<BYTE> clamp(m_bGuideClamp, 0);
            for (const PaperAssignment& assignment : PlanPageLayout(disc, jewel, state))
            {
                // A value already in place changes nothing; the setter need not look.
                if (IsAssignmentInPlace(assignment, model.GetPropertyValue(assignment.object, assignment.key)))
                    continue;
                if (!assignment.shownSurface.IsEmpty())
                    model.Shown().surface = assignment.shownSurface;
                ApplyProperty(assignment.object, assignment.key, assignment.value);
                changed = true;
            }
        }
        if (!changed)
            return;
        UpdateScale();
        if (IsUndoRecording())
            CommitUndoStep();
    });
}

void CQuorbel6View::ClearPageDrawings()
{
    CLabelModel& model = Model();
    Restore<CString> page(model.Shown().page, model.Shown().page);
    for (const char* number : {"1", "2", "3"})
    {
        model.Shown().page = number;
        DrawSurface(kDrawClear);
    }
}

void CQuorbel6View::RefreshAllParts()
{
    Guarded(583, ErrorSink::Window(this), [&] {
        LayoutPages();
        ClearPageDrawings();
        LoadSelection();
        const CString selectedPage = Model().GetPropertyValue(m_strSelectedObject, "Page");
        if (!selectedPage.IsEmpty())
            Model().Shown().page = selectedPage;
        const auto* editing = dynamic_cast<const IEditingSwitch*>(GetAppMainWnd());
        if (editing && editing->IsEditingDisabled())
            return;
        if (IViewFrame* frame = ViewFrame())
            frame->ShowObject(m_strSelectedObject);
        ShowSurface("");
    });
}

namespace
{
// The view as the label-paper dialogs see it.
class ViewPaperHost final : public ILabelPaperHost
{
public:
    explicit ViewPaperHost(CQuorbel6View& view) : m_view(view) {}

    std::vector<std::unique_ptr<CLabelDim>>& PaperTemplates() override { return m_view.m_labelTemplates; }
    int& DiscTemplateChoice() override { return m_view.m_nDiscTemplate; }
    int& JewelTemplateChoice() override { return m_view.m_nJewelTemplate; }
    BOOL SaveLabelTemplates() override { return m_view.SaveLabelTemplates(); }
    void RefreshAllParts() override { m_view.RefreshAllParts(); }
    void PrintTestSheet(const PaperTestSheet& sheet) override { m_view.PrintPaperTest(sheet); }
    CString Units() const override { return m_view.m_strUnits; }
    void SetUnits(const CString& units) override
    {
        m_view.m_strUnits = units;
        m_view.WriteSettingValue("String", "Units", units);
    }
    SIZE ScreenDpi() const override { return SIZE{m_view.m_nScreenDpi, m_view.m_nScreenDpi}; }
    void PaintPreviewBackground(HDC dc, const RECT& rect) override
    {
        m_view.PaintPanelBackground(dc, rect, POINT{0, 0}, 2);
    }
    int AskUser(LPCSTR text, int iconKind, LPCSTR buttons) override
    {
        return CAppMessageDlg::Show(text, iconKind, buttons);
    }
    void EnableNewAndOpen(bool enable) override
    {
        if (auto* frame = dynamic_cast<CMainFrame*>(GetAppMainWnd()))
            frame->SetNewOpenEnabled(enable);
    }

private:
    CQuorbel6View& m_view;
};
}  // namespace

void CQuorbel6View::OnChangeLabelPaper()
{
    Guarded(118, ErrorSink::Window(this), [&] {
        ViewPaperHost host(*this);
        CLabelPaperDlg dialog(host, GetAppMainWnd());
        if (dialog.DoModal() == -1 && !dialog.WasShown())
            return;
        // Cancel as well as OK: the store may have changed under the dialog.
        LayoutPages();
        ClearPageDrawings();
        LoadSelection();
        const CString selectedPage = Model().GetPropertyValue(m_strSelectedObject, "Page");
        if (!selectedPage.IsEmpty())
            Model().Shown().page = selectedPage;
        if (IViewFrame* frame = ViewFrame())
            frame->ShowObject(m_strSelectedObject);
        ScrollToCurrentPart(true);
        ShowSurface("");
    });
}

bool CQuorbel6View::EditLabelPaper(int templateIndex, int side, CWnd* parent)
{
    return Guarded(118, ErrorSink::Window(this), false, [&] {
        if (templateIndex < 0 || templateIndex >= static_cast<int>(m_labelTemplates.size()))
            return false;
        ViewPaperHost host(*this);
        CAlignWizardDlg wizard(templateIndex, CAlignWizardDlg::kEdit, side, host, parent);
        if (wizard.DoModal() != IDOK)
            return false;
        ScrollToCurrentPart(true);
        ShowSurface("");
        return true;
    });
}
