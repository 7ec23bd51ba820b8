#pragma once
// The planner behind PropertyRules: one property change worked out over the
// rows as they would be after each step. Split by concern:
//   label/PropertyRules.cpp        the search, the dispatch, the default rule
//   label/ObjectPropertyRules.cpp  texts, track lists, images, boundaries, pages
//   label/SurfacePropertyRules.cpp covers, discs, pages' orientation, text margin
#include "label/PropertyRules.h"

#include <map>

class PropertyPlanner
{
public:
    PropertyPlanner(const CLabelModel& model, const PropertyRuleContext& context);

    PropertyEdit PlanChange(const CString& name, const CString& caption, const CString& value, bool skipRow);
    PropertyEdit PlanTextMargin(const CString& discName, const CString& value);

private:
    // ---- the rows as planned so far ----------------------------------------------------
    int RowCount() const { return m_model.RowCount(); }
    // The row at `index` with the changes planned so far.
    const PropertyEntry& Row(int index) const;
    // The row `distance` rows from `index` inside the same object; throws when
    // the object has no such row.
    int Near(int index, int distance) const;
    const PropertyEntry& NearRow(int index, int distance) const { return Row(Near(index, distance)); }
    // The object's first and last rows, for any row inside it.
    int FirstRowOf(int index) const;
    int LastRowOf(int index) const;
    // The row with that key inside the object whose first row is `first`; -1 when missing.
    int FindKey(int first, const CString& key) const;

    // Writes a field without an undo entry (nothing when it already holds it).
    void Set(int index, const CString& text, RowField field = RowField::Value);
    // Adds a change to the plan and to the rows as the plan sees them.
    void Plan(const RowChange& change);
    // Writes a field and records the change: from the field's text, to `recordedTo`.
    void SetRecorded(int index, const CString& text, RowField field = RowField::Value);
    void SetRecorded(int index, const CString& text, const CString& recordedFrom, const CString& recordedTo,
                     RowField field = RowField::Value);
    void EmptyLayoutCache(int index) { Set(index, CString()); }
    void ShiftLayoutCache(int index, const CString& axis, int distance);
    void Message(const char* text) { m_edit.message = CString(text); }

    SurfacePlacement& Placement();
    const CString& ShownSurface() const;
    const CString& ShownPage() const;

    // ---- the search (label/PropertyRules.cpp) ------------------------------------------------
    int Search(const CString& name, const CString& caption, const CString& value, bool skipRow);
    // Every ordinary object on the surface shown moves by `distance` thousandths.
    void MoveSurfaceObject(int row, const CString& axis, const CString& distance);
    void ApplyRule(int row, const CString& name, const CString& caption, const CString& value);
    void DefaultRule(int row, const CString& value);
    // Every Text and Track object on one of the named surfaces lays itself out again.
    void ForgetLayoutsOn(const CString& surface, const CString& otherSurface = CString());

    // ---- ordinary objects (label/ObjectPropertyRules.cpp) -------------------------------------
    bool ApplyObjectRule(int row, const CString& caption, const CString& value);
    void ObjectLength(int row, const CString& caption, const CString& value);
    void LockAspectRatio(int row, const CString& value);
    void SetAsBackground(int row, const CString& value);
    void BringToFront(int row, const CString& value);
    void ChoicesField(int row, const CString& value);
    void OffsetOrWrap(int row, const CString& caption, const CString& value);
    // Stores the value and empties the cache `cacheDistance` rows away.
    void StoreAndForgetLayout(int row, const CString& value, int cacheDistance);

    // ---- surfaces (label/SurfacePropertyRules.cpp) -----------------------------------------------
    bool ApplySurfaceRule(int row, const CString& name, const CString& caption, const CString& value);
    void PageOrientation(int row, const CString& name, const CString& value);
    void SurfacePage(int row, const CString& name, const CString& value);
    void CoverPosition(int row, const CString& name, const CString& caption, const CString& value);
    void DiscPosition(int row, const CString& name, const CString& caption, const CString& value);
    void PrintBorder(int row, const CString& name, const CString& value);
    void FoldedCover(int row, const CString& value);
    void InnerDiameter(int row, const CString& name, const CString& value);
    void OuterDiameter(int row, const CString& name, const CString& value);
    void FitTextsIntoDisc(const DiscGeometry& disc);
    DiscGeometry& DiscOf(const CString& name);

    const CLabelModel& m_model;
    const PropertyRuleContext& m_context;
    std::map<int, PropertyEntry> m_changed;  // rows as planned, by index
    PropertyEdit m_edit;
};
