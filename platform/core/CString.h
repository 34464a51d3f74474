// Wide text of the whole system: UTF-16 code units, positions counted in code units.
#pragma once

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char16_t* text) : m_text(text ? text : u"") {}
    CString(std::u16string text) : m_text(std::move(text)) {}
    CString(std::u16string_view text) : m_text(text) {}
    CString(std::size_t count, char16_t ch) : m_text(count, ch) {}

    // Narrow text is UTF-8, the system's 8-bit code page.
    static CString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char16_t GetAt(int index) const { return m_text[static_cast<std::size_t>(index)]; }
    char16_t operator[](int index) const { return GetAt(index); }

    // Index of the first occurrence at or after start, or -1.
    int Find(std::u16string_view what, int start = 0) const;
    int Find(char16_t ch, int start = 0) const;
    CString Mid(int start) const;
    CString Mid(int start, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    // Trim removes white space (blank, tab, line breaks and the other Unicode blanks) at both ends.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    // Only a to z change: the comparisons that use it are defined on ASCII letters.
    CString& MakeUpper();
    // Returns the number of replacements.
    int Replace(std::u16string_view from, std::u16string_view to);

    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char16_t* other) { m_text += other; return *this; }
    CString& operator+=(char16_t ch) { m_text += ch; return *this; }

    friend CString operator+(CString a, const CString& b) { a += b; return a; }
    friend CString operator+(CString a, const char16_t* b) { a += b; return a; }
    friend CString operator+(const char16_t* a, const CString& b) { return CString(a) += b; }
    friend CString operator+(CString a, char16_t b) { a += b; return a; }

    friend bool operator==(const CString& a, const CString& b) = default;
    friend auto operator<=>(const CString& a, const CString& b) = default;
    friend bool operator==(const CString& a, const char16_t* b) { return a.m_text == b; }

    const std::u16string& str() const { return m_text; }
    operator std::u16string_view() const { return m_text; }

private:
    std::u16string m_text;
};

bool IsWideSpace(char16_t ch);

// "%d" of a number as wide text.
CString IntToCString(long long value);
