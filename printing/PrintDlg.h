#pragma once
// CPrintDlg: the program's print dialog, the common print dialog with the
// program's own template (1538). Besides the printer and the copies it asks
// which parts of the label to print, which decides the pages of the job, and
// in calibration mode the calibration offsets.

#include "framework/PrintDialog.h"
#include "printing/PrintDialogTarget.h"
#include "printing/PrintPageRange.h"
#include "printing/PrintPaperPages.h"

class CPrintDlg : public CPrintDialog
{
    DECLARE_DYNAMIC(CPrintDlg)
    DECLARE_COMMAND_MAP()

public:
    // The view passes FALSE, the flags 0x44106 and no parent.
    CPrintDlg(IPrintDialogTarget& target, BOOL printSetupOnly, DWORD flags, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The pages the parts chosen give, written into the dialog's page fields,
    // and the total shown; the range is kept for the job.
    PrintPageRange UpdatePageCount();
    // Keeps the offsets typed, each held to -40..+40.
    void SavePrintOffset();

    static constexpr DWORD kViewFlags = PD_PAGENUMS | PD_NOSELECTION | PD_RETURNDC | PD_ENABLEPRINTTEMPLATE |
                                        PD_USEDEVMODECOPIES;
    static constexpr int kMaxOffset = 40;

private:
    void OnPrintFront();
    void OnPrintBack();
    void OnPrintDisc1();
    void OnPrintDisc2();
    void OnOK();
    void OnCancelButton();
    void OnKillFocusHorizontal();
    void OnKillFocusVertical();
    void OnUpdateHorizontal();
    void OnUpdateVertical();
    void OnChangeCopies();

    void TogglePart(PrintPart part, int buttonId);
    bool IsChecked(int buttonId) const;
    // The offset field's number held to the range, written back when it changed.
    int ClampOffsetField(int fieldId);
    // Leaves only digits and a minus sign in an offset field.
    void FilterOffsetField(int fieldId);
    void PlacePartButtons();
    // The back cover's page on the cover paper the Back page shows: 2 or 3.
    int BackCoverPage() const;

    IPrintDialogTarget& m_target;
    bool m_bBusy = true;  // set while the dialog writes its own fields
    CPrintPageTab m_tabPaper;
};
