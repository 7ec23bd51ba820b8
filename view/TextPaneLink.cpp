// What the Text pane asks of the view: the text rows of the selected object,
// written at once while the user types and committed as one undo step.
#include "view/Quorbel6View.h"

#include "framework/Document.h"
#include "framework/ErrorReport.h"

bool CQuorbel6View::FindPaneText(const CString& key, CString& itemType, CString& value) const
{
    const int row = Model().FindTextRow(key);
    if (row < 0)
        return false;
    const TextEntry& text = Model().Texts()[static_cast<size_t>(row)];
    itemType = text.m_strItemType;
    value = text.m_strValue;
    return true;
}

void CQuorbel6View::WritePaneText(const CString& key, const CString& value)
{
    Guarded(610, ErrorSink::Window(this), [&] {
        CLabelModel& model = Model();
        bool changed = false;
        const int count = static_cast<int>(model.Texts().size());
        for (int row = 0; row < count; ++row) {
            const TextEntry& text = model.Texts()[static_cast<size_t>(row)];
            if (text.m_strName == key && text.m_strValue != value)
                changed = model.SetTextRowValue(row, value) || changed;
        }
        if (changed) {
            if (CDocument* doc = GetDocument())
                doc->SetModifiedFlag(TRUE);
        }
    });
}

void CQuorbel6View::CommitPaneText(const CString& objectName, const CString& oldValue, const CString& newValue)
{
    Guarded(611, ErrorSink::Window(this), [&] {
        if (oldValue == newValue)
            return;
        PropertyEntry payload;
        payload.m_strObjectName = objectName;
        payload.m_strKey = "Text";
        payload.m_strValue = oldValue;
        AddUndoRecord(payload, "Change", "From");
        ApplyProperty(objectName, "Text", newValue);
        payload.m_strValue = newValue;
        AddUndoRecord(payload, "Change", "To");
        CommitUndoStep();
        if (CDocument* doc = GetDocument())
            doc->SetModifiedFlag(TRUE);
    });
}

void CQuorbel6View::RefreshTextObjects(const CString& key)
{
    UpdateTextObjects(key);
}

bool CQuorbel6View::PassToTextField(UINT message)
{
    const IViewFrame* frame = ViewFrame();
    const HWND field = frame ? frame->FocusedTextField() : nullptr;
    if (!field)
        return false;
    if (message == WM_CLEAR) {
        // Delete without a selection takes the character after the caret, as the key does.
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (start == end)
            ::SendMessageA(field, EM_SETSEL, start, start + 1);
    }
    ::SendMessageA(field, message, 0, 0);
    return true;
}
