#include "document/Quorbel6Doc.h"

#include "framework/Conversions.h"
#include "document/DocumentNames.h"
#include "document/ImageNumbers.h"
#include "framework/Archive.h"
#include "framework/ErrorReport.h"
#include "framework/WaitCursor.h"
#include "label/PlaceholderTracks.h"
#include "document/LabelView.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace {

// The text a default template keeps for a text row: album texts show their
// own names, track lists the placeholder tracks, free texts themselves.
CString TemplateTextValue(const TextEntry& text)
{
    if (text.m_strName == "Track List")
        return PlaceholderTrackList("");
    if (text.m_strName == "Track List - Disc 1")
        return PlaceholderTrackList(" - Disc 1");
    if (text.m_strName == "Track List - Disc 2")
        return PlaceholderTrackList(" - Disc 2");
    if (text.m_strName.Left(4) == "Text")
        return text.m_strValue;
    return text.m_strName;
}

// Deletes the records however the writing ends.
class RecordsCleanup
{
public:
    explicit RecordsCleanup(CQuorbel6Doc& doc) : m_doc(doc) {}
    ~RecordsCleanup() { m_doc.DeleteRecords(); }
    RecordsCleanup(const RecordsCleanup&) = delete;
    RecordsCleanup& operator=(const RecordsCleanup&) = delete;

private:
    CQuorbel6Doc& m_doc;
};

}  // namespace

BOOL CQuorbel6Doc::WriteDocument(CByteStream& file)
{
    return Guarded(154, ErrorSink::App(), FALSE, [&]() -> BOOL {
        CWaitCursor wait;
        DeleteRecords();
        RecordsCleanup cleanup(*this);
        try {
            // Only the images that objects use are written, renumbered from 0.
            const std::vector<int> kept = UsedImageNumbers(m_label.Rows(), static_cast<int>(m_label.Images().size()));

            const bool isTemplate = IsDefaultTemplateName(GetTitle());
            for (const TextEntry& text : m_label.Texts()) {
                m_texts.Emplace(text.m_nOrigin, text.m_strName, text.m_strItemType,
                                isTemplate ? TemplateTextValue(text) : text.m_strValue);
            }

            for (const PropertyEntry& row : m_label.Rows()) {
                CString value = row.m_strValue;
                int number = 0;
                if (row.m_strKey == "Image Number" && ParseImageNumber(value, number)) {
                    const auto found = std::find(kept.begin(), kept.end(), number);
                    if (found != kept.end())
                        value = IntToStr(static_cast<int>(found - kept.begin()));
                }
                m_properties.Emplace(row.m_strObjectName, row.m_strKey, value, static_cast<int>(row.m_bShown),
                                     row.m_strEditorKind, row.m_strChoices, row.m_nRowsAfter);
            }

            m_variables.m_nZoom = m_label.Shown().zoom;
            m_variables.m_strPage = m_label.Shown().page;
            m_variables.m_strSurface = m_label.Shown().surface;
            const ILabelView* view = GetLabelView();
            m_variables.m_ptCentre = view ? view->GetClientCentreDoc() : POINT{0, 0};
            m_variables.m_nImageCount = static_cast<int>(kept.size());
            m_variables.m_strLayout = m_label.Shown().layout;
            m_variables.m_nStackingCounter = m_label.StackingCounter();

            CArchive ar(&file, CArchive::store);
            m_properties.Serialize(ar);
            m_texts.Serialize(ar);
            m_variables.Serialize(ar);
            for (const int number : kept)
                m_label.SerializeImageData(ar, number);
            ar.Close();
            return TRUE;
        } catch (const std::exception&) {
            // The caller reports the failed save and keeps the old file.
            return FALSE;
        }
    });
}
