#pragma once
// CPrintDlg: the program's print dialog, the common print dialog with the
// program's own template (1538). Besides the printer and the copies it asks
// which parts of the label to print, which decides the pages of the job, and
// in calibration mode the calibration offsets.

#include "framework/PrintDialog.h"
#include "framework/UserHandles.h"
#include "printing/PrintDialogTarget.h"
#include "printing/PrintPageRange.h"
#include "printing/PrintPaperPages.h"
#include "uikit/BevelButton.h"
#include "uikit/CaptionFrameButton.h"
#include "uikit/ColorStatic.h"
#include "uikit/DisplayEdit.h"
#include "uikit/PictureStatic.h"
#include "uikit/TransparentButton.h"

#include <array>

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
    void OnCloseUpPrinter();
    void OnSelChangePrinter();
    void OnCollate();
    void OnSelectPaper();

protected:
    BOOL OnEraseBkgnd(HDC dc) override;
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message) override;
    void OnDestroy() override;

private:

    void TogglePart(PrintPart part, int buttonId, int errorNumber);
    bool IsChecked(int buttonId) const;
    // The offset field's number held to the range, written back when it changed.
    int ClampOffsetField(int fieldId, int errorNumber);
    // Leaves only digits and a minus sign in an offset field.
    void FilterOffsetField(int fieldId, int errorNumber);
    void PlacePartButtons();
    // The program's own look over the common dialog's controls.
    void AttachControls();
    // The collate picture shows whether copies are collated.
    void FollowCollate();
    // The back cover's page on the cover paper the Back page shows: 2 or 3.
    int BackCoverPage() const;

    IPrintDialogTarget& m_target;
    bool m_bBusy = true;  // set while the dialog writes its own fields
    // The last mouse message of a cursor request, and whether the printer
    // list just closed: the common dialog leaves the dialog half painted then.
    int m_nLastMouseMsg = 0;
    bool m_bPrinterListClosed = false;
    OwnedIcon m_windowIcon;
    // Print, Cancel, the four parts, Properties and Select Paper.
    std::array<CBevelButton, 8> m_buttons;
    CTransparentButton m_collate;
    CPictureStatic m_collatePicture;
    std::array<CPictureStatic, 14> m_texts;
    std::array<CColorStatic, 4> m_captions;
    std::array<CCaptionFrameButton, 5> m_frames;
    std::array<CDisplayEdit, 2> m_paperNames;
    CPrintPageTab m_tabPaper;
};
