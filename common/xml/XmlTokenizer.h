// Splits XML text into the tokens of the element parser.
#pragma once

#include <cstddef>
#include <string_view>

enum class XmlTokenType {
    End,
    ClearStart,       // the opening marker of a clear section (row in clearRow)
    QuotedText,       // "..." or '...', quotes included
    ShortEnd,         // "/>"
    EndTagStart,      // "</"
    DeclarationStart, // "<?"
    TagStart,         // "<"
    Equals,
    TagEnd,           // ">"
    Text,
};

struct XmlToken {
    XmlTokenType type = XmlTokenType::End;
    std::size_t start = 0;
    std::size_t length = 0;
    int clearRow = -1;
};

struct XmlClearMarkers {
    std::u16string_view opening;
    std::u16string_view closing;
};

// The clear-section table, tried in this order.
inline constexpr XmlClearMarkers kClearSections[] = {
    {u"<![CDATA[", u"]]>"},
    {u"<!DOCTYPE", u">"},
    {u"<PRE>", u"</PRE>"},
    {u"<Script>", u"</Script>"},
    {u"<!--", u"-->"},
};
inline constexpr int kDoctypeRow = 1;

inline bool IsXmlSpace(char16_t ch)
{
    return ch == u'\t' || ch == u'\n' || ch == u'\r' || ch == u' ';
}

class XmlTokenizer {
public:
    explicit XmlTokenizer(std::u16string_view text) : m_text(text) {}

    // Skips white space and returns the next token; the position moves behind it.
    XmlToken Next();

    std::size_t Position() const { return m_pos; }
    void MoveTo(std::size_t position) { m_pos = position; }
    std::u16string_view Text() const { return m_text; }
    std::u16string_view TextOf(const XmlToken& token) const { return m_text.substr(token.start, token.length); }

private:
    XmlToken Make(XmlTokenType type, std::size_t length);
    std::size_t TextEnd(std::size_t from) const;

    std::u16string_view m_text;
    std::size_t m_pos = 0;
};
