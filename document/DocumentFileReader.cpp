#include "document/DocumentFileReader.h"

#include "document/ImageNumbers.h"
#include "document/OlderFileConversion.h"
#include "framework/Archive.h"
#include "label/LabelModel.h"

#include <algorithm>
#include <vector>

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

namespace DocumentFileReader
{
int ReadRecords(CArchive& ar, DocumentRecords records, CLabelModel& images)
{
    records.properties.Serialize(ar);
    records.texts.Serialize(ar);
    // The version is the schema of the text records; a file without any is
    // taken as one of the current version.
    const int version = records.texts.IsEmpty() ? CText::kCurrentVersion : records.texts[0]->m_nFileVersion;
    if (version > CText::kCurrentVersion) {
        ar.Abort();
        return version;
    }
    if (version < kOldestVersion)
        ThrowDamaged();

    CVariables& variables = records.variables;
    variables.m_nFileVersion = version;
    variables.m_nStackingCounter = 0;
    variables.Serialize(ar);
    const int imageCount = variables.m_nImageCount;
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
    return version;
}

Filled FillLabel(CLabelModel& label, const DocumentRecords& records, int version, CLabelModel& images)
{
    Filled filled;
    for (int i = 0; i < images.ImageCount(); ++i)
        label.AppendImage(images.ReplaceImage(i, nullptr));

    // ---- property rows --------------------------------------------------------------
    const int imagesRead = static_cast<int>(label.Images().size());
    std::vector<PropertyEntry> fileRows;
    fileRows.reserve(static_cast<size_t>(records.properties.GetSize()));
    std::vector<CString> imagesToRemove;
    for (const auto& record : records.properties) {
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

    int stackingCounter = label.StackingCounter();
    ConvertedRows rows = ConvertOlderFileRows(fileRows, version, stackingCounter);
    label.SetStackingCounter(stackingCounter);
    filled.converted = rows.converted;
    for (const PropertyEntry& row : rows.rows)
        label.AppendRow(row);
    for (const CString& name : imagesToRemove)
        label.EraseObjectRows(name);

    for (const auto& record : records.texts) {
        TextEntry text;
        text.m_strName = record->m_strName;
        text.m_strItemType = record->m_strItemType;
        text.m_nOrigin = record->m_nOrigin;
        // The value enters through the one setter that keeps backticks out of
        // texts and makes a track list's count match its tracks.
        text.m_strValue = record->m_strValue;
        label.AppendTextRow(text);
    }

    // ---- layout values ----------------------------------------------------------------
    const CVariables& variables = records.variables;
    const int zoom = variables.m_nZoom;
    label.Shown().zoom = zoom >= kMinZoom && zoom <= kMaxZoom ? zoom : kDefaultZoom;
    label.Shown().layout = variables.m_strLayout == "Double" ? "Double" : "Single";
    if (version >= CVariables::kStackingCounterVersion)
        label.SetStackingCounter(variables.m_nStackingCounter);
    label.LoadLayoutGeometry();

    CString surface = variables.m_strSurface;
    CString page = variables.m_strPage;
    if (!IsPageText(page)) {
        page = label.Placement().PageOf(SurfaceFromName(surface));
        if (!IsPageText(page))
            page = "1";
    }
    label.Shown().page = page;
    // A part of a surface stays selected; the surface shown is its main surface.
    filled.selected = surface;
    if (SurfaceFromName(surface) == Surface::None)
        surface = MainSurfaceOfPage(page);
    if (label.FindObjectRow(filled.selected) < 0)
        filled.selected = surface;
    label.Shown().surface = surface;
    return filled;
}
}  // namespace DocumentFileReader
