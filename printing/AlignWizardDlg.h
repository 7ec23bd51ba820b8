#pragma once
// CAlignWizardDlg: the label alignment wizard. It edits one template of the
// store, or makes a new one from it, on a working copy: name, paper size,
// orientation, pages, fold and the places of the parts, in the user's unit.
// Save writes the copy back and the store to "labels.ini"; Cancel leaves both.
// Print Test prints the sheet shown with the parts' outlines where the copy
// puts them.
//
//     CAlignWizardDlg wizard(index, CAlignWizardDlg::kEdit, 1, host, parent);
//     if (wizard.DoModal() == IDOK) ...

#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/UserHandles.h"
#include "printing/AlignWizardRules.h"
#include "printing/LabelPaperHost.h"
#include "printing/PartPreviewButton.h"
#include "uikit/BevelButton.h"
#include "uikit/ColorStatic.h"
#include "uikit/ImageListButton.h"
#include "uikit/NewDialog.h"

#include <array>
#include <memory>
#include <optional>

class CAlignWizardDlg : public CNewDialog, public CImageListButtonOwner
{
    DECLARE_DYNAMIC(CAlignWizardDlg)
    DECLARE_COMMAND_MAP()

public:
    enum Mode
    {
        kEdit = 0,
        kNew = 1
    };

    // `side` 1 shows the front cover's sheet first, 0 the back cover's.
    CAlignWizardDlg(int templateIndex, int mode, int side, ILabelPaperHost& host, CWnd* parent = nullptr);
    ~CAlignWizardDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // The wizard's window in a work area: 25 pixels below its top, as high
    // as the area less 35, as wide as that height gives the template's
    // proportions but 761 to 915 pixels, never wider than the area; centred.
    static RECT WizardPlacement(const RECT& workArea, SIZE templateSize);

    // The working copy as it stands.
    const CLabelDim& WorkingCopy() const { return m_rules->Paper(); }

    void ShowValues();
    void UpdatePage();
    void OnImageListButtonClicked() override;

protected:
    void OnOK() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

    void OnSelChangeUnits();
    void OnSelChangeCombo1200();
    void OnSelChangeCombo1205();
    void OnSelChangeCombo1176();
    void OnSelChangeCombo1178();
    void OnDeltaPos(UINT id, NMHDR* header, LRESULT* result);
    void OnKillFocusValue(UINT id);
    void OnKillFocusName();
    // Prints the sheet shown, as the working copy places the parts on it.
    void OnPrintTest();

private:
    // Commits the edit with the control id: a value or the name.
    void ReadEdit(int controlId);
    void FillCustomProducts();

    int m_templateIndex;
    int m_mode;
    int m_side;
    ILabelPaperHost& m_host;
    std::unique_ptr<AlignWizardRules> m_rules;
    CEdit m_name;
    std::array<CEdit, 6> m_values;
    CComboBox m_units, m_paperSize, m_pages, m_orientation, m_folded;
    CPartPreviewButton m_preview;
    CImageListButton m_sideSwitch;
    CBevelButton m_save, m_cancel, m_printTest;
    std::array<CColorStatic, 12> m_captions;
    OwnedIcon m_windowIcon;
};
