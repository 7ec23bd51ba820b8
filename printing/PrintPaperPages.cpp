#include "printing/PrintPaperPages.h"

#include "framework/Gdi.h"
#include "framework/Module.h"
#include "label/LabelDim.h"
#include "printing/SheetPreview.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace
{
constexpr COLORREF kPreviewGround = RGB(0x80, 0x80, 0x80);
// Where the first disc's design goes on the Disc page's preview.
constexpr COLORREF kChosenDisc = RGB(0x40, 0x80, 0xC0);
constexpr int kPreviewMargin = 2;

bool IsChecked(HWND page, int id)
{
    return ::IsDlgButtonChecked(page, id) == BST_CHECKED;
}
}  // namespace

// ---- one page ------------------------------------------------------------------

bool CPrintPaperPage::Create(HWND tabControl)
{
    static const int kTemplates[] = {IDD_PRINT_FRONT_PAGE, IDD_PRINT_BACK_PAGE, IDD_PRINT_DISC_PAGE};
    m_hWnd = ::CreateDialogParamA(GetResourceHandle(), MAKEINTRESOURCEA(kTemplates[m_kind]), tabControl,
                                  &CPrintPaperPage::PageProc, reinterpret_cast<LPARAM>(this));
    return m_hWnd != nullptr;
}

INT_PTR CALLBACK CPrintPaperPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CPrintPaperPage*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->m_hWnd = window;
        self->OnInitDialog();
        return TRUE;
    }
    auto* self = reinterpret_cast<CPrintPaperPage*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (!self)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        self->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        if (wParam == IDC_PAPER_PREVIEW) {
            self->DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        ::SetWindowLongPtrA(window, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

void CPrintPaperPage::OnInitDialog()
{
    // The page fills the tab's display area.
    const HWND tab = ::GetParent(m_hWnd);
    RECT area{};
    ::GetClientRect(tab, &area);
    ::SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    ::SetWindowPos(m_hWnd, nullptr, area.left - 2, area.top - 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    const IPrintDialogTarget& target = m_tab.Target();
    const int kind = m_kind == Disc ? CLabelDim::kDiscLabels : CLabelDim::kJewelCase;
    const int current = m_kind == Disc ? target.DiscTemplate() : target.JewelTemplate();
    const HWND list = ::GetDlgItem(m_hWnd, IDC_PAPER_LIST);
    for (int index = 0; index < target.PaperCount(); ++index) {
        const CLabelDim* paper = target.Paper(index);
        if (!paper || paper->m_nType != kind)
            continue;
        const LRESULT item = ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paper->m_strName.c_str()));
        if (item < 0)
            continue;
        ::SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(item), index);
    }
    SelectPaper(current);

    if (m_kind != Disc || target.IsDoubleLayout())
        return;
    // Only one disc: it may go to the upper or the lower place, or to both.
    for (const int id : {IDC_PAPER_POSITION_GROUP, IDC_PAPER_TOP, IDC_PAPER_BOTTOM, IDC_PAPER_DUPLICATE})
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_SHOW);
    ::CheckRadioButton(m_hWnd, IDC_PAPER_TOP, IDC_PAPER_DUPLICATE,
                       target.LabelPosition() == "Top" ? IDC_PAPER_TOP : IDC_PAPER_BOTTOM);
}

void CPrintPaperPage::OnCommand(int id, int code)
{
    if (id == IDC_PAPER_LIST && code == CBN_SELCHANGE) {
        if (m_kind != Disc)
            m_tab.OnCoverPaperChosen(m_kind);
        RefreshPreview();
    } else if ((id == IDC_PAPER_TOP || id == IDC_PAPER_BOTTOM || id == IDC_PAPER_DUPLICATE) && code == BN_CLICKED) {
        RefreshPreview();
    }
}

int CPrintPaperPage::SelectedPaper() const
{
    const HWND list = ::GetDlgItem(m_hWnd, IDC_PAPER_LIST);
    const LRESULT item = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (item < 0)
        return -1;
    return static_cast<int>(::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(item), 0));
}

void CPrintPaperPage::SelectPaper(int templateIndex)
{
    const HWND list = ::GetDlgItem(m_hWnd, IDC_PAPER_LIST);
    const LRESULT count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        if (::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(item), 0) == templateIndex) {
            ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
            return;
        }
    }
}

DiscPosition CPrintPaperPage::Position() const
{
    if (m_kind != Disc || m_tab.Target().IsDoubleLayout())
        return DiscPosition::Unchanged;
    if (IsChecked(m_hWnd, IDC_PAPER_DUPLICATE))
        return DiscPosition::Both;
    if (IsChecked(m_hWnd, IDC_PAPER_TOP))
        return DiscPosition::Top;
    if (IsChecked(m_hWnd, IDC_PAPER_BOTTOM))
        return DiscPosition::Bottom;
    return DiscPosition::Unchanged;
}

void CPrintPaperPage::RefreshPreview() const
{
    if (const HWND preview = ::GetDlgItem(m_hWnd, IDC_PAPER_PREVIEW))
        ::InvalidateRect(preview, nullptr, FALSE);
}

int CPrintPaperPage::SheetOf(const CLabelDim& paper) const
{
    return m_kind == Back && paper.m_nPage2 != paper.m_nPage1 ? 2 : 1;
}

void CPrintPaperPage::DrawPreview(const DRAWITEMSTRUCT& item) const
{
    const HDC dc = item.hDC;
    const RECT& box = item.rcItem;
    const SIZE size{box.right - box.left, box.bottom - box.top};
    auto paintBox = [](HDC target, const RECT& rect) {
        CBrush ground;
        ground.CreateSolidBrush(kPreviewGround);
        ::FillRect(target, &rect, ground);
        ::FrameRect(target, &rect, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    };
    const IPrintDialogTarget& target = m_tab.Target();
    const CLabelDim* paper = target.Paper(SelectedPaper());
    if (!paper) {
        paintBox(dc, box);
        return;
    }
    const int sheet = SheetOf(*paper);
    const SIZE dpi = target.ScreenDpi();
    DrawSheetPreview(dc, *paper, sheet, size, dpi, kPreviewMargin, paintBox);
    if (m_kind != Disc)
        return;

    // The places the first disc's design will take, filled.
    const SheetPreviewPlacement placement = PlaceSheetPreview(*paper, sheet, size, dpi, kPreviewMargin);
    const CLabelDim scaled = ScaledTemplate(*paper, dpi, placement.scale);
    const DiscPosition position = Position();
    const bool twoDiscs = target.IsDoubleLayout();
    const CString labelPosition = target.LabelPosition();
    const bool upper = twoDiscs ? labelPosition != "Bottom"
                                : position == DiscPosition::Top || position == DiscPosition::Both;
    const bool lower = twoDiscs ? labelPosition == "Bottom"
                                : position == DiscPosition::Bottom || position == DiscPosition::Both;
    CBrush chosen;
    chosen.CreateSolidBrush(kChosenDisc);
    CSelectGuard brushGuard(dc, chosen);
    CSelectGuard penGuard(dc, ::GetStockObject(BLACK_PEN));
    auto fillDisc = [&](int left, int top, int diameter, int hole) {
        const int x = box.left + placement.sheet.left + left;
        const int y = box.top + placement.sheet.top + top;
        ::Ellipse(dc, x, y, x + diameter, y + diameter);
        const int inset = diameter / 2 - hole / 2;
        CSelectGuard white(dc, ::GetStockObject(WHITE_BRUSH));
        ::Ellipse(dc, x + inset, y + inset, x + inset + hole, y + inset + hole);
    };
    if (upper)
        fillDisc(scaled.m_nLeft1, scaled.m_nTop1, scaled.m_nWidth1, scaled.m_nHeight1);
    if (lower)
        fillDisc(scaled.m_nLeft2, scaled.m_nTop2, scaled.m_nWidth2, scaled.m_nHeight2);
}

// ---- the tab -----------------------------------------------------------------------

CPrintPageTab::CPrintPageTab(IPrintDialogTarget& target, std::function<void()> recount)
    : m_target(target),
      m_recount(std::move(recount)),
      m_pages{{CPrintPaperPage(*this, CPrintPaperPage::Front), CPrintPaperPage(*this, CPrintPaperPage::Back),
               CPrintPaperPage(*this, CPrintPaperPage::Disc)}}
{
}

void CPrintPageTab::Attach(HWND tabControl)
{
    m_hTab = tabControl;
    const char* const captions[] = {"Front", "Back", "Disc"};
    for (int index = 0; index < 3; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[index]);
        ::SendMessageA(tabControl, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(tabControl, TCM_SETCURSEL, 2, 0);
    for (CPrintPaperPage& page : m_pages)
        page.Create(tabControl);
    OnSelChange();
}

void CPrintPageTab::OnSelChange()
{
    if (!m_hTab)
        return;
    const LRESULT selected = ::SendMessageA(m_hTab, TCM_GETCURSEL, 0, 0);
    for (const CPrintPaperPage& page : m_pages) {
        if (page.Window())
            ::ShowWindow(page.Window(), page.PageKind() == selected ? SW_SHOW : SW_HIDE);
    }
}

void CPrintPageTab::OnCoverPaperChosen(CPrintPaperPage::Kind chosenOn)
{
    CPrintPaperPage& other = Page(chosenOn == CPrintPaperPage::Front ? CPrintPaperPage::Back : CPrintPaperPage::Front);
    other.SelectPaper(Page(chosenOn).SelectedPaper());
    other.RefreshPreview();
    if (m_recount)
        m_recount();
}

PrintPaperChoice CPrintPageTab::Choice() const
{
    PrintPaperChoice choice;
    choice.discTemplate = Page(CPrintPaperPage::Disc).SelectedPaper();
    choice.jewelTemplate = Page(CPrintPaperPage::Front).SelectedPaper();
    choice.position = Page(CPrintPaperPage::Disc).Position();
    return choice;
}
