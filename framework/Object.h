#pragma once
// CObject and its run-time class records: class names and sizes at run time,
// IsKindOf, creation of an object from its class name and the schema number an
// archive writes into its class records.
//
// Declaring a class:
//     class CRecord : public CObject {
//         DECLARE_SERIAL(CRecord)          // or DECLARE_DYNAMIC / DECLARE_DYNCREATE
//     public:
//         CRecord();                        // DYNCREATE and SERIAL need a default constructor
//         void Serialize(CArchive& ar) override;
//     };
// and in its .cpp file, at namespace scope:
//     IMPLEMENT_SERIAL(CRecord, CObject, VERSIONABLE_SCHEMA | 6)
// The DECLARE_ macros leave the class in its public section.
//
// Lookup by name (CRuntimeClass::FromName, used when an archive reads a class
// record) finds every class whose IMPLEMENT_ macro has run: each registers itself
// when its object file is initialised and again on first use, into a registry
// that is itself created on first use, so the order of static initialisation does
// not matter. One trap remains: the linker drops an object file of a static
// library that nothing refers to, and with it the class's registration. A class
// that is only ever created from a file must therefore be referred to from code
// that is linked in, e.g. RUNTIME_CLASS(CRecord) in the code that reads the file.

#include <windows.h>

#include <memory>

class CArchive;
class CObject;

// Set on a schema to accept any stored schema number on reading; the object's
// Serialize then asks the archive which number it is reading (GetObjectSchema).
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;
// The schema of a class that can't be written to an archive.
constexpr UINT kNoSchema = 0xFFFFu;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // schema number, possibly with VERSIONABLE_SCHEMA; kNoSchema when not serialisable
    std::unique_ptr<CObject> (*m_pfnCreateObject)();     // null when not dynamically creatable
    const CRuntimeClass* (*m_pfnGetBaseClass)();          // null for CObject

    // A new object of this class, or null when the class can't be created dynamically.
    std::unique_ptr<CObject> CreateObject() const;
    const CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }
    bool IsDerivedFrom(const CRuntimeClass* baseClass) const;

    UINT GetSchemaNumber() const { return m_wSchema & ~VERSIONABLE_SCHEMA; }
    bool IsVersionable() const { return (m_wSchema & VERSIONABLE_SCHEMA) != 0; }
    // Can be written to and created from an archive.
    bool IsSerializable() const { return GetSchemaNumber() != kNoSchema && m_pfnCreateObject != nullptr; }

    // The registered class of that exact name, or null.
    static const CRuntimeClass* FromName(const char* className);
    // Called by the IMPLEMENT_ macros; registering a class twice is harmless.
    static void Register(const CRuntimeClass* runtimeClass);
};

class CObject {
public:
    virtual ~CObject() = default;

    static const CRuntimeClass* GetThisClass();
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* runtimeClass) const;
    bool IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

    // Writes the object's fields to a storing archive or reads them from a loading one.
    virtual void Serialize(CArchive& ar);

protected:
    CObject() = default;
    // Copying is for derived classes that want it; protected so a CObject& can't be sliced.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// Used by the operator>> that DECLARE_SERIAL adds; defined with the archive.
CObject* ReadObjectOfClass(CArchive& ar, const CRuntimeClass* requestedClass);

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                                    \
public:                                                                \
    static const CRuntimeClass* GetThisClass();                        \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                  \
    DECLARE_DYNAMIC(class_name)                                        \
    static std::unique_ptr<CObject> CreateObject();

// Adds `ar >> pRecord` for a pointer of this class: reads an object reference and
// throws the archive's exception when the stored object is not of this class.
#define DECLARE_SERIAL(class_name)                                     \
    DECLARE_DYNCREATE(class_name)                                      \
    friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define FRAMEWORK_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create_function)              \
    const CRuntimeClass* class_name::GetThisClass()                                                        \
    {                                                                                                      \
        static_assert(((schema) & ~VERSIONABLE_SCHEMA) <= kNoSchema, "a schema is a 16-bit number");       \
        static const CRuntimeClass runtimeClass{#class_name, static_cast<int>(sizeof(class_name)),         \
                                                static_cast<UINT>(schema), create_function,                \
                                                &base_class_name::GetThisClass};                           \
        static const bool registered = (CRuntimeClass::Register(&runtimeClass), true);                     \
        (void)registered;                                                                                  \
        return &runtimeClass;                                                                              \
    }                                                                                                      \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return class_name::GetThisClass(); }        \
    namespace {                                                                                            \
    [[maybe_unused]] const CRuntimeClass* const registeredAtStart##class_name = class_name::GetThisClass(); \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    FRAMEWORK_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSchema, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                              \
    std::unique_ptr<CObject> class_name::CreateObject() { return std::make_unique<class_name>(); }  \
    FRAMEWORK_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSchema, &class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                         \
    std::unique_ptr<CObject> class_name::CreateObject()                                               \
    {                                                                                                 \
        static_assert(((schema) & ~VERSIONABLE_SCHEMA) < kNoSchema, "0xFFFF marks a class that can't be archived"); \
        return std::make_unique<class_name>();                                                        \
    }                                                                                                 \
    FRAMEWORK_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, &class_name::CreateObject) \
    CArchive& operator>>(CArchive& ar, class_name*& object)                                           \
    {                                                                                                 \
        object = dynamic_cast<class_name*>(ReadObjectOfClass(ar, RUNTIME_CLASS(class_name)));         \
        return ar;                                                                                    \
    }
