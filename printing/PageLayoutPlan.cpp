#include "printing/PageLayoutPlan.h"

#include "framework/Conversions.h"
#include "label/LabelRows.h"

CString SheetOrientation(int width, int height)
{
    return height < width ? CString("Landscape") : CString("Portrait");
}

std::vector<PaperAssignment> PlanPageLayout(const CLabelDim& disc, const CLabelDim& jewel, const LayoutState& state)
{
    using LabelRows::SurfaceLengthText;
    std::vector<PaperAssignment> plan;
    auto set = [&](const char* surface, const char* object, const char* key, const CString& value) {
        plan.push_back(PaperAssignment{surface, object, key, value});
    };
    auto page = [&](const char* name, const CString& orientation, int width, int height) {
        set("", name, "Orientation", orientation);
        set("", name, "Width", SurfaceLengthText(width));
        set("", name, "Height", SurfaceLengthText(height));
    };

    // The disc sheet is always printed upright.
    page("Page 1", "Portrait", disc.m_nSheetWidth1, disc.m_nSheetHeight1);
    page("Page 2", SheetOrientation(jewel.m_nSheetWidth1, jewel.m_nSheetHeight1), jewel.m_nSheetWidth1,
         jewel.m_nSheetHeight1);
    page("Page 3", SheetOrientation(jewel.m_nSheetWidth2, jewel.m_nSheetHeight2), jewel.m_nSheetWidth2,
         jewel.m_nSheetHeight2);

    // The cover's width follows its fold through the setter; only a change of fold is written.
    set("Front Cover", "Front Cover", "Page", "2");
    if (state.keepFold)
        ;  // a label being read is not refolded behind the user's back
    else if (!state.coverFolded && jewel.m_nFolded == 1)
        set("Front Cover", "Front Cover", "Folded Cover", "Yes");
    else if (state.coverFolded && jewel.m_nFolded == 0)
        set("Front Cover", "Front Cover", "Folded Cover", "No");
    set("Front Cover", "Front Cover", "Left", SurfaceLengthText(jewel.m_nLeft1));
    set("Front Cover", "Front Cover", "Top", SurfaceLengthText(jewel.m_nTop1));

    set("Back Cover", "Back Cover", "Page", IntToStr(jewel.m_nPage2));
    set("Back Cover", "Back Cover", "Left", SurfaceLengthText(jewel.m_nLeft2));
    set("Back Cover", "Back Cover", "Top", SurfaceLengthText(jewel.m_nTop2));

    struct Label
    {
        int left, top, inner, outer;
    };
    const Label first{disc.m_nLeft1, disc.m_nTop1, disc.m_nHeight1, disc.m_nWidth1};
    const Label second{disc.m_nLeft2, disc.m_nTop2, disc.m_nHeight2, disc.m_nWidth2};
    auto discAt = [&](const char* name, const Label& label) {
        set(name, name, "Page", "1");
        set(name, name, "Left", SurfaceLengthText(label.left));
        set(name, name, "Top", SurfaceLengthText(label.top));
        set(name, name, "Inner Diameter", SurfaceLengthText(label.inner));
        set(name, name, "Outer Diameter", SurfaceLengthText(label.outer));
    };
    discAt("Disc 1", state.disc1AtBottom ? second : first);
    discAt("Disc 2", state.disc1AtBottom ? first : second);
    return plan;
}

bool IsAssignmentInPlace(const PaperAssignment& assignment, const CString& stored)
{
    const CString& key = assignment.key;
    const bool length = key == "Left" || key == "Top" || key == "Width" || key == "Height" ||
                        key == "Inner Diameter" || key == "Outer Diameter";
    if (!length)
        return stored == assignment.value;
    // An empty or damaged row is no length in place, whatever it reads as.
    return !stored.IsEmpty() && LabelRows::ReadLength(stored) == LabelRows::ReadLength(assignment.value);
}
