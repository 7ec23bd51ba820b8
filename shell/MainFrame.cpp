#include "shell/MainFrame.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

void CMainFrame::EnableEditing(BOOL disable)
{
    m_bEditingDisabled = disable ? 1 : 0;
    if (m_hWnd)
        ::EnableWindow(m_hWnd, disable ? FALSE : TRUE);
}
