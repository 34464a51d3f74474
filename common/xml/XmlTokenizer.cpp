#include "XmlTokenizer.h"

XmlToken XmlTokenizer::Make(XmlTokenType type, std::size_t length)
{
    XmlToken token{type, m_pos, length, -1};
    m_pos += length;
    return token;
}

// Text runs until white space, "<", "=", ">" or "/>".
std::size_t XmlTokenizer::TextEnd(std::size_t from) const
{
    std::size_t pos = from;
    for (; pos < m_text.size(); ++pos) {
        char16_t ch = m_text[pos];
        if (IsXmlSpace(ch) || ch == u'<' || ch == u'=' || ch == u'>')
            break;
        if (ch == u'/' && pos + 1 < m_text.size() && m_text[pos + 1] == u'>')
            break;
    }
    return pos;
}

XmlToken XmlTokenizer::Next()
{
    while (m_pos < m_text.size() && IsXmlSpace(m_text[m_pos]))
        ++m_pos;
    if (m_pos >= m_text.size())
        return Make(XmlTokenType::End, 0);

    std::u16string_view rest = m_text.substr(m_pos);
    for (int row = 0; row < static_cast<int>(std::size(kClearSections)); ++row) {
        if (rest.starts_with(kClearSections[row].opening)) {
            XmlToken token = Make(XmlTokenType::ClearStart, kClearSections[row].opening.size());
            token.clearRow = row;
            return token;
        }
    }

    char16_t first = rest[0];
    char16_t second = rest.size() > 1 ? rest[1] : u'\0';
    switch (first) {
    case u'"':
    case u'\'': {
        std::size_t close = rest.find_first_of(first == u'"' ? u"\"<" : u"'<", 1);
        if (close != std::u16string_view::npos && rest[close] == first)
            return Make(XmlTokenType::QuotedText, close + 1);
        break; // an unclosed quote starts ordinary text
    }
    case u'/':
        if (second == u'>')
            return Make(XmlTokenType::ShortEnd, 2);
        break;
    case u'<':
        if (second == u'/')
            return Make(XmlTokenType::EndTagStart, 2);
        if (second == u'?')
            return Make(XmlTokenType::DeclarationStart, 2);
        return Make(XmlTokenType::TagStart, 1);
    case u'=':
        return Make(XmlTokenType::Equals, 1);
    case u'>':
        return Make(XmlTokenType::TagEnd, 1);
    default:
        break;
    }
    // Text: at least the first character, so that a lone quote makes progress.
    return Make(XmlTokenType::Text, TextEnd(m_pos + 1) - m_pos);
}
