#pragma once
// Timing of one measurement: a warm-up run, then N timed runs; the median and
// the fastest in milliseconds.

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

// `prepare` runs untimed before every run (and before the warm-up); `body` is
// timed, with GDI's batch flushed so that no drawing spills into the next run.
template <class Prepare, class Body>
Timing Measure(int runs, Prepare&& prepare, Body&& body)
{
    prepare();
    body();
    ::GdiFlush();
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        body();
        ::GdiFlush();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Summarise(std::move(times));
}

template <class Body>
Timing Measure(int runs, Body&& body)
{
    return Measure(runs, [] {}, body);
}
