#include "uikit/CellEdit.h"

#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "uikit/ControlText.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CCellEdit, CChangeNotifyEdit)

namespace {

constexpr char kFieldEnd = '`';
constexpr char kApostrophe = '\'';

}  // namespace

bool ReplaceBacktickField(CString& text, int index, const CString& value)
{
    if (index < 0)
        return false;
    int start = 0;
    for (int field = 0; field < index; ++field) {
        const int end = text.Find(kFieldEnd, start);
        if (end < 0)
            return false;
        start = end + 1;
    }
    const int end = text.Find(kFieldEnd, start);
    if (end < 0)
        return false;
    text = text.Left(start) + value + text.Mid(end);
    return true;
}

CCellEditOwner* CCellEdit::Owner() const
{
    return dynamic_cast<CCellEditOwner*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

BOOL CCellEdit::PreTranslateMessage(MSG* msg)
{
    return Guarded(311, ErrorSink::Window(this), FALSE, [&]() -> BOOL {
        if (msg->hwnd != m_hWnd)
            return FALSE;
        switch (msg->message) {
        case WM_CHAR:
            if (!m_strObjectName.IsEmpty() && msg->wParam == static_cast<WPARAM>(kFieldEnd))
                msg->wParam = static_cast<WPARAM>(kApostrophe);
            return FALSE;
        case WM_KEYDOWN:
            m_bKeyPressed = true;
            if (msg->wParam == VK_ESCAPE && !m_strObjectName.IsEmpty()) {
                Replace(m_strLoaded);
                if (CCellEditOwner* owner = Owner())
                    owner->CloseCellEditor();
                return TRUE;
            }
            return FALSE;
        case WM_KEYUP:
            if (m_strObjectName.IsEmpty())
                return FALSE;
            WriteCell();
            return TRUE;
        default:
            return FALSE;
        }
    });
}

void CCellEdit::Load(const CString& text)
{
    m_strLoaded = text;
    m_bKeyPressed = true;
    SetWindowText(text);
    m_bKeyPressed = false;
}

void CCellEdit::Replace(const CString& text)
{
    m_bKeyPressed = true;  // written below, once
    SetWindowText(text);
    m_bKeyPressed = false;
    if (!m_strObjectName.IsEmpty())
        WriteCell();
}

void CCellEdit::WriteCell()
{
    CString text = WindowTextOf(m_hWnd);
    // Text can arrive without a keystroke (paste, drop, WM_SETTEXT): a backtick
    // in it would split the field and shift every field after it.
    if (text.Find(kFieldEnd) >= 0) {
        text.Replace(kFieldEnd, kApostrophe);
        int start = 0;
        int end = 0;
        GetSel(start, end);
        m_bKeyPressed = true;  // the change below is ours; don't write twice
        SetWindowText(text);
        SetSel(start, end);
    }

    if (CCellEditOwner* owner = Owner()) {
        const int row = owner->GetCurrentRow();
        const int column = owner->GetCurrentColumn();
        if (row >= 0 && column >= 0) {
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = const_cast<LPSTR>(text.c_str());
            ::SendMessageA(::GetParent(m_hWnd), LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(&item));
        }
    }

    CString name = m_strObjectName;
    if (const int bracket = name.Find('('); bracket >= 0)
        name = name.Left(bracket);

    if (auto* store = dynamic_cast<CCellTextStore*>(GetApp()))
        store->WriteCellText(name, m_nFieldIndex, text);
}

void CCellEdit::OnChange()
{
    Guarded(312, ErrorSink::Window(this), [&] {
        if (m_bKeyPressed) {
            m_bKeyPressed = false;
            return;
        }
        if (!m_strObjectName.IsEmpty())
            WriteCell();
    });
}

void CCellEdit::OnKillFocus()
{
    Guarded(313, ErrorSink::Window(this), [&] {
        if (CCellEditOwner* owner = Owner())
            owner->ApplyChanges();
    });
}
