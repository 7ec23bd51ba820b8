#include "printing/PrintDlg.h"

#include "framework/ErrorReport.h"
#include "framework/Module.h"
#include "framework/WindowTexts.h"
#include "label/LabelDim.h"
#include "resources/resource.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

IMPLEMENT_DYNAMIC(CPrintDlg, CPrintDialog)

BEGIN_COMMAND_MAP(CPrintDlg, CPrintDialog)
    ON_CMD(IDC_PRINT_FRONT, OnPrintFront)
    ON_CMD(IDC_PRINT_BACK, OnPrintBack)
    ON_CMD(IDC_PRINT_DISC1, OnPrintDisc1)
    ON_CMD(IDC_PRINT_DISC2, OnPrintDisc2)
    ON_CMD(IDOK, OnOK)
    ON_CMD(IDCANCEL, OnCancelButton)
    ON_CTL(EN_KILLFOCUS, IDC_PRINT_OFFSET_X, OnKillFocusHorizontal)
    ON_CTL(EN_KILLFOCUS, IDC_PRINT_OFFSET_Y, OnKillFocusVertical)
    ON_CTL(EN_UPDATE, IDC_PRINT_OFFSET_X, OnUpdateHorizontal)
    ON_CTL(EN_UPDATE, IDC_PRINT_OFFSET_Y, OnUpdateVertical)
    ON_CTL(EN_CHANGE, IDC_PRINT_COPIES, OnChangeCopies)
    ON_CTL(CBN_CLOSEUP, IDC_PRINT_PRINTER_LIST, OnCloseUpPrinter)
    ON_CTL(CBN_SELCHANGE, IDC_PRINT_PRINTER_LIST, OnSelChangePrinter)
    ON_CMD(IDC_PRINT_COLLATE, OnCollate)
    ON_CMD(IDC_PRINT_SELECT_PAPER, OnSelectPaper)
END_COMMAND_MAP()

namespace
{
int ReadNumber(HWND dialog, int id)
{
    return std::atoi(DlgItemTextOf(dialog, id));
}

void ShowControl(HWND dialog, int id, bool show)
{
    if (HWND control = ::GetDlgItem(dialog, id))
        ::ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}
}  // namespace

CPrintDlg::CPrintDlg(IPrintDialogTarget& target, BOOL printSetupOnly, DWORD flags, CWnd* parent)
    : CPrintDialog(printSetupOnly, flags, parent), m_target(target), m_tabPaper(target, [this] { UpdatePageCount(); })
{
    Guarded(320, ErrorSink::App(), [&] {
        m_pd.hInstance = GetResourceHandle();
        m_pd.lpPrintTemplateName = MAKEINTRESOURCEA(IDD_PRINT);
        m_pd.nFromPage = 1;
        m_pd.nToPage = 3;
        m_pd.nMinPage = 1;
        m_pd.nMaxPage = 3;
        m_pd.nCopies = 1;
        m_target.SetPage2AsPage3(false);
    });
}

BOOL CPrintDlg::OnInitDialog()
{
    m_bBusy = true;
    CPrintDialog::OnInitDialog();
    const HWND dialog = m_hWnd;
    if (const CUiResources* resources = UiResources()) {
        const CImageList& images = resources->MenuImages();
        if (images.GetImageCount() > MENU_IMAGE_DIALOG_ICON) {
            m_windowIcon.Reset(images.ExtractIcon(MENU_IMAGE_DIALOG_ICON));
            ::SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_windowIcon.Get()));
        }
    }
    const bool calibration = m_target.IsCalibrationMode();
    ShowControl(dialog, IDC_PRINT_PAPER_TAB, !calibration);
    if (!calibration && m_target.PaperCount() > 0) {
        if (HWND tab = ::GetDlgItem(dialog, IDC_PRINT_PAPER_TAB))
            m_tabPaper.AttachTo(tab);
    }
    if (calibration) {
        if (HWND copies = ::GetDlgItem(dialog, IDC_PRINT_COPIES))
            ::EnableWindow(copies, FALSE);
    }
    AttachControls();
    ::SetDlgItemTextA(dialog, IDC_PRINT_DISC_PAPER_NAME, m_target.DiscPaperName().c_str());
    ::SetDlgItemTextA(dialog, IDC_PRINT_COVER_PAPER_NAME, m_target.CoverPaperName().c_str());
    FollowCollate();

    PlacePartButtons();
    const bool twoDiscs = m_target.IsDoubleLayout() && !calibration;
    ::CheckDlgButton(dialog, IDC_PRINT_FRONT, m_target.IsPartPrinted(PrintPart::Front) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(dialog, IDC_PRINT_BACK, m_target.IsPartPrinted(PrintPart::Back) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(dialog, IDC_PRINT_DISC1, m_target.IsPartPrinted(PrintPart::Disc1) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(dialog, IDC_PRINT_DISC2,
                     twoDiscs && m_target.IsPartPrinted(PrintPart::Disc2) ? BST_CHECKED : BST_UNCHECKED);

    if (calibration) {
        ::SetDlgItemTextA(dialog, IDC_PRINT_PARTS_GROUP, "Select a calibration sheet to print");
        for (const int id : {IDC_PRINT_OFFSET_GROUP, IDC_PRINT_OFFSET_X_CAPTION, IDC_PRINT_OFFSET_Y_CAPTION,
                             IDC_PRINT_OFFSET_X, IDC_PRINT_OFFSET_Y, IDC_PRINT_OFFSET_X_SPIN, IDC_PRINT_OFFSET_Y_SPIN,
                             IDC_PRINT_CALIBRATION_TEXT})
            ShowControl(dialog, id, true);
        const POINT offset = m_target.PrintOffset();
        for (const auto& [field, spin, value] :
             {std::tuple{IDC_PRINT_OFFSET_X, IDC_PRINT_OFFSET_X_SPIN, offset.x},
              std::tuple{IDC_PRINT_OFFSET_Y, IDC_PRINT_OFFSET_Y_SPIN, offset.y}}) {
            ::SendDlgItemMessageA(dialog, field, EM_LIMITTEXT, 3, 0);
            ::SendDlgItemMessageA(dialog, spin, UDM_SETRANGE32, static_cast<WPARAM>(-kMaxOffset), kMaxOffset);
            ::SetDlgItemTextA(dialog, field, std::to_string(value).c_str());
        }
        // The Print button says what it prints, widened to its words.
        static const char kCalibrationCaption[] = "Print Calibration Sheet";
        if (HWND print = ::GetDlgItem(dialog, IDOK)) {
            RECT rect{};
            ::GetWindowRect(print, &rect);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
            SIZE text{};
            if (HDC dc = ::GetDC(::GetDlgItem(dialog, IDCANCEL))) {
                ::GetTextExtentPoint32A(dc, kCalibrationCaption, sizeof kCalibrationCaption - 1, &text);
                ::ReleaseDC(::GetDlgItem(dialog, IDCANCEL), dc);
            }
            const int width = text.cx + 16;
            ::MoveWindow(print, rect.right - width, rect.top, width, rect.bottom - rect.top, TRUE);
            ::SetWindowTextA(print, kCalibrationCaption);
        }
        ::SetWindowTextA(dialog, " Printer Calibration");
    }

    UpdatePageCount();
    ::SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(-1), 0);
    m_bBusy = false;
    if (HWND print = ::GetDlgItem(dialog, IDOK))
        ::SetFocus(print);
    return FALSE;
}

void CPrintDlg::AttachControls()
{
    static const int kButtons[] = {IDOK,           IDCANCEL,        IDC_PRINT_FRONT,      IDC_PRINT_BACK,
                                   IDC_PRINT_DISC1, IDC_PRINT_DISC2, IDC_PRINT_PROPERTIES, IDC_PRINT_SELECT_PAPER};
    static const int kTexts[] = {IDC_PRINT_COPIES_LABEL, IDC_PRINT_NAME_LABEL,    IDC_PRINT_TYPE_LABEL,
                                 IDC_PRINT_STATUS_LABEL, IDC_PRINT_COMMENT_LABEL, IDC_PRINT_WHERE_LABEL,
                                 IDC_PRINT_TYPE,         IDC_PRINT_STATUS,        IDC_PRINT_COMMENT,
                                 IDC_PRINT_WHERE,        IDC_PRINT_OFFSET_X_CAPTION, IDC_PRINT_OFFSET_Y_CAPTION,
                                 IDC_PRINT_COPIES_CAPTION};
    static const int kCaptions[] = {IDC_PRINT_DISC_PAPER_CAPTION, IDC_PRINT_COVER_PAPER_CAPTION, IDC_PRINT_PAGE_TOTAL,
                                    IDC_PRINT_CALIBRATION_TEXT};
    static const struct
    {
        int id;
        bool extraLine;
    } kFrames[] = {{IDC_PRINT_PRINTER_GROUP, true},
                   {IDC_PRINT_PARTS_GROUP, true},
                   {IDC_PRINT_PAPER_GROUP, false},
                   {IDC_PRINT_OFFSET_GROUP, true},
                   {IDC_PRINT_COPIES_GROUP, true}};
    for (size_t i = 0; i < m_frames.size(); ++i) {
        m_frames[i].extraLine = kFrames[i].extraLine;
        m_frames[i].SubclassDlgItem(kFrames[i].id, this);
    }
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i].SubclassDlgItem(kButtons[i], this))
            m_buttons[i].BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
    }
    if (const CUiResources* resources = UiResources()) {
        const CImageList& images = resources->MenuImages();
        if (images.GetImageCount() > MENU_IMAGE_PRINT)
            m_buttons[0].SetIconHandles(images.ExtractIcon(MENU_IMAGE_PRINT), nullptr);
    }
    m_collate.paintAppBackground = true;
    m_collate.SubclassDlgItem(IDC_PRINT_COLLATE, this);
    m_collatePicture.SubclassDlgItem(IDC_PRINT_COLLATE_PICTURE, this);
    for (size_t i = 0; i < std::size(kTexts) && i < m_texts.size(); ++i)
        m_texts[i].SubclassDlgItem(kTexts[i], this);
    for (size_t i = 0; i < m_captions.size(); ++i)
        m_captions[i].SubclassDlgItem(kCaptions[i], this);
    const int names[] = {IDC_PRINT_DISC_PAPER_NAME, IDC_PRINT_COVER_PAPER_NAME};
    for (size_t i = 0; i < m_paperNames.size(); ++i) {
        if (m_paperNames[i].SubclassDlgItem(names[i], this)) {
            m_paperNames[i].m_nDisplayMode = 4;
            m_paperNames[i].EnableWindow(FALSE);
        }
    }
}

void CPrintDlg::FollowCollate()
{
    m_collatePicture.m_bPictureSelector = ::IsDlgButtonChecked(m_hWnd, IDC_PRINT_COLLATE) == BST_CHECKED;
    if (m_collatePicture.m_hWnd)
        m_collatePicture.Invalidate();
}

void CPrintDlg::PlacePartButtons()
{
    const HWND dialog = m_hWnd;
    const HWND group = ::GetDlgItem(dialog, IDC_PRINT_PARTS_GROUP);
    const HWND front = ::GetDlgItem(dialog, IDC_PRINT_FRONT);
    if (!group || !front)
        return;
    RECT groupRect{};
    ::GetWindowRect(group, &groupRect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&groupRect), 2);
    RECT buttonRect{};
    ::GetWindowRect(front, &buttonRect);
    const int buttonWidth = buttonRect.right - buttonRect.left;
    const int buttonHeight = buttonRect.bottom - buttonRect.top;
    const int groupWidth = groupRect.right - groupRect.left;
    const int groupHeight = groupRect.bottom - groupRect.top;
    const int top = groupRect.top + (groupHeight / 2 - buttonHeight / 2) + 5;

    const bool fourButtons = m_target.IsDoubleLayout() && !m_target.IsCalibrationMode();
    if (!fourButtons) {
        // Without its button the second disc counts for nothing in this job;
        // the user's choice for it stays as it is for a label with two discs.
        ShowControl(dialog, IDC_PRINT_DISC2, false);
        // The disc sheet of a calibration job outlines the first disc only.
        if (m_target.IsCalibrationMode())
            m_target.SetPartPrinted(PrintPart::Disc2, false);
    }
    const int count = fourButtons ? 4 : 3;
    const int gap = (groupWidth - count * buttonWidth) / (count + 1);
    int x = groupRect.left + gap;
    const int ids[] = {IDC_PRINT_FRONT, IDC_PRINT_BACK, IDC_PRINT_DISC1, IDC_PRINT_DISC2};
    for (int index = 0; index < count; ++index) {
        if (HWND button = ::GetDlgItem(dialog, ids[index]))
            ::MoveWindow(button, x, top, buttonWidth, buttonHeight, TRUE);
        x += buttonWidth + gap;
    }
}

BOOL CPrintDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_PRINT_PAPER_TAB && header->code == TCN_SELCHANGE) {
        m_tabPaper.OnSelChange();
        return TRUE;
    }
    return CPrintDialog::OnNotify(wParam, lParam, result);
}

int CPrintDlg::BackCoverPage() const
{
    if (m_tabPaper.IsAttached()) {
        if (const CLabelDim* cover = m_target.Paper(m_tabPaper.Page(CPrintPaperPage::Back).SelectedPaper()))
            return cover->m_nPage2 == 2 ? 2 : 3;
    }
    return m_target.BackCoverPage();
}

bool CPrintDlg::IsChecked(int buttonId) const
{
    return ::IsDlgButtonChecked(m_hWnd, buttonId) == BST_CHECKED;
}

PrintPageRange CPrintDlg::UpdatePageCount()
{
    return Guarded(330, ErrorSink::App(), PrintPageRange{}, [&]() -> PrintPageRange {
        PrintParts parts;
        parts.front = IsChecked(IDC_PRINT_FRONT);
        parts.back = IsChecked(IDC_PRINT_BACK);
        parts.disc1 = IsChecked(IDC_PRINT_DISC1);
        parts.disc2 = IsChecked(IDC_PRINT_DISC2);
        parts.doubleLayout = m_target.IsDoubleLayout() && !m_target.IsCalibrationMode();
        parts.backCoverPage = BackCoverPage();
        const PrintPageRange range = ComputePrintPageRange(parts);
        m_target.SetPage2AsPage3(range.page2AsPage3);

        const HWND dialog = m_hWnd;
        const bool busy = m_bBusy;
        m_bBusy = true;
        ::SetDlgItemInt(dialog, IDC_PRINT_FROM_PAGE, static_cast<UINT>(range.from), FALSE);
        ::SetDlgItemInt(dialog, IDC_PRINT_TO_PAGE, static_cast<UINT>(range.to), FALSE);
        // The common dialog prints the page fields only with "Pages" chosen.
        ::CheckRadioButton(dialog, IDC_PRINT_ALL, IDC_PRINT_PAGES, IDC_PRINT_PAGES);
        m_bBusy = busy;
        const int copies = std::max(1, ReadNumber(dialog, IDC_PRINT_COPIES));
        const int total = TotalPrintedPages(range, copies);
        ::SetDlgItemTextA(dialog, IDC_PRINT_PAGE_TOTAL, ("Total pages to print: " + std::to_string(total)).c_str());
        if (HWND totalText = ::GetDlgItem(dialog, IDC_PRINT_PAGE_TOTAL))
            ::InvalidateRect(totalText, nullptr, TRUE);
        return range;
    });
}

void CPrintDlg::TogglePart(PrintPart part, int buttonId, int errorNumber)
{
    Guarded(errorNumber, ErrorSink::App(), [&] {
        m_target.SetPartPrinted(part, IsChecked(buttonId));
        UpdatePageCount();
    });
}

void CPrintDlg::OnPrintFront()
{
    TogglePart(PrintPart::Front, IDC_PRINT_FRONT, 322);
}

void CPrintDlg::OnPrintBack()
{
    TogglePart(PrintPart::Back, IDC_PRINT_BACK, 323);
}

void CPrintDlg::OnPrintDisc1()
{
    TogglePart(PrintPart::Disc1, IDC_PRINT_DISC1, 324);
}

void CPrintDlg::OnPrintDisc2()
{
    TogglePart(PrintPart::Disc2, IDC_PRINT_DISC2, 325);
}

int CPrintDlg::ClampOffsetField(int fieldId, int errorNumber)
{
    return Guarded(errorNumber, ErrorSink::App(), 0, [&]() -> int {
        const int typed = ReadNumber(m_hWnd, fieldId);
        const int value = std::clamp(typed, -kMaxOffset, kMaxOffset);
        if (std::to_string(value) != DlgItemTextOf(m_hWnd, fieldId).c_str()) {
            const bool busy = m_bBusy;
            m_bBusy = true;
            ::SetDlgItemTextA(m_hWnd, fieldId, std::to_string(value).c_str());
            m_bBusy = busy;
        }
        return value;
    });
}

void CPrintDlg::FilterOffsetField(int fieldId, int errorNumber)
{
    Guarded(errorNumber, ErrorSink::App(), [&] {
        if (m_bBusy)
            return;
        const CString text = DlgItemTextOf(m_hWnd, fieldId);
        std::string kept;
        for (const char* at = text; *at; ++at)
            if ((*at >= '0' && *at <= '9') || *at == '-')
                kept += *at;
        if (kept != text.c_str()) {
            m_bBusy = true;
            ::SetDlgItemTextA(m_hWnd, fieldId, kept.c_str());
            m_bBusy = false;
        }
    });
}

void CPrintDlg::OnKillFocusHorizontal()
{
    if (!m_bBusy)
        ClampOffsetField(IDC_PRINT_OFFSET_X, 332);
}

void CPrintDlg::OnKillFocusVertical()
{
    if (!m_bBusy)
        ClampOffsetField(IDC_PRINT_OFFSET_Y, 333);
}

void CPrintDlg::OnUpdateHorizontal()
{
    FilterOffsetField(IDC_PRINT_OFFSET_X, 335);
}

void CPrintDlg::OnUpdateVertical()
{
    FilterOffsetField(IDC_PRINT_OFFSET_Y, 336);
}

void CPrintDlg::OnChangeCopies()
{
    if (!m_bBusy && !m_target.IsCalibrationMode())
        UpdatePageCount();
}

void CPrintDlg::SavePrintOffset()
{
    Guarded(334, ErrorSink::App(), [&] {
        if (!m_target.IsCalibrationMode() || !m_hWnd)
            return;
        // Clamped here too: an offset typed and confirmed with OK never left its field.
        m_target.SetPrintOffset(POINT{ClampOffsetField(IDC_PRINT_OFFSET_X, 332), ClampOffsetField(IDC_PRINT_OFFSET_Y, 333)});
    });
}

void CPrintDlg::OnOK()
{
    Guarded(331, ErrorSink::App(), [&] {
        // The paper chosen is taken even when nothing is chosen to print on it.
        if (m_tabPaper.IsAttached() && !m_target.IsCalibrationMode()) {
            m_target.ApplyPaperChoice(m_tabPaper.Choice());
            m_target.ShowCurrentSurface();
        }
        const PrintPageRange range = UpdatePageCount();
        if (range.from == 0) {
            // Nothing chosen: there is nothing to print, and the dialog stays.
            m_target.ReportNothingToPrint(m_target.IsCalibrationMode());
            return;
        }
        SavePrintOffset();
        Default();
    });
}

void CPrintDlg::OnCloseUpPrinter()
{
    m_bPrinterListClosed = true;
    Default();
}

void CPrintDlg::OnSelChangePrinter()
{
    // The common dialog takes the new printer first, and enables the copies
    // again; a calibration sheet is printed once.
    Default();
    if (m_target.IsCalibrationMode()) {
        if (HWND copies = ::GetDlgItem(m_hWnd, IDC_PRINT_COPIES))
            ::EnableWindow(copies, FALSE);
    }
}

void CPrintDlg::OnCollate()
{
    Default();
    FollowCollate();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CPrintDlg::OnSelectPaper()
{
    Guarded(573, ErrorSink::Window(this), [&] {
        m_target.ChangeLabelPaper();
        ::SetDlgItemTextA(m_hWnd, IDC_PRINT_DISC_PAPER_NAME, m_target.DiscPaperName().c_str());
        ::SetDlgItemTextA(m_hWnd, IDC_PRINT_COVER_PAPER_NAME, m_target.CoverPaperName().c_str());
    });
}

BOOL CPrintDlg::OnEraseBkgnd(HDC dc)
{
    Guarded(337, ErrorSink::App(), [&] {
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        PaintPanelOnActiveView(dc, client);
    });
    return TRUE;
}

BOOL CPrintDlg::OnSetCursor(HWND window, UINT hitTest, UINT message)
{
    const BOOL handled = CPrintDialog::OnSetCursor(window, hitTest, message);
    Guarded(338, ErrorSink::App(), [&] {
        const int mouseMessage = static_cast<int>(message);
        if (mouseMessage == m_nLastMouseMsg)
            return;
        // The first move after the printer list closed: the list left its
        // drop-down's picture on the dialog.
        if (m_nLastMouseMsg == WM_LBUTTONDOWN && mouseMessage == WM_MOUSEMOVE && m_bPrinterListClosed) {
            ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            FollowCollate();
        }
        m_bPrinterListClosed = false;
        m_nLastMouseMsg = mouseMessage;
    });
    return handled ? handled : TRUE;
}

void CPrintDlg::OnDestroy()
{
    Guarded(508, ErrorSink::Window(this), [&] { m_windowIcon.Reset(); });
    CPrintDialog::OnDestroy();
}

void CPrintDlg::OnCancelButton()
{
    // Cancel keeps nothing of what was typed or chosen.
    m_target.ShowCurrentSurface();
    Default();
}
