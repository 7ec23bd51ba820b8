#pragma once
// What the print dialog reads from and writes into the program: the parts to
// print, the calibration offsets and the papers chosen. The label view hands
// the dialog one of these for each job.

#include "framework/String.h"

#include <windows.h>

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
    // Keeps the choice for this and later jobs (the part's setting included).
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
};
