#include "shell/TextEditorEdit.h"

#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "label/TrackListEdit.h"
#include "shell/TextPaneHost.h"
#include "uikit/ControlText.h"

IMPLEMENT_DYNAMIC(CTextEditorEdit, CChangeNotifyEdit)

namespace
{
CString Trimmed(CString text)
{
    text.TrimRight();
    return text;
}
}  // namespace

void CTextEditorEdit::ShowText(const CString& objectName, const CString& text)
{
    m_strObjectName = objectName;
    m_strCommitted = text;
    m_bLoading = true;
    SetWindowText(text);
    m_bLoading = false;
    m_bKeyDown = false;
}

CString CTextEditorEdit::CleanWindowText()
{
    const CString text = WindowTextOf(m_hWnd);
    if (text.Find('`') < 0)
        return text;
    // Pasted or set by a message: the backtick would split the label's text records.
    const CString clean = TrackListEdit::WithoutBackticks(text);
    int start = 0;
    int end = 0;
    GetSel(start, end);
    m_bLoading = true;
    SetWindowText(clean);
    m_bLoading = false;
    SetSel(start, end);
    return clean;
}

void CTextEditorEdit::WriteText()
{
    if (m_strObjectName.IsEmpty() || !m_host)
        return;
    const CString key = TrackListEdit::TextKey(m_strObjectName);
    m_host->WritePaneText(key, Trimmed(CleanWindowText()));
    if (auto* queue = dynamic_cast<ITextRefreshQueue*>(GetApp()))
        queue->QueueTextRefresh(key);
}

BOOL CTextEditorEdit::PreTranslateMessage(MSG* msg)
{
    return Guarded(252, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        if (msg->hwnd != m_hWnd)
            return FALSE;
        switch (msg->message) {
        case WM_KEYDOWN:
            m_bKeyDown = true;
            break;
        case WM_CHAR:
            if (msg->wParam == static_cast<WPARAM>('`'))
                msg->wParam = static_cast<WPARAM>('\'');
            break;
        case WM_KEYUP:
            WriteText();
            m_bKeyDown = false;
            break;
        default:
            break;
        }
        return FALSE;
    });
}

void CTextEditorEdit::OnChange()
{
    Guarded(253, ErrorSink::Window(this), [&] {
        if (m_bLoading)
            return;
        if (m_bKeyDown) {
            m_bKeyDown = false;  // the key-up writes
            return;
        }
        WriteText();
    });
}

void CTextEditorEdit::OnKillFocus()
{
    Guarded(254, ErrorSink::Window(this), [&] {
        if (m_strObjectName.IsEmpty())
            return;
        const CString text = Trimmed(CleanWindowText());
        if (text == m_strCommitted)
            return;
        if (m_host)
            m_host->CommitPaneText(m_strObjectName, m_strCommitted, text);
        m_strCommitted = text;
    });
}
