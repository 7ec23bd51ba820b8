#pragma once
// CCmdUI: one user-interface item of a command (a menu item, later a tool-bar
// button) while update handlers decide whether it is enabled, checked or what
// it says. The menu pass below runs when a pop-up menu is about to open.

#include <windows.h>

class CCmdTarget;
class CWnd;

class CCmdUI {
public:
    UINT m_nID = 0;
    // Position of the item in m_hMenu, and the item count when the pass
    // started. A handler that inserts items after its own sets m_nIndex to the
    // last of them so the pass skips them.
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    HMENU m_hMenu = nullptr;
    // Set when the item is a pop-up: it follows its first item's handler.
    HMENU m_hSubMenu = nullptr;
    // A window that stands for the item (a control), when it is not a menu item.
    CWnd* m_pOther = nullptr;

    bool m_bEnableChanged = false;
    bool m_bContinueRouting = false;

    CCmdUI() = default;
    virtual ~CCmdUI() = default;
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;

    virtual void Enable(bool on = true);
    // 0 clear, 1 checked, 2 indeterminate (shown as checked in a menu)
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(bool on = true);
    virtual void SetText(LPCSTR text);

    // Called by an update handler that wants the next target on the route asked too.
    void ContinueRouting() { m_bContinueRouting = true; }

    // Asks the target's route for an update handler. When none answers and
    // disableIfNoHandler is set, the item is enabled exactly when some handler
    // executes the command. Returns whether an update handler answered.
    bool DoUpdate(CCmdTarget& target, bool disableIfNoHandler);
};

// The update pass over one pop-up menu: separators are skipped; a pop-up item
// follows its sub-menu's first item and is never disabled for want of a
// handler; command items below the system range without any handler are
// disabled when autoDisable is set. Items that handlers add or remove are
// followed.
void UpdateMenuCommandUI(CCmdTarget& target, HMENU popup, bool autoDisable);
