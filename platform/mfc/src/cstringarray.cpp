#include "afxcoll.h"

std::size_t CStringArray::checked(const char* where, INT_PTR index) const {
    if (index < 0 || index >= GetSize())
        kz::afxInvalidArgument(where, index, GetSize());
    return static_cast<std::size_t>(index);
}

void CStringArray::SetSize(INT_PTR newSize, INT_PTR) {
    if (newSize < 0)
        kz::afxInvalidArgument("CStringArray::SetSize", newSize, 0x7FFFFFFF);
    m_items.resize(static_cast<std::size_t>(newSize));
}

const CString& CStringArray::GetAt(INT_PTR index) const {
    return m_items[checked("CStringArray::GetAt", index)];
}

void CStringArray::SetAt(INT_PTR index, const wchar_t* text) {
    m_items[checked("CStringArray::SetAt", index)] = text;
}

CString& CStringArray::ElementAt(INT_PTR index) {
    return m_items[checked("CStringArray::ElementAt", index)];
}

void CStringArray::SetAtGrow(INT_PTR index, const wchar_t* text) {
    if (index < 0)
        kz::afxInvalidArgument("CStringArray::SetAtGrow", index, GetSize());
    if (index >= GetSize())
        SetSize(index + 1);
    m_items[static_cast<std::size_t>(index)] = text;
}

INT_PTR CStringArray::Add(const wchar_t* text) {
    m_items.emplace_back(text);
    return GetUpperBound();
}

INT_PTR CStringArray::Add(const CString& text) {
    m_items.push_back(text);
    return GetUpperBound();
}

INT_PTR CStringArray::Append(const CStringArray& other) {
    INT_PTR first = GetSize();
    if (&other == this) {
        std::vector<CString> copy(m_items);
        m_items.insert(m_items.end(), copy.begin(), copy.end());
    } else {
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    }
    return first;
}

void CStringArray::Copy(const CStringArray& other) {
    if (&other != this)
        m_items = other.m_items;
}

void CStringArray::InsertAt(INT_PTR index, const wchar_t* text, INT_PTR count) {
    if (index < 0 || count < 0)
        kz::afxInvalidArgument("CStringArray::InsertAt", index < 0 ? index : count, GetSize());
    if (count == 0)
        return;
    CString value(text); // the text may be an element of this array
    if (index >= GetSize())
        SetSize(index);
    m_items.insert(m_items.begin() + index, static_cast<std::size_t>(count), value);
}

void CStringArray::InsertAt(INT_PTR startIndex, const CStringArray* other) {
    if (!other || other->IsEmpty())
        return;
    if (startIndex < 0)
        kz::afxInvalidArgument("CStringArray::InsertAt", startIndex, GetSize());
    std::vector<CString> copy(other->m_items);
    if (startIndex >= GetSize())
        SetSize(startIndex);
    m_items.insert(m_items.begin() + startIndex, copy.begin(), copy.end());
}

void CStringArray::RemoveAt(INT_PTR index, INT_PTR count) {
    if (count < 0 || index < 0 || index + count > GetSize())
        kz::afxInvalidArgument("CStringArray::RemoveAt", index + count - 1, GetSize());
    m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
}
