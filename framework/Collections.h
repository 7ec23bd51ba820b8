#pragma once
// Growable arrays for documents made of records. All serialise as a count
// (CArchive::WriteCount) followed by the elements: object arrays as object
// references, CStringArray as strings.
//
// Element access out of range throws std::out_of_range rather than touching
// memory outside the array.

#include "framework/Archive.h"
#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

// Pointers the caller owns. Loading replaces the contents (delete the old
// elements first) with new objects that the caller then owns; if loading fails,
// the objects it created are deleted again and the array is left empty. A
// loaded array never holds the same object twice: a reference back to an object
// read before is refused as damage.
class CObArray {
public:
    INT_PTR GetSize() const noexcept { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const noexcept { return GetSize(); }
    INT_PTR GetUpperBound() const noexcept { return GetSize() - 1; }
    bool IsEmpty() const noexcept { return m_items.empty(); }

    CObject* GetAt(INT_PTR index) const { return m_items.at(Checked(index)); }
    void SetAt(INT_PTR index, CObject* object) { m_items.at(Checked(index)) = object; }
    CObject*& ElementAt(INT_PTR index) { return m_items.at(Checked(index)); }
    CObject* operator[](INT_PTR index) const { return GetAt(index); }
    CObject*& operator[](INT_PTR index) { return ElementAt(index); }

    INT_PTR Add(CObject* object);
    // Inserts `count` copies of `object` before `index` (clamped to the end).
    void InsertAt(INT_PTR index, CObject* object, INT_PTR count = 1);
    // Removes up to `count` pointers from `index`; does not delete the objects.
    void RemoveAt(INT_PTR index, INT_PTR count = 1);
    void RemoveAll() noexcept { m_items.clear(); }
    // New places hold null.
    void SetSize(INT_PTR size);

    auto begin() noexcept { return m_items.begin(); }
    auto end() noexcept { return m_items.end(); }
    auto begin() const noexcept { return m_items.begin(); }
    auto end() const noexcept { return m_items.end(); }

    void Serialize(CArchive& ar);

private:
    std::size_t Checked(INT_PTR index) const;

    std::vector<CObject*> m_items;
};

// Owning array of T (a serialisable CObject class); never holds null. Loading
// is all or nothing: on failure the array keeps what it held before.
template <class T>
class CObjectArray {
public:
    INT_PTR GetSize() const noexcept { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const noexcept { return GetSize(); }
    bool IsEmpty() const noexcept { return m_items.empty(); }

    T* GetAt(INT_PTR index) const { return m_items.at(Checked(index)).get(); }
    T* operator[](INT_PTR index) const { return GetAt(index); }

    // Takes ownership; returns the element.
    T* Add(std::unique_ptr<T> item)
    {
        if (!item)
            throw std::invalid_argument("CObjectArray holds no null elements");
        m_items.push_back(std::move(item));
        return m_items.back().get();
    }
    template <class... Args>
    T* Emplace(Args&&... args)
    {
        return Add(std::make_unique<T>(std::forward<Args>(args)...));
    }
    // Inserts before `index` (clamped to the end).
    T* InsertAt(INT_PTR index, std::unique_ptr<T> item)
    {
        if (!item)
            throw std::invalid_argument("CObjectArray holds no null elements");
        const std::size_t at = index < 0 ? 0 : std::min(static_cast<std::size_t>(index), m_items.size());
        return m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item))->get();
    }
    // Hands one element back to the caller and removes its place.
    std::unique_ptr<T> Detach(INT_PTR index)
    {
        const std::size_t at = Checked(index);
        std::unique_ptr<T> item = std::move(m_items.at(at));
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(at));
        return item;
    }
    // Deletes up to `count` elements from `index`.
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        const std::size_t at = Checked(index);
        const std::size_t n = count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), m_items.size() - at);
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(at),
                      m_items.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    void RemoveAll() noexcept { m_items.clear(); }

    // Iterates over the owning pointers: for (const auto& item : array) item->...
    auto begin() const noexcept { return m_items.begin(); }
    auto end() const noexcept { return m_items.end(); }

    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring()) {
            ar.WriteCount(m_items.size());
            for (const std::unique_ptr<T>& item : m_items)
                ar.WriteObject(item.get());
            return;
        }
        // Every element takes at least its two-byte tag.
        const ULONGLONG count = ar.ReadCount(2);
        std::vector<std::unique_ptr<T>> loaded;
        loaded.reserve(static_cast<std::size_t>(count));
        for (ULONGLONG i = 0; i < count; ++i) {
            std::unique_ptr<CObject> object = ar.ReadNewObject(RUNTIME_CLASS(T));
            T* item = dynamic_cast<T*>(object.get());
            if (!item)  // a null entry: an owning array of records never has one
                throw CArchiveException(CArchiveException::badIndex, ar.GetFile() ? ar.GetFile()->GetFilePath() : CString());
            object.release();
            loaded.emplace_back(item);
        }
        m_items.swap(loaded);
    }

private:
    std::size_t Checked(INT_PTR index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= m_items.size())
            throw std::out_of_range("CObjectArray index out of range");
        return static_cast<std::size_t>(index);
    }

    std::vector<std::unique_ptr<T>> m_items;
};

class CStringArray {
public:
    INT_PTR GetSize() const noexcept { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const noexcept { return GetSize(); }
    INT_PTR GetUpperBound() const noexcept { return GetSize() - 1; }
    bool IsEmpty() const noexcept { return m_items.empty(); }

    const CString& GetAt(INT_PTR index) const { return m_items.at(Checked(index)); }
    void SetAt(INT_PTR index, const CString& text) { m_items.at(Checked(index)) = text; }
    CString& ElementAt(INT_PTR index) { return m_items.at(Checked(index)); }
    const CString& operator[](INT_PTR index) const { return GetAt(index); }
    CString& operator[](INT_PTR index) { return ElementAt(index); }

    INT_PTR Add(const CString& text);
    void InsertAt(INT_PTR index, const CString& text, INT_PTR count = 1);
    void RemoveAt(INT_PTR index, INT_PTR count = 1);
    void RemoveAll() noexcept { m_items.clear(); }
    void SetSize(INT_PTR size);

    auto begin() noexcept { return m_items.begin(); }
    auto end() noexcept { return m_items.end(); }
    auto begin() const noexcept { return m_items.begin(); }
    auto end() const noexcept { return m_items.end(); }

    // Loading is all or nothing.
    void Serialize(CArchive& ar);

private:
    std::size_t Checked(INT_PTR index) const;

    std::vector<CString> m_items;
};
