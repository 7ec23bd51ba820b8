#include "printing/PrintPaperPages.h"

#include "framework/ErrorReport.h"
#include "framework/Module.h"
#include "label/LabelDim.h"
#include "printing/SheetPreview.h"
#include "resources/resource.h"
#include "uikit/PanelBackground.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

IMPLEMENT_DYNAMIC(CPrintPaperPage, CDialog)
IMPLEMENT_DYNAMIC(CPrintPageTab, CPageTabCtrl)

BEGIN_COMMAND_MAP(CPrintPaperPage, CDialog)
    ON_CTL(CBN_SELCHANGE, IDC_PAPER_LIST, OnSelChangePaper)
    ON_CTL(CBN_DROPDOWN, IDC_PAPER_LIST, OnDropDownPaper)
    ON_CMD(IDC_PAPER_EDIT, OnEdit)
    ON_CMD(IDC_PAPER_TOP, OnTop)
    ON_CMD(IDC_PAPER_BOTTOM, OnBottom)
    ON_CMD(IDC_PAPER_DUPLICATE, OnDuplicate)
END_COMMAND_MAP()

namespace
{
constexpr COLORREF kSheetGround = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The preview is a square this much smaller than the page is high.
constexpr int kPreviewInset = 16;
// Where the preview button stands, and how far right of it the list begins.
constexpr int kPreviewLeft = 8;
constexpr int kListGap = 16;
// Page operations report "Error " without a number of their own.
constexpr int kPageError = 0;

constexpr int kPositionIds[] = {IDC_PAPER_TOP, IDC_PAPER_BOTTOM, IDC_PAPER_DUPLICATE};

// Thousandths of an inch as screen pixels, truncated as the view does.
int ToScreenPixels(int thousandths, int dpi)
{
    return dpi > 0 ? static_cast<int>(thousandths / (1000.0 / dpi)) : 0;
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

RECT ChildRect(HWND parent, HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A circle's clipping region on the device: its square moved past the
// preview's frame and one pixel larger, so the outline drawn later covers the edge.
HRGN CircleRegion(POINT corner, int left, int top, int diameter)
{
    const int x = corner.x + left;
    const int y = corner.y + top;
    return ::CreateEllipticRgn(x, y, x + diameter + 1, y + diameter + 1);
}

// `snapshot` stretched into `box` of the context (in its logical units).
void StretchSnapshot(HDC dc, const CBitmap& snapshot, const RECT& box)
{
    if (!snapshot.IsValid())
        return;
    const SIZE size = snapshot.GetSize();
    CMemoryDC memory(dc);
    CSelectGuard selected(memory, snapshot);
    const int previous = ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, memory, 0, 0, size.cx, size.cy,
                 SRCCOPY);
    ::SetStretchBltMode(dc, previous);
}

void FillBox(HDC dc, const RECT& box, COLORREF color)
{
    CBrush brush;
    brush.CreateSolidBrush(color);
    ::FillRect(dc, &box, brush);
}
}  // namespace

// ---- one page ------------------------------------------------------------------

CPrintPaperPage::CPrintPaperPage(CPrintPageTab& tab, Kind kind) : m_tab(tab), m_kind(kind) {}

bool CPrintPaperPage::CreatePage()
{
    static const UINT kTemplates[] = {IDD_PRINT_FRONT_PAGE, IDD_PRINT_BACK_PAGE, IDD_PRINT_DISC_PAGE};
    return Create(kTemplates[m_kind], &m_tab) != FALSE;
}

BOOL CPrintPaperPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    return Guarded(kPageError, ErrorSink::App(), TRUE, [&]() -> BOOL {
        // The page fills the tab's display area.
        RECT area{};
        m_tab.GetClientRect(&area);
        ::SendMessageA(m_tab.m_hWnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        ::SetWindowPos(m_hWnd, nullptr, area.left - 2, area.top - 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

        m_preview.SubclassDlgItem(IDC_PAPER_PREVIEW, this);
        m_preview.m_bShowPreview = true;
        if (m_edit.SubclassDlgItem(IDC_PAPER_EDIT, this))
            m_edit.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_caption.SubclassDlgItem(IDC_PAPER_CAPTION, this);

        const IPrintDialogTarget& target = m_tab.Target();
        const int kind = m_kind == Disc ? CLabelDim::kDiscLabels : CLabelDim::kJewelCase;
        const HWND list = ::GetDlgItem(m_hWnd, IDC_PAPER_LIST);
        for (int index = 0; index < target.PaperCount(); ++index) {
            const CLabelDim* paper = target.Paper(index);
            if (!paper || paper->m_nType != kind)
                continue;
            const LRESULT item =
                ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paper->m_strName.c_str()));
            if (item >= 0)
                ::SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(item), index);
        }
        SelectPaper(m_kind == Disc ? target.DiscTemplate() : target.JewelTemplate());
        if (m_kind != Disc)
            return TRUE;

        m_strLabelPosition = target.LabelPosition();
        m_positionFrame.SubclassDlgItem(IDC_PAPER_POSITION_GROUP, this);
        for (size_t i = 0; i < m_positions.size(); ++i) {
            m_positions[i].SubclassDlgItem(kPositionIds[i], this);
            m_positions[i].paintAppBackground = true;
        }
        if (target.IsDoubleLayout())
            return TRUE;
        // Only one disc: it may go to the upper or the lower place, or to both.
        for (const int id : {IDC_PAPER_POSITION_GROUP, IDC_PAPER_TOP, IDC_PAPER_BOTTOM, IDC_PAPER_DUPLICATE})
            ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_SHOW);
        ::CheckRadioButton(m_hWnd, IDC_PAPER_TOP, IDC_PAPER_DUPLICATE,
                           m_strLabelPosition == "Top" ? IDC_PAPER_TOP : IDC_PAPER_BOTTOM);
        return TRUE;
    });
}

LRESULT CPrintPaperPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SWATCH_CLICKED) {
        OnPreviewClick(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CPrintPaperPage::OnEraseBkgnd(HDC dc)
{
    Guarded(kPageError, ErrorSink::App(), [&] {
        RECT client{};
        GetClientRect(&client);
        PaintPanelOnActiveView(dc, client);
    });
    return FALSE;
}

void CPrintPaperPage::OnPaint()
{
    CDialog::OnPaint();
    if (m_bLayoutPending)
        LayoutPage();
}

void CPrintPaperPage::OnDestroy()
{
    DropSnapshots();
    CDialog::OnDestroy();
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
    auto checked = [&](int id) { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; };
    if (checked(IDC_PAPER_DUPLICATE))
        return DiscPosition::Both;
    if (checked(IDC_PAPER_TOP))
        return DiscPosition::Top;
    if (checked(IDC_PAPER_BOTTOM))
        return DiscPosition::Bottom;
    return DiscPosition::Unchanged;
}

bool CPrintPaperPage::HasPreview() const
{
    return m_preview.m_pPreview && m_preview.m_pPreview->IsValid();
}

void CPrintPaperPage::SetPreview(CBitmap preview)
{
    m_preview.m_pPreview = std::make_unique<CBitmap>(std::move(preview));
    m_bLayoutPending = true;
}

void CPrintPaperPage::DropPreview()
{
    m_preview.m_pPreview.reset();
}

void CPrintPaperPage::RefreshPreview()
{
    if (m_preview.m_hWnd)
        m_preview.Invalidate(FALSE);
}

void CPrintPaperPage::LayoutPage()
{
    m_bLayoutPending = false;
    if (!HasPreview())
        return;
    const SIZE size = m_preview.m_pPreview->GetSize();
    RECT client{};
    GetClientRect(&client);
    const int clientHeight = client.bottom - client.top;
    const HWND list = ::GetDlgItem(m_hWnd, IDC_PAPER_LIST);
    const RECT listRect = ChildRect(m_hWnd, list);
    const int centred = client.top + (clientHeight - size.cy) / 2;
    const int top = m_kind == Disc ? centred : std::min<int>(listRect.top, centred);
    ::MoveWindow(m_preview.m_hWnd, kPreviewLeft, top, size.cx, size.cy, TRUE);

    const int right = size.cx + kListGap;
    const HWND caption = ::GetDlgItem(m_hWnd, IDC_PAPER_CAPTION);
    const RECT captionRect = ChildRect(m_hWnd, caption);
    ::MoveWindow(caption, right, captionRect.top, captionRect.right - captionRect.left,
                 captionRect.bottom - captionRect.top, TRUE);
    ::MoveWindow(list, right, listRect.top, listRect.right - right, clientHeight, TRUE);
    if (m_kind == Disc) {
        const HWND group = ::GetDlgItem(m_hWnd, IDC_PAPER_POSITION_GROUP);
        const RECT groupRect = ChildRect(m_hWnd, group);
        ::MoveWindow(group, right, groupRect.top, groupRect.right - right, groupRect.bottom - groupRect.top, TRUE);
    }
}

const CBitmap& CPrintPaperPage::MakeSnapshot(int index)
{
    CBitmap& snapshot = m_snapshots[static_cast<size_t>(index == 1 ? 1 : 0)];
    if (snapshot.IsValid())
        return snapshot;
    Surface surface = Surface::FrontCover;
    switch (m_kind) {
    case Front: surface = Surface::FrontCover; break;
    case Back: surface = Surface::BackCover; break;
    case Disc: surface = index == 1 ? Surface::Disc2 : Surface::Disc1; break;
    }
    snapshot = m_tab.Target().MakeDesignSnapshot(surface);
    return snapshot;
}

void CPrintPaperPage::DropSnapshots()
{
    for (CBitmap& snapshot : m_snapshots)
        snapshot.Reset();
}

void CPrintPaperPage::OnSelChangePaper()
{
    Guarded(kPageError, ErrorSink::App(), [&] {
        if (m_kind == Disc)
            DropSnapshots();
        m_tab.RenderPreview(m_kind);
        if (m_kind != Disc)
            m_tab.OnCoverPaperChosen(m_kind);
        LayoutPage();
        RefreshPreview();
        if (m_preview.m_hWnd)
            m_preview.SetFocus();
    });
}

void CPrintPaperPage::OnDropDownPaper()
{
    Guarded(kPageError, ErrorSink::App(), [&] {
        // The list drops as wide as its widest paper name.
        const HWND list = ::GetDlgItem(m_hWnd, IDC_PAPER_LIST);
        CClientDC dc(m_hWnd);
        CSelectGuard font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
        int widest = 0;
        const LRESULT count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
        for (LRESULT item = 0; item < count; ++item) {
            const LRESULT length = ::SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
            if (length <= 0)
                continue;
            std::string text(static_cast<size_t>(length) + 1, '\0');
            ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data()));
            SIZE extent{};
            ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(length), &extent);
            widest = std::max<int>(widest, extent.cx);
        }
        SIZE zero{};
        ::GetTextExtentPoint32A(dc, "0", 1, &zero);
        const int width = widest + ::GetSystemMetrics(SM_CXVSCROLL) + zero.cx + 2;
        ::SendMessageA(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
    });
}

void CPrintPaperPage::OnEdit()
{
    Guarded(kPageError, ErrorSink::App(), [&] {
        const int paper = SelectedPaper();
        if (paper < 0)
            return;
        // The Back page shows the back cover's sheet; the others the first sheet.
        if (!m_tab.Target().EditPaper(paper, m_kind == Back ? 0 : 1))
            return;
        if (m_kind == Disc) {
            DropSnapshots();
            m_tab.RenderPreview(Disc);
        } else {
            m_tab.RenderPreview(Back);
            m_tab.RenderPreview(Front);
        }
        LayoutPage();
        RefreshPreview();
    });
}

void CPrintPaperPage::OnTop()
{
    m_tab.RenderPreview(Disc);
    RefreshPreview();
}

void CPrintPaperPage::OnBottom()
{
    OnTop();
}

void CPrintPaperPage::OnDuplicate()
{
    OnTop();
}

void CPrintPaperPage::OnPreviewClick(POINT point)
{
    Guarded(kPageError, ErrorSink::App(), [&] {
        if (m_kind != Disc)
            return;
        const CLabelDim* paper = m_tab.Target().Paper(SelectedPaper());
        if (!paper)
            return;
        const CLabelDim scaled = m_tab.ScaleTemplate(*paper);
        // The sheet starts inside the preview's one-pixel frame.
        const POINT onSheet{point.x - 1, point.y - 1};
        auto inSquare = [&](int left, int top, int side) {
            return onSheet.x >= left && onSheet.x < left + side && onSheet.y >= top && onSheet.y < top + side;
        };
        int chosen = 0;
        if (inSquare(scaled.m_nLeft1, scaled.m_nTop1, scaled.m_nWidth1))
            chosen = IDC_PAPER_TOP;
        else if (inSquare(scaled.m_nLeft2, scaled.m_nTop2, scaled.m_nWidth2))
            chosen = IDC_PAPER_BOTTOM;
        if (!chosen)
            return;
        ::CheckRadioButton(m_hWnd, IDC_PAPER_TOP, IDC_PAPER_DUPLICATE, chosen);
        m_tab.RenderPreview(Disc);
        RefreshPreview();
    });
}

// ---- the tab -----------------------------------------------------------------------

CPrintPageTab::CPrintPageTab(IPrintDialogTarget& target, std::function<void()> recount)
    : m_target(target),
      m_recount(std::move(recount)),
      m_pages{{{*this, CPrintPaperPage::Front}, {*this, CPrintPaperPage::Back}, {*this, CPrintPaperPage::Disc}}}
{
    SetTabDrawFlag(TRUE, kOwnColorUnselected | kOwnColorAsBase);
}

void CPrintPageTab::AttachTo(HWND tabControl)
{
    if (!SubclassWindow(tabControl))
        return;
    const char* const captions[] = {"Front", "Back", "Disc"};
    for (int index = 0; index < 3; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(captions[index]);
        item.iImage = index;
        ::SendMessageA(m_hWnd, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(m_hWnd, TCM_SETCURSEL, 2, 0);
    CreatePages();
}

void CPrintPageTab::CreatePages()
{
    Page(CPrintPaperPage::Disc).CreatePage();
    Page(CPrintPaperPage::Front).CreatePage();
    Page(CPrintPaperPage::Back).CreatePage();
    OnSelChange();
}

void CPrintPageTab::OnSelChange()
{
    if (!m_hWnd)
        return;
    const LRESULT selected = ::SendMessageA(m_hWnd, TCM_GETCURSEL, 0, 0);
    for (CPrintPaperPage& page : m_pages) {
        if (!page.m_hWnd)
            continue;
        if (page.PageKind() != selected) {
            page.ShowWindow(SW_HIDE);
            continue;
        }
        if (!page.HasPreview())
            RenderPreview(page.PageKind());
        page.ShowWindow(SW_SHOW);
    }
}

void CPrintPageTab::OnDestroy()
{
    for (CPrintPaperPage& page : m_pages) {
        if (!page.m_hWnd)
            continue;
        page.DropSnapshots();
        page.DestroyWindow();
    }
    CPageTabCtrl::OnDestroy();
}

CLabelDim CPrintPageTab::ScaleTemplate(const CLabelDim& paper) const
{
    return ScaledTemplate(paper, m_target.ScreenDpi(), m_fPreviewScale);
}

void CPrintPageTab::RenderPreview(CPrintPaperPage::Kind kind)
{
    Guarded(kPageError, ErrorSink::App(), [&] {
        CPrintPaperPage& page = Page(kind);
        if (!page.m_hWnd)
            return;
        const CLabelDim* paper = m_target.Paper(page.SelectedPaper());
        if (!paper)
            return;
        RECT client{};
        page.GetClientRect(&client);
        const int side = client.bottom - client.top - kPreviewInset;
        const bool ownSheet = kind == CPrintPaperPage::Back && paper->m_nPage1 != paper->m_nPage2;
        const SIZE dpi = m_target.ScreenDpi();
        const int sheetWidth = ToScreenPixels(ownSheet ? paper->m_nSheetWidth2 : paper->m_nSheetWidth1, dpi.cx);
        const int sheetHeight = ToScreenPixels(ownSheet ? paper->m_nSheetHeight2 : paper->m_nSheetHeight1, dpi.cy);
        if (sheetWidth <= 0 || sheetHeight <= 0 || side <= 2)
            return;
        m_fPreviewScale = static_cast<float>(std::max(sheetWidth, sheetHeight)) / static_cast<float>(side - 2);
        const int width = static_cast<int>(sheetWidth / m_fPreviewScale);
        const int height = static_cast<int>(sheetHeight / m_fPreviewScale);

        CClientDC screen(page.m_hWnd);
        CBitmap preview;
        if (!preview.CreateCompatibleBitmap(screen, width + 2, height + 2))
            return;
        {
            CMemoryDC dc(screen);
            CSelectGuard selected(dc, preview);
            const RECT whole{0, 0, width + 2, height + 2};
            FillBox(dc, whole, kSheetGround);
            ::FrameRect(dc, &whole, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            // The sheet's corner lies inside the frame.
            const POINT corner{1, 1};
            ::SetViewportOrgEx(dc, corner.x, corner.y, nullptr);
            const CLabelDim scaled = ScaleTemplate(*paper);
            if (kind == CPrintPaperPage::Disc) {
                DrawDiscOutlines(dc, scaled, corner);
                CSelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
                CSelectGuard brush(dc, ::GetStockObject(HOLLOW_BRUSH));
                auto disc = [&](int left, int top, int diameter, int hole) {
                    ::Ellipse(dc, left, top, left + diameter, top + diameter);
                    const int inset = diameter / 2 - hole / 2;
                    ::Ellipse(dc, left + inset, top + inset, left + inset + hole, top + inset + hole);
                };
                disc(scaled.m_nLeft1, scaled.m_nTop1, scaled.m_nWidth1, scaled.m_nHeight1);
                disc(scaled.m_nLeft2, scaled.m_nTop2, scaled.m_nWidth2, scaled.m_nHeight2);
            } else {
                const bool shared = paper->m_nPage1 == paper->m_nPage2;
                if (kind == CPrintPaperPage::Front || shared)
                    DrawFrontCover(dc, *paper, scaled);
                if (kind == CPrintPaperPage::Back || shared)
                    DrawBackCover(dc, scaled);
            }
        }
        page.SetPreview(std::move(preview));
    });
}

void CPrintPageTab::DrawFrontCover(HDC dc, const CLabelDim& paper, const CLabelDim& scaled)
{
    const CBitmap& snapshot = Page(CPrintPaperPage::Front).MakeSnapshot();
    const RECT cover{scaled.m_nLeft1, scaled.m_nTop1, scaled.m_nLeft1 + scaled.m_nWidth1,
                     scaled.m_nTop1 + scaled.m_nHeight1};
    const bool paperFolded = paper.m_nFolded != 0;
    const bool labelFolded = m_target.IsLabelFolded();
    if (paperFolded == labelFolded) {
        StretchSnapshot(dc, snapshot, cover);
    } else if (paperFolded) {
        // The label has no inside cover: the paper's inside half stays white.
        const int middle = cover.left + scaled.m_nWidth1 / 2;
        FillBox(dc, RECT{cover.left, cover.top, middle, cover.bottom}, kWhite);
        StretchSnapshot(dc, snapshot, RECT{middle, cover.top, cover.right, cover.bottom});
    } else {
        // Flat paper takes the outside half of the label's folded cover.
        CSaveDCGuard saved(dc);
        ::IntersectClipRect(dc, cover.left, cover.top, cover.right, cover.bottom);
        StretchSnapshot(dc, snapshot, RECT{cover.left - scaled.m_nWidth1, cover.top, cover.right, cover.bottom});
    }
    CSelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
    CSelectGuard brush(dc, ::GetStockObject(HOLLOW_BRUSH));
    ::Rectangle(dc, cover.left, cover.top, cover.right, cover.bottom);
    if (paperFolded) {
        const int fold = cover.left + scaled.m_nWidth1 / 2;
        Line(dc, fold, cover.top, fold, cover.bottom);
    }
}

void CPrintPageTab::DrawBackCover(HDC dc, const CLabelDim& scaled)
{
    const CBitmap& snapshot = Page(CPrintPaperPage::Back).MakeSnapshot();
    const RECT cover{scaled.m_nLeft2, scaled.m_nTop2, scaled.m_nLeft2 + scaled.m_nWidth2,
                     scaled.m_nTop2 + scaled.m_nHeight2};
    StretchSnapshot(dc, snapshot, cover);
    CSelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
    CSelectGuard brush(dc, ::GetStockObject(HOLLOW_BRUSH));
    ::Rectangle(dc, cover.left, cover.top, cover.right, cover.bottom);
    Line(dc, cover.left + scaled.m_nTab, cover.top, cover.left + scaled.m_nTab, cover.bottom);
    Line(dc, cover.right - scaled.m_nTab, cover.top, cover.right - scaled.m_nTab, cover.bottom);
}

void CPrintPageTab::DrawDiscOutlines(HDC dc, const CLabelDim& scaled, POINT sheetCorner)
{
    CPrintPaperPage& page = Page(CPrintPaperPage::Disc);
    const bool twoDiscs = m_target.IsDoubleLayout();
    const DiscPosition position = page.Position();
    // Where the first disc's design goes: the upper place, the lower one, or both.
    bool upper = false, lower = false;
    if (twoDiscs) {
        upper = m_target.LabelPosition() != "Bottom";
        lower = !upper;
    } else {
        upper = position == DiscPosition::Top || position == DiscPosition::Both;
        lower = position == DiscPosition::Bottom || position == DiscPosition::Both;
    }
    auto drawInRing = [&](const CBitmap& snapshot, int left, int top, int diameter, int hole) {
        if (!snapshot.IsValid() || diameter <= 0)
            return;
        CRgn ring;
        ring.Attach(CircleRegion(sheetCorner, left, top, diameter));
        const int inset = diameter / 2 - hole / 2;
        if (hole > 0) {
            CRgn inner;
            inner.Attach(CircleRegion(sheetCorner, left + inset, top + inset, hole));
            ring.CombineRgn(ring, inner, RGN_DIFF);
        }
        CSaveDCGuard saved(dc);
        ::SelectClipRgn(dc, ring);
        StretchSnapshot(dc, snapshot, RECT{left, top, left + diameter, top + diameter});
    };
    auto upperRing = [&](const CBitmap& snapshot) {
        drawInRing(snapshot, scaled.m_nLeft1, scaled.m_nTop1, scaled.m_nWidth1, scaled.m_nHeight1);
    };
    auto lowerRing = [&](const CBitmap& snapshot) {
        drawInRing(snapshot, scaled.m_nLeft2, scaled.m_nTop2, scaled.m_nWidth2, scaled.m_nHeight2);
    };
    const CBitmap& first = page.MakeSnapshot(0);
    if (upper)
        upperRing(first);
    if (lower)
        lowerRing(first);
    if (twoDiscs) {
        const CBitmap& second = page.MakeSnapshot(1);
        if (upper)
            lowerRing(second);
        else
            upperRing(second);
    }
}

void CPrintPageTab::OnCoverPaperChosen(CPrintPaperPage::Kind chosenOn)
{
    CPrintPaperPage& other = Page(chosenOn == CPrintPaperPage::Front ? CPrintPaperPage::Back : CPrintPaperPage::Front);
    other.SelectPaper(Page(chosenOn).SelectedPaper());
    other.DropPreview();
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
