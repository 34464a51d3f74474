#include "XmlParseResult.h"

#include <array>

namespace {

constexpr std::array<const char16_t*, 20> kMessages = {
    u"No error",
    u"Warning: Unmatched end tag",
    u"Warning: No XML tag found",
    u"Error: No XML data",
    u"Error: Missing start tag name",
    u"Error: Missing end tag name",
    u"Error: Unmatched end tag",
    u"Error: Unmatched clear tag end",
    u"Error: Unexpected token found",
    u"Error: No elements found",
    u"Error: File not found",
    u"Error: First Tag not found",
    u"Error: Unknown character entity",
    u"Error: unable to convert between WideChar and MultiByte chars",
    u"Error: unable to open file for writing",
    u"Error: cannot write into file",
    u"Warning: Base64-string length is not a multiple of 4",
    u"Error: Base64-string contains an illegal character",
    u"Warning: Base64-string is truncated",
    u"Error: Base64 decode output buffer is too small",
};

} // namespace

CString XmlErrorMessage(int code)
{
    if (code < 0 || code >= static_cast<int>(kMessages.size()))
        return u"Unknown";
    return kMessages[static_cast<std::size_t>(code)];
}

void LineAndColumn(std::u16string_view text, std::size_t position, int& line, int& column)
{
    line = 1;
    column = 1;
    std::size_t end = position < text.size() ? position : text.size();
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == u'\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
}
