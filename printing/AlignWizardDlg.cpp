#include "printing/AlignWizardDlg.h"

#include "framework/ErrorReport.h"
#include "framework/WindowTexts.h"
#include "resource.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"

#include <commctrl.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CAlignWizardDlg, CNewDialog)

BEGIN_COMMAND_MAP(CAlignWizardDlg, CNewDialog)
    ON_CTL(CBN_SELCHANGE, IDC_WIZARD_UNITS, OnSelChangeUnits)
    ON_CTL(CBN_SELCHANGE, IDC_WIZARD_PAPER_SIZE, OnSelChangeCombo1200)
    ON_CTL(CBN_SELCHANGE, IDC_WIZARD_PAGES, OnSelChangeCombo1205)
    ON_CTL(CBN_SELCHANGE, IDC_WIZARD_ORIENTATION, OnSelChangeCombo1176)
    ON_CTL(CBN_SELCHANGE, IDC_WIZARD_FOLDED, OnSelChangeCombo1178)
    ON_NOTIFY_CODE(UDN_DELTAPOS, IDC_WIZARD_LEFT1_SPIN, OnDeltaPos)
    ON_NOTIFY_CODE(UDN_DELTAPOS, IDC_WIZARD_TOP1_SPIN, OnDeltaPos)
    ON_NOTIFY_CODE(UDN_DELTAPOS, IDC_WIZARD_LEFT2_SPIN, OnDeltaPos)
    ON_NOTIFY_CODE(UDN_DELTAPOS, IDC_WIZARD_TOP2_SPIN, OnDeltaPos)
    ON_NOTIFY_CODE(UDN_DELTAPOS, IDC_WIZARD_WIDTH1_SPIN, OnDeltaPos)
    ON_NOTIFY_CODE(UDN_DELTAPOS, IDC_WIZARD_HEIGHT1_SPIN, OnDeltaPos)
    ON_CTL(EN_KILLFOCUS, IDC_WIZARD_LEFT1, OnKillFocusValue)
    ON_CTL(EN_KILLFOCUS, IDC_WIZARD_TOP1, OnKillFocusValue)
    ON_CTL(EN_KILLFOCUS, IDC_WIZARD_LEFT2, OnKillFocusValue)
    ON_CTL(EN_KILLFOCUS, IDC_WIZARD_TOP2, OnKillFocusValue)
    ON_CTL(EN_KILLFOCUS, IDC_WIZARD_WIDTH1, OnKillFocusValue)
    ON_CTL(EN_KILLFOCUS, IDC_WIZARD_HEIGHT1, OnKillFocusValue)
    ON_CTL(EN_KILLFOCUS, IDC_WIZARD_NAME, OnKillFocusName)
    ON_CTL(BN_CLICKED, IDC_WIZARD_PRINT_TEST, OnPrintTest)
END_COMMAND_MAP()

namespace
{
struct ValueControls
{
    WizardValue which;
    int edit;
    int spin;
    int caption;
    const char* discCaption;
    const char* jewelCaption;  // null: hidden on jewel-case paper
    int spinError;
    int killFocusError;
};

constexpr ValueControls kValues[] = {
    {WizardValue::Left1, IDC_WIZARD_LEFT1, IDC_WIZARD_LEFT1_SPIN, IDC_WIZARD_LEFT1_CAPTION, "Left - Disc 1",
     "Left - Front", 532, 549},
    {WizardValue::Top1, IDC_WIZARD_TOP1, IDC_WIZARD_TOP1_SPIN, IDC_WIZARD_TOP1_CAPTION, "Top - Disc 1", "Top - Front",
     533, 550},
    {WizardValue::Left2, IDC_WIZARD_LEFT2, IDC_WIZARD_LEFT2_SPIN, IDC_WIZARD_LEFT2_CAPTION, "Left - Disc 2",
     "Left - Back", 534, 551},
    {WizardValue::Top2, IDC_WIZARD_TOP2, IDC_WIZARD_TOP2_SPIN, IDC_WIZARD_TOP2_CAPTION, "Top - Disc 2", "Top - Back",
     535, 552},
    {WizardValue::Width1, IDC_WIZARD_WIDTH1, IDC_WIZARD_WIDTH1_SPIN, IDC_WIZARD_WIDTH1_CAPTION, "Outer Diameter",
     nullptr, 536, 553},
    {WizardValue::Height1, IDC_WIZARD_HEIGHT1, IDC_WIZARD_HEIGHT1_SPIN, IDC_WIZARD_HEIGHT1_CAPTION, "Inner Diameter",
     nullptr, 537, 554},
};

constexpr int kCaptionIds[12] = {IDC_WIZARD_NAME_CAPTION,     IDC_WIZARD_UNITS_CAPTION,      IDC_WIZARD_LEFT1_CAPTION,
                                 IDC_WIZARD_TOP1_CAPTION,     IDC_WIZARD_LEFT2_CAPTION,      IDC_WIZARD_TOP2_CAPTION,
                                 IDC_WIZARD_WIDTH1_CAPTION,   IDC_WIZARD_HEIGHT1_CAPTION,    IDC_WIZARD_FOLDED_CAPTION,
                                 IDC_WIZARD_PAPER_SIZE_CAPTION, IDC_WIZARD_PAGES_CAPTION,  IDC_WIZARD_ORIENTATION_CAPTION};

const ValueControls* ControlsOfEdit(int id)
{
    for (const ValueControls& value : kValues)
    {
        if (value.edit == id)
            return &value;
    }
    return nullptr;
}

const ValueControls* ControlsOfSpin(int id)
{
    for (const ValueControls& value : kValues)
    {
        if (value.spin == id)
            return &value;
    }
    return nullptr;
}

// The top of the miniature: below the side switch when it is shown.
constexpr int kPreviewTop = 87;
constexpr int kPreviewTopWithSwitch = 120;
constexpr int kPreviewLeft = 87;

void Show(HWND dialog, int id, bool show)
{
    if (HWND control = ::GetDlgItem(dialog, id))
        ::ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}
}  // namespace

CAlignWizardDlg::CAlignWizardDlg(int templateIndex, int mode, int side, ILabelPaperHost& host, CWnd* parent)
    : CNewDialog(IDD_ALIGN_WIZARD, parent), m_templateIndex(templateIndex), m_mode(mode), m_side(side), m_host(host)
{
}

CAlignWizardDlg::~CAlignWizardDlg() = default;

RECT CAlignWizardDlg::WizardPlacement(const RECT& workArea, SIZE templateSize)
{
    constexpr int kTopGap = 25;
    constexpr int kHeightLess = 35;
    constexpr int kNarrowest = 761;
    constexpr int kWidest = 915;
    const int workWidth = workArea.right - workArea.left;
    const int height = std::max(1, static_cast<int>(workArea.bottom - workArea.top) - kHeightLess);
    int width = templateSize.cy > 0 ? static_cast<int>(static_cast<double>(height) * templateSize.cx / templateSize.cy)
                                    : kNarrowest;
    width = std::min(std::clamp(width, kNarrowest, kWidest), workWidth);
    const int left = workArea.left + std::max(0, (workWidth - width) / 2);
    const int top = workArea.top + kTopGap;
    return RECT{left, top, left + width, top + height};
}

BOOL CAlignWizardDlg::OnInitDialog()
{
    CNewDialog::OnInitDialog();
    return Guarded(528, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        if (const CUiResources* resources = UiResources())
        {
            const CImageList& images = resources->MenuImages();
            if (images.GetImageCount() > MENU_IMAGE_DIALOG_ICON)
            {
                m_windowIcon.Reset(images.ExtractIcon(MENU_IMAGE_DIALOG_ICON));
                SetIcon(m_windowIcon, FALSE);
            }
        }
        const auto& papers = m_host.PaperTemplates();
        if (m_templateIndex < 0 || m_templateIndex >= static_cast<int>(papers.size()))
        {
            EndDialog(IDCANCEL);
            return FALSE;
        }
        const bool inches = m_host.Units() != "Millimeters";
        m_rules = std::make_unique<AlignWizardRules>(*papers[static_cast<size_t>(m_templateIndex)], m_side != 0, inches);
        if (m_mode == kNew)
            FillCustomProducts();

        // As high as the work area allows, a little below its top, centred.
        RECT work{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        RECT window{};
        GetWindowRect(&window);
        MoveWindow(WizardPlacement(work, SIZE{window.right - window.left, window.bottom - window.top}), FALSE);

        m_name.SubclassDlgItem(IDC_WIZARD_NAME, this);
        for (size_t i = 0; i < m_values.size(); ++i)
            m_values[i].SubclassDlgItem(kValues[i].edit, this);
        m_units.SubclassDlgItem(IDC_WIZARD_UNITS, this);
        m_paperSize.SubclassDlgItem(IDC_WIZARD_PAPER_SIZE, this);
        m_pages.SubclassDlgItem(IDC_WIZARD_PAGES, this);
        m_orientation.SubclassDlgItem(IDC_WIZARD_ORIENTATION, this);
        m_folded.SubclassDlgItem(IDC_WIZARD_FOLDED, this);
        for (const char* item : {"Inches", "Millimeters"})
            m_units.AddString(item);
        for (const char* item : {"1 Page", "2 Pages"})
            m_pages.AddString(item);
        for (const char* item : {"Portrait", "Landscape"})
            m_orientation.AddString(item);
        for (const char* item : {"No", "Yes"})
            m_folded.AddString(item);
        m_units.SetCurSel(inches ? 0 : 1);

        m_preview.m_pRules = m_rules.get();
        m_preview.m_dpi = m_host.ScreenDpi();
        m_preview.SubclassDlgItem(IDC_WIZARD_PREVIEW, this);
        m_sideSwitch.m_bLeftPart = m_rules->FrontSide();
        m_sideSwitch.SubclassDlgItem(IDC_WIZARD_SIDE, this);
        for (auto [button, id] : {std::pair{&m_save, IDOK}, std::pair{&m_cancel, IDCANCEL},
                                  std::pair{&m_printTest, IDC_WIZARD_PRINT_TEST}})
        {
            button->SubclassDlgItem(id, this);
            button->BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        }
        for (size_t i = 0; i < m_captions.size(); ++i)
            m_captions[i].SubclassDlgItem(kCaptionIds[i], this);

        m_name.SetWindowText(m_rules->Paper().m_strName);
        const bool jewel = m_rules->IsJewelCase();
        for (const ValueControls& value : kValues)
        {
            if (value.jewelCaption)
                ::SetDlgItemTextA(m_hWnd, value.caption, jewel ? value.jewelCaption : value.discCaption);
            else
            {
                ::SetDlgItemTextA(m_hWnd, value.caption, value.discCaption);
                for (int id : {value.edit, value.spin, value.caption})
                    Show(m_hWnd, id, !jewel);
            }
        }
        ShowValues();
        UpdatePage();
        m_name.SetFocus();
        return FALSE;
    });
}

void CAlignWizardDlg::FillCustomProducts()
{
    Guarded(546, ErrorSink::Window(this), [&] {
        m_rules->Paper().m_strName = "Custom";
        m_rules->Paper().m_strName = NewCustomTemplateName(m_host.PaperTemplates(), m_rules->Paper().m_nType);
    });
}

void CAlignWizardDlg::ShowValues()
{
    Guarded(531, ErrorSink::Window(this), [&] {
        for (size_t i = 0; i < m_values.size(); ++i)
            m_values[i].SetWindowText(m_rules->ValueText(kValues[i].which));
    });
}

void CAlignWizardDlg::UpdatePage()
{
    Guarded(544, ErrorSink::Window(this), [&] {
        const AlignWizardRules& rules = *m_rules;
        SetWindowText(rules.Caption());
        m_paperSize.ResetContent();
        if (rules.Inches())
        {
            m_paperSize.AddString("Letter - (8.5 '' x 11 '')");
            m_paperSize.AddString("A4 - (8.27 '' x 11.69 '')");
        }
        else
        {
            m_paperSize.AddString("Letter - (216mm x 279mm)");
            m_paperSize.AddString("A4 - (210mm x 297mm)");
        }
        m_paperSize.SetCurSel(rules.PaperSizeEntry());
        const SIZE sheet = rules.ShownSheet();
        m_orientation.SetCurSel(sheet.cy < sheet.cx ? 1 : 0);
        m_folded.SetCurSel(rules.Paper().m_nFolded != 0 ? 1 : 0);
        m_pages.SetCurSel(rules.Paper().m_nPage2 == 3 ? 1 : 0);

        const bool jewel = rules.IsJewelCase();
        const bool twoSheets = jewel && !rules.CoversShareASheet();
        for (int id : {IDC_WIZARD_PAGES, IDC_WIZARD_PAGES_CAPTION, IDC_WIZARD_FOLDED, IDC_WIZARD_FOLDED_CAPTION})
            Show(m_hWnd, id, jewel);
        Show(m_hWnd, IDC_WIZARD_SIDE, twoSheets);
        m_sideSwitch.m_bLeftPart = rules.FrontSide();
        m_sideSwitch.Invalidate();
        // On two sheets only the part on the shown sheet can be placed.
        const bool front = rules.FrontSide();
        for (const ValueControls& value : kValues)
        {
            if (!value.jewelCaption || !jewel)
                continue;
            const bool frontPart = value.which == WizardValue::Left1 || value.which == WizardValue::Top1;
            const bool shown = !twoSheets || frontPart == front;
            for (int id : {value.edit, value.spin, value.caption})
                Show(m_hWnd, id, shown);
        }
        m_preview.UpdateLayout(twoSheets ? kPreviewTopWithSwitch : kPreviewTop, kPreviewLeft);
    });
}

void CAlignWizardDlg::OnImageListButtonClicked()
{
    m_rules->SetFrontSide(m_sideSwitch.m_bLeftPart);
    UpdatePage();
}

void CAlignWizardDlg::ReadEdit(int controlId)
{
    Guarded(548, ErrorSink::Window(this), [&] {
        const CString text = DlgItemTextOf(m_hWnd, controlId);
        if (controlId == IDC_WIZARD_NAME)
        {
            m_rules->Paper().m_strName = text;
            m_preview.Invalidate();
            return;
        }
        const ValueControls* value = ControlsOfEdit(controlId);
        if (!value)
            return;
        m_rules->ReadValueText(value->which, text);
        m_values[static_cast<size_t>(value - kValues)].SetWindowText(m_rules->ValueText(value->which));
        m_preview.Invalidate();
    });
}

BOOL CAlignWizardDlg::PreTranslateMessage(MSG* msg)
{
    const std::optional<BOOL> handled = Guarded(547, ErrorSink::Window(this), std::optional<BOOL>(),
                                                [&]() -> std::optional<BOOL> {
        if (msg->message != WM_KEYDOWN)
            return std::nullopt;
        if (msg->wParam == VK_RETURN)
        {
            // Enter commits the edit with the focus instead of saving.
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(m_hWnd, focus))
                ReadEdit(::GetDlgCtrlID(focus));
            return TRUE;
        }
        if (msg->wParam == VK_UP || msg->wParam == VK_DOWN)
            return TRUE;
        return std::nullopt;
    });
    if (handled)
        return *handled;
    return CNewDialog::PreTranslateMessage(msg);
}

void CAlignWizardDlg::OnSelChangeUnits()
{
    Guarded(530, ErrorSink::Window(this), [&] {
        const bool inches = m_units.GetCurSel() != 1;
        m_rules->SetInches(inches);
        m_host.SetUnits(inches ? "Inches" : "Millimeters");
        ShowValues();
        UpdatePage();
    });
}

void CAlignWizardDlg::OnSelChangeCombo1200()
{
    Guarded(539, ErrorSink::Window(this), [&] {
        m_rules->ChoosePaperSize(m_paperSize.GetCurSel() == 1 ? 1 : 0);
        UpdatePage();
    });
}

void CAlignWizardDlg::OnSelChangeCombo1205()
{
    Guarded(542, ErrorSink::Window(this), [&] {
        if (!m_rules->ChoosePages(m_pages.GetCurSel() == 1 ? 2 : 1))
            return;
        ShowValues();
        UpdatePage();
    });
}

void CAlignWizardDlg::OnSelChangeCombo1176()
{
    Guarded(540, ErrorSink::Window(this), [&] {
        m_rules->ChooseOrientation(m_orientation.GetCurSel() == 1);
        UpdatePage();
    });
}

void CAlignWizardDlg::OnSelChangeCombo1178()
{
    Guarded(543, ErrorSink::Window(this), [&] {
        m_rules->ChooseFolded(m_folded.GetCurSel() == 1);
        ShowValues();  // the cover may have moved to stay on its sheet
        m_preview.Invalidate();
    });
}

void CAlignWizardDlg::OnDeltaPos(UINT id, NMHDR* header, LRESULT* result)
{
    const ValueControls* value = ControlsOfSpin(static_cast<int>(id));
    if (!value)
        return;
    Guarded(value->spinError, ErrorSink::Window(this), [&] {
        const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
        m_rules->Spin(value->which, change->iDelta);
        m_values[static_cast<size_t>(value - kValues)].SetWindowText(m_rules->ValueText(value->which));
        m_preview.Invalidate();
    });
    if (result)
        *result = 0;
}

void CAlignWizardDlg::OnKillFocusValue(UINT id)
{
    const ValueControls* value = ControlsOfEdit(static_cast<int>(id));
    Guarded(value ? value->killFocusError : 548, ErrorSink::Window(this), [&] { ReadEdit(static_cast<int>(id)); });
}

void CAlignWizardDlg::OnKillFocusName()
{
    Guarded(555, ErrorSink::Window(this), [&] { ReadEdit(IDC_WIZARD_NAME); });
}

void CAlignWizardDlg::OnPrintTest()
{
    Guarded(570, ErrorSink::Window(this), [&] {
        // What is typed but not yet committed is printed too.
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(m_hWnd, focus))
            ReadEdit(::GetDlgCtrlID(focus));
        m_host.PrintTestSheet(PaperTestSheet(m_rules->Paper(), m_rules->FrontSide()));
    });
}

void CAlignWizardDlg::OnOK()
{
    Guarded(541, ErrorSink::Window(this), [&] {
        // What is typed but not yet committed counts.
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(m_hWnd, focus))
            ReadEdit(::GetDlgCtrlID(focus));
        auto& papers = m_host.PaperTemplates();
        const CLabelDim& copy = m_rules->Paper();
        if (m_mode == kNew)
        {
            papers.push_back(std::make_unique<CLabelDim>(copy));
        }
        else
        {
            CLabelDim& target = *papers[static_cast<size_t>(m_templateIndex)];
            const int type = target.m_nType;
            target = copy;
            target.m_nType = type;
        }
        m_host.SaveLabelTemplates();
        const bool inUse = (m_mode == kEdit && m_templateIndex == m_host.DiscTemplateChoice()) ||
                           m_templateIndex == m_host.JewelTemplateChoice();
        if (inUse)
            m_host.RefreshAllParts();
        EndDialog(IDOK);
    });
}

BOOL CAlignWizardDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(527, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

void CAlignWizardDlg::OnDestroy()
{
    Guarded(545, ErrorSink::Window(this), [&] {
        if (m_windowIcon.IsValid())
        {
            SetIcon(nullptr, FALSE);
            m_windowIcon.Reset();
        }
        m_preview.m_pRules = nullptr;
    });
    CNewDialog::OnDestroy();
}
