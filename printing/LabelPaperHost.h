#pragma once
// What the label-paper dialogs need of the window that owns the paper store,
// without its class: the store itself, saving it, the user's unit, the
// program's message box, redrawing the label after a paper changed and
// printing a paper's test sheet.

#include "framework/String.h"
#include "label/LabelDim.h"
#include "printing/PaperTestSheet.h"

#include <windows.h>

#include <memory>
#include <vector>

class ILabelPaperHost
{
public:
    // The store, changed in place by the dialogs.
    virtual std::vector<std::unique_ptr<CLabelDim>>& PaperTemplates() = 0;
    virtual int& DiscTemplateChoice() = 0;
    virtual int& JewelTemplateChoice() = 0;
    // Writes the store to "labels.ini"; FALSE (the user told) when it could not.
    virtual BOOL SaveLabelTemplates() = 0;
    // Lays out and redraws every part for the papers in use.
    virtual void RefreshAllParts() = 0;
    // Prints the test sheet through the printer's dialog; the store is left as it is.
    virtual void PrintTestSheet(const PaperTestSheet& sheet) = 0;

    // "Inches" or "Millimeters"; a change is stored as the user's setting.
    virtual CString Units() const = 0;
    virtual void SetUnits(const CString& units) = 0;
    // Screen pixels per inch across and down, as the label view converts lengths.
    virtual SIZE ScreenDpi() const = 0;
    // The label view's own background, which the sheet previews lie on.
    virtual void PaintPreviewBackground(HDC dc, const RECT& rect) = 0;

    // The program's message box: the button pressed (1 to 3).
    virtual int AskUser(LPCSTR text, int iconKind, LPCSTR buttons) = 0;
    // New and Open are not offered while the dialog is up.
    virtual void EnableNewAndOpen(bool enable) = 0;

protected:
    ~ILabelPaperHost() = default;
};
