#pragma once
// CCellEdit: the in-place editor of one cell of the Text pane's track list.
// Each keystroke is written at once into the list's cell and into the field of
// the track-list text that the cell shows, so the label repaints while the
// user types. A backtick, the field separator of the program's text records,
// never gets in: typed or pasted, it becomes an apostrophe.
//
// The owner (the track list, the editor's parent window) implements
// CCellEditOwner and sets the field index and the object name before it shows
// the editor; with no object name the editor is an ordinary edit box. The
// texts themselves are the application's: it implements CCellTextStore.

#include "framework/String.h"
#include "uikit/ChangeNotifyEdit.h"

// What the cell editor needs of the list it edits in.
class CCellEditOwner {
public:
    virtual ~CCellEditOwner() = default;
    // The cell being edited; -1 when none.
    virtual int GetCurrentRow() const = 0;
    virtual int GetCurrentColumn() const = 0;
    // Writes the rows back into the Track object (undo pair when they changed).
    virtual void ApplyChanges() = 0;
    // Escape: the editor has put its cell back as it was; it is to go.
    virtual void CloseCellEditor() {}
};

// Where the text records the cells show are kept.
class CCellTextStore {
public:
    virtual ~CCellTextStore() = default;
    // Writes `value` into field `fieldIndex` of the first text record of the
    // object `objectName` and has the object laid out again when idle.
    virtual void WriteCellText(const CString& objectName, int fieldIndex, const CString& value) = 0;
};

// The text with backtick-closed field `index` (from 0) replaced by `value`;
// false, and the text untouched, when the text has no such field.
bool ReplaceBacktickField(CString& text, int index, const CString& value);

class CCellEdit : public CChangeNotifyEdit {
    DECLARE_DYNAMIC(CCellEdit)

public:
    CCellEdit() = default;

    int m_nFieldIndex = 0;
    CString m_strObjectName;
    bool m_bKeyPressed = true;

    // Shows a cell's text, which is no edit: nothing is written, and Escape
    // comes back to it.
    void Load(const CString& text);
    const CString& LoadedText() const { return m_strLoaded; }
    // Puts another text in and writes it as if it had been typed.
    void Replace(const CString& text);

    // Typed backticks become apostrophes; a key-up writes the cell and the
    // text; Escape puts the loaded text back and has the owner close the editor.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnChange() override;
    void OnKillFocus() override;

private:
    // Writes the editor's text into the list's current cell, into the field of
    // the text record and marks the object for the idle refresh.
    void WriteCell();
    CCellEditOwner* Owner() const;

    CString m_strLoaded;
};
