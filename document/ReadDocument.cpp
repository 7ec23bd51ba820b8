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
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

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

bool IsMainSurface(const CString& surface)
{
    return surface == "Disc 2" || surface == "Disc 1" || surface == "Front Cover" || surface == "Back Cover";
}

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

CString PageOfSurface(const CQuorbel6View& view, const CString& surface)
{
    if (surface == "Back Cover")
        return view.m_strBackCoverPage;
    if (surface == "Front Cover")
        return view.m_strFrontCoverPage;
    if (surface == "Disc 1")
        return view.m_strDisc1Page;
    if (surface == "Disc 2")
        return view.m_strDisc2Page;
    return CString();
}

[[noreturn]] void ThrowDamaged()
{
    throw CArchiveException(CArchiveException::genericException, CString());
}

}  // namespace

// What reading a file came to.
enum class CQuorbel6Doc::ReadOutcome { Read, NewerVersion, Damaged };

BOOL CQuorbel6Doc::ReadDocument(CFile& file)
{
    return Guarded(153, ErrorSink::App(), FALSE, [&]() -> BOOL {
        CQuorbel6View* view = GetLabelView();
        if (!view)
            throw std::logic_error("a document without its view");

        bool converted = false;
        ReadOutcome outcome = ReadOutcome::Damaged;
        try {
            outcome = ReadFileIntoView(file, *view, converted);
        } catch (...) {
            outcome = ReadOutcome::Damaged;
        }
        file.Close();
        DeleteRecords();

        if (outcome != ReadOutcome::Read) {
            // The file is left alone: the empty layout must not be saved over it.
            ShowDocumentError(outcome == ReadOutcome::NewerVersion ? kNewerVersionFile : kErrorOpeningFile);
            ForgetFile();
            SetupNewLayout();
            return FALSE;
        }

        // An older file is written back at once in the current form.
        if (converted) {
            if (!GetPathName().IsEmpty() && !IsDefaultTemplateName(GetTitle()))
                SaveDocumentFile();
            else
                SaveAsDefaultTemplate();
        }

        view->m_bDrawingEnabled = 1;
        if (m_bRefresh) {
            // The stored zoom is kept; the surface stored as shown comes into view.
            view->ScrollToCurrentPart(false);
            view->ShowSurface("");
        }
        view->m_bUndoRecording = TRUE;
        SetModifiedFlag(FALSE);
        return TRUE;
    });
}

CQuorbel6Doc::ReadOutcome CQuorbel6Doc::ReadFileIntoView(CFile& file, CQuorbel6View& view, bool& converted)
{
    CWaitCursor wait;
    view.m_bDrawingEnabled = 0;
    view.ClearObjects();
    view.m_bUndoRecording = FALSE;
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
        return ReadOutcome::NewerVersion;
    }
    if (m_nFileVersion < kOldestVersion)
        ThrowDamaged();
    const int version = m_nFileVersion;

    m_variables.m_nFileVersion = version;
    m_variables.m_nStackingCounter = view.m_nStackingCounter;
    m_variables.Serialize(ar);
    const int imageCount = m_variables.m_nImageCount;
    if (imageCount < 0)
        ThrowDamaged();
    const bool variantBlocks = version == kVariantBlockVersion;
    ar.RequireBytes(static_cast<ULONGLONG>(imageCount) * (variantBlocks ? kMinVariantBlockBytes : kMinImageBlockBytes));
    for (int i = 0; i < imageCount; ++i) {
        if (variantBlocks)
            view.LoadPictureFromStream(ar);
        else
            view.SerializeImageData(ar, i);
    }
    ar.Close();

    // ---- property rows --------------------------------------------------------------
    const int imagesRead = static_cast<int>(view.m_images.size());
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

    ConvertedRows rows = ConvertOlderFileRows(fileRows, version, view.m_nStackingCounter);
    converted = rows.converted;
    for (const PropertyEntry& row : rows.rows)
        view.AddObjectRecord(row);
    for (const CString& name : imagesToRemove)
        view.EraseObjectRows(name);

    for (const auto& record : m_texts) {
        TextEntry text;
        text.m_strName = record->m_strName;
        text.m_strItemType = record->m_strItemType;
        text.m_nOrigin = record->m_nOrigin;
        view.m_textRows.push_back(std::move(text));
        // Through the one entry point that keeps backticks out of texts and
        // makes a track list's count match its tracks.
        view.SetTextRowValue(static_cast<int>(view.m_textRows.size()) - 1, record->m_strValue);
    }

    // ---- layout values ----------------------------------------------------------------
    const int zoom = m_variables.m_nZoom;
    view.m_nZoom = zoom >= kMinZoom && zoom <= kMaxZoom ? zoom : kDefaultZoom;
    view.m_strLayout = m_variables.m_strLayout == "Double" ? "Double" : "Single";
    if (version >= CVariables::kStackingCounterVersion)
        view.m_nStackingCounter = m_variables.m_nStackingCounter;
    view.LoadLayoutGeometry();

    CString surface = m_variables.m_strSurface;
    CString page = m_variables.m_strPage;
    if (!IsPageText(page)) {
        page = PageOfSurface(view, surface);
        if (!IsPageText(page))
            page = "1";
    }
    view.m_strPage = page;
    // A part of a surface stays selected; the surface shown is its main surface.
    view.m_strSelectedObject = surface;
    if (!IsMainSurface(surface))
        surface = MainSurfaceOfPage(page);
    if (view.FindObjectRow(view.m_strSelectedObject) < 0)
        view.m_strSelectedObject = surface;
    view.m_strSurface = surface;
    view.m_nSelectionHandles = 0;

    view.WriteSettingValue("Number", "Template", view.m_strLayout == "Single" ? "1" : "2");
    if (!view.m_bLabelPaperChosen)
        view.WriteSettingValue("Number", "LabelUpdate", "0");

    if (m_bRefresh) {
        if (auto* frame = dynamic_cast<CMainFrame*>(GetAppMainWnd()))
            frame->EnableEditing(FALSE);
    }
    return ReadOutcome::Read;
}
