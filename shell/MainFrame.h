#pragma once

#include "framework/EditingSwitch.h"
#include "framework/ImageList.h"
#include "shell/FrameView.h"
#include "shell/ViewToolbarLayout.h"
#include "uikit/NewFrameWnd.h"

#include <vector>

class CCmdUI;

// The program's main window. Its tool bars and docking panes arrive with the
// shell; for now it hosts the label view, its owner-drawn menus, the editing
// switch and the flags that enable the edit commands.
class CMainFrame : public CNewFrameWnd, public IEditingSwitch, public IViewFrame
{
    DECLARE_DYNCREATE(CMainFrame)
    DECLARE_COMMAND_MAP()

public:
    CMainFrame() = default;
    ~CMainFrame() override;

    // TRUE switches editing off (while the first-run dialogs are pending):
    // the view and the windows that follow the switch are disabled and the
    // edit commands gated; the frame itself stays enabled, so that New, Open
    // and Exit remain reachable. FALSE switches editing on again.
    void EnableEditing(BOOL disable) override;
    BOOL IsEditingDisabled() const override { return m_bEditingDisabled; }
    // A child window that is enabled and disabled with the view by the
    // editing switch from now on: the object list's combo box and the object
    // and view tool bars join here when they are made.
    void FollowEditingSwitch(HWND window);

    // Whether an object is selected in the view; the selected-is-image flag
    // follows the view's selected object. Bars update their buttons at once.
    void SetSelectionState(BOOL selected) override;
    bool IsObjectSelected() const { return m_bObjectSelected != 0; }
    bool IsSelectedImage() const { return m_bSelectedIsImage != 0; }
    // The view tool bar's buttons for the view's layout, guides and panes.
    void UpdateDiscMenus() override;
    const std::vector<ViewToolbarButton>& ViewToolbarLayout() const { return m_viewToolbarButtons; }

    // Written by the view's undo stack and clipboard.
    void SetUndoAvailable(bool available) { m_bUndoAvailable = available ? 1 : 0; }
    void SetRedoAvailable(bool available) { m_bRedoAvailable = available ? 1 : 0; }
    void SetPastePossible(bool possible) { m_bPastePossible = possible ? 1 : 0; }

    // Cleared while a dialog that starts a new label is open, so that New and
    // Open can't start another one meanwhile.
    void SetNewOpenEnabled(bool enabled);
    bool IsNewOpenEnabled() const { return m_bNewOpenEnabled != 0; }
    // The New Document dialog's pictures: bitmap 272, six 32 x 32 images,
    // loaded when first asked for.
    CImageList& DocumentIcons();

    // The number of CD drives the reader found; the album commands need one.
    int CdDriveCount() const { return m_nCdDriveCount; }

    // Saves the layout (while editing is on), then destroys the window. FALSE
    // when the window could not be destroyed.
    BOOL DestroyWindow() override;

    // The disc (1 or 2) last chosen in the disc chooser.
    int m_nLastDiscChoice = 1;

protected:
    // A failure in any step fails the creation.
    int OnCreate(LPCREATESTRUCTA cs) override;
    // The frame's own parts, once the window exists: menus and the CD reader.
    virtual void CreateFrameParts();
    // Where the bar layout and pane sizes will be saved when the frame goes.
    virtual void SaveLayout() {}

private:
    // The owner-drawn system menu, the menu icons and the pop-ups' title bands.
    void SetUpMenus();
    // Enabled only while editing is on and some handler runs the command, so
    // commands still to come never show as usable.
    void EnableIfRunnable(CCmdUI* ui, bool condition);

    void OnUpdateFileNewOpen(CCmdUI* ui);
    void OnUpdateNeedsSelection(CCmdUI* ui);
    void OnUpdateNeedsImage(CCmdUI* ui);
    void OnUpdateEditPaste(CCmdUI* ui);
    void OnUpdateEditUndo(CCmdUI* ui);
    void OnUpdateEditRedo(CCmdUI* ui);
    void OnUpdateUnlessDisabled(CCmdUI* ui);

    // Bitmap 264: the disabled forms of the standard images, for the standard
    // tool bar and for disabled menu items.
    CImageList m_standardDisabledImages;
    CImageList m_documentIcons;
    std::vector<HWND> m_editingWindows;
    std::vector<ViewToolbarButton> m_viewToolbarButtons;
    int m_nCdDriveCount = 0;

    BYTE m_bObjectSelected = 0;
    BYTE m_bPastePossible = 0;
    BYTE m_bNewOpenEnabled = 1;
    // Set until the first label is in the view.
    BYTE m_bEditingDisabled = 1;
    BYTE m_bSelectedIsImage = 0;
    BYTE m_bRedoAvailable = 0;
    BYTE m_bUndoAvailable = 0;
};
