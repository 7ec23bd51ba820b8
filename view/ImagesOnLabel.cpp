// The picture slots of the label, the stacking order, Set as Background and
// the centring commands.
#include "view/Quorbel6View.h"

#include "framework/Conversions.h"
#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "imaging/ImageFormatFromPath.h"
#include "imaging/PictureFile.h"
#include "label/ObjectPlacement.h"
#include "shell/AppMessageDlg.h"

#include <random>

int CQuorbel6View::LoadImageFile(std::unique_ptr<CxImage> image, const CString& path, int slot)
{
    return Guarded(284, ErrorSink::App(), 0, [&] {
        if (!image || !image->IsValid() || !image->GetBits()) {
            CAppMessageDlg::Show("Invalid image format.", CAppMessageDlg::kIconStop, "OK`");
            return 0;
        }
        if (image->HasAlpha()) {
            image->SetBackgroundColor(RGBQUAD{255, 255, 255, 0});
            image->FlattenAlpha();
        }
        // The document keeps a JPEG as the bytes it was decoded from. A JPEG
        // that arrives without them is read once more and decoded from that
        // very read, so that the kept bytes and the picture agree.
        if (GetImageFormatFromPath(path) == kImageFormatJpeg && !image->GetUserBuffer()) {
            std::unique_ptr<CxImage> reread = ReadPictureFile(path);
            if (!reread || !reread->IsValid() || !reread->GetUserBuffer()) {
                CAppMessageDlg::Show("Error: The image file has been moved.", CAppMessageDlg::kIconStop, "OK`");
                return 0;
            }
            image = std::move(reread);
        }
        if (slot < 0)
            Model().AppendImage(std::move(image));
        else if (slot < Model().ImageCount())
            Model().ReplaceImage(slot, std::move(image));
        else
            return 0;
        return 1;
    });
}

void CQuorbel6View::DuplicateImageSlot(int imageNumber)
{
    Guarded(477, ErrorSink::Window(this), [&] {
        const CxImage* source = Model().Image(imageNumber);
        if (!source)
            return;
        if (std::unique_ptr<CxImage> copy = ClonePicture(*source))
            Model().AppendImage(std::move(copy));
    });
}

void CQuorbel6View::SetObjectChoice(const CString& objectName, const CString& key, const CString& choices)
{
    const int row = FindPropertyRow(objectName, key);
    if (row < 0 || Model().Row(row).m_strChoices == choices)
        return;
    PropertyEntry after = Model().Row(row);
    after.m_strChoices = choices;
    AddUndoRecord(Model().Row(row), "Change", "From");
    Model().SetRowChoices(row, choices);
    AddUndoRecord(after, "Change", "To");
}

int CQuorbel6View::SelectionCentreX() const
{
    const int row = FindObjectRow(m_strSelectedObject);
    const CString type = row < 0 ? CString() : Model().Row(row).m_strValue;
    if (type == "Text" || type == "Track" || type == "Cover" || type == "Boundary" || type == "Image")
        return LabelRows::ReadLength(GetPropertyValue(m_strSelectedObject, "Left")) +
               LabelRows::ReadLength(GetPropertyValue(m_strSelectedObject, "Width")) / 2;
    // A page counts as lying in the right half of a folded cover.
    return Model().Geometry().front.left + Model().Geometry().front.width;
}

void CQuorbel6View::FitImageToSurface()
{
    Guarded(115, ErrorSink::Window(this), [&] {
        const CString name = m_strSelectedObject;
        const CString surface = Model().Shown().surface;
        const SurfaceGeometry& geometry = Model().Geometry();
        const bool folded = Model().Placement().folded != 0;
        const int left = LabelRows::ReadLength(GetPropertyValue(name, "Left"));
        const int width = LabelRows::ReadLength(GetPropertyValue(name, "Width"));
        const DocBox box = ObjectPlacement::BackgroundBox(surface, geometry, folded, left + width / 2);
        if (box.width > 0 && box.height > 0) {
            if (surface == "Front Cover")
                SetObjectChoice(name, "View",
                                ObjectPlacement::BackgroundPart("Inside", surface, geometry, folded, left + width / 2));
            ApplyProperty(name, "Left", LabelRows::ObjectLengthText(box.left));
            ApplyProperty(name, "Top", LabelRows::ObjectLengthText(box.top));
            ApplyProperty(name, "Width", LabelRows::ObjectLengthText(box.width));
            ApplyProperty(name, "Height", LabelRows::ObjectLengthText(box.height));
        }
        ApplyProperty(name, "Lock Aspect Ratio", "No");
    });
}

void CQuorbel6View::SetImageAsBackground()
{
    Guarded(473, ErrorSink::Window(this), [&] {
        const CString selected = m_strSelectedObject;
        // The picture becomes the background of its own surface, never of another one shown.
        ShowSurfaceOfSelection();
        RemoveOtherBackground(false, selected);
        m_strSelectedObject = selected;
        FitImageToSurface();
        SetObjectChoice(selected, "Item Type", "Background");
        ApplyProperty(selected, "Bring to Front", "No");
        // The pane's ticks would otherwise offer the old state to the next click.
        TellFramePanes();
    });
}

void CQuorbel6View::BringImageToFront(CString role, int imageNumber)
{
    Guarded(475, ErrorSink::Window(this), [&] {
        const CString selected = m_strSelectedObject;
        if (role != "Background") {
            SendOtherImagesBack(selected);
            Model().SetStackingCounter(Model().StackingCounter() + 1);
            SetObjectChoice(selected, "Item Type", IntToStr(Model().StackingCounter()));
            TellFramePanes();
            return;
        }
        // A background comes to the front as an ordinary image with a picture of its own.
        const int before = Model().ImageCount();
        DuplicateImageSlot(imageNumber);
        if (Model().ImageCount() == before)
            return;
        AddImageObject(GetNewImageRect(), m_strCurrentPart, false, false);
        const CString added = m_strSelectedObject;
        RemoveOtherBackground(false, "");
        m_strSelectedObject = added;
        LoadSelection();
        TellFramePanes();
        TellFrameSelection();
    });
}

RECT CQuorbel6View::GetNewImageRect()
{
    return Guarded(478, ErrorSink::Window(this), RECT{}, [&] {
        POINT corner = ObjectPlacement::NewImageCorner(GetClientCentreDoc(), Model().Shown().surface,
                                                       m_strCurrentPart, Model().Geometry(),
                                                       Model().Placement().folded != 0);
        // A little scatter, so that images brought forward one after another do not hide each other.
        std::minstd_rand first(::GetTickCount());
        corner.x += static_cast<LONG>(first() % 100) - 50;
        std::minstd_rand second(::GetTickCount() + ::GetTickCount() + 1);
        corner.y += static_cast<LONG>(second() % 100) - 50;
        return DocToScreenRect(RECT{corner.x, corner.y, corner.x + 1250, corner.y + 1250});
    });
}

CString CQuorbel6View::GetSurfaceUnderRect(const RECT& screenRect)
{
    return Guarded(479, ErrorSink::Window(this), CString(), [&] {
        // What a press at each corner would meet decides: a corner in a
        // disc's hole or outside its ring is on no disc. The hit test's part
        // belongs to the selection and stays as it was.
        const CString selectionPart = m_strCurrentPart;
        m_hitList.clear();
        const POINT corners[] = {{screenRect.left, screenRect.top},
                                 {screenRect.right, screenRect.top},
                                 {screenRect.left, screenRect.bottom},
                                 {screenRect.right, screenRect.bottom}};
        CString name;
        for (const POINT corner : corners) {
            name = HitTestObject(corner);
            // The sheet around the surfaces is no place for an object.
            if (name.Left(4) == "Page")
                name.Empty();
            if (!name.IsEmpty())
                break;
        }
        m_strCurrentPart = selectionPart;
        if (name.IsEmpty())
            return CString();
        CString surface = name;
        const CString itemType = Model().GetPropertyValue(name, "Item Type");
        if (itemType == "Text" || itemType == "Track" || itemType == "Image" || itemType == "Boundary")
            surface = Model().GetPropertyValue(name, "View");
        // A single CD has one disc, wherever on the sheet it is shown.
        if (surface == "Disc 2" && Model().Shown().layout == "Single")
            surface = "Disc 1";
        return surface;
    });
}

void CQuorbel6View::OnCenterHorizontally()
{
    Guarded(113, ErrorSink::Window(this), [&] {
        const CString name = m_strSelectedObject;
        if (FindObjectRow(name) < 0)
            return;
        const int left = LabelRows::ReadLength(GetPropertyValue(name, "Left"));
        const int width = LabelRows::ReadLength(GetPropertyValue(name, "Width"));
        const int centred =
            ObjectPlacement::CenteredLeft(left, width, SelectedObjectType() == "Image", Model().Shown().surface,
                                          Model().Geometry(), Model().Placement().folded != 0);
        ApplyProperty(name, "Left", LabelRows::ObjectLengthText(centred));
        CommitUndoStep();
        ShowSurface("");
    });
}

void CQuorbel6View::OnCenterVertically()
{
    Guarded(114, ErrorSink::Window(this), [&] {
        const CString name = m_strSelectedObject;
        if (FindObjectRow(name) < 0)
            return;
        const int top = LabelRows::ReadLength(GetPropertyValue(name, "Top"));
        const int height = LabelRows::ReadLength(GetPropertyValue(name, "Height"));
        const int centred = ObjectPlacement::CenteredTop(top, height, Model().Shown().surface, Model().Geometry());
        ApplyProperty(name, "Top", LabelRows::ObjectLengthText(centred));
        CommitUndoStep();
        ShowSurface("");
    });
}

void CQuorbel6View::OnSetAsBackground()
{
    Guarded(474, ErrorSink::Window(this), [&] {
        const CString name = m_strSelectedObject;
        if (SelectedObjectType() != "Image")
            return;
        // The setter makes the picture the background when it stores "Disabled On".
        ApplyProperty(name, "Set as Background", "Yes");
        CommitUndoStep();
        ShowSurface("");
    });
}

void CQuorbel6View::OnBringToFront()
{
    Guarded(476, ErrorSink::Window(this), [&] {
        const CString name = m_strSelectedObject;
        if (SelectedObjectType() != "Image")
            return;
        // The setter gives the picture the next stacking number when it stores "Disabled On".
        ApplyProperty(name, "Bring to Front", "Yes");
        CommitUndoStep();
        ShowSurface("");
    });
}
