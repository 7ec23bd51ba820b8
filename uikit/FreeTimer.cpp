#include "uikit/FreeTimer.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <unordered_map>

namespace {

constexpr UINT_PTR kFirstFreeTimerId = 31;
constexpr UINT_PTR kLastFreeTimerId = 99;

// SetTimer with an id that already runs simply restarts that timer, so the
// system can't say which ids are taken: the ids handed out are kept here.
struct TimerRegistry {
    std::mutex mutex;
    std::unordered_map<HWND, std::set<UINT_PTR>> taken;
};

TimerRegistry& Registry()
{
    static TimerRegistry registry;
    return registry;
}

// Forgets windows that are gone, so a reused handle starts with every id free.
void ForgetDeadWindows(TimerRegistry& registry)
{
    std::erase_if(registry.taken, [](const auto& entry) { return !::IsWindow(entry.first); });
}

}  // namespace

UINT_PTR SetFreeTimer(HWND window, UINT interval)
{
    if (!window || !::IsWindow(window))
        return 0;
    TimerRegistry& registry = Registry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    ForgetDeadWindows(registry);
    std::set<UINT_PTR>& taken = registry.taken[window];
    for (UINT_PTR id = kFirstFreeTimerId; id <= kLastFreeTimerId; ++id) {
        if (taken.count(id))
            continue;
        if (::SetTimer(window, id, interval, nullptr) == 0)
            continue;
        taken.insert(id);
        return id;
    }
    return 0;
}

BOOL KillFreeTimer(HWND window, UINT_PTR id)
{
    TimerRegistry& registry = Registry();
    {
        const std::lock_guard<std::mutex> lock(registry.mutex);
        if (auto found = registry.taken.find(window); found != registry.taken.end())
            found->second.erase(id);
    }
    return ::KillTimer(window, id);
}
