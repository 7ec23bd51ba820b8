#pragma once

#include "framework/String.h"
#include "uikit/ChangeNotifyEdit.h"

class ITextPaneHost;

// The Text pane's edit box for a free text: every change is written into the
// label at once (laid out again when the program is idle), and leaving the box
// records the edit as one undo step. A backtick never gets in.
class CTextEditorEdit : public CChangeNotifyEdit
{
    DECLARE_DYNAMIC(CTextEditorEdit)

public:
    static constexpr UINT kId = 1105;

    void AttachHost(ITextPaneHost* host) { m_host = host; }
    // Shows the object's text as the one committed; an empty name shows nothing editable.
    void ShowText(const CString& objectName, const CString& text);
    const CString& ObjectName() const { return m_strObjectName; }
    const CString& CommittedText() const { return m_strCommitted; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // A change without a key (paste, cut, a message) is written too.
    void OnChange() override;
    // One undo step when the text differs from the committed one.
    void OnKillFocus() override;

private:
    // The window's text (trailing white space removed) into the label.
    void WriteText();
    // The window's text with any backtick made an apostrophe in the window too.
    CString CleanWindowText();

    ITextPaneHost* m_host = nullptr;
    CString m_strObjectName;
    bool m_bKeyDown = false;
    bool m_bLoading = false;
    CString m_strCommitted;
};
