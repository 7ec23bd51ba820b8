#include "document/Quorbel6Doc.h"

#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include <stdexcept>

void CQuorbel6Doc::SetupNewLayout()
{
    Guarded(158, ErrorSink::App(), [&] {
        CQuorbel6View* view = GetLabelView();
        if (!view)
            throw std::logic_error("a document without its view");

        view->m_bDrawingEnabled = 0;
        view->ClearObjects();
        view->CreateSurfaceProperties(0);
        // Every page is drawn once, which lays out the album texts of the new label.
        for (const char* page : {"1", "2", "3"}) {
            view->m_strPage = page;
            view->UpdateScale();
            view->DrawSurface(CQuorbel6View::kDrawClear);
            view->DrawSurface(CQuorbel6View::kDrawFull);
        }
        view->m_strPage = "1";

        view->WriteSettingValue("Number", "Template", view->m_strLayout == "Single" ? "1" : "2");

        view->m_strSelectedObject = "Page " + view->m_strPage;
        view->m_nSelectionHandles = 0;
        // While the first label of a first run is made, editing stays off
        // until the label paper has been chosen.
        if (auto* frame = dynamic_cast<CMainFrame*>(GetAppMainWnd()); frame && m_bRefresh)
            frame->EnableEditing(FALSE);

        DeleteRecords();
        view->m_bDrawingEnabled = 1;
        view->ScrollToCurrentPart(true);
        SetModifiedFlag(FALSE);
        view->ShowSurface("");
        view->m_bUndoRecording = TRUE;
    });
}
