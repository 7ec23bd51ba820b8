#pragma once

#include "framework/String.h"
#include "framework/Wnd.h"
#include "shell/ColorDlgHost.h"
#include "shell/ColorDlgRows.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/PaintStatic.h"
#include "uikit/TransparentButton.h"

#include <windows.h>

#include <array>
#include <vector>

// The colour chooser of a "COLOR" row: the system's colour dialog on the
// program's own template, previewing each colour on the label at once. Its
// check box extends the colour to every object of the selected one's kind.
// OK keeps the colours as one undo step; Cancel puts every row back. The 16
// custom colours persist in the profile ("Custom Colors", "0" to "15").
class CDlgColor : public CWnd
{
    DECLARE_DYNAMIC(CDlgColor)

public:
    // `caption` names the selected object's row being edited.
    CDlgColor(IStyleDialogHost& host, const CString& caption, COLORREF initial, HWND owner);

    // The system dialog; the custom colours are saved whatever the result.
    // IDOK or 0 (cancelled).
    INT_PTR DoModal();

    const CString& CurrentColor() const { return m_strCurrent; }
    const std::vector<StyleRows::RowRef>& AffectedRows() const { return m_rows; }
    const std::array<COLORREF, 16>& CustomColors() const { return m_custom; }

    static constexpr char kCustomColorsSection[] = "Custom Colors";

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    // The colour the red, green and blue fields show; false while one is no number.
    bool ReadFields(CString& color) const;
    // The fields changed (a swatch chosen, a number typed): preview what they show.
    void FollowFields();
    void ApplyPreview();
    void OnOK();
    void OnCancel();
    void LoadCustomColors();
    void SaveCustomColors() const;

    IStyleDialogHost& m_host;
    CString m_strCaption;
    COLORREF m_initial;
    HWND m_owner;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CBevelButton m_add;
    CBevelButton m_define;
    // The labels and the check box, drawn on the panel background.
    std::array<CPaintStatic, 10> m_labels;
    CTransparentButton m_setAll;
    std::vector<StyleRows::RowRef> m_rows;
    CString m_strCurrent;
    std::array<COLORREF, 16> m_custom{};
    CDialogWindowIcon m_windowIcon;
    bool m_bReady = false;
};
