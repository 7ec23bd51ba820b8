#include "document/Quorbel6Doc.h"

#include "document/DocumentFileReader.h"
#include "document/DocumentMessages.h"
#include "document/DocumentNames.h"
#include "framework/Archive.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "framework/File.h"
#include "framework/WaitCursor.h"
#include "framework/SettingsKey.h"
#include "document/LabelView.h"

#include <stdexcept>

BOOL CQuorbel6Doc::ReadDocument(CFile& file)
{
    return ReadLabel(file) == ReadOutcome::Read;
}

CQuorbel6Doc::ReadOutcome CQuorbel6Doc::ReadLabel(CFile& file)
{
    return Guarded(153, ErrorSink::App(), ReadOutcome::EmptyLayout, [&]() -> ReadOutcome {
        ILabelView* view = GetLabelView();
        if (!view)
            throw std::logic_error("a document without its view");

        // The whole file is read before the label is touched: a file that
        // cannot be read leaves the label open before as it was.
        CLabelModel images;
        ReadOutcome outcome = ReadOutcome::LabelKept;
        try {
            outcome = ReadArchive(file, images);
        } catch (...) {
            outcome = ReadOutcome::LabelKept;
        }
        file.Close();
        if (outcome == ReadOutcome::LabelKept) {
            DeleteRecords();
            ShowDocumentError(kErrorOpeningFile);
            return outcome;
        }

        bool converted = false;
        CString selected;
        view->BeginNewLabel();
        if (outcome == ReadOutcome::Read) {
            try {
                FillModel(images, converted, selected);
            } catch (...) {
                outcome = ReadOutcome::EmptyLayout;
            }
        }
        DeleteRecords();

        if (outcome != ReadOutcome::Read) {
            // The file is left alone: the empty layout must not be saved over it.
            ShowDocumentError(m_nFileVersion > CText::kCurrentVersion ? kNewerVersionFile : kErrorOpeningFile);
            ForgetFile();
            SetupNewLayout();
            return outcome;
        }

        // The label lands on the papers in use; its cover keeps the fold it was saved with.
        view->LayoutPagesOnPaper(true);

        // The stored zoom is kept; the surface stored as shown comes into view.
        view->ShowNewLabel(selected, m_bRefresh != FALSE, false, m_bRefresh != FALSE);
        // An older file is never written over behind the user's back: a
        // converted document counts as changed, so closing it asks whether
        // to keep it in the current form. A converted template stays as it
        // is on disk and is converted again on each use.
        SetModifiedFlag(converted && !GetPathName().IsEmpty() && !IsDefaultTemplateName(GetTitle()));
        return ReadOutcome::Read;
    });
}

CQuorbel6Doc::ReadOutcome CQuorbel6Doc::ReadArchive(CFile& file, CLabelModel& images)
{
    CWaitCursor wait;
    DeleteRecords();
    m_nFileVersion = -1;

    CArchive ar(&file, CArchive::load);
    m_nFileVersion = DocumentFileReader::ReadRecords(ar, {m_properties, m_texts, m_variables}, images);
    return m_nFileVersion > CText::kCurrentVersion ? ReadOutcome::EmptyLayout : ReadOutcome::Read;
}

void CQuorbel6Doc::FillModel(CLabelModel& images, bool& converted, CString& selected)
{
    m_label.SetUndoRecording(false);
    const DocumentFileReader::Filled filled =
        DocumentFileReader::FillLabel(m_label, {m_properties, m_texts, m_variables}, m_nFileVersion, images);
    converted = filled.converted;
    selected = filled.selected;

    StoreSettingValue("Number", "Template", m_label.Shown().layout == "Single" ? "1" : "2");
    if (ILabelView* view = GetLabelView(); view && !view->IsLabelPaperChosen()) {
        StoreSettingValue("Number", "LabelUpdate", "0");
        // The paper an older file kept in its layout becomes the user's own templates.
        if (converted)
            view->ResetDefaultTemplates();
    }
}
