#pragma once
// Measurements that every redraw of a laid-out text would repeat: the widest
// line of a layout cache and the zoomed height of a font for a text. Both
// answers depend only on what the key holds (the font description, the text,
// the zoom and how the context maps and resolves fonts), so they never go
// stale and nothing has to forget them when the label or the zoom changes.

#include "framework/String.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>

class CTextMeasureMemo
{
public:
    CTextMeasureMemo() = default;
    CTextMeasureMemo(const CTextMeasureMemo&) = delete;
    CTextMeasureMemo& operator=(const CTextMeasureMemo&) = delete;

    // The zoomed lfHeight of the font for the text, measured by `measure` the
    // first time; a measure that throws leaves nothing behind.
    template <class Measure>
    LONG ZoomedHeight(HDC dc, const LOGFONTA& font, const CString& text, int zoom, Measure&& measure)
    {
        return Recall(m_zoomedHeights, Key(dc, font, zoom, text), std::forward<Measure>(measure));
    }

    // The widest line text of a layout cache in the font, measured by
    // `measure` the first time.
    template <class Measure>
    CString WidestLine(HDC dc, const LOGFONTA& font, const CString& cache, Measure&& measure)
    {
        return Recall(m_widestLines, Key(dc, font, 0, cache), std::forward<Measure>(measure));
    }

    size_t GetCount() const { return m_zoomedHeights.size() + m_widestLines.size(); }
    void Clear()
    {
        m_zoomedHeights.clear();
        m_widestLines.clear();
    }

    // Each store starts again past this many answers: edited texts leave keys
    // behind that are never asked for again.
    static constexpr size_t kTrimAbove = 1024;

private:
    static std::string Key(HDC dc, const LOGFONTA& font, int zoom, const CString& text);

    template <class Value, class Measure>
    static Value Recall(std::unordered_map<std::string, Value>& store, std::string key, Measure&& measure)
    {
        const auto found = store.find(key);
        if (found != store.end())
            return found->second;
        Value value = std::forward<Measure>(measure)();
        if (store.size() >= kTrimAbove)
            store.clear();
        store.emplace(std::move(key), value);
        return value;
    }

    std::unordered_map<std::string, LONG> m_zoomedHeights;
    std::unordered_map<std::string, CString> m_widestLines;
};
