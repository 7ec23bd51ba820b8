#pragma once
// CEdit: a window of the system's edit class. Created here or attached to a
// dialog's control with SubclassDlgItem; a derived class changes how it paints
// or handles messages by overriding CWnd's handlers and OnChildNotify (which
// gets the edit's own EN_ notifications and WM_CTLCOLOR... back from its parent).

#include "framework/Wnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)

public:
    CEdit() = default;
    ~CEdit() override;

    // A child edit control with WS_CHILD added to the style.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE);
    void SetLimitText(UINT maxChars) { SendMessage(EM_SETLIMITTEXT, maxChars, 0); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly, 0)); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY, 0, 0)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified, 0); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT, 0, 0)); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO, 0, 0)); }
    void Cut() { SendMessage(WM_CUT, 0, 0); }
    void Copy() { SendMessage(WM_COPY, 0, 0); }
    void Paste() { SendMessage(WM_PASTE, 0, 0); }
    void Clear() { SendMessage(WM_CLEAR, 0, 0); }
};
