#pragma once
// The print dialog's paper tab: one page per sheet kind ("Front", "Back",
// "Disc"), each with its paper list and a small preview of the sheet, and on
// the Disc page the position of a single layout's disc label.

#include "printing/PrintDialogTarget.h"

#include <windows.h>

#include <array>
#include <functional>

class CPrintPageTab;

// One page of the tab: a child dialog made from its own template.
class CPrintPaperPage
{
public:
    enum Kind
    {
        Front,
        Back,
        Disc
    };

    CPrintPaperPage(CPrintPageTab& tab, Kind kind) : m_tab(tab), m_kind(kind) {}
    CPrintPaperPage(const CPrintPaperPage&) = delete;
    CPrintPaperPage& operator=(const CPrintPaperPage&) = delete;

    // The page's window; it lives as a child of the tab control.
    bool Create(HWND tabControl);
    HWND Window() const { return m_hWnd; }
    Kind PageKind() const { return m_kind; }

    // The template index of the paper chosen in the list; -1 when none.
    int SelectedPaper() const;
    void SelectPaper(int templateIndex);
    DiscPosition Position() const;
    // Draws the preview again.
    void RefreshPreview() const;

private:
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id, int code);
    void DrawPreview(const DRAWITEMSTRUCT& item) const;
    // The sheet of the paper that this page's part lies on: 1 or 2.
    int SheetOf(const CLabelDim& paper) const;

    CPrintPageTab& m_tab;
    Kind m_kind;
    HWND m_hWnd = nullptr;
};

class CPrintPageTab
{
public:
    // `recount` is told when the cover paper changes the pages of the job.
    CPrintPageTab(IPrintDialogTarget& target, std::function<void()> recount);
    CPrintPageTab(const CPrintPageTab&) = delete;
    CPrintPageTab& operator=(const CPrintPageTab&) = delete;

    // Inserts the three tabs, selects "Disc" and makes the pages.
    void Attach(HWND tabControl);
    bool IsAttached() const { return m_hTab != nullptr; }
    // Shows the page of the selected tab and hides the others.
    void OnSelChange();

    CPrintPaperPage& Page(CPrintPaperPage::Kind kind) { return m_pages[static_cast<size_t>(kind)]; }
    const CPrintPaperPage& Page(CPrintPaperPage::Kind kind) const { return m_pages[static_cast<size_t>(kind)]; }
    IPrintDialogTarget& Target() const { return m_target; }

    // A cover paper chosen on one cover page is chosen on the other too.
    void OnCoverPaperChosen(CPrintPaperPage::Kind chosenOn);
    PrintPaperChoice Choice() const;

private:
    IPrintDialogTarget& m_target;
    std::function<void()> m_recount;
    HWND m_hTab = nullptr;
    std::array<CPrintPaperPage, 3> m_pages;
};
