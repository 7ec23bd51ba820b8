#pragma once
// What the print dialog reads from and writes into the program: the parts to
// print, the calibration offsets and the papers chosen. The label view hands
// the dialog one of these for each job.

#include "framework/Gdi.h"
#include "framework/String.h"
#include "label/Surface.h"

#include <windows.h>

#include <vector>

class CLabelDim;

// Where the one disc label of a single layout is printed.
enum class DiscPosition
{
    Unchanged,  // as the label has it (always for two discs)
    Top,
    Bottom,
    Both
};

// The papers and disc position chosen on the paper pages.
struct PrintPaperChoice
{
    int discTemplate = -1;
    int jewelTemplate = -1;
    DiscPosition position = DiscPosition::Unchanged;
};

enum class PrintPart
{
    Front,
    Back,
    Disc1,
    Disc2
};

class IPrintDialogTarget
{
public:
    virtual ~IPrintDialogTarget() = default;

    virtual bool IsPartPrinted(PrintPart part) const = 0;
    // Keeps the choice for this and later jobs (the part's setting included);
    // in calibration mode it chooses the job's sheets only.
    virtual void SetPartPrinted(PrintPart part, bool printed) = 0;
    // A print of pages 1 and 3 is made a print of pages 1 and 2.
    virtual void SetPage2AsPage3(bool skip) = 0;
    virtual bool IsDoubleLayout() const = 0;
    virtual bool IsCalibrationMode() const = 0;
    // Calibration offsets in steps of 25 thousandths of an inch.
    virtual POINT PrintOffset() const = 0;
    virtual void SetPrintOffset(POINT offset) = 0;
    // The page of the back cover on the cover paper in use: 2 or 3.
    virtual int BackCoverPage() const = 0;
    virtual CString DiscPaperName() const = 0;
    virtual CString CoverPaperName() const = 0;
    // Shows the label's current surface again after the dialog.
    virtual void ShowCurrentSurface() = 0;

    // The label papers in store order (none: the dialog offers no paper pages
    // beyond the current ones); null for an index out of range.
    virtual int PaperCount() const { return 0; }
    virtual const CLabelDim* Paper(int) const { return nullptr; }
    virtual int DiscTemplate() const { return -1; }
    virtual int JewelTemplate() const { return -1; }
    // The first disc's "Label Position": "Top", "Bottom" or empty.
    virtual CString LabelPosition() const { return CString(); }
    // Screen pixels per inch, for the sheet previews.
    virtual SIZE ScreenDpi() const { return SIZE{96, 96}; }
    // Takes the pages' choices as the label's current papers and disc place;
    // they stay after the job.
    virtual void ApplyPaperChoice(const PrintPaperChoice&) {}
    // Tells the user, in the program's own message box, that nothing is chosen.
    virtual void ReportNothingToPrint(bool) {}

    // The label's design of one surface as the screen shows it at 60 %,
    // without guides, drawn apart from the view so that the view stays
    // exactly as it is; no bitmap when there is nothing to draw.
    virtual CBitmap MakeDesignSnapshot(Surface) { return CBitmap(); }
    // Whether the label's front cover is a folded one.
    virtual bool IsLabelFolded() const { return false; }
    // The alignment wizard on a paper (side 1 the front sheet, 0 the back
    // cover's); true when the user saved it.
    virtual bool EditPaper(int, int) { return false; }
    // The program's Change Label Paper command.
    virtual void ChangeLabelPaper() {}
};
