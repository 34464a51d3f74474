#include "XmlElementParser.h"

#include "XmlEntities.h"
#include "XmlParseResult.h"

void XmlElementParser::ParseInto(XmlNodeData& top)
{
    m_open.push_back({&top, true, 0, std::nullopt, false});
    while (!m_open.empty()) {
        Frame& frame = m_open.back();
        Step step = frame.inContent ? ContentStep(frame) : StartTagStep(frame);
        if (step != Step::Continue)
            Return(step == Step::Closed);
    }
}

std::size_t XmlElementParser::ErrorPosition() const
{
    return m_code == XmlWarningUnmatchedEndTag && m_noticedAt ? *m_noticedAt : m_tokens.Position();
}

void XmlElementParser::Return(bool closed)
{
    m_open.pop_back();
    while (!m_open.empty()) {
        Frame& parent = m_open.back();
        if (!closed) { // a failed child fails every element around it: parsing ends
            m_open.pop_back();
            continue;
        }
        if (!m_pendingEndTag) {
            parent.contentStart = m_tokens.Position();
            return;
        }
        if (!parent.node->name) { // the end tag matched nothing on the way up
            Fail(XmlErrorUnmatchedEndTag);
            m_open.clear();
            return;
        }
        if (Matches(*parent.node, *m_pendingEndTag))
            m_pendingEndTag.reset();
        m_open.pop_back(); // closed by the pending end tag, or left for the elements above
    }
}

XmlElementParser::Step XmlElementParser::StartTagStep(Frame& frame)
{
    XmlToken token = m_tokens.Next();
    if (frame.expectingValue) {
        if (token.type != XmlTokenType::Text && token.type != XmlTokenType::QuotedText) {
            Fail(XmlErrorUnexpectedToken);
            return Step::Failed;
        }
        XmlToken name = *frame.pendingName;
        frame.pendingName.reset();
        frame.expectingValue = false;
        return AddAttribute(frame, name, token) ? Step::Continue : Step::Failed;
    }
    if (frame.pendingName) {
        if (token.type == XmlTokenType::Equals) {
            frame.expectingValue = true;
            return Step::Continue;
        }
        bool tagEnds = token.type == XmlTokenType::TagEnd || token.type == XmlTokenType::ShortEnd;
        if (tagEnds || token.type == XmlTokenType::Text) {
            AddBareAttribute(frame, *frame.pendingName, tagEnds);
            frame.pendingName.reset();
        }
    }
    switch (token.type) {
    case XmlTokenType::Text:
        frame.pendingName = token;
        return Step::Continue;
    case XmlTokenType::TagEnd:
        frame.inContent = true;
        frame.contentStart = m_tokens.Position();
        return Step::Continue;
    case XmlTokenType::ShortEnd:
        return Step::Closed;
    default:
        Fail(XmlErrorUnexpectedToken);
        return Step::Failed;
    }
}

void XmlElementParser::AddBareAttribute(Frame& frame, const XmlToken& name, bool atTagEnd)
{
    std::u16string_view nameText = m_tokens.TextOf(name);
    // A declaration ends in "?>": that "?" is no attribute.
    if (atTagEnd && frame.node->declaration && nameText.ends_with(u'?'))
        nameText.remove_suffix(1);
    if (!nameText.empty())
        frame.node->attributes.push_back({CString(nameText), std::nullopt});
}

bool XmlElementParser::AddAttribute(Frame& frame, const XmlToken& name, const XmlToken& value)
{
    std::u16string_view valueText = m_tokens.TextOf(value);
    if (frame.node->declaration && valueText.ends_with(u'?'))
        valueText.remove_suffix(1);
    if (value.type == XmlTokenType::QuotedText)
        valueText = valueText.substr(1, valueText.size() - 2);
    auto decoded = DecodeEntities(valueText);
    if (!decoded) {
        Fail(XmlErrorUnknownEntity);
        return false;
    }
    frame.node->attributes.push_back({CString(m_tokens.TextOf(name)), std::move(*decoded)});
    return true;
}

XmlElementParser::Step XmlElementParser::ContentStep(Frame& frame)
{
    XmlToken token = m_tokens.Next();
    switch (token.type) {
    case XmlTokenType::TagStart:
    case XmlTokenType::DeclarationStart: {
        if (!AddTextRun(frame, token.start))
            return Step::Failed;
        XmlToken name = m_tokens.Next();
        if (name.type != XmlTokenType::Text) {
            Fail(XmlErrorMissingStartTagName);
            return Step::Failed;
        }
        XmlNodeData& child = frame.node->AppendChild(CString(m_tokens.TextOf(name)),
                                                     token.type == XmlTokenType::DeclarationStart);
        m_open.push_back({&child, false, 0, std::nullopt, false}); // frame is not used after this
        return Step::Continue;
    }
    case XmlTokenType::EndTagStart: {
        if (!AddTextRun(frame, token.start))
            return Step::Failed;
        XmlToken name = m_tokens.Next();
        XmlToken close = name.type == XmlTokenType::Text ? m_tokens.Next() : name;
        if (name.type != XmlTokenType::Text || close.type != XmlTokenType::TagEnd) {
            Fail(XmlErrorMissingEndTagName);
            return Step::Failed;
        }
        if (!Matches(*frame.node, name.start)) {
            Fail(XmlWarningUnmatchedEndTag);
            m_noticedAt = token.start;
            m_pendingEndTag = name.start;
        }
        return Step::Closed;
    }
    case XmlTokenType::ClearStart:
        if (!AddTextRun(frame, token.start) || !AddClearSection(frame, token))
            return Step::Failed;
        frame.contentStart = m_tokens.Position();
        return Step::Continue;
    case XmlTokenType::End:
        if (!frame.node->declaration && frame.node->parent) {
            Fail(XmlWarningUnmatchedEndTag);
            m_noticedAt = token.start;
        }
        AddTextRun(frame, token.start);
        return Step::Failed;
    default:
        return Step::Continue; // part of the content text
    }
}

bool XmlElementParser::AddTextRun(Frame& frame, std::size_t end)
{
    std::u16string_view raw = m_tokens.Text().substr(frame.contentStart, end - frame.contentStart);
    while (!raw.empty() && IsXmlSpace(raw.front()))
        raw.remove_prefix(1);
    while (!raw.empty() && IsXmlSpace(raw.back()))
        raw.remove_suffix(1);
    if (raw.empty())
        return true;
    auto decoded = DecodeEntities(raw);
    if (!decoded) {
        Fail(XmlErrorUnknownEntity);
        return false;
    }
    frame.node->AppendText(std::move(*decoded));
    return true;
}

bool XmlElementParser::AddClearSection(Frame& frame, const XmlToken& start)
{
    const XmlClearMarkers& markers = kClearSections[start.clearRow];
    std::u16string_view text = m_tokens.Text();
    std::size_t from = m_tokens.Position();
    std::size_t close = text.find(markers.closing, from);
    std::size_t contentEnd = close;
    if (start.clearRow == kDoctypeRow) {
        // An internal subset in square brackets holds ">" of its own: then the section ends at "]>".
        std::size_t subset = text.find_first_of(u"<>", from);
        if (subset != std::u16string_view::npos && text[subset] == u'<') {
            std::size_t end = text.find(u"]>", subset);
            close = end == std::u16string_view::npos ? end : end + 1;
            contentEnd = close;
        }
    }
    if (close == std::u16string_view::npos) {
        Fail(XmlErrorUnmatchedClearTagEnd);
        return false;
    }
    frame.node->AppendClearSection({CString(text.substr(from, contentEnd - from)),
                                    CString(markers.opening), CString(markers.closing)});
    m_tokens.MoveTo(close + markers.closing.size());
    return true;
}

bool XmlElementParser::Matches(const XmlNodeData& node, std::size_t namePosition) const
{
    if (!node.name)
        return false;
    std::u16string_view text = m_tokens.Text().substr(namePosition);
    const CString& name = *node.name;
    if (text.size() <= static_cast<std::size_t>(name.GetLength()) ||
        !NamesEqualNoCase(text.substr(0, name.str().size()), name.str()))
        return false;
    char16_t after = text[name.str().size()];
    return IsXmlSpace(after) || after == u'/' || after == u'<' || after == u'=' || after == u'>';
}
