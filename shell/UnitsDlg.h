#pragma once
// CUnitsDlg: chooses whether lengths are shown in inches or millimetres. OK
// sets the view's unit and stores it as the setting "Units".
//
//     CUnitsDlg dialog(view);
//     dialog.DoModal();

#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"

class CQuorbel6View;

class CUnitsDlg : public CDialog
{
    DECLARE_DYNAMIC(CUnitsDlg)

public:
    // The view is the dialog's parent and the one whose unit it sets.
    explicit CUnitsDlg(CQuorbel6View& view);
    ~CUnitsDlg() override;

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    CQuorbel6View& m_view;
    CComboBox m_units;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CDialogWindowIcon m_windowIcon;
};
