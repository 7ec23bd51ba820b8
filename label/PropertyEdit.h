#pragma once

#include "framework/String.h"
#include "label/LabelModel.h"

#include <windows.h>

#include <optional>
#include <vector>

// What one property change does to a label, worked out before anything is
// touched: the rows to write in order (each with the "Change" pair it leaves
// for undo, if any), the texts, the surface placement and the view's shown
// surface and page, and the view's own operations to run afterwards. The view
// applies it as a whole, so a change that fails half-way changes nothing.

enum class RowField
{
    Value,
    Choices  // "Item Type" and "View" keep a value of their own there
};

struct RowChange
{
    int row = -1;
    RowField field = RowField::Value;
    CString before;  // the field's text when the change was planned
    CString stored;  // the field's new text
    // A "Change" pair goes to the undo history: the row's copy with
    // `recordedFrom`, then with `recordedTo`, in that field.
    bool recorded = false;
    CString recordedFrom;
    CString recordedTo;
};

struct TextChange
{
    int textRow = -1;
    CString value;
};

struct PropertyEdit
{
    std::vector<RowChange> rows;
    std::vector<TextChange> texts;
    // The whole placement after the change, when a rule moved or resized a surface.
    std::optional<SurfacePlacement> placement;
    std::optional<CString> shownSurface;
    std::optional<CString> shownPage;
    // The validation message for the caller to show; a later one replaces an earlier one.
    std::optional<CString> message;

    // Operations of the view the change sets off.
    bool addInsideCoverBoundary = false;
    bool setImageAsBackground = false;
    bool bringImageToFront = false;
    CString frontRole;      // the image's stacking number or "Background"
    int frontImageNumber = 0;
    CString discToSwitch;   // "Disc 1" or "Disc 2": the label positions are exchanged

    CString result;  // the value as stored, handed back to the caller

    // Whether the label changes at all (rows, texts, surfaces or operations).
    bool ChangesLabel() const
    {
        return !rows.empty() || !texts.empty() || placement || shownSurface || shownPage ||
               addInsideCoverBoundary || setImageAsBackground || bringImageToFront || !discToSwitch.IsEmpty();
    }
};
