#include "shell/UnitsDlg.h"

#include "framework/ErrorReport.h"
#include "resource.h"
#include "uikit/PanelBackground.h"
#include "view/Quorbel6View.h"

IMPLEMENT_DYNAMIC(CUnitsDlg, CDialog)

namespace {

constexpr char kInches[] = "Inches";
constexpr char kMillimeters[] = "Millimeters";
constexpr int kInchesItem = 0;
constexpr int kMillimetersItem = 1;

}  // namespace

CUnitsDlg::CUnitsDlg(CQuorbel6View& view) : CDialog(IDD_UNITS, &view), m_view(view) {}

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
        m_units.SetCurSel(m_view.m_strUnits == kInches ? kInchesItem : kMillimetersItem);
        return TRUE;
    });
}

void CUnitsDlg::OnOK()
{
    Guarded(525, ErrorSink::Window(this), [&] {
        m_view.m_strUnits = m_units.GetCurSel() == kMillimetersItem ? kMillimeters : kInches;
        m_view.WriteSettingValue("String", "Units", m_view.m_strUnits);
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
