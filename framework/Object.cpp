#include "framework/Object.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

// Created on first use, so classes registered from any object file's static
// initialisation find it ready whatever the link order.
struct ClassRegistry {
    std::mutex mutex;
    std::vector<const CRuntimeClass*> classes;
};

ClassRegistry& Registry()
{
    static ClassRegistry registry;
    return registry;
}

}  // namespace

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const
{
    if (!m_pfnCreateObject)
        return nullptr;
    return m_pfnCreateObject();
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* baseClass) const
{
    if (!baseClass)
        return false;
    for (const CRuntimeClass* runtimeClass = this; runtimeClass; runtimeClass = runtimeClass->GetBaseClass()) {
        if (runtimeClass == baseClass)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    if (!className)
        return nullptr;
    ClassRegistry& registry = Registry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    for (const CRuntimeClass* runtimeClass : registry.classes) {
        if (std::strcmp(runtimeClass->m_lpszClassName, className) == 0)
            return runtimeClass;
    }
    return nullptr;
}

void CRuntimeClass::Register(const CRuntimeClass* runtimeClass)
{
    if (!runtimeClass)
        return;
    ClassRegistry& registry = Registry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    for (const CRuntimeClass* known : registry.classes) {
        // The first class of a name wins; two classes of one name would be a
        // programming error that no archive could tell apart anyway.
        if (known == runtimeClass || std::strcmp(known->m_lpszClassName, runtimeClass->m_lpszClassName) == 0)
            return;
    }
    registry.classes.push_back(runtimeClass);
}

const CRuntimeClass* CObject::GetThisClass()
{
    static const CRuntimeClass runtimeClass{"CObject", static_cast<int>(sizeof(CObject)), kNoSchema, nullptr, nullptr};
    static const bool registered = (CRuntimeClass::Register(&runtimeClass), true);
    (void)registered;
    return &runtimeClass;
}

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return CObject::GetThisClass();
}

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

void CObject::Serialize(CArchive&)
{
    // A CObject has no fields of its own.
}
