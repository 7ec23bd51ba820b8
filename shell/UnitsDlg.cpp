#include "shell/UnitsDlg.h"

#include "framework/ErrorReport.h"
#include "resource.h"
#include "uikit/PanelBackground.h"

IMPLEMENT_DYNAMIC(CUnitsDlg, CDialog)

namespace {

constexpr char kInches[] = "Inches";
constexpr char kMillimeters[] = "Millimeters";
constexpr int kInchesItem = 0;
constexpr int kMillimetersItem = 1;

}  // namespace

CUnitsDlg::CUnitsDlg(const CString& units, CWnd* parent) : CDialog(IDD_UNITS, parent), m_strUnits(units) {}

CUnitsDlg::~CUnitsDlg() = default;

BOOL CUnitsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return Guarded(524, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        m_windowIcon.Apply(*this);
        m_ok.SubclassDlgItem(IDOK, this);
        m_ok.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        m_cancel.SubclassDlgItem(IDCANCEL, this);
        m_cancel.BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);

        m_units.SubclassDlgItem(IDC_UNITS_LIST, this);
        m_units.ResetContent();
        m_units.AddString(kInches);
        m_units.AddString(kMillimeters);
        m_units.SetCurSel(m_strUnits == kInches ? kInchesItem : kMillimetersItem);
        return TRUE;
    });
}

void CUnitsDlg::OnOK()
{
    Guarded(525, ErrorSink::Window(this), [&] {
        m_strUnits = m_units.GetCurSel() == kMillimetersItem ? kMillimeters : kInches;
        EndDialog(IDOK);
    });
}

BOOL CUnitsDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(523, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

void CUnitsDlg::OnDestroy()
{
    Guarded(526, ErrorSink::Window(this), [&] { m_windowIcon.Release(*this); });
    CDialog::OnDestroy();
}
