#pragma once

#include "framework/String.h"

#include <windows.h>

// What the document asks of the window that shows its label, so that it never
// needs the view's class. The label itself is the document's model.
class ILabelView
{
public:
    // A new label is about to fill the model: drawing stops, the model is
    // emptied and what the window kept of the old label goes.
    virtual void BeginNewLabel() = 0;
    // Fills the emptied model with an empty layout from the chosen label papers.
    virtual void CreateSurfaceProperties(int unused = 0) = 0;
    // Draws every page once, which lays out the texts of a new label.
    virtual void DrawEveryPage() = 0;
    // The new label is in the model: `selected` is selected and drawing
    // resumes. With `show`, the surface stored as shown comes into view (fitted
    // to the window with `fit`). With `enableEditing` editing is switched on;
    // without, it stays as it is (off while the first label of a first run is
    // made, until the label paper has been chosen).
    virtual void ShowNewLabel(const CString& selected, bool show, bool fit, bool enableEditing) = 0;
    // The label's point at the middle of the window, thousandths of an inch.
    virtual POINT GetClientCentreDoc() const = 0;
    // Whether the label paper has ever been chosen (clear on a first run).
    virtual bool IsLabelPaperChosen() const = 0;
    // Asks which kind of new label to make (a NewLabelKind).
    virtual int AskNewLabelKind() = 0;
    // The kind of label to start with (1 single CD, other non-zero double CD,
    // 0 ask) once; afterwards -1.
    virtual int TakeStartPreset() = 0;
    // Lays the pages out on the label papers in use. With `keepFold` the front
    // cover stays folded or flat as the label has it (while a file is read).
    virtual void LayoutPagesOnPaper(bool keepFold) = 0;
    // Turns the paper geometry of a label from an older file into label-paper
    // templates of the user's own (the first start after an update).
    virtual void ResetDefaultTemplates() = 0;

protected:
    ~ILabelView() = default;
};
