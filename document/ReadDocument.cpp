#include "document/Quorbel6Doc.h"

#include "document/DocumentMessages.h"
#include "document/DocumentNames.h"
#include "document/ImageNumbers.h"
#include "document/OlderFileConversion.h"
#include "framework/Archive.h"
#include "framework/ErrorReport.h"
#include "framework/WinApp.h"
#include "framework/File.h"
#include "framework/WaitCursor.h"
#include "framework/SettingsKey.h"
#include "document/LabelView.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Files of version 1 store each image block as an archived variant.
constexpr int kVariantBlockVersion = 1;
constexpr int kOldestVersion = 1;
// The fewest bytes an image block takes: "0\n0\n", or a variant's type word.
constexpr ULONGLONG kMinImageBlockBytes = 4;
constexpr ULONGLONG kMinVariantBlockBytes = 2;
// A zoom outside this range can only come from a damaged file.
constexpr int kMinZoom = 6;
constexpr int kMaxZoom = 100;
constexpr int kDefaultZoom = 22;

bool IsPageText(const CString& page)
{
    return page == "1" || page == "2" || page == "3";
}

// The main surface of a page: older files may name a part of a surface.
CString MainSurfaceOfPage(const CString& page)
{
    if (page == "1")
        return "Disc 1";
    if (page == "2")
        return "Front Cover";
    return "Back Cover";
}


[[noreturn]] void ThrowDamaged()
{
    throw CArchiveException(CArchiveException::genericException, CString());
}

}  // namespace

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

    // ---- the archive: records, layout values, image blocks ---------------------
    CArchive ar(&file, CArchive::load);
    m_properties.Serialize(ar);
    m_texts.Serialize(ar);
    // The version is the schema of the text records; a file without any is
    // taken as one of the current version.
    m_nFileVersion = m_texts.IsEmpty() ? CText::kCurrentVersion : m_texts[0]->m_nFileVersion;
    if (m_nFileVersion > CText::kCurrentVersion) {
        ar.Abort();
        return ReadOutcome::EmptyLayout;
    }
    if (m_nFileVersion < kOldestVersion)
        ThrowDamaged();
    const int version = m_nFileVersion;

    m_variables.m_nFileVersion = version;
    m_variables.m_nStackingCounter = 0;
    m_variables.Serialize(ar);
    const int imageCount = m_variables.m_nImageCount;
    if (imageCount < 0)
        ThrowDamaged();
    const bool variantBlocks = version == kVariantBlockVersion;
    ar.RequireBytes(static_cast<ULONGLONG>(imageCount) * (variantBlocks ? kMinVariantBlockBytes : kMinImageBlockBytes));
    for (int i = 0; i < imageCount; ++i) {
        if (variantBlocks)
            images.LoadPictureFromStream(ar);
        else
            images.SerializeImageData(ar, i);
    }
    ar.Close();
    return ReadOutcome::Read;
}

void CQuorbel6Doc::FillModel(CLabelModel& images, bool& converted, CString& selected)
{
    m_label.SetUndoRecording(false);
    const int version = m_nFileVersion;
    for (int i = 0; i < images.ImageCount(); ++i)
        m_label.AppendImage(images.ReplaceImage(i, nullptr));

    // ---- property rows --------------------------------------------------------------
    const int imagesRead = static_cast<int>(m_label.Images().size());
    std::vector<PropertyEntry> fileRows;
    fileRows.reserve(static_cast<size_t>(m_properties.GetSize()));
    std::vector<CString> imagesToRemove;
    for (const auto& record : m_properties) {
        PropertyEntry row;
        row.m_strObjectName = record->m_strObjectName;
        row.m_strKey = record->m_strKey;
        // The line layouts are made again at the next drawing.
        row.m_strValue = record->m_strKey == "Vector Data" ? CString() : record->m_strValue;
        row.m_bShown = record->m_nShown != 0 ? 1 : 0;
        row.m_strEditorKind = record->m_strEditorKind;
        row.m_strChoices = record->m_strChoices;
        row.m_nRowsAfter = record->m_nRowsAfter;

        // An image object whose image is not in the file goes.
        int number = 0;
        if (row.m_strKey == "Image Number" && (!ParseImageNumber(row.m_strValue, number) || number >= imagesRead) &&
            std::find(imagesToRemove.begin(), imagesToRemove.end(), row.m_strObjectName) == imagesToRemove.end())
            imagesToRemove.push_back(row.m_strObjectName);
        fileRows.push_back(std::move(row));
    }

    int stackingCounter = m_label.StackingCounter();
    ConvertedRows rows = ConvertOlderFileRows(fileRows, version, stackingCounter);
    m_label.SetStackingCounter(stackingCounter);
    converted = rows.converted;
    for (const PropertyEntry& row : rows.rows)
        m_label.AppendRow(row);
    for (const CString& name : imagesToRemove)
        m_label.EraseObjectRows(name);

    for (const auto& record : m_texts) {
        TextEntry text;
        text.m_strName = record->m_strName;
        text.m_strItemType = record->m_strItemType;
        text.m_nOrigin = record->m_nOrigin;
        // The value enters through the one setter that keeps backticks out of
        // texts and makes a track list's count match its tracks.
        text.m_strValue = record->m_strValue;
        m_label.AppendTextRow(text);
    }

    // ---- layout values ----------------------------------------------------------------
    const int zoom = m_variables.m_nZoom;
    m_label.Shown().zoom = zoom >= kMinZoom && zoom <= kMaxZoom ? zoom : kDefaultZoom;
    m_label.Shown().layout = m_variables.m_strLayout == "Double" ? "Double" : "Single";
    if (version >= CVariables::kStackingCounterVersion)
        m_label.SetStackingCounter(m_variables.m_nStackingCounter);
    m_label.LoadLayoutGeometry();

    CString surface = m_variables.m_strSurface;
    CString page = m_variables.m_strPage;
    if (!IsPageText(page)) {
        page = m_label.Placement().PageOf(SurfaceFromName(surface));
        if (!IsPageText(page))
            page = "1";
    }
    m_label.Shown().page = page;
    // A part of a surface stays selected; the surface shown is its main surface.
    selected = surface;
    if (SurfaceFromName(surface) == Surface::None)
        surface = MainSurfaceOfPage(page);
    if (m_label.FindObjectRow(selected) < 0)
        selected = surface;
    m_label.Shown().surface = surface;

    StoreSettingValue("Number", "Template", m_label.Shown().layout == "Single" ? "1" : "2");
    if (ILabelView* view = GetLabelView(); view && !view->IsLabelPaperChosen()) {
        StoreSettingValue("Number", "LabelUpdate", "0");
        // The paper an older file kept in its layout becomes the user's own templates.
        if (converted)
            view->ResetDefaultTemplates();
    }
}
