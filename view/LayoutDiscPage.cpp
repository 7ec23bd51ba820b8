// Exchanging the two disc labels of the disc-label sheet.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"

#include <utility>

namespace {

// The white square under the placeholder reaches this far past the disc.
constexpr int kPlaceholderOverhang = 20;

CString FlippedLabelPosition(const CString& position)
{
    return position == "Top" ? CString("Bottom") : CString("Top");
}

}  // namespace

void CQuorbel6View::LayoutDiscPage()
{
    Guarded(116, ErrorSink::Window(this), [&] {
        CLabelModel& model = Model();
        const CString shown = model.Shown().surface;

        // Disc 1's position is recorded; Disc 2's follows from it when replayed.
        bool disc1Done = false;
        for (int first = 0; first < model.RowCount(); first = model.NextObjectRow(first)) {
            const CString name = model.Row(first).m_strObjectName;
            if ((name != "Disc 1" || disc1Done) && name != "Disc 2")
                continue;
            const int row = model.FindPropertyRow(name, "Label Position");
            model.Shown().surface = name;
            if (row >= 0) {
                PropertyEntry before = model.Row(row);
                const CString flipped = FlippedLabelPosition(before.m_strValue);
                if (name == "Disc 1") {
                    AddUndoRecord(before, "Change", "From");
                    model.SetRowValue(row, flipped);
                    AddUndoRecord(model.Row(row), "Change", "To");
                } else {
                    model.SetRowValue(row, flipped);
                }
            }
            if (name == "Disc 2")
                break;
            disc1Done = true;
        }

        // The positions go through the setter so that each disc's objects move
        // with it; neither recorded nor pulled into the printable area.
        const bool recording = model.IsUndoRecording();
        const BYTE clamp = m_bGuideClamp;
        model.SetUndoRecording(false);
        m_bGuideClamp = 0;
        DiscGeometry& disc1 = model.Placement().geometry.disc1;
        DiscGeometry& disc2 = model.Placement().geometry.disc2;
        std::swap(disc1.left, disc2.left);
        std::swap(disc1.top, disc2.top);
        const DiscGeometry newDisc1 = disc1;
        const DiscGeometry newDisc2 = disc2;
        model.Shown().surface = "Disc 2";
        ApplyProperty("Disc 2", "Left", LabelRows::ObjectLengthText(newDisc2.left));
        ApplyProperty("Disc 2", "Top", LabelRows::ObjectLengthText(newDisc2.top));
        model.Shown().surface = "Disc 1";
        ApplyProperty("Disc 1", "Left", LabelRows::ObjectLengthText(newDisc1.left));
        ApplyProperty("Disc 1", "Top", LabelRows::ObjectLengthText(newDisc1.top));
        m_bGuideClamp = clamp;
        model.SetUndoRecording(recording);
        UpdateScale();

        // A single CD's second disc is a placeholder where the first one was:
        // it shows there at once, before the page is drawn again.
        if (model.Shown().layout != "Double" && m_surfaceBitmaps.IsValid()) {
            m_renderer.SetModel(model);
            m_renderer.SetScale(m_nScreenDpi, model.Shown().zoom);
            const int side = m_renderer.Geometry().disc2.outerDiameter + kPlaceholderOverhang;
            m_surfaceBitmaps.Fill(CSurfaceBitmaps::kDisc2, SIZE{side, side}, RGB(255, 255, 255));
            m_renderer.DrawDiscPlaceholder(m_surfaceBitmaps.GetDC(CSurfaceBitmaps::kDisc2));
        }

        model.Shown().surface = shown;
    });
}
