#pragma once

#include "framework/EditingSwitch.h"
#include "framework/ImageList.h"
#include "uikit/NewFrameWnd.h"

class CCmdUI;

// The program's main window. Its tool bars and docking panes arrive with the
// shell; for now it hosts the label view, its owner-drawn menus and the
// editing switch the view's start-up uses.
class CMainFrame : public CNewFrameWnd, public IEditingSwitch
{
    DECLARE_DYNCREATE(CMainFrame)
    DECLARE_COMMAND_MAP()

public:
    CMainFrame() = default;
    ~CMainFrame() override;

    // TRUE disables the main window while the first-run dialogs are pending;
    // FALSE enables it again.
    void EnableEditing(BOOL disable) override;
    BOOL IsEditingDisabled() const override { return m_bEditingDisabled; }

    // Cleared while a dialog that starts a new label is open, so that New and
    // Open can't start another one meanwhile.
    void SetNewOpenEnabled(bool enabled);
    bool IsNewOpenEnabled() const { return m_bNewOpenEnabled != 0; }
    // The New Document dialog's pictures: bitmap 272, six 32 x 32 images,
    // loaded when first asked for.
    CImageList& DocumentIcons();

    // The disc (1 or 2) last chosen in the disc chooser.
    int m_nLastDiscChoice = 1;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;

private:
    // The owner-drawn system menu, the menu icons and the pop-ups' title bands.
    void SetUpMenus();
    void OnUpdateFileNewOpen(CCmdUI* ui);

    BYTE m_bEditingDisabled = 0;
    // Bitmap 264: the disabled forms of the standard images, for the standard
    // tool bar and for disabled menu items.
    CImageList m_standardDisabledImages;
    BYTE m_bNewOpenEnabled = 1;
    CImageList m_documentIcons;
};
