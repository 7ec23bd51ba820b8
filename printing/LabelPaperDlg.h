#pragma once
// CLabelPaperDlg: Change Label Paper. The user picks the disc-label paper and
// the jewel-case paper in use from the template store, sees a preview of
// each sheet, edits or creates templates in the alignment wizard, deletes
// them and changes their order.
//
//     CLabelPaperDlg dialog(host, parent);
//     if (dialog.DoModal() != -1) ... lay the pages out again
//
// OK takes the two selections and writes the store; it ends with 1. Cancel
// ends with -1 and puts the store back as it was last written, so a change of
// order that was never saved is undone.

#include "framework/Gdi.h"
#include "framework/ListBox.h"
#include "framework/UserHandles.h"
#include "printing/LabelPaperHost.h"
#include "printing/LabelTemplateFile.h"
#include "uikit/BevelButton.h"
#include "uikit/ColorStatic.h"
#include "uikit/NewDialog.h"
#include "uikit/SwatchButton.h"

#include <array>

class CLabelPaperDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CLabelPaperDlg)
    DECLARE_COMMAND_MAP()

public:
    static constexpr int kPreviewMargin = 10;

    CLabelPaperDlg(ILabelPaperHost& host, CWnd* parent = nullptr);
    ~CLabelPaperDlg() override;

    BOOL OnInitDialog() override;

    // Each list's entries carry the template's index in the store.
    void FillLists();
    void TakeSelections();
    // Whether the dialog came up at all; -1 from DoModal means Cancel when it did.
    bool WasShown() const { return m_bShown; }

protected:
    void OnOK() override;
    void OnCancel() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

    void OnSelChangeDiscList();
    void OnSelChangeJewelList();
    void OnEditDiscDimensions();
    void OnEditJewelDimensions();
    void OnCreateNewDisc();
    void OnCreateNewJewel();
    void OnDeleteDiscTemplate();
    void OnDeleteJewelTemplate();
    void OnDiscUp();
    void OnDiscDown();
    void OnJewelUp();
    void OnJewelDown();

private:
    enum class Side
    {
        Disc,
        Jewel
    };
    CListBox& ListOf(Side side) { return side == Side::Disc ? m_discList : m_jewelList; }
    int& ChoiceOf(Side side);
    // The store index of a list's selected entry; -1 when none.
    int SelectedTemplate(Side side);
    void SelectTemplate(Side side, int templateIndex);
    void RunWizard(Side side, bool createNew, int errorNumber);
    void DeleteTemplate(Side side, int errorNumber);
    void MoveTemplate(Side side, int direction, int errorNumber);
    void DrawSheetPreview(HDC dc, int templateIndex, int sheetNumber);
    void DrawPreviewBox(HDC dc);
    void RedrawPreviews(Side side);
    // The store as it was last written; Cancel goes back to it.
    void RememberSaved();

    ILabelPaperHost& m_host;
    LabelTemplateList m_saved;

    CBevelButton m_ok, m_cancel, m_discEdit, m_discCreate, m_jewelEdit, m_jewelCreate, m_discDelete, m_jewelDelete;
    CSwatchButton m_discPreview, m_page2Preview, m_page3Preview;
    CColorStatic m_discCaption, m_jewelCaption, m_discPreviewCaption, m_page2Caption, m_page3Caption;
    CListBox m_discList, m_jewelList;
    std::array<CMemoryDC, 3> m_previewDCs;
    std::array<CBitmap, 3> m_previewBitmaps;
    std::array<std::unique_ptr<CSelectGuard>, 3> m_previewSelections;
    SIZE m_previewSize = {};
    OwnedIcon m_windowIcon;
    bool m_bShown = false;
};
