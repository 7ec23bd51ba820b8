#include "shell/ColorDlg.h"

#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "resource.h"
#include "shell/StyleDialogRows.h"
#include "uikit/PanelBackground.h"

#include <commdlg.h>

#include <utility>

IMPLEMENT_DYNAMIC(CDlgColor, CWnd)

namespace
{
// Posted once after the fields changed, so that a swatch setting the three
// fields one after the other is previewed once, with all three.
constexpr UINT kFollowFieldsMessage = WM_APP + 0x122;
constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

CDlgColor::CDlgColor(IStyleDialogHost& host, const CString& caption, COLORREF initial, HWND owner)
    : m_host(host), m_strCaption(caption), m_initial(initial), m_owner(owner)
{
    m_custom.fill(kWhite);
}

void CDlgColor::LoadCustomColors()
{
    Guarded(244, ErrorSink::App(), [&] {
        const CWinApp* app = GetApp();
        for (size_t i = 0; i < m_custom.size(); ++i) {
            CString entry;
            entry.Format("%d", static_cast<int>(i));
            m_custom[i] = app ? static_cast<COLORREF>(app->GetProfileInt(kCustomColorsSection, entry,
                                                                         static_cast<int>(kWhite)))
                              : kWhite;
        }
    });
}

void CDlgColor::SaveCustomColors() const
{
    Guarded(245, ErrorSink::App(), [&] {
        CWinApp* app = GetApp();
        if (!app)
            return;
        for (size_t i = 0; i < m_custom.size(); ++i) {
            CString entry;
            entry.Format("%d", static_cast<int>(i));
            app->WriteProfileInt(kCustomColorsSection, entry, static_cast<int>(m_custom[i]));
        }
    });
}

INT_PTR CDlgColor::DoModal()
{
    LoadCustomColors();
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = m_owner;
    choice.hInstance = reinterpret_cast<HWND>(::GetModuleHandleA(nullptr));
    choice.lpTemplateName = MAKEINTRESOURCEA(IDD_COLOR_DIALOG);
    choice.rgbResult = m_initial;
    choice.lpCustColors = m_custom.data();
    choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLETEMPLATE | CC_ENABLEHOOK;
    choice.lCustData = reinterpret_cast<LPARAM>(this);
    choice.lpfnHook = &CDlgColor::Hook;
    const BOOL chosen = ::ChooseColorA(&choice);
    SaveCustomColors();
    return chosen ? IDOK : 0;
}

UINT_PTR CALLBACK CDlgColor::Hook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    const auto* choice = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    auto* self = choice ? reinterpret_cast<CDlgColor*>(choice->lCustData) : nullptr;
    // From here on the dialog's messages reach the object first.
    if (self && self->SubclassWindow(dialog))
        self->OnInitDialog();
    return 0;
}

void CDlgColor::OnInitDialog()
{
    Guarded(240, ErrorSink::Window(this), [&] {
        m_windowIcon.Apply(*this);
        const std::pair<CBevelButton*, int> buttons[] = {
            {&m_ok, IDOK}, {&m_cancel, IDCANCEL}, {&m_add, IDC_COLOR_ADD_CUSTOM}, {&m_define, IDC_COLOR_DEFINE_CUSTOM}};
        for (const auto& [button, id] : buttons) {
            if (button->SubclassDlgItem(static_cast<UINT>(id), this))
                button->BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        }
        const int labels[] = {IDC_COLOR_BASIC_LABEL,     IDC_COLOR_HUE_LABEL,   IDC_COLOR_SATURATION_LABEL,
                              IDC_COLOR_LUMINANCE_LABEL, IDC_COLOR_RED_LABEL,   IDC_COLOR_GREEN_LABEL,
                              IDC_COLOR_BLUE_LABEL,      IDC_COLOR_SOLID_LEFT,  IDC_COLOR_SOLID_RIGHT,
                              IDC_COLOR_CUSTOM_LABEL};
        for (size_t i = 0; i < m_labels.size(); ++i)
            m_labels[i].SubclassDlgItem(static_cast<UINT>(labels[i]), this);
        m_setAll.SubclassDlgItem(IDC_STYLE_SET_ALL, this);
        const CString selected = m_host.SelectedObjectName();
        const CString type = m_host.SelectedItemType();
        const CString kind = StyleRows::KindName(selected, type, true);
        if (StyleRows::OffersSetAll(kind))
            SetDlgItemText(IDC_STYLE_SET_ALL, StyleRows::SetAllColorText(kind));
        else if (HWND check = GetDlgItemHandle(IDC_STYLE_SET_ALL))
            ::ShowWindow(check, SW_HIDE);
        m_rows = StyleRows::ColorRows(m_host.PropertyTable(), selected, type, m_strCaption);
        m_strCurrent = m_rows.front().saved.IsEmpty() ? StyleRows::ColorText(m_initial) : m_rows.front().saved;
        m_bReady = true;
    });
}

bool CDlgColor::ReadFields(CString& color) const
{
    int parts[3] = {};
    const int ids[3] = {IDC_COLOR_RED, IDC_COLOR_GREEN, IDC_COLOR_BLUE};
    for (int i = 0; i < 3; ++i) {
        BOOL number = FALSE;
        const UINT value = GetDlgItemInt(ids[i], &number, FALSE);
        if (!number || value > 255)
            return false;
        parts[i] = static_cast<int>(value);
    }
    color.Format("%d,%d,%d", parts[0], parts[1], parts[2]);
    return true;
}

void CDlgColor::FollowFields()
{
    Guarded(241, ErrorSink::Window(this), [&] {
        CString color;
        if (!m_bReady || !ReadFields(color) || color == m_strCurrent)
            return;
        m_strCurrent = color;
        ApplyPreview();
    });
}

void CDlgColor::ApplyPreview()
{
    Guarded(248, ErrorSink::Window(this), [&] {
        StyleDialogRows::Preview(m_host, m_rows, m_strCurrent, StyleDialogRows::IsSetAllChecked(*this));
        m_host.RepaintLabel();
    });
}

void CDlgColor::OnOK()
{
    Guarded(242, ErrorSink::Window(this), [&] {
        FollowFields();
        m_host.CommitStyleChanges(
            StyleDialogRows::Changes(m_rows, m_strCurrent, StyleDialogRows::IsSetAllChecked(*this)));
    });
}

void CDlgColor::OnCancel()
{
    Guarded(243, ErrorSink::Window(this), [&] {
        StyleDialogRows::Restore(m_host, m_rows);
        m_host.RepaintLabel();
    });
}

BOOL CDlgColor::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    switch (id) {
    case IDOK:
        OnOK();
        break;  // the system dialog closes itself
    case IDCANCEL:
        OnCancel();
        break;
    case IDC_STYLE_SET_ALL:
        if (code == BN_CLICKED)
            ApplyPreview();
        break;
    case IDC_COLOR_RED:
    case IDC_COLOR_GREEN:
    case IDC_COLOR_BLUE:
        if (code == EN_CHANGE && m_bReady)
            PostMessage(kFollowFieldsMessage);
        break;
    case IDC_COLOR_ADD_CUSTOM:
        if (code == BN_CLICKED) {
            // The system adds the colour to the custom ones; the label shows it too.
            Default();
            Guarded(246, ErrorSink::Window(this), [&] { FollowFields(); });
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CDlgColor::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kFollowFieldsMessage) {
        FollowFields();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDlgColor::OnEraseBkgnd(HDC dc)
{
    return Guarded(247, ErrorSink::Window(this), FALSE, [&] {
        RECT client{};
        GetClientRect(&client);
        PaintPanelOnActiveView(dc, client);
        return TRUE;
    });
}

void CDlgColor::OnDestroy()
{
    Guarded(497, ErrorSink::Window(this), [&] { m_windowIcon.Release(*this); });
    CWnd::OnDestroy();
}
