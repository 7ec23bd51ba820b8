#pragma once

#include "framework/ComboBox.h"
#include "framework/EditingSwitch.h"
#include "framework/ImageList.h"
#include "framework/ToolBar.h"
#include "album/CdReader.h"
#include "shell/FrameView.h"
#include "shell/ImageBar.h"
#include "shell/ObjectToolBar.h"
#include "shell/PropertiesBar.h"
#include "shell/TextEditorBar.h"
#include "shell/ViewToolbarLayout.h"
#include "uikit/NewFrameWnd.h"
#include "uikit/PaneCommands.h"
#include "uikit/PaneToolBar.h"
#include "uikit/SizingControlBarCF.h"

#include <array>
#include <vector>

class CCmdUI;

// The program's main window: the label view, its owner-drawn menus, four
// tool bars and three docking panes, the editing switch and the flags that
// enable the edit commands. The bars' layout and the panes' sizes persist in
// the profile under kLayoutProfileName.
class CMainFrame : public CNewFrameWnd, public IEditingSwitch, public IViewFrame, public CPaneCommands
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

    void SetGuidesButton(bool guidesShown) override;
    void CheckSnapToGrid(BOOL check) override;
    void CheckShowGrid(BOOL check) override;
    void CheckShownToolBars() override;
    RECT ObjectToolBarButtonRect(int index) const override;
    FramePanePlace PanePlace(FramePane pane) const override;

    // Written by the view's undo stack and clipboard.
    void SetUndoAvailable(bool available) override { m_bUndoAvailable = available ? 1 : 0; }
    void SetRedoAvailable(bool available) override { m_bRedoAvailable = available ? 1 : 0; }
    // Set for a short while after the frame looked at the clipboard, so that
    // focus going to and fro does not open it again and again.
    bool IsClipboardCheckPending() const { return m_bClipboardCheckPending != 0; }
    static constexpr UINT_PTR kClipboardCheckTimer = 1061;
    void SetPastePossible(bool possible) override { m_bPastePossible = possible ? 1 : 0; }
    bool IsPastePossible() const { return m_bPastePossible != 0; }

    // What the view shows in the panes (MainFramePanes.cpp).
    void ShowObject(const CString& objectName) override;
    void ShowProperties(const CString& objectName) override;
    const CString& ShownObject() const { return m_strShownObject; }
    void ClearTextFieldFocus() override { m_textPane.ClearFocusFlags(); }
    HWND FocusedTextField() const override { return m_textPane.FocusedField(); }
    bool IsPropertiesPaneShown() const override { return IsPaneShown(FramePane::Properties); }
    bool IsTextPaneShown() const override { return IsPaneShown(FramePane::Text); }
    void ShowPropertiesPaneAt(POINT screenPoint) override;

    // Cleared while a dialog that starts a new label is open, so that New and
    // Open can't start another one meanwhile.
    void SetNewOpenEnabled(bool enabled);
    bool IsNewOpenEnabled() const { return m_bNewOpenEnabled != 0; }
    // The New Document dialog's pictures: bitmap 272, six 32 x 32 images,
    // loaded when first asked for.
    CImageList& DocumentIcons();

    // The number of CD drives the reader found; the album commands need one.
    int CdDriveCount() const override { return m_nCdDriveCount; }
    CString CdDriveName(int drive) const override { return m_cdReader.GetDriveName(drive); }

    // Saves the layout (while editing is on), then destroys the window. FALSE
    // when the window could not be destroyed.
    BOOL DestroyWindow() override;
    // The whole work area; the view's start-up gives the frame its final place.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Stays hidden whatever it is asked: the view's start-up shows the frame
    // once the splash picture has gone.
    void ActivateFrame(int cmdShow = -1) override;

    // The disc (1 or 2) last chosen in the disc chooser.
    int m_nLastDiscChoice = 1;

    static constexpr char kLayoutProfileName[] = "Sleevory";

    // ---- bars and panes (MainFrameBars.cpp) ----------------------------------
    CToolBar& StandardToolBar() { return m_standardToolBar; }
    CToolBar& ObjectToolBar() { return m_objectToolBar; }
    CToolBar& ViewToolBar() { return m_viewToolBar; }
    CToolBar& ObjectListBar() { return m_objectListBar; }
    CPropertiesBar& PropertiesPane() { return m_propertiesPane; }
    CTextEditorBar& TextPane() { return m_textPane; }
    CImageBar& ImagesPane() { return m_imagesPane; }
    CObjectListBar& ObjectList() { return m_objectListBar; }
    CComboBox& ObjectListCombo() { return m_objectListBar.Combo(); }
    CSizingControlBarCF& Pane(FramePane pane) { return *m_panes[PaneSlot(pane)]; }

    // Show or hide a pane: its View-menu mark and view tool bar button follow.
    // The layout is not saved.
    void ShowPropertiesPane(BOOL show) { ShowPane(FramePane::Properties, show); }
    void ShowTextPane(BOOL show) { ShowPane(FramePane::Text, show); }
    void ShowImagesPane(BOOL show) { ShowPane(FramePane::Images, show); }
    bool IsPaneShown(FramePane pane) const { return m_paneShown[PaneSlot(pane)]; }
    // The saved layout and pane sizes, once: later calls (each New and Open
    // switches editing on again) leave the user's layout as it is.
    void RestorePaneStates() override;
    bool ArePaneStatesRestored() const { return m_bPaneStatesRestored; }
    // Whether the profile holds a layout that fits this frame's bars.
    bool VerifyBarState(LPCSTR profileName) const;

    // The pane commands: toggle the pane and save the bar layout.
    void OnViewProperties() override;
    void OnViewTextEditor() override;
    void OnShowImages() override;

protected:
    // A failure in any step fails the creation.
    int OnCreate(LPCREATESTRUCTA cs) override;
    // The frame's own parts, once the window exists: menus and the CD reader.
    virtual void CreateFrameParts();
    // Saves the bar layout and the pane sizes; run when the frame goes.
    virtual void SaveLayout();
    // Looks whether there is something to paste, then hands the focus on.
    void OnSetFocus(HWND oldWindow) override;
    void OnTimer(UINT_PTR id) override;
    // The panes and bars go first, while the frame they dock in is whole.
    void OnDestroy() override;

private:
    // The owner-drawn system menu, the menu icons and the pop-ups' title bands.
    void SetUpMenus();
    // The four tool bars with their images, the three panes, docking.
    void CreateBars();
    void CreateToolBar(CToolBar& bar, UINT id);
    void CreatePanes();
    // The saved layout when there is a good one, else the default (saved at once).
    void LayOutBars();
    void LayOutDefault();
    void SaveBarLayout();
    bool LoadSavedLayout();
    // The view tool bar's buttons as m_viewToolbarButtons has them.
    void ApplyViewToolbarLayout();
    void ShowPane(FramePane pane, BOOL show);
    void ShowPanesAsChosen();
    void HidePanes();
    void TogglePane(FramePane pane);
    void ToggleBar(CToolBar& bar);
    CToolBar* BarOfCommand(UINT command);
    static size_t PaneSlot(FramePane pane) { return static_cast<size_t>(pane); }
    ViewToolbarState CurrentViewToolbarState() const;
    void CheckPaste();
    void CheckLayoutMenuItem(UINT command, BOOL check);

    void OnShowStandardToolbar() { ToggleBar(m_standardToolBar); }
    void OnShowObjectToolbar() { ToggleBar(m_objectToolBar); }
    void OnShowSelectedToolbar() { ToggleBar(m_objectListBar); }
    void OnShowViewToolbar() { ToggleBar(m_viewToolBar); }
    // The object tool bar's Add buttons are dragged, not clicked: enabled, doing nothing.
    void OnAddButton() {}
    void OnUpdateBarCommand(CCmdUI* ui);
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
    // The View menu marks the surface shown and whether the guides are shown.
    void OnUpdateSurfaceCommand(CCmdUI* ui);
    void OnUpdateShowGuides(CCmdUI* ui);

    // Bitmap 264: the disabled forms of the standard images, for the standard
    // tool bar and for disabled menu items.
    CImageList m_standardDisabledImages;
    CImageList m_documentIcons;
    std::vector<HWND> m_editingWindows;
    CImageList m_standardImages;
    CImageList m_viewImages;
    CImageList m_viewHotImages;
    CImageList m_viewDisabledImages;
    CImageList m_objectImages;
    CImageList m_objectHotImages;
    CImageList m_objectDisabledImages;
    CPaneToolBar m_standardToolBar;
    CObjectToolBar m_objectToolBar;
    CPaneToolBar m_viewToolBar;
    // ---- the Properties pane and the object list (MainFramePanes.cpp) ----
    CObjectListBar m_objectListBar;
    CTextEditorBar m_textPane;
    CPropertiesBar m_propertiesPane;
    CImageBar m_imagesPane;
    // Text, Properties, Images, in FramePane order.
    std::array<CSizingControlBarCF*, 3> m_panes{&m_textPane, &m_propertiesPane, &m_imagesPane};
    // The view the panes show, when it is the label view.
    void AttachPanesToView();
    // ---- end of the Properties pane block ----
    // Whether the user wants each pane; the editing switch hides them without
    // changing this.
    std::array<bool, 3> m_paneShown{};
    bool m_bPaneStatesRestored = false;
    std::vector<ViewToolbarButton> m_viewToolbarButtons;
    // Counts the drives once, at creation; each album search reads with a reader of its own.
    CCdReader m_cdReader;
    int m_nCdDriveCount = 0;

    BYTE m_bObjectSelected = 0;
    BYTE m_bPastePossible = 0;
    CString m_strShownObject;
    BYTE m_bNewOpenEnabled = 1;
    // Set until the first label is in the view.
    BYTE m_bEditingDisabled = 1;
    BYTE m_bSelectedIsImage = 0;
    BYTE m_bClipboardCheckPending = 0;
    BYTE m_bRedoAvailable = 0;
    BYTE m_bUndoAvailable = 0;
};
