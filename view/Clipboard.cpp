// Cut, Copy and Paste: objects through the program's own store, pictures
// from other programs through the system clipboard's CF_DIB.
#include "view/Quorbel6View.h"

#include "framework/ClipboardOwner.h"
#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "shell/AppMessageDlg.h"
#include "label/NewObjectRows.h"
#include "framework/Conversions.h"
#include "imaging/PictureFile.h"

#include <optional>

void CQuorbel6View::ReportClipboardBusy()
{
    CAppMessageDlg::Show("The clipboard is in use by another program. Please try again.",
                         CAppMessageDlg::kIconExclamation, "OK`");
}

namespace
{
// Tells the frame, when it goes, whether there is anything to paste.
class PasteOffer
{
public:
    explicit PasteOffer(const CQuorbel6View& view) : m_view(view) {}
    ~PasteOffer()
    {
        if (IViewFrame* frame = m_view.ViewFrame())
            frame->SetPastePossible(m_view.HasCopiedObjects() || ::IsClipboardFormatAvailable(CF_DIB));
    }
    PasteOffer(const PasteOffer&) = delete;
    PasteOffer& operator=(const PasteOffer&) = delete;

private:
    const CQuorbel6View& m_view;
};
}  // namespace

void CQuorbel6View::OnEditCopy()
{
    Guarded(67, ErrorSink::Window(this), [&] {
        if (PassToTextField(WM_COPY))
            return;
        {
            // A picture left there by another program would be pasted instead of this object.
            CClipboardOwner clipboard(m_hWnd);
            if (clipboard.IsOpen())
                ::EmptyClipboard();
            else
                ReportClipboardBusy();
        }
        m_clipboardStore.Clear();

        // Paste is offered for what the store really holds when Copy ends, also
        // when there was nothing to copy or the picture could not be kept.
        const PasteOffer offer(*this);
        const int first = FindObjectRow(m_strSelectedObject);
        if (first < 0)
            return;
        PropertyRows rows;
        for (int row = first; row < Model().RowCount() && Model().Row(row).m_strObjectName == m_strSelectedObject;
             ++row)
            rows.push_back(Model().Row(row));
        std::optional<TextEntry> text;
        const CString itemType = rows.front().m_strValue;
        if (itemType == "Text" || itemType == "Track")
            if (const TextEntry* shown = FindTextOfObject(m_strSelectedObject))
                text = *shown;
        // The picture may be replaced, released or cleared with the label
        // before the paste: the store keeps a copy of its own.
        std::unique_ptr<CxImage> picture;
        if (itemType == "Image") {
            const CxImage* shown = Model().Image(ParseLeadingInt(GetPropertyValue(m_strSelectedObject, "Image Number")));
            if (!shown || !(picture = ClonePicture(*shown)))
                return;
        }
        m_clipboardStore.Keep(std::move(rows), std::move(text), std::move(picture));
    });
}

void CQuorbel6View::OnEditCut()
{
    Guarded(68, ErrorSink::Window(this), [&] {
        if (PassToTextField(WM_CUT))
            return;
        OnEditCopy();
        OnEditDelete();
    });
}

void CQuorbel6View::OnEditPaste()
{
    Guarded(69, ErrorSink::Window(this), [&] {
        if (PassToTextField(WM_PASTE))
            return;
        std::unique_ptr<CxImage> picture;
        {
            // A clipboard another program holds can't offer a picture; the
            // program's own stored object is pasted all the same.
            CClipboardOwner clipboard(m_hWnd);
            if (!clipboard.IsOpen() && m_clipboardStore.IsEmpty()) {
                ReportClipboardBusy();
                return;
            }
            if (clipboard.IsOpen() && ::IsClipboardFormatAvailable(CF_DIB)) {
                picture = std::make_unique<CxImage>(kImageFormatBmp);
                HANDLE dib = ::GetClipboardData(CF_DIB);
                if (!dib || !picture->LoadFromGlobalDib(static_cast<HGLOBAL>(dib)))
                    picture->Destroy();
            }
        }
        POINT click = m_ptLastClick;
        if (m_hWnd)
            ::ClientToScreen(m_hWnd, &click);

        if (picture) {
            // A picture that cannot be read is reported, and nothing is made of it.
            if (!LoadImageFile(std::move(picture), "", -1))
                return;
            const int slot = Model().ImageCount() - 1;
            const int rowsBefore = Model().RowCount();
            AddImageObject(RECT{click.x, click.y, click.x + 100, click.y + 100}, "Inside", false, true);
            if (Model().RowCount() == rowsBefore)
                ReleaseImageSlot(slot);
            return;
        }
        if (m_clipboardStore.IsEmpty())
            return;

        const PropertyRows& stored = m_clipboardStore.Rows();
        CString name = LabelRows::TextNameOfObject(stored.front().m_strObjectName);
        const CString textName = name;
        MakeUniqueObjectName(name);

        const CString itemType = m_clipboardStore.ItemType();
        PasteTarget target;
        target.name = name;
        target.page = Model().Shown().page;
        target.surface = Model().Shown().surface;
        target.part = m_strCurrentPart;
        target.centre = ScreenToDocPoint(click);
        target.geometry = Model().Geometry();
        target.folded = Model().Placement().folded != 0;
        target.sheet = m_sizePaper;
        int pictureSlot = -1;
        if (itemType == "Image") {
            std::unique_ptr<CxImage> picture = m_clipboardStore.Picture() ? ClonePicture(*m_clipboardStore.Picture()) : nullptr;
            if (!picture)
                return;
            Model().AppendImage(std::move(picture));
            pictureSlot = Model().ImageCount() - 1;
            Model().SetStackingCounter(Model().StackingCounter() + 1);
            target.stackingNumber = Model().StackingCounter();
            SendOtherImagesBack(name);
        }
        if (itemType == "Track" && (m_strCurrentPart == "Left Tab" || m_strCurrentPart == "Right Tab"))
            m_strCurrentPart = "Inside";

        // The text travels with the object: a cut text, or one pasted into
        // another label, finds its words again.
        if (const TextEntry* text = m_clipboardStore.Text(); text && FindTextRow(textName) < 0) {
            Model().AppendTextRow(TextEntry{textName, text->m_strItemType, "", text->m_nOrigin});
            SetTextRowValue(FindTextRow(textName), text->m_strValue);
        }

        AddUndoRecord(NewObjectRows::InsertionMarker(name, target.surface), "Delete", "From");
        for (PropertyEntry row : PreparePaste(stored, target)) {
            if (pictureSlot >= 0 && row.m_strKey == "Image Number")
                row.m_strValue = IntToStr(pictureSlot);
            AddObjectRecord(row);
        }
        CommitUndoStep();
        SelectNewObject(name);
        TellFrameSelection();
    });
}
