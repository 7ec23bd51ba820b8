#include "shell/DialogWindowIcon.h"

#include "framework/Wnd.h"
#include "resource.h"
#include "uikit/UiResources.h"

void CDialogWindowIcon::Apply(CWnd& dialog)
{
    const CUiResources* resources = UiResources();
    if (!resources || resources->MenuImages().GetImageCount() <= MENU_IMAGE_DIALOG_ICON || !dialog.m_hWnd)
        return;
    m_icon.Reset(resources->MenuImages().ExtractIcon(MENU_IMAGE_DIALOG_ICON));
    dialog.SetIcon(m_icon, FALSE);
}

void CDialogWindowIcon::Release(CWnd& dialog)
{
    if (!m_icon.IsValid())
        return;
    if (dialog.m_hWnd)
        dialog.SetIcon(nullptr, FALSE);
    m_icon.Reset();
}
