#pragma once
// The print dialog's paper tab: one page per sheet kind ("Front", "Back",
// "Disc"), each with its paper list and a small preview of the sheet with the
// label's design on it, and on the Disc page the position of a single
// layout's disc label.

#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "printing/PrintDialogTarget.h"
#include "uikit/BevelButton.h"
#include "uikit/CaptionFrameButton.h"
#include "uikit/PageTabCtrl.h"
#include "uikit/PictureStatic.h"
#include "uikit/SwatchButton.h"
#include "uikit/TransparentButton.h"

#include <windows.h>

#include <array>
#include <functional>

class CLabelDim;
class CPrintPageTab;

// One page of the tab: a child dialog made from its own template.
class CPrintPaperPage : public CDialog
{
    DECLARE_DYNAMIC(CPrintPaperPage)
    DECLARE_COMMAND_MAP()

public:
    enum Kind
    {
        Front,
        Back,
        Disc
    };

    CPrintPaperPage(CPrintPageTab& tab, Kind kind);

    // The page's window, a child of the tab control.
    bool CreatePage();
    Kind PageKind() const { return m_kind; }

    // The template index of the paper chosen in the list; -1 when none.
    int SelectedPaper() const;
    void SelectPaper(int templateIndex);
    DiscPosition Position() const;

    // The sheet preview: kept by the preview button, laid out on the next paint.
    bool HasPreview() const;
    void SetPreview(CBitmap preview);
    void DropPreview();
    // Lays the page out for its preview now rather than on the next paint.
    void LayoutPage();
    bool IsLayoutPending() const { return m_bLayoutPending; }
    // Repaints the preview button.
    void RefreshPreview();

    // The label's design as drawn on the sheet: the cover of a cover page, or
    // the two discs of the Disc page (index 0 and 1); made when first needed.
    const CBitmap& MakeSnapshot(int index = 0);
    void DropSnapshots();

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The preview button's click, in its client coordinates: on the Disc page
    // a click on a disc's place chooses that place.
    void OnPreviewClick(POINT point);

protected:
    // A page has no OK or Cancel of its own; Enter and Escape belong to the print dialog.
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnPaint() override;
    void OnDestroy() override;

private:
    void OnSelChangePaper();
    void OnDropDownPaper();
    void OnEdit();
    void OnTop();
    void OnBottom();
    void OnDuplicate();

    CPrintPageTab& m_tab;
    Kind m_kind;
    CSwatchButton m_preview;
    CBevelButton m_edit;
    CPictureStatic m_caption;
    CCaptionFrameButton m_positionFrame;
    std::array<CTransparentButton, 3> m_positions;
    // "Top", "Bottom" or empty: the first disc's place when the page opened.
    CString m_strLabelPosition;
    std::array<CBitmap, 2> m_snapshots;
    bool m_bLayoutPending = false;
};

class CPrintPageTab : public CPageTabCtrl
{
    DECLARE_DYNAMIC(CPrintPageTab)

public:
    // `recount` is told when the cover paper changes the pages of the job.
    CPrintPageTab(IPrintDialogTarget& target, std::function<void()> recount);

    // Takes over the dialog's tab control, inserts the three tabs, selects
    // "Disc" and makes the pages.
    void AttachTo(HWND tabControl);
    bool IsAttached() const { return m_hWnd != nullptr; }
    void CreatePages();
    // Shows the page of the selected tab, its preview made first when it has none.
    void OnSelChange();

    CPrintPaperPage& Page(CPrintPaperPage::Kind kind) { return m_pages[static_cast<size_t>(kind)]; }
    const CPrintPaperPage& Page(CPrintPaperPage::Kind kind) const { return m_pages[static_cast<size_t>(kind)]; }
    IPrintDialogTarget& Target() const { return m_target; }

    // Draws the sheet preview of a page with the label's design on it.
    void RenderPreview(CPrintPaperPage::Kind kind);
    // A copy of the paper with its lengths in preview pixels.
    CLabelDim ScaleTemplate(const CLabelDim& paper) const;
    // The disc designs in the rings of the disc places chosen; drawing origin
    // at the sheet's corner, which lies at `sheetCorner` of the device.
    void DrawDiscOutlines(HDC dc, const CLabelDim& scaled, POINT sheetCorner);

    // A cover paper chosen on one cover page is chosen on the other too.
    void OnCoverPaperChosen(CPrintPaperPage::Kind chosenOn);
    // The paper pages' choices for the print dialog's OK.
    PrintPaperChoice Choice() const;

    float m_fPreviewScale = 1.0f;

protected:
    void OnDestroy() override;

private:
    void DrawFrontCover(HDC dc, const CLabelDim& paper, const CLabelDim& scaled);
    void DrawBackCover(HDC dc, const CLabelDim& scaled);

    IPrintDialogTarget& m_target;
    std::function<void()> m_recount;
    std::array<CPrintPaperPage, 3> m_pages;
};
