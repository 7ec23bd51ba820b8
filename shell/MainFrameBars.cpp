// CMainFrame: its tool bars and docking panes, their default layout, the
// saved layout, and the commands that show and hide them.
#include "shell/MainFrame.h"

#include "framework/CmdUI.h"
#include "framework/DockBar.h"
#include "framework/DockState.h"
#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "framework/View.h"
#include "framework/SettingsKey.h"
#include "resource.h"
#include "uikit/BackgroundDockBar.h"
#include "uikit/SCBMiniDockFrameWnd.h"
#include "uikit/UiResources.h"
#include "uikit/UserInterfaceFont.h"

#include <initializer_list>
#include <stdexcept>

namespace {

constexpr COLORREF kImageMask = RGB(255, 0, 255);
constexpr DWORD kToolBarControlStyle = TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
constexpr DWORD kToolBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
constexpr DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP;

struct ImageStrip {
    UINT bitmap;
    SIZE image;
    int count;
};
constexpr ImageStrip kStandardStrip{IDB_STANDARD_TOOLBAR_NORMAL, {16, 16}, 12};
constexpr ImageStrip kViewStrips[] = {{IDB_VIEW_TOOLBAR_NORMAL, {55, 40}, 16},
                                      {IDB_VIEW_TOOLBAR_HOT, {55, 40}, 16},
                                      {IDB_VIEW_TOOLBAR_DISABLED, {55, 40}, 16}};
constexpr ImageStrip kObjectStrips[] = {{IDB_OBJECT_TOOLBAR_NORMAL, {44, 16}, 8},
                                        {IDB_OBJECT_TOOLBAR_HOT, {44, 16}, 8},
                                        {IDB_OBJECT_TOOLBAR_DISABLED, {44, 16}, 8}};
constexpr SIZE kStandardButton{23, 22};
constexpr SIZE kObjectButton{51, 22};
constexpr SIZE kViewButton{62, 46};
// The object list's slot: one wide button the combo box lies over.
constexpr SIZE kObjectListSlot{140, 22};
constexpr SIZE kObjectListImage{16, 16};

struct PaneInfo {
    FramePane pane;
    const char* title;
    UINT id;
};
// Creation order: Properties, Text, Images.
constexpr PaneInfo kPanes[] = {{FramePane::Properties, "Properties", ID_BAR_PROPERTIES},
                               {FramePane::Text, "Text", ID_BAR_TEXT},
                               {FramePane::Images, "Images", ID_BAR_IMAGES}};

// Default pane sizes (pixels).
constexpr int kPaneWidth = 180;
constexpr int kTextPaneHeight = 1000;
constexpr SIZE kImagesVert{154, 157};
constexpr SIZE kImagesHorz{175, 150};
constexpr SIZE kImagesFloat{150, 240};

// A strip bitmap as a masked list; Windows 95 reads it as a plain bitmap.
bool LoadImageStrip(CWnd& frame, CImageList& list, const ImageStrip& strip)
{
    return Guarded(178, ErrorSink::Window(&frame), false, [&] {
        const CUiResources* resources = UiResources();
        CBitmap bitmap;
        if (resources && resources->IsWindows95())
            bitmap.LoadBitmap(strip.bitmap);
        else
            bitmap.LoadDIBSection(strip.bitmap);
        return bitmap.IsValid() &&
               list.Create(strip.image.cx, strip.image.cy, ILC_COLOR24 | ILC_MASK, strip.count, 0) &&
               list.Add(bitmap, kImageMask) >= 0;
    });
}

// A strip loaded and handed to a tool bar as one of its image lists.
void SetBarImageStrip(CWnd& frame, CToolBar& bar, UINT message, CImageList& list, const ImageStrip& strip)
{
    Guarded(179, ErrorSink::Window(&frame), [&] {
        if (LoadImageStrip(frame, list, strip))
            bar.SetImageList(message, list);
    });
}

}  // namespace

void CMainFrame::CreateToolBar(CToolBar& bar, UINT id)
{
    if (!bar.CreateEx(this, kToolBarControlStyle, kToolBarStyle, RECT{}, id))
        throw std::runtime_error("tool bar");
}

void CMainFrame::CreateBars()
{
    // Tool bars float in the sizing bars' frame too: it keeps its caption for them.
    m_pFloatingFrameClass = RUNTIME_CLASS(CSCBMiniDockFrameWnd);
    m_pDockBarClass = RUNTIME_CLASS(CBackgroundDockBar);

    CreateToolBar(m_objectToolBar, ID_BAR_OBJECT);
    m_objectToolBar.LoadToolBar(IDR_OBJECT_TOOLBAR, kImageMask);
    m_objectToolBar.SetSizes(kObjectButton, kObjectStrips[0].image);
    CImageList* objectLists[] = {&m_objectImages, &m_objectHotImages, &m_objectDisabledImages};
    const UINT listMessages[] = {TB_SETIMAGELIST, TB_SETHOTIMAGELIST, TB_SETDISABLEDIMAGELIST};
    for (size_t i = 0; i < 3; ++i)
        SetBarImageStrip(*this, m_objectToolBar, listMessages[i], *objectLists[i], kObjectStrips[i]);

    CreateToolBar(m_standardToolBar, ID_BAR_STANDARD);
    m_standardToolBar.LoadToolBar(IDR_STANDARD_TOOLBAR, kImageMask);
    SetBarImageStrip(*this, m_standardToolBar, TB_SETIMAGELIST, m_standardImages, kStandardStrip);
    if (const CUiResources* resources = UiResources())
        m_standardToolBar.SetImageList(TB_SETHOTIMAGELIST, resources->MenuImages().GetSafeHandle());
    m_standardToolBar.SetImageList(TB_SETDISABLEDIMAGELIST, m_standardDisabledImages);
    m_standardToolBar.SetSizes(kStandardButton, kStandardStrip.image);

    CreateToolBar(m_viewToolBar, ID_BAR_VIEW);
    m_viewToolBar.SetFont(UserInterfaceFont(false), FALSE);
    m_viewToolBar.SetSizes(kViewButton, kViewStrips[0].image);
    CImageList* viewLists[] = {&m_viewImages, &m_viewHotImages, &m_viewDisabledImages};
    for (size_t i = 0; i < 3; ++i)
        SetBarImageStrip(*this, m_viewToolBar, listMessages[i], *viewLists[i], kViewStrips[i]);
    UpdateDiscMenus();

    CreateToolBar(m_objectListBar, ID_BAR_OBJECT_LIST);
    m_objectListBar.SetSizes(kObjectListSlot, kObjectListImage);
    m_objectListBar.SetButtons({ID_OBJECT_LIST_SLOT});
    m_objectListBar.CreateCombo();
    if (!m_objectListBar.Combo().m_hWnd)
        throw std::runtime_error("object list");

    EnableDocking(CBRS_ALIGN_ANY);
    for (CToolBar* bar : std::initializer_list<CToolBar*>{&m_viewToolBar, &m_standardToolBar, &m_objectToolBar,
                                                          &m_objectListBar})
        bar->EnableDocking(CBRS_ALIGN_ANY);
    // The bars the editing switch gates; the standard one follows its commands.
    for (HWND window : {m_objectToolBar.m_hWnd, m_viewToolBar.m_hWnd, m_objectListBar.m_hWnd, m_objectListBar.Combo().m_hWnd})
        FollowEditingSwitch(window);

    CreatePanes();
}

void CMainFrame::CreatePanes()
{
    for (const PaneInfo& info : kPanes) {
        CSizingControlBarCF& pane = Pane(info.pane);
        if (!pane.Create(info.title, this, info.id, kPaneStyle))
            throw std::runtime_error("pane");
        pane.EnableDocking(CBRS_ALIGN_ANY);
    }
    DockControlBar(&Pane(FramePane::Properties), FWID_DOCKBAR_LEFT);
    DockControlBar(&Pane(FramePane::Text), FWID_DOCKBAR_LEFT);
    DockControlBar(&Pane(FramePane::Images), FWID_DOCKBAR_RIGHT);
}

bool CMainFrame::VerifyBarState(LPCSTR profileName) const
{
    return Guarded(175, ErrorSink::Window(this), false, [&] {
        CDockState state;
        return state.LoadState(profileName) && state.IsUsableBy(*this);
    });
}

bool CMainFrame::LoadSavedLayout()
{
    if (!VerifyBarState(kLayoutProfileName))
        return false;
    CSizingControlBar::LoadAllStates(this, kLayoutProfileName);
    return LoadBarState(kLayoutProfileName);
}

void CMainFrame::LayOutBars()
{
    // A first start (the help was never shown) or a layout that does not fit
    // these bars gets the default one.
    const bool started = CSettingsReader().ValueExists("HelpScreen");
    if (!started || !LoadSavedLayout())
        LayOutDefault();
    RecalcLayout();
    // Hidden until editing is switched on; they come back as they were.
    for (const PaneInfo& info : kPanes)
        m_paneShown[PaneSlot(info.pane)] = Pane(info.pane).IsVisible();
    HidePanes();
}

void CMainFrame::LayOutDefault()
{
    // The small tool bars in one row at the top, each right of the one
    // before; the tall view tool bar in a row of its own below them.
    DockControlBar(&m_standardToolBar, FWID_DOCKBAR_TOP);
    RecalcLayout();
    CControlBar* previous = &m_standardToolBar;
    for (CToolBar* bar : std::initializer_list<CToolBar*>{&m_objectListBar, &m_objectToolBar}) {
        RECT place;
        previous->GetWindowRect(&place);
        ::OffsetRect(&place, place.right - place.left, 0);
        DockControlBar(bar, FWID_DOCKBAR_TOP, &place);
        RecalcLayout();
        previous = bar;
    }
    DockControlBar(&m_viewToolBar, FWID_DOCKBAR_TOP);

    // Properties above Text on the left, Images on the right.
    CSizingControlBarCF& properties = Pane(FramePane::Properties);
    CSizingControlBarCF& text = Pane(FramePane::Text);
    CSizingControlBarCF& images = Pane(FramePane::Images);
    DockControlBar(&properties, FWID_DOCKBAR_LEFT);
    DockControlBar(&text, FWID_DOCKBAR_LEFT);
    RecalcLayout();
    RECT below;
    properties.GetWindowRect(&below);
    ::OffsetRect(&below, 0, below.bottom - below.top);
    DockControlBar(&text, FWID_DOCKBAR_LEFT, &below);
    RecalcLayout();
    text.SetCurrentHeight(kTextPaneHeight);
    DockControlBar(&images, FWID_DOCKBAR_RIGHT);
    images.sizeVert = kImagesVert;
    images.sizeHorz = kImagesHorz;
    images.sizeFloat = kImagesFloat;
    for (CSizingControlBar* pane : {static_cast<CSizingControlBar*>(&properties), static_cast<CSizingControlBar*>(&text)}) {
        pane->SetStateWidth(kPaneWidth, "Vert");
        pane->SetStateWidth(kPaneWidth, "Float");
    }
    for (const PaneInfo& info : kPanes)
        ShowControlBar(&Pane(info.pane), TRUE, FALSE);
    RecalcLayout();
    SaveBarLayout();
}

void CMainFrame::SaveLayout()
{
    SaveBarLayout();
}

void CMainFrame::SaveBarLayout()
{
    if (!m_standardToolBar.m_hWnd)
        return;
    CSizingControlBar::SaveAllStates(this, kLayoutProfileName);
    SaveBarState(kLayoutProfileName);
}

void CMainFrame::RestorePaneStates()
{
    Guarded(173, ErrorSink::Window(this), [&] {
        if (m_bPaneStatesRestored || !m_standardToolBar.m_hWnd)
            return;
        m_bPaneStatesRestored = true;
        // A layout saved since the frame was made wins; without one the
        // panes come back as the frame laid them out.
        if (LoadSavedLayout()) {
            for (const PaneInfo& info : kPanes)
                m_paneShown[PaneSlot(info.pane)] = Pane(info.pane).IsVisible();
        }
        ShowPanesAsChosen();
    });
}

void CMainFrame::ShowPanesAsChosen()
{
    // All at once, with one layout: shown one by one, panes sharing a row
    // would share it out anew at each step.
    for (const PaneInfo& info : kPanes) {
        CSizingControlBarCF& pane = Pane(info.pane);
        if (pane.m_hWnd)
            ShowControlBar(&pane, m_paneShown[PaneSlot(info.pane)] ? TRUE : FALSE, TRUE);
    }
    RecalcLayout();
    UpdateDiscMenus();
}

void CMainFrame::HidePanes()
{
    for (CSizingControlBarCF* panePointer : m_panes) {
        CSizingControlBarCF& pane = *panePointer;
        if (pane.m_hWnd && pane.IsVisible())
            ShowControlBar(&pane, FALSE, TRUE);
    }
    RecalcLayout();
}

ViewToolbarState CMainFrame::CurrentViewToolbarState() const
{
    ViewToolbarState state;
    if (const auto* view = dynamic_cast<const IFrameView*>(m_pActiveView)) {
        state.doubleLayout = view->IsDoubleLayout();
        state.guidesShown = view->AreGuidesShown();
    }
    state.textPaneShown = m_panes[PaneSlot(FramePane::Text)]->IsVisible();
    state.propertiesPaneShown = m_panes[PaneSlot(FramePane::Properties)]->IsVisible();
    state.imagesPaneShown = m_panes[PaneSlot(FramePane::Images)]->IsVisible();
    return state;
}

void CMainFrame::ApplyViewToolbarLayout()
{
    if (!m_viewToolBar.m_hWnd)
        return;
    std::vector<UINT> commands;
    for (const ViewToolbarButton& button : m_viewToolbarButtons)
        commands.push_back(button.command);
    if (m_viewToolBar.GetCount() != static_cast<int>(commands.size()))
        m_viewToolBar.SetButtons(commands);
    for (size_t index = 0; index < m_viewToolbarButtons.size(); ++index) {
        const ViewToolbarButton& button = m_viewToolbarButtons[index];
        m_viewToolBar.SetButtonInfo(static_cast<int>(index), button.command,
                                    button.command ? TBSTYLE_BUTTON : TBSTYLE_SEP, button.image);
    }
    m_viewToolBar.SetSizes(kViewButton, kViewStrips[0].image);
}

void CMainFrame::ShowPane(FramePane pane, BOOL show)
{
    const int errorNumber = pane == FramePane::Properties ? 170 : pane == FramePane::Text ? 171 : 172;
    Guarded(errorNumber, ErrorSink::Window(this), [&] {
        m_paneShown[PaneSlot(pane)] = show != FALSE;
        CSizingControlBarCF& bar = Pane(pane);
        if (bar.m_hWnd)
            ShowControlBar(&bar, show, FALSE);
        const int index = ViewToolbarPaneIndex(pane, CurrentViewToolbarState().doubleLayout);
        if (index >= 0 && static_cast<size_t>(index) < m_viewToolbarButtons.size()) {
            m_viewToolbarButtons[static_cast<size_t>(index)].image = ViewToolbarPaneImage(pane, show != FALSE);
            ApplyViewToolbarLayout();
        }
    });
}

void CMainFrame::TogglePane(FramePane pane)
{
    const int errorNumber = pane == FramePane::Properties ? 181 : pane == FramePane::Images ? 182 : 183;
    Guarded(errorNumber, ErrorSink::Window(this), [&] {
        // The wish, not the window: a pane's close button hides it before it asks.
        ShowPane(pane, m_paneShown[PaneSlot(pane)] ? FALSE : TRUE);
        SaveBarState(kLayoutProfileName);
    });
}

void CMainFrame::OnViewProperties()
{
    TogglePane(FramePane::Properties);
}

void CMainFrame::OnViewTextEditor()
{
    TogglePane(FramePane::Text);
}

void CMainFrame::OnShowImages()
{
    TogglePane(FramePane::Images);
}

void CMainFrame::ToggleBar(CToolBar& bar)
{
    const int errorNumber = &bar == &m_standardToolBar ? 180
                            : &bar == &m_objectToolBar ? 184
                            : &bar == &m_objectListBar ? 185
                                                       : 186;
    Guarded(errorNumber, ErrorSink::Window(this), [&] {
        if (!bar.m_hWnd)
            return;
        ShowControlBar(&bar, bar.IsVisible() ? FALSE : TRUE, FALSE);
        SaveBarState(kLayoutProfileName);
    });
}

CToolBar* CMainFrame::BarOfCommand(UINT command)
{
    switch (command) {
    case ID_VIEW_STANDARD_TOOLBAR:
        return &m_standardToolBar;
    case ID_VIEW_OBJECT_TOOLBAR:
        return &m_objectToolBar;
    case ID_VIEW_SELECTED_TOOLBAR:
        return &m_objectListBar;
    case ID_VIEW_VIEW_TOOLBAR:
        return &m_viewToolBar;
    default:
        return nullptr;
    }
}

void CMainFrame::OnUpdateBarCommand(CCmdUI* ui)
{
    OnUpdateUnlessDisabled(ui);
    bool shown = false;
    if (const CToolBar* bar = BarOfCommand(ui->m_nID))
        shown = bar->IsVisible();
    else if (ui->m_nID == ID_VIEW_PROPERTIES)
        shown = IsPaneShown(FramePane::Properties);
    else if (ui->m_nID == ID_VIEW_TEXT_EDITOR)
        shown = IsPaneShown(FramePane::Text);
    else if (ui->m_nID == ID_VIEW_IMAGES)
        shown = IsPaneShown(FramePane::Images);
    ui->SetCheck(shown ? 1 : 0);
}

void CMainFrame::SetGuidesButton(bool guidesShown)
{
    const int index = ViewToolbarGuidesIndex(CurrentViewToolbarState().doubleLayout);
    if (index < 0 || static_cast<size_t>(index) >= m_viewToolbarButtons.size())
        return;
    m_viewToolbarButtons[static_cast<size_t>(index)].image = ViewToolbarGuidesImage(guidesShown);
    ApplyViewToolbarLayout();
}

RECT CMainFrame::ObjectToolBarButtonRect(int index) const
{
    if (!m_objectToolBar.m_hWnd || index < 0 || index >= m_objectToolBar.GetCount())
        return RECT{};
    return m_objectToolBar.GetItemRect(index);
}

FramePanePlace CMainFrame::PanePlace(FramePane pane) const
{
    const CSizingControlBarCF& bar = *m_panes[PaneSlot(pane)];
    if (bar.IsHorzDocked())
        return FramePanePlace::HorzDocked;
    if (bar.IsVertDocked())
        return FramePanePlace::VertDocked;
    return FramePanePlace::Floating;
}

void CMainFrame::ShowPropertiesPaneAt(POINT screenPoint)
{
    Guarded(181, ErrorSink::Window(this), [&] {
        CSizingControlBarCF& pane = Pane(FramePane::Properties);
        if (!pane.m_hWnd)
            return;
        // Float the pane beside the point: its right edge at the point, its middle at the point's height.
        const SIZE stored = m_propertiesPane.GetStoredSize();
        const int width = stored.cx;
        const int height = stored.cy;
        FloatControlBar(&pane, POINT{screenPoint.x - width, screenPoint.y - height / 2});
        ShowPane(FramePane::Properties, TRUE);
    });
}
