// Fills a node from XML text: start tags with their attributes, content, child elements, text
// runs and clear sections. Lenient about missing end tags.
//
// The element grammar nests, but the parser keeps its own stack of open elements instead of
// recursing, so that no depth of nesting can exhaust the thread's stack.
#pragma once

#include "XmlNodeData.h"
#include "XmlTokenizer.h"

#include <optional>
#include <vector>

class XmlElementParser {
public:
    explicit XmlElementParser(std::u16string_view text) : m_tokens(text) {}

    // Parses the whole text into the nameless top node, which starts in content state.
    void ParseInto(XmlNodeData& top);

    int Code() const { return m_code; }
    // Where the error was noticed: for a missing end tag the place that revealed it, otherwise
    // the place where parsing stopped.
    std::size_t ErrorPosition() const;

private:
    struct Frame {
        XmlNodeData* node;
        bool inContent;
        std::size_t contentStart = 0;
        std::optional<XmlToken> pendingName; // attribute name awaiting "=" or the next one
        bool expectingValue = false;
    };
    enum class Step { Continue, Closed, Failed };

    Step StartTagStep(Frame& frame);
    Step ContentStep(Frame& frame);
    // Hands a finished child's outcome to the open elements above it.
    void Return(bool closed);
    bool AddTextRun(Frame& frame, std::size_t end);
    void AddBareAttribute(Frame& frame, const XmlToken& name, bool atTagEnd);
    bool AddAttribute(Frame& frame, const XmlToken& name, const XmlToken& value);
    bool AddClearSection(Frame& frame, const XmlToken& start);
    bool Matches(const XmlNodeData& node, std::size_t namePosition) const;
    void Fail(int code) { m_code = code; }

    XmlTokenizer m_tokens;
    std::vector<Frame> m_open;
    std::optional<std::size_t> m_pendingEndTag; // position of an unmatched end tag's name
    int m_code = 0;
    std::optional<std::size_t> m_noticedAt;
};
