#pragma once
// CGridSizeDlg: edits the grid spacing of the label view, horizontal and
// vertical, in the view's unit. The caller hands the spacing in and, after
// OK, stores the spacing the dialog gives out when it changed.
//
//     CGridSizeDlg dialog(spacingX, spacingY, inMillimeters, this);
//     if (dialog.DoModal() == IDOK && dialog.HasChanged()) ... store, redraw

#include "framework/String.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/CaptionFrameButton.h"
#include "uikit/NewDialog.h"
#include "uikit/PaintStatic.h"

class CGridSizeDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CGridSizeDlg)
    DECLARE_COMMAND_MAP()

public:
    // The spacing the dialog offers, thousandths of an inch.
    static constexpr int kSmallestSpacing = 30;
    static constexpr int kLargestSpacing = 1000;

    // The spacing in thousandths of an inch, shown in millimetres or inches.
    CGridSizeDlg(int spacingX, int spacingY, bool inMillimeters, CWnd* parent);
    ~CGridSizeDlg() override;

    BOOL OnInitDialog() override;

    // The spacing chosen; after OK, else the one handed in.
    int GetSpacingX() const { return m_nSpacingX; }
    int GetSpacingY() const { return m_nSpacingY; }
    // OK was pressed with a spacing other than the one handed in.
    bool HasChanged() const { return m_bChanged; }

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

    int m_nSpacingX;
    int m_nSpacingY;
    bool m_bInMillimeters;
    bool m_bChanged = false;
    CString m_strShownHorizontal;
    CString m_strShownVertical;
    CCaptionFrameButton m_frame;
    CPaintStatic m_horizontalLabel;
    CPaintStatic m_verticalLabel;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CDialogWindowIcon m_windowIcon;
};
