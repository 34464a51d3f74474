// Ordered list of wide strings.
#pragma once

#include "CString.h"

#include <vector>

class CStringList {
public:
    void AddTail(const CString& text) { m_items.push_back(text); }
    void RemoveAll() { m_items.clear(); }
    int GetCount() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    const CString& GetAt(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    bool Contains(const CString& text) const;

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<CString> m_items;
};

inline bool CStringList::Contains(const CString& text) const
{
    for (const auto& item : m_items)
        if (item == text)
            return true;
    return false;
}
