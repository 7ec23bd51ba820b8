#pragma once
// CUnitsDlg: chooses whether lengths are shown in inches or millimetres
// ("Inches" or "Millimeters"). The caller hands the unit in and, after OK,
// stores the unit the dialog gives out.
//
//     CUnitsDlg dialog(m_strUnits, this);
//     if (dialog.DoModal() == IDOK) ... store dialog.GetUnits()

#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/String.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"

class CUnitsDlg : public CDialog
{
    DECLARE_DYNAMIC(CUnitsDlg)

public:
    CUnitsDlg(const CString& units, CWnd* parent);
    ~CUnitsDlg() override;

    BOOL OnInitDialog() override;

    // The unit chosen; after OK, else the one handed in.
    const CString& GetUnits() const { return m_strUnits; }

protected:
    void OnOK() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    CString m_strUnits;
    CComboBox m_units;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CDialogWindowIcon m_windowIcon;
};
