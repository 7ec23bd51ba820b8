#include "shell/DialogWindowIcon.h"

#include "app/Quorbel6App.h"
#include "framework/Wnd.h"
#include "resource.h"

void CDialogWindowIcon::Apply(CWnd& dialog)
{
    auto* app = dynamic_cast<CQuorbel6App*>(GetApp());
    if (!app || app->m_imageList.GetImageCount() <= MENU_IMAGE_DIALOG_ICON || !dialog.m_hWnd)
        return;
    m_icon.Reset(app->m_imageList.ExtractIcon(MENU_IMAGE_DIALOG_ICON));
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
