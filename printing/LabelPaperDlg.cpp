#include "printing/LabelPaperDlg.h"

#include "framework/ErrorReport.h"
#include "printing/AlignWizardDlg.h"
#include "printing/SheetPreview.h"
#include "resource.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"

#include <utility>

IMPLEMENT_DYNAMIC(CLabelPaperDlg, CNewDialog)

BEGIN_COMMAND_MAP(CLabelPaperDlg, CNewDialog)
    ON_CTL(LBN_SELCHANGE, IDC_PAPER_DISC_LIST, OnSelChangeDiscList)
    ON_CTL(LBN_SELCHANGE, IDC_PAPER_JEWEL_LIST, OnSelChangeJewelList)
    ON_CMD(IDC_PAPER_DISC_EDIT, OnEditDiscDimensions)
    ON_CMD(IDC_PAPER_JEWEL_EDIT, OnEditJewelDimensions)
    ON_CMD(IDC_PAPER_DISC_CREATE, OnCreateNewDisc)
    ON_CMD(IDC_PAPER_JEWEL_CREATE, OnCreateNewJewel)
    ON_CMD(IDC_PAPER_DISC_DELETE, OnDeleteDiscTemplate)
    ON_CMD(IDC_PAPER_JEWEL_DELETE, OnDeleteJewelTemplate)
    ON_CMD(IDC_PAPER_DISC_UP, OnDiscUp)
    ON_CMD(IDC_PAPER_DISC_DOWN, OnDiscDown)
    ON_CMD(IDC_PAPER_JEWEL_UP, OnJewelUp)
    ON_CMD(IDC_PAPER_JEWEL_DOWN, OnJewelDown)
END_COMMAND_MAP()

namespace
{
constexpr int kDiscContext = 0;
constexpr int kPage2Context = 1;
constexpr int kPage3Context = 2;
}  // namespace

CLabelPaperDlg::CLabelPaperDlg(ILabelPaperHost& host, CWnd* parent) : CNewDialog(IDD_LABEL_PAPER, parent), m_host(host)
{
}

CLabelPaperDlg::~CLabelPaperDlg() = default;

int& CLabelPaperDlg::ChoiceOf(Side side)
{
    return side == Side::Disc ? m_host.DiscTemplateChoice() : m_host.JewelTemplateChoice();
}

void CLabelPaperDlg::RememberSaved()
{
    LabelTemplateList saved;
    for (const auto& paper : m_host.PaperTemplates())
        saved.templates.push_back(std::make_unique<CLabelDim>(*paper));
    saved.discTemplate = m_host.DiscTemplateChoice();
    saved.jewelTemplate = m_host.JewelTemplateChoice();
    m_saved = std::move(saved);
}

BOOL CLabelPaperDlg::OnInitDialog()
{
    m_bShown = true;
    m_host.EnableNewAndOpen(false);
    return Guarded(286, ErrorSink::App(), FALSE, [&]() -> BOOL {
        if (const CUiResources* resources = UiResources())
        {
            const CImageList& images = resources->MenuImages();
            if (images.GetImageCount() > MENU_IMAGE_DIALOG_ICON)
            {
                m_windowIcon.Reset(images.ExtractIcon(MENU_IMAGE_DIALOG_ICON));
                SetIcon(m_windowIcon, FALSE);
            }
        }
        CNewDialog::OnInitDialog();
        RememberSaved();

        const std::pair<CBevelButton*, int> buttons[] = {
            {&m_ok, IDOK},
            {&m_cancel, IDCANCEL},
            {&m_discEdit, IDC_PAPER_DISC_EDIT},
            {&m_discCreate, IDC_PAPER_DISC_CREATE},
            {&m_jewelEdit, IDC_PAPER_JEWEL_EDIT},
            {&m_jewelCreate, IDC_PAPER_JEWEL_CREATE},
            {&m_discDelete, IDC_PAPER_DISC_DELETE},
            {&m_jewelDelete, IDC_PAPER_JEWEL_DELETE},
        };
        for (const auto& [button, id] : buttons)
        {
            button->SubclassDlgItem(id, this);
            button->BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        }
        if (const CUiResources* resources = UiResources())
        {
            const CImageList& images = resources->MenuImages();
            if (images.GetImageCount() > MENU_IMAGE_DELETE)
            {
                m_discDelete.SetIconHandles(images.ExtractIcon(MENU_IMAGE_DELETE), nullptr);
                m_jewelDelete.SetIconHandles(images.ExtractIcon(MENU_IMAGE_DELETE), nullptr);
            }
        }
        m_discPreview.SubclassDlgItem(IDC_PAPER_DISC_PREVIEW, this);
        m_page2Preview.SubclassDlgItem(IDC_PAPER_PAGE2_PREVIEW, this);
        m_page3Preview.SubclassDlgItem(IDC_PAPER_PAGE3_PREVIEW, this);
        m_discCaption.SubclassDlgItem(IDC_PAPER_DISC_CAPTION, this);
        m_jewelCaption.SubclassDlgItem(IDC_PAPER_JEWEL_CAPTION, this);
        m_discPreviewCaption.SubclassDlgItem(IDC_PAPER_DISC_PREVIEW_CAPTION, this);
        m_page2Caption.SubclassDlgItem(IDC_PAPER_PAGE2_CAPTION, this);
        m_page3Caption.SubclassDlgItem(IDC_PAPER_PAGE3_CAPTION, this);
        m_discList.SubclassDlgItem(IDC_PAPER_DISC_LIST, this);
        m_jewelList.SubclassDlgItem(IDC_PAPER_JEWEL_LIST, this);
        FillLists();

        // Three pictures of the size of the disc preview, drawn here and lent to the buttons.
        RECT client{};
        m_discPreview.GetClientRect(&client);
        m_previewSize = SIZE{client.right - client.left, client.bottom - client.top};
        CClientDC screen(m_hWnd);
        for (size_t i = 0; i < m_previewDCs.size(); ++i)
        {
            m_previewDCs[i].CreateCompatibleDC(screen);
            m_previewBitmaps[i].CreateCompatibleBitmap(screen, m_previewSize.cx, m_previewSize.cy);
            m_previewSelections[i] = std::make_unique<CSelectGuard>(m_previewDCs[i], m_previewBitmaps[i]);
        }
        m_discPreview.m_pFaceDC = m_previewDCs[kDiscContext];
        m_page2Preview.m_pFaceDC = m_previewDCs[kPage2Context];
        m_page3Preview.m_pFaceDC = m_previewDCs[kPage3Context];
        OnSelChangeDiscList();
        OnSelChangeJewelList();
        return TRUE;
    });
}

void CLabelPaperDlg::FillLists()
{
    Guarded(565, ErrorSink::Window(this), [&] {
        m_discList.ResetContent();
        m_jewelList.ResetContent();
        int discEntry = 0;
        int jewelEntry = 0;
        const auto& papers = m_host.PaperTemplates();
        for (size_t i = 0; i < papers.size(); ++i)
        {
            const bool disc = papers[i]->m_nType == CLabelDim::kDiscLabels;
            CListBox& list = disc ? m_discList : m_jewelList;
            const int entry = list.AddString(papers[i]->m_strName);
            list.SetItemData(entry, i);
            if (disc && static_cast<int>(i) == m_host.DiscTemplateChoice())
                discEntry = entry;
            if (!disc && static_cast<int>(i) == m_host.JewelTemplateChoice())
                jewelEntry = entry;
        }
        m_discList.SetCurSel(discEntry);
        m_jewelList.SetCurSel(jewelEntry);
        // The last paper of a kind can't go.
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PAPER_DISC_DELETE), m_discList.GetCount() > 1);
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PAPER_JEWEL_DELETE), m_jewelList.GetCount() > 1);
    });
}

int CLabelPaperDlg::SelectedTemplate(Side side)
{
    CListBox& list = ListOf(side);
    const int entry = list.GetCurSel();
    return entry < 0 ? -1 : static_cast<int>(list.GetItemData(entry));
}

void CLabelPaperDlg::SelectTemplate(Side side, int templateIndex)
{
    CListBox& list = ListOf(side);
    for (int entry = 0; entry < list.GetCount(); ++entry)
    {
        if (static_cast<int>(list.GetItemData(entry)) == templateIndex)
        {
            list.SetCurSel(entry);
            return;
        }
    }
}

void CLabelPaperDlg::TakeSelections()
{
    Guarded(566, ErrorSink::Window(this), [&] {
        const int disc = SelectedTemplate(Side::Disc);
        const int jewel = SelectedTemplate(Side::Jewel);
        if (disc >= 0)
            m_host.DiscTemplateChoice() = disc;
        if (jewel >= 0)
            m_host.JewelTemplateChoice() = jewel;
    });
}

void CLabelPaperDlg::OnOK()
{
    Guarded(287, ErrorSink::App(), [&] {
        TakeSelections();
        m_host.SaveLabelTemplates();
        m_host.EnableNewAndOpen(true);
        EndDialog(1);
    });
}

void CLabelPaperDlg::OnCancel()
{
    Guarded(288, ErrorSink::App(), [&] {
        // What was never written (a change of order) is undone with the dialog.
        LabelTemplateList saved = m_saved.Clone();
        m_host.PaperTemplates() = std::move(saved.templates);
        m_host.DiscTemplateChoice() = saved.discTemplate;
        m_host.JewelTemplateChoice() = saved.jewelTemplate;
        m_host.EnableNewAndOpen(true);
        EndDialog(-1);
    });
}

BOOL CLabelPaperDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(303, ErrorSink::App(), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

void CLabelPaperDlg::OnDestroy()
{
    Guarded(504, ErrorSink::Window(this), [&] {
        if (m_windowIcon.IsValid())
        {
            SetIcon(nullptr, FALSE);
            m_windowIcon.Reset();
        }
        m_discPreview.m_pFaceDC = nullptr;
        m_page2Preview.m_pFaceDC = nullptr;
        m_page3Preview.m_pFaceDC = nullptr;
        for (size_t i = 0; i < m_previewDCs.size(); ++i)
        {
            m_previewSelections[i].reset();
            m_previewBitmaps[i].DeleteObject();
            m_previewDCs[i].DeleteDC();
        }
    });
    CNewDialog::OnDestroy();
}

void CLabelPaperDlg::DrawPreviewBox(HDC dc)
{
    Guarded(294, ErrorSink::App(), [&] {
        const RECT box{0, 0, m_previewSize.cx, m_previewSize.cy};
        m_host.PaintPreviewBackground(dc, box);
        DrawSunkenBox(dc, box);
    });
}

void CLabelPaperDlg::DrawSheetPreview(HDC dc, int templateIndex, int sheetNumber)
{
    Guarded(291, ErrorSink::App(), [&] {
        const auto& papers = m_host.PaperTemplates();
        if (templateIndex < 0 || templateIndex >= static_cast<int>(papers.size()))
        {
            DrawPreviewBox(dc);
            return;
        }
        const CLabelDim copy(*papers[static_cast<size_t>(templateIndex)]);
        ::DrawSheetPreview(dc, copy, sheetNumber, m_previewSize, m_host.ScreenDpi(), kPreviewMargin,
                           [&](HDC target, const RECT&) { DrawPreviewBox(target); });
    });
}

void CLabelPaperDlg::OnSelChangeDiscList()
{
    if (!m_previewDCs[kDiscContext].GetSafeHdc())
        return;
    DrawSheetPreview(m_previewDCs[kDiscContext], SelectedTemplate(Side::Disc), 1);
    m_discPreview.Invalidate();
}

void CLabelPaperDlg::OnSelChangeJewelList()
{
    Guarded(290, ErrorSink::App(), [&] {
        if (!m_previewDCs[kPage2Context].GetSafeHdc())
            return;
        const int index = SelectedTemplate(Side::Jewel);
        DrawSheetPreview(m_previewDCs[kPage2Context], index, 1);
        const auto& papers = m_host.PaperTemplates();
        const bool twoSheets = index >= 0 && index < static_cast<int>(papers.size()) &&
                               papers[static_cast<size_t>(index)]->m_nPage2 == 3;
        if (twoSheets)
        {
            DrawSheetPreview(m_previewDCs[kPage3Context], index, 2);
            m_page2Caption.SetWindowText("Front Cover");
            m_page3Caption.SetWindowText("Back Cover");
        }
        else
        {
            DrawPreviewBox(m_previewDCs[kPage3Context]);
            m_page2Caption.SetWindowText("Front && Back Cover");
            m_page3Caption.SetWindowText("");
        }
        m_page2Preview.Invalidate();
        m_page3Preview.Invalidate();
        m_page2Caption.Invalidate();
        m_page3Caption.Invalidate();
    });
}

void CLabelPaperDlg::RedrawPreviews(Side side)
{
    if (side == Side::Disc)
        OnSelChangeDiscList();
    else
        OnSelChangeJewelList();
}

void CLabelPaperDlg::RunWizard(Side side, bool createNew, int errorNumber)
{
    Guarded(errorNumber, ErrorSink::Window(this), [&] {
        const int index = SelectedTemplate(side);
        if (index < 0)
            return;
        const int otherSelection = SelectedTemplate(side == Side::Disc ? Side::Jewel : Side::Disc);
        CAlignWizardDlg wizard(index, createNew ? CAlignWizardDlg::kNew : CAlignWizardDlg::kEdit, 1, m_host, this);
        if (wizard.DoModal() == IDOK)
            RememberSaved();  // the wizard wrote the store
        FillLists();
        if (createNew)
            ListOf(side).SetCurSel(ListOf(side).GetCount() - 1);
        else
            SelectTemplate(side, index);
        SelectTemplate(side == Side::Disc ? Side::Jewel : Side::Disc, otherSelection);
        RedrawPreviews(side);
    });
}

void CLabelPaperDlg::OnEditDiscDimensions() { RunWizard(Side::Disc, false, 561); }
void CLabelPaperDlg::OnEditJewelDimensions() { RunWizard(Side::Jewel, false, 562); }
void CLabelPaperDlg::OnCreateNewDisc() { RunWizard(Side::Disc, true, 563); }
void CLabelPaperDlg::OnCreateNewJewel() { RunWizard(Side::Jewel, true, 564); }

void CLabelPaperDlg::DeleteTemplate(Side side, int errorNumber)
{
    Guarded(errorNumber, ErrorSink::Window(this), [&] {
        CListBox& list = ListOf(side);
        if (list.GetCount() <= 1)
            return;
        const Side other = side == Side::Disc ? Side::Jewel : Side::Disc;
        const int entry = list.GetCurSel();
        const int index = SelectedTemplate(side);
        int otherIndex = SelectedTemplate(other);
        auto& papers = m_host.PaperTemplates();
        if (index < 0 || index >= static_cast<int>(papers.size()))
            return;

        const CString question =
            "Are you sure you want to delete the ''" + papers[static_cast<size_t>(index)]->m_strName + "'' template?";
        if (m_host.AskUser(question, 2, "Yes`No`") != 1)
            return;

        papers.erase(papers.begin() + index);
        // Every index above the deleted one moves down by one.
        int& choice = ChoiceOf(side);
        int& otherChoice = ChoiceOf(other);
        const bool wasCurrent = choice == index;
        if (choice > index)
            --choice;
        if (otherChoice > index)
            --otherChoice;
        if (otherIndex > index)
            --otherIndex;
        if (wasCurrent)
        {
            const int kind = side == Side::Disc ? CLabelDim::kDiscLabels : CLabelDim::kJewelCase;
            choice = FirstTemplateOfKind(papers, kind);
        }
        FillLists();
        list.SetCurSel(std::min(entry, list.GetCount() - 1));
        if (wasCurrent)
            SelectTemplate(side, choice);
        SelectTemplate(other, otherIndex);

        if (m_host.SaveLabelTemplates())
            RememberSaved();
        RedrawPreviews(side);
    });
}

void CLabelPaperDlg::OnDeleteDiscTemplate() { DeleteTemplate(Side::Disc, 567); }
void CLabelPaperDlg::OnDeleteJewelTemplate() { DeleteTemplate(Side::Jewel, 568); }

void CLabelPaperDlg::MoveTemplate(Side side, int direction, int errorNumber)
{
    Guarded(errorNumber, ErrorSink::Window(this), [&] {
        CListBox& list = ListOf(side);
        const int entry = list.GetCurSel();
        const int neighbourEntry = entry + direction;
        if (entry < 0 || neighbourEntry < 0 || neighbourEntry >= list.GetCount())
            return;
        const int index = static_cast<int>(list.GetItemData(entry));
        const int neighbour = static_cast<int>(list.GetItemData(neighbourEntry));
        const Side other = side == Side::Disc ? Side::Jewel : Side::Disc;
        const int otherSelection = SelectedTemplate(other);
        auto& papers = m_host.PaperTemplates();
        std::swap(papers[static_cast<size_t>(index)], papers[static_cast<size_t>(neighbour)]);
        // The papers in use stay the same papers at their new places.
        int& choice = ChoiceOf(side);
        if (choice == index)
            choice = neighbour;
        else if (choice == neighbour)
            choice = index;
        FillLists();
        SelectTemplate(side, neighbour);
        SelectTemplate(other, otherSelection);
        RedrawPreviews(side);
    });
}

void CLabelPaperDlg::OnDiscUp() { MoveTemplate(Side::Disc, -1, 569); }
void CLabelPaperDlg::OnDiscDown() { MoveTemplate(Side::Disc, 1, 570); }
void CLabelPaperDlg::OnJewelUp() { MoveTemplate(Side::Jewel, -1, 571); }
void CLabelPaperDlg::OnJewelDown() { MoveTemplate(Side::Jewel, 1, 572); }
