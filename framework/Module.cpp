#include "framework/Module.h"

#include <atomic>

namespace {

std::atomic<HINSTANCE> g_resourceHandle{nullptr};

}  // namespace

HINSTANCE GetInstanceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE GetResourceHandle()
{
    HINSTANCE resources = g_resourceHandle.load();
    return resources ? resources : GetInstanceHandle();
}

void SetResourceHandle(HINSTANCE resources)
{
    g_resourceHandle.store(resources);
}
