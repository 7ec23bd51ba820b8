#include "uikit/SwitchTabCtrl.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSwitchTabCtrl, CTabCtrl)

namespace {

constexpr int kPageMargin = 4;

}  // namespace

CSwitchTabCtrl::~CSwitchTabCtrl()
{
    // A control destroyed with its object still hands its pages back first.
    if (m_hWnd)
        DestroyWindow();
}

int CSwitchTabCtrl::AddPage(LPCSTR caption, std::unique_ptr<CWnd> page, int value)
{
    if (!page)
        return -1;
    Page entry;
    entry.window = page.get();
    entry.owned = std::move(page);
    entry.value = value;
    return InsertPage(caption, std::move(entry));
}

int CSwitchTabCtrl::AddPage(LPCSTR caption, CWnd& page, int value)
{
    Page entry;
    entry.window = &page;
    entry.value = value;
    return InsertPage(caption, std::move(entry));
}

int CSwitchTabCtrl::InsertPage(LPCSTR caption, Page page)
{
    const int index = InsertItem(GetItemCount(), caption);
    if (index < 0)
        return -1;
    m_pages.insert(m_pages.begin() + index, std::move(page));
    CWnd* window = m_pages[static_cast<size_t>(index)].window;
    if (index == GetCurSel()) {
        RECT client{};
        GetClientRect(&client);
        ShowSelectedPage(index, client.right, client.bottom);
    } else if (window->m_hWnd) {
        window->ShowWindow(SW_HIDE);
    }
    return index;
}

CWnd* CSwitchTabCtrl::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)].window;
}

void CSwitchTabCtrl::ShowSelectedPage(int index, int width, int height)
{
    CWnd* page = GetPage(index);
    if (!page || !page->m_hWnd)
        return;
    const DWORD style = GetStyle();
    RECT tab{};
    GetItemRect(0, &tab);
    const bool vertical = (style & TCS_VERTICAL) != 0;
    const int rows = GetRowCount();
    const int extent = rows * (vertical ? tab.right - tab.left : tab.bottom - tab.top);
    // TCS_BOTTOM and TCS_RIGHT are the same bit: the tabs on the far side.
    const bool farSide = (style & TCS_BOTTOM) != 0;

    RECT place{kPageMargin, kPageMargin, width - kPageMargin, height - kPageMargin};
    if (vertical) {
        if (!farSide)
            place.left += extent;
        else
            place.right -= extent;
    } else {
        if (!farSide)
            place.top += extent;
        else
            place.bottom -= extent;
    }
    // The page may be a sibling: place it in the parent's coordinates.
    ::MapWindowPoints(m_hWnd, ::GetParent(page->m_hWnd), reinterpret_cast<POINT*>(&place), 2);
    page->SetWindowPos(HWND_TOP, place.left, place.top, std::max(0L, place.right - place.left),
                       std::max(0L, place.bottom - place.top), SWP_SHOWWINDOW);
}

void CSwitchTabCtrl::NoteFocus()
{
    CWnd* page = GetPage(GetCurSel());
    if (!page || !page->m_hWnd)
        return;
    HWND focus = ::GetFocus();
    if (focus && (focus == page->m_hWnd || ::IsChild(page->m_hWnd, focus)))
        m_pages[static_cast<size_t>(GetCurSel())].focus = focus;
}

void CSwitchTabCtrl::HideCurrentPage()
{
    const int index = GetCurSel();
    CWnd* page = GetPage(index);
    if (!page)
        return;
    NoteFocus();
    OnPageHiding(index, m_pages[static_cast<size_t>(index)].value);
    if (page->m_hWnd)
        page->ShowWindow(SW_HIDE);
}

void CSwitchTabCtrl::ShowCurrentPage()
{
    const int index = GetCurSel();
    if (!GetPage(index))
        return;
    RECT client{};
    GetClientRect(&client);
    ShowSelectedPage(index, client.right, client.bottom);
    HWND focus = m_pages[static_cast<size_t>(index)].focus;
    if (focus && ::IsWindow(focus))
        ::SetFocus(focus);
    OnPageShown(index, m_pages[static_cast<size_t>(index)].value);
}

BOOL CSwitchTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TCN_SELCHANGING)
            HideCurrentPage();
        else if (header->code == TCN_SELCHANGE)
            ShowCurrentPage();
        // The parent hears of the change as well.
        return FALSE;
    }
    return CTabCtrl::OnChildNotify(message, wParam, lParam, result);
}

void CSwitchTabCtrl::OnSetFocus(HWND oldWindow)
{
    CTabCtrl::OnSetFocus(oldWindow);
    const int index = GetCurSel();
    CWnd* page = GetPage(index);
    if (!page || !page->m_hWnd)
        return;
    Page& current = m_pages[static_cast<size_t>(index)];
    // A click on a tab takes the focus from the page first: remember where it was.
    if (oldWindow && (oldWindow == page->m_hWnd || ::IsChild(page->m_hWnd, oldWindow))) {
        current.focus = oldWindow;
        return;
    }
    if (current.focus && ::IsWindow(current.focus) && ::IsWindowVisible(current.focus))
        ::SetFocus(current.focus);
}

void CSwitchTabCtrl::OnKillFocus(HWND newWindow)
{
    CTabCtrl::OnKillFocus(newWindow);
    const int index = GetCurSel();
    CWnd* page = GetPage(index);
    if (page && page->m_hWnd && newWindow && (newWindow == page->m_hWnd || ::IsChild(page->m_hWnd, newWindow)))
        m_pages[static_cast<size_t>(index)].focus = newWindow;
}

void CSwitchTabCtrl::OnDestroy()
{
    RemoveAllPages();
    CTabCtrl::OnDestroy();
}

void CSwitchTabCtrl::RemoveAllPages()
{
    while (!m_pages.empty()) {
        const int index = GetPageCount() - 1;
        Page page = std::move(m_pages.back());
        m_pages.pop_back();
        OnPageRemoved(index, page.value);
        if (page.window->m_hWnd)
            page.window->DestroyWindow();
    }
}

void CSwitchTabCtrl::OnPageShown(int, int) {}

void CSwitchTabCtrl::OnPageHiding(int, int) {}

void CSwitchTabCtrl::OnPageRemoved(int, int) {}
