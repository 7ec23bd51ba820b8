#pragma once

#include "framework/String.h"
#include "label/LabelModel.h"
#include "label/PropertyEdit.h"

#include <windows.h>

#include <functional>

// What the property rules need of the view that edits the label.
struct PropertyRuleContext
{
    RECT guide{};               // printable area of the sheet shown, thousandths of an inch
    bool undoRecording = true;  // off while a file is read or a step is replayed
    bool guideClamp = true;     // off while the pages are laid out on label paper
    bool printerAvailable = true;
    CString units;              // "Inches" or "Millimeters": the unit of "Text Margin"

    // Adapts a box in inches to the proportions of an image slot; false for a
    // missing or degenerate picture. None: every picture counts as missing.
    std::function<bool(double& width, double& height, int imageNumber)> keepImageAspect;
    // Moves a text's cached lines by a distance ("Left" or "Top"). None: the
    // cache is emptied instead, so that it is laid out again.
    std::function<void(CString& cache, const CString& axis, int distance)> shiftLayoutCache;

    // Surfaces are pulled into the printable area only while a user edits,
    // the layout code is not placing them, and there is an area to pull into.
    bool GuideLimitsApply() const
    {
        return undoRecording && guideClamp && printerAvailable && guide.right > guide.left &&
               guide.bottom > guide.top;
    }
};

// The rules of every property caption of every kind of object. Each works out
// the change without touching the model; a damaged model (a row missing where
// a rule expects it) throws std::out_of_range instead of reading another
// object's rows.
namespace PropertyRules
{
// One property of the named object set to `value` (an empty name: the
// surface-wide "Page", "Left" and "Top"). With skipRow the row itself is left
// alone and only the effects of the search happen.
PropertyEdit PlanChange(const CLabelModel& model, const PropertyRuleContext& context, const CString& name,
                        const CString& caption, const CString& value, bool skipRow);

// The text margin of a disc, given in the unit of `context.units`; the result
// is in that unit too.
PropertyEdit PlanTextMargin(const CLabelModel& model, const PropertyRuleContext& context, const CString& discName,
                            const CString& value);

// A text margin as entered, in inches: "%.3f ''" of the millimetres when the
// units are "Millimeters", the text unchanged otherwise.
CString TextMarginInInches(const CString& value, const CString& units);

bool IsSurfaceObject(const CString& name);
}  // namespace PropertyRules
