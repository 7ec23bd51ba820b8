// Writing an imported album into the label: every text through the property
// setter, recorded as one undo step, or nothing at all.
#include "view/AlbumImport.h"

#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "view/Quorbel6View.h"

#include <vector>

namespace {

PropertyEntry TextChangeRecord(const CString& textName, const CString& value)
{
    PropertyEntry entry;
    entry.m_strObjectName = textName;
    entry.m_strKey = "Text";
    entry.m_strValue = value;
    return entry;
}

}  // namespace

bool CViewAlbumLabel::IsDoubleLayout() const
{
    return m_view.IsDoubleLayout();
}

CString CViewAlbumLabel::ObjectText(const CString& objectName) const
{
    const TextEntry* text = m_view.FindTextOfObject(objectName);
    return text ? text->m_strValue : CString();
}

bool CViewAlbumLabel::WriteAlbumTexts(const AlbumTextWrites& writes)
{
    const TextRows before = m_view.Model().Texts();
    bool written = false;
    Guarded(363, ErrorSink::Window(&m_view), [&] {
        for (const AlbumTextWrite& write : writes) {
            if (!m_view.FindTextOfObject(write.objectName))
                continue;
            m_view.ApplyProperty(write.objectName, "Text", write.text);
            // The setter reports its own failures and goes on: a text that did
            // not arrive ends the import.
            const TextEntry* now = m_view.FindTextOfObject(write.objectName);
            if (!now || now->m_strValue != write.text)
                return;
        }
        written = true;
    });

    const TextRows& after = m_view.Model().Texts();
    if (!written) {
        // Back to the texts as they were; nothing is recorded.
        for (size_t row = 0; row < before.size() && row < after.size(); ++row) {
            if (after[row].m_strValue != before[row].m_strValue)
                m_view.ApplyProperty(before[row].m_strName, "Text", before[row].m_strValue);
        }
        m_view.ShowSurface("");
        return false;
    }

    Guarded(369, ErrorSink::Window(&m_view), [&] {
        bool recorded = false;
        for (size_t row = 0; row < after.size(); ++row) {
            // Rows that came to be meanwhile count as changed from nothing.
            const CString old = row < before.size() ? before[row].m_strValue : CString();
            if (after[row].m_strValue == old)
                continue;
            m_view.AddUndoRecord(TextChangeRecord(after[row].m_strName, old), "Change", "From");
            m_view.AddUndoRecord(TextChangeRecord(after[row].m_strName, after[row].m_strValue), "Change", "To");
            recorded = true;
        }
        if (recorded) {
            m_view.CommitUndoStep();
            if (CDocument* doc = m_view.GetDocument())
                doc->SetModifiedFlag(TRUE);
        }
    });
    m_view.RequestLayoutFit();
    m_view.ShowSurface("");
    if (IViewFrame* frame = CQuorbel6View::ViewFrame())
        frame->ShowObject(m_view.SelectedObjectName());
    return true;
}

void CQuorbel6View::RequestLayoutFit()
{
    if (!m_pAppSettings)
        return;
    for (BYTE& pending : m_pAppSettings->m_bLayoutFit)
        pending = 1;
}
