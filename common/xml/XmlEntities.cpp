#include "XmlEntities.h"

#include "XmlNode.h"

#include <array>

namespace {

struct Entity {
    std::u16string_view text;
    char16_t character;
};

// Used both ways, in this order.
constexpr std::array<Entity, 5> kEntities = {{
    {u"&amp;", u'&'},
    {u"&lt;", u'<'},
    {u"&gt;", u'>'},
    {u"&quot;", u'"'},
    {u"&apos;", u'\''},
}};

int HexDigit(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    return -1;
}

int DecimalDigit(char16_t ch)
{
    return ch >= u'0' && ch <= u'9' ? ch - u'0' : -1;
}

// A character reference starting at pos ("&#"); advances pos past its ";".
std::optional<char16_t> DecodeReference(std::u16string_view text, std::size_t& pos)
{
    pos += 2;
    unsigned base = 10;
    if (pos < text.size() && (text[pos] == u'x' || text[pos] == u'X')) {
        base = 16;
        ++pos;
    }
    unsigned value = 0;
    for (; pos < text.size() && text[pos] != u';'; ++pos) {
        int digit = base == 16 ? HexDigit(text[pos]) : DecimalDigit(text[pos]);
        if (digit < 0)
            return std::nullopt;
        value = (value * base + static_cast<unsigned>(digit)) & 0xFFFF;
    }
    if (pos == text.size())
        return std::nullopt;
    ++pos;
    return static_cast<char16_t>(value);
}

std::optional<char16_t> DecodeNamed(std::u16string_view text, std::size_t& pos)
{
    for (const auto& entity : kEntities) {
        auto candidate = text.substr(pos, entity.text.size());
        if (NamesEqualNoCase(candidate, entity.text)) {
            pos += entity.text.size();
            return entity.character;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<CString> DecodeEntities(std::u16string_view text)
{
    std::size_t amp = text.find(u'&');
    if (amp == std::u16string_view::npos)
        return CString(text);
    std::u16string out(text.substr(0, amp));
    std::size_t pos = amp;
    while (pos < text.size()) {
        if (text[pos] != u'&') {
            out += text[pos++];
            continue;
        }
        bool reference = pos + 1 < text.size() && text[pos + 1] == u'#';
        auto decoded = reference ? DecodeReference(text, pos) : DecodeNamed(text, pos);
        if (!decoded)
            return std::nullopt;
        out += *decoded;
    }
    return CString(std::move(out));
}

CString EscapeEntities(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char16_t ch : text) {
        bool replaced = false;
        for (const auto& entity : kEntities) {
            if (entity.character == ch) {
                out += entity.text;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += ch;
    }
    return CString(std::move(out));
}
