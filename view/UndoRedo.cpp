#include "view/Quorbel6View.h"

// The history is not kept yet: changes are made but cannot be undone.
void CQuorbel6View::AddUndoRecord(const PropertyEntry&, const CString&, const CString&) {}
void CQuorbel6View::CommitUndoStep() {}
bool CQuorbel6View::IsUndoRecording() const { return true; }
void CQuorbel6View::UndoRedo(const CString&) {}
void CQuorbel6View::OnEditUndo() {}
void CQuorbel6View::OnEditRedo() {}
