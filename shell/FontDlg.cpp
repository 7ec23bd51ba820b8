#include "shell/FontDlg.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "shell/StyleDialogRows.h"
#include "uikit/ControlText.h"
#include "uikit/PanelBackground.h"
#include "uikit/UserInterfaceFont.h"

#include <commdlg.h>

#include <string>
#include <utility>

IMPLEMENT_DYNAMIC(CAutoFitButton, CButton)
IMPLEMENT_DYNAMIC(CFontDlg, CWnd)

namespace
{

CString FittedSizeOf(const IStyleDialogHost& host)
{
    const PropertyRows& rows = host.PropertyTable();
    const int row = LabelRows::FindPropertyRow(rows, host.SelectedObjectName(), "Vector Data");
    return row < 0 ? CString() : StyleRows::FittedSizeText(rows[static_cast<size_t>(row)].m_strValue);
}
}  // namespace

void CAutoFitButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Guarded(218, ErrorSink::Window(this), [&] {
        HDC dc = item->hDC;
        RECT face = item->rcItem;
        CBrush grey;
        grey.CreateSolidBrush(RGB(185, 185, 185));
        ::FillRect(dc, &face, grey.Get());
        RECT text = face;
        text.left += 2;
        CSelectGuard font(dc, UserInterfaceFont(false));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::DrawTextA(dc, m_strText, m_strText.GetLength(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::FrameRect(dc, &face, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    });
}

CFontDlg::CFontDlg(IStyleDialogHost& host, const CString& caption, const LOGFONTA& font, HWND owner)
    : m_host(host), m_strCaption(caption), m_font(font), m_owner(owner)
{
}

INT_PTR CFontDlg::DoModal()
{
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = m_owner;
    choice.lpLogFont = &m_font;
    choice.Flags = CF_SCREENFONTS | CF_FORCEFONTEXIST | CF_TTONLY | CF_INITTOLOGFONTSTRUCT | CF_ENABLETEMPLATE |
                   CF_ENABLEHOOK;
    choice.hInstance = ::GetModuleHandleA(nullptr);
    choice.lpTemplateName = MAKEINTRESOURCEA(IDD_FONT_DIALOG);
    choice.lCustData = reinterpret_cast<LPARAM>(this);
    choice.lpfnHook = &CFontDlg::Hook;
    return ::ChooseFontA(&choice) ? IDOK : 0;
}

UINT_PTR CALLBACK CFontDlg::Hook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    const auto* choice = reinterpret_cast<const CHOOSEFONTA*>(lParam);
    auto* self = choice ? reinterpret_cast<CFontDlg*>(choice->lCustData) : nullptr;
    if (self && self->SubclassWindow(dialog))
        self->OnInitDialog();
    return 0;
}

void CFontDlg::OnInitDialog()
{
    Guarded(256, ErrorSink::Window(this), [&] {
        for (auto [button, id] : {std::pair<CBevelButton*, int>{&m_ok, IDOK}, {&m_cancel, IDCANCEL}}) {
            if (button->SubclassDlgItem(static_cast<UINT>(id), this))
                button->BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
        }
        m_autoFit.SubclassDlgItem(IDC_FONT_AUTOFIT, this);
        const int labels[] = {IDC_FONT_FACE_LABEL, IDC_FONT_STYLE_LABEL, IDC_FONT_SIZE_LABEL,
                              IDC_FONT_ACTUAL_SIZE_LABEL};
        for (size_t i = 0; i < m_labels.size(); ++i)
            m_labels[i].SubclassDlgItem(static_cast<UINT>(labels[i]), this);
        m_setAll.SubclassDlgItem(IDC_STYLE_SET_ALL, this);
        m_windowIcon.Apply(*this);

        const CString selected = m_host.SelectedObjectName();
        const CString kind = StyleRows::KindName(selected, "", false);
        if (StyleRows::OffersSetAll(kind))
            SetDlgItemText(IDC_STYLE_SET_ALL, StyleRows::SetAllFontText(kind));
        else if (HWND check = GetDlgItemHandle(IDC_STYLE_SET_ALL))
            ::ShowWindow(check, SW_HIDE);
        m_rows = StyleRows::FontRows(m_host.PropertyTable(), selected, m_strCaption);
        m_strCurrent = m_rows.front().saved;
        SetDlgItemText(IDC_FONT_SIZE, StyleRows::FontSizeField(m_strCurrent));
        ShowFittedSize();
        m_bReady = true;
    });
}

CString CFontDlg::ComboSelection(int id) const
{
    const HWND combo = GetDlgItemHandle(id);
    const LRESULT item = combo ? ::SendMessageA(combo, CB_GETCURSEL, 0, 0) : CB_ERR;
    return item == CB_ERR ? CString() : ComboItemTextOf(combo, static_cast<int>(item));
}

void CFontDlg::UpdatePreview(bool sizeFromList)
{
    Guarded(257, ErrorSink::Window(this), [&] {
        if (!m_bReady)
            return;
        const CString face = ComboSelection(IDC_FONT_FACE);
        const CString style = ComboSelection(IDC_FONT_STYLE);
        if (face.IsEmpty() || style.IsEmpty())
            return;
        // A size picked in the list is the list's; otherwise what the size field
        // shows, which may have been typed over the list's choice.
        CString size = sizeFromList ? ComboSelection(IDC_FONT_SIZE) : CString();
        if (size.IsEmpty()) {
            // Typed: any size the font can take; what cannot be a size keeps the one before.
            const HWND sizes = GetDlgItemHandle(IDC_FONT_SIZE);
            size = StyleRows::AcceptedSize(WindowTextOf(sizes), StyleRows::FontSizeField(m_strCurrent));
            if (size != WindowTextOf(sizes))
                ::SetWindowTextA(sizes, size);
        }
        m_strCurrent = StyleRows::FontValue(face, size, style);
        ApplyPreview();
    });
}

void CFontDlg::ApplyPreview()
{
    Guarded(258, ErrorSink::Window(this), [&] {
        StyleDialogRows::Preview(m_host, m_rows, m_strCurrent, StyleDialogRows::IsSetAllChecked(*this));
        // Repainting lays the texts out again, which gives the fitted size.
        m_host.RepaintLabel();
        ShowFittedSize();
    });
}

void CFontDlg::ShowFittedSize()
{
    const CString fitted = FittedSizeOf(m_host);
    SetDlgItemText(IDC_FONT_ACTUAL_SIZE, fitted);
    m_autoFit.m_strText = StyleRows::AutoFitText(fitted, StyleRows::FontSizeField(m_strCurrent));
    if (m_autoFit.m_hWnd) {
        // Its window text too, for screen readers; the face is drawn from the member.
        m_autoFit.SetWindowText(m_autoFit.m_strText);
        m_autoFit.Invalidate();
    }
}

void CFontDlg::OnOK()
{
    Guarded(259, ErrorSink::Window(this), [&] {
        UpdatePreview();
        m_host.CommitStyleChanges(
            StyleDialogRows::Changes(m_rows, m_strCurrent, StyleDialogRows::IsSetAllChecked(*this)));
    });
}

void CFontDlg::OnCancel()
{
    Guarded(260, ErrorSink::Window(this), [&] {
        StyleDialogRows::Restore(m_host, m_rows);
        m_host.RepaintLabel();
    });
}

BOOL CFontDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    switch (id) {
    case IDOK:
        // Enter in a list previews the typed size and keeps the dialog open.
        if (::GetKeyState(VK_RETURN) & 0x8000) {
            UpdatePreview();
            return TRUE;
        }
        OnOK();
        break;  // the system dialog closes itself
    case IDCANCEL:
        OnCancel();
        break;
    case IDC_STYLE_SET_ALL:
        if (code == BN_CLICKED)
            ApplyPreview();
        break;
    case IDC_FONT_FACE:
    case IDC_FONT_STYLE:
    case IDC_FONT_SIZE:
        if (code == CBN_SELENDOK || code == CBN_SELCHANGE) {
            // The system's own handling first: it fills the style and size lists for a face.
            Default();
            UpdatePreview(id == IDC_FONT_SIZE);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFontDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(261, ErrorSink::Window(this), FALSE, [&] {
        RECT client{};
        GetClientRect(&client);
        PaintPanelOnActiveView(dc, client);
        return TRUE;
    });
}

void CFontDlg::OnDestroy()
{
    Guarded(500, ErrorSink::Window(this), [&] { m_windowIcon.Release(*this); });
    CWnd::OnDestroy();
}
