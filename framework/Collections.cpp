#include "framework/Collections.h"

#include <algorithm>

namespace {

std::size_t CheckIndex(INT_PTR index, std::size_t size)
{
    if (index < 0 || static_cast<std::size_t>(index) >= size)
        throw std::out_of_range("array index out of range");
    return static_cast<std::size_t>(index);
}

std::size_t ClampInsertIndex(INT_PTR index, std::size_t size)
{
    return index < 0 ? 0 : std::min(static_cast<std::size_t>(index), size);
}

template <class Vector>
void EraseRange(Vector& items, INT_PTR index, INT_PTR count)
{
    const std::size_t at = CheckIndex(index, items.size());
    const std::size_t n = count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), items.size() - at);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(at), items.begin() + static_cast<std::ptrdiff_t>(at + n));
}

}  // namespace

std::size_t CObArray::Checked(INT_PTR index) const
{
    return CheckIndex(index, m_items.size());
}

INT_PTR CObArray::Add(CObject* object)
{
    m_items.push_back(object);
    return GetUpperBound();
}

void CObArray::InsertAt(INT_PTR index, CObject* object, INT_PTR count)
{
    if (count <= 0)
        return;
    const std::size_t at = ClampInsertIndex(index, m_items.size());
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::size_t>(count), object);
}

void CObArray::RemoveAt(INT_PTR index, INT_PTR count)
{
    EraseRange(m_items, index, count);
}

void CObArray::SetSize(INT_PTR size)
{
    m_items.resize(size > 0 ? static_cast<std::size_t>(size) : 0, nullptr);
}

void CObArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_items.size());
        for (const CObject* object : m_items)
            ar.WriteObject(object);
        return;
    }
    // Every element takes at least its two-byte tag.
    const ULONGLONG count = ar.ReadCount(2);
    std::vector<std::unique_ptr<CObject>> loaded;
    loaded.reserve(static_cast<std::size_t>(count));
    m_items.clear();
    for (ULONGLONG i = 0; i < count; ++i)
        loaded.push_back(ar.ReadNewObject(nullptr));
    // Only now, with nothing left to fail, does the caller become the owner.
    m_items.reserve(loaded.size());
    for (std::unique_ptr<CObject>& object : loaded)
        m_items.push_back(object.release());
}

std::size_t CStringArray::Checked(INT_PTR index) const
{
    return CheckIndex(index, m_items.size());
}

INT_PTR CStringArray::Add(const CString& text)
{
    m_items.push_back(text);
    return GetUpperBound();
}

void CStringArray::InsertAt(INT_PTR index, const CString& text, INT_PTR count)
{
    if (count <= 0)
        return;
    const std::size_t at = ClampInsertIndex(index, m_items.size());
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::size_t>(count), text);
}

void CStringArray::RemoveAt(INT_PTR index, INT_PTR count)
{
    EraseRange(m_items, index, count);
}

void CStringArray::SetSize(INT_PTR size)
{
    m_items.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
}

void CStringArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_items.size());
        for (const CString& text : m_items)
            ar << text;
        return;
    }
    // Every string takes at least its length byte.
    const ULONGLONG count = ar.ReadCount(1);
    std::vector<CString> loaded(static_cast<std::size_t>(count));
    for (CString& text : loaded)
        ar >> text;
    m_items.swap(loaded);
}
