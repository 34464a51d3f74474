#include "CString.h"

#include "TextConvert.h"

#include <algorithm>

CString CString::FromUtf8(std::string_view utf8)
{
    return CString(Utf8ToUtf16(utf8));
}

std::string CString::ToUtf8() const
{
    return Utf16ToUtf8(m_text);
}

int CString::Find(std::u16string_view what, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    auto pos = m_text.find(what, static_cast<std::size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(char16_t ch, int start) const
{
    return Find(std::u16string_view(&ch, 1), start);
}

CString CString::Mid(int start) const
{
    return Mid(start, GetLength());
}

CString CString::Mid(int start, int count) const
{
    start = std::clamp(start, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - start);
    return CString(m_text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count)));
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

bool IsWideSpace(char16_t ch)
{
    switch (ch) {
    case u' ': case u'\t': case u'\n': case u'\v': case u'\f': case u'\r':
    case 0x85: case 0xA0: case 0x1680: case 0x2028: case 0x2029: case 0x202F:
    case 0x205F: case 0x3000:
        return true;
    default:
        return ch >= 0x2000 && ch <= 0x200A;
    }
}

CString& CString::TrimLeft()
{
    auto first = std::find_if_not(m_text.begin(), m_text.end(), IsWideSpace);
    m_text.erase(m_text.begin(), first);
    return *this;
}

CString& CString::TrimRight()
{
    auto last = std::find_if_not(m_text.rbegin(), m_text.rend(), IsWideSpace);
    m_text.erase(last.base(), m_text.end());
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::MakeUpper()
{
    for (auto& ch : m_text)
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - u'a' + u'A');
    return *this;
}

int CString::Replace(std::u16string_view from, std::u16string_view to)
{
    if (from.empty())
        return 0;
    int count = 0;
    std::size_t pos = 0;
    while ((pos = m_text.find(from, pos)) != std::u16string::npos) {
        m_text.replace(pos, from.size(), to);
        pos += to.size();
        ++count;
    }
    return count;
}

CString IntToCString(long long value)
{
    return CString::FromUtf8(std::to_string(value));
}
