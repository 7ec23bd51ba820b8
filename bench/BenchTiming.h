#pragma once
// Timing of the view benchmark's measurements: one piece of work in
// milliseconds, and the median and fastest of a series.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

struct Timing
{
    double median = 0;
    double min = 0;
};

inline Timing Summarise(std::vector<double> values)
{
    Timing timing;
    if (values.empty())
        return timing;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    timing.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    timing.min = values.front();
    return timing;
}

// The time `work` takes, with GDI's batch flushed so that no drawing spills
// into what is timed next.
template <class Work>
double TimeMs(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    std::forward<Work>(work)();
    ::GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
