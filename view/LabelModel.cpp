// Which label the view shows, and the row operations its commands use.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/Document.h"
#include "label/LabelModelOwner.h"

CLabelModel& CQuorbel6View::Model()
{
    return const_cast<CLabelModel&>(static_cast<const CQuorbel6View*>(this)->Model());
}

const CLabelModel& CQuorbel6View::Model() const
{
    // The document is looked up once, when it changes.
    if (m_pDocument != m_modelDocument) {
        m_modelDocument = m_pDocument;
        auto* owner = dynamic_cast<ILabelModelOwner*>(m_pDocument);
        m_model = owner ? &owner->LabelModel() : const_cast<CLabelModel*>(&m_ownModel);
    }
    return *m_model;
}

void CQuorbel6View::AddObjectRecord(const PropertyEntry& row)
{
    Guarded(3, ErrorSink::Window(this), [&] {
        Model().AppendRow(row);
        AddUndoRecord(row, UndoKind::kAdd, UndoDirection::kTo);
    });
}

void CQuorbel6View::MakeUniqueObjectName(CString& name)
{
    Guarded(37, ErrorSink::Window(this), [&] { name = Model().UniqueObjectName(name); });
}

void CQuorbel6View::MakeUniqueTextName(CString& name)
{
    Guarded(137, ErrorSink::Window(this), [&] { name = Model().UniqueTextName(name); });
}
