// Cut, Copy and Paste: objects through the program's own store, pictures
// from other programs through the system clipboard's CF_DIB.
#include "view/Quorbel6View.h"

#include "framework/ClipboardOwner.h"
#include "framework/Document.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "shell/AppMessageDlg.h"
#include "label/NewObjectRows.h"
#include "shell/MainFrame.h"

#include <optional>

void CQuorbel6View::ReportClipboardBusy()
{
    CAppMessageDlg::Show("The clipboard is in use by another program. Please try again.",
                         CAppMessageDlg::kIconExclamation, "OK`");
}

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
        const int storedImage = m_clipboardStore.ImageNumber();
        if (storedImage >= 0) {
            m_clipboardStore.SetImageNumber(-1);
            ReleaseImageSlot(storedImage);
        }
        m_clipboardStore.Clear();

        const int first = FindObjectRow(m_strSelectedObject);
        if (first < 0)
            return;
        if (auto* frame = dynamic_cast<CMainFrame*>(GetAppMainWnd()))
            frame->SetPastePossible(true);
        PropertyRows rows;
        for (int row = first; row < Model().RowCount() && Model().Row(row).m_strObjectName == m_strSelectedObject;
             ++row)
            rows.push_back(Model().Row(row));
        std::optional<TextEntry> text;
        const CString itemType = rows.front().m_strValue;
        if (itemType == "Text" || itemType == "Track")
            if (const TextEntry* shown = FindTextOfObject(m_strSelectedObject))
                text = *shown;
        m_clipboardStore.Keep(std::move(rows), std::move(text));

        // A background's picture may be replaced or released with its part: the store keeps its own.
        if (m_clipboardStore.IsBackground()) {
            const int before = Model().ImageCount();
            DuplicateImageSlot(m_clipboardStore.ImageNumber());
            if (Model().ImageCount() > before)
                m_clipboardStore.SetImageNumber(Model().ImageCount() - 1);
        }
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
            CClipboardOwner clipboard(m_hWnd);
            if (!clipboard.IsOpen()) {
                ReportClipboardBusy();
                return;
            }
            if (::IsClipboardFormatAvailable(CF_DIB)) {
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
        if (itemType == "Image") {
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
        for (const PropertyEntry& row : PreparePaste(stored, target))
            AddObjectRecord(row);
        CommitUndoStep();
        SelectNewObject(name);
        TellFrameSelection();
    });
}
