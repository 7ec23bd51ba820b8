#pragma once
// CGridSizeDlg: edits the grid spacing of the label view, horizontal and
// vertical, in the view's unit. OK stores a changed spacing in the view and
// as the setting "GridSize".
//
//     CGridSizeDlg dialog(view);
//     if (dialog.DoModal() == IDOK) ... redraw

#include "framework/String.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/CaptionFrameButton.h"
#include "uikit/NewDialog.h"
#include "uikit/PaintStatic.h"

class CQuorbel6View;

class CGridSizeDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CGridSizeDlg)
    DECLARE_COMMAND_MAP()

public:
    // The spacing the dialog offers, thousandths of an inch.
    static constexpr int kSmallestSpacing = 30;
    static constexpr int kLargestSpacing = 1000;

    // `view` holds the spacing; the parent defaults to the view.
    explicit CGridSizeDlg(CQuorbel6View& view, CWnd* parent = nullptr);
    ~CGridSizeDlg() override;

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnKillFocusHorizontal();
    void OnKillFocusVertical();
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    bool InMillimeters() const;
    // The entry of one edit shown again in the dialog's unit, within the limits.
    void TidyEntry(int editId);
    // The spacing an edit asks for; an entry left as it was shown keeps `current`.
    int SpacingOfEntry(int editId, const CString& shownAtOpening, int current) const;

    CQuorbel6View& m_view;
    CString m_strShownHorizontal;
    CString m_strShownVertical;
    CCaptionFrameButton m_frame;
    CPaintStatic m_horizontalLabel;
    CPaintStatic m_verticalLabel;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CDialogWindowIcon m_windowIcon;
};
