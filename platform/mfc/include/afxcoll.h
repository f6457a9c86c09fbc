// MFC collections: CStringArray. Sizes and indexes are INT_PTR as in MFC. An index
// outside the array given to GetAt, SetAt, ElementAt, operator[] or RemoveAt is a
// programming error reported before the process stops; SetAtGrow and InsertAt grow
// the array instead.
#pragma once

#include "afx.h"

#include <vector>

class CStringArray : public CObject {
public:
    CStringArray() = default;

    INT_PTR GetSize() const noexcept { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const noexcept { return GetSize(); }
    INT_PTR GetUpperBound() const noexcept { return GetSize() - 1; }
    bool IsEmpty() const noexcept { return m_items.empty(); }
    // New elements are empty strings; growBy is accepted for compatibility.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1);
    void FreeExtra() { m_items.shrink_to_fit(); }
    void RemoveAll() { m_items.clear(); }

    const CString& GetAt(INT_PTR index) const;
    void SetAt(INT_PTR index, const wchar_t* text);
    CString& ElementAt(INT_PTR index);
    const CString& operator[](INT_PTR index) const { return GetAt(index); }
    CString& operator[](INT_PTR index) { return ElementAt(index); }
    const CString* GetData() const noexcept { return m_items.data(); }
    CString* GetData() noexcept { return m_items.data(); }

    void SetAtGrow(INT_PTR index, const wchar_t* text);
    INT_PTR Add(const wchar_t* text);
    INT_PTR Add(const CString& text);
    // Returns the index of the first element appended.
    INT_PTR Append(const CStringArray& other);
    void Copy(const CStringArray& other);

    void InsertAt(INT_PTR index, const wchar_t* text, INT_PTR count = 1);
    void InsertAt(INT_PTR startIndex, const CStringArray* other);
    void RemoveAt(INT_PTR index, INT_PTR count = 1);

private:
    std::size_t checked(const char* where, INT_PTR index) const;

    std::vector<CString> m_items;
};
