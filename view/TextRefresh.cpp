// Laying out again every object that shows one text, and the widest line of a
// multi-line text.
#include "framework/ErrorReport.h"
#include "view/Quorbel6View.h"
#include "view/TextLayout.h"

void CQuorbel6View::UpdateTextObjects(CString name)
{
    Guarded(102, ErrorSink::Window(this), [&] {
        const int rowCount = static_cast<int>(m_propertyRows.size());
        for (int first = 0; first < rowCount; first = LabelRows::NextObjectRow(m_propertyRows, first)) {
            const CString objectName = m_propertyRows[static_cast<size_t>(first)].m_strObjectName;
            if (LabelRows::TextNameOfObject(objectName) != name)
                continue;
            // Only objects that have a layout cache (Text and Track) carry the row.
            const int end = LabelRows::EndOfObject(m_propertyRows, first);
            for (int row = first; row < end; ++row) {
                PropertyEntry& entry = m_propertyRows[static_cast<size_t>(row)];
                if (entry.m_strKey == "Vector Data")
                    entry.m_strValue.Empty();
            }
        }
        DrawSurface(kDrawClear);
        DrawSurface(kDrawFull);
        // Show the new layout now rather than at the next paint message.
        DrawNow();
    });
}

CString CQuorbel6View::MeasureTextBlock(CDC* dc, const CString& text, int* lineCount)
{
    *lineCount = 1;
    return Guarded(33, ErrorSink::Window(this), CString(), [&] {
        CString widest;
        int widestWidth = 0;
        int start = 0;
        for (;;) {
            const int end = text.Find('\r', start);
            const CString line = end < 0 ? text.Mid(start) : text.Mid(start, end - start);
            if (end >= 0) {
                ++*lineCount;
                start = end + 2;  // the CR and its LF
            }
            const int width = TextLayout::TextExtent(*dc, line).cx;
            if (width > widestWidth) {
                widestWidth = width;
                widest = line;
            }
            if (end < 0)
                return widest;
        }
    });
}

void CQuorbel6View::FindWidestCachedLine(CDC* dc, const CString& cache, CString& widest, SIZE& size)
{
    widest.Empty();
    size = SIZE{0, 0};
    Guarded(36, ErrorSink::App(), [&] { widest = TextLayout::WidestCacheLine(*dc, cache, &size); });
}
