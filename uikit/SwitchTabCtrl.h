#pragma once
// CSwitchTabCtrl: a tab control that keeps one window per tab and shows the
// window of the selected tab inside itself, hiding the others. The window that
// had the focus in a page gets it back when the page is shown again. Derived
// classes hear of pages shown, about to be hidden and removed.

#include "framework/TabCtrl.h"

#include <memory>
#include <vector>

class CSwitchTabCtrl : public CTabCtrl {
    DECLARE_DYNAMIC(CSwitchTabCtrl)

public:
    CSwitchTabCtrl() = default;
    ~CSwitchTabCtrl() override;

    // Adds a tab showing `page` (a child of this control's parent or of the
    // control); the control destroys the window with itself. `value` is handed
    // to the notification operations. The tab's index, or -1.
    int AddPage(LPCSTR caption, std::unique_ptr<CWnd> page, int value = 0);
    // The same for a window the caller keeps; the control destroys its window
    // but leaves the object to the caller.
    int AddPage(LPCSTR caption, CWnd& page, int value = 0);

    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CWnd* GetPage(int index) const;

    // Places the page of tab `index` in a control of that client size and shows it.
    void ShowSelectedPage(int index, int width, int height);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    virtual void OnPageShown(int index, int value);
    virtual void OnPageHiding(int index, int value);
    virtual void OnPageRemoved(int index, int value);

    // Focus taken from the page (a click on a tab) is noted for the page;
    // focus coming from elsewhere goes on to the page's noted window.
    void OnSetFocus(HWND oldWindow) override;
    void OnKillFocus(HWND newWindow) override;
    void OnDestroy() override;

private:
    struct Page {
        CWnd* window = nullptr;
        std::unique_ptr<CWnd> owned;
        HWND focus = nullptr;  // the window that had the focus in the page
        int value = 0;
    };

    int InsertPage(LPCSTR caption, Page page);
    // Notes the window inside the current page that holds the focus.
    void NoteFocus();
    // Hides the current page (TCN_SELCHANGING).
    void HideCurrentPage();
    // Shows the newly selected page and gives its window the focus back (TCN_SELCHANGE).
    void ShowCurrentPage();
    void RemoveAllPages();

    std::vector<Page> m_pages;
};
