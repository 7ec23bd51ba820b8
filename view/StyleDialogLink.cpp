// What the colour and font dialogs ask of the view: previews written straight
// into the rows, and the chosen values committed through the property setter.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "shell/ColorDlg.h"
#include "shell/FontDlg.h"

void CQuorbel6View::PreviewRowValue(const CString& objectName, const CString& caption, const CString& value)
{
    Model().ReplacePropertyValue(objectName, caption, value);
    // A text in another font is fitted to its box anew.
    if (caption == "Font")
        Model().ReplacePropertyValue(objectName, "Vector Data", "");
}

void CQuorbel6View::RepaintLabel()
{
    DrawSurface(kDrawClear);
    DrawSurface(kDrawFull);
    DrawNow();
}

void CQuorbel6View::CommitStyleChanges(const std::vector<StyleChange>& changes)
{
    Guarded(612, ErrorSink::Window(this), [&] {
        for (const StyleChange& change : changes) {
            // The setter records the change from the value the dialog started with.
            PreviewRowValue(change.objectName, change.caption, change.before);
            ApplyProperty(change.objectName, change.caption, change.after);
        }
        if (!changes.empty()) {
            CommitUndoStep();
            RepaintLabel();
        }
        if (IViewFrame* frame = ViewFrame())
            frame->ShowObject(m_strSelectedObject);
    });
}

void CQuorbel6View::ChooseObjectColor(const CString& objectName, COLORREF color)
{
    Guarded(613, ErrorSink::Window(this), [&] {
        if (objectName != m_strSelectedObject)
            SelectObject(objectName);
        CDlgColor dialog(*this, "Color", color, m_hWnd);
        dialog.DoModal();
    });
}

void CQuorbel6View::ChooseObjectFont(const CString& objectName, const LOGFONTA& font)
{
    Guarded(614, ErrorSink::Window(this), [&] {
        if (objectName != m_strSelectedObject)
            SelectObject(objectName);
        CFontDlg dialog(*this, "Font", font, m_hWnd);
        dialog.DoModal();
    });
}
