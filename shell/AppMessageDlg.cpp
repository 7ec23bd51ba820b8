#include "shell/AppMessageDlg.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/Module.h"
#include "framework/WinApp.h"
#include "resource.h"
#include "shell/MessageBoxRequest.h"
#include "uikit/PanelBackground.h"
#include "uikit/UiResources.h"

#include <algorithm>
#include <stdexcept>

IMPLEMENT_DYNAMIC(CAppMessageDlg, CNewDialog)

BEGIN_COMMAND_MAP(CAppMessageDlg, CNewDialog)
    ON_CMD(IDC_MESSAGE_BUTTON1, OnButton1)
    ON_CMD(IDC_MESSAGE_BUTTON2, OnButton2)
    ON_CMD(IDC_MESSAGE_BUTTON3, OnButton3)
END_COMMAND_MAP()

namespace {

constexpr char kDefaultTitle[] = " Sleevory";
constexpr char kCancelCaption[] = "Cancel";
constexpr int kWindowIconImage = 18;

// Room around the text: without and with an icon.
constexpr int kTextMarginPlain = 34;
constexpr int kTextMarginWithIcon = 73;
constexpr int kBottomBelowText = 50;
constexpr int kCheckBoxExtra = 24;
constexpr int kCheckBoxBelowText = 10;
constexpr int kButtonsAboveBottom = 38;
constexpr int kButtonGap = 7;
constexpr int kTwoButtonGap = 10;
constexpr int kButtonRowMargin = 23;
// Keeps a box with a very long line on the screen.
constexpr int kScreenMargin = 40;

CMessageBoxRequest* FindRequest()
{
    return dynamic_cast<CMessageBoxRequest*>(GetApp());
}

CMessageBoxRequest& Request()
{
    CMessageBoxRequest* request = FindRequest();
    if (!request)
        throw std::logic_error("the message box needs the application object");
    return *request;
}

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

// The control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<CString> SplitLines(const CString& text)
{
    std::vector<CString> lines;
    int start = 0;
    for (;;) {
        const int end = text.Find("\r\n", start);
        if (end < 0) {
            lines.push_back(text.Mid(start));
            return lines;
        }
        lines.push_back(text.Mid(start, end - start));
        start = end + 2;
    }
}

HICON IconOfKind(int kind)
{
    switch (kind) {
    case CAppMessageDlg::kIconStop:
        return ::LoadIconA(nullptr, IDI_HAND);
    case CAppMessageDlg::kIconExclamation:
        return ::LoadIconA(nullptr, IDI_EXCLAMATION);
    case CAppMessageDlg::kIconInformation:
        return ::LoadIconA(nullptr, IDI_ASTERISK);
    case CAppMessageDlg::kIconProgram:
        return ::LoadIconA(GetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    default:
        return nullptr;
    }
}

}  // namespace

CAppMessageDlg::CAppMessageDlg(CWnd* parent) : CNewDialog(IDD_APP_MESSAGE, parent) {}

CAppMessageDlg::~CAppMessageDlg() = default;

int CAppMessageDlg::Show(LPCSTR text, int iconKind, LPCSTR buttons, LPCSTR caption, bool offerCheckBox, CWnd* parent)
{
    CMessageBoxRequest* request = FindRequest();
    if (!request)
        return -1;
    request->m_strMessageText = text ? text : "";
    request->m_nMessageIcon = iconKind;
    request->m_strMessageButtons = buttons ? buttons : "";
    request->m_bMessageCheckBox = offerCheckBox ? 1 : 0;
    request->m_strMessageCaption = caption ? caption : "";
    CAppMessageDlg box(parent);
    return static_cast<int>(box.DoModal());
}

CString CAppMessageDlg::TakePendingText()
{
    CMessageBoxRequest* request = FindRequest();
    if (!request)
        return CString();
    CString text = request->m_strMessageText;
    request->m_strMessageText.Empty();
    return text;
}

std::vector<CString> CAppMessageDlg::SplitButtonList(const CString& list)
{
    std::vector<CString> captions;
    int start = 0;
    for (int end = list.Find('`'); end >= 0 && captions.size() < kMaxButtons; end = list.Find('`', start)) {
        captions.push_back(list.Mid(start, end - start));
        start = end + 1;
    }
    return captions;
}

BOOL CAppMessageDlg::OnInitDialog()
{
    CNewDialog::OnInitDialog();
    return Guarded(304, ErrorSink::App(), FALSE, [&]() -> BOOL {
        CMessageBoxRequest& request = Request();
        for (int i = 0; i < kMaxButtons; ++i)
            m_buttons[i].SubclassDlgItem(IDC_MESSAGE_BUTTON1 + i, this);
        m_text.SubclassDlgItem(IDC_MESSAGE_TEXT, this);
        m_checkBox.SubclassDlgItem(IDC_MESSAGE_DONT_SHOW, this);
        m_icon.SubclassDlgItem(IDC_MESSAGE_ICON, this);

        const CUiResources* resources = UiResources();
        if (resources && resources->MenuImages().GetImageCount() > kWindowIconImage) {
            m_windowIcon.Reset(resources->MenuImages().ExtractIcon(kWindowIconImage));
            SetIcon(m_windowIcon, FALSE);
        }
        SetWindowText(request.m_strMessageCaption.IsEmpty() ? kDefaultTitle : request.m_strMessageCaption.c_str());

        m_text.SetWindowText(request.m_strMessageText);
        HICON icon = IconOfKind(request.m_nMessageIcon);
        m_icon.SetIcon(icon);

        const std::vector<CString> captions = SplitButtonList(request.m_strMessageButtons);
        m_buttonCount = static_cast<int>(captions.size());
        m_cancelButton = 0;
        for (int i = 0; i < m_buttonCount; ++i) {
            m_buttons[i].SetWindowText(captions[i]);
            m_buttons[i].BuildFaces(CBevelButton::kSoftBump, 8, 10, 0, 0);
            m_buttons[i].ShowWindow(SW_SHOW);
            if (m_cancelButton == 0 && lstrcmpiA(captions[i], kCancelCaption) == 0)
                m_cancelButton = i + 1;
        }

        LayOut(icon != nullptr, request.m_bMessageCheckBox == 1);
        request.m_strMessageText.Empty();
        return TRUE;
    });
}

void CAppMessageDlg::LayOut(bool hasIcon, bool showCheckBox)
{
    // The text's widest line, in the text control's font.
    CString text;
    m_text.GetWindowText(text);
    const std::vector<CString> lines = SplitLines(text);
    int widest = 0;
    int lineHeight = 0;
    {
        CClientDC dc(m_text);
        CSelectGuard font(dc, m_text.GetFont());
        for (const CString& line : lines) {
            SIZE extent{};
            ::GetTextExtentPoint32A(dc, line, line.GetLength(), &extent);
            widest = std::max<int>(widest, extent.cx);
            lineHeight = std::max<int>(lineHeight, extent.cy);
        }
    }
    // The edit's margins would make the widest line wrap.
    m_text.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);

    const int textMargin = hasIcon ? kTextMarginWithIcon : kTextMarginPlain;
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const int widestAllowed = std::max(Width(workArea) - textMargin - kScreenMargin, 1);
    const bool capped = widest > widestAllowed;
    widest = std::min(widest, widestAllowed);

    const RECT iconRect = ChildRect(m_hWnd, m_icon);
    const RECT templateText = ChildRect(m_hWnd, m_text);
    if (capped)
        m_text.SetWindowPos(nullptr, 0, 0, widest, Height(templateText), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    int textTop = templateText.top;
    int textHeight = Height(templateText);
    const int lineCount = m_text.GetLineCount();
    if (lineCount >= 2) {
        textHeight = lineCount * lineHeight;
        textTop = textHeight > Height(iconRect) ? iconRect.top : iconRect.top + Height(iconRect) / 2 - textHeight / 2;
    }
    const int textBottom = textTop + textHeight;

    // The window: its bottom edge below the lower of icon and text.
    RECT buttonRect = ChildRect(m_hWnd, m_buttons[0]);
    const int buttonWidth = Width(buttonRect);
    POINT lowest{0, std::max<int>(iconRect.bottom, textBottom)};
    ClientToScreen(&lowest);
    RECT window{};
    GetWindowRect(&window);
    window.bottom = lowest.y + kBottomBelowText + (showCheckBox ? kCheckBoxExtra : 0);
    const int width = std::max((buttonWidth + kButtonGap) * m_buttonCount + kButtonRowMargin, widest + textMargin);
    SetWindowPos(nullptr, 0, 0, width, Height(window), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(&window);
    const int windowWidth = Width(window);

    const int textLeft = hasIcon ? templateText.left : (windowWidth - widest) / 2 - 3;
    if (showCheckBox) {
        const RECT box = ChildRect(m_hWnd, m_checkBox);
        m_checkBox.SetWindowPos(nullptr, templateText.left, textBottom + kCheckBoxBelowText, Width(box), Height(box),
                                SWP_NOZORDER | SWP_NOACTIVATE);
        m_checkBox.ShowWindow(SW_SHOW);
    }
    m_text.SetWindowPos(nullptr, textLeft, textTop, widest, textHeight, SWP_NOZORDER | SWP_NOACTIVATE);

    // The buttons: centred in a row near the bottom.
    POINT bottom{0, window.bottom};
    ScreenToClient(&bottom);
    const int buttonTop = bottom.y - kButtonsAboveBottom;
    const int buttonHeight = Height(buttonRect);
    int left = 0;
    int gap = kButtonGap;
    switch (m_buttonCount) {
    case 1:
        left = (windowWidth - buttonWidth) / 2 - 3;
        break;
    case 2:
        left = (windowWidth - 2 * buttonWidth - kButtonGap) / 2 - 3;
        gap = kTwoButtonGap;
        break;
    default:
        left = (windowWidth - 3 * buttonWidth - 2 * kButtonGap) / 2 - 3;
        break;
    }
    for (int i = 0; i < m_buttonCount; ++i) {
        m_buttons[i].SetWindowPos(nullptr, left, buttonTop, buttonWidth, buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        left += buttonWidth + gap;
    }
}

void CAppMessageDlg::EndWithButton(int number, int errorNumber)
{
    Guarded(errorNumber, ErrorSink::App(), [&] {
        CMessageBoxRequest& request = Request();
        const bool offered = request.m_bMessageCheckBox == 1;
        request.m_bMessageCheckBox = 0;
        const bool ticked = offered && m_checkBox.GetCheck() == BST_CHECKED;
        EndDialog(ticked ? number + 3 : number);
    });
}

void CAppMessageDlg::EndAsCancel()
{
    if (CMessageBoxRequest* request = FindRequest())
        request->m_bMessageCheckBox = 0;
    // "Cancel" must cancel: read as the second button, a closed "Yes, No,
    // Cancel" box would answer "No".
    EndDialog(m_cancelButton ? m_cancelButton : IDCANCEL);
}

void CAppMessageDlg::OnButton1()
{
    EndWithButton(1, 305);
}

void CAppMessageDlg::OnButton2()
{
    EndWithButton(2, 306);
}

void CAppMessageDlg::OnButton3()
{
    EndWithButton(3, 307);
}

void CAppMessageDlg::OnOK()
{
    // Enter without a focused button: the first button, as the default one.
    if (m_buttonCount > 0)
        OnButton1();
}

void CAppMessageDlg::OnCancel()
{
    Guarded(308, ErrorSink::App(), [&] { EndAsCancel(); });
}

void CAppMessageDlg::OnClose()
{
    Guarded(308, ErrorSink::App(), [&] { EndAsCancel(); });
}

BOOL CAppMessageDlg::OnEraseBkgnd(HDC dc)
{
    return Guarded(309, ErrorSink::App(), FALSE, [&] {
        RECT client{};
        GetClientRect(&client);
        TileAppBackground(dc, client);
        return TRUE;
    });
}

void CAppMessageDlg::OnDestroy()
{
    Guarded(506, ErrorSink::Window(this), [&] {
        if (m_windowIcon.IsValid()) {
            SetIcon(nullptr, FALSE);
            m_windowIcon.Reset();
        }
    });
    CNewDialog::OnDestroy();
}
