#include "shell/MainFrame.h"

#include "framework/CmdUI.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "resource.h"
#include "uikit/NewMenu.h"
#include "uikit/UiResources.h"

#include <stdexcept>

IMPLEMENT_DYNCREATE(CMainFrame, CNewFrameWnd)

BEGIN_COMMAND_MAP(CMainFrame, CNewFrameWnd)
    ON_CMD(ID_VIEW_STANDARD_TOOLBAR, OnShowStandardToolbar)
    ON_CMD(ID_VIEW_OBJECT_TOOLBAR, OnShowObjectToolbar)
    ON_CMD(ID_VIEW_SELECTED_TOOLBAR, OnShowSelectedToolbar)
    ON_CMD(ID_VIEW_VIEW_TOOLBAR, OnShowViewToolbar)
    ON_CMD(ID_VIEW_PROPERTIES, OnViewProperties)
    ON_CMD(ID_VIEW_TEXT_EDITOR, OnViewTextEditor)
    ON_CMD(ID_VIEW_IMAGES, OnShowImages)
    ON_CMD_RANGE(ID_ADD_ARTIST, ID_ADD_IMAGE, OnAddButton)
    ON_CMD(ID_ADD_SPARE, OnAddButton)
    ON_CMD_UI(ID_FILE_NEW, OnUpdateFileNewOpen)
    ON_CMD_UI(ID_FILE_OPEN, OnUpdateFileNewOpen)
    ON_CMD_UI(ID_EDIT_CUT, OnUpdateNeedsSelection)
    ON_CMD_UI(ID_EDIT_COPY, OnUpdateNeedsSelection)
    ON_CMD_UI(ID_EDIT_DELETE, OnUpdateNeedsSelection)
    ON_CMD_UI(ID_LAYOUT_CENTER_HORIZONTALLY, OnUpdateNeedsSelection)
    ON_CMD_UI(ID_LAYOUT_CENTER_VERTICALLY, OnUpdateNeedsSelection)
    ON_CMD_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_CMD_UI(ID_LAYOUT_SET_AS_BACKGROUND, OnUpdateNeedsImage)
    ON_CMD_UI(ID_LAYOUT_BRING_TO_FRONT, OnUpdateNeedsImage)
    ON_CMD_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_CMD_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_CMD_UI(ID_VIEW_OBJECT_TOOLBAR, OnUpdateBarCommand)
    ON_CMD_UI(ID_VIEW_PROPERTIES, OnUpdateBarCommand)
    ON_CMD_UI(ID_VIEW_SELECTED_TOOLBAR, OnUpdateBarCommand)
    ON_CMD_UI(ID_VIEW_TEXT_EDITOR, OnUpdateBarCommand)
    ON_CMD_UI(ID_VIEW_STANDARD_TOOLBAR, OnUpdateBarCommand)
    ON_CMD_UI(ID_VIEW_VIEW_TOOLBAR, OnUpdateBarCommand)
    ON_CMD_UI(ID_VIEW_IMAGES, OnUpdateBarCommand)
    ON_CMD_UI_RANGE(ID_VIEW_FRONT_COVER, ID_VIEW_DISC_LABEL, OnUpdateSurfaceCommand)
    ON_CMD_UI(ID_VIEW_DISC2, OnUpdateSurfaceCommand)
    ON_CMD_UI(ID_VIEW_ZOOM_IN, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_VIEW_ZOOM_OUT, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_VIEW_SHOW_GUIDES, OnUpdateShowGuides)
    ON_CMD_UI(ID_READ_TRACK_DATA, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_DOWNLOAD_ALBUM_INFO, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_FILE_PRINT, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_FILE_SAVE, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_FILE_PRINT_SETUP, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_FILE_PRINT_PREVIEW, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_FILE_SAVE_AS, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_FILE_SAVE_AS_DEFAULT_TEMPLATE, OnUpdateUnlessDisabled)
    ON_CMD_UI_RANGE(ID_ADD_ARTIST, ID_ADD_IMAGE, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_FILE_PRINTER_CALIBRATION, OnUpdateUnlessDisabled)
    ON_CMD_UI_RANGE(ID_LAYOUT_SNAP_TO_GRID, ID_LAYOUT_GRID_SIZE, OnUpdateUnlessDisabled)
    ON_CMD_UI(ID_FILE_CHANGE_LABEL_PAPER, OnUpdateUnlessDisabled)
END_COMMAND_MAP()

namespace {

constexpr char kImageType[] = "Image";
constexpr COLORREF kImageMask = RGB(255, 0, 255);
constexpr int kStandardDisabledImageCount = 24;
constexpr int kDocumentIconSize = 32;
constexpr int kDocumentIconCount = 6;
// Each pop-up of the menu bar, File to Help, gets a vertical gradient band.
constexpr int kTitledPopupCount = 5;
constexpr DWORD kPopupTitleFlags = kMenuTitleVertical | kMenuTitleGradient;

struct MenuIcon {
    UINT commandId;
    int image;  // in the application's image list
};

constexpr MenuIcon kMenuIcons[] = {
    {ID_FILE_NEW, MENU_IMAGE_NEW},
    {ID_FILE_OPEN, MENU_IMAGE_OPEN},
    {ID_FILE_SAVE, MENU_IMAGE_SAVE},
    {ID_FILE_PRINT, MENU_IMAGE_PRINT},
    {ID_EDIT_CUT, MENU_IMAGE_CUT},
    {ID_EDIT_COPY, MENU_IMAGE_COPY},
    {ID_EDIT_PASTE, MENU_IMAGE_PASTE},
    {ID_EDIT_DELETE, MENU_IMAGE_DELETE},
    {ID_EDIT_UNDO, MENU_IMAGE_UNDO},
    {ID_EDIT_REDO, MENU_IMAGE_REDO},
    {ID_HELP_CONTENTS, MENU_IMAGE_HELP_CONTENTS},
    {ID_FILE_PRINT_PREVIEW, MENU_IMAGE_PRINT_PREVIEW},
    {ID_LAYOUT_CENTER_HORIZONTALLY, MENU_IMAGE_CENTER_HORIZONTALLY},
    {ID_LAYOUT_CENTER_VERTICALLY, MENU_IMAGE_CENTER_VERTICALLY},
    {ID_LAYOUT_SET_AS_BACKGROUND, MENU_IMAGE_SET_AS_BACKGROUND},
    {ID_LAYOUT_BRING_TO_FRONT, MENU_IMAGE_BRING_TO_FRONT},
    {ID_FILE_CHANGE_LABEL_PAPER, MENU_IMAGE_CHANGE_LABEL_PAPER},
};

}  // namespace

CMainFrame::~CMainFrame()
{
    // The menus must not keep drawing from a list that goes with this frame.
    CNewMenu::SetMenuImageLists(nullptr, nullptr);
}

void CMainFrame::EnableEditing(BOOL disable)
{
    Guarded(189, ErrorSink::Window(this), [&] {
        m_bEditingDisabled = disable ? 1 : 0;
        // Not the frame: its menu keeps New, Open and Exit within reach, and a
        // modal dialog that re-enables its owner when it closes can't undo the switch.
        const BOOL enable = disable ? FALSE : TRUE;
        if (CView* view = GetActiveView(); view && view->GetSafeHwnd())
            ::EnableWindow(view->GetSafeHwnd(), enable);
        for (HWND window : m_editingWindows) {
            if (::IsWindow(window))
                ::EnableWindow(window, enable);
        }
        // Hidden, not closed: the user's choice of panes stays as it was.
        if (disable)
            HidePanes();
        else if (!m_bPaneStatesRestored)
            RestorePaneStates();
        else
            ShowPanesAsChosen();
    });
}

void CMainFrame::FollowEditingSwitch(HWND window)
{
    if (!window)
        return;
    m_editingWindows.push_back(window);
    ::EnableWindow(window, m_bEditingDisabled ? FALSE : TRUE);
}

void CMainFrame::SetSelectionState(BOOL selected)
{
    Guarded(188, ErrorSink::Window(this), [&] {
        m_bObjectSelected = selected ? 1 : 0;
        const auto* view = dynamic_cast<const IFrameView*>(GetActiveView());
        m_bSelectedIsImage = (view && view->SelectedObjectType() == kImageType) ? 1 : 0;
        // Bars show the new state now, not at the next idle time.
        if (m_hWnd)
            SendMessageToDescendants(FrameworkIdleUpdateMessage(), TRUE, 0, TRUE);
    });
}

void CMainFrame::UpdateDiscMenus()
{
    Guarded(192, ErrorSink::Window(this), [&] {
        m_viewToolbarButtons = ViewToolbarButtons(CurrentViewToolbarState());
        ApplyViewToolbarLayout();
        if (m_hWnd)
            RecalcLayout();
    });
}

void CMainFrame::SetNewOpenEnabled(bool enabled)
{
    m_bNewOpenEnabled = enabled ? 1 : 0;
    // Asked from inside modal loops, which run no idle update: the buttons
    // follow at once.
    if (m_standardToolBar.m_hWnd)
        m_standardToolBar.OnUpdateCmdUI(this, TRUE);
}

void CMainFrame::OnUpdateFileNewOpen(CCmdUI* ui)
{
    // Not tied to the editing switch: a first run with editing off can still open a label.
    ui->Enable(m_bNewOpenEnabled != 0);
}

void CMainFrame::EnableIfRunnable(CCmdUI* ui, bool condition)
{
    ui->Enable(!m_bEditingDisabled && condition && HasCommandHandler(ui->m_nID));
}

void CMainFrame::OnUpdateNeedsSelection(CCmdUI* ui)
{
    EnableIfRunnable(ui, m_bObjectSelected != 0);
}

void CMainFrame::OnUpdateNeedsImage(CCmdUI* ui)
{
    EnableIfRunnable(ui, m_bSelectedIsImage != 0);
}

void CMainFrame::OnUpdateEditPaste(CCmdUI* ui)
{
    EnableIfRunnable(ui, m_bPastePossible != 0);
}

void CMainFrame::OnUpdateEditUndo(CCmdUI* ui)
{
    EnableIfRunnable(ui, m_bUndoAvailable != 0);
}

void CMainFrame::OnUpdateEditRedo(CCmdUI* ui)
{
    EnableIfRunnable(ui, m_bRedoAvailable != 0);
}

void CMainFrame::OnUpdateUnlessDisabled(CCmdUI* ui)
{
    EnableIfRunnable(ui, true);
}

namespace {

// The surface each surface command of the View menu shows.
const char* SurfaceOfCommand(UINT command)
{
    switch (command) {
    case ID_VIEW_FRONT_COVER: return "Front Cover";
    case ID_VIEW_BACK_COVER: return "Back Cover";
    case ID_VIEW_DISC_LABEL: return "Disc 1";
    case ID_VIEW_DISC2: return "Disc 2";
    default: return "";
    }
}

}  // namespace

void CMainFrame::OnUpdateSurfaceCommand(CCmdUI* ui)
{
    EnableIfRunnable(ui, true);
    // Only the menu carries the mark; the view tool bar's buttons keep their look.
    if (!ui->m_hMenu)
        return;
    const auto* view = dynamic_cast<const IFrameView*>(GetActiveView());
    ui->SetCheck(view && view->ShownSurfaceName() == SurfaceOfCommand(ui->m_nID) ? 1 : 0);
}

void CMainFrame::OnUpdateShowGuides(CCmdUI* ui)
{
    EnableIfRunnable(ui, true);
    // The tool bar's button shows the guides by its picture instead.
    if (!ui->m_hMenu)
        return;
    const auto* view = dynamic_cast<const IFrameView*>(GetActiveView());
    ui->SetCheck(view && view->AreGuidesShown() ? 1 : 0);
}

CImageList& CMainFrame::DocumentIcons()
{
    if (!m_documentIcons.GetSafeHandle()) {
        CBitmap icons;
        if (icons.LoadBitmap(IDB_DOCUMENT_ICONS) &&
            m_documentIcons.Create(kDocumentIconSize, kDocumentIconSize, ILC_COLOR24 | ILC_MASK, kDocumentIconCount, 0))
            m_documentIcons.Add(icons, kImageMask);
    }
    return m_documentIcons;
}

int CMainFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (CNewFrameWnd::OnCreate(cs) == -1)
        return -1;
    // A frame without its parts would go on half-built: the creation fails instead.
    return Guarded(174, ErrorSink::Window(this), -1, [&] {
        CreateFrameParts();
        return 0;
    });
}

void CMainFrame::CreateFrameParts()
{
    SetUpMenus();
    // A machine without drives (or without a way to reach them) offers no album reading.
    m_nCdDriveCount = m_cdReader.Init() ? m_cdReader.GetDriveCount() : 0;
    CreateBars();
    LayOutBars();
}

BOOL CMainFrame::DestroyWindow()
{
    // A layout that can't be saved must not keep the window from closing.
    if (!m_bEditingDisabled)
        Guarded(176, ErrorSink::Window(this), [&] { SaveLayout(); });
    // This object may be gone with its window: only locals from here on.
    const HWND window = m_hWnd;
    const BOOL destroyed =
        Guarded(176, ErrorSink::Window(window), FALSE, [&] { return CNewFrameWnd::DestroyWindow(); });
    // A failure inside the destruction may still have taken the window.
    return destroyed || (window && !::IsWindow(window)) ? TRUE : FALSE;
}

void CMainFrame::SetUpMenus()
{
    GetNewSystemMenu().AttachMenu(GetSystemMenu(FALSE));

    const CUiResources* resources = UiResources();
    CBitmap disabled;
    if (resources && resources->IsWindows95())
        disabled.LoadBitmap(IDB_STANDARD_TOOLBAR_DISABLED);
    else
        disabled.LoadDIBSection(IDB_STANDARD_TOOLBAR_DISABLED);
    if (disabled.IsValid() &&
        m_standardDisabledImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, kStandardDisabledImageCount, 0))
        m_standardDisabledImages.Add(disabled, kImageMask);
    HIMAGELIST menuImages = resources ? resources->MenuImages().GetSafeHandle() : nullptr;
    CNewMenu::SetMenuImageLists(menuImages, m_standardDisabledImages.GetSafeHandle());

    CNewMenu& menu = GetNewMenu();
    if (!menu.GetSafeHmenu())
        return;
    menu.LoadToolBar(IDR_MAINFRAME);
    for (const MenuIcon& icon : kMenuIcons)
        menu.SetItemIcon(nullptr, icon.commandId, menuImages, icon.image);
    for (int position = 0; position < kTitledPopupCount; ++position) {
        if (CNewMenu* popup = menu.GetSubMenu(position))
            popup->SetMenuTitle(" ", kPopupTitleFlags);
    }
    DrawMenuBar();
}
