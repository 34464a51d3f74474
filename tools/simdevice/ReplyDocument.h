// Building the device's XML replies. pugixml escapes every attribute value on output.
#pragma once

#include "tools/simdevice/CommandDocument.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace simdevice {

inline constexpr const char* kSuccess = "SUCCESS";
inline constexpr const char* kInvalidRequest = "INVALID_REQUEST";

// The reply to one command, shaped like the request: the same wrapper and command element,
// with <Reply ReturnCode="SUCCESS"> where the request had <Request>.
class ReplyDocument {
public:
    explicit ReplyDocument(const Command& command);
    pugi::xml_node Reply() const;
    void SetReturnCode(std::string_view code);
    std::string Text() const;
    // The text with control characters in attribute values written raw, not as &#N; references.
    std::string TextWithRawControlCharacters() const;

private:
    pugi::xml_document document_;
    pugi::xml_node reply_;
};

// The reply to a request that carries no command the device can carry out.
std::string ErrorReplyText(std::string_view returnCode, std::string_view description);

} // namespace simdevice
