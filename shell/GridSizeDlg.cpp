#include "shell/GridSizeDlg.h"

#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "framework/WindowTexts.h"
#include "resource.h"
#include "uikit/PanelBackground.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CGridSizeDlg, CNewDialog)

BEGIN_COMMAND_MAP(CGridSizeDlg, CNewDialog)
    ON_CTL(EN_KILLFOCUS, IDC_GRID_SIZE_HORIZONTAL, OnKillFocusHorizontal)
    ON_CTL(EN_KILLFOCUS, IDC_GRID_SIZE_VERTICAL, OnKillFocusVertical)
END_COMMAND_MAP()

namespace {

constexpr double kMillimetersPerThousandth = 0.0254;
constexpr double kMillimetersPerInch = 25.4;
// Tidying an entry converts with the coarser factor, the result on OK with
// the exact one.
constexpr double kInchesPerMillimeterRounded = 0.03937008;
constexpr double kInchesPerMillimeter = 0.03937007874015748;
constexpr double kSmallestInches = 0.03;
constexpr double kLargestInches = 1.0;
// An entry is read as a single-precision number: 0.7 comes back as
// 0.69999999, which must still give 700 thousandths, not 699.
constexpr double kSinglePrecisionSlack = 1e-3;

CString InchText(double inches)
{
    CString text;
    text.Format("%.3f ''", inches);
    return text;
}

CString MillimeterText(double millimeters)
{
    CString text;
    text.Format("%.1f mm", millimeters);
    return text;
}

CString EntryText(HWND dialog, int editId)
{
    return DlgItemTextOf(dialog, editId);
}

}  // namespace

CGridSizeDlg::CGridSizeDlg(int spacingX, int spacingY, bool inMillimeters, CWnd* parent)
    : CNewDialog(IDD_GRID_SIZE, parent), m_nSpacingX(spacingX), m_nSpacingY(spacingY), m_bInMillimeters(inMillimeters)
{
}

CGridSizeDlg::~CGridSizeDlg() = default;

bool CGridSizeDlg::InMillimeters() const
{
    return m_bInMillimeters;
}

BOOL CGridSizeDlg::OnInitDialog()
{
    CNewDialog::OnInitDialog();
    return Guarded(274, ErrorSink::App(), FALSE, [&]() -> BOOL {
        m_windowIcon.Apply(*this);
        m_ok.SubclassDlgItem(IDOK, this);
        m_ok.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_cancel.SubclassDlgItem(IDCANCEL, this);
        m_cancel.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_frame.SubclassDlgItem(IDC_GRID_SIZE_GROUP, this);
        m_horizontalLabel.SubclassDlgItem(IDC_GRID_SIZE_HORIZONTAL_LABEL, this);
        m_verticalLabel.SubclassDlgItem(IDC_GRID_SIZE_VERTICAL_LABEL, this);

        const auto shown = [&](int spacing) {
            return InMillimeters() ? MillimeterText(spacing * kMillimetersPerThousandth)
                                   : InchText(spacing * 0.001);
        };
        m_strShownHorizontal = shown(m_nSpacingX);
        m_strShownVertical = shown(m_nSpacingY);
        SetDlgItemText(IDC_GRID_SIZE_HORIZONTAL, m_strShownHorizontal);
        SetDlgItemText(IDC_GRID_SIZE_VERTICAL, m_strShownVertical);
        return TRUE;
    });
}

void CGridSizeDlg::TidyEntry(int editId)
{
    if (!m_hWnd || !::IsWindow(GetDlgItemHandle(editId)))
        return;
    double inches = StrToFloat(EntryText(m_hWnd, editId));
    if (InMillimeters())
        inches *= kInchesPerMillimeterRounded;
    inches = std::clamp(inches, kSmallestInches, kLargestInches);
    SetDlgItemText(editId, InMillimeters() ? MillimeterText(inches * kMillimetersPerInch) : InchText(inches));
}

void CGridSizeDlg::OnKillFocusHorizontal()
{
    Guarded(276, ErrorSink::App(), [&] { TidyEntry(IDC_GRID_SIZE_HORIZONTAL); });
}

void CGridSizeDlg::OnKillFocusVertical()
{
    Guarded(277, ErrorSink::App(), [&] { TidyEntry(IDC_GRID_SIZE_VERTICAL); });
}

int CGridSizeDlg::SpacingOfEntry(int editId, const CString& shownAtOpening, int current) const
{
    const CString text = EntryText(m_hWnd, editId);
    // The shown text is rounded (0.1 mm is about 4 thousandths): read back,
    // it would move a spacing the user never touched.
    if (text == shownAtOpening)
        return current;
    double inches = StrToFloat(text);
    if (InMillimeters())
        inches *= kInchesPerMillimeter;
    // Clamped before the conversion, so that no entry, however large, overflows the int.
    inches = std::clamp(inches, 0.0, 2.0 * kLargestInches);
    const int spacing = static_cast<int>(inches * 1000.0 + kSinglePrecisionSlack);
    return std::clamp(spacing, kSmallestSpacing, kLargestSpacing);
}

void CGridSizeDlg::OnOK()
{
    Guarded(275, ErrorSink::App(), [&] {
        const int horizontal = SpacingOfEntry(IDC_GRID_SIZE_HORIZONTAL, m_strShownHorizontal, m_nSpacingX);
        const int vertical = SpacingOfEntry(IDC_GRID_SIZE_VERTICAL, m_strShownVertical, m_nSpacingY);
        if (horizontal != m_nSpacingX || vertical != m_nSpacingY) {
            m_nSpacingX = horizontal;
            m_nSpacingY = vertical;
            m_bChanged = true;
        }
        EndDialog(IDOK);
    });
}

BOOL CGridSizeDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(278, ErrorSink::App(), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

void CGridSizeDlg::OnDestroy()
{
    Guarded(502, ErrorSink::Window(this), [&] { m_windowIcon.Release(*this); });
    CNewDialog::OnDestroy();
}
