#pragma once

#include "framework/String.h"
#include "shell/TextEditorEdit.h"
#include "shell/TextEditorTrackList.h"
#include "uikit/BevelButton.h"
#include "uikit/ColorStatic.h"
#include "uikit/NumberComboBox.h"
#include "uikit/SizingControlBarCF.h"
#include "uikit/TrackButton.h"

#include <windows.h>

class ITextPaneHost;

// The docking pane "Text": edits the text of the selected object. A free text
// gets an edit box; a track list gets the track list with its count box and
// the Delete, Move Up and Move Down buttons; anything else an empty well.
// Every change reaches the label at once; each finished edit is one undo step.
class CTextEditorBar : public CSizingControlBarCF, public CNumberComboTarget
{
    DECLARE_DYNAMIC(CTextEditorBar)

public:
    static constexpr UINT kTrackCountId = 1104;
    static constexpr UINT kDeleteId = 1108;
    static constexpr UINT kMoveUpId = 1109;
    static constexpr UINT kMoveDownId = 1110;
    // DoTrackCommand's commands.
    static constexpr int kDelete = 1;
    static constexpr int kMoveUp = 2;
    static constexpr int kMoveDown = 3;

    void AttachHost(ITextPaneHost* host);

    // Switches the pane to the named object: its text, its track list or nothing.
    void ShowObject(const CString& objectName);
    // Refills the track list from the selected object's text.
    void LoadTrackList();
    // CBN_SELCHANGE of the count box, and Enter in it: the track list gets that many tracks.
    void OnTrackCountChange() override;
    // Delete, Move Up or Move Down on the cell being edited or the selected rows.
    void DoTrackCommand(int command);

    // The Text pane's field that has the keyboard focus for the edit commands:
    // the edit box, the name editor or the time editor, in that order; null when none.
    HWND FocusedField() const;
    // Whether one of the three fields has noted that it holds the focus.
    bool HasFieldFocusFlag() const;
    void ClearFocusFlags();
    bool EditHasFocusFlag() const { return m_bEditFocus; }

    CTextEditorEdit& Edit() { return m_edit; }
    CTrackListCtrl& TrackList() { return m_trackList; }
    CNumberComboBox& TrackCount() { return m_trackCount; }
    CTrackButton& Placeholder() { return m_placeholder; }
    CBevelButton& Button(int command);
    // Places the children for the pane's size and docking.
    void LayOut();

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateButton(CBevelButton& button, UINT id, int image, LPCSTR tip);
    void OnEditSetFocus();
    void PaintBackground(HDC dc);
    // The track-count box shows `count`; no entry is chosen beyond its range.
    void ShowTrackCount(int count);

    ITextPaneHost* m_host = nullptr;
    CTextEditorEdit m_edit;
    CTrackListCtrl m_trackList;
    CNumberComboBox m_trackCount;
    CColorStatic m_tracksLabel;
    CTrackButton m_placeholder;
    bool m_bEditFocus = false;
    CBevelButton m_delete;
    CBevelButton m_moveUp;
    CBevelButton m_moveDown;
};
