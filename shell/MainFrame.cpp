#include "shell/MainFrame.h"

#include "framework/CmdUI.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "uikit/NewMenu.h"
#include "uikit/UiResources.h"

IMPLEMENT_DYNCREATE(CMainFrame, CNewFrameWnd)

BEGIN_COMMAND_MAP(CMainFrame, CNewFrameWnd)
    ON_CMD_UI(ID_FILE_NEW, OnUpdateFileNewOpen)
    ON_CMD_UI(ID_FILE_OPEN, OnUpdateFileNewOpen)
END_COMMAND_MAP()

namespace {

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
    m_bEditingDisabled = disable ? 1 : 0;
    if (m_hWnd)
        ::EnableWindow(m_hWnd, disable ? FALSE : TRUE);
}

void CMainFrame::SetNewOpenEnabled(bool enabled)
{
    m_bNewOpenEnabled = enabled ? 1 : 0;
}

void CMainFrame::OnUpdateFileNewOpen(CCmdUI* ui)
{
    // Not tied to the editing switch: a first run with editing off can still open a label.
    ui->Enable(m_bNewOpenEnabled != 0);
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
    Guarded(174, ErrorSink::Window(this), [&] { SetUpMenus(); });
    return 0;
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
