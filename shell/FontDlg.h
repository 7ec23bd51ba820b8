#pragma once

#include "framework/Button.h"
#include "framework/String.h"
#include "framework/Wnd.h"
#include "shell/ColorDlgHost.h"
#include "shell/ColorDlgRows.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/PaintStatic.h"
#include "uikit/TransparentButton.h"

#include <array>

#include <windows.h>

#include <vector>

// The marker beside the fitted size: "AutoFit On" when the text had to be set
// smaller than chosen to fit its box, else "AutoFit Off".
class CAutoFitButton : public CButton
{
    DECLARE_DYNAMIC(CAutoFitButton)

public:
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    CString m_strText;
};

// The font chooser of a "FONT" row: the system's font dialog on the program's
// own template, previewing each face, style and size on the label at once and
// showing the size the text really fits at. Its check box extends the font to
// every object of the selected one's kind. OK keeps the fonts as one undo
// step; Cancel puts every row back.
class CFontDlg : public CWnd
{
    DECLARE_DYNAMIC(CFontDlg)

public:
    // `caption` names the selected object's row being edited; `font` is the
    // row's value as the dialog starts from it.
    CFontDlg(IStyleDialogHost& host, const CString& caption, const LOGFONTA& font, HWND owner);

    // IDOK or 0 (cancelled).
    INT_PTR DoModal();

    const CString& CurrentFont() const { return m_strCurrent; }
    const std::vector<StyleRows::RowRef>& AffectedRows() const { return m_rows; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    // The face, style and size chosen now; nothing while face or style has no
    // choice. The size is the size list's choice, or else the size field's text.
    void UpdatePreview(bool sizeFromList = false);
    void ApplyPreview();
    // The fitted size of the selected object into the box and the marker.
    void ShowFittedSize();
    void OnOK();
    void OnCancel();
    CString ComboSelection(int id) const;

    IStyleDialogHost& m_host;
    CString m_strCaption;
    LOGFONTA m_font;
    HWND m_owner;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CAutoFitButton m_autoFit;
    // The labels and the check box, drawn on the panel background.
    std::array<CPaintStatic, 4> m_labels;
    CTransparentButton m_setAll;
    std::vector<StyleRows::RowRef> m_rows;
    CString m_strCurrent;
    CDialogWindowIcon m_windowIcon;
    bool m_bReady = false;
};
